// The DLLs the program loads itself: winmm (sound), comctl32 (dialog controls), wtsapi32
// (the session's lock notices) and shcore (the monitor's scale); and the calls newer than
// Windows 7 that it looks up rather than imports. None is among the DLLs Windows always takes from
// its own folder, so a file of the same name beside the program (say in a Downloads folder) would
// be loaded by a load-time import. All are loaded here by full path from the system folder, and
// called through typed entry points, which work alike in the 32-bit and the 64-bit program.
#ifndef CLOCK_PLATFORM_SYSTEM_DLLS_H
#define CLOCK_PLATFORM_SYSTEM_DLLS_H

#include <windows.h>
#include <mmsystem.h>
#include <commctrl.h>
#include <wtsapi32.h>
#include <shellscalingapi.h>

// winmm's functions the program calls. The types come from the platform's own declarations
// (only named here, never linked), so a wrong signature or calling convention cannot compile.
struct WinmmApi {
    decltype(&::waveOutGetNumDevs) waveOutGetNumDevs;
    decltype(&::waveOutOpen) waveOutOpen;
    decltype(&::waveOutPrepareHeader) waveOutPrepareHeader;
    decltype(&::waveOutWrite) waveOutWrite;
    decltype(&::waveOutUnprepareHeader) waveOutUnprepareHeader;
    decltype(&::waveOutReset) waveOutReset;
    decltype(&::waveOutClose) waveOutClose;
};

// The table, loaded on first use; nullptr when winmm.dll or any of these functions is missing
// (the clock then stays silent rather than calling through an empty entry).
const WinmmApi* Winmm();

// wtsapi32's session notices, loaded on first use; nullptr when the DLL or either is missing.
struct WtsApi {
    decltype(&::WTSRegisterSessionNotification) WTSRegisterSessionNotification;
    decltype(&::WTSUnRegisterSessionNotification) WTSUnRegisterSessionNotification;
};
const WtsApi* Wtsapi();

// comctl32's InitCommonControlsEx for these classes; 0 when it cannot be loaded or fails.
int InitCommonControlsFromSystem(DWORD classes);

// The display-scale calls of newer Windows, each looked up on its own: an entry is nullptr where
// this Windows lacks it (user32's from Windows 10 1607, shcore's from 8.1), and the caller falls
// back to the system's dots per inch. The table itself is always there.
struct DpiApi {
    decltype(&::GetDpiForWindow) GetDpiForWindow;
    decltype(&::GetDpiForMonitor) GetDpiForMonitor;
    decltype(&::SetThreadDpiAwarenessContext) SetThreadDpiAwarenessContext;
};
const DpiApi* DpiCalls();

// Loads a DLL from the system folder by full path, its own imports searched from there
// first; nullptr when missing. `name` is a bare file name such as "winmm.dll".
HMODULE LoadSystemDll(const char* name);

#endif
