// The clock's one window: start-up, shutdown, timer, pop-up menu and commands.
#ifndef CLOCK_APP_MAIN_WINDOW_H
#define CLOCK_APP_MAIN_WINDOW_H

#include <windows.h>

#include "app/settings.h"

// "ポルカミーナ・アナログ時計": class name, window title, instance guard and alarm caption.
extern const char kProductTitle[];

extern HINSTANCE g_hInstance;
extern HWND g_hMainWnd;
extern HMENU g_hMenu;
extern HMENU g_hPopupMenu;
extern HMENU g_hSizeMenu;
extern UINT_PTR g_uTimerId;
extern WindowSettings g_WindowSettings;
extern AlarmSettings g_AlarmSettings;
// Set first thing when the window is destroyed: from then on no tick does any work, even one
// still running in the loop of an alarm box.
extern int g_bClockClosed;

enum { kClockTimerId = 1, kClockTimerMs = 125 };
// Positions in the pop-up menu.
enum { kMenuPosSize = 3, kMenuPosTopmost = 5, kMenuPosLock = 6 };

ATOM RegisterClockClass(HINSTANCE instance);
HWND CreateClockWindow(HINSTANCE instance);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void OnCreate(HWND window);
void OnDestroy();
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
void ChangeSize(int sizeIndex);

#endif
