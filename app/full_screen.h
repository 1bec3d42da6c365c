// An always-visible clock gives way to a program in full screen: while the client area of another
// program's foreground window covers the whole monitor the clock is on, the clock is not topmost.
#ifndef CLOCK_APP_FULL_SCREEN_H
#define CLOCK_APP_FULL_SCREEN_H

#include <windows.h>

// The foreground window as the decision sees it.
struct ForegroundWindow {
    RECT client; // its client area, in screen coordinates
    DWORD style;
    const char* className;
    int ours; // one of the clock's own windows (its menu, boxes, tooltip)
};

// Whether the clock is topmost now: `chosen` is the user's "常に見える"; `foreground` is
// nullptr when there is no foreground window; `monitor` is the rectangle of the clock's monitor.
// The desktop and the shell cover the screen without being a program in full screen, and so does
// a maximized window with a caption, whose frame lies past the monitor's edges.
int TopmostNow(int chosen, const ForegroundWindow* foreground, const RECT& monitor);

// Called once a second: gives the window the z-order TopmostNow says. The menu's mark and the
// saved choice stay the user's.
void GiveWayToFullScreen(HWND clock, int chosen);

#endif
