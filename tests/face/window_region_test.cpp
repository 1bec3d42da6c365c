#include <gtest/gtest.h>

#include <vector>

#include "face/window_region.h"
#include "face_test_support.h"

namespace {

const DWORD kKey = 0x0000FEFF;
const DWORD kInk = 0x00123456;

// A picture given as rows of characters: '.' key, anything else ink.
struct TextPicture {
    std::vector<const char*> rows;
};

DWORD TextPixel(const void* context, int x, int y) {
    const TextPicture* p = static_cast<const TextPicture*>(context);
    return p->rows[static_cast<size_t>(y)][x] == '.' ? kKey : kInk;
}

std::vector<RECT> Collect(const TextPicture& picture, int x0, int y0, int width, int height) {
    std::vector<RECT> rects(kMaxRegionRects);
    const int n =
        CollectRegionRects(TextPixel, &picture, x0, y0, width, height, kKey, rects.data());
    rects.resize(static_cast<size_t>(n));
    return rects;
}

void ExpectRect(const RECT& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(right, r.right);
    EXPECT_EQ(bottom, r.bottom);
}

TEST(RegionRuns, FullRowIsOneRectangle) {
    TextPicture p = {{"xxxxx"}};
    std::vector<RECT> r = Collect(p, 0, 0, 5, 1);
    ASSERT_EQ(1u, r.size());
    ExpectRect(r[0], 0, 0, 5, 1);
}

TEST(RegionRuns, FullRowOfAnOffsetBlock) {
    TextPicture p = {{"......", "..xxx.", "......"}};
    std::vector<RECT> r = Collect(p, 2, 1, 3, 1);
    ASSERT_EQ(1u, r.size());
    ExpectRect(r[0], 2, 1, 5, 2);
}

TEST(RegionRuns, LonePixelInTheLastColumn) {
    TextPicture p = {{"....", "...x"}};
    std::vector<RECT> r = Collect(p, 0, 0, 4, 2);
    ASSERT_EQ(1u, r.size());
    ExpectRect(r[0], 3, 1, 4, 2);
}

TEST(RegionRuns, KeyPixelInTheLastColumnEndsTheRunBeforeIt) {
    TextPicture p = {{".xx."}};
    std::vector<RECT> r = Collect(p, 0, 0, 4, 1);
    ASSERT_EQ(1u, r.size());
    ExpectRect(r[0], 1, 0, 3, 1);
}

TEST(RegionRuns, RunsNeverContinueIntoTheNextRow) {
    TextPicture p = {{"..xx", "xx.."}};
    std::vector<RECT> r = Collect(p, 0, 0, 4, 2);
    ASSERT_EQ(2u, r.size());
    ExpectRect(r[0], 2, 0, 4, 1);
    ExpectRect(r[1], 0, 1, 2, 2);
}

TEST(RegionRuns, AlternatingPixelsGiveOneRectanglePerInkPixel) {
    TextPicture p = {{".x.x.x.x"}};
    std::vector<RECT> r = Collect(p, 0, 0, 8, 1);
    ASSERT_EQ(4u, r.size());
    for (int i = 0; i < 4; ++i)
        ExpectRect(r[static_cast<size_t>(i)], 2 * i + 1, 0, 2 * i + 2, 1);
}

TEST(RegionRuns, AllKeyGivesNothing) {
    TextPicture p = {{"....", "...."}};
    EXPECT_TRUE(Collect(p, 0, 0, 4, 2).empty());
    EXPECT_TRUE(Collect(p, 0, 0, 0, 2).empty());
    EXPECT_TRUE(Collect(p, 0, 0, 4, 0).empty());
}

// 50 runs a row.
DWORD AlternatingPixel(const void*, int x, int) {
    return (x & 1) ? kInk : kKey;
}

TEST(RegionRuns, KeepsExactlyTheFirst3000Runs) {
    std::vector<RECT> rects(kMaxRegionRects + 10);
    const int n = CollectRegionRects(AlternatingPixel, nullptr, 0, 0, 100, 70, kKey, rects.data());
    ASSERT_EQ(3000, n);
    ExpectRect(rects[0], 1, 0, 2, 1);
    // Run 3000 (index 2999) is the last one of row 59.
    ExpectRect(rects[2999], 99, 59, 100, 60);
    // Nothing was written past the limit.
    EXPECT_EQ(0, rects[3000].right);
}

TEST(RegionFromBitmap, CoversEveryInkPixelOfTheBlock) {
    CDIB* picture = MakeFilledImage(7, 5, kKey);
    ASSERT_NE(nullptr, picture);
    PutPixel(*picture, 1, 1, kInk);
    PutPixel(*picture, 2, 1, kInk);
    PutPixel(*picture, 6, 3, kInk);
    PutPixel(*picture, 0, 4, kInk);
    HRGN region = CreateRegionFromBitmap(*picture, 0, 0, 7, 5, kKey);
    ASSERT_NE(nullptr, region);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(picture->GetPixel(x, y) != kKey, PtInRegion(region, x, y) != 0)
                << x << "," << y;
    RECT box;
    EXPECT_EQ(COMPLEXREGION, GetRgnBox(region, &box));
    ExpectRect(box, 0, 1, 7, 5);
    DeleteObject(region);
    delete picture;
}

TEST(RegionFromBitmap, KeyComparesAllThirtyTwoBits) {
    CDIB* picture = MakeFilledImage(3, 1, kKey);
    ASSERT_NE(nullptr, picture);
    // Same colour, different top byte: not the key.
    PutPixel(*picture, 1, 0, kKey | 0xFF000000);
    HRGN region = CreateRegionFromBitmap(*picture, 0, 0, 3, 1, kKey);
    RECT box;
    EXPECT_EQ(SIMPLEREGION, GetRgnBox(region, &box));
    ExpectRect(box, 1, 0, 2, 1);
    DeleteObject(region);
    delete picture;
}

TEST(RegionFromBitmap, AllKeyAndEmptyPicturesGiveAnEmptyRegion) {
    CDIB* picture = MakeFilledImage(6, 4, kKey);
    ASSERT_NE(nullptr, picture);
    HRGN region = CreateRegionFromBitmap(*picture, 0, 0, 6, 4, kKey);
    ASSERT_NE(nullptr, region);
    RECT box;
    EXPECT_EQ(NULLREGION, GetRgnBox(region, &box));
    DeleteObject(region);
    delete picture;

    CDIB empty;
    region = CreateRegionFromBitmap(empty, 0, 0, 0, 0, 0);
    ASSERT_NE(nullptr, region);
    EXPECT_EQ(NULLREGION, GetRgnBox(region, &box));
    DeleteObject(region);
}

TEST(RegionFromBitmap, MoreThan3000RunsKeepsTheFirst3000) {
    CDIB* picture = MakeFilledImage(100, 70, kKey);
    ASSERT_NE(nullptr, picture);
    for (int y = 0; y < 70; ++y)
        for (int x = 1; x < 100; x += 2)
            PutPixel(*picture, x, y, kInk);
    HRGN region = CreateRegionFromBitmap(*picture, 0, 0, 100, 70, kKey);
    ASSERT_NE(nullptr, region);
    EXPECT_TRUE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 99, 59));
    EXPECT_FALSE(PtInRegion(region, 1, 60));
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    RECT box;
    GetRgnBox(region, &box);
    ExpectRect(box, 1, 0, 100, 60);
    DeleteObject(region);
    delete picture;
}

// A strip of five frames that share an outline (a diamond) and differ inside it.
TEST(RegionFromBitmap, FirstFrameOfAStripFitsEveryFrame) {
    const int w = 12, h = 10;
    CDIB* strip = MakeFilledImage(5 * w, h, kKey);
    ASSERT_NE(nullptr, strip);
    for (int f = 0; f < 5; ++f)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w - 1; ++x)
                if (abs(x - 5) + abs(y - 5) <= 4)
                    PutPixel(*strip, f * w + x, y, x == f + 3 ? 0x00000000 : kInk);
    HRGN region = CreateRegionFromBitmap(*strip, 0, 0, w, h, strip->GetPixel(0, 0));
    for (int f = 0; f < 5; ++f)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(strip->GetPixel(f * w + x, y) != kKey, PtInRegion(region, x, y) != 0)
                    << "frame " << f << " at " << x << "," << y;
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_LE(box.right, w);
    DeleteObject(region);
    delete strip;
}

} // namespace
