#include "alarm/clock_state.h"

const char kProductTitle[] = "ポルカミーナ・アナログ時計";

HINSTANCE g_hInstance = nullptr;
HWND g_hMainWnd = nullptr;
WindowSettings g_WindowSettings = {0, 0, 0, 0, 0};
AlarmSettings g_AlarmSettings = {};
int g_bClockClosed = 0;
