// Clipping of the copy rectangle and the colour-keyed copy.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <random>
#include <vector>

#include "imaging/dib.h"

namespace {
struct ClipCase {
    const char* name;
    BlitRect request;
    int expected;
    BlitRect result;
};

bool SameRect(const BlitRect& a, const BlitRect& b) {
    return a.SrcX == b.SrcX && a.SrcY == b.SrcY && a.Width == b.Width && a.Height == b.Height &&
           a.DstX == b.DstX && a.DstY == b.DstY;
}

void Fill(CDIB& dib, DWORD base) {
    for (int y = 0; y < dib.GetHeight(); ++y) {
        DWORD* row = reinterpret_cast<DWORD*>(dib.GetRow((UINT)y));
        for (int x = 0; x < dib.GetWidth(); ++x)
            row[x] = base + (DWORD)(y * 256 + x);
    }
}

void FillWith(CDIB& dib, DWORD value) {
    for (int y = 0; y < dib.GetHeight(); ++y) {
        DWORD* row = reinterpret_cast<DWORD*>(dib.GetRow((UINT)y));
        for (int x = 0; x < dib.GetWidth(); ++x)
            row[x] = value;
    }
}

std::vector<DWORD> Pixels(const CDIB& dib) {
    std::vector<DWORD> out;
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            out.push_back(dib.GetPixel((UINT)x, (UINT)y));
    return out;
}
} // namespace

TEST(ClipBlitRect, Table) {
    // Source 10 x 8, destination 20 x 15. Rectangles: SrcX, SrcY, Width, Height, DstX, DstY.
    const ClipCase cases[] = {
        {"inside", {1, 2, 4, 3, 5, 6}, 1, {1, 2, 4, 3, 5, 6}},
        {"whole source", {0, 0, 10, 8, 0, 0}, 1, {0, 0, 10, 8, 0, 0}},
        {"right of destination", {0, 0, 4, 3, 20, 0}, 0, {}},
        {"below destination", {0, 0, 4, 3, 0, 15}, 0, {}},
        {"zero width", {0, 0, 0, 3, 0, 0}, 0, {}},
        {"zero height", {0, 0, 4, 0, 0, 0}, 0, {}},
        {"source x outside", {10, 0, 4, 3, 0, 0}, 0, {}},
        {"source y outside", {0, 8, 4, 3, 0, 0}, 0, {}},
        {"left of destination", {0, 0, 4, 3, -4, 0}, 0, {}},
        {"above destination", {0, 0, 4, 3, 0, -3}, 0, {}},
        {"left edge", {0, 0, 5, 3, -3, 2}, 1, {3, 0, 2, 3, 0, 2}},
        {"top edge", {1, 1, 4, 5, 4, -2}, 1, {1, 3, 4, 3, 4, 0}},
        {"right edge", {0, 0, 6, 3, 17, 0}, 1, {0, 0, 3, 3, 17, 0}},
        {"bottom edge", {0, 0, 4, 6, 0, 12}, 1, {0, 0, 4, 3, 0, 12}},
        {"corner pixel", {0, 0, 4, 3, 19, 14}, 1, {0, 0, 1, 1, 19, 14}},
        {"source overrun narrower than source", {8, 0, 5, 3, 0, 0}, 0, {}},
        {"source overrun lower than source", {0, 5, 3, 4, 0, 0}, 0, {}},
        {"width of the whole source", {3, 0, 10, 3, 0, 0}, 1, {3, 0, 7, 3, 0, 0}},
        {"width beyond the source", {3, 0, 12, 3, 0, 0}, 1, {3, 0, 7, 3, 0, 0}},
        {"height of the whole source", {0, 2, 3, 8, 0, 0}, 1, {0, 2, 3, 6, 0, 0}},
        {"negative source x", {-1, 0, 3, 3, 0, 0}, 0, {}},
        {"negative source y", {0, -1, 3, 3, 0, 0}, 0, {}},
        {"negative source x made good", {-2, 0, 5, 3, -3, 0}, 1, {1, 0, 2, 3, 0, 0}},
        {"destination cut below source width", {0, 0, 15, 3, 12, 0}, 1, {0, 0, 8, 3, 12, 0}},
        {"destination cut, source overrun", {5, 0, 15, 3, 12, 0}, 0, {}},
        {"huge size", {0, 0, INT_MAX, INT_MAX, 5, 5}, 1, {0, 0, 10, 8, 5, 5}},
        {"most negative destination", {0, 0, 5, 5, INT_MIN, 0}, 0, {}},
        {"overflowing source x", {9, 0, INT_MAX, 1, -0x7FFFFFF0, 0}, 0, {}},
        {"overflowing sum", {0, 0, INT_MAX, 3, INT_MAX - 1, 0}, 0, {}},
        // A negative width counts as at least the source's width (unsigned comparison)...
        {"negative width", {0, 0, -2, 3, 5, 0}, 1, {0, 0, 10, 3, 5, 0}},
        // ...but is never allowed out of the destination.
        {"negative width leaving the destination", {0, 0, -2, 3, 15, 0}, 0, {}},
        {"negative height leaving the destination", {0, 0, 3, -2, 0, 10}, 0, {}},
    };
    CImageExtent source, destination;
    source.m_nWidth = 10;
    source.m_nHeight = 8;
    destination.m_nWidth = 20;
    destination.m_nHeight = 15;
    for (const ClipCase& c : cases) {
        BlitRect out = {-99, -99, -99, -99, -99, -99};
        EXPECT_EQ(c.expected, source.ClipBlitRect(&destination, &c.request, &out)) << c.name;
        if (c.expected == 1) {
            EXPECT_TRUE(SameRect(c.result, out))
                << c.name << ": " << out.SrcX << "," << out.SrcY << "," << out.Width << ","
                << out.Height << "," << out.DstX << "," << out.DstY;
        }
    }
}

