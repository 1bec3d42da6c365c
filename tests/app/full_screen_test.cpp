// When an always-visible clock gives way to the foreground window (the date its tooltip shows is
// the desk story's to read on the real program).
#include <gtest/gtest.h>

#include "app/full_screen.h"

namespace {

// The clock's monitor is the left one of two; its task bar leaves a work area 40 pixels short.
TEST(FullScreen, OnlyAnotherProgramCoveringTheClocksWholeMonitorTakesTopmostAway) {
    const RECT monitor = {0, 0, 1024, 768};
    struct Row {
        int chosen;
        RECT rect;
        const char* className;
        int ours, topmost;
    };
    const Row rows[] = {
        {1, {0, 0, 1024, 768}, "Player", 0, 0},    // exactly the monitor
        {1, {-8, -8, 1032, 776}, "Player", 0, 0},  // beyond its edges
        {0, {0, 0, 1024, 768}, "Player", 0, 0},    // the user wants an ordinary clock
        {1, {0, 0, 1024, 767}, "Player", 0, 1},    // a pixel short
        {1, {0, 0, 1024, 728}, "Player", 0, 1},    // maximized on the work area
        {1, {1024, 0, 2048, 768}, "Player", 0, 1}, // full screen on the other monitor
        {1, {0, 0, 1024, 768}, "Player", 1, 1},    // the clock's own window
        {1, {0, 0, 1024, 768}, "#32769", 0, 1},    // the desktop
        {1, {0, 0, 1024, 768}, "Progman", 0, 1},   // the shell's desktop
        {1, {0, 0, 1024, 768}, "WorkerW", 0, 1},   // behind the desktop's icons
        {1, {0, 0, 1024, 768}, "Shell_TrayWnd", 0, 1}};
    for (const Row& r : rows) {
        const ForegroundWindow front = {r.rect, r.className, r.ours};
        EXPECT_EQ(r.topmost, TopmostNow(r.chosen, &front, monitor)) << "row " << (&r - rows);
    }
    EXPECT_EQ(1, TopmostNow(1, nullptr, monitor)); // no foreground window
}

} // namespace
