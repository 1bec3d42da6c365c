// Where a place saved by the earlier, DPI-unaware version lies in the monitors' own pixels.
#include <gtest/gtest.h>

#include "app/display_scale.h"

// Saved point, the monitor as the unaware version saw it, as it is; where the point lies: on a
// 150 % monitor (and dragged partly off it), a 200 % one right of a 100 % primary, a 150 % one
// left of the primary, and a monitor of no size (the point is kept).
TEST(DisplayScale, AnUnawarePlaceComesBackAtTheSamePlaceOfItsMonitor) {
    const int rows[][12] = {{200, 100, 0, 0, 1920, 1080, 0, 0, 1920, 1080, 200, 100},
                            {200, 100, 0, 0, 1280, 720, 0, 0, 1920, 1080, 300, 150},
                            {-20, -30, 0, 0, 1280, 720, 0, 0, 1920, 1080, -30, -45},
                            {2000, 100, 1920, 0, 3840, 1080, 1920, 0, 5760, 2160, 2080, 200},
                            {-1080, 100, -1280, 0, 0, 720, -1920, 0, 0, 1080, -1620, 150},
                            {200, 100, 0, 0, 0, 0, 0, 0, 1920, 1080, 200, 100}};
    for (const auto& r : rows) {
        const POINT at =
            PhysicalFromUnaware({r[0], r[1]}, {r[2], r[3], r[4], r[5]}, {r[6], r[7], r[8], r[9]});
        EXPECT_EQ(r[10] * 100000 + r[11], at.x * 100000 + at.y) << "row " << (&r - rows);
    }
}
