// The hourly chime: the decision of each tick for a given time, and the strikes as heard.
#include <gtest/gtest.h>

#include <string.h>

#include "alarm/chime.h"
#include "app/main_window.h"
#include "app/window_utils.h"
#include "face/face_tables.h"
#include "sound/wave_mix.h"
#include "wave_test_util.h"

namespace {

typedef std::vector<unsigned char> Bytes;

struct Tick {
    int hour;
    int minute;
};

// Runs the decision over a sequence of ticks; returns the strikes started at each.
std::vector<int> RunTicks(int zihou, const std::vector<Tick>& ticks, int* chimed) {
    std::vector<int> out;
    for (const Tick& t : ticks)
        out.push_back(ChimeStrikesFor(zihou, t.hour, t.minute, chimed));
    return out;
}

} // namespace

TEST(ChimeDecision, StrikesTheHourOfTheTwelveHourClock) {
    const int expected[24] = {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
                              12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int hour = 0; hour < 24; ++hour) {
        int chimed = 0;
        EXPECT_EQ(expected[hour], ChimeStrikesFor(1, hour, 0, &chimed)) << hour;
        EXPECT_EQ(1, chimed) << hour;
    }
}

TEST(ChimeDecision, FifteenOClockInEachSize) {
    int chimed = 0;
    int strikes = ChimeStrikesFor(1, 15, 0, &chimed);
    EXPECT_EQ(3, strikes);
    // Small and large: the third play-through ends it; medium: the first.
    EXPECT_EQ(0, ChimeFinished(0, 1, strikes));
    EXPECT_EQ(0, ChimeFinished(0, 2, strikes));
    EXPECT_EQ(1, ChimeFinished(0, 3, strikes));
    EXPECT_EQ(0, ChimeFinished(2, 2, strikes));
    EXPECT_EQ(1, ChimeFinished(2, 3, strikes));
    EXPECT_EQ(1, ChimeFinished(1, 1, strikes));
    EXPECT_EQ(1, ChimeFinished(1, 1, 12));
}

TEST(ChimeDecision, MidnightAndNoonStrikeTwelve) {
    int chimed = 0;
    EXPECT_EQ(12, ChimeStrikesFor(1, 0, 0, &chimed));
    chimed = 0;
    EXPECT_EQ(12, ChimeStrikesFor(1, 12, 0, &chimed));
    for (int count = 1; count < 12; ++count)
        EXPECT_EQ(0, ChimeFinished(2, count, 12)) << count;
    EXPECT_EQ(1, ChimeFinished(2, 12, 12));
    chimed = 0;
    EXPECT_EQ(1, ChimeStrikesFor(1, 13, 0, &chimed));
    EXPECT_EQ(1, ChimeFinished(0, 1, 1));
}

TEST(ChimeDecision, OncePerHourAndTheFirstTickOfMinuteOneClearsTheMark) {
    int chimed = 0;
    std::vector<int> got = RunTicks(
        1, {{14, 59}, {15, 0}, {15, 0}, {15, 0}, {15, 1}, {15, 1}, {16, 0}, {16, 0}}, &chimed);
    EXPECT_EQ((std::vector<int>{0, 3, 0, 0, 0, 0, 4, 0}), got);
    EXPECT_EQ(1, chimed);
    EXPECT_EQ(0, ChimeStrikesFor(1, 16, 1, &chimed));
    EXPECT_EQ(0, chimed);
}

TEST(ChimeDecision, ClearingTheMarkDuringMinuteZeroStartsAgain) {
    // What a size change or a confirmed alarm dialog does.
    int chimed = 0;
    EXPECT_EQ(3, ChimeStrikesFor(1, 15, 0, &chimed));
    EXPECT_EQ(0, ChimeStrikesFor(1, 15, 0, &chimed));
    chimed = 0;
    EXPECT_EQ(3, ChimeStrikesFor(1, 15, 0, &chimed));
}

