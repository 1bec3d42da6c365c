#include "alarm/alarm_dialog.h"

#include "alarm/clock_state.h"
#include "alarm/dialog_support.h"
#include "alarm/message_file.h"
#include "alarm/settings.h"
#include "sound/system_dlls.h"
#include "resources/resource.h"

int g_bAlarmConfirmed = 0;
int g_nAlarmRecordGeneration = 0;

namespace {
// The dialog's own copy of the alarm record; the live one belongs to the scheduler.
AlarmSettings s_AlarmRecord = {0, 0, 0, 0, 0, 0, 0, 0};

const int kAlarmTypeControls[] = {
    IDC_ALARM_ABSOLUTE,       IDC_ALARM_HOURS,         IDC_ALARM_MINUTES,
    IDC_ALARM_HOURS_LABEL,    IDC_ALARM_MINUTES_LABEL, IDC_ALARM_RELATIVE,
    IDC_ALARM_FROM_NOW_LABEL, IDC_ALARM_DELAY_LABEL,   IDC_ALARM_DELAY,
    IDC_ALARM_MESSAGE_SHOW,   IDC_ALARM_MESSAGE,
};
const int kAbsoluteControls[] = {IDC_ALARM_HOURS, IDC_ALARM_MINUTES, IDC_ALARM_HOURS_LABEL,
                                 IDC_ALARM_MINUTES_LABEL};
const int kRelativeControls[] = {IDC_ALARM_FROM_NOW_LABEL, IDC_ALARM_DELAY_LABEL, IDC_ALARM_DELAY};

struct SpinTarget {
    int spin;
    int edit;
    int high;
};
const SpinTarget kSpinTargets[] = {
    {IDC_ALARM_HOURS_SPIN, IDC_ALARM_HOURS, 23},
    {IDC_ALARM_MINUTES_SPIN, IDC_ALARM_MINUTES, 59},
    {IDC_ALARM_DELAY_SPIN, IDC_ALARM_DELAY, 59},
};

int IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) != 0;
}

void EnableControl(HWND dialog, int id, BOOL enable) {
    EnableWindow(GetDlgItem(dialog, id), enable);
}

template <size_t N> void EnableControls(HWND dialog, const int (&ids)[N], BOOL enable) {
    for (size_t i = 0; i < N; ++i)
        EnableControl(dialog, ids[i], enable);
}

void SendCommand(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, id, 0);
}

// OK's reading of an edit: a number is clamped to 0..high, anything else is 0.
int ReadClampedNumber(HWND dialog, int id, UINT high) {
    BOOL translated = FALSE;
    UINT value = GetDlgItemInt(dialog, id, &translated, FALSE);
    if (!translated)
        return 0;
    return static_cast<int>(value > high ? high : value);
}
} // namespace

void AlarmSettingsDialog(HINSTANCE instance, HWND owner) {
    // The up-down controls of the template need their class before the dialog is built.
    InitCommonControlsFromSystem(ICC_UPDOWN_CLASS);
    // A run that never shows the dialog confirms nothing, whatever an earlier run left here.
    g_bAlarmConfirmed = 0;
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ALARM), owner, AlarmDlgProc, 0) == -1)
        MessageBoxA(nullptr, kDialogInitFailedText, "Error", MB_OK);
}

INT_PTR CALLBACK AlarmDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnAlarmDlgInit(dialog);
    case WM_COMMAND:
        return OnAlarmDlgCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY:
        return OnAlarmDlgNotify(dialog, static_cast<int>(wParam),
                                reinterpret_cast<const NMUPDOWN*>(lParam));
    case WM_SYSCOMMAND:
        // Closing through the system menu or the close box: nothing is saved.
        if (wParam == SC_CLOSE)
            EndDialog(dialog, 0);
        return FALSE;
    }
    return FALSE;
}

BOOL OnAlarmDlgInit(HWND dialog) {
    CenterWindow(dialog);
    g_bAlarmConfirmed = 0;
    SetFocus(GetDlgItem(dialog, IDC_ALARM_OK));
    SendDlgItemMessageA(dialog, IDC_ALARM_HOURS, EM_LIMITTEXT, 2, 0);
    SendDlgItemMessageA(dialog, IDC_ALARM_MINUTES, EM_LIMITTEXT, 2, 0);
    SendDlgItemMessageA(dialog, IDC_ALARM_DELAY, EM_LIMITTEXT, 2, 0);
    // No more than the message file and the alarm box carry whole.
    SendDlgItemMessageA(dialog, IDC_ALARM_MESSAGE, EM_LIMITTEXT, kMessageMaxChars, 0);

    LoadAlarmSettings(&s_AlarmRecord);
    CheckDlgButton(dialog, IDC_ALARM_CHIME, static_cast<UINT>(s_AlarmRecord.ZIHOU));
    CheckDlgButton(dialog, IDC_ALARM_ENABLE, static_cast<UINT>(s_AlarmRecord.ALARM));
    CheckDlgButton(dialog, IDC_ALARM_MESSAGE_SHOW, static_cast<UINT>(s_AlarmRecord.MESSAGE));
    SetDlgItemInt(dialog, IDC_ALARM_HOURS, static_cast<UINT>(s_AlarmRecord.HOURS), FALSE);
    SetDlgItemInt(dialog, IDC_ALARM_MINUTES, static_cast<UINT>(s_AlarmRecord.MINUTES), FALSE);
    SetDlgItemInt(dialog, IDC_ALARM_DELAY, static_cast<UINT>(s_AlarmRecord.MINUTES2), FALSE);
    CheckDlgButton(dialog, IDC_ALARM_ABSOLUTE, s_AlarmRecord.ALARMTYPE == 0);
    CheckDlgButton(dialog, IDC_ALARM_RELATIVE, s_AlarmRecord.ALARMTYPE == 1);

    LoadMessageFile(GetDlgItem(dialog, IDC_ALARM_MESSAGE), kMessageFileName);
    SendCommand(dialog, IDC_ALARM_ENABLE);
    SendCommand(dialog, IDC_ALARM_MESSAGE_SHOW);
    return TRUE;
}

