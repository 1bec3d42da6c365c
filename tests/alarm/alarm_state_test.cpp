// Repeated alarms under an open box, and ticks after shutdown.
#include <gtest/gtest.h>

#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "app/main_window.h"

namespace {
const DWORD kMinute = 60000;
const unsigned kStart = kAlarmStartSound;
} // namespace

// An absolute alarm's box left open past its minute: the next day it rings again without a
// second box, and the open box counts as this alarm's box even after it is closed.
TEST(AlarmState, OneBoxAtATime) {
    AlarmSettings s = {0, 1, kAlarmAbsolute, 7, 30, 0, 1, 0};
    int ringing = 0, shown = 0;
    DWORD ringStart = 0;
    EXPECT_EQ(kStart | kAlarmShowMessage,
              DecideAlarmTick(&ringing, &shown, &s, 7, 30, 0, 0, &ringStart, 0));
    // Minute, box open, what the tick asks for.
    const unsigned days[][3] = {{31, 1, kAlarmStopSound},
                                {30, 1, kStart},
                                {30, 1, kAlarmNothing},
                                {30, 0, kAlarmNothing},
                                {31, 0, kAlarmStopSound}};
    for (const auto& d : days)
        EXPECT_EQ(d[2], DecideAlarmTick(&ringing, &shown, &s, 7, static_cast<int>(d[0]), 0, 0,
                                        &ringStart, d[1]))
            << d[0] << " " << d[1];
}

// Nothing runs after shutdown, even a tick still under way in the loop of an alarm box.
TEST(AlarmState, NothingRunsAfterShutdown) {
    g_AlarmSettings = AlarmSettings{1, 1, kAlarmRelative, 0, 0, 1, 0, 0};
    g_dwAlarmBase = GetTickCount() - 10 * kMinute;
    g_bRinging = 0;
    g_bClockClosed = 1;
    const SYSTEMTIME noon = {2026, 12, 1, 7, 12, 0, 0, 0}; // the chime's minute
    AlarmTick(noon);
    ChimeTick(noon);
    StartAlarmSound();
    StartChime(0);
    EXPECT_EQ(0, g_bRinging);
    EXPECT_EQ(nullptr, g_pAlarmPlayer);
    EXPECT_EQ(nullptr, g_pChimePlayer);
    g_bClockClosed = 0;
}
