// When the clock wakes: the wakes walked through a table of times (the timer firing on time or
// a little late).
#include <gtest/gtest.h>

#include "app/wake_timer.h"

namespace {

// lateMs: how much later than asked each wake comes; dueInMs: a relative alarm due this long
// after the start, or -1.
struct WakeCase {
    int fast, hour, minute, second, millisecond, lateMs, dueInMs;
};

const WakeCase kCases[] = {
    {0, 14, 59, 0, 0, 0, -1},    {0, 14, 59, 58, 990, 0, -1},   {0, 14, 59, 59, 999, 3, -1},
    {0, 23, 59, 59, 500, 9, -1}, {0, 7, 29, 30, 17, 1, 4321},   {0, 7, 29, 1, 985, 0, 20999},
    {1, 7, 29, 59, 1, 0, -1},    {1, 11, 59, 59, 880, 7, 777},  {1, 0, 0, 5, 5, 2, 59999},
    {0, 12, 0, 0, 14, 0, 1000},  {1, 9, 15, 30, 124, 9, 60125},
};

TEST(WakeTest, TheNewMinuteAndEverySecondAreMetAsByAnEighthSecondTick) {
    for (const WakeCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        const long long start = ((c.hour * 60LL + c.minute) * 60 + c.second) * 1000 + c.millisecond;
        const long long due = c.dueInMs < 0 ? -1 : start + c.dueInMs;
        long long t = start;
        long long firstAfterDue = -1;
        int armed = kWakeTickMs; // the repeating timer as the window starts it
        // Long enough to cross the next minute and reach every alarm in the table.
        while (t < start + 62000) {
            const int eventMs = due < 0 || t >= due ? kWakeNoEvent : static_cast<int>(due - t);
            const int delay = NextWakeMs(c.fast, static_cast<int>(t % 1000), eventMs);
            ASSERT_GE(delay, kWakeMinMs);
            ASSERT_LE(delay, (c.fast ? kWakeTickMs : 1000) + kWakeLagMs);
            const int period = RearmMs(armed, c.fast, static_cast<int>(t % 1000), eventMs);
            armed = period != 0 ? period : armed;
            const long long next = t + armed + c.lateMs;
            // The second hand moves every second: no displayed second is passed over.
            ASSERT_LE(next / 1000 - t / 1000, 1) << "at " << t;
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
    }
}

} // namespace
