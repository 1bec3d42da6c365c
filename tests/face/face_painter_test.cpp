#include <gtest/gtest.h>

#include "app/main_window.h"
#include "face/face_painter.h"
#include "face/face_set.h"
#include "face/hand_math.h"
#include "face_test_support.h"

namespace {

SYSTEMTIME TimeOfDay(int hour, int minute, int second) {
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 7;
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}

COLORREF CanvasAt(int x, int y) {
    return PixelToColorref(g_pCanvas->GetPixel(x, y));
}

// Builds a size only when the previous test left another one.
class FacePainterTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { UseTestMainWindow(); }
    static void TearDownTestSuite() { FreeFaceSet(); }

    void Use(int size) {
        if (s_nBuilt != size || g_pCanvas == nullptr) {
            BuildFaceSet(size);
            s_nBuilt = size;
        }
        SetHandGeometry(g_HandGeometry, size);
        m_nSize = size;
    }

    void Compose(int hour, int minute, int second) {
        const SYSTEMTIME t = TimeOfDay(hour, minute, second);
        ASSERT_EQ(1, ComposeFrame(m_nSize, &t));
    }

    // The canvas pixel on the hand at distance from the centre, and 2 px right and down.
    void ExpectHandAndShadow(int hand, int angle, int distance) {
        const HandGeometry& g = g_HandGeometry;
        Point p;
        HandTip(p, g.centerX, g.centerY, distance, angle);
        SCOPED_TRACE(testing::Message()
                     << "size " << m_nSize << " hand " << hand << " at " << p.x << "," << p.y);
        EXPECT_EQ(HandColors[m_nSize][2 - hand], CanvasAt(p.x, p.y));
        EXPECT_EQ(RGB(0, 0, 0), CanvasAt(p.x + 2, p.y + 2));
    }

    // Every non-key pixel of picture shows on the canvas with its top-left corner at (x, y).
    void ExpectPictureAt(const CDIB* picture, int x, int y) {
        ASSERT_NE(nullptr, picture);
        ASSERT_FALSE(picture->IsEmpty());
        const DWORD key = picture->GetPixel(0, 0);
        int shown = 0, hidden = 0;
        for (int py = 0; py < picture->GetHeight(); ++py)
            for (int px = 0; px < picture->GetWidth(); ++px) {
                const DWORD v = picture->GetPixel(px, py);
                if ((v & 0xFFFFFF) == (key & 0xFFFFFF))
                    continue;
                if (g_pCanvas->GetPixel(x + px, y + py) == v)
                    ++shown;
                else
                    ++hidden;
            }
        EXPECT_GT(shown, 0);
        EXPECT_EQ(0, hidden);
    }

    int m_nSize = 0;
    static int s_nBuilt;
};
int FacePainterTest::s_nBuilt = -1;

// 1:45:00: second hand up, minute hand left, hour hand at 52 degrees, well apart.
TEST_F(FacePainterTest, SmallHandsAndShadows) {
    Use(0);
    Compose(1, 45, 0);
    ExpectHandAndShadow(kHandSecond, 0, 26);
    ExpectHandAndShadow(kHandMinute, 270, 26);
    ExpectHandAndShadow(kHandHour, 52, 22);
}

TEST_F(FacePainterTest, MediumHandsAndShadows) {
    Use(1);
    Compose(1, 45, 0);
    ExpectHandAndShadow(kHandSecond, 0, 30);
    ExpectHandAndShadow(kHandMinute, 270, 30);
    ExpectHandAndShadow(kHandHour, 52, 12);
}

TEST_F(FacePainterTest, LargeHandsAndShadows) {
    Use(2);
    Compose(1, 45, 0);
    ExpectHandAndShadow(kHandSecond, 0, 30);
    ExpectHandAndShadow(kHandMinute, 270, 30);
    ExpectHandAndShadow(kHandHour, 52, 18);
}

TEST_F(FacePainterTest, AtTwelveEveryShadowEndsTwoPixelsRightAndBelow) {
    Use(2);
    Compose(12, 0, 0);
    const HandGeometry& g = g_HandGeometry;
    // The hour hand lies on top of the other two; its shadow beside it, down to the tip + 2.
    EXPECT_EQ(HandColors[2][0], CanvasAt(g.centerX, g.centerY - g.hourLength + 1));
    EXPECT_EQ(RGB(0, 0, 0), CanvasAt(g.centerX + 2, g.centerY - g.hourLength + 3));
    EXPECT_EQ(HandColors[2][0], CanvasAt(g.centerX, g.centerY - 10));
    // Above the hour tip the minute hand (drawn after the second hand, same length) shows.
    EXPECT_EQ(HandColors[2][1], CanvasAt(g.centerX, g.centerY - g.minuteLength + 1));
    EXPECT_EQ(RGB(0, 0, 0), CanvasAt(g.centerX + 2, g.centerY - g.minuteLength + 3));
}

