// When the clock's timer next has to fire: only as often as the picture or a sound needs it.
#ifndef CLOCK_APP_WAKE_TIMER_H
#define CLOCK_APP_WAKE_TIMER_H

// The fast tick of the pendulum and of a sounding alarm or chime, and how long after a turn of
// the second or of a tick the timer fires, so that it never wakes just before the turn.
enum { kWakeTickMs = 125, kWakeLagMs = 15, kWakeMinMs = 10 };
// A running timer that would fire within this of the wanted moment is kept as it is.
enum { kWakeSlackMs = 5 };
// No relative alarm is pending.
enum { kWakeNoEvent = -1 };
// How often the clock wakes: at each new minute (nobody can see it and nothing sounds, and the
// alarm and the chime decide by the minute), each second (the hands), or each eighth of a
// second (the pendulum swings, or a sound plays whose strikes are counted).
enum { kPaceMinute = 0, kPaceSecond = 1, kPaceTick = 2 };

// The pace for a clock that can be seen or not, has a pendulum or not, and has a sound playing.
int WakePace(int visible, int pendulum, int sounding);

// Milliseconds from now, second (0..59) and millisecond (0..999) into the current minute, to
// the next wake: just after the next tick, second or minute by pace. eventMs: milliseconds to
// the next start or end of a relative alarm, or kWakeNoEvent; the wake comes no later.
int NextWakeMs(int pace, int second, int millisecond, int eventMs);

// The period to give the repeating timer now, or 0 to leave alone the one set elapsedMs ago to
// fire every armedMs. A repeating timer keeps its phase however late its messages are taken:
// one that fires every period of pace, next no earlier than kWakeSlackMs before the wanted wake
// (wantedMs from now) and no later than kWakeLagMs after it, stays; else the pace's own period
// when it lands so, else the wanted wake itself.
int RearmMs(int armedMs, long long elapsedMs, int pace, int wantedMs);

#endif
