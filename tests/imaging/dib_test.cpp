// Creating images: strides, headers, masks, row order, pixel access and refused depths.
#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/dib.h"
#include "imaging/palette.h"

TEST(ChannelMasks, Formats) {
    ChannelMasks m = MakeChannelMasks(5, 5, 5);
    EXPECT_EQ(0x7C00u, m.red);
    EXPECT_EQ(0x03E0u, m.green);
    EXPECT_EQ(0x001Fu, m.blue);
    m = MakeChannelMasks(8, 8, 8);
    EXPECT_EQ(0x00FF0000u, m.red);
    EXPECT_EQ(0x0000FF00u, m.green);
    EXPECT_EQ(0x000000FFu, m.blue);
    m = MakeChannelMasks(5, 6, 5);
    EXPECT_EQ(0xF800u, m.red);
    EXPECT_EQ(0x07E0u, m.green);
    EXPECT_EQ(0x001Fu, m.blue);
}

TEST(CDIB, FreshImageIsEmpty) {
    CDIB dib;
    EXPECT_EQ(1, dib.IsEmpty());
    EXPECT_EQ(nullptr, dib.GetBitmap());
    EXPECT_EQ(0, dib.GetHeaderSize());
    EXPECT_EQ(0, dib.GetWidth());
    EXPECT_EQ(0, dib.GetHeight());
    EXPECT_EQ(0, dib.GetBitCount());
    EXPECT_EQ(0, dib.GetStride());
    EXPECT_EQ(1, dib.IsTopDown());
    EXPECT_EQ(0, dib.m_nWidth);
    EXPECT_EQ(0, dib.m_nHeight);
    EXPECT_EQ(nullptr, dib.GetRow(0));
    EXPECT_EQ(0u, dib.GetPixel(0, 0));
    EXPECT_NE(nullptr, dib.GetPalette());
    EXPECT_EQ(0x00FF0000u, dib.GetChannelMasks().red);
}

