// The wave player against the real (captured) sound device: what is heard, how often, and what
// the player's state says afterwards; damaged files never play anything but their valid part.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "sound/wave_mix.h"
#include "wave_test_util.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// 22050 Hz mono 8-bit: one buffer (four seconds) is 88200 bytes.
const int kRate = 22050;
const int kBuffer = 4 * kRate;

CWaveMix* g_pPlayer = nullptr;
int g_nCalls = 0;
int g_nStopAt = 0;
std::vector<int> g_seenCounts;

void RecordDone(int* count) {
    ++g_nCalls;
    g_seenCounts.push_back(*count);
    if (g_nStopAt > 0 && *count >= g_nStopAt && g_pPlayer)
        g_pPlayer->Stop();
}

bool NotPlaying(void* p) {
    return !((CWaveMix*)p)->IsPlaying();
}

class WaveMixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (CapturePath().empty())
            GTEST_SKIP() << "run through CTest: CLOCK_AUDIO_CAPTURE names the captured output";
        ClearCapture();
        g_pPlayer = nullptr;
        g_nCalls = 0;
        g_nStopAt = 0;
        g_seenCounts.clear();
    }
    void TearDown() override { g_pPlayer = nullptr; }

    // Opens `file` (written to a temporary path) in `player`, returning Open's result.
    int OpenBytes(CWaveMix& player, const char* name, const Bytes& file) {
        std::string path = TempWavePath(name);
        WriteFileBytes(path, file);
        return player.Open(path.c_str());
    }

    // Plays to the end (or until the cap), then lets late notices arrive.
    void PlayOut(CWaveMix& player) {
        player.Play();
        EXPECT_TRUE(PumpUntil(NotPlaying, &player)) << "play-through did not end";
        PumpFor(200);
    }
};

Bytes Slice(const Bytes& v, size_t from, size_t count) {
    return Bytes(v.begin() + from, v.begin() + from + count);
}

Bytes Repeat(const Bytes& v, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), v.begin(), v.end());
    return out;
}

} // namespace

TEST_F(WaveMixTest, FileShorterThanOneBufferPlaysOnce) {
    Bytes data = SampleData(10000);
    CWaveMix player(NULL);
    g_pPlayer = &player;
    player.SetCallback(RecordDone);
    ASSERT_EQ(1, OpenBytes(player, "short.wav", WaveFile(1, kRate, 8, data)));
    EXPECT_EQ(10000, player.m_nRemaining);
    player.Play();
    EXPECT_EQ(1, player.m_bEnding) << "one buffer in flight ends the play-through at once";
    EXPECT_TRUE(PumpUntil(NotPlaying, &player));
    PumpFor(200);
    EXPECT_EQ(1, g_nCalls);
    EXPECT_EQ(std::vector<int>{1}, g_seenCounts);
    EXPECT_EQ(1, player.m_nPlayCount);
    EXPECT_TRUE(ReadCapture() == data) << "captured " << ReadCapture().size() << " bytes";
}

