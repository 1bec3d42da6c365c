#include "app/main_window.h"

#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "app/about_box.h"
#include "app/date_tip.h"
#include "app/full_screen.h"
#include "app/wake_timer.h"
#include "app/window_utils.h"
#include "face/face_painter.h"
#include "face/face_set.h"
#include "resources/resource.h"
#include "sound/wave_mix.h"

HMENU g_hMenu = nullptr;
HMENU g_hPopupMenu = nullptr;
HMENU g_hSizeMenu = nullptr;
UINT_PTR g_uTimerId = 0;

ATOM RegisterClockClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    // A context of its own: the timer paints through it without the system rebuilding one.
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_CLOCK));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = kProductTitle;
    return RegisterClassA(&wc);
}

// A borderless pop-up, created hidden; the face set gives it its size and shape.
HWND CreateClockWindow(HINSTANCE instance) {
    return CreateWindowExA(0, kProductTitle, kProductTitle, WS_POPUP | WS_SYSMENU, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           nullptr);
}

static void CheckSizeMenuItem(int size) {
    UncheckAllMenuItems(g_hSizeMenu);
    CheckMenuItem(g_hSizeMenu, static_cast<UINT>(size), MF_BYPOSITION | MF_CHECKED);
}

void OnCreate(HWND window) {
    g_hMainWnd = window;
    LoadWindowSettings(&g_WindowSettings);
    LoadAlarmSettings(&g_AlarmSettings);
    // A stored size we do not know shows, marks, sounds and saves as the small one.
    g_WindowSettings.SIZE = ValidSizeIndex(g_WindowSettings.SIZE);
    BuildFaceSet(window, g_WindowSettings.SIZE);
    SetWindowPos(window, HWND_TOP, g_WindowSettings.LEFT, g_WindowSettings.TOP, 0, 0, SWP_NOSIZE);
    // Saved on a monitor that is gone, or dragged off every screen: bring it back into view.
    KeepWindowReachable(window);
    // Resources load during creation with the null module, which means our own executable.
    g_hMenu = LoadMenuA(nullptr, MAKEINTRESOURCEA(IDR_MENU));
    g_hPopupMenu = GetSubMenu(g_hMenu, 0);
    g_hSizeMenu = GetSubMenu(g_hPopupMenu, kMenuPosSize);
    SetTopmost(window, g_WindowSettings.TOPMOST);
    if (g_WindowSettings.TOPMOST)
        ToggleMenuCheck(g_hPopupMenu, kMenuPosTopmost);
    if (g_WindowSettings.LOCK)
        ToggleMenuCheck(g_hPopupMenu, kMenuPosLock);
    CheckSizeMenuItem(g_WindowSettings.SIZE);
    CreateDateTip(window);
    g_dwAlarmBase = GetTickCount();
    g_uTimerId = SetTimer(window, kClockTimerId, kClockTimerMs, nullptr);
    ShowWindow(window, SW_SHOW);
}

// Position, size, topmost and lock reach the registry only here (and at the end of a session).
static void SaveWindowRecord() {
    RECT r;
    if (GetWindowRect(g_hMainWnd, &r)) {
        g_WindowSettings.LEFT = r.left;
        g_WindowSettings.TOP = r.top;
    }
    SaveWindowSettings(&g_WindowSettings);
}

void OnDestroy() {
    // Before anything else: a close request can arrive inside an alarm box, whose tick goes on
    // after this returns.
    g_bClockClosed = 1;
    KillTimer(g_hMainWnd, g_uTimerId);
    SaveWindowRecord();
    DeleteAlarmPlayer();
    DeleteChimePlayer();
    // The window region belongs to the window now and goes with it.
    DestroyMenu(g_hSizeMenu);
    DestroyMenu(g_hPopupMenu);
    DestroyMenu(g_hMenu);
    g_hSizeMenu = g_hPopupMenu = g_hMenu = nullptr;
    FreeFaceSet();
}

static int Sounding(const CWaveMix* player) {
    return player != nullptr && player->IsPlaying();
}

// Milliseconds until an armed relative alarm starts or ends, or kWakeNoEvent.
static int RelativeAlarmEventMs() {
    const AlarmSettings& a = g_AlarmSettings;
    if (a.ALARMTYPE != kAlarmRelative || a.ALARM == 0 || a.MINUTES2 <= 0)
        return kWakeNoEvent;
    const unsigned long long elapsed = GetTickCount() - g_dwAlarmBase;
    const unsigned long long start = static_cast<unsigned long long>(a.MINUTES2) * 60000;
    const unsigned long long event = elapsed < start           ? start - elapsed
                                     : elapsed < start + 60000 ? start + 60000 - elapsed
                                                               : 0;
    // Anything further off than the next second does not shorten the wait.
    return event == 0 ? kWakeNoEvent : event > 2000 ? 2000 : static_cast<int>(event);
}

