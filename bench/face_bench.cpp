// Face costs: composing one frame per size against one plain copy of the canvas, and building
// each face set. Targets: a frame under 20 canvas copies, a face-set build under 20 ms.
#include <stdio.h>
#include <windows.h>

#include <initializer_list>

#include "app/main_window.h"
#include "bench/bench.h"
#include "face/face_painter.h"
#include "face/face_set.h"
#include "imaging/dib.h"

static HWND BenchWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FaceBenchWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "face bench", WS_POPUP, 0, 0, 10, 10, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

// Prints one line per size.
CLOCK_BENCH(FaceFrameAndBuild) {
    g_hMainWnd = BenchWindow();
    static const char* const kNames[] = {"small", "medium", "large"};
    SYSTEMTIME time = {};
    time.wHour = 10;
    time.wMinute = 10;
    time.wSecond = 30;
    for (int size = 0; size < kSizeCount; ++size) {
        const double b0 = BenchNow();
        BuildFaceSet(g_hMainWnd, size, kBaseDpi);
        const double buildMs = (BenchNow() - b0) * 1000.0;

        const int rounds = 400;
        const double c0 = BenchNow();
        for (int i = 0; i < rounds; ++i)
            ComposeFrame(size, &time);
        const double composeUs = (BenchNow() - c0) * 1e6 / rounds;

        HDC screen = GetDC(nullptr);
        HDC source = CreateCompatibleDC(screen);
        HDC target = CreateCompatibleDC(screen);
        HBITMAP copy =
            CreateCompatibleBitmap(screen, g_pCanvas->GetWidth(), g_pCanvas->GetHeight());
        HGDIOBJ oldSource = SelectObject(source, g_pCanvas->GetBitmap());
        HGDIOBJ oldTarget = SelectObject(target, copy);
        const double p0 = BenchNow();
        for (int i = 0; i < rounds; ++i) {
            BitBlt(target, 0, 0, g_pCanvas->GetWidth(), g_pCanvas->GetHeight(), source, 0, 0,
                   SRCCOPY);
            GdiFlush();
        }
        const double copyUs = (BenchNow() - p0) * 1e6 / rounds;
        SelectObject(source, oldSource);
        SelectObject(target, oldTarget);
        DeleteObject(copy);
        DeleteDC(source);
        DeleteDC(target);
        ReleaseDC(nullptr, screen);

        const double ratio = composeUs / copyUs;
        printf("face %-6s frame %8.1f us  canvas copy %7.1f us  ratio %5.1f (target < 20)  "
               "build %6.2f ms (target < 20)\n",
               kNames[size], composeUs, copyUs, ratio, buildMs);
    }
    FreeFaceSet();
    DestroyWindow(g_hMainWnd);
    g_hMainWnd = nullptr;
}

// Start-up's share of the face at each display scale: a face-set build per size, the carried
// scales' own pictures and the reduced ones between them. Target: all three well under the half
// second in which the clock must be on the screen.
CLOCK_BENCH(FaceBuildPerScale) {
    g_hMainWnd = BenchWindow();
    for (int dpi : {96, 120, 144, 168, 192, 216, 240, 288}) {
        printf("face build at %3d%%:", dpi * 100 / kBaseDpi);
        for (int size = 0; size < kSizeCount; ++size) {
            const double seconds =
                BenchTime([size, dpi]() { BuildFaceSet(g_hMainWnd, size, dpi); }, 0.2);
            printf("  size %d %6.1f ms", size, seconds * 1000.0);
        }
        printf("  (target < 500)\n");
    }
    FreeFaceSet();
    DestroyWindow(g_hMainWnd);
    g_hMainWnd = nullptr;
}
