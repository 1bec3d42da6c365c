// Late and repeated alarms, stale disarms, an unopened dialog, shutdown, unreachable windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "alarm/alarm_dialog.h"
#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "app/main_window.h"
#include "app/window_utils.h"
#include "test_support.h"

namespace {
const DWORD kMinute = 60000;
const unsigned kStart = kAlarmStartSound;
const unsigned kEnd = kAlarmStopSound | kAlarmDisarm;
} // namespace

// However late the first tick of a relative alarm comes, it rings one minute from then.
TEST(AlarmState, LateRelativeAlarmRingsAFullMinute) {
    for (DWORD first : {kMinute, kMinute + 125, 2 * kMinute, 2 * kMinute + 1, 90 * kMinute}) {
        AlarmSettings s = {0, 1, kAlarmRelative, 0, 0, 1, 0, 0};
        int ringing = 0, shown = 0;
        DWORD ringStart = 0;
        auto tick = [&](DWORD t) {
            return DecideAlarmTick(&ringing, &shown, &s, 0, 0, 1000 + t, 1000, &ringStart);
        };
        EXPECT_EQ(kStart, tick(first)) << first;
        EXPECT_EQ(kAlarmNothing, tick(first + kMinute - 1)) << first;
        EXPECT_EQ(kEnd, tick(first + kMinute)) << first;
    }
}

// An absolute alarm's box left open past its minute: the next day it rings without a second box,
// and the open box counts as this alarm's box even after it is closed.
TEST(AlarmState, OneBoxAtATime) {
    AlarmSettings s = {0, 1, kAlarmAbsolute, 7, 30, 0, 1, 0};
    int ringing = 0, shown = 0;
    EXPECT_EQ(unsigned(kStart | kAlarmShowMessage),
              DecideAlarmTick(&ringing, &shown, &s, 7, 30, 0, 0, nullptr, 0));
    // Minute, box open, what the tick asks for.
    const unsigned kDays[][3] = {{31, 1, kAlarmStopSound},
                                 {30, 1, kStart},
                                 {30, 1, kAlarmNothing},
                                 {30, 0, kAlarmNothing},
                                 {31, 0, kAlarmStopSound}};
    for (const auto& d : kDays)
        EXPECT_EQ(d[2],
                  DecideAlarmTick(&ringing, &shown, &s, 7, int(d[0]), 0, 0, nullptr, int(d[1])))
            << d[0] << " " << d[1];
}

class AlarmStateGlue : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteAlarmStore();
        g_bRinging = g_bMessageShown = 0;
        g_nLiveAlarmGeneration = g_nAlarmRecordGeneration;
    }
    void TearDown() override {
        g_bClockClosed = 0;
        g_hInstance = nullptr;
        DeleteAlarmPlayer();
        DeleteChimePlayer();
        DeleteAlarmStore();
    }
    CScratchDir m_dir;
};

// A disarm after the user confirmed newer settings leaves the stored record alone; once the
// live record is reloaded, a disarm changes ALARM only.
TEST_F(AlarmStateGlue, DisarmNeverOverwritesANewerConfirmation) {
    g_AlarmSettings = AlarmSettings{0, 1, kAlarmRelative, 0, 0, 1, 1, 0};
    WriteStoredDword("ALARM", 1);
    WriteStoredDword("ALARMTYPE", kAlarmRelative);
    WriteStoredDword("MINUTES2", 5);
    ++g_nAlarmRecordGeneration; // what OK in the dialog does after saving
    RunAlarmActions(kAlarmDisarm, kAlarmRelative);
    EXPECT_EQ(0, g_AlarmSettings.ALARM);
    EXPECT_EQ(1, ReadStoredDword("ALARM"));
    EXPECT_EQ(5, ReadStoredDword("MINUTES2"));
    ApplyAlarmDialogResult(1, 0);
    EXPECT_EQ(1, g_AlarmSettings.ALARM);
    EXPECT_EQ(5, g_AlarmSettings.MINUTES2);
    RunAlarmActions(kAlarmDisarm, kAlarmRelative);
    EXPECT_EQ(0, ReadStoredDword("ALARM"));
    EXPECT_EQ(5, ReadStoredDword("MINUTES2"));
}

// A dialog that cannot be created says so and confirms nothing: a ringing alarm goes on.
TEST_F(AlarmStateGlue, DialogThatNeverOpenedConfirmsNothing) {
    g_hInstance = GetModuleHandleA("ntdll.dll"); // holds no alarm dialog
    g_bAlarmConfirmed = 1;                       // left by an earlier OK
    g_bRinging = 1;
    g_dwAlarmBase = 42;
    CBoxWatcher watcher("Error");
    OnAlarmSettings(nullptr);
    EXPECT_EQ(1u, watcher.Texts().size());
    EXPECT_EQ(1, g_bRinging);
    EXPECT_EQ(42u, g_dwAlarmBase);
}

// Once the window is destroyed, ticks do nothing and no player is created.
TEST_F(AlarmStateGlue, NothingRunsAfterShutdown) {
    g_AlarmSettings = AlarmSettings{1, 1, kAlarmRelative, 0, 0, 1, 0, 0};
    g_dwAlarmBase = GetTickCount() - 10 * kMinute;
    g_bClockClosed = 1;
    AlarmTick();
    ChimeTick();
    StartAlarmSound();
    StartChime(0);
    EXPECT_EQ(0, g_bRinging);
    EXPECT_EQ(nullptr, g_pAlarmPlayer);
    EXPECT_EQ(nullptr, g_pChimePlayer);
}

// Two monitors side by side, the left one with a 40-pixel task bar; a 100-pixel high window. Rows
// 1-3 are partly visible (one across both monitors, one by a single pixel) and stay; the last is
// wider than the work area and keeps its left edge in.
TEST(WindowPlacement, OffEveryMonitorComesOntoTheNearestWorkArea) {
    const RECT monitors[] = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
    const RECT work[] = {{0, 0, 1024, 728}, {1024, 0, 2048, 768}};
    const struct {
        int left, top, width, x, y;
    } kRows[] = {
        {-20, -30, 100, -20, -30},    {1000, 700, 100, 1000, 700}, {2047, 767, 100, 2047, 767},
        {3000, 2000, 100, 1948, 668}, {-500, 300, 100, 0, 300},    {500, 900, 100, 500, 628},
        {-300, -300, 100, 0, 0},      {2048, -100, 100, 1948, 0},  {5000, 5000, 2000, 1024, 668}};
    for (const auto& row : kRows) {
        RECT w = {row.left, row.top, row.left + row.width, row.top + 100};
        POINT at = ReachablePosition(w, monitors, work, 2);
        EXPECT_EQ(row.x * 100000 + row.y, at.x * 100000 + at.y) << row.left << "," << row.top;
    }
}