namespace {
struct DoneWatch {
    CWaveMix* player;
    int notices;
    int endingAfterFirst;
    int playingAfterFirst;
};

// Pumps like the message loop, counting the buffer-done notices on the player's window.
bool PumpCountingNotices(DoneWatch* w, DWORD capMs) {
    DWORD start = GetTickCount();
    while (w->player->IsPlaying()) {
        if (GetTickCount() - start > capMs)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            bool notice = msg.hwnd == w->player->m_hWnd && msg.message == MM_WOM_DONE;
            DispatchMessageA(&msg);
            if (notice && ++w->notices == 1) {
                w->endingAfterFirst = w->player->m_bEnding;
                w->playingAfterFirst = w->player->IsPlaying();
            }
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
} // namespace

TEST_F(WaveMixTest, FileOfExactlyTwoBuffersTakesTwoCompletions) {
    Bytes data = SampleData(2 * kBuffer, 7);
    CWaveMix player(NULL);
    player.SetCallback(RecordDone);
    ASSERT_EQ(1, OpenBytes(player, "two.wav", WaveFile(1, kRate, 8, data)));
    player.Play();
    EXPECT_EQ(kBuffer, player.m_nBufferSize);
    EXPECT_EQ(0, player.m_bEnding);
    EXPECT_EQ(0, player.m_nRemaining);
    DoneWatch w = {&player, 0, -1, -1};
    EXPECT_TRUE(PumpCountingNotices(&w, 60000));
    PumpFor(200);
    EXPECT_EQ(2, w.notices);
    EXPECT_EQ(1, w.endingAfterFirst) << "the first empty completion only marks the end";
    EXPECT_EQ(1, w.playingAfterFirst);
    EXPECT_EQ(1, g_nCalls);
    EXPECT_EQ(std::vector<int>{1}, g_seenCounts);
    EXPECT_TRUE(ReadCapture() == data) << "captured " << ReadCapture().size() << " bytes";
}

TEST_F(WaveMixTest, LongerFileStreamsThroughAlternatingBuffers) {
    // Two and a half buffers: the first buffer is refilled once.
    Bytes data = SampleData(2 * kBuffer + kBuffer / 2, 8);
    CWaveMix player(NULL);
    player.SetCallback(RecordDone);
    ASSERT_EQ(1, OpenBytes(player, "long.wav", WaveFile(1, kRate, 8, data)));
    PlayOut(player);
    EXPECT_EQ(1, g_nCalls);
    EXPECT_TRUE(ReadCapture() == data) << "captured " << ReadCapture().size() << " bytes";
}

TEST_F(WaveMixTest, LoopStoppedByCallbackAtThreeIsHeardThreeTimes) {
    Bytes data = SampleData(6000, 3);
    CWaveMix player(NULL);
    g_pPlayer = &player;
    g_nStopAt = 3;
    player.m_bLoop = 1;
    player.SetCallback(RecordDone);
    ASSERT_EQ(1, OpenBytes(player, "loop.wav", WaveFile(1, kRate, 8, data)));
    player.Play();
    struct Arg {
        static bool Done(void*) { return g_nCalls >= 3; }
    };
    EXPECT_TRUE(PumpUntil(Arg::Done, nullptr));
    PumpFor(500);
    EXPECT_EQ(3, g_nCalls);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), g_seenCounts);
    EXPECT_EQ(0, player.m_nPlayCount);
    EXPECT_EQ(1, player.m_bStopped);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_TRUE(ReadCapture() == Repeat(data, 3)) << "captured " << ReadCapture().size();
}

TEST_F(WaveMixTest, LoopWithoutCallbackKeepsCountingUntilStopped) {
    Bytes data = SampleData(3000, 4);
    CWaveMix player(NULL);
    player.m_bLoop = 1;
    ASSERT_EQ(1, OpenBytes(player, "loop2.wav", WaveFile(1, kRate, 8, data)));
    player.Play();
    struct Arg {
        static bool Done(void* p) { return ((CWaveMix*)p)->m_nPlayCount >= 4; }
    };
    EXPECT_TRUE(PumpUntil(Arg::Done, &player));
    player.Stop();
    EXPECT_EQ(0, player.m_nPlayCount);
    size_t heard = ReadCapture().size();
    PumpFor(300);
    EXPECT_EQ(heard, ReadCapture().size()) << "nothing plays after Stop";
    EXPECT_GE(heard, 4 * data.size());
    EXPECT_EQ(player.m_nDataSize, player.m_nRemaining) << "Stop rewinds";
}

TEST_F(WaveMixTest, StopOnPlayerThatNeverOpenedADeviceChangesNothing) {
    CWaveMix fresh(NULL);
    fresh.Stop();
    EXPECT_EQ(0, fresh.m_bStopped);
    EXPECT_EQ(0, fresh.m_nPlayCount);
    EXPECT_EQ(0, fresh.m_nRemaining);

    Bytes data = SampleData(5000);
    CWaveMix player(NULL);
    ASSERT_EQ(1, OpenBytes(player, "nodev.wav", WaveFile(1, kRate, 8, data)));
    player.Seek(1000, 0);
    player.m_nPlayCount = 5;
    player.Stop();
    player.Rewind();
    EXPECT_EQ(0, player.m_bStopped);
    EXPECT_EQ(5, player.m_nPlayCount);
    EXPECT_EQ(4000, player.m_nRemaining) << "no rewind without a device";
    // The read position did not move either: playing now gives the last 4000 bytes.
    PlayOut(player);
    EXPECT_TRUE(ReadCapture() == Slice(data, 1000, 4000));
}

