#include "alarm/alarm_scheduler.h"

#include <string.h>
#include <new>

#include "alarm/alarm_box.h"
#include "alarm/alarm_dialog.h"
#include "alarm/chime.h"
#include "alarm/clock_state.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "sound/sound_files.h"
#include "sound/wave_mix.h"

CWaveMix* g_pAlarmPlayer = nullptr;
DWORD g_dwAlarmBase = 0;

namespace {
AlarmMemory s_Memory;
char s_szAlarmMessage[kMessageBufferSize];
// The sound the alarm's box says cannot play (empty when it plays).
wchar_t s_szSilentSound[kMessagePathSize];
// The text of the box a snooze came from, shown again when it rings.
char s_szSnoozeMessage[kMessageBufferSize];
wchar_t s_szSnoozeSilentSound[kMessagePathSize];

// Who may change the live alarm, and when. The clock's ticks go on inside every modal loop, so
// these can be open at once and close in any order: runs of the settings dialog (chosen from
// the menu; the end of an alarm box re-enables the clock, so another run can start while one
// is open) and one alarm box (a MessageBox opened from a tick, possibly inside a dialog run).
// The rules:
// - a confirmation takes effect at its OK (the dialog calls ApplyAlarmConfirmation then), and
//   only the user's next confirmation replaces it: no other box or run closing undoes it;
// - a box remembers the confirmation count it opened under. Once the count has moved on, its
//   OK belongs to an alarm that no longer exists and touches nothing, in memory or in the
//   registry; the newer alarm, which may have started under the box, is owed a box of its own;
// - one alarm box at a time: a tick that would open another while one is open counts it shown.
int s_nConfirmations = 0;
int s_bBoxOpen = 0;

const DWORD kMinuteMs = 60000;

// The message step: decided once per alarm, flagged before the box can open. A box still open
// from an earlier alarm already shows the message; no second one is stacked on it.
unsigned MessageStep(AlarmMemory* m, int wanted, int boxOpen) {
    if (m->messageShown || !wanted)
        return kAlarmNothing;
    m->messageShown = 1;
    return boxOpen ? kAlarmNothing : kAlarmShowMessage;
}

// A late alarm always has its box, which says so.
int WantsBox(const AlarmMemory* m, const AlarmSettings* s) {
    return s->MESSAGE != 0 || m->lateMinutes > 0;
}

unsigned DecideAbsolute(AlarmMemory* m, const AlarmSettings* s, long long minute, int boxOpen) {
    unsigned actions = kAlarmNothing;
    // It rings out the minute it started in; an alarm switched off stops at once.
    if (m->ringing && (s->ALARM == 0 || minute != m->ringMinute)) {
        m->ringing = 0;
        m->messageShown = 0;
        actions |= kAlarmStopSound;
    }
    // The last time the alarm's hour and minute came, at or before now.
    const long long day = 24 * 60;
    const long long alarmTime =
        minute - ((minute - (s->HOURS * 60 + s->MINUTES)) % day + day) % day;
    // A first decision has seen nothing before its own minute.
    const long long seen = m->seenMinute == kNeverSeen ? minute - 1 : m->seenMinute;
    m->seenMinute = minute;
    // An alarm the user has not enabled never rings, whatever its type.
    if (s->ALARM == 0 || alarmTime <= seen || alarmTime == m->rungFor)
        return m->ringing ? actions | MessageStep(m, WantsBox(m, s), boxOpen) : actions;
    m->rungFor = alarmTime;
    m->lateMinutes = minute - alarmTime;
    if (m->lateMinutes > kAlarmLateLimitMinutes)
        return actions | kAlarmMissed | (boxOpen ? kAlarmNothing : kAlarmShowMessage);
    m->ringing = 1;
    m->ringMinute = minute;
    m->messageShown = 0;
    return actions | kAlarmStartSound | MessageStep(m, WantsBox(m, s), boxOpen);
}

unsigned DecideRelative(AlarmMemory* m, const AlarmSettings* s, DWORD tickCount, DWORD alarmBase,
                        int boxOpen) {
    if (s->ALARM == 0 || s->MINUTES2 <= 0)
        return kAlarmNothing;
    // Unsigned arithmetic: the wrap of the tick count after 49.7 days does no harm.
    // A delay from the registry too long for the tick count never comes.
    unsigned long long elapsed = static_cast<DWORD>(tickCount - alarmBase);
    unsigned long long start = static_cast<unsigned long long>(s->MINUTES2) * kMinuteMs;
    if (elapsed < start)
        return kAlarmNothing;
    // Woken from a sleep long past its time: reported, never rung, as an absolute alarm is.
    m->lateMinutes = static_cast<long long>((elapsed - start) / kMinuteMs);
    if (!m->ringing && m->lateMinutes > kAlarmLateLimitMinutes)
        return kAlarmDisarm | kAlarmMissed | (boxOpen ? kAlarmNothing : kAlarmShowMessage);
    if (!m->ringing) {
        m->ringing = 1;
        m->ringStart = tickCount;
        return kAlarmStartSound | MessageStep(m, s->MESSAGE, boxOpen);
    }
    // A first tick that came late (the machine slept, the loop was blocked) still gives the
    // alarm its full minute of sound.
    if (static_cast<DWORD>(tickCount - m->ringStart) >= kMinuteMs)
        return kAlarmStopSound | kAlarmDisarm | MessageStep(m, s->MESSAGE, boxOpen);
    return MessageStep(m, s->MESSAGE, boxOpen);
}

// A snooze rings its minute snoozeMinutes after it was asked for, with the box it came from.
unsigned DecideSnooze(AlarmMemory* m, int snoozeMinutes, DWORD tickCount, int boxOpen) {
    const DWORD passed = tickCount - m->snoozeAt;
    if (m->snooze == kSnoozeWaiting && passed >= static_cast<DWORD>(snoozeMinutes) * kMinuteMs) {
        m->snooze = kSnoozeRinging;
        m->snoozeAt = tickCount;
        return kAlarmStartSound | (boxOpen ? kAlarmNothing : kAlarmShowMessage | kAlarmSnoozeRing);
    }
    if (m->snooze == kSnoozeRinging && passed >= kMinuteMs) {
        m->snooze = kSnoozeNone;
        return kAlarmStopSound;
    }
    return kAlarmNothing;
}

// The text of an alarm's box, into s_szAlarmMessage: for a missed or late alarm, when it was set
// for; then the message when it is asked for. For one that cannot sound, the sound's path goes
// to s_szSilentSound, wide, for the box to name it as it is.
void ComposeAlarmText(unsigned actions, int silent) {
    memset(s_szAlarmMessage, 0, sizeof(s_szAlarmMessage));
    char* text = s_szAlarmMessage;
    int used = 0;
    lstrcpynW(s_szSilentSound, silent ? SoundFilePath(g_WindowSettings.SIZE, kSoundAlarm) : L"",
              kMessagePathSize);
    const SYSTEMTIME at = LocalTimeOfMinute(s_Memory.rungFor);
    if ((actions & kAlarmMissed) && g_AlarmSettings.ALARMTYPE == kAlarmRelative)
        used += wsprintfA(text + used,
                          "%d分後のアラームは、パソコンが止まっていた間（スリープなど）に時刻を"
                          "%d時間以上過ぎたため、鳴らしませんでした。\n\n",
                          g_AlarmSettings.MINUTES2, kAlarmLateLimitMinutes / 60);
    else if (actions & kAlarmMissed)
        used +=
            wsprintfA(text + used,
                      "%d月%d日 %02d:%02d のアラームは、パソコンが止まっていた間（スリープなど）"
                      "に時刻を%d時間以上過ぎたため、鳴らしませんでした。\n\n",
                      at.wMonth, at.wDay, at.wHour, at.wMinute, kAlarmLateLimitMinutes / 60);
    else if (s_Memory.ringing && s_Memory.lateMinutes > 0 &&
             g_AlarmSettings.ALARMTYPE == kAlarmAbsolute)
        used += wsprintfA(text + used, "%02d:%02d のアラーム（%d分遅れ）\n\n", at.wHour, at.wMinute,
                          static_cast<int>(s_Memory.lateMinutes));
    // A missing file leaves the text empty; the box is shown all the same.
    if (g_AlarmSettings.MESSAGE) {
        wchar_t path[kMessagePathSize];
        FindMessageFile(path);
        ReadMessageText(path, text + used, sizeof(s_szAlarmMessage) - used,
                        sizeof(s_szAlarmMessage));
    }
    // No empty lines under the last one.
    for (size_t end = strlen(text); end > 0 && text[end - 1] == '\n'; --end)
        text[end - 1] = '\0';
}

// The box of an alarm, or of the snooze that rings it again with the text it had.
void ShowAlarmMessage(int alarmType, unsigned actions, int silent) {
    const int snoozed = (actions & kAlarmSnoozeRing) != 0;
    if (!snoozed)
        ComposeAlarmText(actions, silent);
    const char* text = snoozed ? s_szSnoozeMessage : s_szAlarmMessage;
    const wchar_t* silentSound = snoozed ? s_szSnoozeSilentSound : s_szSilentSound;
    static char s_szBoxText[2 * kMessageBufferSize];
    BoxLineBreaks(text, s_szBoxText, sizeof(s_szBoxText));
    // Timer ticks go on inside the box and re-enter the scheduler; the flags already say so.
    int confirmation = s_nConfirmations;
    s_bBoxOpen = 1;
    const INT_PTR answer = ShowAlarmBox(g_hInstance, g_hMainWnd, silentSound, s_szBoxText);
    s_bBoxOpen = 0;
    // An answer that comes after a newer confirmation, or after the window went, belongs to an
    // alarm that no longer exists: it must not stop, disarm or snooze the current one.
    if (confirmation != s_nConfirmations) {
        // The alarm confirmed meanwhile may have started under this box: it is owed its own.
        s_Memory.messageShown = 0;
        return;
    }
    if (g_bClockClosed)
        return;
    unsigned answered = AlarmAcknowledgeActions(alarmType);
    if (answer == IDC_ALARM_BOX_SNOOZE) {
        if (!snoozed) {
            memcpy(s_szSnoozeMessage, text, sizeof(s_szSnoozeMessage));
            memcpy(s_szSnoozeSilentSound, silentSound, sizeof(s_szSnoozeSilentSound));
        }
        answered |= kAlarmSnooze;
    } else {
        // OK ends the alarm, snoozed or not.
        s_Memory.snooze = kSnoozeNone;
    }
    RunAlarmActions(answered, alarmType);
}

int EventInMs(unsigned long long due, unsigned long long passed) {
    if (passed >= due)
        return -1;
    return due - passed > 2000 ? 2000 : static_cast<int>(due - passed);
}
} // namespace

