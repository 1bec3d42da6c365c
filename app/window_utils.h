// Small window, menu and text utilities used across the program.
#ifndef CLOCK_APP_WINDOW_UTILS_H
#define CLOCK_APP_WINDOW_UTILS_H

#include <windows.h>

// The top-left corner for a window with the given outer rectangle among count monitors and their
// work areas: unchanged while any part of it lies on a monitor; otherwise it is moved onto the
// work area of the nearest monitor, whole when it fits (else its top-left corner is kept in).
POINT ReachablePosition(const RECT& window, const RECT* monitors, const RECT* workAreas, int count);
// Applies ReachablePosition to the window with the monitors attached now.
void KeepWindowReachable(HWND window);

void SetTopmost(HWND window, int on);
void UncheckAllMenuItems(HMENU menu);
// Returns 1 when the item is now checked, 0 when it is now unchecked.
int ToggleMenuCheck(HMENU menu, UINT position);

#endif
