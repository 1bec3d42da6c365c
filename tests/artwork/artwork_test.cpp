// Checks the committed pictures, icon and sounds against the formats the
// program relies on: the bitmap loader, the window outline built from the
// key colour, the frame strip of the large size and the wave player.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#ifndef CLOCK_SOURCE_DIR
#error "CLOCK_SOURCE_DIR must name the source tree"
#endif

namespace {

using Bytes = std::vector<uint8_t>;

bool ReadAll(const std::string& path, Bytes& out) {
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
    std::fclose(f);
    return true;
}

// Bounds-checked little-endian readers: a read past the end sets ok = false
// and yields 0.
struct Reader {
    const Bytes& b;
    bool ok = true;
    explicit Reader(const Bytes& bytes) : b(bytes) {}
    uint32_t U8(size_t at) {
        if (at >= b.size()) {
            ok = false;
            return 0;
        }
        return b[at];
    }
    uint32_t U16(size_t at) { return U8(at) | (U8(at + 1) << 8); }
    uint32_t U32(size_t at) { return U16(at) | (U16(at + 2) << 16); }
    int32_t S32(size_t at) { return static_cast<int32_t>(U32(at)); }
    bool Tag(size_t at, const char* t) {
        for (size_t i = 0; i < 4; ++i)
            if (U8(at + i) != static_cast<uint8_t>(t[i])) return false;
        return ok;
    }
};

using Rgb = std::array<uint8_t, 3>;

struct Bmp {
    int width = 0, height = 0;
    std::vector<Rgb> table;
    std::vector<uint8_t> pixels;  // top-down, width * height indices
    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

const uint32_t kEntries = 236;

// Parses a BMP file and checks every header rule on the way.
void ParseBmp(const std::string& name, Bmp& bmp) {
    Bytes b;
    ASSERT_TRUE(ReadAll(std::string(CLOCK_SOURCE_DIR) + "/resources/" + name, b)) << name;
    Reader r(b);
    ASSERT_GE(b.size(), 54u) << name;
    EXPECT_EQ(r.U8(0), uint32_t('B')) << name;
    EXPECT_EQ(r.U8(1), uint32_t('M')) << name;
    EXPECT_EQ(r.U32(2), b.size()) << name << ": file size field";
    const uint32_t offBits = r.U32(10);
    EXPECT_EQ(r.U32(14), 40u) << name << ": BITMAPINFOHEADER size";
    const int32_t w = r.S32(18), h = r.S32(22);
    EXPECT_EQ(r.U16(26), 1u) << name << ": planes";
    EXPECT_EQ(r.U16(28), 8u) << name << ": bits per pixel";
    EXPECT_EQ(r.U32(30), 0u) << name << ": compression BI_RGB";
    EXPECT_EQ(r.S32(38), 0) << name << ": x resolution";
    EXPECT_EQ(r.S32(42), 0) << name << ": y resolution";
    EXPECT_EQ(r.U32(46), kEntries) << name << ": biClrUsed";
    EXPECT_EQ(r.U32(50), 0u) << name << ": biClrImportant";
    ASSERT_TRUE(r.ok);
    ASSERT_GT(w, 0) << name;
    ASSERT_GT(h, 0) << name << ": rows must be stored bottom-up";
    ASSERT_LE(w, 4096);
    ASSERT_LE(h, 4096);
    const uint32_t rowBytes = (static_cast<uint32_t>(w) + 3u) & ~3u;
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(h);
    const uint32_t sizeImage = r.U32(34);
    EXPECT_TRUE(sizeImage == 0 || sizeImage == imageSize) << name << ": biSizeImage " << sizeImage;
    EXPECT_EQ(offBits, 14u + 40u + kEntries * 4u) << name << ": pixel data follows the table";
    ASSERT_GE(b.size(), size_t(offBits) + imageSize) << name << ": pixel data cut short";
    bmp.width = w;
    bmp.height = h;
    bmp.table.clear();
    for (uint32_t i = 0; i < kEntries; ++i) {
        size_t at = 54 + size_t(i) * 4;
        bmp.table.push_back(Rgb{uint8_t(r.U8(at + 2)), uint8_t(r.U8(at + 1)), uint8_t(r.U8(at))});
        EXPECT_EQ(r.U8(at + 3), 0u) << name << ": reserved byte of entry " << i;
    }
    bmp.pixels.assign(size_t(w) * size_t(h), 0);
    for (int32_t y = 0; y < h; ++y) {
        const size_t row = size_t(offBits) + size_t(h - 1 - y) * rowBytes;  // bottom-up
        for (int32_t x = 0; x < w; ++x) bmp.pixels[size_t(y) * size_t(w) + size_t(x)] = b[row + size_t(x)];
        for (uint32_t x = uint32_t(w); x < rowBytes; ++x) ASSERT_EQ(b[row + x], 0) << name << ": row padding";
    }
    ASSERT_TRUE(r.ok) << name;
}

struct PictureInfo {
    int id;
    const char* file;
    int width, height;
    Rgb key;
    int frames;      // 0: not a window outline; else frames side by side
    int pivotX, pivotY;
};

const Rgb kCyan{0, 254, 255};
const Rgb kGreen{0, 254, 0};

const PictureInfo kPictures[] = {
    {117, "small_overlay.bmp", 101, 128, kCyan, 0, 0, 0},
    {118, "small_dial.bmp", 101, 128, kCyan, 1, 50, 80},
    {119, "medium_dial.bmp", 172, 172, kCyan, 1, 86, 85},
    {120, "medium_hour_tip.bmp", 27, 20, kGreen, 0, 0, 0},
    {121, "medium_centre_cap.bmp", 9, 10, kGreen, 0, 0, 0},
    {122, "medium_minute_tip.bmp", 12, 16, kGreen, 0, 0, 0},
    {123, "large_strip.bmp", 860, 256, kCyan, 5, 85, 89},
};

// Index of the one table entry holding the key, or -1 when there is not
// exactly one.
int KeyIndex(const Bmp& bmp, const Rgb& key) {
    int found = -1;
    for (size_t i = 0; i < bmp.table.size(); ++i) {
        if (bmp.table[i] == key) {
            if (found >= 0) return -1;
            found = int(i);
        }
    }
    return found;
}

// Horizontal runs of non-key pixels in a block, as the window shape counts them.
int CountRuns(const Bmp& bmp, int x0, int width, uint8_t key) {
    int runs = 0;
    for (int y = 0; y < bmp.height; ++y) {
        bool open = false;
        for (int x = x0; x < x0 + width; ++x) {
            bool solid = bmp.At(x, y) != key;
            if (solid && !open) ++runs;
            open = solid;
        }
    }
    return runs;
}

class Picture : public ::testing::TestWithParam<PictureInfo> {};

TEST_P(Picture, FollowsTheBitmapRules) {
    const PictureInfo& info = GetParam();
    Bmp bmp;
    ParseBmp(info.file, bmp);
    if (HasFatalFailure()) return;
    ASSERT_EQ(bmp.width, info.width) << info.file;
    ASSERT_EQ(bmp.height, info.height) << info.file;

    // The key is the top-left pixel and exactly one entry holds it.
    const int keyIndex = KeyIndex(bmp, info.key);
    ASSERT_GE(keyIndex, 0) << info.file << ": exactly one table entry must hold the key";
    const uint8_t key = uint8_t(keyIndex);
    EXPECT_EQ(bmp.At(0, 0), key) << info.file << ": pixel (0,0) must be the key";
    size_t solid = 0;
    for (uint8_t p : bmp.pixels) solid += p != key;
    EXPECT_GT(solid, 0u) << info.file << ": picture is empty";

    if (info.id == 117) {
        // The overlay paints only the head emblem around the small dial's centre.
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x)
                if (bmp.At(x, y) != key) {
                    EXPECT_TRUE(x >= 33 && x <= 66 && y >= 68 && y <= 92)
                        << "overlay pixel outside the emblem box at " << x << "," << y;
                }
        EXPECT_NE(bmp.At(50, 80), key) << "the emblem must cover the centre";
    }