TEST(ChimeDecision, SwitchedOffNeverChimesAndLeavesTheMark) {
    for (int hour = 0; hour < 24; ++hour) {
        int chimed = 0;
        EXPECT_EQ(0, ChimeStrikesFor(0, hour, 0, &chimed)) << hour;
        EXPECT_EQ(0, chimed);
        chimed = 1;
        EXPECT_EQ(0, ChimeStrikesFor(0, hour, 1, &chimed)) << hour;
        EXPECT_EQ(1, chimed) << "the mark is left alone while switched off";
    }
    // Started during minute 0 with the chime on: the first tick chimes.
    int chimed = 0;
    EXPECT_EQ(9, ChimeStrikesFor(1, 21, 0, &chimed));
}

TEST(ChimeDecision, SizeOutsideTheTableCountsAsSmall) {
    EXPECT_EQ(0, ChimeFinished(-1, 1, 3));
    EXPECT_EQ(0, ChimeFinished(3, 2, 3));
    EXPECT_EQ(1, ChimeFinished(99, 3, 3));
    EXPECT_EQ(0, ChimeFinished(7, 1, 12));
}

// ---- Heard through the captured sound device ----

namespace {

LONG ReadBytes(void* source, LONG offset, void* out, LONG size) {
    const Bytes* b = (const Bytes*)source;
    if (offset < 0 || (size_t)offset > b->size())
        return -1;
    size_t n = std::min((size_t)size, b->size() - (size_t)offset);
    memcpy(out, b->data() + offset, n);
    return (LONG)n;
}

// The sound data of the clock's chime file for a size, as shipped in wave/.
Bytes ChimeData(int size) {
    std::string path =
        std::string(GetProgramDirectory()) + "\\wave\\" + SoundFiles[ValidSizeIndex(size)][1];
    Bytes file = ReadFileBytes(path);
    WaveLayout layout;
    if (!ParseWaveLayout(ReadBytes, &file, (LONG)file.size(), &layout))
        return Bytes();
    return Bytes(file.begin() + layout.dataOffset,
                 file.begin() + layout.dataOffset + layout.dataSize);
}

Bytes Repeat(const Bytes& v, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), v.begin(), v.end());
    return out;
}

bool ChimeSilent(void*) {
    return !g_pChimePlayer || !g_pChimePlayer->IsPlaying();
}

class ChimeSoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (CapturePath().empty())
            GTEST_SKIP() << "run through CTest: CLOCK_AUDIO_CAPTURE names the captured output";
        ClearCapture();
        m_saved = g_WindowSettings;
        m_savedAlarm = g_AlarmSettings;
        g_bChimed = 0;
        g_nStrikes = 0;
    }
    void TearDown() override {
        DeleteChimePlayer();
        g_WindowSettings = m_saved;
        g_AlarmSettings = m_savedAlarm;
    }
    // Starts the chime of `strikes` in `size` and lets it run out.
    Bytes Strike(int size, int strikes) {
        ClearCapture();
        g_WindowSettings.SIZE = size;
        g_nStrikes = strikes;
        StartChime(size);
        EXPECT_TRUE(g_pChimePlayer != nullptr);
        EXPECT_TRUE(PumpUntil(ChimeSilent, nullptr, 120000));
        PumpFor(300);
        return ReadCapture();
    }
    WindowSettings m_saved;
    AlarmSettings m_savedAlarm;
};

} // namespace

TEST_F(ChimeSoundTest, EachSizeStrikesItsOwnSoundAsOftenAsItShould) {
    for (int size = 0; size < 3; ++size)
        ASSERT_FALSE(ChimeData(size).empty()) << "chime sound of size " << size;
    EXPECT_TRUE(Strike(0, 3) == Repeat(ChimeData(0), 3));
    EXPECT_EQ(0, g_pChimePlayer->m_nPlayCount) << "stopped by the chime";
    EXPECT_TRUE(Strike(1, 3) == ChimeData(1)) << "medium plays once";
    EXPECT_TRUE(Strike(2, 3) == Repeat(ChimeData(2), 3));
    EXPECT_TRUE(Strike(2, 1) == ChimeData(2));
    EXPECT_TRUE(Strike(1, 12) == ChimeData(1));
}

