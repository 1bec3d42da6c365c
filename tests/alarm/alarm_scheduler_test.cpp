// The alarm scheduler as a state machine: local time and tick count are given by the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <string>

#include "alarm/alarm_dialog.h"
#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "alarm/message_file.h"
#include "app/main_window.h"
#include "sound/wave_mix.h"
#include "test_support.h"

namespace {
const DWORD kMinute = 60000;

// The scheduler's flags and record with the effects of the actions applied as the glue would.
struct World {
    int bRinging = 0;
    int bMessageShown = 0;
    AlarmSettings s = {0, 1, kAlarmAbsolute, 7, 30, 0, 1, 0};
    DWORD dwBase = 0;
    bool bSound = false;
    int nStarts = 0;
    int nBoxes = 0;
    int nSaves = 0;

    unsigned Tick(int hour, int minute, DWORD tick = 0) {
        unsigned actions =
            DecideAlarmTick(&bRinging, &bMessageShown, &s, hour, minute, tick, dwBase);
        Apply(actions);
        return actions;
    }
    void Apply(unsigned actions) {
        // The two never come together.
        EXPECT_FALSE((actions & kAlarmStartSound) && (actions & kAlarmStopSound));
        if (actions & kAlarmStopSound)
            bSound = false;
        if (actions & kAlarmStartSound) {
            bSound = true;
            ++nStarts;
        }
        if (actions & kAlarmDisarm) {
            s.ALARM = 0;
            ++nSaves;
        }
        if (actions & kAlarmShowMessage) {
            // The flags are already set when the box would open.
            EXPECT_EQ(1, bMessageShown);
            EXPECT_EQ(1, bRinging);
            ++nBoxes;
        }
    }
    void PressOk() { Apply(AlarmAcknowledgeActions(s.ALARMTYPE)); }
};

World Relative(int minutes, DWORD base) {
    World w;
    w.s.ALARMTYPE = kAlarmRelative;
    w.s.MINUTES2 = minutes;
    w.dwBase = base;
    return w;
}
} // namespace

TEST(AbsoluteAlarm, RingsForTheMatchingMinute) {
    World w;
    EXPECT_EQ(kAlarmNothing, w.Tick(7, 29));
    EXPECT_EQ(unsigned(kAlarmStartSound | kAlarmShowMessage), w.Tick(7, 30));
    EXPECT_TRUE(w.bSound);
    EXPECT_EQ(1, w.nBoxes);
    // Later ticks of the minute, the box still open: no second box, no restart.
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(kAlarmNothing, w.Tick(7, 30));
    EXPECT_TRUE(w.bSound);
    EXPECT_EQ(1, w.nStarts);
    EXPECT_EQ(1, w.nBoxes);
    // The end of the minute stops it even while the box is open, and clears the flags.
    EXPECT_EQ(unsigned(kAlarmStopSound), w.Tick(7, 31));
    EXPECT_FALSE(w.bSound);
    EXPECT_EQ(0, w.bRinging);
    EXPECT_EQ(0, w.bMessageShown);
    EXPECT_EQ(kAlarmNothing, w.Tick(7, 31));
    // OK pressed late only stops a stopped sound; nothing is saved.
    w.PressOk();
    EXPECT_FALSE(w.bSound);
    EXPECT_EQ(0, w.nSaves);
    EXPECT_EQ(1, w.s.ALARM);
}

TEST(AbsoluteAlarm, OkStopsTheSoundAndNoSecondBoxThatMinute) {
    World w;
    w.Tick(7, 30);
    w.PressOk();
    EXPECT_FALSE(w.bSound);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(kAlarmNothing, w.Tick(7, 30));
    EXPECT_FALSE(w.bSound);
    EXPECT_EQ(1, w.nBoxes);
    EXPECT_EQ(1, w.nStarts);
    w.Tick(7, 31);
    EXPECT_EQ(0, w.bRinging);
}

TEST(AbsoluteAlarm, RingsAgainTheNextDay) {
    World w;
    w.Tick(7, 30);
    w.PressOk();
    w.Tick(7, 31);
    for (int h = 7; h < 24 + 7; ++h) {
        for (int m = (h == 7 ? 32 : 0); m < 60; ++m) {
            if (!(h % 24 == 7 && m == 30)) {
                EXPECT_EQ(kAlarmNothing, w.Tick(h % 24, m));
            }
        }
    }
    EXPECT_EQ(unsigned(kAlarmStartSound | kAlarmShowMessage), w.Tick(7, 30));
    EXPECT_EQ(2, w.nStarts);
    EXPECT_EQ(2, w.nBoxes);
    EXPECT_EQ(1, w.s.ALARM);
}