unsigned DecideAlarmTick(AlarmMemory* memory, const AlarmSettings* settings, long long minute,
                         DWORD tickCount, DWORD alarmBase, int boxOpen) {
    unsigned actions = DecideSnooze(memory, settings->SNOOZE, tickCount, boxOpen);
    // The snooze's box, when it asks for one, stands for the alarm's too.
    boxOpen = boxOpen || (actions & kAlarmShowMessage);
    switch (settings->ALARMTYPE) {
    case kAlarmAbsolute:
        return actions | DecideAbsolute(memory, settings, minute, boxOpen);
    case kAlarmRelative:
        return actions | DecideRelative(memory, settings, tickCount, alarmBase, boxOpen);
    }
    return actions;
}

int AlarmEventMs(const AlarmSettings* settings, const AlarmMemory* memory, DWORD tickCount,
                 DWORD alarmBase) {
    const AlarmSettings& s = *settings;
    const AlarmMemory& m = *memory;
    int event = -1;
    // The same unsigned arithmetic as the decision, so the tick count's wrap does no harm.
    if (s.ALARMTYPE == kAlarmRelative && s.ALARM != 0 && s.MINUTES2 > 0)
        event = m.ringing ? EventInMs(kMinuteMs, static_cast<DWORD>(tickCount - m.ringStart))
                          : EventInMs(static_cast<unsigned long long>(s.MINUTES2) * kMinuteMs,
                                      static_cast<DWORD>(tickCount - alarmBase));
    if (m.snooze != kSnoozeNone) {
        const unsigned long long due = m.snooze == kSnoozeWaiting
                                           ? static_cast<unsigned long long>(s.SNOOZE) * kMinuteMs
                                           : kMinuteMs;
        const int snooze = EventInMs(due, static_cast<DWORD>(tickCount - m.snoozeAt));
        event = snooze >= 0 && (event < 0 || snooze < event) ? snooze : event;
    }
    return event;
}

