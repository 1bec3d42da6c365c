// The date at a glance: the pointer resting on the clock shows today's date in a tooltip.
#ifndef CLOCK_APP_DATE_TIP_H
#define CLOCK_APP_DATE_TIP_H

#include <windows.h>

// Room for the longest text FormatDateTip writes, with its terminator.
enum { kDateTipChars = 32 };

// The day of `now` as the tooltip shows it, "2026年12月7日 (月)" in Shift-JIS, into `text` of
// kDateTipChars bytes.
void FormatDateTip(const SYSTEMTIME& now, char* text);

// Gives the clock window its tooltip, which asks for its text each time it shows (so it is
// always today's). Without comctl32 the clock goes without.
void CreateDateTip(HWND clock);
// Hands a mouse message of the clock on to its tooltip (anything else is left alone).
void RelayToDateTip(HWND clock, UINT message, WPARAM wParam, LPARAM lParam);
// WM_NOTIFY: answers the tooltip's request for its text; no text (so no tip) while the window
// is dragged or its menu is open.
void OnDateTipNotify(LPARAM lParam);

#endif
