#include "face/face_painter.h"

#include "face/face_set.h"

void PaintClock(HWND window) {
    if (!g_bFaceReady)
        return;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &ps);
}
