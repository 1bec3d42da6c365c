// Paints the clock: composes the frame off-screen and copies it to the window in one transfer.
#ifndef CLOCK_FACE_FACE_PAINTER_H
#define CLOCK_FACE_FACE_PAINTER_H

#include <windows.h>

// Position (0..7) in kAnimationSequence of the large size's next frame; every paint of the
// large size advances it, and a rebuild leaves it alone.
extern int g_nAnimationPos;

// The WM_PAINT handler of the main window, showing the clock of size.
void PaintClock(HWND window, int size);

// What the timer's paint sent: nothing (the face set is not ready, or nothing changed), the
// pendulum's part of a frame of the second already shown, or a frame of a new second.
enum { kPaintedNothing = 0, kPaintedPart = 1, kPaintedNewSecond = 2 };

// The timer's paint of the time now: the whole window once the second has turned since the
// last paint (the hands moved), else only the pendulum's part in the large size, else nothing.
// Returns what it sent (kPainted...): kPaintedNewSecond once a second.
int PaintClockTick(HWND window, int size, const SYSTEMTIME& now);

// The next paint sends the whole window, as after a turn of the second.
void ForgetPaintedFrame();

// Draws the frame of size into the canvas through canvasDC, a memory context holding the
// canvas's bitmap: background (advancing the pendulum in the large size), the hands with
// their shadows and the decorations. With time null every hand reads the local clock itself;
// otherwise the hands show that time. The canvas's pixels are complete on return.
void ComposeFrameInto(HDC canvasDC, int size, const SYSTEMTIME* time);

// ComposeFrameInto on a canvas context of its own. Returns 0, drawing nothing, while the face
// set is not ready.
int ComposeFrame(int size, const SYSTEMTIME* time);

// A solid line of width and color from (x1, y1) to (x2, y2) with a pen made for it.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, int width, COLORREF color);

#endif