TEST(ClipBlitRect, EmptyExtents) {
    CImageExtent empty, some;
    some.m_nWidth = 4;
    some.m_nHeight = 4;
    BlitRect request = {0, 0, 2, 2, 0, 0}, out;
    EXPECT_EQ(0, empty.ClipBlitRect(&some, &request, &out));
    EXPECT_EQ(0, some.ClipBlitRect(&empty, &request, &out));
    request = {0, 0, 2, 2, -1, -1};
    EXPECT_EQ(0, some.ClipBlitRect(&empty, &request, &out));
    request = {-2, 0, 3, 2, -3, 0};
    EXPECT_EQ(0, empty.ClipBlitRect(&some, &request, &out));
}

TEST(ColorKeyCopy, KeyAndTopByte) {
    CDIB source, destination;
    ASSERT_EQ(1, source.Create(4, 1, 32, 1));
    ASSERT_EQ(1, destination.Create(4, 1, 32, 1));
    DWORD* s = reinterpret_cast<DWORD*>(source.GetRow(0));
    s[0] = 0xFF00FF00;
    s[1] = 0x0000FF01;
    s[2] = 0x0000FF00;
    s[3] = 0x12345678;
    for (DWORD key : {0x0000FF00u, 0xFF00FF00u, 0x7700FF00u}) {
        FillWith(destination, 0xAAAAAAAA);
        BlitRect request = {0, 0, 4, 1, 0, 0};
        EXPECT_EQ(1, ColorKeyCopy(&destination, &source, &request, key));
        EXPECT_EQ(0xAAAAAAAAu, destination.GetPixel(0, 0));
        EXPECT_EQ(0x0000FF01u, destination.GetPixel(1, 0));
        EXPECT_EQ(0xAAAAAAAAu, destination.GetPixel(2, 0));
        EXPECT_EQ(0x12345678u, destination.GetPixel(3, 0));
    }
    // The top byte is copied with the pixel.
    FillWith(destination, 0);
    BlitRect request = {0, 0, 4, 1, 0, 0};
    EXPECT_EQ(1, ColorKeyCopy(&destination, &source, &request, 0x00123456));
    EXPECT_EQ(0xFF00FF00u, destination.GetPixel(0, 0));
}

TEST(ColorKeyCopy, NegativeDestination) {
    CDIB source, destination;
    ASSERT_EQ(1, source.Create(6, 4, 32, 1));
    ASSERT_EQ(1, destination.Create(5, 3, 32, 1));
    Fill(source, 0x01000000);
    FillWith(destination, 0xAAAAAAAA);
    BlitRect request = {0, 0, 6, 4, -3, -2};
    EXPECT_EQ(1, ColorKeyCopy(&destination, &source, &request, 0x00FFFFFF));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const DWORD expected =
                (x < 3 && y < 2) ? 0x01000000u + (DWORD)((y + 2) * 256 + x + 3) : 0xAAAAAAAAu;
            EXPECT_EQ(expected, destination.GetPixel((UINT)x, (UINT)y)) << x << "," << y;
        }
}

