#include "alarm/alarm_scheduler.h"

#include <string.h>
#include <new>

#include "alarm/alarm_dialog.h"
#include "alarm/chime.h"
#include "alarm/clock_state.h"
#include "platform/wide_text.h"
#include "sound/sound_files.h"
#include "sound/wave_mix.h"

CWaveMix* g_pAlarmPlayer = nullptr;
int g_bRinging = 0;
DWORD g_dwAlarmBase = 0;

namespace {
// 1 once the alarm ringing now has had its box (or one open already stands for it).
int s_bMessageShown = 0;
// Tick count at which the ringing alarm started.
DWORD s_dwRingStart = 0;
char s_szAlarmMessage[kMessageBufferSize];

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

// The alarm box's first activation, while it is opening: it is made topmost there, as
// MB_TOPMOST asks, for systems that do not honour the flag (Wine does not).
HHOOK s_hBoxHook = nullptr;
int s_bBoxOnTop = 0;

LRESULT CALLBACK AlarmBoxHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !s_bBoxOnTop) {
        s_bBoxOnTop = 1;
        SetWindowPos(reinterpret_cast<HWND>(wParam), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(s_hBoxHook, code, wParam, lParam);
}

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
    memset(s_szAlarmMessage, 0, sizeof(s_szAlarmMessage));
    size_t used = 0;
    // The path as Shift-JIS shows it: a character that code page lacks shows as '?'.
    char shownPath[2 * kMessagePathSize];
    if (silent &&
        WideCharToMultiByte(kShiftJisCodePage, 0, SoundFilePath(g_WindowSettings.SIZE, kSoundAlarm),
                            -1, shownPath, sizeof(shownPath), nullptr, nullptr) > 0)
        used = static_cast<size_t>(
            wsprintfA(s_szAlarmMessage,
                      "アラームの音声ファイルが見つからないか再生できません。\n%s\n\n", shownPath));
    // A missing file leaves the text empty; the box is shown all the same.
    if (g_AlarmSettings.MESSAGE) {
        wchar_t path[kMessagePathSize];
        FindMessageFile(path);
        ReadMessageText(path, s_szAlarmMessage + used, sizeof(s_szAlarmMessage) - used,
                        sizeof(s_szAlarmMessage));
    }
    // Timer ticks go on inside the box and re-enter the scheduler; the flags already say so.
    int confirmation = s_nConfirmations;
    s_bBoxOpen = 1;
    // Nobody asked for this box: it must show over the window the user works in. Windows lets a
    // background program take the foreground only now and then (the foreground lock), so
    // MB_SETFOREGROUND alone often leaves the box behind; MB_TOPMOST puts it over every ordinary
    // window all the same, without taking the keys from what the user is typing into.
    s_bBoxOnTop = 0;
    s_hBoxHook = SetWindowsHookExA(WH_CBT, AlarmBoxHook, nullptr, GetCurrentThreadId());
    int answer = MessageBoxW(g_hMainWnd, CWideText(s_szAlarmMessage), CWideText(kProductTitle),
                             MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
    if (s_hBoxHook != nullptr)
        UnhookWindowsHookEx(s_hBoxHook);
    s_hBoxHook = nullptr;
    s_bBoxOpen = 0;
    // An OK that comes after a newer confirmation, or after the window went, belongs to an alarm
    // that no longer exists: it must not stop or disarm the current one.
    if (confirmation != s_nConfirmations)
        // The alarm confirmed meanwhile may have started under this box: it is owed its own.
        s_bMessageShown = 0;
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
    return AlarmEventMs(&g_AlarmSettings, g_bRinging, GetTickCount(), g_dwAlarmBase, s_dwRingStart);
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
        s_bMessageShown = 1;
        actions |= kAlarmShowMessage;
    }
    if ((actions & kAlarmShowMessage) && !s_bBoxOpen)
        ShowAlarmMessage(alarmType, silent);
}

void LoadLiveAlarm(DWORD tickCount) {
    LoadAlarmSettings(&g_AlarmSettings);
    g_dwAlarmBase = tickCount;
}

void AlarmTick(const SYSTEMTIME& now) {
    if (g_bClockClosed)
        return;
    int alarmType = g_AlarmSettings.ALARMTYPE;
    unsigned actions =
        DecideAlarmTick(&g_bRinging, &s_bMessageShown, &g_AlarmSettings, now.wHour, now.wMinute,
                        GetTickCount(), g_dwAlarmBase, &s_dwRingStart, s_bBoxOpen);
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
    g_bRinging = 0;
    ResetChimeHour();
    s_bMessageShown = 0;
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
