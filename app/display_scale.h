// The scale the clock is drawn at: the dots per inch of the monitor its window stands on; and
// where a position saved by a program that was not DPI-aware lies in the monitors' own pixels.
#ifndef CLOCK_APP_DISPLAY_SCALE_H
#define CLOCK_APP_DISPLAY_SCALE_H

#include <windows.h>

#include "imaging/clock_sizes.h"

// The dots per inch of the monitor window stands on (120 at 125 %, 192 at 200 %); the system's
// where the monitor's cannot be asked for (Windows 7 and 8).
int WindowDpi(HWND window);

// A point saved by a program that was not DPI-aware, which Windows showed a monitor scaled to
// 96 dots per inch as `unaware`: the same place on that monitor, whose rectangle in its own
// pixels is `physical`. Points off the monitor keep their distance from its top-left corner,
// scaled alike.
POINT PhysicalFromUnaware(POINT saved, const RECT& unaware, const RECT& physical);

// The same for the monitors now: the one nearest the saved point as a program that is not aware
// sees them. Where this Windows cannot show that view (before Windows 10 1607), every monitor
// is taken at the system's scale.
POINT PositionFromUnaware(POINT saved);

#endif
