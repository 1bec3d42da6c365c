// When the clock wakes and whether it paints: who can see it, and the wakes walked through a
// table of times (the timer firing on time or a little late, keeping its phase).
#include <gtest/gtest.h>

#include "app/visibility.h"
#include "app/wake_timer.h"

namespace {

TEST(WakeTest, NobodyLookingPaintsNothingAndWakesForSoundsAlone) {
    // locked, display, pendulum, sounding: visible, pace.
    const int cases[][6] = {
        {0, kDisplayOn, 1, 0, 1, kPaceTick},      {0, kDisplayDimmed, 0, 0, 1, kPaceSecond},
        {0, kDisplayUnknown, 0, 1, 1, kPaceTick}, {1, kDisplayOn, 1, 0, 0, kPaceMinute},
        {0, kDisplayOff, 1, 0, 0, kPaceMinute},   {1, kDisplayOff, 0, 1, 0, kPaceTick}};
    for (const auto& c : cases) {
        const int visible = ClockVisible(c[0], c[1]);
        EXPECT_EQ(c[4], visible) << c[0] << " " << c[1];
        EXPECT_EQ(c[5], WakePace(visible, c[2], c[3])) << c[0] << " " << c[1];
    }
    // The session's display notice (not the physical console's): its setting, how long its data
    // is, the state in it.
    const GUID display = {
        0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
    const GUID acdc = {
        0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
    const struct {
        const GUID* setting;
        DWORD length, state;
        int decoded;
    } notices[] = {{&display, 4, 0, kDisplayOff},     {&display, 4, 1, kDisplayOn},
                   {&display, 4, 2, kDisplayDimmed},  {&display, 4, 3, kDisplayUnknown},
                   {&display, 2, 0, kDisplayUnknown}, {&acdc, 4, 0, kDisplayUnknown}};
    for (const auto& n : notices) {
        DWORD notice[6] = {};
        auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(notice);
        setting->PowerSetting = *n.setting, setting->DataLength = n.length;
        CopyMemory(setting->Data, &n.state, sizeof(n.state));
        EXPECT_EQ(n.decoded, DisplayStateOf(setting)) << n.length << " " << n.state;
    }
    EXPECT_EQ(kDisplayUnknown, DisplayStateOf(nullptr));
}

// lateMs: how much later than due each wake comes; dueInMs: a relative alarm due this long
// after the start, or -1.
struct WakeCase {
    int pace, hour, minute, second, millisecond, lateMs, dueInMs;
};

const WakeCase kCases[] = {
    {1, 14, 59, 58, 990, 0, -1}, {1, 23, 59, 59, 500, 9, -1},  {1, 7, 29, 30, 17, 1, 4321},
    {2, 7, 29, 59, 1, 0, -1},    {2, 11, 59, 59, 880, 7, 777}, {2, 9, 15, 30, 124, 9, 60125},
    {0, 14, 58, 59, 990, 9, -1}, {0, 7, 29, 30, 17, 1, 4321},  {0, 23, 59, 1, 500, 4, 59999}};

TEST(WakeTest, TheNewMinuteAndEverySecondAreMetAsByAnEighthSecondTick) {
    for (const WakeCase& c : kCases) {
        SCOPED_TRACE(testing::Message()
                     << c.pace << " " << c.hour << ":" << c.minute << ":" << c.second);
        const long long start = ((c.hour * 60LL + c.minute) * 60 + c.second) * 1000 + c.millisecond;
        const long long due = c.dueInMs < 0 ? -1 : start + c.dueInMs;
        long long t = start, armedAt = start;
        long long firstAfterDue = -1;
        int armed = kWakeTickMs; // the repeating timer as the window starts it
        int rearms = 0;
        // Long enough to cross two new minutes and reach every alarm in the table.
        while (t < start + 122000) {
            const int eventMs = due < 0 || t >= due ? kWakeNoEvent : static_cast<int>(due - t);
            const int wanted = NextWakeMs(c.pace, static_cast<int>(t / 1000 % 60),
                                          static_cast<int>(t % 1000), eventMs);
            ASSERT_GE(wanted, kWakeMinMs);
            ASSERT_LE(wanted, (c.pace == kPaceTick ? kWakeTickMs
                               : c.pace            ? 1000
                                                   : 60000) +
                                  kWakeLagMs);
            const int period = RearmMs(armed, t - armedAt, c.pace, wanted);
            rearms += period != 0;
            armed = period != 0 ? period : armed;
            armedAt = period != 0 ? t : armedAt;
            const long long next = armedAt + ((t - armedAt) / armed + 1) * armed + c.lateMs;
            // The second hand moves every second: no displayed second is passed over.
            ASSERT_LE(next / 1000 - t / 1000, c.pace != kPaceMinute ? 1 : 60) << "at " << t;
            if (next / 60000 != t / 60000) {
                // Alarm and chime start at the first wake of their minute: in its first tick.
                EXPECT_EQ(next / 1000 % 60, 0);
                EXPECT_LT(next % 1000, kWakeTickMs);
            }
            if (due >= 0 && firstAfterDue < 0 && next >= due)
                firstAfterDue = next;
            t = next;
        }
        // A relative alarm is met no later than a tick every eighth of a second would meet it.
        if (due >= 0) {
            EXPECT_GE(firstAfterDue, due);
            EXPECT_LT(firstAfterDue - due, kWakeTickMs);
        }
        // Late wakes leave a timer with the right phase alone.
        EXPECT_LE(rearms, due < 0 ? 3 : 99);
    }
}

} // namespace
