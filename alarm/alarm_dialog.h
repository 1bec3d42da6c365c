// The alarm settings dialog (dialog 101).
#ifndef CLOCK_ALARM_ALARM_DIALOG_H
#define CLOCK_ALARM_ALARM_DIALOG_H

#include <windows.h>
#include <commctrl.h>

// 1 when the last run of the dialog ended with OK.
extern int g_bAlarmConfirmed;
// Counts the confirmations saved to the registry, so that an alarm can tell whether the stored
// record is still the one it was loaded from.
extern int g_nAlarmRecordGeneration;

void AlarmSettingsDialog(HINSTANCE instance, HWND owner);
INT_PTR CALLBACK AlarmDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL OnAlarmDlgInit(HWND dialog);
int OnAlarmDlgCommand(HWND dialog, int id);
int OnAlarmDlgNotify(HWND dialog, int id, const NMUPDOWN* notify);
void CommitAlarmDlg(HWND dialog, int accepted);

#endif
