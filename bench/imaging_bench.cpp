// The image operations of every repaint and of the window shaping: ColorKeyCopy of a
// 172 x 256 overlay against memcpy of the same bytes, and GetPixel over a whole picture.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <vector>

#include "bench/bench.h"
#include "imaging/dib.h"

namespace {
const int kWidth = 172;
const int kHeight = 256;
const DWORD kKey = 0x00FF00FF;

// An overlay like the clock's: about a third of it is the key colour around the picture.
void FillOverlay(CDIB& dib) {
    for (int y = 0; y < kHeight; ++y) {
        DWORD* row = reinterpret_cast<DWORD*>(dib.GetRow(static_cast<UINT>(y)));
        for (int x = 0; x < kWidth; ++x) {
            const int dx = x - kWidth / 2, dy = y - kHeight / 2;
            const bool inside = dx * dx * 4 + dy * dy < kHeight * kHeight / 4;
            row[x] = inside ? 0x00102030u + static_cast<DWORD>(x * 7 + y * 3) : kKey;
        }
    }
}
} // namespace

CLOCK_BENCH(ImagingColorKeyCopy) {
    CDIB source, canvas;
    if (!source.Create(kWidth, kHeight, 32, 1) || !canvas.Create(kWidth, kHeight, 32, 1)) {
        printf("cannot create the images\n");
        return;
    }
    FillOverlay(source);
    const BlitRect request = {0, 0, kWidth, kHeight, 0, 0};
    const size_t bytes = static_cast<size_t>(kWidth) * kHeight * 4;
    std::vector<BYTE> from(bytes, 0x5A), to(bytes);

    // Warm both up once, then time them alternately so they share the machine's mood.
    ColorKeyCopy(&canvas, &source, &request, kKey);
    memcpy(to.data(), from.data(), bytes);
    double keyed = 1e9, copied = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double k = BenchTime([&] { ColorKeyCopy(&canvas, &source, &request, kKey); }, 0.2);
        const double m = BenchTime(
            [&] {
                memcpy(to.data(), from.data(), bytes);
                // Keep the copy observable.
                from[0] = static_cast<BYTE>(to[bytes - 1] + 1);
            },
            0.2);
        keyed = k < keyed ? k : keyed;
        copied = m < copied ? m : copied;
    }
    const double pixels = static_cast<double>(kWidth) * kHeight;
    const double keyedRate = pixels / keyed, copiedRate = pixels / copied;
    printf("ColorKeyCopy %dx%d: %.1f Mpixel/s (%.1f us per copy)\n", kWidth, kHeight,
           keyedRate / 1e6, keyed * 1e6);
    printf("memcpy of the same bytes: %.1f Mpixel/s (%.1f us per copy)\n", copiedRate / 1e6,
           copied * 1e6);
    printf("ratio ColorKeyCopy / memcpy: %.2f (target >= 0.5)\n", keyedRate / copiedRate);
}

CLOCK_BENCH(ImagingGetPixel) {
    CDIB image;
    if (!image.Create(kWidth, kHeight, 32, 1)) {
        printf("cannot create the image\n");
        return;
    }
    FillOverlay(image);
    volatile DWORD sink = 0;
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double t = BenchTime(
            [&] {
                DWORD sum = 0;
                for (UINT y = 0; y < static_cast<UINT>(kHeight); ++y)
                    for (UINT x = 0; x < static_cast<UINT>(kWidth); ++x)
                        sum += image.GetPixel(x, y);
                sink = sink + sum;
            },
            0.1);
        best = t < best ? t : best;
    }
    printf("GetPixel over %dx%d: %.3f ms (target < 1 ms)\n", kWidth, kHeight, best * 1e3);
}
