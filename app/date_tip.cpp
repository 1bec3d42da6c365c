#include "app/date_tip.h"

#include <commctrl.h>
#include <cstdio>

#include "platform/system_dlls.h"
#include "platform/wide_text.h"

namespace {
const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
// The usual pause before a tooltip, written out rather than left to the double-click time.
const int kDateTipDelayMs = 500;
HWND s_hTip = nullptr;

// The move loop of a drag and the menu's loop run inside this thread's window procedure.
int DraggedOrInMenu() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMOVESIZE | GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
}
} // namespace

void FormatDateTip(const SYSTEMTIME& now, char* text) {
    const char* weekday = now.wDayOfWeek < 7 ? kWeekdays[now.wDayOfWeek] : "";
    std::snprintf(text, kDateTipChars, "%d年%d月%d日 (%s)", static_cast<int>(now.wYear),
                  static_cast<int>(now.wMonth), static_cast<int>(now.wDay), weekday);
}

void CreateDateTip(HWND clock) {
    if (!InitCommonControlsFromSystem(ICC_WIN95_CLASSES))
        return;
    // Always: the clock is seldom the active window. Not owned by the clock: an owned window
    // is moved along whenever the clock changes its place among topmost windows, and Wine then
    // leaves the clock below it and no longer topmost. It goes with the thread at the end.
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    if (tip == nullptr)
        return;
    TTTOOLINFOW tool = {};
    // The version 2 record, which version 5 (Windows 7 without the manifest's version 6) and
    // version 6 both take; version 5 refuses the longer one the headers declare.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // The whole window is the tool. Its mouse messages are handed on by the clock: a tooltip
    // that subclasses the window costs each of its messages (every timer tick) three round
    // trips to the server under Wine, to find the subclass's property.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = clock;
    tool.uId = reinterpret_cast<UINT_PTR>(clock);
    // Asked for when shown, as wide text: the clock is a Unicode window.
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        // A tooltip without its tool would only cost every mouse message a relay.
        DestroyWindow(tip);
        return;
    }
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kDateTipDelayMs, 0));
    s_hTip = tip;
}

void RelayToDateTip(HWND clock, UINT message, WPARAM wParam, LPARAM lParam) {
    if (s_hTip == nullptr || message < WM_MOUSEFIRST || message > WM_MOUSELAST)
        return;
    MSG msg = {clock, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(s_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void OnDateTipNotify(LPARAM lParam) {
    NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (info->hdr.code != TTN_GETDISPINFOW)
        return;
    // A tooltip with an empty text does not show.
    info->szText[0] = L'\0';
    info->lpszText = info->szText;
    if (DraggedOrInMenu())
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[kDateTipChars];
    FormatDateTip(now, text);
    ShiftJisToWide(text, info->szText, sizeof(info->szText) / sizeof(info->szText[0]));
}