    if (info.frames > 0) {
        const int fw = bmp.width / info.frames;
        ASSERT_EQ(fw * info.frames, bmp.width);
        for (int f = 0; f < info.frames; ++f) {
            for (int y = 0; y < bmp.height; ++y)
                EXPECT_EQ(bmp.At(f * fw + fw - 1, y), key)
                    << info.file << ": last column of frame " << f << " must be key, row " << y;
            EXPECT_NE(bmp.At(f * fw + info.pivotX, info.pivotY), key) << info.file << ": pivot outside the dial";
        }
        // All frames share the first frame's outline.
        for (int f = 1; f < info.frames; ++f)
            for (int y = 0; y < bmp.height; ++y)
                for (int x = 0; x < fw; ++x)
                    ASSERT_EQ(bmp.At(x, y) == key, bmp.At(f * fw + x, y) == key)
                        << info.file << ": frame " << f << " outline differs at " << x << "," << y;
        const int runs = CountRuns(bmp, 0, fw, key);
        std::printf("[ outline  ] %d %s: %d rectangles\n", info.id, info.file, runs);
        EXPECT_LT(runs, 1000) << info.file << ": the window shape allows 3000 rectangles; stay well under";
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, Picture, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<PictureInfo>& p) {
                             return "id" + std::to_string(p.param.id);
                         });

TEST(Pictures, EachHasItsOwnColourTable) {
    std::vector<std::vector<Rgb>> tables;
    for (const PictureInfo& info : kPictures) {
        Bmp bmp;
        ParseBmp(info.file, bmp);
        if (HasFatalFailure()) return;
        tables.push_back(bmp.table);
    }
    for (size_t i = 0; i < tables.size(); ++i)
        for (size_t j = i + 1; j < tables.size(); ++j)
            EXPECT_NE(tables[i], tables[j]) << kPictures[i].file << " and " << kPictures[j].file << " share a table";
}

TEST(Pictures, LargeStripFramesDifferOnlyInsideTheCase) {
    Bmp bmp;
    ParseBmp("large_strip.bmp", bmp);
    if (HasFatalFailure()) return;
    // The dial above the case is the same in every frame; only the pendulum moves.
    for (int f = 1; f < 5; ++f)
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 172; ++x)
                ASSERT_EQ(bmp.At(x, y), bmp.At(f * 172 + x, y)) << "frame " << f << " at " << x << "," << y;
    // Frame 0 and frame 4 must differ (the pendulum swings).
    bool differs = false;
    for (int y = 150; y < 256 && !differs; ++y)
        for (int x = 0; x < 172; ++x)
            if (bmp.At(x, y) != bmp.At(4 * 172 + x, y)) differs = true;
    EXPECT_TRUE(differs);
}

