// The bitmap loader fed whole and damaged pictures, the copy rectangle's clipping and the
// colour-keyed copy.
#include <gtest/gtest.h>

#include <random>

#include "imaging/dib.h"
#include "unit_support.h"

namespace {

DWORD Raw(int x, int y, int bits) {
    const DWORD v = static_cast<DWORD>(x * 37 + y * 101 + 5) * 2654435761u;
    return bits == 32 ? v : v & ((1u << bits) - 1);
}

// A bitmap as the resource compiler stores it: header, colour table, rows from the bottom up.
// Pixel (x, y) reads back as Raw(x, y).
Bytes MakeBitmap(int width, int height, int bits) {
    Bytes b;
    Put(b, 40, 4), Put(b, width, 4), Put(b, height, 4), Put(b, 1, 2), Put(b, bits, 2);
    Put(b, BI_RGB, 4), Put(b, 0, 20);
    for (int i = 0; i < (bits <= 8 ? 1 << bits : 0); ++i)
        Put(b, i * 0x010305u, 4);
    const int stride = (bits * width + 31) / 32 * 4;
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(stride);
        for (int x = 0; x < width; ++x) {
            const DWORD v = Raw(x, y, bits);
            if (bits <= 8)
                row[x * bits / 8] |= v << (8 - bits - x * bits % 8);
            for (int i = 0; bits > 8 && i < bits / 8; ++i)
                row[x * bits / 8 + i] = bits == 24 ? v >> (16 - 8 * i) : v >> (8 * i);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

} // namespace

TEST(BitmapLoader, EveryDepthReadsBackPixelForPixel) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(testing::Message() << bits << " bits");
        const Bytes file = MakeBitmap(13, 5, bits);
        CMemoryStream stream(file);
        CDIB dib;
        ASSERT_EQ(1, dib.LoadFromStream(&stream));
        ASSERT_EQ(13, dib.GetWidth());
        ASSERT_EQ(5, dib.GetHeight());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(Raw(x, y, bits), dib.GetPixel(x, y)) << x << "," << y;
    }
}

TEST(BitmapLoader, DamagedHeadersAreRefused) {
    const Bytes good = MakeBitmap(9, 7, 8); // 40 + 1024 + 7 * 12 bytes
    // Header field offset and size, its new value, bytes kept (0: all), loaded or not: whole,
    // header, colour table or rows cut short, width 0, a top-down height, width and pixels
    // beyond the limit, bit count 3, 257 colours, 2 colours (the rows come early).
    const int cases[][5] = {{0, 0, 0, 0, 1},     {0, 0, 0, 39, 0}, {0, 0, 0, 1040, 0},
                            {0, 0, 0, 1147, 0},  {4, 4, 0, 0, 0},  {8, 4, -7, 0, 0},
                            {4, 4, 32768, 0, 0}, {14, 2, 3, 0, 0}, {32, 4, 257, 0, 0},
                            {32, 4, 2, 0, 1}};
    for (const auto& c : cases) {
        Bytes file = good;
        memcpy(&file[c[0]], &c[2], c[1]); // little-endian like the file
        file.resize(c[3] ? c[3] : file.size());
        CMemoryStream stream(file);
        CDIB dib;
        EXPECT_EQ(c[4], dib.LoadFromStream(&stream)) << "case " << &c - cases;
        EXPECT_EQ(1 - c[4], dib.IsEmpty()) << "case " << &c - cases;
    }
}