TEST_F(WaveMixTest, SeekFromEveryOrigin) {
    Bytes data = SampleData(1000);
    Bytes file = WaveFile(1, kRate, 8, data);
    CWaveMix player(NULL);
    EXPECT_EQ(-1, player.Seek(0, 0)) << "no file";
    ASSERT_EQ(1, OpenBytes(player, "seek.wav", file));
    const int off = player.m_nDataOffset;
    EXPECT_EQ(44, off);
    struct Case {
        int start; // position before the call (from origin 0)
        int offset;
        int origin;
        int expect; // position within the data afterwards
    } cases[] = {
        {0, -5, 0, 0},      {0, 100, 0, 100},  {0, 0, 0, 0},       {500, 10, 1, 510},
        {500, -500, 1, 0},  {500, -501, 1, 0}, {500, -499, 1, 1},  {500, -9999, 1, 0},
        {0, -10, 2, 990},   {0, 0, 2, 1000},   {0, -1000, 2, 0},   {0, -5000, 2, 0},
        {300, 250, 7, 250}, {300, -5, 7, 0},   {0, 1000, 0, 1000}, {990, 0, 1, 990},
    };
    for (const Case& c : cases) {
        player.Seek(c.start, 0);
        int result = player.Seek(c.offset, c.origin);
        EXPECT_EQ(off + c.expect, result) << c.start << " " << c.offset << " " << c.origin;
        EXPECT_EQ(1000 - c.expect, player.m_nRemaining)
            << c.start << " " << c.offset << " " << c.origin;
    }
    // The file really is there: from 10 bytes before the end only those 10 bytes play.
    player.Seek(-10, 2);
    PlayOut(player);
    EXPECT_TRUE(ReadCapture() == Slice(data, 990, 10));
}

TEST_F(WaveMixTest, SeekPastTheEndPlaysNothing) {
    Bytes data = SampleData(1000);
    CWaveMix player(NULL);
    player.SetCallback(RecordDone);
    ASSERT_EQ(1, OpenBytes(player, "pastend.wav", WaveFile(1, kRate, 8, data)));
    player.Seek(1500, 0);
    EXPECT_EQ(-500, player.m_nRemaining);
    PlayOut(player);
    EXPECT_TRUE(ReadCapture().empty());
    EXPECT_EQ(0, g_nCalls);
}

TEST_F(WaveMixTest, UnsupportedFormatStillOpensAndTriesTheDevice) {
    Bytes data = SampleData(9600, 5);
    CWaveMix player(NULL);
    player.SetCallback(RecordDone);
    EXPECT_EQ(0, OpenBytes(player, "48k.wav", WaveFile(1, 48000, 16, data)));
    EXPECT_TRUE(player.m_hmmio != NULL);
    EXPECT_EQ(9600, player.m_nRemaining);
    EXPECT_EQ(48000u, player.m_format.nSamplesPerSec);
    PlayOut(player);
    // Wine's mapper takes the format as it is.
    EXPECT_EQ(1, g_nCalls);
    EXPECT_TRUE(ReadCapture() == data) << "captured " << ReadCapture().size();
}

TEST_F(WaveMixTest, PlayerWithoutNotificationWindowStaysSilent) {
    Bytes data = SampleData(2000);
    CWaveMix player(NULL);
    HWND window = player.m_hWnd;
    ASSERT_TRUE(window != NULL);
    player.m_hWnd = NULL;
    OpenBytes(player, "inert.wav", WaveFile(1, kRate, 8, data));
    player.Play();
    EXPECT_FALSE(player.IsPlaying());
    PumpFor(200);
    player.m_hWnd = window;
    EXPECT_TRUE(ReadCapture().empty());
}

TEST_F(WaveMixTest, MissingFileRefusesAndPlaysNothing) {
    CWaveMix player(NULL);
    player.SetCallback(RecordDone);
    EXPECT_EQ(0, player.Open(TempWavePath("does-not-exist.wav").c_str()));
    EXPECT_EQ(0, player.Open(nullptr));
    EXPECT_EQ(0, player.m_nRemaining);
    PlayOut(player);
    EXPECT_EQ(0, g_nCalls);
    EXPECT_TRUE(ReadCapture().empty());
}