int RingingNeedsTicks(const AlarmSettings* settings, const AlarmMemory* memory) {
    return (memory->ringing && (settings->ALARMTYPE == kAlarmAbsolute || settings->ALARM != 0)) ||
           memory->snooze == kSnoozeRinging;
}

int NextAlarmEventMs() {
    return AlarmEventMs(&g_AlarmSettings, &s_Memory, GetTickCount(), g_dwAlarmBase);
}

int AlarmWantsFastTicks() {
    return RingingNeedsTicks(&g_AlarmSettings, &s_Memory) ||
           (g_pAlarmPlayer != nullptr && g_pAlarmPlayer->IsPlaying());
}

unsigned AlarmAcknowledgeActions(int alarmType) {
    if (alarmType == kAlarmRelative)
        return kAlarmStopSound | kAlarmDisarm;
    return kAlarmStopSound;
}

void RunAlarmActions(unsigned actions, int alarmType) {
    if (actions & kAlarmStopSound)
        StopAlarmSound();
    int silent = (actions & kAlarmStartSound) && !StartAlarmSound() && !g_bClockClosed;
    if (actions & kAlarmDisarm) {
        // The live record is the one confirmed last, so this saves nothing the user undid.
        g_AlarmSettings.ALARM = 0;
        SaveAlarmSettings(&g_AlarmSettings);
    }
    // The sound counts again from now: a snooze rings SNOOZE minutes after the answer.
    if (actions & kAlarmSnooze) {
        s_Memory.snooze = kSnoozeWaiting;
        s_Memory.snoozeAt = GetTickCount();
    }
    // An alarm nobody can hear must at least be seen.
    if (silent) {
        s_Memory.messageShown = 1;
        actions |= kAlarmShowMessage;
    }
    if ((actions & kAlarmShowMessage) && !s_bBoxOpen)
        ShowAlarmMessage(alarmType, actions, silent);
}

