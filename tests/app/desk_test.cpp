// The clock beside other programs: the date its tooltip shows, and when an always-visible clock
// gives way to the foreground window.
#include <gtest/gtest.h>

#include "app/date_tip.h"
#include "app/full_screen.h"

namespace {

TEST(DateTip, NoZeroPaddingAndTheWeekdayOfSundayToSaturday) {
    struct Row {
        WORD year, month, day, weekday; // weekday 0 is Sunday, as GetLocalTime gives it
        const char* text;
    };
    const Row rows[] = {{2026, 12, 7, 1, "2026年12月7日 (月)"},
                        {2026, 12, 13, 0, "2026年12月13日 (日)"},
                        {2027, 1, 2, 6, "2027年1月2日 (土)"}};
    for (const Row& r : rows) {
        SYSTEMTIME now = {r.year, r.month, r.weekday, r.day, 23, 59, 59, 999};
        char text[kDateTipChars];
        FormatDateTip(now, text);
        EXPECT_STREQ(r.text, text);
    }
}

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
