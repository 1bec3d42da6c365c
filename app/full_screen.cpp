#include "app/full_screen.h"

#include <cstring>

namespace {
// The shell's windows that come to the front, some as large as the monitor. A Store app in front
// is its frame window (ApplicationFrameWindow), not its core window, so it still counts.
const char* const kShellClasses[] = {
    "#32769",                       // the desktop
    "Progman",                      // the shell's desktop
    "WorkerW",                      // behind the desktop's icons
    "Shell_TrayWnd",                // the task bar
    "Shell_SecondaryTrayWnd",       // the task bar of every other monitor
    "MultitaskingViewFrame",        // task view and Alt+Tab (Windows 10)
    "XamlExplorerHostIslandWindow", // the same and snap layouts (Windows 11)
    "Windows.UI.Core.CoreWindow"};  // Start, search and the shell's panels

int IsShell(const char* className) {
    for (const char* shell : kShellClasses) {
        if (std::strcmp(className, shell) == 0)
            return 1;
    }
    return 0;
}

// Coordinates rounded between display scales can leave a full-screen window a pixel or two
// short of the monitor's edges.
const int kFullScreenSlack = 2;

int Covers(const RECT& window, const RECT& monitor) {
    return window.left <= monitor.left + kFullScreenSlack &&
           window.top <= monitor.top + kFullScreenSlack &&
           window.right >= monitor.right - kFullScreenSlack &&
           window.bottom >= monitor.bottom - kFullScreenSlack;
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
    // A program that draws its own caption in its client area reaches the monitor's edges with
    // it when maximized where no task bar shortens the work area: its style still tells.
    const DWORD style = foreground->style;
    const int titledMaximized = (style & WS_MAXIMIZE) != 0 && (style & WS_CAPTION) == WS_CAPTION;
    return foreground->ours || IsShell(foreground->className) || titledMaximized ||
           !Covers(foreground->client, monitor);
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
    // One call a second for what changes while the same window stays in front: its client area
    // and its styles (a program entering full screen drops its caption).
    WINDOWINFO info = {};
    info.cbSize = sizeof(info);
    if (front != nullptr)
        GetWindowInfo(front, &info);
    const ForegroundWindow seen = {info.rcClient, info.dwStyle, s_szFrontClass, s_bFrontOurs};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST), &monitor);
    const int topmost = TopmostNow(chosen, front != nullptr ? &seen : nullptr, monitor.rcMonitor);
    if (topmost == IsTopmost(clock))
        return;
    // Giving way puts the clock just below the full-screen window: HWND_NOTOPMOST alone would
    // leave it at the top of the ordinary windows, still over that one. Below a topmost one,
    // the top of the ordinary windows is low enough.
    HWND after = topmost                                 ? HWND_TOPMOST
                 : (info.dwExStyle & WS_EX_TOPMOST) != 0 ? HWND_NOTOPMOST
                                                         : front;
    SetWindowPos(clock, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