TEST(AbsoluteAlarm, WithoutMessageRingsWithoutBox) {
    World w;
    w.s.MESSAGE = 0;
    EXPECT_EQ(unsigned(kAlarmStartSound), w.Tick(7, 30));
    EXPECT_EQ(kAlarmNothing, w.Tick(7, 30));
    EXPECT_EQ(unsigned(kAlarmStopSound), w.Tick(7, 31));
    EXPECT_EQ(0, w.nBoxes);
    EXPECT_EQ(0, w.bMessageShown);
}

// An alarm that is not enabled never rings, absolute or not.
TEST(AbsoluteAlarm, DisabledNeverRings) {
    World w;
    w.s.ALARM = 0;
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; ++m)
            EXPECT_EQ(kAlarmNothing, w.Tick(h, m));
    EXPECT_EQ(0, w.nStarts);
}

// The record of an empty registry: absolute type, 00:00, not enabled. Midnight stays silent.
TEST(AbsoluteAlarm, FreshRecordIsSilentAtMidnight) {
    DeleteAlarmStore();
    World w;
    LoadAlarmSettings(&w.s);
    EXPECT_EQ(kAlarmAbsolute, w.s.ALARMTYPE);
    EXPECT_EQ(0, w.s.ALARM);
    EXPECT_EQ(kAlarmNothing, w.Tick(23, 59));
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 0));
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 1));
    EXPECT_EQ(0, w.nStarts);
}

TEST(AbsoluteAlarm, TimeMatchesOnHourAndMinuteOnly) {
    World w;
    w.s.HOURS = 0;
    w.s.MINUTES = 0;
    EXPECT_EQ(kAlarmNothing, w.Tick(12, 0));
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 1));
    EXPECT_NE(kAlarmNothing, w.Tick(0, 0));
}

TEST(AlarmType, OtherTypesDoNothing) {
    for (int type : {2, -1, 100}) {
        World w;
        w.s.ALARMTYPE = type;
        w.s.MINUTES2 = 1;
        for (int m = 0; m < 60; ++m)
            EXPECT_EQ(kAlarmNothing, w.Tick(7, m, m * kMinute));
        EXPECT_EQ(0, w.nStarts);
    }
}

TEST(RelativeAlarm, RingsFromMToMPlusOneMinutesThenDisarms) {
    World w = Relative(5, 1000);
    EXPECT_EQ(kAlarmNothing, w.Tick(9, 0, 1000));
    EXPECT_EQ(kAlarmNothing, w.Tick(9, 0, 1000 + 5 * kMinute - 1));
    EXPECT_EQ(unsigned(kAlarmStartSound | kAlarmShowMessage), w.Tick(9, 5, 1000 + 5 * kMinute));
    // The box stays open: ticks go on without a second box or start.
    for (DWORD t = 1000 + 5 * kMinute; t < 1000 + 6 * kMinute; t += 125)
        EXPECT_EQ(kAlarmNothing, w.Tick(9, 5, t));
    EXPECT_TRUE(w.bSound);
    // One minute later the sound stops and the disarmed record is saved, box open or not.
    EXPECT_EQ(unsigned(kAlarmStopSound | kAlarmDisarm), w.Tick(9, 6, 1000 + 6 * kMinute));
    EXPECT_FALSE(w.bSound);
    EXPECT_EQ(0, w.s.ALARM);
    EXPECT_EQ(1, w.nSaves);
    // The flags stay set; nothing more happens until the dialog re-arms it.
    EXPECT_EQ(1, w.bRinging);
    EXPECT_EQ(1, w.bMessageShown);
    for (DWORD t = 1000 + 6 * kMinute; t < 1000 + 100 * kMinute; t += kMinute / 2)
        EXPECT_EQ(kAlarmNothing, w.Tick(9, 7, t));
    // The late OK stops and saves again, harmlessly.
    w.PressOk();
    EXPECT_EQ(2, w.nSaves);
    EXPECT_EQ(1, w.nStarts);
    EXPECT_EQ(1, w.nBoxes);
}

TEST(RelativeAlarm, OkStopsAndDisarms) {
    World w = Relative(1, 0);
    w.Tick(0, 1, kMinute + 10);
    EXPECT_TRUE(w.bSound);
    w.PressOk();
    EXPECT_FALSE(w.bSound);
    EXPECT_EQ(0, w.s.ALARM);
    EXPECT_EQ(1, w.nSaves);
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 1, kMinute + 500));
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 2, 2 * kMinute + 500));
}

