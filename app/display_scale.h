// The scale the clock is drawn at: the dots per inch of the monitor its window stands on.
#ifndef CLOCK_APP_DISPLAY_SCALE_H
#define CLOCK_APP_DISPLAY_SCALE_H

#include <windows.h>

// 100 %: the dots per inch every picture of the clock was first drawn for.
enum { kBaseDpi = 96 };

// The dots per inch of the monitor window stands on (120 at 125 %, 192 at 200 %); the system's
// where the monitor's cannot be asked for.
int WindowDpi(HWND window);

#endif
