// Ticks after shutdown.
#include <gtest/gtest.h>

#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "app/main_window.h"

namespace {
const DWORD kMinute = 60000;
} // namespace

// Nothing runs after shutdown, even a tick still under way in the loop of an alarm box.
TEST(AlarmState, NothingRunsAfterShutdown) {
    g_AlarmSettings = AlarmSettings{1, 1, kAlarmRelative, 0, 0, 1, 0, 0};
    g_dwAlarmBase = GetTickCount() - 10 * kMinute;
    g_bClockClosed = 1;
    const SYSTEMTIME noon = {2026, 12, 1, 7, 12, 0, 0, 0}; // the chime's minute
    AlarmTick(noon);
    ChimeTick(noon);
    StartAlarmSound();
    StartChime(0);
    EXPECT_EQ(nullptr, g_pAlarmPlayer);
    EXPECT_EQ(nullptr, g_pChimePlayer);
    g_bClockClosed = 0;
}