TEST(RelativeAlarm, WithoutMessage) {
    World w = Relative(2, 0);
    w.s.MESSAGE = 0;
    EXPECT_EQ(unsigned(kAlarmStartSound), w.Tick(0, 2, 2 * kMinute));
    EXPECT_EQ(unsigned(kAlarmStopSound | kAlarmDisarm), w.Tick(0, 3, 3 * kMinute));
    EXPECT_EQ(0, w.nBoxes);
}

// A box that could not be shown at the start (the message was switched on later) comes with
// the next tick of the ringing minute.
TEST(RelativeAlarm, MessageStepRunsEveryRingingTick) {
    World w = Relative(1, 0);
    w.s.MESSAGE = 0;
    w.Tick(0, 1, kMinute);
    w.s.MESSAGE = 1;
    EXPECT_EQ(unsigned(kAlarmShowMessage), w.Tick(0, 1, kMinute + 125));
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 1, kMinute + 250));
}

TEST(RelativeAlarm, ZeroDelayNeverRings) {
    World w = Relative(0, 0);
    for (DWORD t = 0; t < 200 * kMinute; t += kMinute / 4)
        EXPECT_EQ(kAlarmNothing, w.Tick(0, 0, t));
    EXPECT_EQ(0, w.nStarts);
}

TEST(RelativeAlarm, NotArmedNeverRings) {
    World w = Relative(1, 0);
    w.s.ALARM = 0;
    for (DWORD t = 0; t < 10 * kMinute; t += 125)
        EXPECT_EQ(kAlarmNothing, w.Tick(0, 0, t));
}

TEST(RelativeAlarm, TickCountWrapsPast32Bits) {
    DWORD base = 0xFFFFFFFFu - 30000; // armed 30 s before the wrap
    World w = Relative(1, base);
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 0, 0xFFFFFFFFu));
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 0, 29998));
    EXPECT_EQ(unsigned(kAlarmStartSound | kAlarmShowMessage), w.Tick(0, 1, 29999));
    EXPECT_EQ(kAlarmNothing, w.Tick(0, 1, 29999 + kMinute - 1));
    EXPECT_EQ(unsigned(kAlarmStopSound | kAlarmDisarm), w.Tick(0, 2, 29999 + kMinute));
}

// A delay from the registry too long for the tick count never comes round.
TEST(RelativeAlarm, HugeDelayFromRegistry) {
    World w = Relative(0x7FFFFFFF, 0);
    for (DWORD t : {0u, 0x7FFFFFFFu, 0xFFFFFFFFu})
        EXPECT_EQ(kAlarmNothing, w.Tick(0, 0, t));
    World n = Relative(-5, 0);
    EXPECT_EQ(kAlarmNothing, n.Tick(0, 0, 0xFFFFFFFFu));
}

// The glue against the live state: confirmation, cancel, disarm, message box.
class AlarmGlue : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteAlarmStore();
        g_bRinging = g_bMessageShown = 0;
        g_bChimed = 0;
        g_dwAlarmBase = 0;
        g_AlarmSettings = AlarmSettings{1, 0, 0, 0, 0, 0, 0, 0};
        g_hMainWnd = nullptr;
    }
    void TearDown() override {
        DeleteAlarmPlayer();
        DeleteAlarmStore();
    }
    CScratchDir m_dir;
};

TEST_F(AlarmGlue, ConfirmedDialogReloadsClearsAndRearms) {
    WriteStoredDword("ALARM", 1);
    WriteStoredDword("ALARMTYPE", 1);
    WriteStoredDword("MINUTES2", 7);
    g_bRinging = g_bMessageShown = g_bChimed = 1;
    ApplyAlarmDialogResult(1, 123456);
    EXPECT_EQ(0, g_bRinging);
    EXPECT_EQ(0, g_bMessageShown);
    EXPECT_EQ(0, g_bChimed);
    EXPECT_EQ(123456u, g_dwAlarmBase);
    EXPECT_EQ(1, g_AlarmSettings.ALARM);
    EXPECT_EQ(1, g_AlarmSettings.ALARMTYPE);
    EXPECT_EQ(7, g_AlarmSettings.MINUTES2);
    // The delay now runs from the confirmation.
    EXPECT_EQ(kAlarmNothing, DecideAlarmTick(&g_bRinging, &g_bMessageShown, &g_AlarmSettings, 0, 0,
                                             123456 + 7 * kMinute - 1, g_dwAlarmBase));
    EXPECT_EQ(unsigned(kAlarmStartSound),
              DecideAlarmTick(&g_bRinging, &g_bMessageShown, &g_AlarmSettings, 0, 0,
                              123456 + 7 * kMinute, g_dwAlarmBase));
}

