#include "alarm/alarm_box.h"

#include <wchar.h>
#include <new>

#include "alarm/clock_state.h"
#include "alarm/dialog_support.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

void BoxLineBreaks(const char* text, char* out, size_t outSize) {
    size_t used = 0;
    for (size_t i = 0; text[i] != '\0';) {
        // A lead byte takes its trail byte along; neither CR nor LF is ever a trail byte.
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t width =
            ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && text[i + 1] != '\0' ? 2 : 1;
        const size_t bareLf = c == '\n' && (i == 0 || text[i - 1] != '\r') ? 1 : 0;
        if (used + bareLf + width >= outSize)
            break;
        if (bareLf)
            out[used++] = '\r';
        for (size_t k = 0; k < width; ++k)
            out[used++] = text[i++];
    }
    out[used] = '\0';
}

namespace {
struct AlarmBoxText {
    const wchar_t* silentSound;
    const char* text;
};

// The box's text: the line about a sound that cannot play and its path, then the Shift-JIS text.
void SetBoxText(HWND box, const AlarmBoxText* parts) {
    const CWideText text(parts->text);
    if (parts->silentSound == nullptr || parts->silentSound[0] == L'\0') {
        SetDlgItemTextW(box, IDC_ALARM_BOX_TEXT, text);
        return;
    }
    const CWideText silent("アラームの音声ファイルが見つからないか再生できません。");
    const size_t size = wcslen(silent) + wcslen(parts->silentSound) + wcslen(text) + 8;
    wchar_t* whole = new (std::nothrow) wchar_t[size];
    if (whole == nullptr) {
        SetDlgItemTextW(box, IDC_ALARM_BOX_TEXT, text);
        return;
    }
    wsprintfW(whole, text[0] != L'\0' ? L"%s\r\n%s\r\n\r\n" : L"%s\r\n%s",
              static_cast<const wchar_t*>(silent), parts->silentSound);
    wcscat(whole, text);
    SetDlgItemTextW(box, IDC_ALARM_BOX_TEXT, whole);
    delete[] whole;
}

INT_PTR CALLBACK AlarmBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowTextW(box, CWideText(kProductTitle));
        SetBoxText(box, reinterpret_cast<const AlarmBoxText*>(lParam));
        CenterWindow(box);
        // Nobody asked for this box: it must show over the window the user works in. Windows
        // lets a background program take the foreground only now and then, so topmost puts it
        // over every ordinary window all the same.
        SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(box);
        SetFocus(GetDlgItem(box, IDOK));
        return FALSE;
    }
    case WM_COMMAND:
        // Escape and the close box answer as OK does, as they did in the message box.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(box, IDOK);
        else if (LOWORD(wParam) == IDC_ALARM_BOX_SNOOZE)
            EndDialog(box, IDC_ALARM_BOX_SNOOZE);
        return TRUE;
    }
    return FALSE;
}
} // namespace

INT_PTR ShowAlarmBox(HINSTANCE instance, HWND owner, const wchar_t* silentSound, const char* text) {
    const AlarmBoxText parts = {silentSound, text};
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ALARM_BOX), owner, AlarmBoxProc,
                           reinterpret_cast<LPARAM>(&parts));
}
