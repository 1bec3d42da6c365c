#include "large_scene.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "motifs.h"
#include "render.h"
#include "shapes.h"
#include "text.h"

namespace art {

namespace {

// 123: flower dial over a pendulum case; frame f swings the pendulum.
void largeFrame(Image& img, int f) {
    const V C{85.5, 89.5};
    Scene sc;
    const Col ink = hex(0x4A2544);
    sc.rim = ink;
    // case behind the flower
    Shape caseBody = rbox({85.5, 196.0}, 40.0, 52.0, 12.0);
    Shape plinth = rbox({85.5, 246.0}, 50.0, 7.0, 4.0);
    // flower: twelve round petals joined softly to a disc
    Shape flowerShape = circle(C, 66.0);
    std::vector<Shape> petals;
    for (int i = 0; i < 12; ++i) {
        petals.push_back(circle(polar(C, 66.0, i * 30.0), 14.6));
        flowerShape = smoothUnite(flowerShape, petals.back(), 3.0);
    }
    Shape all = unite({caseBody, plinth, flowerShape});
    sc.silhouette = grow(all, 1.2);
    sc.fill(sc.silhouette, ink);
    sc.fill(plinth, linear({0, 239}, {0, 253}, hex(kGoldLight), hex(kGoldDark)));
    sc.fill(caseBody, linear({45, 0}, {126, 0}, hex(0x9BE0CF), hex(0x4FAE9A)));
    // gold studs down the case sides
    for (int i = 0; i < 4; ++i)
        for (int k = -1; k <= 1; k += 2)
            sc.fill(circle({85.5 + 34.0 * k, 180.0 + i * 15.0}, 1.6), hex(kGold));
    // window with the pendulum
    Shape window = rbox({85.5, 205.0}, 27.0, 33.0, 9.0);
    sc.fill(grow(window, 2.4), hex(kGoldDark));
    sc.fill(grow(window, 1.6), hex(kGold));
    sc.fill(grow(window, 0.4), hex(0x2F6F66));
    sc.fill(window, linear({0, 172}, {0, 238}, hex(0xFFFBF3), hex(0xFCE7D6)));
    for (int gy = 0; gy < 9; ++gy)
        for (int gx = -3; gx <= 3; ++gx) {
            V d{85.5 + gx * 8.0 + (gy % 2 ? 4.0 : 0.0), 176.0 + gy * 8.0};
            sc.fill(intersect(circle(d, 1.3), window), hex(0xD9F0E9));
        }
    const double swing[5] = {-14.0, -7.0, 0.0, 7.0, 14.0};
    const V pivot{85.5, 160.0};
    auto along = [&](double l) { return pivot + rot(V{0, l}, deg(-swing[f])); };
    Shape rod = intersect(capsule(pivot, along(58.0), 1.4), window);
    Shape bob = intersect(circle(along(60.0), 10.0), window);
    sc.fill(intersect(capsule(pivot + V{1.5, 1.5}, along(58.0) + V{1.5, 1.5}, 1.4), window),
            hex(0xE9D3C4), 0.8);
    sc.fill(intersect(circle(along(60.0) + V{1.5, 1.5}, 10.0), window), hex(0xE9D3C4), 0.8);
    sc.fill(rod, hex(kGoldDark));
    sc.fill(intersect(grow(bob, 0.9), window), hex(0x8A5A12));
    V bc = along(60.0);
    sc.fill(bob, radial(bc + V{-3, -3}, 12.0, hex(kGoldLight), hex(kGold)));
    // Mina rides on the bob (it stays inside the window at full swing)
    mascotHead(sc, bc + V{0, 0.6}, 0.47);
    // flower dial: petals alternate pink and butter yellow
    sc.fill(flowerShape, hex(0xB5476E));
    for (int i = 0; i < 12; ++i) {
        Col a = i % 2 ? hex(0xFFE7A3) : hex(0xFFD0DD);
        Col b = i % 2 ? hex(0xF7C35C) : hex(0xF58FAE);
        V pc = polar(C, 66.0, i * 30.0);
        sc.fill(circle(pc, 13.4), radial(pc + (pc - C) * (-0.08), 15.0, a, b));
    }
    sc.fill(circle(C, 60.0), hex(0xFFEFF3));
    for (int i = 0; i < 36; ++i)
        sc.fill(circle(polar(C, 56.6, i * 10.0 + 5.0), 1.25), hex(i % 2 ? 0xFFC9D7 : 0xFFE08F));
    // boss: gold ring around a softly domed cream face
    sc.fill(circle(C, 53.0), hex(0x8A5A12));
    sc.fill(circle(C, 52.2), radial({C.x - 20, C.y - 20}, 80, hex(kGoldLight), hex(kGoldDark)));
    sc.fill(circle(C, 49.4), hex(0x8A5A12));
    sc.fill(circle(C, 48.8), radial({C.x - 12, C.y - 14}, 62, hex(kWhite), hex(0xFFF0DD)));
    for (int i = 0; i < 60; ++i) {
        if (i % 5 == 0)
            sc.fill(capsule(polar(C, 42.5, i * 6.0), polar(C, 46.5, i * 6.0), 1.1), hex(0x6A3A5E));
        else
            sc.fill(circle(polar(C, 45.5, i * 6.0), 0.7), hex(0xB49AB0));
    }
    // small flowers between the hour marks, inside the boss
    for (int i = 0; i < 12; ++i)
        flower(sc, polar(C, 34.0, i * 30.0 + 15.0), 3.6, hex(i % 2 ? kLilac : kPink));
    // hour numerals on the petals
    for (int i = 0; i < 12; ++i) {
        std::string s = std::to_string(i == 0 ? 12 : i);
        for (const Shape& g : textShapes(s, polar(C, 66.5, i * 30.0), 11.0, 1.8, 0.1))
            sc.fill(g, hex(kPlumText));
    }
    sc.fill(circle(C, 4.0), hex(kGoldDark));
    render(sc, img, f * 172, 171);
}

} // namespace

Image largeStrip(int dpi) {
    Image img = scaledImage(860, 256, dpi);
    for (int f = 0; f < 5; ++f)
        largeFrame(img, f);
    return img;
}

} // namespace art
