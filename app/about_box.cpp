#include "app/about_box.h"

#include "alarm/dialog_support.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

void ShowAboutBox(HINSTANCE instance, HWND owner) {
    if (DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDlgProc, 0) == -1)
        MessageBoxW(nullptr, CWideText(kDialogInitFailedText), L"Error", MB_OK);
}

// Only OK and the system close command end the box; Escape (IDCANCEL) does not.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CenterWindow(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_OK)
            EndDialog(dialog, 0);
        return FALSE;
    case WM_SYSCOMMAND:
        if (wParam == SC_CLOSE)
            EndDialog(dialog, 0);
        return FALSE;
    }
    return FALSE;
}
