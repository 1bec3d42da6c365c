#include "app/display_scale.h"

#include "platform/system_dlls.h"

namespace {
int SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

long Scaled(long length, long to, long from) {
    return from > 0 ? MulDiv(length, to, from) : length;
}
} // namespace

int WindowDpi(HWND window) {
    const DpiApi* api = DpiCalls();
    if (window != nullptr && api->GetDpiForWindow != nullptr) {
        const UINT dpi = api->GetDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    // Windows 8.1 and 10 before 1607: the monitor's scale, which a per-monitor aware program
    // is told as it is.
    UINT x = 0, y = 0;
    if (window != nullptr && api->GetDpiForMonitor != nullptr &&
        SUCCEEDED(api->GetDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                        MDT_EFFECTIVE_DPI, &x, &y)) &&
        x > 0)
        return static_cast<int>(x);
    return SystemDpi();
}

POINT PhysicalFromUnaware(POINT saved, const RECT& unaware, const RECT& physical) {
    return {physical.left + Scaled(saved.x - unaware.left, physical.right - physical.left,
                                   unaware.right - unaware.left),
            physical.top + Scaled(saved.y - unaware.top, physical.bottom - physical.top,
                                  unaware.bottom - unaware.top)};
}

POINT PositionFromUnaware(POINT saved) {
    MONITORINFO unaware = {}, physical = {};
    unaware.cbSize = physical.cbSize = sizeof(MONITORINFO);
    const DpiApi* api = DpiCalls();
    DPI_AWARENESS_CONTEXT aware = nullptr;
    if (api->SetThreadDpiAwarenessContext != nullptr)
        aware = api->SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    if (aware != nullptr) {
        // The monitor and its rectangle as the old program saw them, then as they are.
        HMONITOR monitor = MonitorFromPoint(saved, MONITOR_DEFAULTTONEAREST);
        const int seen = GetMonitorInfoA(monitor, &unaware);
        api->SetThreadDpiAwarenessContext(aware);
        if (seen && GetMonitorInfoA(monitor, &physical))
            return PhysicalFromUnaware(saved, unaware.rcMonitor, physical.rcMonitor);
        return saved;
    }
    // One scale for every monitor: the system's, about the primary monitor's top-left (0, 0).
    const int dpi = SystemDpi();
    const RECT unawareUnit = {0, 0, kBaseDpi, kBaseDpi}, physicalUnit = {0, 0, dpi, dpi};
    return PhysicalFromUnaware(saved, unawareUnit, physicalUnit);
}
