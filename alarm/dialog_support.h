// What the program's dialogs share.
#ifndef CLOCK_ALARM_DIALOG_SUPPORT_H
#define CLOCK_ALARM_DIALOG_SUPPORT_H

#include <windows.h>

// Shown when a dialog of ours cannot be created.
extern const char kDialogInitFailedText[];

void CenterWindow(HWND window);

#endif
