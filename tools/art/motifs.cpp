#include "motifs.h"

#include <algorithm>

namespace art {

Shape mascotHead(Scene& sc, V c, double s) {
    auto P = [&](double x, double y) { return V{c.x + x * s, c.y + y * s}; };
    double ow = std::max(1.0, 1.05 * s);
    Shape head = circle(P(0, 0.5), 10.8 * s);
    Shape bunL = circle(P(-10.7, -4.0), 4.7 * s), bunR = circle(P(10.7, -4.0), 4.7 * s);
    Shape loopL = ellipse(P(3.7, -8.7), 3.1 * s, 2.2 * s, deg(-22));
    Shape loopR = ellipse(P(9.3, -8.7), 3.1 * s, 2.2 * s, deg(22));
    Shape bow = unite({loopL, loopR, circle(P(6.5, -8.6), 1.5 * s)});
    Shape all = unite({head, bunL, bunR, bow});
    Shape sil = grow(all, ow);
    sc.fill(sil, hex(kInk));
    // buns, then the head over them with a thin dark seam
    sc.fill(bunL, radial(P(-11.8, -5.5), 5.5 * s, hex(kHairLight), hex(kHair)));
    sc.fill(bunR, radial(P(9.6, -5.5), 5.5 * s, hex(kHairLight), hex(kHair)));
    sc.fill(grow(head, 0.7 * s), hex(kHairDark));
    sc.fill(head, radial(P(-3, -6), 14 * s, hex(kHairLight), hex(kHair)));
    // face with scalloped fringe
    Shape face = ellipse(P(0, 2.7), 8.5 * s, 7.4 * s);
    sc.fill(face, radial(P(0, 1.0), 9 * s, hex(kSkin), hex(kSkinShade)));
    Shape fringe = intersect(unite({circle(P(-5.0, -4.0), 3.9 * s), circle(P(0, -3.4), 3.9 * s),
                                    circle(P(5.0, -4.0), 3.9 * s)}),
                             head);
    sc.fill(fringe, radial(P(-2, -7), 10 * s, hex(kHairLight), hex(kHair)));
    // shine on the hair
    sc.fill(capsule(P(-6.5, -6.6), P(-3.6, -8.6), 0.75 * s), hex(0xE4D4FA), 0.85);
    // eyes with a sparkle, rosy cheeks, a small smile
    for (int k = -1; k <= 1; k += 2) {
        // eyes never thinner than a pixel, so they read even on the icon
        sc.fill(ellipse(P(3.7 * k, 2.9), std::max(1.45 * s, 0.75), std::max(2.0 * s, 1.1)),
                hex(kInk));
        if (s >= 0.95)
            sc.fill(circle(P(3.7 * k + 0.5, 2.1), 0.5 * s), hex(kWhite));
        sc.fill(ellipse(P(6.0 * k, 5.6), 1.75 * s, 1.05 * s), hex(kCheek), 0.75);
    }
    Shape smile = intersect(ring(P(0, 5.0), 1.1 * s, 1.75 * s), halfPlaneBelow(P(0, 5.5).y));
    sc.fill(smile, hex(kBowDark));
    // bow with white polka dots
    sc.fill(grow(bow, 0.6 * s), hex(kInk));
    sc.fill(loopL, radial(P(3.0, -9.5), 3.5 * s, hex(0xFF8CA2), hex(kBow)));
    sc.fill(loopR, radial(P(8.6, -9.5), 3.5 * s, hex(0xFF8CA2), hex(kBow)));
    sc.fill(circle(P(3.3, -8.6), 0.65 * s), hex(kWhite));
    sc.fill(circle(P(9.7, -8.6), 0.65 * s), hex(kWhite));
    sc.fill(circle(P(6.5, -8.6), 1.45 * s), hex(kBowDark));
    return sil;
}

void flower(Scene& sc, V c, double r, Col petal) {
    for (int i = 0; i < 5; ++i) {
        V pc = polar(c, r * 0.55, i * 72.0);
        sc.fill(circle(pc, r * 0.5), petal);
    }
    sc.fill(circle(c, r * 0.36), hex(0xFFD35C));
}

Image iconPicture(int px) {
    Scene sc;
    sc.rim = hex(kInk);
    sc.silhouette = mascotHead(sc, {16.0, 16.5}, 0.93);
    Image img(px, px);
    img.dpi = 96 * px / 32;
    render(sc, img, 0, 32);
    return img;
}

} // namespace art
