// When an always-visible clock gives way to the foreground window.
#include <gtest/gtest.h>

#include "app/full_screen.h"

// The clock's monitor, left of another, has no task bar: a maximized window reaches its bottom.
TEST(FullScreen, OnlyAnotherProgramWhoseClientAreaCoversTheClocksMonitorTakesTopmostAway) {
    const RECT monitor = {0, 0, 1024, 768};
    const DWORD popup = WS_POPUP, titled = WS_OVERLAPPEDWINDOW, maximized = WS_MAXIMIZE;
    struct Row {
        int chosen;
        ForegroundWindow front; // client area, style, class, one of the clock's own
        int topmost;
    };
    const Row rows[] = {
        {1, {{0, 0, 1024, 768}, popup, "Player", 0}, 0},               // borderless, the monitor
        {1, {{-8, -8, 1032, 776}, popup | maximized, "Game", 0}, 0},   // beyond its edges
        {0, {{0, 0, 1024, 768}, popup, "Player", 0}, 0},               // the user wants it ordinary
        {1, {{1, 2, 1022, 766}, popup, "Player", 0}, 0},               // 2 px short, rounded
        {1, {{0, 0, 1024, 765}, popup, "Player", 0}, 1},               // 3 px short
        {1, {{0, 23, 1024, 768}, titled | maximized, "Editor", 0}, 1}, // maximized with a caption
        {1, {{0, 0, 1024, 768}, titled | maximized, "Browser", 0}, 1}, // drawing its own caption
        {1, {{1024, 0, 2048, 768}, popup, "Player", 0}, 1},            // on the other monitor
        {1, {{0, 0, 1024, 768}, popup, "Player", 1}, 1},               // the clock's own window
        {1, {{0, 0, 1024, 768}, popup, "ApplicationFrameWindow", 0}, 0}}; // a Store app
    for (const Row& r : rows)
        EXPECT_EQ(r.topmost, TopmostNow(r.chosen, &r.front, monitor)) << "row " << (&r - rows);
    EXPECT_EQ(1, TopmostNow(1, nullptr, monitor)); // no foreground window
    for (const char* shell :
         {"#32769", "Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd",
          "MultitaskingViewFrame", "XamlExplorerHostIslandWindow", "Windows.UI.Core.CoreWindow"}) {
        const ForegroundWindow front = {monitor, popup, shell, 0};
        EXPECT_EQ(1, TopmostNow(1, &front, monitor)) << shell;
    }
}
