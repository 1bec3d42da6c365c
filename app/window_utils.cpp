#include "app/window_utils.h"

#include <cstdarg>
#include <cstring>

namespace {
const size_t kDirChars = 260;
char g_szProgramDirectory[kDirChars];
char g_szFormatBuffer[1024];

// Copies src into out (outSize > 0), cutting it short when it does not fit.
void CopyBounded(char* out, size_t outSize, const char* src, size_t len) {
    if (len >= outSize)
        len = outSize - 1;
    memcpy(out, src, len);
    out[len] = '\0';
}
} // namespace

void ProgramDirectoryFrom(const char* commandLine, const char* modulePath, char* out,
                          size_t outSize) {
    if (out == nullptr || outSize == 0)
        return;
    out[0] = '\0';
    // A quoted full path: the directory is everything before the last backslash ahead of the
    // closing quote ("C:" for a drive's root).
    if (commandLine != nullptr && commandLine[0] == '"') {
        const char* start = commandLine + 1;
        const char* quote = strchr(start, '"');
        if (quote != nullptr) {
            const char* p = quote;
            while (p > start && *p != '\\' && *p != ':')
                --p;
            size_t len = static_cast<size_t>(p - start);
            if (*p == '\\' && len > 0 && len < outSize) {
                CopyBounded(out, outSize, start, len);
                return;
            }
        }
    }
    // Any other command line: the module's own file name tells where we live.
    if (modulePath == nullptr)
        return;
    const char* slash = strrchr(modulePath, '\\');
    if (slash == nullptr) {
        const char* colon = strchr(modulePath, ':');
        if (colon != nullptr)
            CopyBounded(out, outSize, modulePath, static_cast<size_t>(colon + 1 - modulePath));
        return;
    }
    size_t len = static_cast<size_t>(slash - modulePath);
    // A root directory keeps its drive letter and colon only.
    CopyBounded(out, outSize, modulePath, len);
}

char* GetProgramDirectory() {
    char module[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof(module));
    if (n == 0 || n >= sizeof(module))
        module[0] = '\0';
    ProgramDirectoryFrom(GetCommandLineA(), module, g_szProgramDirectory,
                         sizeof(g_szProgramDirectory));
    return g_szProgramDirectory;
}

char* FormatString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    wvsprintfA(g_szFormatBuffer, format, args);
    va_end(args);
    return g_szFormatBuffer;
}

void CenterWindow(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2 - (r.bottom - r.top) / 2;
    SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

void SetClientSize(HWND window, int width, int height) {
    RECT r = {0, 0, width, height};
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, style, GetMenu(window) != nullptr, exStyle);
    SetWindowPos(window, HWND_TOP, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE);
}

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