// Seconds since midnight of the hands the window was last asked to show.
static int s_nShownSecond = -1;
// The period the clock timer runs with.
static int s_nArmedMs = kClockTimerMs;

// The alarm and the chime look at the time on every wake; the window repaints only what
// changed, and the timer is set for the next moment anything will.
static void OnClockTimer(HWND window) {
    AlarmTick();
    // The alarm box's loop may have seen the window destroyed.
    if (g_bClockClosed)
        return;
    ChimeTick();
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int second = (now.wHour * 60 + now.wMinute) * 60 + now.wSecond;
    const int large = g_WindowSettings.SIZE == kSizeLarge;
    // Painted here and now rather than through WM_PAINT: fewer round trips to the server.
    if (second != s_nShownSecond) {
        s_nShownSecond = second;
        PaintClockPart(window, nullptr, g_WindowSettings.SIZE);
        GiveWayToFullScreen(window, g_WindowSettings.TOPMOST);
    } else if (large) {
        PaintClockPart(window, &g_rcSwing, g_WindowSettings.SIZE);
    }
    // Strikes are counted and a ringing alarm is stopped on the eighth-second ticks. A relative
    // alarm that has disarmed itself keeps its ringing mark, but needs no ticks any more.
    const int ringing =
        g_bRinging && (g_AlarmSettings.ALARMTYPE == kAlarmAbsolute || g_AlarmSettings.ALARM != 0);
    const int fast = large || ringing || Sounding(g_pAlarmPlayer) || Sounding(g_pChimePlayer);
    // The timer repeats by itself: once it fires where it should, it is left alone.
    const int period = RearmMs(s_nArmedMs, fast, now.wMilliseconds, RelativeAlarmEventMs());
    if (period != 0) {
        g_uTimerId = SetTimer(window, kClockTimerId, static_cast<UINT>(period), nullptr);
        s_nArmedMs = period;
    }
}

void ChangeSize(int sizeIndex) {
    // The size has one writer: here (and the start-up check of the stored one).
    sizeIndex = ValidSizeIndex(sizeIndex);
    g_WindowSettings.SIZE = sizeIndex;
    BuildFaceSet(g_hMainWnd, sizeIndex);
    CheckSizeMenuItem(sizeIndex);
    // A size chosen during the first minute of an hour chimes again in its own sound.
    ResetChimeHour();
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDM_ALARM_SETTINGS:
        OnAlarmSettings(window);
        break;
    case IDM_ALARM_STOP:
        StopChime();
        StopAlarmSound();
        break;
    case IDM_SIZE_SMALL:
        ChangeSize(kSizeSmall);
        break;
    case IDM_SIZE_MEDIUM:
        ChangeSize(kSizeMedium);
        break;
    case IDM_SIZE_LARGE:
        ChangeSize(kSizeLarge);
        break;
    case IDM_TOPMOST:
    case IDM_TOPMOST_ALIAS:
        g_WindowSettings.TOPMOST = ToggleMenuCheck(g_hPopupMenu, kMenuPosTopmost);
        SetTopmost(window, g_WindowSettings.TOPMOST);
        break;
    case IDM_LOCK:
        g_WindowSettings.LOCK = ToggleMenuCheck(g_hPopupMenu, kMenuPosLock);
        break;
    case IDM_ABOUT:
        ShowAboutBox(g_hInstance, window);
        break;
    case IDM_EXIT:
        DestroyWindow(window);
        break;
    }
    return 0;
}

static void ShowPopupMenu(HWND window) {
    SetForegroundWindow(window);
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(g_hPopupMenu, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0,
                   window, nullptr);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_DESTROY:
        OnDestroy();
        PostQuitMessage(0);
        break;
    case WM_PAINT:
        PaintClock(window, g_WindowSettings.SIZE);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_COMMAND:
        OnCommand(window, wParam, lParam);
        break;
    case WM_TIMER:
        OnClockTimer(window);
        break;
    case WM_NOTIFY:
        OnDateTipNotify(lParam);
        break;
    case WM_DISPLAYCHANGE:
        KeepWindowReachable(window);
        break;
    case WM_LBUTTONDOWN:
        ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
        if (!g_WindowSettings.LOCK)
            return DefWindowProcA(window, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        break;
    case WM_RBUTTONDOWN:
        ShowPopupMenu(window);
        InvalidateRect(window, nullptr, FALSE);
        break;
    case WM_ENDSESSION:
        // Windows ends a session without destroying windows: keep what the user chose.
        if (wParam)
            SaveWindowRecord();
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
