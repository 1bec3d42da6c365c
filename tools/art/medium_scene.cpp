#include "medium_scene.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "motifs.h"
#include "render.h"
#include "shapes.h"
#include "text.h"

namespace art {

// 119: medium dial with a lettered ring.
Image mediumDial(int dpi) {
    const V C{86.5, 85.5};
    Scene sc;
    const Col ink = hex(0x5A2A1E);
    sc.rim = ink;
    sc.silhouette = circle(C, 83.4);
    sc.fill(sc.silhouette, ink);
    sc.fill(circle(C, 82.2), radial({C.x - 30, C.y - 30}, 140, hex(kGoldLight), hex(kGoldDark)));
    sc.fill(circle(C, 79.6), hex(0x8C3A45));
    sc.fill(circle(C, 79.0), radial({C.x - 25, C.y - 40}, 130, hex(0xF08A9C), hex(0xC24D64)));
    // lettering
    const Col letter = hex(0xFFF6E8);
    const Col letterShadow = hex(0x7A2638);
    auto lettering = [&](const std::vector<Shape>& gs) {
        for (const Shape& g : gs)
            sc.fill(Shape{[g](V p) {
                              return g(p - V{0.6, 0.8});
                          },
                          g.x0, g.y0, g.x1 + 1, g.y1 + 1},
                    letterShadow, 0.6);
        for (const Shape& g : gs)
            sc.fill(g, letter);
    };
    lettering(arcText("POLKAMINA", C, 70.2, 0.0, 11.5, 1.9, 0.3, true));
    lettering(arcText("ANALOG CLOCK", C, 71.4, 180.0, 10.0, 1.7, 0.26, false));
    // polka dots and little hearts on the ring's free sides
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 5; ++i) {
            double a = 90.0 * side + (i - 2) * 9.0;
            double r = (i % 2) ? 73.5 : 67.0;
            sc.fill(circle(polar(C, r, a), i == 2 ? 3.2 : 2.0), hex(i == 2 ? 0xFFF6E8 : 0xFFD3DC));
        }
        flower(sc, polar(C, 70.8, 90.0 * side), 6.0, hex(0xFFF6E8));
    }
    // inner gold rule and the cream dial
    sc.fill(circle(C, 63.2), hex(0x8C3A45));
    sc.fill(circle(C, 62.4), hex(kGold));
    sc.fill(circle(C, 60.6), hex(kGoldDark));
    sc.fill(circle(C, 60.0), radial({C.x, C.y - 10}, 70, hex(kWhite), hex(0xFFF0DA)));
    // minute marks
    for (int i = 0; i < 60; ++i) {
        if (i % 5 == 0)
            sc.fill(capsule(polar(C, 55.2, i * 6.0), polar(C, 58.0, i * 6.0), 0.9), hex(0x7A4A30));
        else
            sc.fill(circle(polar(C, 57.0, i * 6.0), 0.6), hex(0xB08870));
    }
    // Roman numerals, upright
    const char* roman[12] = {"xii", "i",   "ii",   "iii", "iiii", "v",
                             "vi",  "vii", "viii", "ix",  "x",    "xi"};
    for (int i = 0; i < 12; ++i) {
        double rr = 47.0;
        double tw = textWidth(roman[i], 0.04) * 9.0;
        // wide numerals at the sides sit a little further in so they clear the ring
        rr -= std::fabs(std::sin(deg(i * 30.0))) * std::max(0.0, tw - 8.0) * 0.5;
        for (const Shape& g : textShapes(roman[i], polar(C, rr, i * 30.0), 9.0, 1.2, 0.04))
            sc.fill(g, hex(0x5A2A1E));
    }
    // a soft flower rosette around the centre (the cap covers the middle)
    for (int i = 0; i < 8; ++i)
        sc.fill(ellipse(polar(C, 9.0, i * 45.0), 2.6, 5.2, deg(i * 45.0)),
                hex(i % 2 ? 0xFFD3DC : 0xD9F0E9));
    sc.fill(circle(C, 4.5), hex(0xFFE9A8));
    Image img = scaledImage(172, 172, dpi);
    render(sc, img, 0, 172);
    return img;
}

// 120: hour-tip head emblem.
Image mediumHourTip(int dpi) {
    Scene sc;
    sc.rim = hex(kInk);
    sc.silhouette = mascotHead(sc, {13.5, 10.2}, 0.76);
    Image img = scaledImage(27, 20, dpi);
    render(sc, img, 0, 27);
    return img;
}

// 121: centre cap, the brown of the medium hands.
Image mediumCenterCap(int dpi) {
    Scene sc;
    const V c{4.5, 5.0};
    sc.rim = hex(0x5C3600);
    sc.silhouette = circle(c, 4.05);
    sc.fill(sc.silhouette, hex(0x5C3600));
    sc.fill(circle(c, 3.3), hex(0x7F4C00));
    sc.fill(circle(c + V{-1.0, -1.1}, 1.3), hex(0xB07A36), 0.8);
    Image img = scaledImage(9, 10, dpi);
    render(sc, img, 0, 9);
    return img;
}

// 122: minute-tip ornament: Mina's little figure.
Image mediumMinuteTip(int dpi) {
    Scene sc;
    const Col ink = hex(kInk);
    sc.rim = ink;
    const double cx = 6.0;
    Shape head = circle({cx, 5.0}, 3.6);
    Shape buns = unite(circle({cx - 3.6, 3.5}, 1.7), circle({cx + 3.6, 3.5}, 1.7));
    Shape bow = unite(ellipse({cx + 1.3, 1.6}, 1.4, 1.0, deg(-20)),
                      ellipse({cx + 3.5, 1.6}, 1.4, 1.0, deg(20)));
    Shape dress = polygon({{cx - 1.6, 8.3}, {cx + 1.6, 8.3}, {cx + 3.6, 13.2}, {cx - 3.6, 13.2}});
    Shape arms = unite(capsule({cx - 1.6, 9.4}, {cx - 3.6, 11.0}, 0.7),
                       capsule({cx + 1.6, 9.4}, {cx + 3.6, 11.0}, 0.7));
    Shape legs = unite(capsule({cx - 1.3, 13.0}, {cx - 1.3, 14.3}, 0.75),
                       capsule({cx + 1.3, 13.0}, {cx + 1.3, 14.3}, 0.75));
    Shape body = unite({head, buns, bow, dress, arms, legs});
    sc.silhouette = grow(body, 0.8);
    sc.fill(sc.silhouette, ink);
    sc.fill(legs, hex(0x6A4399));
    sc.fill(dress, linear({0, 8}, {0, 13}, hex(0xFF8CA2), hex(kBowDark)));
    sc.fill(circle({cx - 1.2, 11.4}, 0.5), hex(kWhite));
    sc.fill(circle({cx + 1.4, 10.2}, 0.45), hex(kWhite));
    sc.fill(arms, hex(kSkin));
    sc.fill(buns, hex(kHair));
    sc.fill(head, hex(kHair));
    sc.fill(ellipse({cx, 5.9}, 2.7, 2.4), hex(kSkin));
    sc.fill(circle({cx - 1.5, 6.4}, 0.62), ink);
    sc.fill(circle({cx + 1.5, 6.4}, 0.62), ink);
    sc.fill(bow, hex(kBow));
    Image img = scaledImage(12, 16, dpi);
    render(sc, img, 0, 12);
    return img;
}

} // namespace art