void LoadLiveAlarm(DWORD tickCount) {
    LoadAlarmSettings(&g_AlarmSettings);
    g_dwAlarmBase = tickCount;
}

void AlarmTick(const SYSTEMTIME& now) {
    if (g_bClockClosed)
        return;
    int alarmType = g_AlarmSettings.ALARMTYPE;
    unsigned actions = DecideAlarmTick(&s_Memory, &g_AlarmSettings, LocalMinuteOf(now),
                                       GetTickCount(), g_dwAlarmBase, s_bBoxOpen);
    RunAlarmActions(actions, alarmType);
}

int StartAlarmSound() {
    // After shutdown nothing is created that nobody would delete.
    if (g_bClockClosed)
        return 0;
    if (g_pAlarmPlayer != nullptr) {
        delete g_pAlarmPlayer;
        g_pAlarmPlayer = nullptr;
    }
    // Without a player the alarm stays silent; the flags go on as if it rang.
    g_pAlarmPlayer = new (std::nothrow) CWaveMix(nullptr);
    if (g_pAlarmPlayer == nullptr)
        return 0;
    g_pAlarmPlayer->SetLoop(1);
    g_pAlarmPlayer->Open(SoundFilePath(g_WindowSettings.SIZE, kSoundAlarm));
    return g_pAlarmPlayer->Play();
}

void StopAlarmSound() {
    if (g_pAlarmPlayer != nullptr)
        g_pAlarmPlayer->Stop();
}

void DeleteAlarmPlayer() {
    if (g_pAlarmPlayer != nullptr) {
        delete g_pAlarmPlayer;
        g_pAlarmPlayer = nullptr;
    }
}

void ApplyAlarmConfirmation(const AlarmSettings* confirmed, DWORD tickCount) {
    ++s_nConfirmations;
    StopAlarmSound();
    StopChime();
    g_AlarmSettings = *confirmed;
    // A new setting starts afresh: nothing rings, nothing is snoozed, and an absolute alarm
    // looks from the minute it was confirmed in.
    s_Memory = AlarmMemory();
    ResetChimeHour();
    g_dwAlarmBase = tickCount;
}

namespace {
void ConfirmAlarm(const AlarmSettings* confirmed) {
    ApplyAlarmConfirmation(confirmed, GetTickCount());
}
} // namespace

void OnAlarmSettings(HWND owner) {
    // Cancelled or closed: nothing changes, a ringing alarm goes on ringing.
    AlarmSettingsDialog(g_hInstance, owner, ConfirmAlarm);
}
