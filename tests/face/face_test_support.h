// Shared helpers of the face tests: synthetic images and a stand-in main window.
#ifndef CLOCK_TESTS_FACE_SUPPORT_H
#define CLOCK_TESTS_FACE_SUPPORT_H

#include <windows.h>

#include "imaging/dib.h"

// A 32-bit top-down image filled with pixel; null when it cannot be made.
CDIB* MakeFilledImage(int width, int height, DWORD pixel);
void PutPixel(CDIB& image, int x, int y, DWORD pixel);

// A canvas pixel (0x00RRGGBB in memory) as a COLORREF (0x00BBGGRR).
COLORREF PixelToColorref(DWORD pixel);
DWORD ColorrefToPixel(COLORREF color);

// A borderless pop-up standing in for the clock's window (painted by PaintClock), made once
// and kept as g_hMainWnd.
HWND UseTestMainWindow();

// Live GDI objects of this process, -1 when the system does not tell.
int GdiObjectCount();

#endif