TEST_F(WaveMixTest, NoticesAfterStopAreHarmless) {
    Bytes data = SampleData(3 * kBuffer, 9);
    CWaveMix player(NULL);
    player.m_bLoop = 1;
    player.SetCallback(RecordDone);
    ASSERT_EQ(1, OpenBytes(player, "stale.wav", WaveFile(1, kRate, 8, data)));
    player.Play();
    ASSERT_TRUE(player.IsPlaying());
    HWAVEOUT old = player.m_hWaveOut;
    // Stop with both buffers queued: the reset hands them back, their notices still to come.
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    size_t heard = ReadCapture().size();
    EXPECT_LE(heard, 2u * kBuffer);
    // Forged late notices for both headers on top of the real ones.
    for (int i = 0; i < 2; ++i)
        PostMessageA(player.m_hWnd, MM_WOM_DONE, (WPARAM)old, (LPARAM)player.m_pHeader[i]);
    PumpFor(500);
    EXPECT_EQ(heard, ReadCapture().size());
    EXPECT_EQ(0, g_nCalls);
    EXPECT_EQ(0, player.m_nPlayCount);
    EXPECT_EQ(player.m_nDataSize, player.m_nRemaining) << "no refill from a stale notice";
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(WaveMixTest, DeletingAPlayingPlayerSilencesIt) {
    Bytes data = SampleData(3 * kBuffer, 10);
    CWaveMix* player = new CWaveMix(NULL);
    player->m_bLoop = 1;
    player->SetCallback(RecordDone);
    ASSERT_EQ(1, OpenBytes(*player, "delete.wav", WaveFile(1, kRate, 8, data)));
    player->Play();
    delete player;
    size_t heard = ReadCapture().size();
    PumpFor(500);
    EXPECT_EQ(heard, ReadCapture().size());
    EXPECT_EQ(0, g_nCalls);
}

TEST_F(WaveMixTest, SixteenBitStereoPlaysByteForByte) {
    Bytes data = SampleData(4 * 5000, 11);
    CWaveMix player(NULL);
    ASSERT_EQ(1, OpenBytes(player, "s16.wav", WaveFile(2, 44100, 16, data)));
    EXPECT_EQ(4 * 4 * 44100, WaveBufferSize(player.m_format));
    PlayOut(player);
    EXPECT_TRUE(ReadCapture() == data) << "captured " << ReadCapture().size();
}

// ---- The format check ----

namespace {
WAVEFORMATEX Format(int tag, int channels, int rate, int blockAlign, int bits) {
    WAVEFORMATEX f;
    memset(&f, 0, sizeof(f));
    f.wFormatTag = (WORD)tag;
    f.nChannels = (WORD)channels;
    f.nSamplesPerSec = (DWORD)rate;
    f.nBlockAlign = (WORD)blockAlign;
    f.nAvgBytesPerSec = (DWORD)(rate * blockAlign);
    f.wBitsPerSample = (WORD)bits;
    return f;
}
} // namespace

TEST(WaveFormatCheck, EachSupportedFormatChecksItsOwnBit) {
    CWaveMix player(NULL);
    player.m_caps.wChannels = 2;
    const int rates[] = {11025, 22050, 44100};
    for (int r = 0; r < 3; ++r) {
        for (int width = 8; width <= 16; width += 8) {
            for (int ch = 1; ch <= 2; ++ch) {
                int bit = r * 4 + (width == 16 ? 2 : 0) + (ch == 2 ? 1 : 0);
                WAVEFORMATEX f = Format(1, ch, rates[r], ch * width / 8, width);
                player.m_caps.dwFormats = 1u << bit;
                EXPECT_EQ(1, player.IsFormatSupported(f)) << rates[r] << " " << width << " " << ch;
                player.m_caps.dwFormats = ~(1u << bit);
                EXPECT_EQ(0, player.IsFormatSupported(f)) << rates[r] << " " << width << " " << ch;
            }
        }
    }
}

TEST(WaveFormatCheck, WidthComesFromBlockAlignment) {
    CWaveMix player(NULL);
    player.m_caps.wChannels = 2;
    // 22050 Hz, 2 channels, block alignment 4: bit 7, whatever wBitsPerSample says.
    const int claimed[] = {0, 8, 12, 16, 24, 32};
    for (int bits : claimed) {
        WAVEFORMATEX f = Format(1, 2, 22050, 4, bits);
        player.m_caps.dwFormats = WAVE_FORMAT_2S16;
        EXPECT_EQ(1, player.IsFormatSupported(f)) << bits;
        player.m_caps.dwFormats = 0xFFFFFFFF & ~WAVE_FORMAT_2S16;
        EXPECT_EQ(0, player.IsFormatSupported(f)) << bits;
    }
    // Block alignment 2 in stereo is 8-bit, whatever wBitsPerSample says: bit 5.
    player.m_caps.dwFormats = WAVE_FORMAT_2S08;
    EXPECT_EQ(1, player.IsFormatSupported(Format(1, 2, 22050, 2, 16)));
    // Block alignment 3 in stereo is 8-bit by integer division.
    EXPECT_EQ(1, player.IsFormatSupported(Format(1, 2, 22050, 3, 16)));
}

TEST(WaveFormatCheck, RefusedFormats) {
    CWaveMix player(NULL);
    player.m_caps.wChannels = 2;
    player.m_caps.dwFormats = 0xFFFFFFFF;
    EXPECT_EQ(1, player.IsFormatSupported(Format(1, 1, 11025, 1, 8)));
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 2, 48000, 4, 16)));
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 1, 8000, 1, 8)));
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 1, 22051, 1, 8)));
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 3, 22050, 6, 16)));
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 0, 22050, 2, 16))) << "no channels";
    EXPECT_EQ(0, player.IsFormatSupported(Format(3, 1, 22050, 4, 32))) << "not PCM";
    EXPECT_EQ(0, player.IsFormatSupported(Format(2, 1, 22050, 1, 8))) << "not PCM";
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 1, 22050, 3, 24))) << "24-bit";
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 1, 22050, 0, 8))) << "no block";
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 2, 44100, 8, 32)));
    // A device with one channel refuses stereo even with every bit set.
    player.m_caps.wChannels = 1;
    EXPECT_EQ(0, player.IsFormatSupported(Format(1, 2, 22050, 4, 16)));
    EXPECT_EQ(1, player.IsFormatSupported(Format(1, 1, 22050, 2, 16)));
}

