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

// Milliseconds from now, millisecond (0..999) into the current second, to the next wake.
// fast: the pendulum swings or a sound plays, so wake just after each eighth of a second;
// otherwise just after the next second. eventMs: milliseconds to the next start or end of a
// relative alarm, or kWakeNoEvent; the wake comes no later than that.
int NextWakeMs(int fast, int millisecond, int eventMs);

// The period to give the repeating timer now, or 0 to leave the one running every armedMs
// alone, because its next firing comes within kWakeSlackMs of the wanted wake anyway.
int RearmMs(int armedMs, int fast, int millisecond, int eventMs);

#endif
