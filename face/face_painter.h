// Paints the clock: composes the frame off-screen and copies it to the window in one transfer.
#ifndef CLOCK_FACE_FACE_PAINTER_H
#define CLOCK_FACE_FACE_PAINTER_H

#include <windows.h>

void PaintClock(HWND window);

#endif