int OnAlarmDlgCommand(HWND dialog, int id) {
    int enabled = IsChecked(dialog, IDC_ALARM_ENABLE);
    switch (id) {
    case IDC_ALARM_ENABLE:
        EnableControls(dialog, kAlarmTypeControls, enabled);
        SendCommand(dialog, IsChecked(dialog, IDC_ALARM_ABSOLUTE) ? IDC_ALARM_ABSOLUTE
                                                                  : IDC_ALARM_RELATIVE);
        SendCommand(dialog, IDC_ALARM_MESSAGE_SHOW);
        break;
    case IDC_ALARM_ABSOLUTE:
        if (!enabled)
            break;
        EnableControls(dialog, kAbsoluteControls, TRUE);
        CheckDlgButton(dialog, IDC_ALARM_RELATIVE, BST_UNCHECKED);
        EnableControls(dialog, kRelativeControls, FALSE);
        break;
    case IDC_ALARM_RELATIVE:
        if (!enabled)
            break;
        CheckDlgButton(dialog, IDC_ALARM_ABSOLUTE, BST_UNCHECKED);
        EnableControls(dialog, kAbsoluteControls, FALSE);
        EnableControls(dialog, kRelativeControls, TRUE);
        break;
    case IDC_ALARM_MESSAGE_SHOW:
        if (!enabled)
            break;
        EnableControl(dialog, IDC_ALARM_MESSAGE, IsChecked(dialog, IDC_ALARM_MESSAGE_SHOW));
        break;
    case IDC_ALARM_OK:
        CommitAlarmDlg(dialog, 1);
        EndDialog(dialog, 0);
        break;
    case IDC_ALARM_CANCEL:
        CommitAlarmDlg(dialog, 0);
        EndDialog(dialog, 0);
        break;
    }
    // Anything else, the standard cancel command of Escape among it, is ignored.
    return 0;
}

int OnAlarmDlgNotify(HWND dialog, int id, const NMUPDOWN* notify) {
    if (notify == nullptr || notify->hdr.code != static_cast<UINT>(UDN_DELTAPOS))
        return 0;
    for (const SpinTarget& target : kSpinTargets) {
        if (target.spin != id)
            continue;
        long long value = GetDlgItemInt(dialog, target.edit, nullptr, FALSE);
        // The up arrow proposes a negative change with the default range: it counts up.
        if (notify->iDelta < 0)
            ++value;
        else if (notify->iDelta > 0)
            --value;
        if (value < 0)
            value = 0;
        if (value > target.high)
            value = target.high;
        SetDlgItemInt(dialog, target.edit, static_cast<UINT>(value), FALSE);
    }
    return 0;
}

void CommitAlarmDlg(HWND dialog, int accepted) {
    if (!accepted) {
        g_bAlarmConfirmed = 0;
        return;
    }
    s_AlarmRecord.ALARM = static_cast<int>(IsDlgButtonChecked(dialog, IDC_ALARM_ENABLE));
    s_AlarmRecord.ZIHOU = static_cast<int>(IsDlgButtonChecked(dialog, IDC_ALARM_CHIME));
    s_AlarmRecord.MESSAGE = static_cast<int>(IsDlgButtonChecked(dialog, IDC_ALARM_MESSAGE_SHOW));
    s_AlarmRecord.ALARMTYPE = IsDlgButtonChecked(dialog, IDC_ALARM_ABSOLUTE) == BST_CHECKED ? 0 : 1;
    s_AlarmRecord.HOURS = ReadClampedNumber(dialog, IDC_ALARM_HOURS, 23);
    s_AlarmRecord.MINUTES = ReadClampedNumber(dialog, IDC_ALARM_MINUTES, 59);
    s_AlarmRecord.MINUTES2 = ReadClampedNumber(dialog, IDC_ALARM_DELAY, 59);
    int messageSaved = SaveMessageFile(GetDlgItem(dialog, IDC_ALARM_MESSAGE), kMessageFileName);
    SaveAlarmSettings(&s_AlarmRecord);
    ++g_nAlarmRecordGeneration;
    g_bAlarmConfirmed = 1;
    // The old file is left as it was; the rest is saved, but the user must know the new message
    // is not.
    if (!messageSaved) {
        char text[256];
        wsprintfA(
            text,
            "メッセージをファイル「%s」に保存できませんでした。\n以前のメッセージが残っています。",
            kMessageFileName);
        MessageBoxA(dialog, text, kProductTitle, MB_OK | MB_ICONWARNING);
    }
}