TEST(CDIB, CreateBottomUp) {
    CDIB dib;
    ASSERT_EQ(1, dib.Create(10, 5, 24, 0));
    EXPECT_EQ(0, dib.IsEmpty());
    EXPECT_NE(nullptr, dib.GetBitmap());
    EXPECT_EQ(32, dib.GetStride());
    EXPECT_EQ(5, dib.GetHeader()->biHeight);
    EXPECT_EQ(dib.GetBits() + 128, dib.GetRow(0));
    EXPECT_EQ(dib.GetBits(), dib.GetRow(4));
    EXPECT_EQ(-32, dib.GetRowStep());
    EXPECT_EQ(5, dib.GetHeight());
    EXPECT_EQ(10, dib.GetWidth());
    EXPECT_EQ(0, dib.IsTopDown());
    EXPECT_EQ(10, dib.m_nWidth);
    EXPECT_EQ(5, dib.m_nHeight);
    EXPECT_EQ(40u, dib.GetHeader()->biSize);
    EXPECT_EQ(1, dib.GetHeader()->biPlanes);
    EXPECT_EQ((DWORD)BI_RGB, dib.GetHeader()->biCompression);
    EXPECT_EQ(40u, (size_t)dib.GetHeaderSize());
    // The section really is bottom-up: GDI's pixel (0, 0) is the first row's.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib.GetBitmap());
    SetPixelV(dc, 1, 0, RGB(0x11, 0x22, 0x33));
    GdiFlush();
    EXPECT_EQ(0x332211u, dib.GetPixel(1, 0));
    EXPECT_EQ(0x33, dib.GetBits()[128 + 3]);
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST(CDIB, CreateTopDown) {
    CDIB dib;
    ASSERT_EQ(1, dib.Create(10, 5, 24, 1));
    EXPECT_EQ(-5, dib.GetHeader()->biHeight);
    EXPECT_EQ(dib.GetBits(), dib.GetRow(0));
    EXPECT_EQ(dib.GetBits() + 32, dib.GetRow(1));
    EXPECT_EQ(32, dib.GetRowStep());
    EXPECT_EQ(5, dib.GetHeight());
    EXPECT_EQ(nullptr, dib.GetRow(5));
    EXPECT_EQ(nullptr, dib.GetRow(0xFFFFFFFFu));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib.GetBitmap());
    SetPixelV(dc, 2, 0, RGB(0x44, 0x55, 0x66));
    GdiFlush();
    EXPECT_EQ(0x665544u, dib.GetPixel(2, 0));
    EXPECT_EQ(0x66, dib.GetBits()[6]);
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST(CDIB, StridesAndHeaders) {
    struct Case {
        int width, bits, stride;
        size_t block;
        DWORD compression;
    };
    const Case cases[] = {
        {3, 1, 4, 48, BI_RGB},        {33, 1, 8, 48, BI_RGB},        {7, 4, 4, 104, BI_RGB},
        {9, 4, 8, 104, BI_RGB},       {5, 8, 8, 1064, BI_RGB},       {4, 8, 4, 1064, BI_RGB},
        {3, 16, 8, 52, BI_BITFIELDS}, {2, 16, 4, 52, BI_BITFIELDS},  {10, 24, 32, 40, BI_RGB},
        {1, 24, 4, 40, BI_RGB},       {3, 32, 12, 52, BI_BITFIELDS},
    };
    for (const Case& c : cases) {
        CDIB dib;
        ASSERT_EQ(1, dib.Create(c.width, 2, c.bits, 1)) << c.bits;
        EXPECT_EQ(c.stride, dib.GetStride()) << c.width << "x" << c.bits;
        EXPECT_EQ(c.bits, dib.GetBitCount());
        EXPECT_EQ(c.block, (size_t)dib.GetHeaderSize()) << c.bits;
        EXPECT_EQ(c.compression, dib.GetHeader()->biCompression) << c.bits;
        EXPECT_EQ(0u, dib.GetHeader()->biClrUsed);
        EXPECT_EQ(0u, dib.GetHeader()->biSizeImage);
    }
}

TEST(CDIB, MasksFollowTheDepth) {
    CDIB dib;
    ASSERT_EQ(1, dib.Create(3, 2, 16, 1));
    const DWORD* masks = reinterpret_cast<const DWORD*>(
        reinterpret_cast<const BYTE*>(dib.GetHeader()) + sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(0x7C00u, masks[0]);
    EXPECT_EQ(0x03E0u, masks[1]);
    EXPECT_EQ(0x001Fu, masks[2]);
    EXPECT_EQ(0x7C00u, dib.GetChannelMasks().red);
    EXPECT_EQ(0x001Fu, dib.GetChannelMasks().blue);
    ASSERT_EQ(1, dib.Create(3, 2, 32, 1));
    masks = reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(dib.GetHeader()) +
                                           sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(0x00FF0000u, masks[0]);
    EXPECT_EQ(0x0000FF00u, masks[1]);
    EXPECT_EQ(0x000000FFu, masks[2]);
    EXPECT_EQ(0x00FF0000u, dib.GetChannelMasks().red);
    ASSERT_EQ(1, dib.Create(3, 2, 16, 1));
    ASSERT_EQ(1, dib.Create(3, 2, 8, 1));
    EXPECT_EQ(0x00FF0000u, dib.GetChannelMasks().red);
    // A new paletted image's colour table is black.
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(
        reinterpret_cast<const BYTE*>(dib.GetHeader()) + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(0, table[i].rgbRed | table[i].rgbGreen | table[i].rgbBlue);
}

TEST(CDIB, UnsupportedDepthsAndSizes) {
    for (int bits : {0, 2, 3, 15, 17, 31, 33, 64, -8}) {
        CDIB dib;
        ASSERT_EQ(1, dib.Create(4, 4, 32, 1));
        EXPECT_EQ(0, dib.Create(7, 3, bits, 0)) << bits;
        EXPECT_EQ(1, dib.IsEmpty());
        EXPECT_EQ(nullptr, dib.GetBitmap());
        EXPECT_EQ(0, dib.GetWidth());
        // The extent and the flag hold the new values even so.
        EXPECT_EQ(7, dib.m_nWidth);
        EXPECT_EQ(3, dib.m_nHeight);
        EXPECT_EQ(0, dib.IsTopDown());
        EXPECT_EQ(0u, dib.GetPixel(0, 0));
    }
    CDIB dib;
    EXPECT_EQ(0, dib.Create(0, 3, 32, 1));
    EXPECT_EQ(0, dib.Create(3, 0, 32, 1));
    EXPECT_EQ(0, dib.Create(-3, 3, 32, 1));
    EXPECT_EQ(0, dib.Create(3, -3, 32, 1));
    EXPECT_EQ(0, dib.Create(0x7FFFFFFF, 0x7FFFFFFF, 32, 1));
    EXPECT_EQ(0, dib.Create(0x40000000, 2, 32, 1));
    EXPECT_EQ(1, dib.IsEmpty());
}

TEST(CDIB, FreeKeepsExtentAndFlag) {
    CDIB dib;
    ASSERT_EQ(1, dib.Create(6, 4, 8, 0));
    dib.Free();
    EXPECT_EQ(1, dib.IsEmpty());
    EXPECT_EQ(nullptr, dib.GetBits());
    EXPECT_EQ(nullptr, dib.GetBitmap());
    EXPECT_EQ(6, dib.m_nWidth);
    EXPECT_EQ(4, dib.m_nHeight);
    EXPECT_EQ(0, dib.IsTopDown());
    EXPECT_EQ(nullptr, dib.GetRow(0));
    dib.Free();
}

TEST(CDIB, GetPixelOfEveryDepth) {
    CDIB dib;
    ASSERT_EQ(1, dib.Create(16, 2, 1, 1));
    dib.GetRow(1)[0] = 0x80;
    dib.GetRow(1)[1] = 0x01;
    EXPECT_EQ(1u, dib.GetPixel(0, 1));
    for (UINT x = 1; x < 8; ++x)
        EXPECT_EQ(0u, dib.GetPixel(x, 1)) << x;
    EXPECT_EQ(1u, dib.GetPixel(15, 1));
    EXPECT_EQ(0u, dib.GetPixel(0, 0));

    ASSERT_EQ(1, dib.Create(3, 2, 4, 0));
    dib.GetRow(0)[0] = 0xAB;
    dib.GetRow(0)[1] = 0xC0;
    EXPECT_EQ(0xAu, dib.GetPixel(0, 0));
    EXPECT_EQ(0xBu, dib.GetPixel(1, 0));
    EXPECT_EQ(0xCu, dib.GetPixel(2, 0));
    EXPECT_EQ(0u, dib.GetPixel(3, 0));

    ASSERT_EQ(1, dib.Create(5, 3, 8, 1));
    dib.GetRow(2)[4] = 0xE7;
    EXPECT_EQ(0xE7u, dib.GetPixel(4, 2));

    ASSERT_EQ(1, dib.Create(3, 2, 16, 0));
    dib.GetRow(1)[2] = 0x34;
    dib.GetRow(1)[3] = 0x12;
    EXPECT_EQ(0x1234u, dib.GetPixel(1, 1));

    ASSERT_EQ(1, dib.Create(3, 2, 24, 1));
    BYTE* p = dib.GetRow(1) + 3;
    p[0] = 0x10;
    p[1] = 0x20;
    p[2] = 0x30;
    EXPECT_EQ(0x102030u, dib.GetPixel(1, 1));

    ASSERT_EQ(1, dib.Create(3, 2, 32, 0));
    p = dib.GetRow(0) + 8;
    p[0] = 0x10;
    p[1] = 0x20;
    p[2] = 0x30;
    p[3] = 0x40;
    EXPECT_EQ(0x40302010u, dib.GetPixel(2, 0));
    // Visual row 0 of a bottom-up image is its last stored row.
    EXPECT_EQ(0x40, dib.GetBits()[dib.GetStride() + 11]);
}

TEST(CDIB, GetPixelOutside) {
    CDIB dib;
    ASSERT_EQ(1, dib.Create(4, 3, 32, 1));
    memset(dib.GetBits(), 0xFF, (size_t)dib.GetStride() * 3);
    EXPECT_EQ(0xFFFFFFFFu, dib.GetPixel(3, 2));
    EXPECT_EQ(0u, dib.GetPixel(4, 0));
    EXPECT_EQ(0u, dib.GetPixel(0, 3));
    EXPECT_EQ(0u, dib.GetPixel(0xFFFFFFFFu, 0));
    EXPECT_EQ(0u, dib.GetPixel(0, 0xFFFFFFFFu));
}

TEST(CopyRowsReversed, LastRowFirst) {
    const BYTE source[] = {1, 2, 3, 4, 5, 6, 7};
    BYTE out[8];
    memset(out, 0xEE, sizeof(out));
    CopyRowsReversed(out, source, 6, 2);
    const BYTE expected[] = {5, 6, 3, 4, 1, 2, 0xEE, 0xEE};
    EXPECT_EQ(0, memcmp(expected, out, sizeof(out)));
    // A remainder shorter than a row: the rows are counted from the end of the length.
    memset(out, 0xEE, sizeof(out));
    CopyRowsReversed(out, source, 7, 3);
    const BYTE expected2[] = {5, 6, 7, 2, 3, 4, 0xEE, 0xEE};
    EXPECT_EQ(0, memcmp(expected2, out, sizeof(out)));
    memset(out, 0xEE, sizeof(out));
    CopyRowsReversed(out, source, 7, 0);
    CopyRowsReversed(out, source, 2, 3);
    for (BYTE b : out)
        EXPECT_EQ(0xEE, b);
}
