// Drives the running clock the way a user and Windows would. The arguments are a sequence of
// steps run in order on the current target (the clock, or the last dialog found); results go to
// standard output, one line per query. The exit code is 1 at the first step that fails.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
const char kClass[] = "ポルカミーナ・アナログ時計";
const char kKeyPath[] = "Software\\quillory\\Vorimo\\Clock\\Clock1";

// The visible window a step looks for: the clock, a pop-up menu, or a dialog by its caption.
HWND Lookup(const std::string& what) {
    HWND w = what == "clock"  ? FindWindowA(kClass, nullptr)
             : what == "menu" ? FindWindowA("#32768", nullptr)
                              : FindWindowA("#32770", what.c_str());
    return (w && IsWindowVisible(w)) ? w : nullptr;
}

// Waits up to ms for the window to be there (present) or gone (!present).
HWND WaitFor(const std::string& what, int ms, bool present) {
    for (int waited = 0;; waited += 50) {
        HWND w = Lookup(what);
        if ((w != nullptr) == present || waited >= ms)
            return w;
        Sleep(50);
    }
}

// Reading never creates the key: the clock gives it its class when it first saves.
HKEY OpenKey(bool create) {
    HKEY key = nullptr;
    if (!create)
        RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key);
    else
        RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
    return key;
}

// The tooltip of the process that is showing, or nullptr.
HWND ShownTip(DWORD process) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "tooltips_class32", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == process && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

// Sleeps for ms while the driver's own window (the cover) answers its messages.
void Pump(int ms) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    Sleep(static_cast<DWORD>(ms));
}
} // namespace

