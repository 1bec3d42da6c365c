// The hourly chime: strikes the hour of the 12-hour clock at the start of every hour.
#ifndef CLOCK_ALARM_CHIME_H
#define CLOCK_ALARM_CHIME_H

#include <windows.h>

class CWaveMix;

extern CWaveMix* g_pChimePlayer;
// The hour (as LocalMinuteOf its start) the chime last struck for; owned here, others clear it
// through ResetChimeHour.
extern long long g_llChimedHour;
enum : long long { kNoChimedHour = -1 };
extern int g_nStrikes;

void ChimeTick(const SYSTEMTIME& now);
// 1 while the chime's sound plays (the strikes are counted on the eighth-second ticks).
int ChimeSounding();
void ChimeDone(int* playCount);
void StopChime();
void DeleteChimePlayer();
// Lets the chime strike again within the hour it already struck, in the sound current now.
void ResetChimeHour();

// The decision of one tick at the local time `minute` (LocalMinuteOf): the number of strikes (1 to
// 12) of a chime that starts now, or 0 for none. A chime strikes only in the first minute of its
// hour, so never more than a minute late, and a clock that jumps over hours strikes none of them;
// `*chimedHour` (the hour it last struck for, set when a chime starts) keeps a clock moved back
// into that hour from striking it twice. Nothing strikes while the chime is off (`zihou` 0).
int ChimeStrikesFor(int zihou, long long minute, long long* chimedHour);

// Whether the chime of `hour` (0 to 23) keeps quiet: with `quiet` on, the hours from `from` up to
// but not including `to`, counted round midnight when `to` comes first; equal hours silence none.
int ChimeQuiet(int hour, int quiet, int from, int to);

// Whether the chime ends after `playCount` play-throughs of `strikes` in the size `size`: the
// medium size plays once, the others strike the hour. A size outside 0..2 counts as small.
int ChimeFinished(int size, int playCount, int strikes);

// Replaces the chime player with a new one playing the chime sound of `size` on a loop.
void StartChime(int size);

#endif
