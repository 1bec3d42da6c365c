#include "alarm/dialog_support.h"

const char kDialogInitFailedText[] = "設定ダイヤログの初期化に失敗しました";

void CenterWindow(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2 - (r.bottom - r.top) / 2;
    SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}