// Mutated headers and cut or grown data: the loader never crashes, never accepts what it
// cannot read whole, and whatever it accepts has the header's size.
TEST(BitmapLoader, Fuzz) {
    std::mt19937 random(1207);
    const int depths[] = {1, 4, 8, 16, 24, 32};
    const unsigned char values[] = {0, 1, 3, 8, 0x7F, 0x80, 0xFF};
    int loaded = 0, refused = 0;
    for (int round = FuzzCount(3000); round > 0; --round) {
        Bytes file = MakeBitmap(1 + random() % 40, 1 + random() % 20, depths[random() % 6]);
        for (int m = 1 + random() % 3; m > 0; --m)
            if (random() % 4 == 0)
                file.resize(random() % (file.size() + 64), static_cast<unsigned char>(random()));
            else if (file.size() >= 40)
                file[random() % 40] = values[random() % 7];
        if (file.size() >= 20) // a compressed picture is refused with a message box
            memset(&file[16], BI_RGB, 4);
        CMemoryStream stream(file);
        CDIB dib;
        if (dib.LoadFromStream(&stream) == 0) {
            ++refused;
            ASSERT_EQ(1, dib.IsEmpty());
            continue;
        }
        ++loaded;
        BITMAPINFOHEADER h;
        memcpy(&h, file.data(), sizeof(h));
        const long long colours = h.biBitCount > 8 ? 0
                                  : h.biClrUsed    ? h.biClrUsed
                                                   : 1 << h.biBitCount;
        ASSERT_TRUE(h.biWidth == dib.GetWidth() && h.biHeight == dib.GetHeight());
        ASSERT_LE(40 + 4 * colours + (h.biBitCount * h.biWidth + 31) / 32 * 4LL * h.biHeight,
                  static_cast<long long>(file.size()));
        dib.GetPixel(h.biWidth - 1, h.biHeight - 1);
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}

TEST(ClipBlitRect, CutsToBothImages) {
    CImageExtent source, destination;
    source.m_nWidth = 10, source.m_nHeight = 8;
    destination.m_nWidth = 20, destination.m_nHeight = 15;
    // The request (source x, y, width, height, destination x, y), then 1 and the result or 0.
    const int cases[][13] = {{0, 0, 10, 8, 0, 0, 1, 0, 0, 10, 8, 0, 0},
                             {0, 0, 10, 8, -3, -2, 1, 3, 2, 7, 6, 0, 0},
                             {0, 0, 10, 8, 15, 12, 1, 0, 0, 5, 3, 15, 12},
                             {2, 3, 50, 50, 0, 0, 1, 2, 3, 8, 5, 0, 0},
                             {0, 0, 10, 8, 20, 0},
                             {10, 0, 5, 5, 0, 0},
                             {0, 0, -5, 4, 0, 0},
                             {0, 0, 0x7FFFFFFF, 0x7FFFFFFF, -0x7FFFFFFF, 0}};
    for (const auto& c : cases) {
        BlitRect out = {};
        ASSERT_EQ(c[6],
                  source.ClipBlitRect(&destination, reinterpret_cast<const BlitRect*>(c), &out))
            << &c - cases;
        EXPECT_TRUE(!c[6] || memcmp(c + 7, &out, sizeof(out)) == 0) << &c - cases;
    }
}

// Keyed pixels (the low 24 bits equal to the key) leave the destination alone, in the
// eight-pixel groups and in the rest of a row alike.
TEST(ColorKeyCopy, CopiesEveryPixelButTheKey) {
    const DWORD key = 0x00FF00FF, ground = 0x00123456;
    for (int width : {3, 8, 11, 16, 19}) {
        SCOPED_TRACE(testing::Message() << "width " << width);
        CDIB source, destination;
        ASSERT_EQ(1, source.Create(width, 4, 32, 1));
        ASSERT_EQ(1, destination.Create(24, 6, 32, 1));
        // Rows 0-1 mixed, row 2 all key (with other high bytes), row 3 without key.
        auto pixel = [&](int x, int y) -> DWORD {
            const bool keyed = y == 2 || (y < 2 && (x + 3 * y) % 5 == 0);
            return keyed ? key | (x << 24) : 0x01000000u * x + 0x10101u * (x + 1) + y;
        };
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 24; ++x) {
                reinterpret_cast<DWORD*>(destination.GetRow(y))[x] = ground;
                if (x < width && y < 4)
                    reinterpret_cast<DWORD*>(source.GetRow(y))[x] = pixel(x, y);
            }
        const BlitRect rect = {0, 0, width, 4, 1, 1};
        ASSERT_EQ(1, ColorKeyCopy(&destination, &source, &rect, key));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 24; ++x) {
                const bool inside = x >= 1 && x <= width && y >= 1 && y <= 4;
                const DWORD p = inside ? pixel(x - 1, y - 1) : key;
                ASSERT_EQ((p & 0xFFFFFF) == key ? ground : p, destination.GetPixel(x, y))
                    << x << "," << y;
            }
    }
    // Only 32-bit top-down images take part.
    CDIB deep, flat, upright;
    const BlitRect rect = {0, 0, 4, 4, 0, 0};
    ASSERT_EQ(1, deep.Create(4, 4, 32, 1) & flat.Create(4, 4, 24, 1) & upright.Create(4, 4, 32, 0));
    EXPECT_EQ(0, ColorKeyCopy(&flat, &deep, &rect, 0) | ColorKeyCopy(&upright, &deep, &rect, 0));
}
