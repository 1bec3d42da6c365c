// The alarm settings dialog (dialog 101).
#ifndef CLOCK_ALARM_ALARM_DIALOG_H
#define CLOCK_ALARM_ALARM_DIALOG_H

#include <windows.h>
#include <commctrl.h>

#include "alarm/settings.h"

// Called when OK is pressed, with the record just saved: the confirmation takes effect then,
// whatever other boxes are still open.
typedef void (*AlarmConfirmFn)(const AlarmSettings* confirmed);

void AlarmSettingsDialog(HINSTANCE instance, HWND owner, AlarmConfirmFn confirm);
INT_PTR CALLBACK AlarmDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL OnAlarmDlgInit(HWND dialog);
int OnAlarmDlgCommand(HWND dialog, int id);
int OnAlarmDlgNotify(HWND dialog, int id, const NMUPDOWN* notify);
void CommitAlarmDlg(HWND dialog, int accepted);

#endif
