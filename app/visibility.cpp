#include "app/visibility.h"

#include <wtsapi32.h>

#include "platform/system_dlls.h"

namespace {
// GUID_CONSOLE_DISPLAY_STATE, written out: the platform's is declared for linking with uuid.
const GUID kDisplayStateGuid = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

int s_bLocked = 0;
int s_nDisplay = kDisplayOn;
HPOWERNOTIFY s_hDisplayNotice = nullptr;
int s_bSessionWatched = 0;
// When the session's notices were last asked for.
int s_bSessionTried = 0;
DWORD s_dwSessionTried = 0;
const DWORD kSessionRetryMs = 5000;
} // namespace

int ClockVisible(int locked, int display) {
    return !locked && display != kDisplayOff;
}

int DisplayStateOf(const POWERBROADCAST_SETTING* setting) {
    if (setting == nullptr || !IsEqualGUID(setting->PowerSetting, kDisplayStateGuid) ||
        setting->DataLength < sizeof(DWORD))
        return kDisplayUnknown;
    DWORD state;
    CopyMemory(&state, setting->Data, sizeof(state));
    return state <= kDisplayDimmed ? static_cast<int>(state) : kDisplayUnknown;
}

void WatchVisibility(HWND window) {
    // Windows answers at once with the display's present state.
    s_hDisplayNotice =
        RegisterPowerSettingNotification(window, &kDisplayStateGuid, DEVICE_NOTIFY_WINDOW_HANDLE);
    KeepWatchingSession(window);
}

void KeepWatchingSession(HWND window) {
    if (s_bSessionWatched)
        return;
    // Each try is a call to a system service, and a session without that service refuses every
    // one: tried again only every few seconds, not on every wake.
    const DWORD now = GetTickCount();
    if (s_bSessionTried && now - s_dwSessionTried < kSessionRetryMs)
        return;
    s_bSessionTried = 1;
    s_dwSessionTried = now;
    const WtsApi* wts = Wtsapi();
    if (wts != nullptr)
        s_bSessionWatched = wts->WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
}

void StopWatchingVisibility(HWND window) {
    if (s_hDisplayNotice != nullptr)
        UnregisterPowerSettingNotification(s_hDisplayNotice);
    s_hDisplayNotice = nullptr;
    if (s_bSessionWatched)
        Wtsapi()->WTSUnRegisterSessionNotification(window);
    s_bSessionWatched = 0;
    s_bSessionTried = 0;
}

int NoteVisibilityNotice(UINT message, WPARAM wParam, LPARAM lParam) {
    const int before = ClockVisibleNow();
    if (message == WM_WTSSESSION_CHANGE &&
        (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK))
        s_bLocked = wParam == WTS_SESSION_LOCK;
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE) {
        const int display = DisplayStateOf(reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
        s_nDisplay = display != kDisplayUnknown ? display : s_nDisplay;
    }
    return ClockVisibleNow() != before;
}

int ClockVisibleNow() {
    return ClockVisible(s_bLocked, s_nDisplay);
}
