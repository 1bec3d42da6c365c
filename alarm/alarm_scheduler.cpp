#include "alarm/alarm_scheduler.h"

CWaveMix* g_pAlarmPlayer = nullptr;
DWORD g_dwAlarmBase = 0;

void AlarmTick() {}
void StartAlarmSound() {}
void StopAlarmSound() {}
void DeleteAlarmPlayer() {}
void OnAlarmSettings(HWND) {}
