// The chunk walk over WAVE images in memory: where the data lies, and termination and bounds for
// any content.
#include <gtest/gtest.h>

#include <random>
#include <string.h>

#include "sound/wave_mix.h"
#include "wave_test_util.h"

namespace {

typedef std::vector<unsigned char> Bytes;

struct Image {
    const Bytes* bytes;
    int reads;
    int outside; // requests that began beyond the end of the image
};

LONG ReadImage(void* source, LONG offset, void* out, LONG size) {
    Image* image = (Image*)source;
    ++image->reads;
    if (offset < 0 || size < 0)
        return -1;
    if ((size_t)offset > image->bytes->size()) {
        ++image->outside;
        return 0;
    }
    size_t n = std::min((size_t)size, image->bytes->size() - (size_t)offset);
    if (n)
        memcpy(out, image->bytes->data() + offset, n);
    return (LONG)n;
}

int Parse(const Bytes& bytes, WaveLayout* layout, Image* image = nullptr) {
    Image local = {&bytes, 0, 0};
    if (!image)
        image = &local;
    *image = local;
    return ParseWaveLayout(ReadImage, image, (LONG)bytes.size(), layout);
}

} // namespace

TEST(WaveLayout, PlainFile) {
    Bytes data = SampleData(1000);
    WaveLayout layout;
    ASSERT_EQ(1, Parse(WaveFile(2, 44100, 16, data), &layout));
    EXPECT_EQ(1, layout.format.wFormatTag);
    EXPECT_EQ(2, layout.format.nChannels);
    EXPECT_EQ(44100u, layout.format.nSamplesPerSec);
    EXPECT_EQ(176400u, layout.format.nAvgBytesPerSec);
    EXPECT_EQ(4, layout.format.nBlockAlign);
    EXPECT_EQ(16, layout.format.wBitsPerSample);
    EXPECT_EQ(0, layout.format.cbSize);
    EXPECT_EQ(20, layout.fmtOffset);
    EXPECT_EQ(44, layout.dataOffset);
    EXPECT_EQ(1000, layout.dataSize);
}

TEST(WaveLayout, DataBeforeFormatAndSkippedChunks) {
    Bytes fmt = PcmFormat(1, 22050, 8);
    Bytes data = SampleData(11);
    WaveLayout layout;
    ASSERT_EQ(1, Parse(RiffFile({{"LIST", Bytes(5), 5}, {"data", data, 11}, {"fmt ", fmt, 16}}),
                       &layout));
    // LIST: 12 + 8 + 5 + pad 1 = 26; data contents at 34.
    EXPECT_EQ(34, layout.dataOffset);
    EXPECT_EQ(11, layout.dataSize);
    EXPECT_EQ(34 + 12 + 8, layout.fmtOffset);
}

TEST(WaveLayout, DataCutToFileRiffAndWholeFrames) {
    Bytes fmt = PcmFormat(2, 22050, 16);
    Bytes data = SampleData(1000);
    WaveLayout layout;
    ASSERT_EQ(1, Parse(RiffFile({{"fmt ", fmt, 16}, {"data", data, 0xFFFFFFFFull}}), &layout));
    EXPECT_EQ(1000, layout.dataSize);
    Bytes odd = RiffFile({{"fmt ", fmt, 16}, {"data", data, 999}});
    ASSERT_EQ(1, Parse(odd, &layout));
    EXPECT_EQ(996, layout.dataSize);
    ASSERT_EQ(
        1, Parse(RiffFile({{"fmt ", fmt, 16}, {"data", data, 1000}}, 4 + 24 + 8 + 500), &layout));
    EXPECT_EQ(500, layout.dataSize);
}

