#include "imaging/area_reduce.h"

// Along one axis, target pixel t covers [t * from, (t + 1) * from) in units where source pixel s
// covers [s * to, (s + 1) * to): whole numbers, so the weights are exact.
static int Overlap(int s, int to, int begin, int end) {
    const int low = s * to > begin ? s * to : begin;
    const int high = (s + 1) * to < end ? (s + 1) * to : end;
    return high > low ? high - low : 0;
}

int ReduceArea(const BYTE* source, ptrdiff_t sourceStride, int width, int height, BYTE* target,
               ptrdiff_t targetStride, int targetWidth, int targetHeight, DWORD key) {
    if (source == nullptr || target == nullptr || targetWidth <= 0 || targetHeight <= 0 ||
        targetWidth > width || targetHeight > height)
        return 0;
    const DWORD key24 = key & 0x00FFFFFF;
    const double half = 0.5 * width * height;
    for (int ty = 0; ty < targetHeight; ++ty) {
        const int y0 = ty * height, y1 = y0 + height;
        DWORD* out = reinterpret_cast<DWORD*>(target + ty * targetStride);
        for (int tx = 0; tx < targetWidth; ++tx) {
            const int x0 = tx * width, x1 = x0 + width;
            double cover = 0, sum[3] = {0, 0, 0};
            for (int sy = y0 / targetHeight; sy * targetHeight < y1; ++sy) {
                const int wy = Overlap(sy, targetHeight, y0, y1);
                const DWORD* row = reinterpret_cast<const DWORD*>(source + sy * sourceStride);
                for (int sx = x0 / targetWidth; sx * targetWidth < x1; ++sx) {
                    if ((row[sx] & 0x00FFFFFF) == key24)
                        continue;
                    const double w = static_cast<double>(wy) * Overlap(sx, targetWidth, x0, x1);
                    cover += w;
                    for (int c = 0; c < 3; ++c)
                        sum[c] += w * ((row[sx] >> (8 * c)) & 0xFF);
                }
            }
            DWORD pixel = key;
            if (cover >= half) {
                pixel = key & 0xFF000000;
                for (int c = 0; c < 3; ++c)
                    pixel |= static_cast<DWORD>(sum[c] / cover + 0.5) << (8 * c);
                // A dial pixel that averages out to the key would open a hole in the outline.
                if ((pixel & 0x00FFFFFF) == key24)
                    pixel ^= 1;
            }
            out[tx] = pixel;
        }
    }
    return 1;
}
