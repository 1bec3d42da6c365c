#include "alarm/alarm_scheduler.h"

#include <string.h>
#include <new>

#include "alarm/alarm_dialog.h"
#include "alarm/chime.h"
#include "alarm/clock_state.h"
#include "sound/sound_files.h"
#include "sound/wave_mix.h"

CWaveMix* g_pAlarmPlayer = nullptr;
int g_bRinging = 0;
int g_bMessageShown = 0;
DWORD g_dwAlarmBase = 0;
char g_szAlarmMessage[kMessageBufferSize];
DWORD g_dwRingStart = 0;
int g_bAlarmBoxOpen = 0;
int g_nAlarmConfirmations = 0;

namespace {
const DWORD kMinuteMs = 60000;

// The message step: decided once per alarm, flagged before the box can open. A box still open
// from an earlier alarm already shows the message; no second one is stacked on it.
unsigned MessageStep(int* messageShown, const AlarmSettings* settings, int boxOpen) {
    if (*messageShown || settings->MESSAGE == 0)
        return kAlarmNothing;
    *messageShown = 1;
    return boxOpen ? kAlarmNothing : kAlarmShowMessage;
}

unsigned DecideAbsolute(int* ringing, int* messageShown, const AlarmSettings* s, int hour,
                        int minute, int boxOpen) {
    // An alarm the user has not enabled never rings, whatever its type.
    int matches = s->ALARM != 0 && hour == s->HOURS && minute == s->MINUTES;
    if (matches && !*ringing) {
        *ringing = 1;
        return kAlarmStartSound | MessageStep(messageShown, s, boxOpen);
    }
    if (!matches && *ringing) {
        *ringing = 0;
        *messageShown = 0;
        return kAlarmStopSound;
    }
    // A box still owed (another alarm's box was open when this one started) comes now.
    if (matches)
        return MessageStep(messageShown, s, boxOpen);
    return kAlarmNothing;
}

unsigned DecideRelative(int* ringing, int* messageShown, const AlarmSettings* s, DWORD tickCount,
                        DWORD alarmBase, DWORD* ringStart, int boxOpen) {
    if (s->ALARM == 0 || s->MINUTES2 <= 0)
        return kAlarmNothing;
    // Unsigned arithmetic: the wrap of the tick count after 49.7 days does no harm.
    // A delay from the registry too long for the tick count never comes.
    unsigned long long elapsed = static_cast<DWORD>(tickCount - alarmBase);
    unsigned long long start = static_cast<unsigned long long>(s->MINUTES2) * kMinuteMs;
    if (elapsed < start)
        return kAlarmNothing;
    if (!*ringing) {
        *ringing = 1;
        *ringStart = tickCount;
        return kAlarmStartSound | MessageStep(messageShown, s, boxOpen);
    }
    // A first tick that came late (the machine slept, the loop was blocked) still gives the
    // alarm its full minute of sound.
    if (static_cast<DWORD>(tickCount - *ringStart) >= kMinuteMs)
        return kAlarmStopSound | kAlarmDisarm | MessageStep(messageShown, s, boxOpen);
    return MessageStep(messageShown, s, boxOpen);
}

// The box of an alarm: the message when it is asked for; for an alarm that cannot sound, first
// a line that says so and names the sound file.
void ShowAlarmMessage(int alarmType, int silent) {
    memset(g_szAlarmMessage, 0, sizeof(g_szAlarmMessage));
    size_t used = 0;
    if (silent)
        used = static_cast<size_t>(wsprintfA(
            g_szAlarmMessage, "アラームの音声ファイルが見つからないか再生できません。\n%s\n\n",
            SoundFilePath(g_WindowSettings.SIZE, kSoundAlarm)));
    // A missing file leaves the text empty; the box is shown all the same.
    if (g_AlarmSettings.MESSAGE)
        ReadMessageText(kMessageFileName, g_szAlarmMessage + used, sizeof(g_szAlarmMessage) - used,
                        sizeof(g_szAlarmMessage));
    // Timer ticks go on inside the box and re-enter the scheduler; the flags already say so.
    int confirmation = g_nAlarmConfirmations;
    g_bAlarmBoxOpen = 1;
    int answer = MessageBoxA(g_hMainWnd, g_szAlarmMessage, kProductTitle, MB_OK);
    g_bAlarmBoxOpen = 0;
    // An OK that comes after a newer confirmation, or after the window went, belongs to an alarm
    // that no longer exists: it must not stop or disarm the current one.
    if (confirmation != g_nAlarmConfirmations)
        // The alarm confirmed meanwhile may have started under this box: it is owed its own.
        g_bMessageShown = 0;
    else if (answer == IDOK && !g_bClockClosed)
        RunAlarmActions(AlarmAcknowledgeActions(alarmType), alarmType);
}
} // namespace

