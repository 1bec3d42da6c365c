// The face: hand tips, the outline's runs, and the composed frames against digests stored in
// frame_digests.txt (rewritten by "make digests").
#include <gtest/gtest.h>

#include <map>

#include "app/main_window.h"
#include "face/face_painter.h"
#include "face/face_set.h"
#include "face/hand_math.h"
#include "face/window_region.h"
#include "imaging/dib.h"

TEST(HandMath, TipsAreCutTowardTheCenter) {
    // centre x, centre y, length, angle, then the tip.
    const int cases[][6] = {
        {50, 80, 25, 0, 50, 55},    {86, 85, 47, 0, 86, 38},     {50, 80, 25, 90, 75, 80},
        {85, 89, 23, 180, 85, 112}, {86, 85, 30, 270, 56, 85},   {86, 85, 30, 30, 100, 60},
        {86, 85, 30, 60, 111, 70},  {86, 85, 30, 150, 100, 110}, {85, 89, 38, 150, 104, 121}};
    for (const auto& c : cases) {
        Point tip = {-1, -1};
        HandTip(tip, c[0], c[1], c[2], c[3]);
        EXPECT_TRUE(tip.x == c[4] && tip.y == c[5])
            << "length " << c[2] << " angle " << c[3] << ": " << tip.x << "," << tip.y;
    }
}

TEST(WindowRegion, OneRectanglePerRunClosedAtTheKeyOrTheBlockEnd) {
    // '#' is a picture pixel, anything else the key.
    const char* const grid[] = {"..##..", "######", "#....#", "......", "##.#.#"};
    PixelSource gridPixel = [](const void* rows, int x, int y) -> DWORD {
        return static_cast<const char* const*>(rows)[y][x] == '#';
    };
    struct Case {
        int x0, y0, width, height;
        const char* runs; // "row:left-right" per rectangle
    } cases[] = {{0, 0, 6, 5, "0:2-4 1:0-6 2:0-1 2:5-6 4:0-2 4:3-4 4:5-6"},
                 {2, 0, 4, 5, "0:2-4 1:2-6 2:5-6 4:3-4 4:5-6"},
                 {1, 1, 4, 2, "1:1-5"},
                 {5, 0, 1, 5, "1:5-6 2:5-6 4:5-6"},
                 {0, 3, 6, 1, ""}};
    for (const Case& c : cases) {
        RECT rects[16];
        std::string runs;
        for (int i = 0,
                 n = CollectRegionRects(gridPixel, grid, c.x0, c.y0, c.width, c.height, 0, rects);
             i < n; ++i)
            runs += (i ? " " : "") + std::to_string(rects[i].top) + ":" +
                    std::to_string(rects[i].left) + "-" + std::to_string(rects[i].right) +
                    (rects[i].bottom == rects[i].top + 1 ? "" : "!");
        EXPECT_EQ(c.runs, runs) << "block " << c.x0 << "," << c.y0 << " " << c.width << "x"
                                << c.height;
    }
    // 100 runs a row: the list stops full after row 29.
    static RECT many[kMaxRegionRects];
    PixelSource stripes = [](const void*, int x, int) -> DWORD { return x % 2; };
    ASSERT_EQ(kMaxRegionRects, CollectRegionRects(stripes, nullptr, 0, 0, 200, 40, 0, many));
    EXPECT_TRUE(many[kMaxRegionRects - 1].top == 29 && many[kMaxRegionRects - 1].left == 199);
}

