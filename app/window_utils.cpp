#include "app/window_utils.h"

#include <cstring>

void SetTopmost(HWND window, int on) {
    SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void UncheckAllMenuItems(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_UNCHECKED);
}

int ToggleMenuCheck(HMENU menu, UINT position) {
    UINT state = GetMenuState(menu, position, MF_BYPOSITION);
    if (state == MF_CHECKED) {
        CheckMenuItem(menu, position, MF_BYPOSITION | MF_UNCHECKED);
        return 0;
    }
    CheckMenuItem(menu, position, MF_BYPOSITION | MF_CHECKED);
    return 1;
}

namespace {
// How far apart two rectangles are (0 when they touch or overlap), squared.
long long GapSquared(const RECT& a, const RECT& b) {
    long long dx = 0, dy = 0;
    if (a.right <= b.left)
        dx = static_cast<long long>(b.left) - a.right;
    else if (b.right <= a.left)
        dx = static_cast<long long>(a.left) - b.right;
    if (a.bottom <= b.top)
        dy = static_cast<long long>(b.top) - a.bottom;
    else if (b.bottom <= a.top)
        dy = static_cast<long long>(a.top) - b.bottom;
    return dx * dx + dy * dy;
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Start of a span of the given length moved into [low, high): the start wins when it is longer.
long Clamp(long start, long length, long low, long high) {
    if (start > high - length)
        start = high - length;
    if (start < low)
        start = low;
    return start;
}

const int kMaxMonitors = 16;
struct MonitorList {
    RECT monitors[kMaxMonitors];
    RECT workAreas[kMaxMonitors];
    int count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MonitorList* list = reinterpret_cast<MonitorList*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (list->count < kMaxMonitors && GetMonitorInfoA(monitor, &info)) {
        list->monitors[list->count] = info.rcMonitor;
        list->workAreas[list->count] = info.rcWork;
        ++list->count;
    }
    return TRUE;
}
} // namespace

POINT ReachablePosition(const RECT& window, const RECT* monitors, const RECT* workAreas,
                        int count) {
    POINT at = {window.left, window.top};
    int nearest = -1;
    long long best = 0;
    for (int i = 0; i < count; ++i) {
        // Partly visible is where the user wants it.
        if (Overlaps(window, monitors[i]))
            return at;
        long long gap = GapSquared(window, monitors[i]);
        if (nearest < 0 || gap < best) {
            nearest = i;
            best = gap;
        }
    }
    if (nearest < 0)
        return at;
    const RECT& work = workAreas[nearest];
    at.x = Clamp(window.left, window.right - window.left, work.left, work.right);
    at.y = Clamp(window.top, window.bottom - window.top, work.top, work.bottom);
    return at;
}

void KeepWindowReachable(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return;
    MonitorList list = {};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    POINT at = ReachablePosition(r, list.monitors, list.workAreas, list.count);
    if (at.x != r.left || at.y != r.top)
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
