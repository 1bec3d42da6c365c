// WAVE files whole and damaged, judged by what the sound device receives from the player.
#include <gtest/gtest.h>

#include <random>

#include "platform/system_dlls.h"
#include "sound/wave_mix.h"
#include "unit_support.h"

namespace {
struct Chunk {
    const char* id;
    Bytes body;
    long long size = -1; // the size field, when it lies
};

Bytes Fmt(int channels, int rate, int bits, int tag = 1) {
    Bytes b;
    Put(b, tag, 2), Put(b, channels, 2), Put(b, rate, 4);
    Put(b, rate * channels * bits / 8, 4), Put(b, channels * bits / 8, 2), Put(b, bits, 2);
    return b;
}

Bytes Riff(const std::vector<Chunk>& chunks, long long riffSize = -1, const char* form = "WAVE") {
    Bytes body(form, form + 4);
    for (const Chunk& c : chunks) {
        body.insert(body.end(), c.id, c.id + 4);
        Put(body, c.size >= 0 ? c.size : static_cast<long long>(c.body.size()), 4);
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() % 2)
            body.push_back(0);
    }
    Bytes file = {'R', 'I', 'F', 'F'};
    Put(file, riffSize >= 0 ? riffSize : static_cast<long long>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Bytes Sound(size_t size, unsigned seed) {
    Bytes b(size);
    for (unsigned char& v : b)
        v = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16);
    return b;
}

Bytes Cut(Bytes b, size_t size) {
    b.resize(size);
    return b;
}

LONG ReadMemory(void* source, LONG offset, void* out, LONG size) {
    const Bytes& b = *static_cast<const Bytes*>(source);
    const LONG n =
        offset >= static_cast<LONG>(b.size()) ? 0 : std::min<LONG>(size, b.size() - offset);
    memcpy(out, b.data() + offset, n);
    return n;
}

const Bytes kMono8 = Fmt(1, 22050, 8), kData = Sound(1000, 1);
} // namespace

// Any damage: the walk ends, and what it finds lies inside the file.
TEST(WaveLayout, Fuzz) {
    std::mt19937 random(3);
    int found = 0;
    for (int round = FuzzCount(20000); round > 0; --round) {
        Bytes file = Riff({{"LIST", Bytes(random() % 9)}, {"fmt ", kMono8}, {"data", kData}});
        for (int m = 1 + random() % 4; m > 0; --m)
            if (random() % 5 == 0)
                file.resize(random() % (file.size() + 8));
            else if (!file.empty())
                file[random() % std::min<size_t>(file.size(), 64)] =
                    static_cast<unsigned char>(random());
        WaveLayout layout;
        if (!ParseWaveLayout(ReadMemory, &file, file.size(), &layout))
            continue;
        ++found;
        ASSERT_TRUE(layout.dataOffset >= 12 && layout.dataSize >= 0 &&
                    layout.dataOffset + layout.dataSize <= static_cast<LONG>(file.size()));
        // Whatever the format record claims, the player's buffers stay sane.
        const int buffer = WaveBufferSize(layout.format), block = layout.format.nBlockAlign;
        ASSERT_TRUE(buffer >= 1 && buffer <= 4 << 20 && buffer % (block ? block : 1) == 0);
    }
    EXPECT_GT(found, 0);
}

namespace {
CWaveMix* g_pPlayer = nullptr;
int g_nCalls = 0, g_nStopAt = 0;

void CountAndStop(int* playCount) {
    ++g_nCalls;
    if (*playCount >= g_nStopAt)
        g_pPlayer->Stop();
}
} // namespace

