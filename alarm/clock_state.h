// The live state of the clock that the alarm and the chime work with. The main window writes
// the window's part (its handle, g_WindowSettings); the alarm scheduler alone writes
// g_AlarmSettings; everyone else reads them.
#ifndef CLOCK_ALARM_CLOCK_STATE_H
#define CLOCK_ALARM_CLOCK_STATE_H

#include <windows.h>

#include "alarm/settings.h"

// "ポルカミーナ・アナログ時計": class name, window title, instance guard and alarm caption.
extern const char kProductTitle[];

extern HINSTANCE g_hInstance;
extern HWND g_hMainWnd;
extern WindowSettings g_WindowSettings;
extern AlarmSettings g_AlarmSettings;
// Set first thing when the window is destroyed: from then on no tick does any work, even one
// still running in the loop of an alarm box.
extern int g_bClockClosed;

// The local time as whole minutes since 1601: what the alarm and the chime compare, so a day
// turning, a sleep of days or a clock moved back all read as the distance they are.
long long LocalMinuteOf(const SYSTEMTIME& t);
// The local time of that minute.
SYSTEMTIME LocalTimeOfMinute(long long minute);

#endif
