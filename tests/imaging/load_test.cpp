// Loading the test pictures of every depth, converting them to 32 bits, and refusing the
// compressed, truncated and lying ones.
#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/dib.h"
#include "imaging/palette.h"
#include "imaging/stream.h"
#include "imaging_test_ids.h"
#include "imaging_test_support.h"

using namespace imaging_test;

namespace {
LPCSTR Id(int id) {
    return MAKEINTRESOURCEA(id);
}

// Every pixel of a 32-bit top-down image against the picture's formula.
template <typename Expected>
void ExpectPicture(const CDIB& dib, int width, int height, Expected expected) {
    ASSERT_EQ(32, dib.GetBitCount());
    ASSERT_EQ(1, dib.IsTopDown());
    ASSERT_EQ(width, dib.GetWidth());
    ASSERT_EQ(height, dib.GetHeight());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(expected(x, y), dib.GetPixel((UINT)x, (UINT)y) & 0x00FFFFFF)
                << "pixel " << x << "," << y;
}

// A 5-bit channel widened to 8 bits the way GDI does: the top bits repeated below.
int Widen5(int v) {
    return (v << 3) | (v >> 2);
}

void ExpectRefused(int id) {
    MessageBoxWatcher watcher("CDIB Error");
    CDIB dib;
    ASSERT_EQ(1, dib.Create(3, 3, 32, 1));
    EXPECT_EQ(0, dib.LoadFromResource(nullptr, Id(id))) << id;
    EXPECT_EQ(1, dib.IsEmpty()) << id;
    EXPECT_EQ(nullptr, dib.GetBitmap());
    EXPECT_EQ(0, dib.LoadConverted(nullptr, Id(id), 32)) << id;
    EXPECT_EQ(1, dib.IsEmpty()) << id;
    watcher.Finish();
    EXPECT_EQ(0, watcher.Count()) << id;
}
} // namespace

TEST(BitmapLoad, OneBit) {
    CDIB dib;
    ASSERT_EQ(1, dib.LoadFromResource(nullptr, Id(IDB_T01)));
    EXPECT_EQ(1, dib.GetBitCount());
    EXPECT_EQ(1, dib.IsTopDown());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ((DWORD)Index1(x, y), dib.GetPixel((UINT)x, (UINT)y)) << x << "," << y;
    RGBQUAD table[2];
    ASSERT_EQ(2u, dib.GetPalette()->GetEntriesRGBQuad(0, 2, table));
    EXPECT_EQ(0x56, table[0].rgbBlue);
    EXPECT_EQ(0xFE, table[1].rgbRed);
    ASSERT_EQ(1, dib.ConvertBitCount(32));
    ExpectPicture(dib, 13, 5, [](int x, int y) { return Colour1(Index1(x, y)); });
}

TEST(BitmapLoad, FourBits) {
    CDIB dib;
    ASSERT_EQ(1, dib.LoadFromResource(nullptr, Id(IDB_T04)));
    EXPECT_EQ(4, dib.GetBitCount());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ((DWORD)Index4(x, y), dib.GetPixel((UINT)x, (UINT)y)) << x << "," << y;
    ASSERT_EQ(1, dib.ConvertBitCount(32));
    ExpectPicture(dib, 7, 6, [](int x, int y) { return Colour4(Index4(x, y)); });
}

TEST(BitmapLoad, EightBits) {
    CDIB dib;
    ASSERT_EQ(1, dib.LoadConverted(nullptr, Id(IDB_T08), 32));
    ExpectPicture(dib, 9, 7, [](int x, int y) { return Colour8(Index8(x, y)); });
}