TEST_F(ChimeSoundTest, TwelveStrikesAtNoon) {
    Bytes heard = Strike(0, 12);
    EXPECT_EQ(12 * ChimeData(0).size(), heard.size());
    EXPECT_TRUE(heard == Repeat(ChimeData(0), 12));
}

TEST_F(ChimeSoundTest, ASizeOutsideTheTablePlaysTheSmallChime) {
    EXPECT_TRUE(Strike(5, 2) == Repeat(ChimeData(0), 2));
    EXPECT_TRUE(Strike(-3, 1) == ChimeData(0));
}

namespace {
bool FirstStrikeHeard(void*) {
    return g_pChimePlayer && g_pChimePlayer->m_nPlayCount >= 1;
}
} // namespace

TEST_F(ChimeSoundTest, StopChimeEndsTheStrikesForGood) {
    g_WindowSettings.SIZE = 2;
    g_nStrikes = 12;
    StartChime(2);
    ASSERT_TRUE(PumpUntil(FirstStrikeHeard, nullptr, 60000));
    StopChime();
    size_t heard = ReadCapture().size();
    EXPECT_LT(heard, 3 * ChimeData(2).size());
    PumpFor(1000);
    EXPECT_EQ(heard, ReadCapture().size()) << "no strike after the stop";
    EXPECT_TRUE(g_pChimePlayer != nullptr) << "the player stays until the next chime";
    EXPECT_EQ(1, g_pChimePlayer->m_bStopped);
    StopChime(); // again: harmless
    DeleteChimePlayer();
    EXPECT_TRUE(g_pChimePlayer == nullptr);
    DeleteChimePlayer();
    StopChime();
}

TEST_F(ChimeSoundTest, ANewChimeReplacesAPlayingOne) {
    g_WindowSettings.SIZE = 0;
    g_nStrikes = 12;
    StartChime(0);
    ASSERT_TRUE(PumpUntil(FirstStrikeHeard, nullptr, 60000));
    // The size changes to medium during minute 0: the old chime stops, the new one plays once.
    size_t before = ReadCapture().size();
    g_WindowSettings.SIZE = 1;
    g_nStrikes = 3;
    StartChime(1);
    EXPECT_TRUE(PumpUntil(ChimeSilent, nullptr, 60000));
    PumpFor(300);
    Bytes heard = ReadCapture();
    ASSERT_GE(heard.size(), before);
    Bytes after(heard.begin() + before, heard.end());
    // Whatever of the old strike was still queued, the end is exactly one medium chime.
    Bytes medium = ChimeData(1);
    ASSERT_GE(after.size(), medium.size());
    EXPECT_TRUE(Bytes(after.end() - medium.size(), after.end()) == medium);
    EXPECT_LT(after.size(), medium.size() + ChimeData(0).size());
}

TEST_F(ChimeSoundTest, SwitchedOffTickDoesNothing) {
    g_AlarmSettings.ZIHOU = 0;
    g_bChimed = 1;
    for (int i = 0; i < 5; ++i)
        ChimeTick();
    EXPECT_TRUE(g_pChimePlayer == nullptr);
    EXPECT_EQ(1, g_bChimed);
    PumpFor(200);
    EXPECT_TRUE(ReadCapture().empty());
}

TEST_F(ChimeSoundTest, MissingSoundFileStaysSilent) {
    // A player whose file cannot be opened: no sound, no callback, no crash.
    DeleteChimePlayer();
    g_pChimePlayer = new CWaveMix(nullptr);
    g_pChimePlayer->SetCallback(ChimeDone);
    g_pChimePlayer->m_bLoop = 1;
    EXPECT_EQ(0, g_pChimePlayer->Open(TempWavePath("missing-chime.wav").c_str()));
    g_pChimePlayer->Play();
    PumpFor(300);
    EXPECT_TRUE(ReadCapture().empty());
    EXPECT_EQ(0, g_pChimePlayer->m_nPlayCount);
}