// The executable carries IDBCLK as a byte-for-byte copy of picture 123.
TEST(Pictures, IdbclkIsACopyOfTheLargeStrip) {
    HRSRC named = FindResourceA(nullptr, "IDBCLK", MAKEINTRESOURCEA(2));
    HRSRC strip = FindResourceA(nullptr, MAKEINTRESOURCEA(123), MAKEINTRESOURCEA(2));
    ASSERT_NE(nullptr, named);
    ASSERT_NE(nullptr, strip);
    DWORD size = SizeofResource(nullptr, strip);
    ASSERT_EQ(size, SizeofResource(nullptr, named));
    const void* a = LockResource(LoadResource(nullptr, named));
    const void* b = LockResource(LoadResource(nullptr, strip));
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(0, memcmp(a, b, size));
    // And the resource is the committed file without its 14-byte file header.
    std::vector<unsigned char> file;
    FILE* f = fopen(CLOCK_SOURCE_DIR "/resources/large_strip.bmp", "rb");
    ASSERT_NE(nullptr, f);
    unsigned char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        file.insert(file.end(), buf, buf + n);
    fclose(f);
    ASSERT_EQ(file.size(), size + 14u);
    EXPECT_EQ(0, memcmp(file.data() + 14, b, size));
}

TEST(Icon, HasTwo32x32ImagesAt4And8Bits) {
    Bytes b;
    ASSERT_TRUE(ReadAll(std::string(CLOCK_SOURCE_DIR) + "/resources/clock.ico", b));
    Reader r(b);
    EXPECT_EQ(r.U16(0), 0u);
    EXPECT_EQ(r.U16(2), 1u) << "type: icon";
    ASSERT_EQ(r.U16(4), 2u) << "two images";
    std::set<uint32_t> depths;
    for (size_t i = 0; i < 2; ++i) {
        const size_t e = 6 + i * 16;
        EXPECT_EQ(r.U8(e), 32u);
        EXPECT_EQ(r.U8(e + 1), 32u);
        const uint32_t bits = r.U16(e + 6);
        const uint32_t size = r.U32(e + 8), off = r.U32(e + 12);
        EXPECT_EQ(r.U8(e + 2), bits == 4 ? 16u : 0u) << "colour count";
        ASSERT_TRUE(r.ok);
        ASSERT_LE(size_t(off) + size, b.size()) << "image " << i << " past the end";
        EXPECT_EQ(r.U32(off), 40u);
        EXPECT_EQ(r.S32(off + 4), 32);
        EXPECT_EQ(r.S32(off + 8), 64) << "height counts the colour bits and the mask";
        EXPECT_EQ(r.U16(off + 12), 1u);
        EXPECT_EQ(r.U16(off + 14), bits);
        const uint32_t colours = 1u << bits;
        const uint32_t xorBytes = ((32 * bits + 31) / 32) * 4 * 32, andBytes = 4 * 32;
        EXPECT_GE(size, 40 + colours * 4 + xorBytes + andBytes) << "image " << i << " too small";
        ASSERT_TRUE(r.ok);
        depths.insert(bits);
    }
    EXPECT_EQ(depths, (std::set<uint32_t>{4, 8}));
}

