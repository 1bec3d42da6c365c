#include "render.h"

#include <algorithm>

namespace art {

namespace {

int toByte(double l) {
    l = clamp01(l);
    double c = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
    int v = static_cast<int>(std::floor(c * 255.0 + 0.5));
    return std::min(255, std::max(0, v));
}

const int kSS = 5; // samples per pixel side

} // namespace

Paint radial(V c, double r, Col inner, Col outer) {
    return [=](V p) { return mix(inner, outer, clamp01(len(p - c) / r)); };
}
Paint linear(V a, V b, Col ca, Col cb) {
    return [=](V p) {
        V ab = b - a;
        return mix(ca, cb, clamp01(dot(p - a, ab) / dot(ab, ab)));
    };
}

void render(const Scene& sc, Image& img, int ox, int fw) {
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < fw; ++x) {
            Col acc{0, 0, 0};
            int inside = 0;
            for (int sy = 0; sy < kSS; ++sy) {
                for (int sx = 0; sx < kSS; ++sx) {
                    V p{x + (sx + 0.5) / kSS, y + (sy + 0.5) / kSS};
                    if (sc.silhouette(p) < 0)
                        ++inside;
                    Col c = sc.rim;
                    for (const Layer& L : sc.layers) {
                        double d = L.shape(p);
                        if (d > 0.5 / kSS)
                            continue;
                        double cov = clamp01(0.5 - d * kSS) * L.alpha;
                        if (cov <= 0)
                            continue;
                        c = mix(c, L.paint(p), cov);
                    }
                    acc.r += c.r;
                    acc.g += c.g;
                    acc.b += c.b;
                }
            }
            const double n = kSS * kSS;
            size_t i = static_cast<size_t>(y) * img.w + ox + x;
            img.opaque[i] = (2 * inside >= kSS * kSS) ? 1 : 0;
            img.px[i] = Rgb{static_cast<uint8_t>(toByte(acc.r / n)),
                            static_cast<uint8_t>(toByte(acc.g / n)),
                            static_cast<uint8_t>(toByte(acc.b / n))};
        }
    }
}

} // namespace art