TEST_F(AlarmGlue, CancelledDialogLeavesARingingAlarmRinging) {
    WriteStoredDword("ALARM", 0);
    g_AlarmSettings = AlarmSettings{1, 1, 0, 7, 30, 0, 1, 0};
    g_bRinging = g_bMessageShown = 1;
    g_dwAlarmBase = 42;
    ApplyAlarmDialogResult(0, 999);
    EXPECT_EQ(1, g_bRinging);
    EXPECT_EQ(1, g_bMessageShown);
    EXPECT_EQ(42u, g_dwAlarmBase);
    EXPECT_EQ(1, g_AlarmSettings.ALARM);
    EXPECT_EQ(kAlarmNothing, DecideAlarmTick(&g_bRinging, &g_bMessageShown, &g_AlarmSettings, 7, 30,
                                             0, g_dwAlarmBase));
}

TEST_F(AlarmGlue, DisarmSavesTheLiveRecord) {
    g_AlarmSettings = AlarmSettings{0, 1, 1, 3, 4, 5, 1, 0};
    RunAlarmActions(kAlarmDisarm, kAlarmRelative);
    EXPECT_EQ(0, g_AlarmSettings.ALARM);
    EXPECT_EQ(0, ReadStoredDword("ALARM"));
    EXPECT_EQ(1, ReadStoredDword("ALARMTYPE"));
    EXPECT_EQ(5, ReadStoredDword("MINUTES2"));
}

TEST_F(AlarmGlue, StartAndStopSound) {
    RunAlarmActions(kAlarmStartSound, kAlarmAbsolute);
    ASSERT_NE(nullptr, g_pAlarmPlayer);
    EXPECT_EQ(1, g_pAlarmPlayer->m_bLoop);
    CWaveMix* first = g_pAlarmPlayer;
    RunAlarmActions(kAlarmStopSound, kAlarmAbsolute);
    EXPECT_EQ(first, g_pAlarmPlayer); // the player remains
    StopAlarmSound();
    DeleteAlarmPlayer();
    EXPECT_EQ(nullptr, g_pAlarmPlayer);
    StopAlarmSound(); // without a player: nothing
}

// A stored size the clock does not know plays the small size's alarm.
TEST(AlarmSound, FileOfEachSize) {
    EXPECT_STREQ("w01.wav", AlarmSoundFile(0));
    EXPECT_STREQ("w03.wav", AlarmSoundFile(1));
    EXPECT_STREQ("w05.wav", AlarmSoundFile(2));
    for (int size : {-1, 3, 1000, INT_MIN, INT_MAX})
        EXPECT_STREQ("w01.wav", AlarmSoundFile(size)) << size;
}

TEST_F(AlarmGlue, UnknownSizeStillStartsAPlayer) {
    for (int size : {-1, 3, 1000}) {
        g_WindowSettings.SIZE = size;
        StartAlarmSound();
        ASSERT_NE(nullptr, g_pAlarmPlayer);
        EXPECT_EQ(1, g_pAlarmPlayer->m_bLoop);
    }
    g_WindowSettings.SIZE = 0;
}

// The box shows the file's text under the product title; OK acknowledges the relative alarm.
TEST_F(AlarmGlue, MessageBoxShowsTheFileAndOkDisarms) {
    WriteFileBytes(kMessageFileName, "起きて\r\r\n朝です");
    g_AlarmSettings = AlarmSettings{0, 1, kAlarmRelative, 0, 0, 1, 1, 0};
    g_bRinging = g_bMessageShown = 1;
    {
        CBoxWatcher watcher(kProductTitle);
        RunAlarmActions(kAlarmShowMessage, kAlarmRelative);
        std::vector<std::string> texts = watcher.Texts();
        ASSERT_EQ(1u, texts.size());
        EXPECT_EQ("起きて\r\n朝です", texts[0]);
    }
    EXPECT_EQ(0, g_AlarmSettings.ALARM);
    EXPECT_EQ(0, ReadStoredDword("ALARM"));
}

TEST_F(AlarmGlue, MessageBoxWithoutFileIsEmpty) {
    g_AlarmSettings = AlarmSettings{0, 1, kAlarmAbsolute, 0, 0, 0, 1, 0};
    CBoxWatcher watcher(kProductTitle);
    RunAlarmActions(kAlarmShowMessage, kAlarmAbsolute);
    std::vector<std::string> texts = watcher.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("", texts[0]);
    // The absolute alarm's OK saves nothing.
    EXPECT_EQ(-1, ReadStoredDword("ALARM"));
}
