// A picture as the writers see it: 8-bit sRGB pixels and a mask of the
// pixels inside the outline.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb {
    uint8_t r, g, b;
    bool operator<(const Rgb& o) const { return pack() < o.pack(); }
    bool operator==(const Rgb& o) const { return pack() == o.pack(); }
    uint32_t pack() const { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
};

struct Image {
    int w = 0, h = 0;
    // The dots per inch the picture is drawn for: its scenes are written at 96, and the renderer
    // maps every sample back to them (render.h).
    int dpi = 96;
    std::vector<Rgb> px;
    std::vector<uint8_t> opaque;
    Image(int W, int H) : w(W), h(H), px(size_t(W) * H, Rgb{0, 0, 0}), opaque(size_t(W) * H, 0) {}
};

// A picture of W x H pixels at 96 dots per inch, drawn for dpi: its size rounded by the program's
// own rule, so the window and the hands fit it.
Image scaledImage(int W, int H, int dpi);

} // namespace art