TEST(WaveFormatCheck, PlayableFormats) {
    EXPECT_EQ(1, IsPlayableFormat(Format(1, 1, 22050, 1, 8)));
    EXPECT_EQ(1, IsPlayableFormat(Format(1, 2, 44100, 4, 16)));
    EXPECT_EQ(1, IsPlayableFormat(Format(1, 2, 48000, 6, 24)));
    EXPECT_EQ(1, IsPlayableFormat(Format(1, 1, 8000, 4, 32)));
    EXPECT_EQ(1, IsPlayableFormat(Format(1, 1, 192000, 2, 16)));
    EXPECT_EQ(1, IsPlayableFormat(Format(1, 1, 1, 1, 8)));
    EXPECT_EQ(0, IsPlayableFormat(Format(2, 1, 22050, 1, 8))) << "not PCM";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 0, 22050, 1, 8))) << "no channels";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 3, 22050, 3, 8))) << "three channels";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 1, 22050, 0, 8))) << "no block";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 2, 22050, 3, 8))) << "block not per channel";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 1, 22050, 5, 40))) << "5-byte samples";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 2, 22050, 4, 8))) << "bits disagree";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 1, 22050, 2, 12))) << "12 bits in 16";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 1, 0, 1, 8))) << "no rate";
    EXPECT_EQ(0, IsPlayableFormat(Format(1, 1, 192001, 1, 8))) << "rate";
}

