#include "small_scene.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "motifs.h"
#include "render.h"
#include "shapes.h"
#include "text.h"

namespace art {

// 117: the head emblem over the small dial's centre (hands pass behind it).
Image smallOverlay(int dpi) {
    Scene sc;
    sc.rim = hex(kInk);
    sc.silhouette = mascotHead(sc, {50.5, 80.6}, 0.97);
    Image img = scaledImage(101, 128, dpi);
    render(sc, img, 0, 101);
    return img;
}

// 118: small alarm clock.
Image smallDial(int dpi) {
    const V C{50.5, 80.5};
    const Col ink = hex(kInk);
    Scene sc;
    sc.rim = ink;
    const double R = 44.0;
    // bells on top, tilted outwards, each on a short stem, with a knob
    std::vector<Shape> parts;
    parts.push_back(circle(C, R));
    std::vector<Shape> bells, stems, knobs, feet;
    for (int k = -1; k <= 1; k += 2) {
        double a = 34.0 * k;
        V base = polar(C, R + 4.0, a);
        double turn = deg(a);
        auto L = [&](double u, double v) { return base + rot(V{u, -v}, turn); }; // v outwards
        Shape dome = intersect(circle(L(0, 6.0), 15.6), Shape{[=](V p) {
                                   V q = rot(p - base, -turn);
                                   return q.y - 0.0; // keep the half away from the case (v >= 0)
                               }});
        Shape lip = rbox(L(0, 0.6), 16.8, 2.1, 1.9, turn);
        Shape bell = unite(dome, lip);
        bells.push_back(bell);
        stems.push_back(capsule(polar(C, R - 3, a), L(0, 1), 2.4));
        knobs.push_back(circle(L(0, 23.6), 2.9));
        double fa = 180.0 - 38.0 * k;
        feet.push_back(capsule(polar(C, R - 4, fa), polar(C, R + 2.6, fa), 3.2));
    }
    Shape hammerPost = capsule({C.x, C.y - R + 2}, {C.x, C.y - R - 8}, 1.7);
    Shape hammer = circle({C.x, C.y - R - 10.5}, 3.3);
    Shape body = unite({parts[0], bells[0], bells[1], stems[0], stems[1], knobs[0], knobs[1],
                        feet[0], feet[1], hammerPost, hammer});
    sc.silhouette = grow(body, 1.1);
    sc.fill(sc.silhouette, ink);
    // feet and stems
    for (int i = 0; i < 2; ++i) {
        sc.fill(feet[static_cast<size_t>(i)],
                linear({0, 110}, {0, 128}, hex(kGoldLight), hex(kGoldDark)));
        sc.fill(stems[static_cast<size_t>(i)], hex(kGoldDark));
    }
    sc.fill(hammerPost, hex(kGoldDark));
    sc.fill(hammer, radial({C.x - 1.2, C.y - R - 11.8}, 4.0, hex(kGoldLight), hex(kGold)));
    for (int i = 0; i < 2; ++i) {
        double k = i == 0 ? -1 : 1;
        V top = polar(C, R + 15, 34.0 * k);
        sc.fill(bells[static_cast<size_t>(i)],
                radial(top + V{-4.0 * 1, -4.0}, 19.0, hex(kGoldLight), hex(kGold)));
        sc.fill(knobs[static_cast<size_t>(i)], radial(top, 26.0, hex(kGoldLight), hex(kGold)));
        // a soft shine on each dome
        V sh = polar(C, R + 12.0, 34.0 * k - 6.0 * k);
        sc.fill(ellipse(sh + V{-2.0, -1.5}, 2.2, 4.0, deg(34.0 * k)), hex(0xFFF4CC), 0.7);
    }
    // case: coral ring with a darker seam, gold bezel, cream dial
    sc.fill(grow(parts[0], 0.0), radial({C.x - 14, C.y - 16}, 60, hex(0xFF9FB2), hex(0xF0687F)));
    for (int i = 0; i < 16; ++i)
        sc.fill(circle(polar(C, 41.0, i * 22.5 + 11.25), 1.05), hex(0xFFE3EA), 0.9);
    sc.fill(circle(C, 38.6), hex(kGoldDark));
    sc.fill(circle(C, 37.7), hex(kGold));
    sc.fill(circle(C, 36.2), radial({C.x, C.y - 8}, 40, hex(kWhite), hex(0xFFF1DE)));
    // faint polka dots on the dial
    for (int gy = -4; gy <= 4; ++gy)
        for (int gx = -4; gx <= 4; ++gx) {
            V d = C + V{gx * 8.0 + (gy % 2 ? 4.0 : 0.0), gy * 8.0};
            if (len(d - C) < 31.0 && len(d - C) > 14.0)
                sc.fill(circle(d, 1.2), hex(0xFFE0E7), 0.8);
        }
    // numerals 12 3 6 9 and flowers at the other hours
    const Col num = hex(kPlumText);
    const double rn = 29.5;
    const char* labels[4] = {"12", "3", "6", "9"};
    for (int i = 0; i < 12; ++i) {
        V p = polar(C, rn, i * 30.0);
        if (i % 3 == 0) {
            for (const Shape& g : textShapes(labels[i / 3], p, 8.0, 1.45, 0.14))
                sc.fill(g, num);
        } else {
            static const uint32_t petals[4] = {kPink, kLilac, kMint, 0xFFC38A};
            flower(sc, polar(C, rn + 1.0, i * 30.0), 4.2, hex(petals[i % 4]));
        }
    }
    // minute dots
    for (int i = 0; i < 60; ++i)
        if (i % 5)
            sc.fill(circle(polar(C, 34.3, i * 6.0), 0.55), hex(0xC9A2B4));
    Image img = scaledImage(101, 128, dpi);
    render(sc, img, 0, 101);
    return img;
}

} // namespace art
