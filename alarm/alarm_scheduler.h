// The alarm: rings at a time of day or some minutes after it was armed.
#ifndef CLOCK_ALARM_ALARM_SCHEDULER_H
#define CLOCK_ALARM_ALARM_SCHEDULER_H

#include <windows.h>

#include "alarm/message_file.h"
#include "alarm/settings.h"

class CWaveMix;

extern CWaveMix* g_pAlarmPlayer;
extern int g_bRinging;
// Tick count from which a relative alarm's delay counts.
extern DWORD g_dwAlarmBase;

enum { kAlarmAbsolute = 0, kAlarmRelative = 1 };

// What one tick (or the OK of the message box) asks of the glue, carried out in this order:
// stop the sound, start it, clear and save ALARM, show the message box.
enum AlarmAction {
    kAlarmNothing = 0,
    kAlarmStopSound = 1,
    kAlarmStartSound = 2,
    kAlarmDisarm = 4,
    kAlarmShowMessage = 8,
};

// The scheduler's decision for one tick at the given local hour and minute and tick count.
// Updates the flags itself, so they are set before any box is opened; returns AlarmAction bits.
// ringStart keeps the tick count at which a relative alarm started ringing: it rings one minute
// from then, even when its first tick came late. With a box already open (boxOpen) no second one
// is asked for: the open box stands for the new alarm too.
unsigned DecideAlarmTick(int* ringing, int* messageShown, const AlarmSettings* settings, int hour,
                         int minute, DWORD tickCount, DWORD alarmBase, DWORD* ringStart,
                         int boxOpen);
// When the next decision of a relative alarm falls due: milliseconds from tickCount to its start
// (alarmBase plus its delay) or, while it rings, to its end (one minute from ringStart, as
// DecideAlarmTick has it), at most 2000; -1 when nothing is due (no relative alarm armed, or
// the moment has come and this tick handles it). Only the next second or so matters to a wake.
int AlarmEventMs(const AlarmSettings* settings, int ringing, DWORD tickCount, DWORD alarmBase,
                 DWORD ringStart);
// 1 while a ringing alarm needs the eighth-second ticks that stop it on time: an absolute one
// rings its whole minute; a relative one that has disarmed itself keeps its ringing mark but
// needs no ticks any more.
int RingingNeedsTicks(const AlarmSettings* settings, int ringing);
// The two for the live alarm; the second also counts a sound still playing.
int NextAlarmEventMs();
int AlarmWantsFastTicks();

// What OK in the message box of an alarm of the given type asks for.
unsigned AlarmAcknowledgeActions(int alarmType);
// Carries out the actions against the live state; a box shown here is acknowledged as type.
// An alarm whose sound cannot start shows its box even without the message option.
void RunAlarmActions(unsigned actions, int alarmType);
// The settings just confirmed become the live ones: sounds stop, flags clear, and a relative
// delay counts from tickCount.
void ApplyAlarmConfirmation(const AlarmSettings* confirmed, DWORD tickCount);

// At start-up: the stored alarm becomes the live one, a relative delay counting from tickCount.
void LoadLiveAlarm(DWORD tickCount);
void AlarmTick(const SYSTEMTIME& now);
// 1 when the alarm sound plays; 0 when it cannot (no player, file missing or unplayable).
int StartAlarmSound();
void StopAlarmSound();
void DeleteAlarmPlayer();
void OnAlarmSettings(HWND owner);

#endif