// At 125, 150 and 200 % each size's window is the 100 % one scaled by ScaleToDpi, and so is its
// outline: a pixel may differ from the 100 % one under it only where that one has an edge.
TEST(FaceSet, WindowSizeAndShapeAreThe100PercentOnesScaled) {
    HWND window =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    for (int size = 0; size < kSizeCount; ++size) {
        BuildFaceSet(window, size, kBaseDpi);
        RECT base;
        GetClientRect(window, &base);
        HRGN baseShape = CreateRectRgn(0, 0, 0, 0), shape = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(window, baseShape);
        for (int dpi : {120, 144, 192}) {
            BuildFaceSet(window, size, dpi);
            RECT r;
            GetClientRect(window, &r);
            EXPECT_TRUE(r.right == ScaleToDpi(base.right, dpi) &&
                        r.bottom == ScaleToDpi(base.bottom, dpi))
                << "size " << size << " at " << dpi << ": " << r.right << "x" << r.bottom;
            GetWindowRgn(window, shape);
            int stray = 0;
            for (int i = 0; i < r.right * r.bottom; ++i) {
                const int x = i % r.right, y = i / r.right, in = PtInRegion(shape, x, y) != 0;
                int agrees = 0; // anywhere in the 3 x 3 pixels round the 100 % one under it
                for (int d = 0; d < 9; ++d)
                    agrees |= (PtInRegion(baseShape, (x * 96 + dpi / 2) / dpi + d % 3 - 1,
                                          (y * 96 + dpi / 2) / dpi + d / 3 - 1) != 0) == in;
                stray += !agrees;
            }
            EXPECT_EQ(0, stray) << "pixels off the outline, size " << size << " at " << dpi;
        }
        DeleteObject(baseShape);
        DeleteObject(shape);
    }
    FreeFaceSet();
    DestroyWindow(window);
}

namespace {
unsigned CanvasDigest() {
    const int width = g_pCanvas->GetWidth(), height = g_pCanvas->GetHeight();
    unsigned hash = 2166136261u ^ (width << 16 | height); // FNV-1a, top-down rows in a row
    for (int i = 0; i < 4 * width * height; ++i)
        hash = (hash ^ g_pCanvas->GetRow(0)[i]) * 16777619u;
    return hash;
}
} // namespace

// Each size at a few times, and the large size at every pendulum position. CLOCK_UPDATE_DIGESTS
// set ("make digests") writes the file anew instead.
TEST(FrameDigest, ComposedFramesMatchTheStoredDigests) {
    // size, hour, minute, second, pendulum positions, dots per inch: the generators' own
    // pictures at 150 and 200 %, reductions of them at 125 % and of 300 % at 250 %.
    const int cases[][6] = {{0, 10, 10, 30, 1, 96}, {0, 1, 45, 0, 1, 96},   {1, 1, 45, 0, 1, 96},
                            {1, 7, 30, 15, 1, 96},  {2, 7, 30, 15, 8, 96},  {5, 10, 10, 30, 1, 96},
                            {0, 10, 8, 30, 1, 144}, {1, 7, 30, 15, 1, 144}, {2, 7, 30, 15, 2, 144},
                            {0, 10, 8, 30, 1, 192}, {1, 7, 30, 15, 1, 192}, {2, 7, 30, 15, 2, 192},
                            {0, 10, 8, 30, 1, 120}, {1, 7, 30, 15, 1, 120}, {2, 4, 50, 45, 2, 240}};
    std::map<std::string, unsigned> got, stored;
    for (const auto& c : cases) {
        BuildFaceSet(g_hMainWnd, c[0], c[5]);
        g_nAnimationPos = 0;
        for (int pos = 0; pos < c[4]; ++pos) {
            SYSTEMTIME t = {2026, 12, 1, 7, 0, 0, 0, 0};
            t.wHour = static_cast<WORD>(c[1]), t.wMinute = static_cast<WORD>(c[2]);
            t.wSecond = static_cast<WORD>(c[3]);
            ASSERT_EQ(1, ComposeFrame(c[0], &t));
            char name[64];
            sprintf(name, "size%d-%02d:%02d:%02d-pendulum%d", c[0], c[1], c[2], c[3], pos);
            if (c[5] != kBaseDpi)
                sprintf(name + strlen(name), "-dpi%d", c[5]);
            got[name] = CanvasDigest();
        }
    }
    FreeFaceSet();
    const char* path = CLOCK_SOURCE_DIR "/tests/face/frame_digests.txt";
    const bool update = getenv("CLOCK_UPDATE_DIGESTS") != nullptr;
    FILE* f = fopen(path, update ? "w" : "r");
    ASSERT_NE(nullptr, f) << path << " (make digests writes it)";
    char name[64];
    unsigned digest;
    while (!update && fscanf(f, "%63s %x", name, &digest) == 2)
        stored[name] = digest;
    for (const auto& frame : got) {
        if (update)
            fprintf(f, "%s %08x\n", frame.first.c_str(), frame.second);
        else if (stored.count(frame.first) == 0)
            ADD_FAILURE() << "no stored digest for frame " << frame.first << " (make digests)";
        else
            EXPECT_EQ(stored[frame.first], frame.second) << "frame " << frame.first << " differs";
    }
    fclose(f);
}
