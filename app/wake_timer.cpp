#include "app/wake_timer.h"

int NextWakeMs(int fast, int millisecond, int eventMs) {
    if (millisecond < 0 || millisecond > 999)
        millisecond = 0;
    const int period = fast ? kWakeTickMs : 1000;
    int delay = period - millisecond % period + kWakeLagMs;
    if (eventMs >= 0 && eventMs < delay)
        delay = eventMs;
    return delay < kWakeMinMs ? kWakeMinMs : delay;
}

int RearmMs(int armedMs, int fast, int millisecond, int eventMs) {
    const int delay = NextWakeMs(fast, millisecond, eventMs);
    return delay - armedMs > kWakeSlackMs || armedMs - delay > kWakeSlackMs ? delay : 0;
}