TEST(BitmapLoad, EightBitsWith236Colours) {
    CDIB dib;
    ASSERT_EQ(1, dib.LoadFromResource(nullptr, Id(IDB_T236)));
    EXPECT_EQ(8, dib.GetBitCount());
    // Visual row 0 is the picture's top row.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ((DWORD)Index236(x, y), dib.GetPixel((UINT)x, (UINT)y)) << x << "," << y;
    RGBQUAD table[256];
    ASSERT_EQ(256u, dib.GetPalette()->GetEntriesRGBQuad(0, 256, table));
    for (int i = 0; i < 236; ++i) {
        EXPECT_EQ((Colour236(i) >> 16) & 255, table[i].rgbRed) << i;
        EXPECT_EQ((Colour236(i) >> 8) & 255, table[i].rgbGreen) << i;
        EXPECT_EQ(Colour236(i) & 255, table[i].rgbBlue) << i;
    }
    // The entries the bitmap does not have are black.
    for (int i = 236; i < 256; ++i)
        EXPECT_EQ(0, table[i].rgbRed | table[i].rgbGreen | table[i].rgbBlue) << i;
    ASSERT_EQ(1, dib.ConvertBitCount(32));
    ExpectPicture(dib, 10, 4, [](int x, int y) { return Colour236(Index236(x, y)); });
}

TEST(BitmapLoad, SixteenBits) {
    CDIB dib;
    ASSERT_EQ(1, dib.LoadFromResource(nullptr, Id(IDB_T16)));
    EXPECT_EQ(16, dib.GetBitCount());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Raw16(x, y), dib.GetPixel((UINT)x, (UINT)y)) << x << "," << y;
    ASSERT_EQ(1, dib.ConvertBitCount(32));
    ExpectPicture(dib, 5, 4, [](int x, int y) {
        return Rgb(Widen5(Red16(x, y)), Widen5(Green16(x, y)), Widen5(Blue16(x, y)));
    });
}

TEST(BitmapLoad, TwentyFourBits) {
    CDIB dib;
    ASSERT_EQ(1, dib.LoadFromResource(nullptr, Id(IDB_T24)));
    EXPECT_EQ(24, dib.GetBitCount());
    // GetPixel of 24 bits gives the colour as 0x00BBGGRR.
    const DWORD c = Colour24(2, 1);
    EXPECT_EQ(((c & 255) << 16) | (c & 0xFF00) | (c >> 16), dib.GetPixel(2, 1));
    ASSERT_EQ(1, dib.ConvertBitCount(32));
    ExpectPicture(dib, 6, 3, Colour24);
}

TEST(BitmapLoad, ThirtyTwoBitsStayAsLoaded) {
    CDIB dib;
    EXPECT_EQ(0, dib.LoadConverted(nullptr, Id(IDB_T32), 32));
    EXPECT_EQ(0, dib.IsEmpty());
    EXPECT_EQ(32, dib.GetBitCount());
    EXPECT_EQ(1, dib.IsTopDown());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Pixel32(x, y), dib.GetPixel((UINT)x, (UINT)y)) << x << "," << y;
    EXPECT_EQ(0, dib.ConvertBitCount(32));
    EXPECT_EQ(Pixel32(3, 2), dib.GetPixel(3, 2));
}

TEST(BitmapLoad, ConversionsBetweenOtherDepths) {
    CDIB dib;
    ASSERT_EQ(1, dib.LoadConverted(nullptr, Id(IDB_T24), 16));
    EXPECT_EQ(16, dib.GetBitCount());
    EXPECT_EQ(1, dib.IsTopDown());
    // 24 to 16 bits keeps the top five bits of each channel.
    const DWORD c = Colour24(4, 2);
    const DWORD expected16 =
        (((c >> 16) & 0xF8) << 7) | (((c >> 8) & 0xF8) << 2) | ((c & 0xF8) >> 3);
    EXPECT_EQ(expected16, dib.GetPixel(4, 2));
    EXPECT_EQ(0, dib.ConvertBitCount(16));
    EXPECT_EQ(0, dib.ConvertBitCount(2));
    EXPECT_EQ(0, dib.ConvertBitCount(0));
    EXPECT_EQ(16, dib.GetBitCount());
    ASSERT_EQ(1, dib.ConvertBitCount(24));
    EXPECT_EQ(24, dib.GetBitCount());
    EXPECT_EQ(6, dib.GetWidth());
    EXPECT_EQ(3, dib.GetHeight());
    CDIB empty;
    EXPECT_EQ(0, empty.ConvertBitCount(32));
    EXPECT_EQ(1, empty.IsEmpty());
}

