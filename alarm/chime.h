// The hourly chime: strikes the hour of the 12-hour clock at the start of every hour.
#ifndef CLOCK_ALARM_CHIME_H
#define CLOCK_ALARM_CHIME_H

#include <windows.h>

class CWaveMix;

extern CWaveMix* g_pChimePlayer;
// Owned here; others clear it through ResetChimeHour.
extern int g_bChimed;
extern int g_nStrikes;

void ChimeTick(const SYSTEMTIME& now);
// 1 while the chime's sound plays (the strikes are counted on the eighth-second ticks).
int ChimeSounding();
void ChimeDone(int* playCount);
void StopChime();
void DeleteChimePlayer();
// Lets the chime strike again within the hour it already struck, in the sound current now.
void ResetChimeHour();

// The decision of one tick at the given local time: the number of strikes (1 to 12) of a chime
// that starts now, or 0 for none. Updates `*chimed`, the started-this-hour mark: cleared in any
// minute but 0, set when a chime starts; left alone while the chime is switched off (`zihou` 0).
int ChimeStrikesFor(int zihou, int hour, int minute, int* chimed);

// Whether the chime of `hour` (0 to 23) keeps quiet: with `quiet` on, the hours from `from` up to
// but not including `to`, counted round midnight when `to` comes first; equal hours silence none.
int ChimeQuiet(int hour, int quiet, int from, int to);

// Whether the chime ends after `playCount` play-throughs of `strikes` in the size `size`: the
// medium size plays once, the others strike the hour. A size outside 0..2 counts as small.
int ChimeFinished(int size, int playCount, int strikes);

// Replaces the chime player with a new one playing the chime sound of `size` on a loop.
void StartChime(int size);

#endif
