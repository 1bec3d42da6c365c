#include "face/face_painter.h"

#include "face/face_set.h"
#include "face/hand_math.h"
#include "imaging/dib.h"
#include "imaging/gdi_scope.h"

int g_nAnimationPos = 0;

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, int width, COLORREF color) {
    CSelectObject pen(dc, CreatePen(PS_SOLID, width, color), 1);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Copies the whole of picture onto the canvas at (x, y), leaving its key-coloured area out.
static void CopyDecoration(const CDIB* picture, int x, int y) {
    if (g_pCanvas == nullptr || picture == nullptr)
        return;
    BlitRect rect = {0, 0, picture->GetWidth(), picture->GetHeight(), x, y};
    ColorKeyCopy(g_pCanvas, picture, &rect, picture->GetPixel(0, 0));
}

// The same, centred on a point (the halves cut down as unsigned values).
static void CopyDecorationCentered(const CDIB* picture, const Point& at) {
    if (picture == nullptr)
        return;
    const unsigned halfWidth = static_cast<unsigned>(picture->GetWidth()) / 2;
    const unsigned halfHeight = static_cast<unsigned>(picture->GetHeight()) / 2;
    CopyDecoration(picture, at.x - static_cast<int>(halfWidth),
                   at.y - static_cast<int>(halfHeight));
}

static void DrawBackground(HDC canvasDC, int size) {
    if (g_pFace == nullptr)
        return;
    // The face set keeps a context for its face; one is made here only when it has none.
    HBITMAP faceBitmap = g_pFace->GetBitmap();
    CMemoryDC face(faceBitmap, canvasDC, g_hFaceDC);
    HDC faceDC = face.Get();
    if (size == kSizeLarge) {
        const int frame = kAnimationSequence[g_nAnimationPos];
        if (faceBitmap != nullptr)
            BitBlt(canvasDC, 0, 0, kFrameWidth, g_pFace->GetHeight(), faceDC, frame * kFrameWidth,
                   0, SRCCOPY);
        g_nAnimationPos = g_nAnimationPos + 1 == 8 ? 0 : g_nAnimationPos + 1;
    } else if (faceBitmap != nullptr) {
        BitBlt(canvasDC, 0, 0, g_pFace->GetWidth(), g_pFace->GetHeight(), faceDC, 0, 0, SRCCOPY);
    }
}

static int HandLength(const HandGeometry& g, int hand) {
    return hand == kHandSecond   ? g.secondLength
           : hand == kHandMinute ? g.minuteLength
                                 : g.hourLength;
}

static int HandWidth(const HandGeometry& g, int hand) {
    return hand == kHandSecond ? g.secondWidth : hand == kHandMinute ? g.minuteWidth : g.hourWidth;
}

// kHandColors lists hour, minute, second; hands are numbered second, minute, hour.
static COLORREF HandColor(int size, int hand) {
    return kHandColors[size][2 - hand];
}

// Draws one hand with its shadow and returns its tip.
static Point DrawHand(HDC canvasDC, int size, int hand, const SYSTEMTIME* time) {
    const HandGeometry& g = g_HandGeometry;
    const int angle = time != nullptr ? HandAngleAt(hand, time->wHour, time->wMinute, time->wSecond)
                                      : HandAngle(hand);
    Point tip;
    HandTip(tip, g.centerX, g.centerY, HandLength(g, hand), angle);
    Point center = {g.centerX, g.centerY};
    const int width = HandWidth(g, hand);
    OffsetPoints(tip, center, 2);
    DrawLine(canvasDC, tip.x, tip.y, center.x, center.y, width, RGB(0, 0, 0));
    OffsetPoints(tip, center, -2);
    DrawLine(canvasDC, tip.x, tip.y, center.x, center.y, width, HandColor(size, hand));
    // The keyed copies write the canvas's memory directly: the lines must be in it first.
    GdiFlush();
    return tip;
}

void ComposeFrameInto(HDC canvasDC, int size, const SYSTEMTIME* time) {
    size = ValidSizeIndex(size);
    DrawBackground(canvasDC, size);
    DrawHand(canvasDC, size, kHandSecond, time);
    const Point minuteTip = DrawHand(canvasDC, size, kHandMinute, time);
    if (size == kSizeMedium)
        CopyDecorationCentered(g_pDecorB, minuteTip);
    const Point hourTip = DrawHand(canvasDC, size, kHandHour, time);
    if (size == kSizeMedium)
        CopyDecorationCentered(g_pDecorA, hourTip);

    if (size == kSizeSmall) {
        CopyDecoration(g_pDecorA, 0, 0);
    } else if (size == kSizeMedium && g_pFace != nullptr) {
        const unsigned halfWidth = static_cast<unsigned>(g_pFace->GetWidth()) / 2;
        const unsigned halfHeight = static_cast<unsigned>(g_pFace->GetHeight()) / 2;
        CopyDecoration(g_pDecorC, static_cast<int>(halfWidth) - 3,
                       static_cast<int>(halfHeight) - 4);
    }
    GdiFlush();
}

int ComposeFrame(int size, const SYSTEMTIME* time) {
    if (!g_bFaceReady || g_pCanvas == nullptr)
        return 0;
    CMemoryDC canvas(g_pCanvas->GetBitmap());
    ComposeFrameInto(canvas.Get(), size, time);
    return 1;
}

// Seconds since midnight of the hands last painted; -1 before the first paint.
static int s_nPaintedSecond = -1;

// Composes the frame of now and copies the part (x, y, width, height) of it to windowDC in one
// transfer, so the window never shows a half-drawn frame.
static int ComposeAndSend(HDC windowDC, int size, const SYSTEMTIME& now, int x, int y, int width,
                          int height) {
    const int second = SecondOfDay(now.wHour, now.wMinute, now.wSecond);
    const int painted = second != s_nPaintedSecond ? kPaintedNewSecond : kPaintedPart;
    s_nPaintedSecond = second;
    // The face set keeps a context for the canvas; one is made here only when it has none.
    CMemoryDC canvas(g_pCanvas != nullptr ? g_pCanvas->GetBitmap() : nullptr, windowDC,
                     g_hCanvasDC);
    ComposeFrameInto(canvas.Get(), size, &now);
    BitBlt(windowDC, x, y, width, height, canvas.Get(), x, y, SRCCOPY);
    return painted;
}

void PaintClock(HWND window, int size) {
    if (!g_bFaceReady)
        return;
    // One reading of the clock for all three hands, so they never disagree.
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Hands that moved since the last paint must reach the whole window, not only the part
    // that asked for a paint.
    if (SecondOfDay(now.wHour, now.wMinute, now.wSecond) != s_nPaintedSecond)
        InvalidateRect(window, nullptr, FALSE);
    PAINTSTRUCT ps;
    HDC paintDC = BeginPaint(window, &ps);
    RECT bounds;
    GetWindowRect(window, &bounds);
    ComposeAndSend(paintDC, size, now, 0, 0, bounds.right - bounds.left,
                   bounds.bottom - bounds.top);
    EndPaint(window, &ps);
}

int PaintClockPart(HWND window, const RECT* part, int size) {
    if (!g_bFaceReady)
        return 0;
    SYSTEMTIME now;
    GetLocalTime(&now);
    RECT bounds;
    GetClientRect(window, &bounds);
    // Once the second has turned the hands have moved too: then the whole window goes out.
    if (part != nullptr && SecondOfDay(now.wHour, now.wMinute, now.wSecond) == s_nPaintedSecond)
        IntersectRect(&bounds, &bounds, part);
    HDC windowDC = GetDC(window);
    if (windowDC == nullptr)
        return 0;
    const int painted = ComposeAndSend(windowDC, size, now, bounds.left, bounds.top,
                                       bounds.right - bounds.left, bounds.bottom - bounds.top);
    ReleaseDC(window, windowDC);
    return painted;
}

int PaintClockTick(HWND window, int size) {
    // The pendulum's part, which PaintClockPart widens to the whole window at a turn of the
    // second by the same reading of the clock that places the hands.
    if (size == kSizeLarge)
        return PaintClockPart(window, &g_rcSwing, size);
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (SecondOfDay(now.wHour, now.wMinute, now.wSecond) != s_nPaintedSecond)
        return PaintClockPart(window, nullptr, size);
    return kPaintedNothing;
}
