#include "render.h"

#include <algorithm>

#include "../../imaging/clock_sizes.h"

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

Image scaledImage(int W, int H, int dpi) {
    Image img(ScaleToDpi(W, dpi), ScaleToDpi(H, dpi));
    img.dpi = dpi;
    return img;
}

void render(const Scene& sc, Image& img, int ox, int fw) {
    // Pixel centres map onto pixel centres, so the centre pixel of a dial (its hands' pivot)
    // lands on the scaled one; distances come back in the picture's own pixels. At 96 the
    // samples are taken as they always were, not through an identity that could move a bit.
    const double scale = img.dpi / 96.0;
    const bool scaled = img.dpi != 96;
    auto design = [&](double v) { return scaled ? (v - 0.5) / scale + 0.5 : v; };
    ox = ScaleToDpi(ox, img.dpi);
    fw = ScaleToDpi(fw, img.dpi);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < fw; ++x) {
            Col acc{0, 0, 0};
            int inside = 0;
            for (int sy = 0; sy < kSS; ++sy) {
                for (int sx = 0; sx < kSS; ++sx) {
                    V p{design(x + (sx + 0.5) / kSS), design(y + (sy + 0.5) / kSS)};
                    if (sc.silhouette(p) < 0)
                        ++inside;
                    Col c = sc.rim;
                    for (const Layer& L : sc.layers) {
                        double d = L.shape(p) * scale;
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
