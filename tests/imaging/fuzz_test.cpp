// Thousands of mutated headers and truncations of real bitmaps: the loader never crashes and
// never reports success for data it cannot read whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <vector>

#include "imaging/dib.h"
#include "imaging_test_ids.h"
#include "imaging_test_support.h"

using namespace imaging_test;

namespace {
int32_t Get32(const std::vector<BYTE>& b, size_t at) {
    return (int32_t)((DWORD)b[at] | ((DWORD)b[at + 1] << 8) | ((DWORD)b[at + 2] << 16) |
                     ((DWORD)b[at + 3] << 24));
}

void Put32(std::vector<BYTE>& b, size_t at, DWORD v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = (BYTE)(v >> (8 * i));
}

// Bytes a header asks for in all: header, colour table and rows; -1 when it cannot be read.
long long Needed(const std::vector<BYTE>& b) {
    if (b.size() < 40)
        return -1;
    const long long width = Get32(b, 4), height = Get32(b, 8);
    const int bits = b[14] | (b[15] << 8);
    const DWORD used = (DWORD)Get32(b, 32);
    if (width <= 0 || height <= 0)
        return -1;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return -1;
    long long colours = 0;
    if (bits <= 8) {
        colours = used != 0 ? used : (1 << bits);
        if (colours > 256)
            return -1;
    }
    return 40 + 4 * colours + ((bits * width + 31) / 32) * 4 * height;
}

DWORD Interesting(std::mt19937& random) {
    static const DWORD kValues[] = {0,          1,          2,          3,          4,
                                    7,          8,          15,         16,         24,
                                    32,         255,        256,        257,        0x7FFF,
                                    0x8000,     0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000,
                                    0xFFFFFFFF, 0xFFFFFFFE, 0x40000000, 0x20000001, 0x01000000};
    if (random() % 2)
        return kValues[random() % (sizeof(kValues) / sizeof(kValues[0]))];
    return (DWORD)random() % 64;
}
} // namespace

TEST(LoaderFuzz, MutatedHeadersAndTruncations) {
    const int ids[] = {IDB_T01, IDB_T04, IDB_T08, IDB_T16, IDB_T24, IDB_T32, IDB_T236};
    std::vector<std::vector<BYTE>> originals;
    for (int id : ids) {
        originals.push_back(ResourceBytes(id));
        ASSERT_GT(originals.back().size(), 40u) << id;
    }
    std::mt19937 random(20240601);
    CDIB dib;
    int loaded = 0, refused = 0;
    for (int round = 0; round < 4000; ++round) {
        std::vector<BYTE> data = originals[random() % originals.size()];
        const int mutations = 1 + (int)(random() % 3);
        for (int m = 0; m < mutations; ++m) {
            const unsigned kind = random() % 6;
            if (kind < 5 && data.size() < 40)
                continue;
            switch (kind) {
            case 0: // width
                Put32(data, 4, Interesting(random));
                break;
            case 1: // height
                Put32(data, 8, Interesting(random));
                break;
            case 2: // bit count
                data[14] = (BYTE)Interesting(random);
                data[15] = (random() % 8 == 0) ? (BYTE)random() : 0;
                break;
            case 3: // used colours
                Put32(data, 32, Interesting(random));
                break;
            case 4: // any header byte but the compression
            {
                size_t at = random() % 40;
                if (at < 16 || at >= 20)
                    data[at] = (BYTE)random();
                break;
            }
            case 5: // cut or grow the data
                if (random() % 2)
                    data.resize(random() % (data.size() + 1));
                else
                    data.resize(data.size() + random() % 64, (BYTE)random());
                break;
            }
        }
        // A grown block may have brought garbage into the compression field; compressed data
        // has its own test, as it shows a message box.
        if (data.size() >= 40)
            Put32(data, 16, 0);
        const long long needed = Needed(data);
        CMemoryStream stream(data);
        const int result = dib.LoadFromStream(&stream);
        if (result == 1) {
            ++loaded;
            ASSERT_GE(needed, 0) << round;
            ASSERT_LE(needed, (long long)data.size()) << round;
            EXPECT_EQ((UINT)needed, stream.TotalRead()) << round;
            EXPECT_EQ(Get32(data, 4), dib.GetWidth()) << round;
            EXPECT_EQ(Get32(data, 8), dib.GetHeight()) << round;
            EXPECT_EQ(0, dib.IsEmpty());
            // Every pixel can be read back.
            DWORD sum = 0;
            for (int y = 0; y < dib.GetHeight(); y += 7)
                for (int x = 0; x < dib.GetWidth(); x += 5)
                    sum += dib.GetPixel((UINT)x, (UINT)y);
            (void)sum;
        } else {
            ++refused;
            ASSERT_EQ(0, result) << round;
            EXPECT_EQ(1, dib.IsEmpty()) << round;
            // Whatever was refused could not be read whole, or was too big to hold.
            if (needed >= 0 && needed <= (long long)data.size()) {
                const long long pixels = (long long)Get32(data, 4) * Get32(data, 8);
                EXPECT_TRUE(Get32(data, 4) > 32767 || Get32(data, 8) > 32767 || pixels > (1 << 24))
                    << round;
            }
        }
    }
    // Both outcomes really occurred.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 100);
}

TEST(LoaderFuzz, CompressionValues) {
    std::vector<BYTE> data = ResourceBytes(IDB_T08);
    for (DWORD compression : {1u, 2u, 3u, 0x80000000u}) {
        MessageBoxWatcher watcher("CDIB Error");
        Put32(data, 16, compression);
        CMemoryStream stream(data);
        CDIB dib;
        EXPECT_EQ(0, dib.LoadFromStream(&stream));
        watcher.Finish();
        EXPECT_EQ(1, watcher.Count()) << compression;
        EXPECT_EQ(1, dib.IsEmpty());
    }
}
