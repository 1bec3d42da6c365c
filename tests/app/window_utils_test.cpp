// Where a window saved off every screen comes back, and where a partly visible one stays.
#include <gtest/gtest.h>

#include "app/window_utils.h"

// Two monitors side by side, the left one with a 40-pixel task bar; a 100-pixel high window. Rows
// 1-3 are partly visible (one across both monitors, one by a single pixel) and stay; the last is
// wider than the work area and keeps its left edge in.
TEST(WindowPlacement, OffEveryMonitorComesOntoTheNearestWorkArea) {
    const RECT monitors[] = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
    const RECT work[] = {{0, 0, 1024, 728}, {1024, 0, 2048, 768}};
    // left, top, width; where it ends up
    const int rows[][5] = {
        {-20, -30, 100, -20, -30},    {1000, 700, 100, 1000, 700}, {2047, 767, 100, 2047, 767},
        {3000, 2000, 100, 1948, 668}, {-500, 300, 100, 0, 300},    {500, 900, 100, 500, 628},
        {-300, -300, 100, 0, 0},      {2048, -100, 100, 1948, 0},  {5000, 5000, 2000, 1024, 668}};
    for (const auto& r : rows) {
        RECT w = {r[0], r[1], r[0] + r[2], r[1] + 100};
        POINT at = ReachablePosition(w, monitors, work, 2);
        EXPECT_EQ(r[3] * 100000 + r[4], at.x * 100000 + at.y) << r[0] << "," << r[1];
    }
}
