// The scale the clock is drawn at: the dots per inch of the monitor its window stands on.
#ifndef CLOCK_APP_DISPLAY_SCALE_H
#define CLOCK_APP_DISPLAY_SCALE_H

#include <windows.h>

#include "imaging/clock_sizes.h"

// The dots per inch of the monitor window stands on (120 at 125 %, 192 at 200 %); the system's
// where the monitor's cannot be asked for.
int WindowDpi(HWND window);

#endif