TEST(WaveFormatCheck, BufferSizeStaysSane) {
    EXPECT_EQ(88200, WaveBufferSize(Format(1, 1, 22050, 1, 8)));
    EXPECT_EQ(705600, WaveBufferSize(Format(1, 2, 44100, 4, 16)));
    WAVEFORMATEX f = Format(1, 2, 44100, 4, 16);
    f.nAvgBytesPerSec = 0;
    EXPECT_EQ(4096, WaveBufferSize(f));
    f.nAvgBytesPerSec = 0xFFFFFFFF;
    EXPECT_EQ(4 * 1024 * 1024, WaveBufferSize(f));
    f.nBlockAlign = 6;
    f.nAvgBytesPerSec = 1000;
    EXPECT_EQ(4092, WaveBufferSize(f)) << "whole frames";
    f.nBlockAlign = 0xFFFF;
    EXPECT_EQ(0xFFFF, WaveBufferSize(f)) << "at least one frame";
    f.nAvgBytesPerSec = 0xFFFFFFFF;
    EXPECT_EQ(0xFFFF * 64, WaveBufferSize(f));
}

// ---- Damaged files ----

namespace {
Bytes Fmt8() {
    return PcmFormat(1, kRate, 8);
}
} // namespace

class DamagedWaveTest : public WaveMixTest {
  protected:
    // Opens and plays `file`; returns what was heard. `opened` gets Open's result.
    Bytes Heard(const char* name, const Bytes& file, int* opened = nullptr) {
        ClearCapture();
        g_nCalls = 0;
        CWaveMix player(NULL);
        player.SetCallback(RecordDone);
        int result = OpenBytes(player, name, file);
        if (opened)
            *opened = result;
        if (result == 0 && player.m_nRemaining != 0)
            m_lastRefusedButPositioned = 1;
        PlayOut(player);
        return ReadCapture();
    }
    int m_lastRefusedButPositioned = 0;
};

TEST_F(DamagedWaveTest, FilesThatAreNoWaveRefuseToOpenAndPlayNothing) {
    Bytes data = SampleData(2000);
    Bytes fmt = Fmt8();
    Bytes good = WaveFile(1, kRate, 8, data);
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"empty", Bytes()},
        {"eleven bytes", Slice(good, 0, 11)},
        {"header only", Slice(good, 0, 12)},
        {"no RIFF",
         [&] {
             Bytes b = good;
             memcpy(b.data(), "RIFX", 4);
             return b;
         }()},
        {"wrong form type", RiffFile({{"fmt ", fmt, 16}, {"data", data, data.size()}}, -1, "AVI ")},
        {"no fmt", RiffFile({{"data", data, data.size()}})},
        {"fmt with another id", RiffFile({{"FMT ", fmt, 16}, {"data", data, data.size()}})},
        {"short fmt", RiffFile({{"fmt ", Slice(fmt, 0, 14), 14}, {"data", data, data.size()}})},
        {"fmt cut by the file end", Slice(RiffFile({{"fmt ", fmt, 16}}), 0, 12 + 8 + 10)},
        {"fmt larger than the RIFF",
         RiffFile({{"fmt ", fmt, 16}, {"data", data, data.size()}}, 12)},
        {"no data", RiffFile({{"fmt ", fmt, 16}, {"LIST", data, data.size()}})},
        {"data header cut",
         Slice(RiffFile({{"fmt ", fmt, 16}, {"data", data, data.size()}}), 0, 12 + 24 + 6)},
        {"chunk size wrapping back onto itself",
         RiffFile({{"JUNK", Bytes(8), 0xFFFFFFF8ull}, {"fmt ", fmt, 16}, {"data", data, 2000}})},
        {"chunk size wrapping to the start",
         RiffFile({{"JUNK", Bytes(8), 0xFFFFFFECull}, {"fmt ", fmt, 16}, {"data", data, 2000}})},
        {"huge chunk before fmt",
         RiffFile({{"LIST", Bytes(8), 0x7FFFFFFFull}, {"fmt ", fmt, 16}, {"data", data, 2000}})},
        {"huge fmt size before data",
         RiffFile({{"fmt ", fmt, 0xFFFFFFF0ull}, {"data", data, data.size()}})},
    };
    for (const Case& c : cases) {
        int opened = -1;
        Bytes heard = Heard("damaged.wav", c.file, &opened);
        EXPECT_EQ(0, opened) << c.what;
        EXPECT_TRUE(heard.empty()) << c.what << ": heard " << heard.size();
        EXPECT_EQ(0, g_nCalls) << c.what;
    }
    EXPECT_EQ(0, m_lastRefusedButPositioned);
}

