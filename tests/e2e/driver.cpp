// A small helper that drives the running clock the way a user and Windows would: it finds the
// window by class name, sends commands and close requests, reads window state and the registry,
// and answers dialogs and message boxes. One action per run; results go to standard output.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const char kClass[] = "ポルカミーナ・アナログ時計";
const char kKeyPath[] = "Software\\quillory\\Vorimo\\Clock\\Clock1";

HWND Clock() {
    return FindWindowA(kClass, nullptr);
}

// Waits up to ms for pred() to return a non-null window.
template <class F> HWND WaitFor(F pred, int ms) {
    for (int waited = 0;; waited += 50) {
        HWND w = pred();
        if (w != nullptr || waited >= ms)
            return w;
        Sleep(50);
    }
}

struct FindDialog {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindDialogProc(HWND w, LPARAM lp) {
    FindDialog* f = reinterpret_cast<FindDialog*>(lp);
    char cls[64] = {}, text[512] = {};
    GetClassNameA(w, cls, sizeof(cls));
    GetWindowTextA(w, text, sizeof(text));
    if (strcmp(cls, "#32770") == 0 && IsWindowVisible(w) &&
        (f->caption[0] == '\0' || strcmp(text, f->caption) == 0)) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND Dialog(const char* caption) {
    FindDialog f = {caption, nullptr};
    EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

int Usage() {
    fprintf(stderr,
            "usage: clock_driver COMMAND [ARGS]\n"
            "  wait-window [ms]          wait for the clock window; prints its handle\n"
            "  wait-gone [ms]            wait until no clock window exists\n"
            "  command ID                post WM_COMMAND ID to the clock\n"
            "  close                     post the system close command (as Alt+F4)\n"
            "  rect                      print left top right bottom of the clock window\n"
            "  state                     print visible, topmost, foreground (0/1 each)\n"
            "  xid                       print the clock's X window id\n"
            "  lbutton X Y               post a left-button press and release at client X,Y\n"
            "  reg-get NAME              print the stored value or 'missing'\n"
            "  reg-set NAME VALUE        store a REG_DWORD value\n"
            "  reg-clear                 delete the clock's registry key tree\n"
            "  dialog CAPTION [ms]       wait for a dialog or message box; prints its handle\n"
            "  dialog-gone CAPTION [ms]  wait until that dialog is gone\n"
            "  dialog-text CAPTION       print the message box text (static 0xFFFF)\n"
            "  dialog-item CAPTION ID    print the text of control ID\n"
            "  dialog-command CAPTION ID post WM_COMMAND ID to the dialog\n"
            "  dialog-sysclose CAPTION   post the system close command to the dialog\n"
            "  dialog-set-text CAPTION ID TEXT  set the text of control ID\n"
            "  dialog-click CAPTION ID   click button ID (an auto button toggles and notifies)\n"
            "  dialog-checked CAPTION ID print the check state of button ID\n"
            "  foreground-of CAPTION     1 when that dialog is the foreground window\n"
            "  menu-rect [ms]            wait for an open pop-up menu; print its rectangle\n");
    return 2;
}

int Ms(int argc, char** argv, int index, int def) {
    return argc > index ? atoi(argv[index]) : def;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    std::string cmd = argv[1];
    if (cmd == "wait-window") {
        HWND w = WaitFor(
            [] {
                HWND c = Clock();
                return (c && IsWindowVisible(c)) ? c : nullptr;
            },
            Ms(argc, argv, 2, 20000));
        if (w == nullptr)
            return 1;
        printf("%p\n", static_cast<void*>(w));
        return 0;
    }
    if (cmd == "wait-gone") {
        int ms = Ms(argc, argv, 2, 20000);
        for (int waited = 0; Clock() != nullptr; waited += 50) {
            if (waited >= ms)
                return 1;
            Sleep(50);
        }
        return 0;
    }
    if (cmd == "reg-get" && argc >= 3) {
        HKEY key;
        DWORD value = 0, size = sizeof(value), type = 0;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            printf("missing\n");
            return 0;
        }
        LONG s =
            RegQueryValueExA(key, argv[2], nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        if (s != ERROR_SUCCESS)
            printf("missing\n");
        else
            printf("%d\n", static_cast<int>(value));
        return 0;
    }
    if (cmd == "reg-set" && argc >= 4) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return 1;
        DWORD value = static_cast<DWORD>(strtol(argv[3], nullptr, 10));
        LONG s = RegSetValueExA(key, argv[2], 0, REG_DWORD, reinterpret_cast<BYTE*>(&value),
                                sizeof(value));
        RegCloseKey(key);
        return s == ERROR_SUCCESS ? 0 : 1;
    }
    if (cmd == "reg-clear") {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
        return 0;
    }
    if (cmd.rfind("dialog", 0) == 0 || cmd == "foreground-of") {
        if (argc < 3)
            return Usage();
        const char* caption = argv[2];
        if (cmd == "dialog") {
            HWND d = WaitFor([&] { return Dialog(caption); }, Ms(argc, argv, 3, 20000));
            if (d == nullptr)
                return 1;
            printf("%p\n", static_cast<void*>(d));
            return 0;
        }
        if (cmd == "dialog-gone") {
            int ms = Ms(argc, argv, 3, 20000);
            for (int waited = 0; Dialog(caption) != nullptr; waited += 50) {
                if (waited >= ms)
                    return 1;
                Sleep(50);
            }
            return 0;
        }
        HWND d = Dialog(caption);
        if (d == nullptr) {
            fprintf(stderr, "no dialog\n");
            return 1;
        }
        if (cmd == "foreground-of") {
            printf("%d\n", GetForegroundWindow() == d ? 1 : 0);
            return 0;
        }
        if (cmd == "dialog-text" || (cmd == "dialog-item" && argc >= 4)) {
            int id = cmd == "dialog-text" ? 0xFFFF : atoi(argv[3]);
            char text[40000] = {};
            GetDlgItemTextA(d, id, text, sizeof(text));
            printf("%s\n", text);
            return 0;
        }
        if (cmd == "dialog-command" && argc >= 4) {
            PostMessageA(d, WM_COMMAND, MAKEWPARAM(atoi(argv[3]), BN_CLICKED), 0);
            return 0;
        }
        if (cmd == "dialog-set-text" && argc >= 5) {
            SetDlgItemTextA(d, atoi(argv[3]), argv[4]);
            return 0;
        }
        if (cmd == "dialog-click" && argc >= 4) {
            SendMessageA(GetDlgItem(d, atoi(argv[3])), BM_CLICK, 0, 0);
            return 0;
        }
        if (cmd == "dialog-checked" && argc >= 4) {
            printf("%u\n", IsDlgButtonChecked(d, atoi(argv[3])));
            return 0;
        }
        if (cmd == "dialog-sysclose") {
            PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        return Usage();
    }
    if (cmd == "menu-rect") {
        HWND menu = WaitFor(
            [] {
                HWND m = FindWindowA("#32768", nullptr);
                return (m && IsWindowVisible(m)) ? m : nullptr;
            },
            Ms(argc, argv, 2, 10000));
        if (menu == nullptr)
            return 1;
        RECT r;
        GetWindowRect(menu, &r);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    HWND w = Clock();
    if (w == nullptr) {
        fprintf(stderr, "no clock window\n");
        return 1;
    }
    if (cmd == "command" && argc >= 3) {
        PostMessageA(w, WM_COMMAND, MAKEWPARAM(atoi(argv[2]), 0), 0);
        return 0;
    }
    if (cmd == "close") {
        PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (cmd == "rect") {
        RECT r;
        GetWindowRect(w, &r);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == "state") {
        LONG_PTR ex = GetWindowLongPtrA(w, GWL_EXSTYLE);
        printf("%d %d %d\n", IsWindowVisible(w) ? 1 : 0, (ex & WS_EX_TOPMOST) ? 1 : 0,
               GetForegroundWindow() == w ? 1 : 0);
        return 0;
    }
    if (cmd == "xid") {
        printf("0x%lx\n", static_cast<unsigned long>(
                              reinterpret_cast<ULONG_PTR>(GetPropA(w, "__wine_x11_whole_window"))));
        return 0;
    }
    if (cmd == "lbutton" && argc >= 4) {
        LPARAM at = MAKELPARAM(atoi(argv[2]), atoi(argv[3]));
        PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(w, WM_LBUTTONUP, 0, at);
        return 0;
    }
    return Usage();
}
