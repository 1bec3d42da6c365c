// The hourly chime: strikes the hour of the 12-hour clock at the start of every hour.
#ifndef CLOCK_ALARM_CHIME_H
#define CLOCK_ALARM_CHIME_H

class CWaveMix;

extern CWaveMix* g_pChimePlayer;
extern int g_bChimed;
extern int g_nStrikes;

void ChimeTick();
void ChimeDone(int* playCount);
void StopChime();
void DeleteChimePlayer();

#endif