unsigned DecideAlarmTick(int* ringing, int* messageShown, const AlarmSettings* settings, int hour,
                         int minute, DWORD tickCount, DWORD alarmBase, DWORD* ringStart,
                         int boxOpen) {
    switch (settings->ALARMTYPE) {
    case kAlarmAbsolute:
        return DecideAbsolute(ringing, messageShown, settings, hour, minute, boxOpen);
    case kAlarmRelative:
        return DecideRelative(ringing, messageShown, settings, tickCount, alarmBase, ringStart,
                              boxOpen);
    }
    return kAlarmNothing;
}

int AlarmEventMs(const AlarmSettings* settings, int ringing, DWORD tickCount, DWORD alarmBase,
                 DWORD ringStart) {
    const AlarmSettings& s = *settings;
    if (s.ALARMTYPE != kAlarmRelative || s.ALARM == 0 || s.MINUTES2 <= 0)
        return -1;
    // The same unsigned arithmetic as the decision, so the tick count's wrap does no harm.
    unsigned long long due = static_cast<unsigned long long>(s.MINUTES2) * kMinuteMs;
    unsigned long long passed = static_cast<DWORD>(tickCount - alarmBase);
    if (ringing) {
        due = kMinuteMs;
        passed = static_cast<DWORD>(tickCount - ringStart);
    }
    if (passed >= due)
        return -1;
    return due - passed > 2000 ? 2000 : static_cast<int>(due - passed);
}

int RingingNeedsTicks(const AlarmSettings* settings, int ringing) {
    return ringing && (settings->ALARMTYPE == kAlarmAbsolute || settings->ALARM != 0);
}

int NextAlarmEventMs() {
    return AlarmEventMs(&g_AlarmSettings, g_bRinging, GetTickCount(), g_dwAlarmBase, g_dwRingStart);
}

int AlarmWantsFastTicks() {
    return RingingNeedsTicks(&g_AlarmSettings, g_bRinging) ||
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
    // An alarm nobody can hear must at least be seen.
    if (silent) {
        g_bMessageShown = 1;
        actions |= kAlarmShowMessage;
    }
    if ((actions & kAlarmShowMessage) && !g_bAlarmBoxOpen)
        ShowAlarmMessage(alarmType, silent);
}

void LoadLiveAlarm(DWORD tickCount) {
    LoadAlarmSettings(&g_AlarmSettings);
    g_dwAlarmBase = tickCount;
}

void AlarmTick() {
    if (g_bClockClosed)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    int alarmType = g_AlarmSettings.ALARMTYPE;
    unsigned actions =
        DecideAlarmTick(&g_bRinging, &g_bMessageShown, &g_AlarmSettings, now.wHour, now.wMinute,
                        GetTickCount(), g_dwAlarmBase, &g_dwRingStart, g_bAlarmBoxOpen);
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
    ++g_nAlarmConfirmations;
    StopAlarmSound();
    StopChime();
    g_AlarmSettings = *confirmed;
    g_bRinging = 0;
    ResetChimeHour();
    g_bMessageShown = 0;
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
