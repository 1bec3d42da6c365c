#include "alarm/clock_state.h"

const char kProductTitle[] = "ポルカミーナ・アナログ時計";

HINSTANCE g_hInstance = nullptr;
HWND g_hMainWnd = nullptr;
WindowSettings g_WindowSettings = {0, 0, 0, 0, 0};
AlarmSettings g_AlarmSettings = {};
int g_bClockClosed = 0;

namespace {
const long long kFileTimeMinute = 600000000LL; // 100 ns units
} // namespace

long long LocalMinuteOf(const SYSTEMTIME& t) {
    SYSTEMTIME minute = t;
    minute.wSecond = minute.wMilliseconds = 0;
    FILETIME f;
    if (!SystemTimeToFileTime(&minute, &f))
        return 0;
    return static_cast<long long>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) |
                                  f.dwLowDateTime) /
           kFileTimeMinute;
}

SYSTEMTIME LocalTimeOfMinute(long long minute) {
    const ULONGLONG count = static_cast<ULONGLONG>(minute * kFileTimeMinute);
    FILETIME f = {static_cast<DWORD>(count), static_cast<DWORD>(count >> 32)};
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&f, &t);
    return t;
}
