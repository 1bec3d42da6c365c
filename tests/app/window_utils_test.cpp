// Where a window saved out of reach comes back, and where a window with enough of its dial in
// view stays.
#include <gtest/gtest.h>

#include "app/window_utils.h"

// Two work areas side by side, the left one above a 40-pixel task bar; a 100-pixel high window,
// opaque all over or only in its middle (a dial with transparent corners). A piece of dial too
// small to grab is out of reach: a 1x1 corner, a 15x15 one, a transparent strip.
TEST(WindowPlacement, KeptWhereEnoughOfTheDialShowsElseMovedOntoTheNearestWorkArea) {
    const RECT work[] = {{0, 0, 1024, 728}, {1024, 0, 2048, 768}};
    const RECT middle = {25, 25, 75, 75};
    // left, top, width, only the middle opaque; where it ends up
    const int rows[][6] = {{-20, -30, 100, 0, -20, -30},   {1000, 700, 100, 0, 1000, 700},
                           {-60, -60, 100, 0, -60, -60},   {-40, -40, 100, 1, -40, -40},
                           {2047, 767, 100, 0, 1948, 668}, {-60, -60, 100, 1, 0, 0},
                           {1022, -98, 100, 1, 1024, 0},   {3000, 2000, 100, 0, 1948, 668},
                           {-500, 300, 100, 0, 0, 300},    {500, 900, 100, 0, 500, 628},
                           {2048, -100, 100, 0, 1948, 0},  {5000, 5000, 2000, 0, 1024, 668}};
    for (const auto& r : rows) {
        RECT w = {r[0], r[1], r[0] + r[2], r[1] + 100};
        POINT at = ReachablePosition(w, r[3] ? &middle : nullptr, r[3], work, 2, 96);
        EXPECT_EQ(r[4] * 100000 + r[5], at.x * 100000 + at.y) << r[0] << "," << r[1];
    }
}

// A 200 x 200 window with a 40 x 40 corner in view: enough to grab at 100 %, a quarter of what
// the same piece is to the eye at 200 %.
TEST(WindowPlacement, ThePieceToGrabIsAsLargeToTheEyeAtEveryScale) {
    const RECT work = {0, 0, 3840, 2160}, window = {-160, -160, 40, 40};
    const int rows[][2] = {{96, -160}, {192, 0}}; // dots per inch, left where it ends up
    for (const auto& r : rows)
        EXPECT_EQ(r[1], ReachablePosition(window, nullptr, 0, &work, 1, r[0]).x) << r[0];
}