TEST(BitmapLoad, BottomUpWhenAskedFor) {
    CDIB dib;
    ASSERT_EQ(1, dib.Create(1, 1, 8, 0));
    ASSERT_EQ(1, dib.LoadFromResource(nullptr, Id(IDB_T08)));
    EXPECT_EQ(0, dib.IsTopDown());
    EXPECT_EQ(7, dib.GetHeader()->biHeight);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ((DWORD)Index8(x, y), dib.GetPixel((UINT)x, (UINT)y)) << x << "," << y;
    // Stored as in the file: the first stored row is the bottom one.
    EXPECT_EQ(Index8(0, 6), dib.GetBits()[0]);
    // Conversion makes it top-down.
    ASSERT_EQ(1, dib.ConvertBitCount(32));
    ExpectPicture(dib, 9, 7, [](int x, int y) { return Colour8(Index8(x, y)); });
}

TEST(BitmapLoad, CompressedIsRefusedWithAMessage) {
    MessageBoxWatcher watcher("CDIB Error");
    CDIB dib;
    ASSERT_EQ(1, dib.Create(3, 3, 32, 1));
    EXPECT_EQ(0, dib.LoadFromResource(nullptr, Id(IDB_RLE8)));
    watcher.Finish();
    EXPECT_EQ(1, watcher.Count());
    EXPECT_EQ("無圧縮のBitmapではありません", watcher.Text());
    EXPECT_EQ(0, watcher.HasCancel());
    EXPECT_EQ(1, watcher.HasIcon());
    EXPECT_EQ(1, dib.IsEmpty());
}

TEST(BitmapLoad, MissingResource) {
    MessageBoxWatcher watcher("CResourceStream Error");
    CDIB dib;
    ASSERT_EQ(1, dib.Create(3, 3, 32, 1));
    EXPECT_EQ(0, dib.LoadConverted(nullptr, Id(IDB_MISSING), 32));
    watcher.Finish();
    EXPECT_EQ(1, watcher.Count());
    EXPECT_EQ("Resource:777が見つかりませんでした。", watcher.Text());
    EXPECT_EQ(1, dib.IsEmpty());
}

TEST(BitmapLoad, TruncatedAndLyingOnesAreRefused) {
    ExpectRefused(IDB_SHORT_ROWS);
    ExpectRefused(IDB_SHORT_BYTE);
    ExpectRefused(IDB_CLR300);
    ExpectRefused(IDB_SHORT_TABLE);
    ExpectRefused(IDB_NEGATIVE_HEIGHT);
    ExpectRefused(IDB_ZERO_WIDTH);
    ExpectRefused(IDB_BITS2);
    ExpectRefused(IDB_HUGE);
    ExpectRefused(IDB_HEADER_ONLY);
}

TEST(BitmapLoad, StreamPositionAndShortStreams) {
    std::vector<BYTE> bytes = ResourceBytes(IDB_T24);
    ASSERT_EQ(100u, bytes.size());
    {
        CMemoryStream stream(bytes);
        CDIB dib;
        ASSERT_EQ(1, dib.LoadFromStream(&stream));
        EXPECT_EQ(100u, stream.TotalRead());
        EXPECT_EQ(Colour24(5, 2), (dib.ConvertBitCount(32), dib.GetPixel(5, 2) & 0xFFFFFF));
    }
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CMemoryStream stream(std::vector<BYTE>(bytes.begin(), bytes.begin() + (long)cut));
        CDIB dib;
        EXPECT_EQ(0, dib.LoadFromStream(&stream)) << cut;
        EXPECT_EQ(1, dib.IsEmpty()) << cut;
    }
    {
        // Behind an unbounded Seek nothing is left to read.
        CMemoryStream stream(bytes);
        stream.Seek(-8, 0);
        CDIB dib;
        EXPECT_EQ(0, dib.LoadFromStream(&stream));
        stream.Seek(1000, 0);
        EXPECT_EQ(0, dib.LoadFromStream(&stream));
        EXPECT_EQ(0, dib.LoadFromStream(nullptr));
    }
}
