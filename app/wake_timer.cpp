#include "app/wake_timer.h"

int WakePace(int visible, int pendulum, int sounding) {
    return sounding || (visible && pendulum) ? kPaceTick : visible ? kPaceSecond : kPaceMinute;
}

int NextWakeMs(int pace, int second, int millisecond, int eventMs) {
    if (millisecond < 0 || millisecond > 999)
        millisecond = 0;
    int delay = pace == kPaceTick ? kWakeTickMs - millisecond % kWakeTickMs : 1000 - millisecond;
    if (pace == kPaceMinute && second >= 0 && second < 59)
        delay += (59 - second) * 1000;
    delay += kWakeLagMs;
    if (eventMs >= 0 && eventMs < delay)
        delay = eventMs;
    return delay < kWakeMinMs ? kWakeMinMs : delay;
}

// Whether a firing firesInMs from now serves a wake wanted wantedMs from now: never more than
// the slack before it (which could be before the turn it waits for), at most the lag after it.
static int Serves(long long firesInMs, int wantedMs) {
    return firesInMs >= wantedMs - kWakeSlackMs && firesInMs <= wantedMs + kWakeLagMs;
}

int RearmMs(int armedMs, long long elapsedMs, int pace, int wantedMs) {
    const int period = pace == kPaceTick ? kWakeTickMs : pace == kPaceSecond ? 1000 : 60000;
    if (armedMs == period && elapsedMs >= 0 && Serves(armedMs - elapsedMs % armedMs, wantedMs))
        return 0;
    // The pace's own period set now keeps it from here on.
    return Serves(period, wantedMs) ? period : wantedMs;
}