TEST_F(DamagedWaveTest, OnlyTheValidPartOfTheDataPlays) {
    Bytes data = SampleData(5000, 2);
    Bytes fmt = Fmt8();
    int opened = -1;

    // Claims a million bytes, holds 5000.
    Bytes longClaim = RiffFile({{"fmt ", fmt, 16}, {"data", data, 1000000}});
    EXPECT_TRUE(Heard("claim.wav", longClaim, &opened) == data);
    EXPECT_EQ(1, opened);
    EXPECT_EQ(1, g_nCalls);

    // The largest claim possible, and a RIFF size claiming as much.
    Bytes hugeClaim = RiffFile({{"fmt ", fmt, 16}, {"data", data, 0xFFFFFFFFull}}, 0xFFFFFFFFll);
    EXPECT_TRUE(Heard("claim2.wav", hugeClaim, &opened) == data);
    EXPECT_EQ(1, opened);

    // The file ends in the middle of the data.
    Bytes cut = Slice(WaveFile(1, kRate, 8, data), 0, 44 + 3210);
    EXPECT_TRUE(Heard("cut.wav", cut, &opened) == Slice(data, 0, 3210));

    // 16-bit stereo cut in the middle of a frame: only whole frames play.
    Bytes cut16 = Slice(WaveFile(2, kRate, 16, data), 0, 44 + 4001);
    EXPECT_TRUE(Heard("cut16.wav", cut16, &opened) == Slice(data, 0, 4000));

    // The RIFF chunk ends before the file does: what lies beyond it is not sound.
    Bytes tail = RiffFile({{"fmt ", fmt, 16}, {"data", data, data.size()}}, 4 + 24 + 8 + 1000);
    EXPECT_TRUE(Heard("riffend.wav", tail, &opened) == Slice(data, 0, 1000));

    // Other chunks around, odd-sized ones padded, and a second data chunk that is not played.
    Bytes other = RiffFile({{"LIST", Bytes(3, 'x'), 3},
                            {"fmt ", fmt, 16},
                            {"fact", Bytes(4, 0), 4},
                            {"data", data, data.size()},
                            {"data", SampleData(100, 99), 100}});
    EXPECT_TRUE(Heard("other.wav", other, &opened) == data);
    EXPECT_EQ(1, opened);

    // A longer format chunk (with cbSize and extra bytes) is fine: its first 16 bytes count.
    Bytes fmt18 = fmt;
    fmt18.push_back(0);
    fmt18.push_back(0);
    Bytes ext = RiffFile({{"fmt ", fmt18, 18}, {"data", data, data.size()}});
    EXPECT_TRUE(Heard("fmt18.wav", ext, &opened) == data);
    EXPECT_EQ(1, opened);
}

TEST_F(DamagedWaveTest, EmptyDataOpensButPlaysNothing) {
    Bytes fmt = Fmt8();
    int opened = -1;
    Bytes heard =
        Heard("empty-data.wav", RiffFile({{"fmt ", fmt, 16}, {"data", Bytes(), 0}}), &opened);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(0, g_nCalls);
}

TEST_F(DamagedWaveTest, NonsenseFormatRecordsNeverCrash) {
    Bytes data = SampleData(4000, 6);
    struct Case {
        const char* what;
        Bytes fmt;
    } cases[] = {
        {"no bytes per second", PcmFormat(1, kRate, 8, 1, 0)},
        {"absurd bytes per second", PcmFormat(1, kRate, 8, 1, 0x7FFFFFFF)},
        {"four billion bytes per second", PcmFormat(1, kRate, 8, 1, (int)0xFFFFFFFE)},
        {"no block alignment", PcmFormat(1, kRate, 8, 0)},
        {"huge block alignment", PcmFormat(1, kRate, 8, 0xFFFF)},
        {"no channels", PcmFormat(0, kRate, 8, 1)},
        {"no rate", PcmFormat(1, 0, 8, 1, 0)},
        {"huge rate", PcmFormat(2, (int)0xFFFFFFFF, 16, 4, (int)0xFFFFFFFC)},
        {"not PCM", PcmFormat(1, kRate, 8, 1, -1, 0x55)},
        {"65535 channels", PcmFormat(0xFFFF, kRate, 16, 0xFFFF)},
        {"three channels", PcmFormat(3, kRate, 16)},
        {"12 bits", PcmFormat(1, kRate, 12, 2)},
        {"bits disagree", PcmFormat(2, kRate, 8, 4)},
        {"one hertz", PcmFormat(1, 1, 8)},
    };
    for (const Case& c : cases) {
        Bytes heard = Heard("format.wav", RiffFile({{"fmt ", c.fmt, 16}, {"data", data, 4000}}));
        // Whatever the device makes of it, nothing but the file's data reaches it.
        if (!heard.empty()) {
            EXPECT_TRUE(heard.size() <= data.size() &&
                        std::search(data.begin(), data.end(), heard.begin(), heard.end()) ==
                            data.begin())
                << c.what << ": heard " << heard.size();
        }
        EXPECT_LE(g_nCalls, 1) << c.what;
    }
}

