#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "app/main_window.h"
#include "face/face_painter.h"
#include "face/face_set.h"
#include "face_test_support.h"

namespace {

class FaceSetTest : public testing::Test {
  protected:
    void SetUp() override { m_hWindow = UseTestMainWindow(); }
    void TearDown() override { FreeFaceSet(); }

    // The window's current region as a copy the caller deletes; null when it has none.
    HRGN WindowRegion() {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(m_hWindow, copy) == ERROR) {
            DeleteObject(copy);
            return nullptr;
        }
        return copy;
    }

    HWND m_hWindow = nullptr;
};

struct SizeCase {
    int size;
    int width, height;
};
const SizeCase kSizes[] = {{0, 101, 128}, {1, 172, 172}, {2, 172, 256}};

TEST_F(FaceSetTest, WindowCanvasAndRegionTakeTheDialsSizeAndOutline) {
    for (const SizeCase& c : kSizes) {
        SCOPED_TRACE(testing::Message() << "size " << c.size);
        g_WindowSettings.SIZE = 7;
        BuildFaceSet(c.size);
        EXPECT_EQ(1, g_bFaceReady);
        EXPECT_EQ(c.size, g_WindowSettings.SIZE);
        EXPECT_TRUE(IsWindowVisible(m_hWindow));
        ASSERT_NE(nullptr, g_pCanvas);
        EXPECT_EQ(c.width, g_pCanvas->GetWidth());
        EXPECT_EQ(c.height, g_pCanvas->GetHeight());
        EXPECT_EQ(32, g_pCanvas->GetBitCount());
        EXPECT_TRUE(g_pCanvas->IsTopDown());
        RECT r;
        GetWindowRect(m_hWindow, &r);
        EXPECT_EQ(c.width, r.right - r.left);
        EXPECT_EQ(c.height, r.bottom - r.top);
        HRGN region = WindowRegion();
        ASSERT_NE(nullptr, region);
        RECT box;
        EXPECT_EQ(COMPLEXREGION, GetRgnBox(region, &box));
        EXPECT_GE(box.left, 0);
        EXPECT_GE(box.top, 0);
        EXPECT_LE(box.right, c.width);
        EXPECT_LE(box.bottom, c.height);
        // The key-coloured corner is outside, the pivot of the hands inside.
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        EXPECT_TRUE(PtInRegion(region, kHandGeometryTable[c.size].centerX,
                               kHandGeometryTable[c.size].centerY));
        // Exactly the dial's (or first frame's) pixels that are not the key colour.
        const DWORD key = g_pFace->GetPixel(0, 0);
        int mismatches = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                if ((g_pFace->GetPixel(x, y) != key) != (PtInRegion(region, x, y) != 0))
                    ++mismatches;
        EXPECT_EQ(0, mismatches);
        DeleteObject(region);
    }
}

TEST_F(FaceSetTest, LargeOutlineOfTheFirstFrameFitsAllFive) {
    BuildFaceSet(2);
    ASSERT_EQ(860, g_pFace->GetWidth());
    HRGN region = WindowRegion();
    ASSERT_NE(nullptr, region);
    const DWORD key = g_pFace->GetPixel(0, 0);
    for (int f = 0; f < 5; ++f) {
        int mismatches = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < FrameWidth; ++x)
                if ((g_pFace->GetPixel(f * FrameWidth + x, y) != key) !=
                    (PtInRegion(region, x, y) != 0))
                    ++mismatches;
        EXPECT_EQ(0, mismatches) << "frame " << f;
    }
    DeleteObject(region);
}

TEST_F(FaceSetTest, SlotsHoldThePicturesOfTheSize) {
    BuildFaceSet(0);
    ASSERT_TRUE(g_pFace && g_pDecorA && g_pDecorB && g_pDecorC);
    EXPECT_EQ(101, g_pFace->GetWidth());
    EXPECT_EQ(128, g_pFace->GetHeight());
    EXPECT_EQ(101, g_pDecorA->GetWidth());
    EXPECT_EQ(128, g_pDecorA->GetHeight());
    EXPECT_TRUE(g_pDecorB->IsEmpty());
    EXPECT_TRUE(g_pDecorC->IsEmpty());

    BuildFaceSet(1);
    ASSERT_TRUE(g_pFace && g_pDecorA && g_pDecorB && g_pDecorC);
    EXPECT_EQ(172, g_pFace->GetWidth());
    EXPECT_EQ(172, g_pFace->GetHeight());
    EXPECT_EQ(27, g_pDecorA->GetWidth());
    EXPECT_EQ(20, g_pDecorA->GetHeight());
    EXPECT_EQ(12, g_pDecorB->GetWidth());
    EXPECT_EQ(16, g_pDecorB->GetHeight());
    EXPECT_EQ(9, g_pDecorC->GetWidth());
    EXPECT_EQ(10, g_pDecorC->GetHeight());

    BuildFaceSet(2);
    ASSERT_TRUE(g_pFace && g_pDecorA && g_pDecorB && g_pDecorC);
    EXPECT_EQ(860, g_pFace->GetWidth());
    EXPECT_EQ(256, g_pFace->GetHeight());
    EXPECT_TRUE(g_pDecorA->IsEmpty());
    EXPECT_TRUE(g_pDecorB->IsEmpty());
    EXPECT_TRUE(g_pDecorC->IsEmpty());

    for (CDIB* image : {g_pFace, g_pDecorA, g_pDecorB, g_pDecorC, g_pCanvas})
        if (!image->IsEmpty()) {
            EXPECT_EQ(32, image->GetBitCount());
            EXPECT_TRUE(image->IsTopDown());
        }
}