TEST(ColorKeyCopy, ClippedAtEveryEdge) {
    CDIB source, destination;
    ASSERT_EQ(1, source.Create(4, 4, 32, 1));
    ASSERT_EQ(1, destination.Create(6, 5, 32, 1));
    Fill(source, 0x02000000);
    struct Case {
        BlitRect request;
        int x0, y0, x1, y1; // destination pixels written: [x0, x1) x [y0, y1)
    } cases[] = {
        {{0, 0, 4, 4, -1, 1}, 0, 1, 3, 5},  // left
        {{0, 0, 4, 4, 1, -2}, 1, 0, 5, 2},  // top
        {{0, 0, 4, 4, 4, 0}, 4, 0, 6, 4},   // right
        {{0, 0, 4, 4, 0, 3}, 0, 3, 4, 5},   // bottom
        {{0, 0, 4, 4, 5, 4}, 5, 4, 6, 5},   // bottom right corner
        {{0, 0, 4, 4, -3, -3}, 0, 0, 1, 1}, // top left corner
    };
    for (const Case& c : cases) {
        FillWith(destination, 0xAAAAAAAA);
        EXPECT_EQ(1, ColorKeyCopy(&destination, &source, &c.request, 0x00FFFFFF));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x) {
                const bool inside = x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1;
                const DWORD expected =
                    inside ? 0x02000000u + (DWORD)((y - c.request.DstY) * 256 + x - c.request.DstX)
                           : 0xAAAAAAAAu;
                EXPECT_EQ(expected, destination.GetPixel((UINT)x, (UINT)y))
                    << c.request.DstX << "," << c.request.DstY << " at " << x << "," << y;
            }
    }
}

TEST(ColorKeyCopy, RefusedCases) {
    CDIB source, destination, empty, deep24, bottomUp;
    ASSERT_EQ(1, source.Create(4, 4, 32, 1));
    ASSERT_EQ(1, destination.Create(4, 4, 32, 1));
    ASSERT_EQ(1, deep24.Create(4, 4, 24, 1));
    ASSERT_EQ(1, bottomUp.Create(4, 4, 32, 0));
    Fill(source, 0x03000000);
    FillWith(destination, 0xAAAAAAAA);
    FillWith(bottomUp, 0xAAAAAAAA);
    const BlitRect ok = {0, 0, 4, 4, 0, 0};
    EXPECT_EQ(0, ColorKeyCopy(&empty, &source, &ok, 0));
    EXPECT_EQ(0, ColorKeyCopy(&destination, &empty, &ok, 0));
    EXPECT_EQ(0, ColorKeyCopy(&deep24, &source, &ok, 0));
    EXPECT_EQ(0, ColorKeyCopy(&destination, &deep24, &ok, 0));
    EXPECT_EQ(0, ColorKeyCopy(&bottomUp, &source, &ok, 0));
    EXPECT_EQ(0, ColorKeyCopy(&destination, &bottomUp, &ok, 0));
    const BlitRect overrun = {2, 0, 3, 4, 0, 0};
    EXPECT_EQ(0, ColorKeyCopy(&destination, &source, &overrun, 0));
    const BlitRect negative = {-1, 0, 3, 4, 0, 0};
    EXPECT_EQ(0, ColorKeyCopy(&destination, &source, &negative, 0));
    const BlitRect outside = {0, 0, 4, 4, 4, 0};
    EXPECT_EQ(0, ColorKeyCopy(&destination, &source, &outside, 0));
    EXPECT_EQ(0, ColorKeyCopy(nullptr, &source, &ok, 0));
    EXPECT_EQ(0, ColorKeyCopy(&destination, nullptr, &ok, 0));
    EXPECT_EQ(0, ColorKeyCopy(&destination, &source, nullptr, 0));
    for (DWORD p : Pixels(destination))
        EXPECT_EQ(0xAAAAAAAAu, p);
    for (DWORD p : Pixels(bottomUp))
        EXPECT_EQ(0xAAAAAAAAu, p);
    // An extent made larger than the pixels by hand is not believed.
    source.m_nWidth = 400;
    source.m_nHeight = 400;
    destination.m_nWidth = 400;
    destination.m_nHeight = 400;
    const BlitRect big = {0, 0, 400, 400, 0, 0};
    EXPECT_EQ(0, ColorKeyCopy(&destination, &source, &big, 0));
    for (DWORD p : Pixels(destination))
        EXPECT_EQ(0xAAAAAAAAu, p);
}

