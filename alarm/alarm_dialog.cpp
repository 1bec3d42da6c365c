#include "alarm/alarm_dialog.h"

#include "alarm/clock_state.h"
#include "alarm/dialog_support.h"
#include "alarm/message_file.h"
#include "alarm/settings.h"
#include "platform/system_dlls.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace {
// What one run of the dialog keeps (several can be open: an alarm box's end enables the clock).
struct AlarmDialogRun {
    AlarmConfirmFn confirm;
    // How the message file read when the dialog opened (a MessageRead).
    int messageRead;
    // The file it read, which OK replaces.
    wchar_t messagePath[kMessagePathSize];
};

AlarmDialogRun* RunOf(HWND dialog) {
    return reinterpret_cast<AlarmDialogRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

const int kAlarmTypeControls[] = {
    IDC_ALARM_ABSOLUTE,       IDC_ALARM_HOURS,         IDC_ALARM_MINUTES,
    IDC_ALARM_HOURS_LABEL,    IDC_ALARM_MINUTES_LABEL, IDC_ALARM_RELATIVE,
    IDC_ALARM_FROM_NOW_LABEL, IDC_ALARM_DELAY_LABEL,   IDC_ALARM_DELAY,
    IDC_ALARM_MESSAGE_SHOW,   IDC_ALARM_MESSAGE,
};
const int kAbsoluteControls[] = {IDC_ALARM_HOURS, IDC_ALARM_MINUTES, IDC_ALARM_HOURS_LABEL,
                                 IDC_ALARM_MINUTES_LABEL};
const int kRelativeControls[] = {IDC_ALARM_FROM_NOW_LABEL, IDC_ALARM_DELAY_LABEL, IDC_ALARM_DELAY};
const int kQuietControls[] = {IDC_ALARM_QUIET_FROM, IDC_ALARM_QUIET_FROM_LABEL, IDC_ALARM_QUIET_TO,
                              IDC_ALARM_QUIET_TO_LABEL};

// The delay runs from 1 to 60 minutes, as its label says: 0 would arm an alarm that never rings.
struct SpinTarget {
    int spin;
    int edit;
    int low;
    int high;
};
const SpinTarget kSpinTargets[] = {
    {IDC_ALARM_HOURS_SPIN, IDC_ALARM_HOURS, 0, 23},
    {IDC_ALARM_MINUTES_SPIN, IDC_ALARM_MINUTES, 0, 59},
    {IDC_ALARM_DELAY_SPIN, IDC_ALARM_DELAY, 1, 60},
    {IDC_ALARM_QUIET_FROM_SPIN, IDC_ALARM_QUIET_FROM, 0, 23},
    {IDC_ALARM_QUIET_TO_SPIN, IDC_ALARM_QUIET_TO, 0, 23},
    {IDC_ALARM_SNOOZE_SPIN, IDC_ALARM_SNOOZE, 1, 60},
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

// OK's reading of an edit: a number is clamped to low..high, anything else is low.
int ReadClampedNumber(HWND dialog, const SpinTarget& target) {
    BOOL translated = FALSE;
    UINT value = GetDlgItemInt(dialog, target.edit, &translated, FALSE);
    if (!translated || value < static_cast<UINT>(target.low))
        return target.low;
    return static_cast<int>(value > static_cast<UINT>(target.high) ? target.high : value);
}

// Whether a changed message may replace the file. A file the edit did not show whole is
// replaced only when the user says so; otherwise it stays as it is.
int MayReplaceMessage(HWND dialog, int messageRead, const wchar_t* path) {
    if (messageRead != kMessageCut && messageRead != kMessageUnreadable)
        return 1;
    wchar_t text[1024];
    wsprintfW(
        text,
        CWideText(messageRead == kMessageCut
                      ? "メッセージファイル「%s」は長すぎるか表示できない文字を含むため、先頭の"
                        "部分だけを表示していました。\n保存すると残りの部分は失われます。上書きしま"
                        "すか？\n"
                        "（「いいえ」ならファイルはそのまま残ります）"
                      : "メッセージファイル「%s」を読み込めなかったため、その内容を表示していません"
                        "でした。\n保存すると元の内容は失われます。上書きしますか？\n"
                        "（「いいえ」ならファイルはそのまま残ります）"),
        path);
    return MessageBoxW(dialog, text, CWideText(kProductTitle),
                       MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) == IDYES;
}

// Whether OK may go on with the message: a changed text that holds a character Shift-JIS lacks
// (an emoji, say) would reach CLOCK.dat as '?', so the dialog stays open for the user to mend it.
int MessageAccepted(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_ALARM_MESSAGE);
    if (!SendMessageW(edit, EM_GETMODIFY, 0, 0) || MessageStorable(edit))
        return 1;
    MessageBoxW(dialog,
                CWideText("メッセージに保存できない文字（絵文字など）が含まれています。\n"
                          "その文字を取り除いてから OK を押してください。"),
                CWideText(kProductTitle), MB_OK | MB_ICONWARNING);
    SetFocus(edit);
    return 0;
}
} // namespace

void AlarmSettingsDialog(HINSTANCE instance, HWND owner, AlarmConfirmFn confirm) {
    // The up-down controls of the template need their class before the dialog is built.
    InitCommonControlsFromSystem(ICC_UPDOWN_CLASS);
    AlarmDialogRun run = {confirm, kMessageMissing, L""};
    if (DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ALARM), owner, AlarmDlgProc,
                        reinterpret_cast<LPARAM>(&run)) == -1)
        MessageBoxW(nullptr, CWideText(kDialogInitFailedText), L"Error", MB_OK);
}

