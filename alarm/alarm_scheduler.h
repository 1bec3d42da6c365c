// The alarm: rings at a time of day or some minutes after it was armed.
#ifndef CLOCK_ALARM_ALARM_SCHEDULER_H
#define CLOCK_ALARM_ALARM_SCHEDULER_H

#include <windows.h>

#include "alarm/message_file.h"
#include "alarm/settings.h"

class CWaveMix;

extern CWaveMix* g_pAlarmPlayer;
// Tick count from which a relative alarm's delay counts.
extern DWORD g_dwAlarmBase;

enum { kAlarmAbsolute = 0, kAlarmRelative = 1 };

// What one tick (or an answer of the alarm's box) asks of the glue, carried out in this order:
// stop the sound, start it, clear and save ALARM, arm the snooze, show the box (the missed
// alarm's, the snoozed alarm's or the alarm's own).
enum AlarmAction {
    kAlarmNothing = 0,
    kAlarmStopSound = 1,
    kAlarmStartSound = 2,
    kAlarmDisarm = 4,
    kAlarmShowMessage = 8,
    kAlarmMissed = 16,
    kAlarmSnoozeRing = 32,
    kAlarmSnooze = 64,
};

// An alarm later than this after its time is only reported, never rung.
enum { kAlarmLateLimitMinutes = 60 };
enum : long long { kNeverSeen = -1 };
enum { kSnoozeNone = 0, kSnoozeWaiting = 1, kSnoozeRinging = 2 };

// What the scheduler carries from one decision to the next.
struct AlarmMemory {
    int ringing = 0;
    // The ringing alarm has had its box, or one open already stands for it.
    int messageShown = 0;
    // Tick count at which the ringing relative alarm started.
    DWORD ringStart = 0;
    // The local minute (LocalMinuteOf) the last decision saw; kNeverSeen before the first.
    long long seenMinute = kNeverSeen;
    // The alarm time (a local minute) the absolute alarm last rang or was reported missed for,
    // and the minute it started ringing in.
    long long rungFor = kNeverSeen;
    long long ringMinute = kNeverSeen;
    // How many minutes after its time the alarm last rang or was missed (0: on time).
    long long lateMinutes = 0;
    // A snooze: waiting from snoozeAt, or ringing since then.
    int snooze = kSnoozeNone;
    DWORD snoozeAt = 0;
};

// The scheduler's decision for one tick at the local minute `minute` (LocalMinuteOf) and tick
// count. Updates the memory itself, so it is set before any box is opened; returns AlarmAction
// bits. An absolute alarm rings when its time came since the last decision, on time or up to
// kAlarmLateLimitMinutes late (a sleep, a clock moved forward); later it is only reported; once
// rung it does not ring again for the same time (a clock moved back). A clock's first decision
// sees only its own minute. A relative alarm rings one minute from its first tick, even a late
// one. With a box already open (boxOpen) no second one is asked for: it stands for this alarm.
unsigned DecideAlarmTick(AlarmMemory* memory, const AlarmSettings* settings, long long minute,
                         DWORD tickCount, DWORD alarmBase, int boxOpen);
// When the next decision of a relative alarm or a snooze falls due: milliseconds from tickCount
// to it, at most 2000; -1 when nothing is due (or the moment has come and this tick handles it).
// Only the next second or so matters to a wake.
int AlarmEventMs(const AlarmSettings* settings, const AlarmMemory* memory, DWORD tickCount,
                 DWORD alarmBase);
// 1 while a ringing alarm needs the eighth-second ticks that stop it on time: an absolute one
// rings its whole minute; a relative one that has disarmed itself keeps its ringing mark but
// needs no ticks any more; a snooze rings a minute.
int RingingNeedsTicks(const AlarmSettings* settings, const AlarmMemory* memory);
// The two for the live alarm; the second also counts a sound still playing.
int NextAlarmEventMs();
int AlarmWantsFastTicks();

// What OK in the box of an alarm of the given type asks for; its snooze asks for the same and
// kAlarmSnooze.
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