TEST(ColorKeyCopy, MatchesAPlainCopyOnRandomRectangles) {
    CDIB source, destination;
    ASSERT_EQ(1, source.Create(13, 9, 32, 1));
    ASSERT_EQ(1, destination.Create(17, 11, 32, 1));
    std::mt19937 random(1234);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x)
            reinterpret_cast<DWORD*>(source.GetRow((UINT)y))[x] =
                (random() % 3 == 0) ? 0x55000000u : (DWORD)random();
    for (int round = 0; round < 500; ++round) {
        BlitRect r;
        r.SrcX = (int)(random() % 17) - 2;
        r.SrcY = (int)(random() % 13) - 2;
        r.Width = (int)(random() % 22) - 2;
        r.Height = (int)(random() % 16) - 2;
        r.DstX = (int)(random() % 30) - 10;
        r.DstY = (int)(random() % 24) - 8;
        FillWith(destination, 0xAAAAAAAA);
        std::vector<DWORD> expected = Pixels(destination);
        BlitRect o;
        const int clipped = source.ClipBlitRect(&destination, &r, &o);
        if (clipped) {
            ASSERT_GE(o.DstX, 0);
            ASSERT_GE(o.DstY, 0);
            ASSERT_LE(o.DstX + o.Width, 17);
            ASSERT_LE(o.DstY + o.Height, 11);
            for (int y = 0; y < o.Height; ++y)
                for (int x = 0; x < o.Width; ++x) {
                    const DWORD p = source.GetPixel((UINT)(o.SrcX + x), (UINT)(o.SrcY + y));
                    if ((p & 0xFFFFFF) != 0)
                        expected[(size_t)(o.DstY + y) * 17 + (size_t)(o.DstX + x)] = p;
                }
        }
        EXPECT_EQ(clipped, ColorKeyCopy(&destination, &source, &r, 0x01000000));
        EXPECT_EQ(expected, Pixels(destination)) << round;
    }
}

TEST(ColorKeyCopy, WideRowsOfEveryKind) {
    // Groups of eight all key, none key and mixed, then a tail shorter than a group.
    const int width = 45;
    CDIB source, destination;
    ASSERT_EQ(1, source.Create(width, 3, 32, 1));
    ASSERT_EQ(1, destination.Create(width + 3, 4, 32, 1));
    const DWORD key = 0x00ABCDEF;
    auto pixel = [&](int x, int y) -> DWORD {
        if (x < 8)
            return 0x7F000000u | key; // all key, top byte differing
        if (x < 16)
            return 0x00010101u * (DWORD)(x + y);
        if (x < 24)
            return (x + y) % 3 == 0 ? key : 0xC0000000u + (DWORD)x;
        return (x * 5 + y) % 4 == 0 ? key : 0x00100000u + (DWORD)(x * 256 + y);
    };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x)
            reinterpret_cast<DWORD*>(source.GetRow((UINT)y))[x] = pixel(x, y);
    for (int dx : {0, 1, 3}) {
        FillWith(destination, 0xAAAAAAAA);
        BlitRect request = {0, 0, width, 3, dx, 1};
        ASSERT_EQ(1, ColorKeyCopy(&destination, &source, &request, 0xFFABCDEF));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < width + 3; ++x) {
                DWORD expected = 0xAAAAAAAA;
                const int sx = x - dx, sy = y - 1;
                if (sy >= 0 && sx >= 0 && sx < width && (pixel(sx, sy) & 0xFFFFFF) != key)
                    expected = pixel(sx, sy);
                EXPECT_EQ(expected, destination.GetPixel((UINT)x, (UINT)y))
                    << dx << ": " << x << "," << y;
            }
    }
}
