// Colours, scenes and the renderer.
//
// Drawing model: each picture is a list of layers, each layer a shape given
// by a signed distance function (negative inside, in pixels) and a colour.
// Every pixel is supersampled; the window outline, however, is decided by
// a separate silhouette shape with a hard 50 % coverage threshold, and
// samples outside the silhouette take the picture's own rim colour, so
// no edge pixel is ever blended with the key colour.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "image.h"
#include "shapes.h"

namespace art {

// Colours are kept in linear light while mixing so anti-aliased edges keep
// their brightness; they are turned back into sRGB bytes at the end.
struct Col {
    double r, g, b;
};
inline double toLin(double c8) {
    double c = c8 / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
inline Col hex(uint32_t h) {
    return {toLin((h >> 16) & 255), toLin((h >> 8) & 255), toLin(h & 255)};
}
inline Col mix(Col a, Col b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

using Paint = std::function<Col(V)>;

struct Layer {
    Shape shape;
    Paint paint;
    double alpha;
};

struct Scene {
    Col rim;                   // colour of samples outside the silhouette
    Shape silhouette;          // decides the hard outline
    std::vector<Layer> layers; // painted bottom to top
    void fill(const Shape& s, Col c, double a = 1.0) {
        layers.push_back({s, [c](V) { return c; }, a});
    }
    void fill(const Shape& s, Paint p, double a = 1.0) { layers.push_back({s, std::move(p), a}); }
};

// Radial shading: inner colour at the centre c, outer colour at distance r.
Paint radial(V c, double r, Col inner, Col outer);
// Linear shading from point a (colour ca) to point b (colour cb).
Paint linear(V a, V b, Col ca, Col cb);

// Renders scene into img at column offset ox, fw columns wide (frames of the
// strip share one image), both counted at 96 dots per inch like the scene;
// the picture's own dpi scales them.
void render(const Scene& sc, Image& img, int ox, int fw);

} // namespace art
