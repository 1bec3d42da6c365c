#include "app/window_utils.h"

#include <cstring>
#include <new>

#include "app/display_scale.h"

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

// Pixels the two rectangles have in common.
long long OverlapArea(const RECT& a, const RECT& b) {
    long long w = static_cast<long long>(a.right < b.right ? a.right : b.right) -
                  (a.left > b.left ? a.left : b.left);
    long long h = static_cast<long long>(a.bottom < b.bottom ? a.bottom : b.bottom) -
                  (a.top > b.top ? a.top : b.top);
    return w > 0 && h > 0 ? w * h : 0;
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
    RECT workAreas[kMaxMonitors];
    int count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MonitorList* list = reinterpret_cast<MonitorList*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (list->count < kMaxMonitors && GetMonitorInfoA(monitor, &info)) {
        list->workAreas[list->count] = info.rcWork;
        ++list->count;
    }
    return TRUE;
}
} // namespace

POINT ReachablePosition(const RECT& window, const RECT* shape, int shapeCount,
                        const RECT* workAreas, int count, int dpi) {
    POINT at = {window.left, window.top};
    const RECT whole = {0, 0, window.right - window.left, window.bottom - window.top};
    if (shapeCount <= 0) {
        shape = &whole;
        shapeCount = 1;
    }
    long long opaque = 0;
    for (int j = 0; j < shapeCount; ++j)
        opaque += OverlapArea(shape[j], whole);
    const long long grab = static_cast<long long>(kGrabPixels) * dpi * dpi / (kBaseDpi * kBaseDpi);
    const long long enough = opaque < grab ? opaque : grab;
    int best = -1;
    long long bestOverlap = 0, bestGap = 0;
    for (int i = 0; i < count; ++i) {
        // The work area in window coordinates, against the opaque shape.
        const RECT work = {workAreas[i].left - window.left, workAreas[i].top - window.top,
                           workAreas[i].right - window.left, workAreas[i].bottom - window.top};
        long long shown = 0;
        for (int j = 0; j < shapeCount; ++j)
            shown += OverlapArea(shape[j], work);
        if (shown > 0 && shown >= enough)
            return at;
        long long overlap = OverlapArea(window, workAreas[i]);
        long long gap = GapSquared(window, workAreas[i]);
        if (best < 0 || overlap > bestOverlap || (overlap == bestOverlap && gap < bestGap)) {
            best = i;
            bestOverlap = overlap;
            bestGap = gap;
        }
    }
    if (best < 0)
        return at;
    const RECT& work = workAreas[best];
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
    // The window's outline: what of it shows is what the user can grab.
    RGNDATA* shape = nullptr;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (region != nullptr && GetWindowRgn(window, region) != ERROR) {
        DWORD size = GetRegionData(region, 0, nullptr);
        shape = static_cast<RGNDATA*>(operator new(size, std::nothrow));
        if (shape != nullptr && GetRegionData(region, size, shape) != size) {
            operator delete(shape);
            shape = nullptr;
        }
    }
    if (region != nullptr)
        DeleteObject(region);
    POINT at = ReachablePosition(r, shape ? reinterpret_cast<const RECT*>(shape->Buffer) : nullptr,
                                 shape ? static_cast<int>(shape->rdh.nCount) : 0, list.workAreas,
                                 list.count, WindowDpi(window));
    operator delete(shape);
    if (at.x != r.left || at.y != r.top)
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