// The DIB sections of the images the set holds now (empty slots have none).
std::vector<HBITMAP> LiveBitmaps() {
    std::vector<HBITMAP> bitmaps;
    for (CDIB* image : {g_pCanvas, g_pFace, g_pDecorA, g_pDecorB, g_pDecorC})
        if (image != nullptr && image->GetBitmap() != nullptr)
            bitmaps.push_back(image->GetBitmap());
    return bitmaps;
}

TEST_F(FaceSetTest, SwitchingSizesKeepsFiveImagesAndOneRegion) {
    BuildFaceSet(0);
    const int before = GdiObjectCount();
    // Through every pair of sizes, the same size twice included.
    const int sizes[] = {1, 2, 2, 0, 2, 1, 0};
    for (int size : sizes) {
        SCOPED_TRACE(testing::Message() << "to size " << size);
        const std::vector<HBITMAP> old = LiveBitmaps();
        BuildFaceSet(size);
        CDIB* slots[] = {g_pCanvas, g_pFace, g_pDecorA, g_pDecorB, g_pDecorC};
        for (int a = 0; a < 5; ++a) {
            ASSERT_NE(nullptr, slots[a]);
            for (int b = a + 1; b < 5; ++b)
                EXPECT_NE(slots[a], slots[b]);
        }
        // The previous images are gone with their sections; the new ones are alive.
        for (HBITMAP bitmap : old)
            EXPECT_EQ(0u, GetObjectType(bitmap));
        const size_t pictures = size == 0 ? 3u : size == 1 ? 5u : 2u;
        const std::vector<HBITMAP> now = LiveBitmaps();
        EXPECT_EQ(pictures, now.size());
        for (HBITMAP bitmap : now)
            EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(bitmap));
        HRGN region = WindowRegion();
        EXPECT_NE(nullptr, region);
        DeleteObject(region);
    }
    const int after = GdiObjectCount();
    // Where the system counts GDI objects, the count is back where it was.
    if (before > 0) {
        EXPECT_EQ(before, after);
    }
    const std::vector<HBITMAP> last = LiveBitmaps();
    FreeFaceSet();
    for (HBITMAP bitmap : last)
        EXPECT_EQ(0u, GetObjectType(bitmap));
    EXPECT_EQ(nullptr, g_pCanvas);
    EXPECT_EQ(nullptr, g_pFace);
    EXPECT_EQ(nullptr, g_pDecorA);
    EXPECT_EQ(nullptr, g_pDecorB);
    EXPECT_EQ(nullptr, g_pDecorC);
}

TEST_F(FaceSetTest, RebuildLeavesThePendulumWhereItStood) {
    g_nAnimationPos = 5;
    BuildFaceSet(2);
    BuildFaceSet(0);
    BuildFaceSet(2);
    EXPECT_EQ(5, g_nAnimationPos);
    g_nAnimationPos = 0;
}

TEST(HandGeometryTable, SetHandGeometryCopiesTheColumnOfTheSize) {
    HandGeometry g = {};
    SetHandGeometry(g, 2);
    const int large[] = {23, 38, 38, 3, 3, 2, 85, 89};
    EXPECT_EQ(0, memcmp(large, &g, sizeof(large)));
    SetHandGeometry(g, 0);
    const int small[] = {25, 31, 31, 3, 3, 2, 50, 80};
    EXPECT_EQ(0, memcmp(small, &g, sizeof(small)));
    SetHandGeometry(g, 1);
    const int medium[] = {30, 47, 47, 3, 3, 2, 86, 85};
    EXPECT_EQ(0, memcmp(medium, &g, sizeof(medium)));
    // Unknown sizes change nothing.
    SetHandGeometry(g, 3);
    EXPECT_EQ(0, memcmp(medium, &g, sizeof(medium)));
    SetHandGeometry(g, -1);
    EXPECT_EQ(0, memcmp(medium, &g, sizeof(medium)));
    EXPECT_EQ(32u, sizeof(HandGeometry));
}

TEST(FaceTables, ColoursAnimationAndSounds) {
    EXPECT_EQ(0x00FE6E99u, HandColors[0][0]);
    EXPECT_EQ(0x00FF6666u, HandColors[0][1]);
    EXPECT_EQ(0x000000FFu, HandColors[0][2]);
    for (int hand = 0; hand < 3; ++hand)
        EXPECT_EQ(0x00004C7Fu, HandColors[1][hand]);
    EXPECT_EQ(0x00FF1F2Au, HandColors[2][0]);
    EXPECT_EQ(0x00FF5F2Au, HandColors[2][1]);
    EXPECT_EQ(0x000000FFu, HandColors[2][2]);
    const unsigned char sequence[8] = {2, 3, 4, 3, 2, 1, 0, 1};
    EXPECT_EQ(0, memcmp(sequence, AnimationSequence, 8));
    EXPECT_EQ(172, FrameWidth);
    const char* names[3][2] = {
        {"w01.wav", "w02.wav"}, {"w03.wav", "w04.wav"}, {"w05.wav", "w06.wav"}};
    EXPECT_EQ(260u, sizeof(SoundFiles[0][0]));
    for (int size = 0; size < 3; ++size)
        for (int kind = 0; kind < 2; ++kind) {
            EXPECT_STREQ(names[size][kind], SoundFiles[size][kind]);
            for (size_t i = strlen(names[size][kind]); i < 260; ++i)
                ASSERT_EQ(0, SoundFiles[size][kind][i]);
        }
}

} // namespace
