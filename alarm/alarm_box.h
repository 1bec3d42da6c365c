// The alarm's box: its text over OK and a snooze button, in front of every other window.
#ifndef CLOCK_ALARM_ALARM_BOX_H
#define CLOCK_ALARM_ALARM_BOX_H

#include <windows.h>
#include <stddef.h>

// Copies the Shift-JIS text into out (outSize bytes, terminated), every line break a CR LF as an
// edit shows it; a text too long is cut on a whole character.
void BoxLineBreaks(const char* text, char* out, size_t outSize);

// Shows the box with the Shift-JIS text, owned by owner, until the user answers: IDOK (Enter,
// Escape and the close box too) or IDC_ALARM_BOX_SNOOZE; -1 when it cannot be shown. A
// silentSound path (not empty) comes first, said to be missing or unplayable: as it is, in any
// code page's letters.
INT_PTR ShowAlarmBox(HINSTANCE instance, HWND owner, const wchar_t* silentSound, const char* text);

#endif
