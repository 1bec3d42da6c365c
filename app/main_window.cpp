#include "app/main_window.h"

#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "app/about_box.h"
#include "app/date_tip.h"
#include "app/display_scale.h"
#include "app/full_screen.h"
#include "app/logon_start.h"
#include "app/visibility.h"
#include "app/wake_timer.h"
#include "app/window_utils.h"
#include "face/face_painter.h"
#include "face/face_set.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

HMENU g_hMenu = nullptr;
HMENU g_hPopupMenu = nullptr;
HMENU g_hSizeMenu = nullptr;
UINT_PTR g_uTimerId = 0;

// A Unicode window: its title, its tooltip's text and its boxes are wide text.
ATOM RegisterClockClass(HINSTANCE instance) {
    CWideText title(kProductTitle);
    WNDCLASSW wc = {};
    // A context of its own: the timer paints through it without the system rebuilding one.
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_CLOCK));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = title;
    return RegisterClassW(&wc);
}

// A borderless pop-up, created hidden; the face set gives it its size and shape.
HWND CreateClockWindow(HINSTANCE instance) {
    CWideText title(kProductTitle);
    return CreateWindowExW(0, title, title, WS_POPUP | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

static void CheckSizeMenuItem(int size) {
    UncheckAllMenuItems(g_hSizeMenu);
    CheckMenuItem(g_hSizeMenu, static_cast<UINT>(size), MF_BYPOSITION | MF_CHECKED);
}

// The mark of "Windows の起動時に開始" shows what the Run value holds now: another program, or a
// copy of the clock elsewhere, may have changed it.
static void ShowLogonStartMark() {
    CheckMenuItem(g_hPopupMenu, kMenuPosLogonStart,
                  MF_BYPOSITION | (LogonStartIsOn() ? MF_CHECKED : MF_UNCHECKED));
}

// Choosing the item turns starting with Windows off when it is marked, else on.
static void ToggleLogonStart(HWND window) {
    const int on = !(GetMenuState(g_hPopupMenu, kMenuPosLogonStart, MF_BYPOSITION) & MF_CHECKED);
    if (!SetLogonStart(on))
        MessageBoxW(window,
                    CWideText(on ? "Windows の起動時に開始するよう登録できませんでした。"
                                 : "Windows の起動時に開始する登録を解除できませんでした。"),
                    CWideText(kProductTitle), MB_OK | MB_ICONWARNING);
    ShowLogonStartMark();
}

// The period the clock timer runs with, and when it was set (ms of the performance counter).
static int s_nArmedMs = kClockTimerMs;
static long long s_llArmedAt = 0;

static long long CounterMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000 / frequency.QuadPart;
}

void OnCreate(HWND window) {
    g_hMainWnd = window;
    LoadWindowSettings(&g_WindowSettings);
    LoadLiveAlarm(GetTickCount());
    // A stored size we do not know shows, marks, sounds and saves as the small one.
    g_WindowSettings.SIZE = ValidSizeIndex(g_WindowSettings.SIZE);
    // A place saved by an earlier version, which Windows scaled: the same place in our pixels.
    if (!g_WindowSettings.DPIAWARE) {
        const POINT at = PositionFromUnaware({g_WindowSettings.LEFT, g_WindowSettings.TOP});
        g_WindowSettings.LEFT = at.x;
        g_WindowSettings.TOP = at.y;
        g_WindowSettings.DPIAWARE = 1;
    }
    // Placed first, so that the face set is drawn for the monitor the clock comes back to.
    SetWindowPos(window, HWND_TOP, g_WindowSettings.LEFT, g_WindowSettings.TOP, 0, 0, SWP_NOSIZE);
    BuildFaceSet(window, g_WindowSettings.SIZE, WindowDpi(window));
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
    ShowLogonStartMark();
    CreateDateTip(window);
    WatchVisibility(window);
    g_uTimerId = SetTimer(window, kClockTimerId, kClockTimerMs, nullptr);
    s_llArmedAt = CounterMs();
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
    StopWatchingVisibility(g_hMainWnd);
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

// Sets the repeating timer for the next wake, wantedMs after atMs, unless the running one
// already fires then.
static void RearmClockTimer(HWND window, int pace, int wantedMs, long long atMs) {
    const int period = RearmMs(s_nArmedMs, atMs - s_llArmedAt, pace, wantedMs);
    if (period != 0) {
        g_uTimerId = SetTimer(window, kClockTimerId, static_cast<UINT>(period), nullptr);
        s_nArmedMs = period;
        s_llArmedAt = CounterMs();
    }
}

// Every wake: the alarm and the chime look at the time, the window shows what changed (while
// anyone can see it), and the timer is set for the next moment anything will.
static void OnClockTimer(HWND window) {
    // One reading of the clock for everything the wake decides.
    SYSTEMTIME now;
    GetLocalTime(&now);
    const long long nowMs = CounterMs();
    AlarmTick(now);
    // The alarm box's loop may have seen the window destroyed.
    if (g_bClockClosed)
        return;
    ChimeTick(now);
    const int visible = ClockVisibleNow();
    // Painted here and now rather than through WM_PAINT: fewer round trips to the server.
    // The full-screen check rides on the wake that shows each new second.
    if (visible && PaintClockTick(window, g_WindowSettings.SIZE, now) == kPaintedNewSecond)
        GiveWayToFullScreen(window, g_WindowSettings.TOPMOST);
    KeepWatchingSession(window);
    const int sounding = AlarmWantsFastTicks() || ChimeSounding();
    const int pace = WakePace(visible, g_WindowSettings.SIZE == kSizeLarge, sounding);
    RearmClockTimer(window, pace,
                    NextWakeMs(pace, now.wSecond, now.wMilliseconds, NextAlarmEventMs()), nowMs);
}

// Posted to the window: what Windows told it calls for a wake now.
static const UINT kLookAgainMessage = WM_APP + 29;

// Locked or unlocked, display off or on: a clock that can be seen again shows the present at
// once; one that cannot drops to the pace of its sounds. A resume or a change of the clock, its
// zone or daylight saving: the picture, the chime and the alarm take the new time at once, and
// the timer its new seconds. These notices are sent, and the sender waits for the reply; a wake
// may open the alarm's box and wait for the user, so it is posted, never run here.
static void OnSystemNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int seen = NoteVisibilityNotice(message, wParam, lParam);
    const int resumed = message == WM_POWERBROADCAST &&
                        (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND);
    if (seen || resumed || message == WM_TIMECHANGE || message == WM_SETTINGCHANGE)
        PostMessageA(window, kLookAgainMessage, 0, 0);
}

static void OnLookAgain(HWND window) {
    ForgetPaintedFrame();
    OnClockTimer(window);
}

void ChangeSize(int sizeIndex) {
    // The size has one writer: here (and the start-up check of the stored one).
    sizeIndex = ValidSizeIndex(sizeIndex);
    g_WindowSettings.SIZE = sizeIndex;
    BuildFaceSet(g_hMainWnd, sizeIndex, WindowDpi(g_hMainWnd));
    CheckSizeMenuItem(sizeIndex);
    // The new size may want another pace (the pendulum's): the next wake, within a tick, sets it.
    g_uTimerId = SetTimer(g_hMainWnd, kClockTimerId, kWakeTickMs, nullptr);
    s_nArmedMs = kWakeTickMs;
    s_llArmedAt = CounterMs();
    // A size chosen during the first minute of an hour chimes again in its own sound.
    ResetChimeHour();
}

// Dragged onto a monitor of another scale (or its scale changed): the face set is drawn anew for
// it, hidden while it changes, and shows at the place Windows suggests (which keeps the pointer
// on the clock) in its new size and outline; the old size never shows at the new scale. The
// suggestion's size is the old one scaled by Windows (WM_GETDPISCALEDSIZE is left to it), which
// the face set's own differs from by its rounding alone: only the top-left corner is taken.
static void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
    SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_HIDEWINDOW);
    BuildFaceSet(window, g_WindowSettings.SIZE, dpi);
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
    case IDM_LOGON_START:
        ToggleLogonStart(window);
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
    ShowLogonStartMark();
    SetForegroundWindow(window);
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(g_hPopupMenu, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0,
                   window, nullptr);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RelayToDateTip(window, message, wParam, lParam);
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
    case WM_WTSSESSION_CHANGE:
    case WM_POWERBROADCAST:
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
        OnSystemNotice(window, message, wParam, lParam);
        break;
    case WM_DPICHANGED:
        OnDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DISPLAYCHANGE:
        KeepWindowReachable(window);
        break;
    case kLookAgainMessage:
        OnLookAgain(window);
        return 0;
    case WM_LBUTTONDOWN:
        ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
        if (!g_WindowSettings.LOCK)
            return DefWindowProcW(window, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
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
    return DefWindowProcW(window, message, wParam, lParam);
}
