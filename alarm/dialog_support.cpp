#include "alarm/dialog_support.h"

const char kDialogInitFailedText[] = "設定ダイヤログの初期化に失敗しました";

namespace {
// Start of a span of this length centred on [low, high), moved back to low when it is longer.
long Centered(long length, long low, long high) {
    const long start = low + (high - low - length) / 2;
    return start < low ? low : start;
}
} // namespace

POINT CenteredPosition(int width, int height, const RECT& workArea) {
    return {Centered(width, workArea.left, workArea.right),
            Centered(height, workArea.top, workArea.bottom)};
}

void CenterWindow(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST),
                         &monitor))
        return;
    // Twice: a dialog made on a monitor of another scale takes this one's as it arrives, and
    // with it another size.
    for (int pass = 0; pass < 2; ++pass) {
        RECT r;
        GetWindowRect(window, &r);
        const POINT at = CenteredPosition(r.right - r.left, r.bottom - r.top, monitor.rcWork);
        SetWindowPos(window, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE);
    }
}
