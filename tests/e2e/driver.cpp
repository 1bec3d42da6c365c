// Drives the running clock the way a user and Windows would. The arguments are a sequence of
// steps run in order on the current target (the clock, or the last dialog found); results go to
// standard output, one line per query. The exit code is 1 at the first step that fails. Text goes
// in and out as UTF-8, through wide calls, whatever the system's code page.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/display_scale.h"
#include "face/face_painter.h"
#include "face/face_set.h"
#include "imaging/dib.h"
#include "imaging/gdi_scope.h"

namespace {
const wchar_t kClass[] = L"ポルカミーナ・アナログ時計";
const char kKeyPath[] = "Software\\quillory\\Vorimo\\Clock\\Clock1";

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], wide.size()) - 1);
    return wide;
}

std::string Utf8(const wchar_t* wide) {
    std::string utf8(4 * wcslen(wide) + 1, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], utf8.size(), nullptr, nullptr) -
                1);
    return utf8;
}

// The visible window a step looks for: the clock, a pop-up menu, or a dialog by its caption.
HWND Lookup(const std::string& what) {
    HWND w = what == "clock"  ? FindWindowW(kClass, nullptr)
             : what == "menu" ? FindWindowW(L"#32768", nullptr)
                              : FindWindowW(L"#32770", Wide(what).c_str());
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

// NAME=VALUE: a REG_DWORD (values of other types are the settings unit test's).
void SetValue(HKEY key, const std::string& kv) {
    const DWORD number = static_cast<DWORD>(atol(kv.substr(kv.find('=') + 1).c_str()));
    RegSetValueExA(key, kv.substr(0, kv.find('=')).c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&number), sizeof(number));
}