int main(int argc, char** argv) {
    HWND target = nullptr;
    HWND cover = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string step = argv[i];
        auto arg = [&]() -> const char* { return i + 1 < argc ? argv[++i] : ""; };
        if (step == "find") { // find WHAT MS: clock, menu or a dialog caption becomes the target
            std::string what = arg();
            target = WaitFor(what, atoi(arg()), true);
            if (target == nullptr)
                return 1;
        } else if (step == "gone") { // gone WHAT MS
            std::string what = arg();
            if (WaitFor(what, atoi(arg()), false) != nullptr)
                return 1;
        } else if (step == "reg-set") { // reg-set NAME=VALUE...: a fresh store with these values
            RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
            HKEY key = i + 1 < argc ? OpenKey(true) : nullptr;
            for (; i + 1 < argc; ++i) {
                std::string kv = argv[i + 1];
                DWORD value = static_cast<DWORD>(atol(kv.c_str() + kv.find('=') + 1));
                RegSetValueExA(key, kv.substr(0, kv.find('=')).c_str(), 0, REG_DWORD,
                               reinterpret_cast<BYTE*>(&value), sizeof(value));
            }
            RegCloseKey(key);
        } else if (step == "reg-get") { // reg-get NAME...: prints NAME=VALUE, '-' when missing
            HKEY key = OpenKey(false);
            for (; i + 1 < argc; ++i) {
                DWORD value = 0, size = sizeof(value);
                bool ok = RegQueryValueExA(key, argv[i + 1], nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(&value), &size) == 0;
                std::string shown = ok ? std::to_string(static_cast<int>(value)) : "-";
                printf("%s=%s%s", argv[i + 1], shown.c_str(), i + 2 < argc ? " " : "\n");
            }
            RegCloseKey(key);
        } else if (step == "size") { // size PATH BYTES: waits (at most 30 s) for a file to grow
            std::string path = arg();
            long long want = atoll(arg());
            WIN32_FILE_ATTRIBUTE_DATA a = {};
            for (int waited = 0; waited < 30000; waited += 5, Sleep(5)) {
                if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a) &&
                    ((static_cast<long long>(a.nFileSizeHigh) << 32) | a.nFileSizeLow) >= want)
                    break;
            }
        } else if (step == "desktop") { // prints the desktop's width once it has one
            RECT r = {};
            GetWindowRect(GetDesktopWindow(), &r);
            printf("%ld\n", r.right - r.left);
        } else if (step == "sleep") { // sleep MS
            Sleep(static_cast<DWORD>(atol(arg())));
        } else if (target == nullptr) {
            fprintf(stderr, "driver: '%s' needs a target\n", step.c_str());
            return 1;
        } else if (step == "cmd") { // cmd ID: WM_COMMAND, as a menu choice or a button
            PostMessageA(target, WM_COMMAND, MAKEWPARAM(atoi(arg()), 0), 0);
        } else if (step == "kill") { // ends the target's process without a chance to save
            DWORD pid = 0;
            GetWindowThreadProcessId(target, &pid);
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            TerminateProcess(process, 9);
            WaitForSingleObject(process, 10000);
            CloseHandle(process);
        } else if (step == "close") { // the system close command (Alt+F4, the close box)
            PostMessageA(target, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (step == "endsession") { // endsession 0|1: the system ends (or not) a session
            SendMessageA(target, WM_ENDSESSION, atoi(arg()), 0);
        } else if (step == "rect") {
            RECT r;
            GetWindowRect(target, &r);
            printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        } else if (step == "state") { // topmost, foreground
            printf("%d %d\n", (GetWindowLongPtrA(target, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0,
                   GetForegroundWindow() == target ? 1 : 0);
        } else if (step == "xid") {
            printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(
                                   GetPropA(target, "__wine_x11_whole_window"))));
        } else if (step == "text") { // text ID: a control's text (0xFFFF: a message box's)
            char text[4096] = {};
            GetDlgItemTextA(target, static_cast<int>(strtol(arg(), nullptr, 0)), text,
                            sizeof(text));
            printf("%s\n", text);
        } else if (step == "set") { // set ID TEXT
            int id = atoi(arg());
            SetDlgItemTextA(target, id, arg());
        } else if (step == "click") { // click ID: an auto button toggles and notifies
            SendMessageA(GetDlgItem(target, atoi(arg())), BM_CLICK, 0, 0);
        } else if (step == "checked") {
            printf("%u\n", IsDlgButtonChecked(target, atoi(arg())));
        } else if (step == "tip") { // tip MS: the text of the target's tooltip once shown ('-')
            DWORD process = 0;
            GetWindowThreadProcessId(target, &process);
            const int ms = atoi(arg());
            HWND tip = ShownTip(process);
            for (int waited = 0; tip == nullptr && waited < ms; waited += 50, Sleep(50))
                tip = ShownTip(process);
            char text[256] = "-";
            if (tip != nullptr)
                SendMessageTimeoutA(tip, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                                    SMTO_BLOCK, 5000, nullptr);
            printf("%s\n", text);
        } else if (step == "cover") { // cover INSET: a borderless window over the screen but its
                                      // right INSET pixels, brought to the front
            if (cover == nullptr)
                cover = CreateWindowExA(0, "STATIC", "cover", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, nullptr, nullptr);
            SetWindowPos(cover, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN) - atoi(arg()),
                         GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW);
            SetForegroundWindow(cover);
            Pump(0);
        } else if (step == "uncover") {
            DestroyWindow(cover);
            cover = nullptr;
        } else if (step == "topmost") { // topmost V MS: waits for the target's topmost style to
                                        // be V; prints it and whether the target is over the
                                        // cover ('-': no cover)
            const int want = atoi(arg()), ms = atoi(arg());
            int topmost = -1;
            for (int waited = 0;; waited += 50, Pump(50)) {
                topmost = (GetWindowLongPtrA(target, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
                if (topmost == want || waited >= ms)
                    break;
            }
            const char* over = cover == nullptr ? "-" : "0";
            for (HWND w = GetWindow(target, GW_HWNDNEXT); w && cover; w = GetWindow(w, GW_HWNDNEXT))
                over = w == cover ? "1" : over;
            printf("%d %s\n", topmost, over);
        } else {
            fprintf(stderr, "driver: unknown step '%s'\n", step.c_str());
            return 2;
        }
    }
    return 0;
}
