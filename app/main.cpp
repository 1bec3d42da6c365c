// Process entry: one instance at a time, then the clock window's message loop.
#include <windows.h>

#include "app/main_window.h"
#include "platform/wide_text.h"

namespace {

// winmm and comctl32 are loaded by full path from the system folder (platform/system_dlls.h).
// Everything else loaded later (their own imports, what the platform pulls in) is limited to
// the system folder too. The call is looked up because Windows 7 without update KB2533623
// lacks it; there the full-path loads still keep a planted file out.
void LoadDllsFromSystemOnly() {
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    FARPROC proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (proc == nullptr)
        return;
    // Through void (*)() because -Wcast-function-type accepts only that as a go-between.
    reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(proc))(
        LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    LoadDllsFromSystemOnly();
    // The product title names the window's class too: wide, so it reads the same on any system.
    CWideText title(kProductTitle);
    HANDLE guard = CreateSemaphoreW(nullptr, 1, 1, title);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        SetForegroundWindow(FindWindowW(title, nullptr));
        return 0;
    }
    RegisterClockClass(hInstance);
    if (CreateClockWindow(hInstance) == nullptr)
        return 0;
    g_hInstance = hInstance;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (guard != nullptr)
        CloseHandle(guard);
    return static_cast<int>(msg.wParam);
}