TEST_F(DamagedWaveTest, RandomFormatRecordsNeverCrash) {
    Bytes data = SampleData(4096, 13);
    std::mt19937 rng(4101);
    for (int round = 0; round < 30; ++round) {
        Bytes fmt(16);
        for (unsigned char& b : fmt)
            b = (unsigned char)rng();
        // Mostly PCM with few channels, so that many records get as far as the device.
        if (rng() % 4) {
            fmt[0] = 1;
            fmt[1] = 0;
            fmt[2] = (unsigned char)(1 + rng() % 3);
            fmt[3] = 0;
            fmt[7] = 0;
            fmt[6] = (unsigned char)(rng() % 4);
            fmt[12] = (unsigned char)(1 + rng() % 8);
            fmt[13] = 0;
            fmt[14] = (unsigned char)(8 * (1 + rng() % 4));
            fmt[15] = 0;
        }
        Bytes heard = Heard("randfmt.wav", RiffFile({{"fmt ", fmt, 16}, {"data", data, 4096}}));
        if (!heard.empty()) {
            EXPECT_TRUE(heard.size() <= data.size() &&
                        std::search(data.begin(), data.end(), heard.begin(), heard.end()) ==
                            data.begin())
                << "round " << round << ": heard " << heard.size();
        }
        EXPECT_LE(g_nCalls, 1) << "round " << round;
    }
}

TEST_F(DamagedWaveTest, RandomlyDamagedFilesPlayNothingButFileBytes) {
    Bytes data = SampleData(3000, 12);
    Bytes good =
        RiffFile({{"LIST", Bytes(10, 'L'), 10}, {"fmt ", Fmt8(), 16}, {"data", data, data.size()}});
    // Bytes that are neither the format record's contents (offsets 38..53) nor the samples.
    std::vector<size_t> header;
    for (size_t i = 0; i < good.size() - data.size(); ++i)
        if (i < 38 || i >= 54)
            header.push_back(i);
    std::mt19937 rng(20261207);
    for (int round = 0; round < 40; ++round) {
        Bytes file = good;
        int kind = (int)(rng() % 3);
        if (kind != 1) {
            int hits = 1 + (int)(rng() % 4);
            for (int h = 0; h < hits; ++h)
                file[header[rng() % header.size()]] = (unsigned char)(rng() & 0xFF);
        }
        if (kind != 0)
            file.resize(rng() % (file.size() + 1));
        Bytes heard = Heard("random.wav", file);
        if (!heard.empty()) {
            EXPECT_TRUE(heard.size() <= data.size() &&
                        std::search(file.begin(), file.end(), heard.begin(), heard.end()) !=
                            file.end())
                << "round " << round << ": heard " << heard.size();
        }
        EXPECT_LE(g_nCalls, 1) << "round " << round;
    }
    // Pure noise: nothing opens.
    for (int round = 0; round < 20; ++round) {
        Bytes file(rng() % 400);
        for (unsigned char& b : file)
            b = (unsigned char)(rng() & 0xFF);
        int opened = -1;
        Bytes heard = Heard("noise.wav", file, &opened);
        EXPECT_EQ(0, opened) << "round " << round;
        EXPECT_TRUE(heard.empty()) << "round " << round;
    }
}