// The local time of day in ms: the clock's own, when the driver runs under its faketime setting.
long long NowMs() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ((t.wHour * 60LL + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

// Samples the screen where the window lies for ms against the frames the painter composes for
// size at the window's scale (a picture is a hash of the pixels inside the outline); prints
// "PICTURES UNKNOWN LATE SEEN SWING": pictures in a row, those of neither the current second nor
// the one before, the longest a picture outstayed its second (ms), the ms looked at closely
// enough to miss no picture, and the pendulum's frames in order ('-': none; '.': looked away).
void Watch(HWND window, int size, int ms) {
    BuildFaceSet(nullptr, size, WindowDpi(window));
    const int width = g_pCanvas->GetWidth(), height = g_pCanvas->GetHeight();
    // The window's own outline; without one (or with hardly any) every picture would match.
    HRGN outline = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, outline);
    std::vector<char> inside;
    for (int i = 0; i < width * height; ++i)
        inside.push_back(PtInRegion(outline, i % width, i / width) ? 1 : 0);
    DeleteObject(outline);
    const int outlined = std::count(inside.begin(), inside.end(), 1) * 2 > width * height;
    auto hash = [&inside](const DWORD* pixels) { // FNV-1a over the colours inside
        unsigned long long h = 14695981039346656037ull;
        for (size_t i = 0; i < inside.size(); ++i)
            h = inside[i] ? (h ^ (pixels[i] & 0xffffff)) * 1099511628211ull : h;
        return h;
    };
    // The frames composed so far, by second and hash: the pendulum's frame in each.
    std::map<std::pair<long long, unsigned long long>, int> frames;
    std::set<long long> composed;
    auto frameOf = [&](long long second, unsigned long long h) {
        if (composed.insert(second).second) {
            SYSTEMTIME t = {2026, 12, 1, 7, 0, 0, 0, 0};
            t.wHour = static_cast<WORD>(second / 3600 % 24);
            t.wMinute = static_cast<WORD>(second / 60 % 60);
            t.wSecond = static_cast<WORD>(second % 60);
            for (int pos = 0; pos < (size == kSizeLarge ? 8 : 1); ++pos) {
                g_nAnimationPos = pos;
                ComposeFrame(size, &t);
                frames[{second, hash(reinterpret_cast<const DWORD*>(g_pCanvas->GetRow(0)))}] =
                    kAnimationSequence[pos];
            }
        }
        auto found = frames.find({second, h});
        return found == frames.end() ? -1 : found->second;
    };
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                       {}};
    DWORD* shot = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                      reinterpret_cast<void**>(&shot), nullptr, 0);
    HDC screen = GetDC(nullptr); // its pixels are the X server's
    int pictures = 0, unknown = 0;
    long long late = 0, shownSecond = -1, lastSeen = 0, looked = -1, blind = 0;
    unsigned long long previous = 0;
    std::string swing;
    // The picture that goes (or stays to the end) was last seen this long after its second.
    auto lateness = [&]() {
        if (shownSecond >= 0 && lastSeen - (shownSecond + 1) * 1000 > late)
            late = lastSeen - (shownSecond + 1) * 1000;
    };
    // Sleeping between looks keeps the driver from starving the clock, and its own turn on the
    // processor from coming late.
    for (const long long end = NowMs() + ms; NowMs() < end; Sleep(5)) {
        RECT r;
        GetWindowRect(window, &r);
        const long long before = NowMs();
        CMemoryDC shotDC(bitmap, screen);
        BitBlt(shotDC.Get(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        const long long after = NowMs();
        // A window of another size or without its outline shows no frame of this one.
        const unsigned long long h =
            outlined && r.right - r.left == width && r.bottom - r.top == height ? hash(shot) : 0;
        // Longer than this between two looks, a picture may have come and gone unseen: the
        // swing breaks off there, and the picture still shown begins its next run.
        if (looked >= 0 && before - looked > 40) {
            blind += before - looked;
            swing += h == previous ? std::string(".") + swing.back() : ".";
        }
        looked = before;
        if (pictures > 0 && h == previous) {
            lastSeen = before;
            continue;
        }
        lateness();
        ++pictures;
        previous = h;
        lastSeen = before;
        shownSecond = -1;
        for (long long s = after / 1000; shownSecond < 0 && s >= after / 1000 - 1; --s) {
            const int frame = frameOf(s, h);
            shownSecond = frame >= 0 ? s : -1;
            swing += frame < 0 ? "" : size == kSizeLarge ? std::to_string(frame) : "-";
        }
        if (shownSecond < 0) {
            ++unknown;
            swing += '?';
            fprintf(stderr, "driver: at %lld ms of the day the window shows no frame of size %d\n",
                    before, size);
        }
    }
    lateness();
    printf("%d %d %lld %lld %s\n", pictures, unknown, late, ms - blind, swing.c_str());
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    FreeFaceSet();
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

int main() {
    // Every rectangle in the screen's own pixels, as X and the per-monitor aware clock see them;
    // a Wine that scales programs which are not aware would otherwise show the driver its own.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    int argc = 0;
    wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> argv;
    for (int i = 0; i < argc; ++i)
        argv.push_back(Utf8(wideArgs[i]));
    HWND target = nullptr;
    HWND cover = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string step = argv[i];
        auto arg = [&]() -> const char* { return i + 1 < argc ? argv[++i].c_str() : ""; };
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
            HKEY key = nullptr; // none without values: the clock gives it its class when it saves
            if (i + 1 < argc)
                RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key, nullptr);
            for (; i + 1 < argc; ++i)
                SetValue(key, argv[i + 1]);
            RegCloseKey(key);
        } else if (step == "reg-get") { // reg-get NAME...: prints NAME=VALUE, '-' when missing
            HKEY key = nullptr;
            RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key);
            for (; i + 1 < argc; ++i) {
                DWORD value = 0, size = sizeof(value);
                bool ok = RegQueryValueExA(key, argv[i + 1].c_str(), nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(&value), &size) == 0;
                std::string shown = ok ? std::to_string(static_cast<int>(value)) : "-";
                printf("%s=%s%s", argv[i + 1].c_str(), shown.c_str(), i + 2 < argc ? " " : "\n");
            }
            RegCloseKey(key);
        } else if (step == "size") { // size PATH BYTES: waits (at most 30 s) for a file to grow
            std::string path = arg();
            long long want = atoll(arg());
            WIN32_FILE_ATTRIBUTE_DATA a = {};
            for (int waited = 0; waited < 30000; waited += 5, Sleep(5)) {
                if (GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &a) &&
                    ((static_cast<long long>(a.nFileSizeHigh) << 32) | a.nFileSizeLow) >= want)
                    break;
            }
        } else if (step == "desktop") { // prints the desktop's width once it has one
            RECT r = {};
            GetWindowRect(GetDesktopWindow(), &r);
            printf("%ld\n", r.right - r.left);
        } else if (step == "sleep") { // sleep MS
            Sleep(static_cast<DWORD>(atol(arg())));
        } else if (step == "face") { // face SIZE DPI: the window size of that face set
            const int size = atoi(arg());
            BuildFaceSet(nullptr, size, atoi(arg()));
            printf("%dx%d\n", g_pCanvas->GetWidth(), g_pCanvas->GetHeight());
            FreeFaceSet();
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
        } else if (step == "session") { // session N: the session notice N (7 locked, 8 unlocked)
            SendMessageA(target, WM_WTSSESSION_CHANGE, atoi(arg()), 0);
        } else if (step == "screen") { // a hash of what the screen shows where the target lies
            RECT r;
            GetWindowRect(target, &r);
            CDIB shot;
            shot.Create(r.right - r.left, r.bottom - r.top, 32, 1);
            HDC screen = GetDC(nullptr);
            CMemoryDC shotDC(shot.GetBitmap(), screen);
            BitBlt(shotDC.Get(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top,
                   SRCCOPY);
            ReleaseDC(nullptr, screen);
            unsigned hash = 2166136261u; // FNV-1a
            for (int i = 0; i < 4 * (r.right - r.left) * (r.bottom - r.top); ++i)
                hash = (hash ^ shot.GetRow(0)[i]) * 16777619u;
            printf("%08x\n", hash);
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
            wchar_t text[4096] = {};
            GetDlgItemTextW(target, static_cast<int>(strtol(arg(), nullptr, 0)), text, 4096);
            printf("%s\n", Utf8(text).c_str());
        } else if (step == "set") { // set ID TEXT
            int id = atoi(arg());
            SetDlgItemTextW(target, id, Wide(arg()).c_str());
        } else if (step == "click") { // click ID: an auto button toggles and notifies
            SendMessageA(GetDlgItem(target, atoi(arg())), BM_CLICK, 0, 0);
        } else if (step == "checked") {
            printf("%u\n", IsDlgButtonChecked(target, atoi(arg())));
        } else if (step == "turn") { // turn MS: waits for the next turn of the second, then MS
            const long long turn = (NowMs() / 1000 + 1) * 1000 + atoi(arg());
            while (NowMs() < turn)
                Sleep(1);
        } else if (step == "move") { // move X Y: puts the target's top-left corner there
            const int x = atoi(arg());
            SetWindowPos(target, nullptr, x, atoi(arg()), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (step == "watch") { // watch SIZE MS: see Watch
            const int size = atoi(arg());
            Watch(target, size, atoi(arg()));
        } else if (step == "type") { // type ID TEXT: the user replaces an edit's whole text
            HWND edit = GetDlgItem(target, atoi(arg()));
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(arg()).c_str()));
        } else if (step == "hold") { // hold PATH: the file stays open, unshared, until the end
            if (CreateFileW(Wide(arg()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr) == INVALID_HANDLE_VALUE)
                return 1;
        } else if (step == "tip") { // tip MS: the text of the target's tooltip once shown ('-')
            DWORD process = 0;
            GetWindowThreadProcessId(target, &process);
            const int ms = atoi(arg());
            HWND tip = ShownTip(process);
            for (int waited = 0; tip == nullptr && waited < ms; waited += 50, Sleep(50))
                tip = ShownTip(process);
            wchar_t text[256] = L"-";
            if (tip != nullptr)
                SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                                    SMTO_BLOCK, 5000, nullptr);
            printf("%s\n", Utf8(text).c_str());
        } else if (step == "cover" || step == "maximize" || step == "frame") {
            // cover INSET: a borderless window over the screen but its right INSET pixels;
            // maximize: a titled one maximized; frame: a titled one, not maximized, whose frame
            // (not its client area) covers the screen. To the front, in place of the last one.
            const DWORD style = step == "cover" ? WS_POPUP : WS_OVERLAPPEDWINDOW;
            if (cover != nullptr)
                DestroyWindow(cover);
            cover = CreateWindowExA(0, "STATIC", step.c_str(), style, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
            if (step == "maximize")
                ShowWindow(cover, SW_MAXIMIZE);
            else
                SetWindowPos(cover, HWND_TOP, 0, 0,
                             GetSystemMetrics(SM_CXSCREEN) - (step == "cover" ? atoi(arg()) : 0),
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
        } else if (step == "notice") { // notice MSG WPARAM MS: a message sent as Windows sends
                                       // its notices; fails unless answered within MS (0 0 MS:
                                       // the target's thread handles messages)
            const UINT msg = static_cast<UINT>(atoi(arg()));
            const WPARAM wParam = static_cast<WPARAM>(atoi(arg()));
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(target, msg, wParam, 0, SMTO_NORMAL, atoi(arg()), &result))
                return 1;
        } else if (step == "dpi") { // dpi DPI X Y: the target's monitor now has DPI dots per
                                    // inch; Windows suggests X,Y for its top-left corner
            const WORD dpi = static_cast<WORD>(atoi(arg()));
            const int x = atoi(arg()), y = atoi(arg());
            RECT suggested; // the clock takes the corner alone
            GetWindowRect(target, &suggested);
            OffsetRect(&suggested, x - suggested.left, y - suggested.top);
            // Windows hands this message's rectangle to no other process: it goes to the clock's.
            DWORD pid = 0;
            GetWindowThreadProcessId(target, &pid);
            HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
            void* there =
                VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
            if (!WriteProcessMemory(process, there, &suggested, sizeof(RECT), nullptr))
                return 1;
            SendMessageA(target, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(there));
            VirtualFreeEx(process, there, 0, MEM_RELEASE);
            CloseHandle(process);
        } else if (step == "scale") { // the dots per inch the target's window is drawn for
            printf("%u\n", GetDpiForWindow(target));
        } else if (step == "title") { // the target's window text
            wchar_t text[256] = {};
            GetWindowTextW(target, text, 256);
            printf("%s\n", Utf8(text).c_str());
        } else if (step == "reg-run") { // the Run value PolkaminaClock ('-' when missing)
            wchar_t text[1024] = L"-";
            DWORD size = sizeof(text);
            const LONG status = RegGetValueW(
                HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                L"PolkaminaClock", RRF_RT_REG_SZ, nullptr, text, &size);
            printf("%s\n", status == 0 ? Utf8(text).c_str() : "-");
        } else {
            fprintf(stderr, "driver: unknown step '%s'\n", step.c_str());
            return 2;
        }
    }
    return 0;
}
