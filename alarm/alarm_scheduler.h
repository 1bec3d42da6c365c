// The alarm: rings at a time of day or some minutes after it was armed.
#ifndef CLOCK_ALARM_ALARM_SCHEDULER_H
#define CLOCK_ALARM_ALARM_SCHEDULER_H

#include <windows.h>

class CWaveMix;

extern CWaveMix* g_pAlarmPlayer;
extern DWORD g_dwAlarmBase;

void AlarmTick();
void StartAlarmSound();
void StopAlarmSound();
void DeleteAlarmPlayer();
void OnAlarmSettings(HWND owner);

#endif
