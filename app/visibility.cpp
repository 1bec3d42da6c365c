#include "app/visibility.h"

#include <wtsapi32.h>

#include "platform/system_dlls.h"

namespace {
// GUID_SESSION_DISPLAY_STATUS, written out: the platform's is declared for linking with uuid.
// The display of this session, wherever it is shown (GUID_CONSOLE_DISPLAY_STATE is the physical
// console's, which a Remote Desktop user does not see).
const GUID kDisplayStateGuid = {
    0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};

int s_bLocked = 0;
// The session's client went away (a Remote Desktop window closed): nobody sees it until it
// connects again.
int s_bDisconnected = 0;
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
    if (message == WM_WTSSESSION_CHANGE && wParam >= WTS_CONSOLE_CONNECT &&
        wParam <= WTS_REMOTE_DISCONNECT)
        s_bDisconnected = wParam == WTS_CONSOLE_DISCONNECT || wParam == WTS_REMOTE_DISCONNECT;
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE) {
        const int display = DisplayStateOf(reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
        s_nDisplay = display != kDisplayUnknown ? display : s_nDisplay;
    }
    return ClockVisibleNow() != before;
}

int ClockVisibleNow() {
    return ClockVisible(s_bLocked || s_bDisconnected, s_nDisplay);
}