INT_PTR CALLBACK AlarmDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
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
    SetFocus(GetDlgItem(dialog, IDC_ALARM_OK));
    for (const SpinTarget& target : kSpinTargets)
        SendDlgItemMessageA(dialog, target.edit, EM_LIMITTEXT, 2, 0);
    // The load reads no more of the file than this.
    SendDlgItemMessageA(dialog, IDC_ALARM_MESSAGE, EM_LIMITTEXT, kMessageMaxChars, 0);

    AlarmSettings record;
    LoadAlarmSettings(&record);
    CheckDlgButton(dialog, IDC_ALARM_CHIME, static_cast<UINT>(record.ZIHOU));
    CheckDlgButton(dialog, IDC_ALARM_ENABLE, static_cast<UINT>(record.ALARM));
    CheckDlgButton(dialog, IDC_ALARM_MESSAGE_SHOW, static_cast<UINT>(record.MESSAGE));
    SetDlgItemInt(dialog, IDC_ALARM_HOURS, static_cast<UINT>(record.HOURS), FALSE);
    SetDlgItemInt(dialog, IDC_ALARM_MINUTES, static_cast<UINT>(record.MINUTES), FALSE);
    SetDlgItemInt(dialog, IDC_ALARM_DELAY, static_cast<UINT>(record.MINUTES2), FALSE);
    CheckDlgButton(dialog, IDC_ALARM_ABSOLUTE, record.ALARMTYPE == 0);
    CheckDlgButton(dialog, IDC_ALARM_RELATIVE, record.ALARMTYPE == 1);
    CheckDlgButton(dialog, IDC_ALARM_QUIET, static_cast<UINT>(record.QUIET));
    SetDlgItemInt(dialog, IDC_ALARM_QUIET_FROM, static_cast<UINT>(record.QUIETFROM), FALSE);
    SetDlgItemInt(dialog, IDC_ALARM_QUIET_TO, static_cast<UINT>(record.QUIETTO), FALSE);
    SetDlgItemInt(dialog, IDC_ALARM_SNOOZE, static_cast<UINT>(record.SNOOZE), FALSE);

    AlarmDialogRun* run = RunOf(dialog);
    FindMessageFile(run->messagePath);
    run->messageRead = LoadMessageFile(GetDlgItem(dialog, IDC_ALARM_MESSAGE), run->messagePath);
    SendCommand(dialog, IDC_ALARM_ENABLE);
    SendCommand(dialog, IDC_ALARM_MESSAGE_SHOW);
    SendCommand(dialog, IDC_ALARM_QUIET);
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
    case IDC_ALARM_QUIET:
        EnableControls(dialog, kQuietControls, IsChecked(dialog, IDC_ALARM_QUIET));
        break;
    case IDC_ALARM_OK:
        if (!MessageAccepted(dialog))
            break;
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
        if (value < target.low)
            value = target.low;
        if (value > target.high)
            value = target.high;
        SetDlgItemInt(dialog, target.edit, static_cast<UINT>(value), FALSE);
    }
    return 0;
}

void CommitAlarmDlg(HWND dialog, int accepted) {
    // Cancel saves nothing; edits of the message are discarded.
    if (!accepted)
        return;
    AlarmSettings record;
    LoadAlarmSettings(&record); // the dialog has no control for WAVE: it carries over
    record.ALARM = static_cast<int>(IsDlgButtonChecked(dialog, IDC_ALARM_ENABLE));
    record.ZIHOU = static_cast<int>(IsDlgButtonChecked(dialog, IDC_ALARM_CHIME));
    record.MESSAGE = static_cast<int>(IsDlgButtonChecked(dialog, IDC_ALARM_MESSAGE_SHOW));
    record.ALARMTYPE = IsDlgButtonChecked(dialog, IDC_ALARM_ABSOLUTE) == BST_CHECKED ? 0 : 1;
    record.HOURS = ReadClampedNumber(dialog, kSpinTargets[0]);
    record.MINUTES = ReadClampedNumber(dialog, kSpinTargets[1]);
    record.MINUTES2 = ReadClampedNumber(dialog, kSpinTargets[2]);
    record.QUIET = IsChecked(dialog, IDC_ALARM_QUIET);
    record.QUIETFROM = ReadClampedNumber(dialog, kSpinTargets[3]);
    record.QUIETTO = ReadClampedNumber(dialog, kSpinTargets[4]);
    record.SNOOZE = ReadClampedNumber(dialog, kSpinTargets[5]);
    SaveAlarmSettings(&record);
    // In force from this OK on, before any box below can keep the dialog waiting.
    AlarmDialogRun* run = RunOf(dialog);
    if (run->confirm != nullptr)
        run->confirm(&record);

    // The file is written only when the user changed the text.
    HWND edit = GetDlgItem(dialog, IDC_ALARM_MESSAGE);
    if (!SendMessageW(edit, EM_GETMODIFY, 0, 0) ||
        !MayReplaceMessage(dialog, run->messageRead, run->messagePath))
        return;
    // The old file is left as it was; the rest is saved, but the user must know the new message
    // is not, and where it could not be written (a folder under Program Files, say).
    if (!SaveMessageFile(edit, run->messagePath)) {
        wchar_t text[1024];
        wsprintfW(
            text,
            CWideText("メッセージを保存できませんでした。以前のメッセージが残っています。\n\n"
                      "保存先：%s\n\n"
                      "このフォルダーに書き込めないとき（Program Files の中など）は、clock.exe を "
                      "wave フォルダーといっしょに、書き込めるフォルダー（ドキュメントなど）へ"
                      "移してください。"),
            run->messagePath);
        MessageBoxW(dialog, text, CWideText(kProductTitle), MB_OK | MB_ICONWARNING);
    }
}
