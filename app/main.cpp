// Process entry: one instance at a time, then the clock window's message loop.
#include <windows.h>

#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
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