// What a player makes of a file whole or damaged, judged by what the sound device receives
// and by the callbacks.
TEST(WavePlayer, PlaysWhatTheFileHoldsAsOftenAsAsked) {
    const std::string capture = CapturePath();
    ASSERT_FALSE(capture.empty()) << "run through CTest: CLOCK_AUDIO_CAPTURE is not set";
    const Bytes longSound = Sound(88200 * 2 + 17640, 5), loopSound = Sound(6000, 6);
    struct Case {
        const char* what;
        Bytes file;
        int opened, calls;
        Bytes heard = Bytes();
        int loop = 0, stopAt = 9;
    } cases[] = {
        {"plain", Riff({{"fmt ", kMono8}, {"data", kData}}), 1, 1, kData},
        {"both buffers", Riff({{"fmt ", kMono8}, {"data", longSound}}), 1, 1, longSound},
        {"looped, stopped after three", Riff({{"fmt ", kMono8}, {"data", loopSound}}), 1, 3,
         Bytes(), 1, 3},
        {"odd chunk, data first", Riff({{"LIST", Bytes(3)}, {"data", kData}, {"fmt ", kMono8}}), 1,
         1, kData},
        {"data size past the file", Riff({{"fmt ", kMono8}, {"data", kData, 5000}}), 1, 1, kData},
        {"RIFF ends in the data", Riff({{"fmt ", kMono8}, {"data", kData}}, 536), 1, 1,
         Cut(kData, 500)},
        {"partial frame", Riff({{"fmt ", Fmt(2, 22050, 16)}, {"data", Cut(kData, 999)}}), 1, 1,
         Cut(kData, 996)},
        {"three channels", Riff({{"fmt ", Fmt(3, 22050, 8)}, {"data", kData}}), 0, 0},
        {"not WAVE", Riff({{"fmt ", kMono8}, {"data", kData}}, -1, "AVI "), 0, 0},
        {"short format", Riff({{"fmt ", Bytes(14)}, {"data", kData}}), 0, 0},
        {"no data", Riff({{"fmt ", kMono8}}), 0, 0},
        {"no format", Riff({{"data", kData}}), 0, 0},
        {"huge chunk first", Riff({{"junk", Bytes(4), 0xFFFFFFF0}, {"fmt ", kMono8}}), 0, 0},
        {"format cut by the file", Cut(Riff({{"fmt ", kMono8}}), 30), 0, 0}};
    for (int i = 0; i < 3; ++i)
        cases[2].heard.insert(cases[2].heard.end(), loopSound.begin(), loopSound.end());
    const std::string path = TempPath("player.wav");
    for (const Case& c : cases) {
        WriteBytes(capture, Bytes());
        WriteBytes(path, c.file);
        CWaveMix player(nullptr);
        g_pPlayer = &player, g_nCalls = 0, g_nStopAt = c.stopAt;
        player.SetCallback(CountAndStop);
        player.SetLoop(c.loop);
        EXPECT_EQ(c.opened, player.Open(Wide(path).c_str())) << c.what;
        player.Play();
        EXPECT_TRUE(PumpUntil([&] { return !player.IsPlaying(); })) << c.what << " plays on";
        // Until the capture's pipe has delivered; then a moment for late notices or more sound.
        PumpUntil([&] { return ReadBytes(capture).size() >= c.heard.size(); }, 3000);
        PumpUntil([] { return false; }, 200);
        EXPECT_EQ(c.calls, g_nCalls) << c.what;
        const Bytes heard = ReadBytes(capture);
        EXPECT_TRUE(heard == c.heard)
            << c.what << ": heard " << heard.size() << " bytes, not " << c.heard.size();
    }
    CWaveMix idle(nullptr); // a missing file: nothing to play, and Stop does no harm
    EXPECT_EQ(0, idle.Open(L"Z:/nonexistent.wav"));
    idle.Stop(), idle.Play();
    EXPECT_FALSE(idle.IsPlaying());
}

// Every entry point resolves in the build that runs this (the shipped one, emulated).
TEST(SystemDlls, LoadFromTheSystemFolderAndResolveEveryEntry) {
    EXPECT_NE(Winmm(), nullptr); // none when any entry is missing
    EXPECT_EQ(InitCommonControlsFromSystem(ICC_UPDOWN_CLASS), 1);
    EXPECT_EQ(LoadSystemDll("no-such-library.dll"), nullptr);
}