// 7:30:15: minute hand straight down, hour hand down-left at 225; the hour hand's shadow,
// starting 2 px right of and below the centre, crosses the minute hand just below the centre.
TEST_F(FacePainterTest, HourShadowLiesOverTheMinuteHand) {
    Use(2);
    Compose(7, 30, 15);
    const HandGeometry& g = g_HandGeometry;
    EXPECT_EQ(RGB(0, 0, 0), CanvasAt(g.centerX, g.centerY + 4));
    EXPECT_EQ(RGB(0, 0, 0), CanvasAt(g.centerX, g.centerY + 5));
    // Past the crossing the minute hand shows again.
    EXPECT_EQ(HandColors[2][1], CanvasAt(g.centerX, g.centerY + 8));
    EXPECT_EQ(HandColors[2][1], CanvasAt(g.centerX, g.centerY + 20));
}

TEST_F(FacePainterTest, MediumOrnamentsSitCentredOnTheTipsAndTheCapOnTheCentre) {
    Use(1);
    Compose(1, 45, 0);
    const HandGeometry& g = g_HandGeometry;
    Point minuteTip, hourTip;
    HandTip(minuteTip, g.centerX, g.centerY, g.minuteLength, 270);
    HandTip(hourTip, g.centerX, g.centerY, g.hourLength, 52);
    {
        SCOPED_TRACE("minute-tip ornament");
        ExpectPictureAt(g_pDecorB, minuteTip.x - 6, minuteTip.y - 8);
    }
    {
        SCOPED_TRACE("hour-tip ornament");
        ExpectPictureAt(g_pDecorA, hourTip.x - 13, hourTip.y - 10);
    }
    {
        SCOPED_TRACE("centre cap");
        ExpectPictureAt(g_pDecorC, 83, 82);
    }
    // The cap covers the centre and the shadows' centre.
    const DWORD capKey = g_pDecorC->GetPixel(0, 0);
    EXPECT_NE(capKey, g_pDecorC->GetPixel(86 - 83, 85 - 82));
    EXPECT_EQ(g_pDecorC->GetPixel(86 - 83, 85 - 82), g_pCanvas->GetPixel(86, 85));
    EXPECT_EQ(g_pDecorC->GetPixel(88 - 83, 87 - 82), g_pCanvas->GetPixel(88, 87));
}

TEST_F(FacePainterTest, SmallOverlayLiesAboveTheHands) {
    Use(0);
    for (int hour = 0; hour < 12; hour += 3) {
        SCOPED_TRACE(testing::Message() << "at " << hour << ":" << hour * 5);
        Compose(hour, hour * 5, hour * 5);
        ExpectPictureAt(g_pDecorA, 0, 0);
    }
}

TEST_F(FacePainterTest, DialShowsWhereNothingIsDrawn) {
    Use(0);
    Compose(1, 45, 0);
    // The bells at the top are far from any hand and outside the overlay's emblem.
    const DWORD key = g_pFace->GetPixel(0, 0);
    int compared = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 101; ++x)
            if (g_pFace->GetPixel(x, y) != key &&
                g_pDecorA->GetPixel(x, y) == g_pDecorA->GetPixel(0, 0) && (x < 45 || x > 56)) {
                EXPECT_EQ(g_pFace->GetPixel(x, y), g_pCanvas->GetPixel(x, y)) << x << "," << y;
                ++compared;
            }
    EXPECT_GT(compared, 100);
}

// Which strip frame the canvas shows, judged below the hands' reach; -1 when none matches.
int FrameShown() {
    const HandGeometry& g = g_HandGeometry;
    const int top = g.centerY + g.minuteLength + 6;
    int found = -1;
    for (int f = 0; f < 5; ++f) {
        bool same = true;
        for (int y = top; y < 256 && same; ++y)
            for (int x = 0; x < FrameWidth && same; ++x)
                same = g_pCanvas->GetPixel(x, y) == g_pFace->GetPixel(f * FrameWidth + x, y);
        if (same) {
            if (found >= 0)
                return -2;
            found = f;
        }
    }
    return found;
}

TEST_F(FacePainterTest, LargePendulumSwingsThroughTheSequence) {
    Use(2);
    g_nAnimationPos = 0;
    const int expected[] = {2, 3, 4, 3, 2, 1, 0, 1, 2};
    for (int i = 0; i < 9; ++i) {
        Compose(10, 10, 30);
        EXPECT_EQ(expected[i], FrameShown()) << "paint " << i;
        EXPECT_EQ((i + 1) % 8, g_nAnimationPos);
    }
    // Frame 2 is strip columns 344..515 in full where no hand lies: the left edge of the
    // frame against the canvas's, the whole height.
    g_nAnimationPos = 0;
    Compose(10, 10, 30);
    for (int y = 0; y < 256; ++y) {
        ASSERT_EQ(g_pFace->GetPixel(344, y), g_pCanvas->GetPixel(0, y)) << y;
        ASSERT_EQ(g_pFace->GetPixel(515, y), g_pCanvas->GetPixel(171, y)) << y;
    }
    g_nAnimationPos = 6;
    Compose(10, 10, 30);
    for (int y = 0; y < 256; ++y)
        ASSERT_EQ(g_pFace->GetPixel(171, y), g_pCanvas->GetPixel(171, y)) << y;
}