struct SoundInfo {
    const char* file;
    bool loops;  // alarm pattern (looped) or one strike
};

const SoundInfo kSounds[] = {
    {"w01.wav", true}, {"w02.wav", false}, {"w03.wav", true},
    {"w04.wav", false}, {"w05.wav", true}, {"w06.wav", false},
};

class Sound : public ::testing::TestWithParam<SoundInfo> {};

TEST_P(Sound, IsPlayablePcmOfTheRightLengthAndLevel) {
    const SoundInfo& info = GetParam();
    Bytes b;
    ASSERT_TRUE(ReadAll(std::string(CLOCK_SOURCE_DIR) + "/wave/" + info.file, b)) << info.file;
    Reader r(b);
    ASSERT_GE(b.size(), 44u);
    EXPECT_TRUE(r.Tag(0, "RIFF"));
    EXPECT_EQ(r.U32(4), b.size() - 8);
    EXPECT_TRUE(r.Tag(8, "WAVE"));
    EXPECT_TRUE(r.Tag(12, "fmt "));
    EXPECT_EQ(r.U32(16), 16u);
    EXPECT_EQ(r.U16(20), 1u) << "PCM";
    EXPECT_EQ(r.U16(22), 1u) << "mono";
    EXPECT_EQ(r.U32(24), 22050u);
    EXPECT_EQ(r.U32(28), 44100u);
    EXPECT_EQ(r.U16(32), 2u);
    EXPECT_EQ(r.U16(34), 16u);
    EXPECT_TRUE(r.Tag(36, "data"));
    const uint32_t data = r.U32(40);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(size_t(data) + 44, b.size()) << info.file << ": data chunk must fill the file";
    ASSERT_EQ(data % 2, 0u);
    const size_t n = data / 2;
    ASSERT_GT(n, 0u);
    std::vector<int> s(n);
    int peak = 0;
    for (size_t i = 0; i < n; ++i) {
        s[i] = static_cast<int16_t>(r.U16(44 + 2 * i));
        peak = std::max(peak, std::abs(s[i]));
    }
    ASSERT_TRUE(r.ok);
    const double seconds = double(n) / 22050.0;
    std::printf("[ sound    ] %s: %.3f s, peak %d\n", info.file, seconds, peak);
    EXPECT_LT(peak, 32000) << info.file << ": clipping";
    EXPECT_GT(peak, 4000) << info.file << ": too quiet";
    if (info.loops) {
        EXPECT_GE(seconds, 0.5);
        EXPECT_LE(seconds, 4.0);
        EXPECT_LE(std::abs(s[n - 1] - s[0]), 64) << info.file << ": jump at the loop point";
        EXPECT_LE(std::abs(s[0]), 64) << info.file;
    } else {
        EXPECT_GE(seconds, 1.0);
        EXPECT_LE(seconds, 2.5);
        // the stroke has died away by the end, so the next stroke starts cleanly
        int tail = 0;
        for (size_t i = n - n / 100; i < n; ++i) tail = std::max(tail, std::abs(s[i]));
        EXPECT_LE(tail, peak / 50) << info.file << ": still ringing at the end";
        EXPECT_LE(std::abs(s[n - 1]), 64) << info.file;
    }
}

INSTANTIATE_TEST_SUITE_P(Wave, Sound, ::testing::ValuesIn(kSounds),
                         [](const ::testing::TestParamInfo<SoundInfo>& p) {
                             std::string n = p.param.file;
                             return n.substr(0, n.find('.'));
                         });

}  // namespace
