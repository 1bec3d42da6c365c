// Small window, menu and text utilities used across the program.
#ifndef CLOCK_APP_WINDOW_UTILS_H
#define CLOCK_APP_WINDOW_UTILS_H

#include <windows.h>

// The opaque pixels of the dial a work area must show for the clock to stay where it is: a
// 32 x 32 piece's worth at 100 %, enough to find and grab (or the whole dial, when it is
// smaller); as large to the eye at every scale (64 x 64 pixels at 200 %).
enum { kGrabPixels = 32 * 32 };

// The top-left corner for a window with the given outer rectangle among count work areas, on a
// monitor of dpi dots per inch. Its opaque shape is given as rectangles in window coordinates
// (none: the whole rectangle). It stays where it is while one work area shows kGrabPixels (at
// that scale) of the shape; otherwise it moves onto the
// work area it overlaps most (or the nearest), whole when it fits (else its top-left corner is
// kept in).
POINT ReachablePosition(const RECT& window, const RECT* shape, int shapeCount,
                        const RECT* workAreas, int count, int dpi);
// Applies ReachablePosition to the window, its region and the work areas of the monitors now.
void KeepWindowReachable(HWND window);

void SetTopmost(HWND window, int on);
void UncheckAllMenuItems(HMENU menu);
// Returns 1 when the item is now checked, 0 when it is now unchecked.
int ToggleMenuCheck(HMENU menu, UINT position);

#endif
