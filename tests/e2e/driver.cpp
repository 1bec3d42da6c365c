// Drives the running clock the way a user and Windows would. The arguments are a sequence of
// steps run in order on the current target (the clock, or the last dialog found); results go to
// standard output, one line per query. The exit code is 1 at the first step that fails.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "face/face_painter.h"
#include "face/face_set.h"
#include "imaging/dib.h"

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

// The local time of day in ms: the clock's own, when the driver runs under its faketime setting.
long long NowMs() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ((t.wHour * 60LL + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

// What the screen shows of the clock against the frames the painter composes for a size. Only
// the pixels inside the dial's outline count; each picture is known by a hash of them.
class CScreenWatch {
  public:
    explicit CScreenWatch(int size) : m_nSize(size) {
        BuildFaceSet(nullptr, size);
        SetHandGeometry(g_HandGeometry, size);
        m_nWidth = g_pCanvas->GetWidth();
        m_nHeight = g_pCanvas->GetHeight();
        m_inside.assign(static_cast<size_t>(m_nWidth * m_nHeight), 0);
        DWORD bytes = GetRegionData(g_hWindowRegion, 0, nullptr);
        std::vector<char> data(bytes);
        RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
        if (bytes == 0 || GetRegionData(g_hWindowRegion, bytes, region) == 0)
            return;
        const RECT* rects = reinterpret_cast<const RECT*>(region->Buffer);
        for (DWORD i = 0; i < region->rdh.nCount; ++i) {
            for (LONG y = rects[i].top; y < rects[i].bottom && y < m_nHeight; ++y) {
                for (LONG x = rects[i].left; x < rects[i].right && x < m_nWidth; ++x)
                    m_inside[static_cast<size_t>(y * m_nWidth + x)] = 1;
            }
        }
        BITMAPINFO info = {};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), m_nWidth, -m_nHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_hShot = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                   reinterpret_cast<void**>(&m_pShot), nullptr, 0);
    }
    ~CScreenWatch() {
        DeleteObject(m_hShot);
        FreeFaceSet();
    }
    CScreenWatch(const CScreenWatch&) = delete;
    CScreenWatch& operator=(const CScreenWatch&) = delete;

    // Copies what the screen shows where the window lies: the screen's context reads the X
    // server's pixels. 0 when the window does not have the size's dimensions.
    int Grab(HWND window) {
        RECT r;
        if (m_hShot == nullptr || !GetWindowRect(window, &r) || r.right - r.left != m_nWidth ||
            r.bottom - r.top != m_nHeight)
            return 0;
        HDC screen = GetDC(nullptr);
        HDC shot = CreateCompatibleDC(screen);
        HGDIOBJ previous = SelectObject(shot, m_hShot);
        BitBlt(shot, 0, 0, m_nWidth, m_nHeight, screen, r.left, r.top, SRCCOPY);
        SelectObject(shot, previous);
        DeleteDC(shot);
        ReleaseDC(nullptr, screen);
        return 1;
    }
    unsigned long long ShotHash() const { return Hash(m_pShot); }

    // The pendulum's frame (0 without one) in the frame the painter composes for the second (of
    // the day) whose hash this is, or -1 when it composes none such for that second.
    int Frame(long long second, unsigned long long hash) {
        if (m_composed[second]++ == 0) {
            for (int pos = 0; pos < (m_nSize == kSizeLarge ? 8 : 1); ++pos) {
                const SYSTEMTIME t = {2026,
                                      12,
                                      1,
                                      7,
                                      static_cast<WORD>(second / 3600 % 24),
                                      static_cast<WORD>(second / 60 % 60),
                                      static_cast<WORD>(second % 60),
                                      0};
                g_nAnimationPos = pos;
                ComposeFrame(m_nSize, &t);
                const DWORD* canvas = reinterpret_cast<const DWORD*>(g_pCanvas->GetRow(0));
                m_frames[{second, Hash(canvas)}] = kAnimationSequence[pos];
            }
        }
        auto found = m_frames.find({second, hash});
        return found == m_frames.end() ? -1 : found->second;
    }

  private:
    unsigned long long Hash(const DWORD* pixels) const { // FNV-1a over the colours inside
        unsigned long long hash = 14695981039346656037ull;
        for (size_t i = 0; i < m_inside.size(); ++i)
            hash = m_inside[i] ? (hash ^ (pixels[i] & 0xffffff)) * 1099511628211ull : hash;
        return hash;
    }
    int m_nSize, m_nWidth = 0, m_nHeight = 0;
    std::vector<char> m_inside;
    HBITMAP m_hShot = nullptr;
    DWORD* m_pShot = nullptr;
    std::map<long long, int> m_composed;
    std::map<std::pair<long long, unsigned long long>, int> m_frames;
};

// Samples the window's pictures for ms and prints "PICTURES UNKNOWN LATE SWING": how many
// pictures followed each other on the screen, how many of them the painter composes for neither
// the second then current nor the one before, the longest a picture stayed after its second had
// ended (ms), and the pendulum's frames in the order they showed ('-' without a pendulum).
void Watch(HWND window, int size, int ms) {
    CScreenWatch watch(size);
    int pictures = 0, unknown = 0;
    long long late = 0, shownSecond = -1, lastSeen = 0;
    unsigned long long previous = 0;
    std::string swing;
    for (const long long end = NowMs() + ms; NowMs() < end;) {
        const long long before = NowMs();
        const int grabbed = watch.Grab(window);
        const long long after = NowMs();
        const unsigned long long hash = grabbed ? watch.ShotHash() : 0;
        if (pictures > 0 && hash == previous) {
            lastSeen = before;
            continue;
        }
        if (shownSecond >= 0 && lastSeen - (shownSecond + 1) * 1000 > late)
            late = lastSeen - (shownSecond + 1) * 1000;
        ++pictures;
        previous = hash;
        lastSeen = before;
        shownSecond = -1;
        for (long long second = after / 1000; shownSecond < 0 && second >= after / 1000 - 1;
             --second) {
            const int frame = grabbed ? watch.Frame(second, hash) : -1;
            if (frame >= 0) {
                shownSecond = second;
                swing += size == kSizeLarge ? static_cast<char>('0' + frame) : '-';
            }
        }
        if (shownSecond < 0) {
            ++unknown;
            swing += '?';
            fprintf(stderr, "driver: at %lld ms of the day the window shows no frame of size %d\n",
                    before, size);
        }
    }
    if (shownSecond >= 0 && lastSeen - (shownSecond + 1) * 1000 > late)
        late = lastSeen - (shownSecond + 1) * 1000;
    printf("%d %d %lld %s\n", pictures, unknown, late, swing.c_str());
}
} // namespace

int main(int argc, char** argv) {
    HWND target = nullptr;
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
        } else if (step == "turn") { // turn MS: waits for the next turn of the second, then MS
            const long long turn = (NowMs() / 1000 + 1) * 1000 + atoi(arg());
            while (NowMs() < turn)
                Sleep(1);
        } else if (step == "watch") { // watch SIZE MS: see Watch
            const int size = atoi(arg());
            Watch(target, size, atoi(arg()));
        } else {
            fprintf(stderr, "driver: unknown step '%s'\n", step.c_str());
            return 2;
        }
    }
    return 0;
}
