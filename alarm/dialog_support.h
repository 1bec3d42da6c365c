// What the program's dialogs share.
#ifndef CLOCK_ALARM_DIALOG_SUPPORT_H
#define CLOCK_ALARM_DIALOG_SUPPORT_H

#include <windows.h>

// Shown when a dialog of ours cannot be created.
extern const char kDialogInitFailedText[];

// The top-left corner that centres a window of this size on the work area, kept whole inside
// it; a window larger than the work area keeps its top-left corner (its caption) in.
POINT CenteredPosition(int width, int height, const RECT& workArea);
// Centres the window on the work area of its owner's monitor (the clock's), or of the monitor
// nearest the window when it has no owner.
void CenterWindow(HWND window);

#endif