TEST_F(FacePainterTest, PendulumSurvivesASizeSwitch) {
    Use(2);
    g_nAnimationPos = 0;
    Compose(10, 10, 30);
    Compose(10, 10, 30);
    Compose(10, 10, 30);
    Use(0);
    Compose(10, 10, 30);
    EXPECT_EQ(3, g_nAnimationPos);
    Use(2);
    EXPECT_EQ(3, g_nAnimationPos);
    Compose(10, 10, 30);
    EXPECT_EQ(3, FrameShown());
}

TEST_F(FacePainterTest, TheStripFramesDifferInThePendulum) {
    Use(2);
    const HandGeometry& g = g_HandGeometry;
    const int top = g.centerY + g.minuteLength + 6;
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) {
            int differing = 0;
            for (int y = top; y < 256; ++y)
                for (int x = 0; x < FrameWidth; ++x)
                    differing += g_pFace->GetPixel(a * FrameWidth + x, y) !=
                                 g_pFace->GetPixel(b * FrameWidth + x, y);
            EXPECT_GT(differing, 0) << a << " vs " << b;
        }
}

TEST_F(FacePainterTest, NothingIsDrawnWhileTheFaceIsNotReady) {
    Use(2);
    g_nAnimationPos = 4;
    g_bFaceReady = 0;
    const SYSTEMTIME t = TimeOfDay(3, 0, 0);
    EXPECT_EQ(0, ComposeFrame(2, &t));
    // PaintClock too: the pendulum stays.
    g_WindowSettings.SIZE = 2;
    InvalidateRect(g_hMainWnd, nullptr, FALSE);
    UpdateWindow(g_hMainWnd);
    EXPECT_EQ(4, g_nAnimationPos);
    g_bFaceReady = 1;
    InvalidateRect(g_hMainWnd, nullptr, FALSE);
    UpdateWindow(g_hMainWnd);
    EXPECT_EQ(5, g_nAnimationPos);
    g_nAnimationPos = 0;
}

TEST_F(FacePainterTest, PaintClockShowsTheCanvasInTheWindow) {
    Use(1);
    g_WindowSettings.SIZE = 1;
    InvalidateRect(g_hMainWnd, nullptr, FALSE);
    UpdateWindow(g_hMainWnd);
    // The window's pixels are the canvas's where the window is shaped.
    HDC dc = GetDC(g_hMainWnd);
    const COLORREF shown = GetPixel(dc, 30, 86);
    ReleaseDC(g_hMainWnd, dc);
    if (shown != CLR_INVALID) {
        EXPECT_EQ(CanvasAt(30, 86), shown);
    }
}

TEST_F(FacePainterTest, EmptyPicturesPaintNothingAndDoNotFail) {
    Use(1);
    g_pFace->Free();
    g_pDecorA->Free();
    g_pDecorB->Free();
    g_pDecorC->Free();
    const SYSTEMTIME t = TimeOfDay(3, 0, 0);
    EXPECT_EQ(1, ComposeFrame(1, &t));
    EXPECT_EQ(1, ComposeFrame(2, &t));
    EXPECT_EQ(1, ComposeFrame(0, &t));
    g_pCanvas->Free();
    EXPECT_EQ(1, ComposeFrame(0, &t));
    s_nBuilt = -1;
}

TEST(DrawLine, DrawsASolidLineAndLeavesThePenAlone) {
    CDIB* image = MakeFilledImage(20, 20, 0x00FFFFFF);
    ASSERT_NE(nullptr, image);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image->GetBitmap());
    HGDIOBJ penBefore = GetCurrentObject(dc, OBJ_PEN);
    DrawLine(dc, 2, 10, 17, 10, 3, RGB(10, 20, 30));
    GdiFlush();
    EXPECT_EQ(penBefore, GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(RGB(10, 20, 30), PixelToColorref(image->GetPixel(8, 9)));
    EXPECT_EQ(RGB(10, 20, 30), PixelToColorref(image->GetPixel(8, 10)));
    EXPECT_EQ(RGB(10, 20, 30), PixelToColorref(image->GetPixel(8, 11)));
    EXPECT_EQ(RGB(255, 255, 255), PixelToColorref(image->GetPixel(8, 13)));
    EXPECT_EQ(RGB(255, 255, 255), PixelToColorref(image->GetPixel(8, 7)));
    SelectObject(dc, old);
    DeleteDC(dc);
    delete image;
}

} // namespace
