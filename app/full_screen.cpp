#include "app/full_screen.h"

#include <cstring>

namespace {
// The desktop (its window and the shell's two), and the task bar.
const char* const kShellClasses[] = {"#32769", "Progman", "WorkerW", "Shell_TrayWnd"};

int IsShell(const char* className) {
    for (const char* shell : kShellClasses) {
        if (std::strcmp(className, shell) == 0)
            return 1;
    }
    return 0;
}

int Covers(const RECT& window, const RECT& monitor) {
    return window.left <= monitor.left && window.top <= monitor.top &&
           window.right >= monitor.right && window.bottom >= monitor.bottom;
}

// The foreground window last looked at, with its class and whether it is ours: they are
// asked for again only when another window comes to the front.
HWND s_hFront = nullptr;
char s_szFrontClass[64] = "";
int s_bFrontOurs = 0;

int IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
} // namespace

int TopmostNow(int chosen, const ForegroundWindow* foreground, const RECT& monitor) {
    if (!chosen || foreground == nullptr)
        return chosen;
    return foreground->ours || IsShell(foreground->className) || !Covers(foreground->rect, monitor);
}

void GiveWayToFullScreen(HWND clock, int chosen) {
    // An ordinary clock is left as the menu command made it.
    if (!chosen)
        return;
    HWND front = GetForegroundWindow();
    if (front != s_hFront) {
        DWORD process = 0;
        GetWindowThreadProcessId(front, &process);
        s_szFrontClass[0] = '\0';
        GetClassNameA(front, s_szFrontClass, sizeof(s_szFrontClass));
        s_bFrontOurs = process == GetCurrentProcessId();
        s_hFront = front;
    }
    ForegroundWindow seen = {{0, 0, 0, 0}, s_szFrontClass, s_bFrontOurs};
    if (front != nullptr)
        GetWindowRect(front, &seen.rect);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST), &monitor);
    const int topmost = TopmostNow(chosen, front != nullptr ? &seen : nullptr, monitor.rcMonitor);
    if (topmost == IsTopmost(clock))
        return;
    // Giving way puts the clock just below the full-screen window: HWND_NOTOPMOST alone would
    // leave it at the top of the ordinary windows, still over that one. Below a topmost one,
    // the top of the ordinary windows is low enough.
    HWND after = topmost ? HWND_TOPMOST : IsTopmost(front) ? HWND_NOTOPMOST : front;
    SetWindowPos(clock, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
