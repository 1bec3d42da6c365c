#include "platform/system_dlls.h"

namespace {

// Through void (*)() because -Wcast-function-type accepts only that as a go-between.
template <typename Fn> int Resolve(HMODULE dll, const char* name, Fn* entry) {
    FARPROC proc = GetProcAddress(dll, name);
    *entry = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
    return proc != nullptr;
}

int LoadWinmm(WinmmApi* api) {
    HMODULE dll = LoadSystemDll("winmm.dll");
    if (dll == nullptr)
        return 0;
    // Every entry is looked up, so one that is missing leaves no other unresolved silently.
    int ok = Resolve(dll, "waveOutGetNumDevs", &api->waveOutGetNumDevs);
    ok &= Resolve(dll, "waveOutOpen", &api->waveOutOpen);
    ok &= Resolve(dll, "waveOutPrepareHeader", &api->waveOutPrepareHeader);
    ok &= Resolve(dll, "waveOutWrite", &api->waveOutWrite);
    ok &= Resolve(dll, "waveOutUnprepareHeader", &api->waveOutUnprepareHeader);
    ok &= Resolve(dll, "waveOutReset", &api->waveOutReset);
    ok &= Resolve(dll, "waveOutClose", &api->waveOutClose);
    return ok;
}

} // namespace

HMODULE LoadSystemDll(const char* name) {
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(name) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    lstrcpyA(path + length + 1, name);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

const WinmmApi* Winmm() {
    // Loaded once; the DLL stays for the life of the process, as a load-time import would.
    static WinmmApi s_api;
    static int s_nState = 0; // 0 not tried, 1 loaded, -1 unavailable
    if (s_nState == 0)
        s_nState = LoadWinmm(&s_api) ? 1 : -1;
    return s_nState == 1 ? &s_api : nullptr;
}

const WtsApi* Wtsapi() {
    static WtsApi s_api;
    static int s_nState = 0; // as Winmm's
    if (s_nState == 0) {
        HMODULE dll = LoadSystemDll("wtsapi32.dll");
        s_nState = dll != nullptr && Resolve(dll, "WTSRegisterSessionNotification",
                                             &s_api.WTSRegisterSessionNotification) &
                                         Resolve(dll, "WTSUnRegisterSessionNotification",
                                                 &s_api.WTSUnRegisterSessionNotification)
                       ? 1
                       : -1;
    }
    return s_nState == 1 ? &s_api : nullptr;
}

const DpiApi* DpiCalls() {
    static DpiApi s_api;
    static int s_bLoaded = 0;
    if (!s_bLoaded) {
        // user32 is loaded before the program starts; shcore only where Windows has it.
        HMODULE user32 = GetModuleHandleA("user32.dll");
        HMODULE shcore = LoadSystemDll("shcore.dll");
        if (user32 != nullptr) {
            Resolve(user32, "GetDpiForWindow", &s_api.GetDpiForWindow);
            Resolve(user32, "SetThreadDpiAwarenessContext", &s_api.SetThreadDpiAwarenessContext);
        }
        if (shcore != nullptr)
            Resolve(shcore, "GetDpiForMonitor", &s_api.GetDpiForMonitor);
        s_bLoaded = 1;
    }
    return &s_api;
}

int InitCommonControlsFromSystem(DWORD classes) {
    static decltype(&::InitCommonControlsEx) s_pfnInit = nullptr;
    if (s_pfnInit == nullptr) {
        HMODULE dll = LoadSystemDll("comctl32.dll");
        if (dll == nullptr || !Resolve(dll, "InitCommonControlsEx", &s_pfnInit))
            return 0;
    }
    INITCOMMONCONTROLSEX controls = {sizeof(controls), classes};
    return s_pfnInit(&controls) ? 1 : 0;
}
