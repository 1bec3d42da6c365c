// Where a dialog opens: on the work area of the clock's monitor, whichever that is.
#include <gtest/gtest.h>

#include "alarm/dialog_support.h"

// Width, height, work area, top-left corner: above a task bar, on monitors left of and above that
// one, under a task bar at the top; taller than the work area, larger than the left monitor.
TEST(DialogPosition, CenteredOnTheWorkAreaAndKeptWholeOrByItsCaptionInside) {
    const int rows[][8] = {
        {400, 300, 0, 0, 1920, 1040, 760, 370},  {400, 300, -1280, 0, 0, 1024, -840, 362},
        {400, 300, 0, -900, 1600, 0, 600, -600}, {400, 300, 0, 40, 1920, 1080, 760, 410},
        {300, 1100, 0, 0, 1920, 1040, 810, 0},   {2000, 1200, -1280, 0, 0, 1024, -1280, 0}};
    for (const auto& r : rows) {
        const POINT at = CenteredPosition(r[0], r[1], {r[2], r[3], r[4], r[5]});
        EXPECT_EQ(r[6] * 100000 + r[7], at.x * 100000 + at.y) << "row " << (&r - rows);
    }
}