TEST(WaveLayout, Refusals) {
    Bytes fmt = PcmFormat(1, 22050, 8);
    Bytes data = SampleData(100);
    WaveLayout layout;
    EXPECT_EQ(0, Parse(Bytes(), &layout));
    EXPECT_EQ(0, Parse(Bytes(11, 0), &layout));
    EXPECT_EQ(0, Parse(RiffFile({{"fmt ", fmt, 16}, {"data", data, 100}}, -1, "WAVF"), &layout));
    EXPECT_EQ(0, Parse(RiffFile({{"data", data, 100}}), &layout));
    EXPECT_EQ(0, Parse(RiffFile({{"fmt ", fmt, 16}}), &layout));
    EXPECT_EQ(0, Parse(RiffFile({{"fmt ", Bytes(fmt.begin(), fmt.begin() + 15), 15},
                                 {"data", data, 100}}),
                       &layout));
    // Riff size too small to hold a chunk header.
    EXPECT_EQ(0, Parse(RiffFile({{"fmt ", fmt, 16}, {"data", data, 100}}, 3), &layout));
    EXPECT_EQ(0, ParseWaveLayout(nullptr, nullptr, 100, &layout));
}

TEST(WaveLayout, SizesThatWouldWrapTheWalkRoundEndIt) {
    Bytes fmt = PcmFormat(1, 22050, 8);
    Bytes data = SampleData(100);
    const unsigned long long sizes[] = {0xFFFFFFFFull, 0xFFFFFFFEull, 0xFFFFFFF8ull, 0xFFFFFFF4ull,
                                        0xFFFFFFECull, 0x80000000ull, 0x7FFFFFFFull};
    for (unsigned long long size : sizes) {
        Bytes file = RiffFile({{"JUNK", Bytes(8), size}, {"fmt ", fmt, 16}, {"data", data, 100}});
        WaveLayout layout;
        Image image;
        EXPECT_EQ(0, Parse(file, &layout, &image)) << std::hex << size;
        EXPECT_LE(image.reads, 3) << std::hex << size;
    }
}

TEST(WaveLayout, RandomImagesTerminateAndStayInBounds) {
    std::mt19937 rng(1207);
    Bytes fmt = PcmFormat(1, 22050, 8);
    const char* ids[] = {"fmt ", "data", "LIST", "JUNK", "fmt", "dat"};
    int found = 0;
    for (int round = 0; round < 20000; ++round) {
        Bytes file;
        if (rng() % 4 == 0) {
            file.resize(rng() % 200);
            for (unsigned char& b : file)
                b = (unsigned char)rng();
        } else {
            std::vector<RawChunk> chunks;
            int count = (int)(rng() % 5);
            for (int c = 0; c < count; ++c) {
                Bytes body = (rng() % 3 == 0) ? fmt : SampleData(rng() % 40, (unsigned)round);
                unsigned long long size = body.size();
                if (rng() % 4 == 0)
                    size = rng() % 2 ? (unsigned long long)rng() : (0xFFFFFFFFull - rng() % 64);
                chunks.push_back({ids[rng() % 6], body, size});
            }
            long long riff = rng() % 5 == 0 ? (long long)(rng() % 0x100000000ull) : -1;
            file = RiffFile(chunks, riff, rng() % 8 ? "WAVE" : "WAVX");
            if (rng() % 4 == 0)
                file.resize(rng() % (file.size() + 1));
        }
        WaveLayout layout;
        Image image;
        int ok = Parse(file, &layout, &image);
        // Every step moves at least one chunk header forward.
        EXPECT_LE(image.reads, 3 + (int)file.size() / 8) << "round " << round;
        EXPECT_EQ(0, image.outside) << "round " << round;
        if (ok) {
            ++found;
            EXPECT_GE(layout.dataOffset, 20) << "round " << round;
            EXPECT_GE(layout.dataSize, 0) << "round " << round;
            EXPECT_LE((size_t)layout.dataOffset + layout.dataSize, file.size())
                << "round " << round;
            EXPECT_LE((size_t)layout.fmtOffset + 16, file.size()) << "round " << round;
        }
    }
    EXPECT_GT(found, 100) << "the set must hold valid files too";
}
