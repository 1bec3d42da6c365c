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

// What a paint selects into a context for bitmap: nothing into the face set's kept one, which
// holds it already.
static HBITMAP ToSelect(HDC kept, HBITMAP bitmap) {
    return kept != nullptr ? nullptr : bitmap;
}

static void DrawBackground(HDC canvasDC, int size) {
    if (g_pFace == nullptr)
        return;
    // The face set keeps a context for its face; one is made here only when it has none.
    HBITMAP faceBitmap = g_pFace->GetBitmap();
    CMemoryDC face(ToSelect(g_hFaceDC, faceBitmap), canvasDC, g_hFaceDC);
    HDC faceDC = face.Get();
    if (size == kSizeLarge) {
        const int frame = kAnimationSequence[g_nAnimationPos];
        if (faceBitmap != nullptr)
            BitBlt(canvasDC, 0, 0, g_FaceMeasures.frameWidth, g_pFace->GetHeight(), faceDC,
                   frame * g_FaceMeasures.frameWidth, 0, SRCCOPY);
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
    const HandGeometry& g = g_FaceMeasures.hands;
    const int shadow = g_FaceMeasures.shadowOffset;
    const int angle = time != nullptr ? HandAngleAt(hand, time->wHour, time->wMinute, time->wSecond)
                                      : HandAngle(hand);
    Point tip;
    HandTip(tip, g.centerX, g.centerY, HandLength(g, hand), angle);
    Point center = {g.centerX, g.centerY};
    const int width = HandWidth(g, hand);
    OffsetPoints(tip, center, shadow);
    DrawLine(canvasDC, tip.x, tip.y, center.x, center.y, width, RGB(0, 0, 0));
    OffsetPoints(tip, center, -shadow);
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
        CopyDecoration(g_pDecorC, static_cast<int>(halfWidth) - g_FaceMeasures.capLeft,
                       static_cast<int>(halfHeight) - g_FaceMeasures.capTop);
    }
    GdiFlush();
}

int ComposeFrame(int size, const SYSTEMTIME* time) {
    if (!g_bFaceReady || g_pCanvas == nullptr)
        return 0;
    CMemoryDC canvas(ToSelect(g_hCanvasDC, g_pCanvas->GetBitmap()), nullptr, g_hCanvasDC);
    ComposeFrameInto(canvas.Get(), size, time);
    return 1;
}

// Seconds since midnight of the hands last painted (-1: none), and the face set the canvas was
// last composed whole in: between turns of the second its hands stay there for the pendulum's
// frames.
static int s_nPaintedSecond = -1;
static int s_nComposedBuild = -1;

void ForgetPaintedFrame() {
    s_nPaintedSecond = -1;
}

// Whether a hand of the large size, shadow and pen width included, can reach into the
// pendulum's rectangle at any time of day.
static int HandsReachSwing() {
    const HandGeometry& g = g_FaceMeasures.hands;
    int reach = g.hourLength > g.minuteLength ? g.hourLength : g.minuteLength;
    // The shadow lies off the hand; the pen's width and its rounding take it further.
    reach = (reach > g.secondLength ? reach : g.secondLength) + g_FaceMeasures.shadowOffset +
            g_FaceMeasures.penReach;
    const RECT hands = {g.centerX - reach, g.centerY - reach, g.centerX + reach + 1,
                        g.centerY + reach + 1};
    RECT common;
    return IntersectRect(&common, &hands, &g_rcSwing);
}

// The pendulum's next frame copied from the strip into its rectangle of the canvas, whose
// other pixels (the hands among them) stay as the last whole composition left them.
static void DrawSwing(HDC canvasDC) {
    CMemoryDC face(ToSelect(g_hFaceDC, g_pFace->GetBitmap()), canvasDC, g_hFaceDC);
    const RECT& r = g_rcSwing;
    BitBlt(canvasDC, r.left, r.top, r.right - r.left, r.bottom - r.top, face.Get(),
           kAnimationSequence[g_nAnimationPos] * g_FaceMeasures.frameWidth + r.left, r.top,
           SRCCOPY);
    g_nAnimationPos = g_nAnimationPos + 1 == 8 ? 0 : g_nAnimationPos + 1;
    GdiFlush();
}

// Composes the frame of now and copies it, or only the pendulum's rectangle when the second
// shown has not turned, to windowDC in one transfer, so the window never shows a half-drawn
// frame. whole: the whole window goes out even within the second shown.
static int ComposeAndSend(HDC windowDC, int size, const SYSTEMTIME& now, int whole) {
    const int second = SecondOfDay(now.wHour, now.wMinute, now.wSecond);
    const int turned = second != s_nPaintedSecond || s_nComposedBuild != g_nFaceBuilds;
    if (!turned && !whole && size != kSizeLarge)
        return kPaintedNothing;
    // The face set keeps a context for the canvas; one is made here only when it has none.
    CMemoryDC canvas(ToSelect(g_hCanvasDC, g_pCanvas != nullptr ? g_pCanvas->GetBitmap() : nullptr),
                     windowDC, g_hCanvasDC);
    RECT part = {0, 0, g_pCanvas != nullptr ? g_pCanvas->GetWidth() : 0,
                 g_pCanvas != nullptr ? g_pCanvas->GetHeight() : 0};
    if (!turned && !whole && !HandsReachSwing() && g_pFace != nullptr &&
        g_pFace->GetBitmap() != nullptr) {
        DrawSwing(canvas.Get());
        part = g_rcSwing;
    } else {
        ComposeFrameInto(canvas.Get(), size, &now);
        s_nComposedBuild = g_nFaceBuilds;
        part = turned || whole ? part : g_rcSwing;
    }
    s_nPaintedSecond = second;
    BitBlt(windowDC, part.left, part.top, part.right - part.left, part.bottom - part.top,
           canvas.Get(), part.left, part.top, SRCCOPY);
    return turned ? kPaintedNewSecond : kPaintedPart;
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
    ComposeAndSend(paintDC, size, now, 1);
    EndPaint(window, &ps);
}

int PaintClockTick(HWND window, int size, const SYSTEMTIME& now) {
    if (!g_bFaceReady)
        return kPaintedNothing;
    // The class gives the window a context of its own: asked for once, it is never released.
    static HWND s_hWindow = nullptr;
    static HDC s_hWindowDC = nullptr;
    if (s_hWindow != window || s_hWindowDC == nullptr) {
        s_hWindowDC = GetDC(window);
        s_hWindow = window;
    }
    return s_hWindowDC != nullptr ? ComposeAndSend(s_hWindowDC, size, now, 0) : kPaintedNothing;
}
