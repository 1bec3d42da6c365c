// Process entry: one instance at a time, then the clock window's message loop.
#include <windows.h>

#include "app/main_window.h"

namespace {

// winmm and comctl32 are delay-loaded, so nothing of theirs is loaded before this runs. From
// here on DLLs come from the system directory only: a winmm.dll or comctl32.dll left beside the
// program (say in a Downloads folder) never runs. The call is looked up because Windows 7
// without update KB2533623 lacks it; there both DLLs are loaded at once by full path instead
// (their own imports searched from there too), and the delay-load finds them already loaded.
void LoadDllsFromSystemOnly() {
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    FARPROC proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (proc != nullptr) {
        // Through void (*)() because -Wcast-function-type accepts only that as a go-between.
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(proc))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
        return;
    }
    static const char* const kDelayLoaded[] = {"\\winmm.dll", "\\comctl32.dll"};
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 16)
        return;
    for (const char* name : kDelayLoaded) {
        lstrcpyA(path + length, name);
        LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    LoadDllsFromSystemOnly();
    HANDLE guard = CreateSemaphoreA(nullptr, 1, 1, kProductTitle);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        SetForegroundWindow(FindWindowA(kProductTitle, nullptr));
        return 0;
    }
    RegisterClockClass(hInstance);
    if (CreateClockWindow(hInstance) == nullptr)
        return 0;
    g_hInstance = hInstance;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (guard != nullptr)
        CloseHandle(guard);
    return static_cast<int>(msg.wParam);
}
