// artgen: draws every picture of the clock (dials, ornaments, overlay, icon)
// from geometry written here, and writes them as 8-bit BMP / ICO files.
//
// Drawing model: each picture is a list of layers, each layer a shape given
// by a signed distance function (negative inside, in pixels) and a colour.
// Every pixel is supersampled; the window outline, however, is decided by
// a separate silhouette shape with a hard 50 % coverage threshold, and
// samples outside the silhouette take the picture's own rim colour, so
// no edge pixel is ever blended with the key colour.
//
// Usage: artgen OUTDIR   (writes OUTDIR/*.bmp and OUTDIR/clock.ico)

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- geometry

struct V {
    double x, y;
};
V operator+(V a, V b) { return {a.x + b.x, a.y + b.y}; }
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y}; }
V operator*(V a, double s) { return {a.x * s, a.y * s}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y; }
double len(V a) { return std::sqrt(dot(a, a)); }
V rot(V a, double ang) {
    double c = std::cos(ang), s = std::sin(ang);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}
double deg(double d) { return d * kPi / 180.0; }
// Point on a circle, angle in degrees clockwise from 12 o'clock.
V polar(V c, double r, double angDeg) {
    return {c.x + r * std::sin(deg(angDeg)), c.y - r * std::cos(deg(angDeg))};
}

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double segDist(V p, V a, V b) {
    V pa = p - a, ba = b - a;
    double bb = dot(ba, ba);
    double h = bb > 0 ? clamp01(dot(pa, ba) / bb) : 0.0;
    return len(pa - ba * h);
}

// A shape: signed distance in pixels plus a bounding box that lets the
// renderer skip it cheaply.
struct Shape {
    std::function<double(V)> f;
    double x0 = -1e9, y0 = -1e9, x1 = 1e9, y1 = 1e9;
    double operator()(V p) const {
        if (p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1) return 1e3;
        return f(p);
    }
};

Shape boxed(std::function<double(V)> f, double x0, double y0, double x1, double y1) {
    Shape s;
    s.f = std::move(f);
    s.x0 = x0 - 1.5;
    s.y0 = y0 - 1.5;
    s.x1 = x1 + 1.5;
    s.y1 = y1 + 1.5;
    return s;
}

Shape circle(V c, double r) {
    return boxed([=](V p) { return len(p - c) - r; }, c.x - r, c.y - r, c.x + r, c.y + r);
}

// Ellipse, optionally turned by ang radians; the distance is approximate but
// smooth, which is all the anti-aliasing needs.
Shape ellipse(V c, double rx, double ry, double ang = 0) {
    double m = std::max(rx, ry);
    return boxed(
        [=](V p) {
            V q = rot(p - c, -ang);
            double k = std::sqrt((q.x / rx) * (q.x / rx) + (q.y / ry) * (q.y / ry));
            // gradient-normalised so the edge width stays close to one pixel
            double gx = q.x / (rx * rx), gy = q.y / (ry * ry);
            double g = std::sqrt(gx * gx + gy * gy);
            if (k < 1e-9 || g < 1e-12) return -std::min(rx, ry);
            return (k * k - 1.0) / (2.0 * g);
        },
        c.x - m, c.y - m, c.x + m, c.y + m);
}

Shape capsule(V a, V b, double r) {
    return boxed([=](V p) { return segDist(p, a, b) - r; }, std::min(a.x, b.x) - r,
                 std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r);
}

// Rounded rectangle centred on c, half sizes hw/hh, corner radius rad, turned by ang.
Shape rbox(V c, double hw, double hh, double rad, double ang = 0) {
    double m = std::sqrt(hw * hw + hh * hh);
    return boxed(
        [=](V p) {
            V q = rot(p - c, -ang);
            double qx = std::fabs(q.x) - (hw - rad), qy = std::fabs(q.y) - (hh - rad);
            double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
            return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - rad;
        },
        c.x - m, c.y - m, c.x + m, c.y + m);
}

// Filled polygon (any simple polygon).
Shape polygon(std::vector<V> v) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (V q : v) {
        x0 = std::min(x0, q.x);
        y0 = std::min(y0, q.y);
        x1 = std::max(x1, q.x);
        y1 = std::max(y1, q.y);
    }
    return boxed(
        [=](V p) {
            size_t n = v.size();
            double d = dot(p - v[0], p - v[0]);
            double s = 1.0;
            for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
                V e = v[j] - v[i], w = p - v[i];
                V b = w - e * clamp01(dot(w, e) / dot(e, e));
                d = std::min(d, dot(b, b));
                bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
                if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
            }
            return s * std::sqrt(d);
        },
        x0, y0, x1, y1);
}

Shape unite(Shape a, Shape b) {
    return boxed([=](V p) { return std::min(a(p), b(p)); }, std::min(a.x0, b.x0), std::min(a.y0, b.y0),
                 std::max(a.x1, b.x1), std::max(a.y1, b.y1));
}
Shape unite(std::vector<Shape> v) {
    Shape s = v[0];
    for (size_t i = 1; i < v.size(); ++i) s = unite(s, v[i]);
    return s;
}
// Union with a rounded joint of size k (soft minimum).
Shape smoothUnite(Shape a, Shape b, double k) {
    return boxed(
        [=](V p) {
            double da = a(p), db = b(p);
            double h = clamp01(0.5 + 0.5 * (db - da) / k);
            return db * (1 - h) + da * h - k * h * (1 - h);
        },
        std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1));
}
Shape intersect(Shape a, Shape b) {
    Shape s = boxed([=](V p) { return std::max(a(p), b(p)); }, std::max(a.x0, b.x0), std::max(a.y0, b.y0),
                    std::min(a.x1, b.x1), std::min(a.y1, b.y1));
    return s;
}
// Grows (d > 0) or shrinks a shape.
Shape grow(Shape a, double d) {
    return boxed([=](V p) { return a(p) - d; }, a.x0 - d, a.y0 - d, a.x1 + d, a.y1 + d);
}
Shape ring(V c, double r0, double r1) {
    return boxed([=](V p) { double l = len(p - c); return std::max(r0 - l, l - r1); }, c.x - r1, c.y - r1,
                 c.x + r1, c.y + r1);
}
Shape halfPlaneBelow(double y) {  // everything with p.y > y
    return Shape{[=](V p) { return y - p.y; }};
}

// ---------------------------------------------------------------- colour

// Colours are kept in linear light while mixing so anti-aliased edges keep
// their brightness; they are turned back into sRGB bytes at the end.
struct Col {
    double r, g, b;
};
double toLin(double c8) {
    double c = c8 / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
int toByte(double l) {
    l = clamp01(l);
    double c = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
    int v = static_cast<int>(std::floor(c * 255.0 + 0.5));
    return std::min(255, std::max(0, v));
}
Col hex(uint32_t h) { return {toLin((h >> 16) & 255), toLin((h >> 8) & 255), toLin(h & 255)}; }
Col mix(Col a, Col b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// ---------------------------------------------------------------- scene

using Paint = std::function<Col(V)>;

struct Layer {
    Shape shape;
    Paint paint;
    double alpha;
};

struct Scene {
    Col rim;                     // colour of samples outside the silhouette
    Shape silhouette;            // decides the hard outline
    std::vector<Layer> layers;   // painted bottom to top
    void fill(const Shape& s, Col c, double a = 1.0) {
        layers.push_back({s, [c](V) { return c; }, a});
    }
    void fill(const Shape& s, Paint p, double a = 1.0) { layers.push_back({s, std::move(p), a}); }
};

// Radial shading: inner colour at the centre c, outer colour at distance r.
Paint radial(V c, double r, Col inner, Col outer) {
    return [=](V p) { return mix(inner, outer, clamp01(len(p - c) / r)); };
}
// Linear shading from point a (colour ca) to point b (colour cb).
Paint linear(V a, V b, Col ca, Col cb) {
    return [=](V p) {
        V ab = b - a;
        return mix(ca, cb, clamp01(dot(p - a, ab) / dot(ab, ab)));
    };
}

struct Rgb {
    uint8_t r, g, b;
    bool operator<(const Rgb& o) const { return pack() < o.pack(); }
    bool operator==(const Rgb& o) const { return pack() == o.pack(); }
    uint32_t pack() const { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
};

struct Image {
    int w = 0, h = 0;
    std::vector<Rgb> px;
    std::vector<uint8_t> opaque;
    Image(int W, int H) : w(W), h(H), px(size_t(W) * H, Rgb{0, 0, 0}), opaque(size_t(W) * H, 0) {}
};

const int kSS = 5;  // samples per pixel side

// Renders scene into img at column offset ox (frames of the strip share one scene).
void render(const Scene& sc, Image& img, int ox, int fw) {
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < fw; ++x) {
            Col acc{0, 0, 0};
            int inside = 0;
            for (int sy = 0; sy < kSS; ++sy) {
                for (int sx = 0; sx < kSS; ++sx) {
                    V p{x + (sx + 0.5) / kSS, y + (sy + 0.5) / kSS};
                    if (sc.silhouette(p) < 0) ++inside;
                    Col c = sc.rim;
                    for (const Layer& L : sc.layers) {
                        double d = L.shape(p);
                        if (d > 0.5 / kSS) continue;
                        double cov = clamp01(0.5 - d * kSS) * L.alpha;
                        if (cov <= 0) continue;
                        c = mix(c, L.paint(p), cov);
                    }
                    acc.r += c.r;
                    acc.g += c.g;
                    acc.b += c.b;
                }
            }
            const double n = kSS * kSS;
            size_t i = size_t(y) * img.w + ox + x;
            img.opaque[i] = (2 * inside >= kSS * kSS) ? 1 : 0;
            img.px[i] = Rgb{uint8_t(toByte(acc.r / n)), uint8_t(toByte(acc.g / n)), uint8_t(toByte(acc.b / n))};
        }
    }
}

// ---------------------------------------------------------------- lettering

// A small stroke font of our own: cap height 1, baseline y = 0, y up.
struct Glyph {
    double width;
    std::vector<std::vector<V>> strokes;
};

std::vector<V> arcPts(V c, double rx, double ry, double a0, double a1, int n = 24) {
    std::vector<V> v;
    for (int i = 0; i <= n; ++i) {
        double a = deg(a0 + (a1 - a0) * i / n);
        v.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
    }
    return v;
}
std::vector<V> bez(V a, V b, V c, int n = 16) {
    std::vector<V> v;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n, u = 1 - t;
        v.push_back(a * (u * u) + b * (2 * u * t) + c * (t * t));
    }
    return v;
}
std::vector<V> join(std::vector<V> a, const std::vector<V>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::map<char, Glyph>& font() {
    static std::map<char, Glyph> f;
    if (!f.empty()) return f;
    f['0'] = {0.6, {arcPts({0.3, 0.5}, 0.29, 0.5, 0, 360, 40)}};
    f['1'] = {0.42, {{{0.06, 0.76}, {0.3, 1.0}, {0.3, 0.0}}}};
    f['2'] = {0.6, {join(arcPts({0.3, 0.72}, 0.27, 0.28, 160, -30), {{0.03, 0.0}, {0.6, 0.0}})}};
    f['3'] = {0.6, {arcPts({0.29, 0.765}, 0.25, 0.235, 150, -90), arcPts({0.29, 0.265}, 0.29, 0.265, 90, -150)}};
    f['4'] = {0.62, {{{0.46, 0.0}, {0.46, 1.0}, {0.02, 0.3}, {0.62, 0.3}}}};
    f['5'] = {0.6, {join({{0.54, 1.0}, {0.12, 1.0}, {0.08, 0.56}}, arcPts({0.3, 0.32}, 0.3, 0.32, 128, -150))}};
    f['6'] = {0.6, {arcPts({0.3, 0.3}, 0.29, 0.3, 0, 360, 36), bez({0.01, 0.32}, {0.02, 0.88}, {0.48, 1.0})}};
    f['7'] = {0.58, {{{0.02, 1.0}, {0.58, 1.0}, {0.2, 0.0}}}};
    f['8'] = {0.6, {arcPts({0.3, 0.765}, 0.24, 0.235, 0, 360, 32), arcPts({0.3, 0.265}, 0.29, 0.265, 0, 360, 32)}};
    f['9'] = {0.6, {arcPts({0.3, 0.7}, 0.29, 0.3, 0, 360, 36), bez({0.59, 0.68}, {0.58, 0.12}, {0.12, 0.0})}};
    f['A'] = {0.66, {{{0.0, 0.0}, {0.33, 1.0}, {0.66, 0.0}}, {{0.12, 0.34}, {0.54, 0.34}}}};
    f['C'] = {0.66, {arcPts({0.36, 0.5}, 0.36, 0.5, 48, 312)}};
    f['G'] = {0.7, {arcPts({0.36, 0.5}, 0.36, 0.5, 45, 320), {{0.42, 0.44}, {0.7, 0.44}, {0.7, 0.14}}}};
    f['K'] = {0.58, {{{0.0, 0.0}, {0.0, 1.0}}, {{0.56, 1.0}, {0.0, 0.38}}, {{0.2, 0.6}, {0.6, 0.0}}}};
    f['L'] = {0.5, {{{0.0, 1.0}, {0.0, 0.0}, {0.5, 0.0}}}};
    f['M'] = {0.76, {{{0.0, 0.0}, {0.0, 1.0}, {0.38, 0.28}, {0.76, 1.0}, {0.76, 0.0}}}};
    f['N'] = {0.62, {{{0.0, 0.0}, {0.0, 1.0}, {0.62, 0.0}, {0.62, 1.0}}}};
    f['O'] = {0.76, {arcPts({0.38, 0.5}, 0.38, 0.5, 0, 360, 40)}};
    f['P'] = {0.56, {join({{0.0, 0.0}, {0.0, 1.0}, {0.28, 1.0}}, join(arcPts({0.28, 0.74}, 0.27, 0.26, 90, -90), {{0.0, 0.48}}))}};
    f['I'] = {0.0, {{{0.0, 0.0}, {0.0, 1.0}}}};
    f[' '] = {0.35, {}};
    // Roman numerals with bar serifs: neighbouring serifs run together into
    // the continuous top and bottom rules of a classic chapter ring.
    f['i'] = {0.3, {{{0.15, 0.0}, {0.15, 1.0}}, {{0.0, 0.0}, {0.3, 0.0}}, {{0.0, 1.0}, {0.3, 1.0}}}};
    f['v'] = {0.62, {{{0.05, 1.0}, {0.31, 0.0}, {0.57, 1.0}}, {{-0.04, 1.0}, {0.2, 1.0}}, {{0.42, 1.0}, {0.66, 1.0}}}};
    f['x'] = {0.6, {{{0.06, 1.0}, {0.54, 0.0}}, {{0.54, 1.0}, {0.06, 0.0}}, {{-0.02, 1.0}, {0.62, 1.0}}, {{-0.02, 0.0}, {0.62, 0.0}}}};
    return f;
}

// Total advance of a string in cap heights.
double textWidth(const std::string& s, double tracking) {
    double w = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        w += font().at(s[i]).width;
        if (i + 1 < s.size()) w += tracking;
    }
    return w;
}

// One glyph whose box centre is at c, cap height h px, stroke width sw px,
// turned by ang radians (0 = upright).
Shape glyphShape(char ch, V c, double h, double sw, double ang) {
    const Glyph& g = font().at(ch);
    std::vector<std::vector<V>> strokes = g.strokes;
    double gw = g.width;
    double m = h * (std::max(gw, 1.0) * 0.5 + 0.6) + sw;
    return boxed(
        [=](V p) {
            V q = rot(p - c, -ang) * (1.0 / h);
            V gp{q.x + gw * 0.5, 0.5 - q.y};  // into glyph space, y up
            double d = 1e9;
            for (const auto& st : strokes) {
                if (st.size() == 1) d = std::min(d, len(gp - st[0]));
                for (size_t i = 0; i + 1 < st.size(); ++i) d = std::min(d, segDist(gp, st[i], st[i + 1]));
            }
            return d * h - sw * 0.5;
        },
        c.x - m, c.y - m, c.x + m, c.y + m);
}

// Upright text centred on c.
std::vector<Shape> textShapes(const std::string& s, V c, double h, double sw, double tracking) {
    std::vector<Shape> out;
    double x = c.x - textWidth(s, tracking) * h * 0.5;
    for (char ch : s) {
        double gw = font().at(ch).width;
        if (ch != ' ') out.push_back(glyphShape(ch, {x + gw * h * 0.5, c.y}, h, sw, 0));
        x += (gw + tracking) * h;
    }
    return out;
}

// Text along a circle of radius r around c, centred on angle mid (degrees
// clockwise from 12). outward: tops point away from the centre and the text
// runs clockwise (for the top of a ring); otherwise tops point inwards and
// it runs anticlockwise (for the bottom, so both read left to right).
std::vector<Shape> arcText(const std::string& s, V c, double r, double mid, double h, double sw, double tracking,
                           bool outward) {
    std::vector<Shape> out;
    double total = textWidth(s, tracking) * h;
    double pos = -total * 0.5;
    for (char ch : s) {
        double gw = font().at(ch).width * h;
        double along = pos + gw * 0.5;
        double a = outward ? mid + along / r * 180.0 / kPi : mid - along / r * 180.0 / kPi;
        V gc = polar(c, r, a);
        double turn = outward ? deg(a) : deg(a - 180.0);
        if (ch != ' ') out.push_back(glyphShape(ch, gc, h, sw, turn));
        pos += gw + tracking * h;
    }
    return out;
}

// ---------------------------------------------------------------- palette

// The mascot, "Mina": a round-faced little girl with violet hair worn in two
// side buns and a coral polka-dot bow.
const uint32_t kInk = 0x3B2140;      // outline plum
const uint32_t kHair = 0x8B5FBF;
const uint32_t kHairDark = 0x6A4399;
const uint32_t kHairLight = 0xB596E3;
const uint32_t kSkin = 0xFFE6D3;
const uint32_t kSkinShade = 0xF6CDB6;
const uint32_t kCheek = 0xFF93AA;
const uint32_t kBow = 0xFF5D7A;
const uint32_t kBowDark = 0xD93A5C;
const uint32_t kCream = 0xFFF8EC;
const uint32_t kWhite = 0xFFFFFF;
const uint32_t kGold = 0xF2C14E;
const uint32_t kGoldDark = 0xC98F1E;
const uint32_t kGoldLight = 0xFFE49A;
const uint32_t kMint = 0x7FD1BE;
const uint32_t kMintDark = 0x3E8F80;
const uint32_t kPink = 0xFFB3C6;
const uint32_t kLilac = 0xCDB6F2;
const uint32_t kPlumText = 0x5B2A4E;

// Head emblem in design units (about 33 x 25), centred on c, scaled by s.
// Returns the silhouette (outline included).
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
        sc.fill(ellipse(P(3.7 * k, 2.9), std::max(1.45 * s, 0.75), std::max(2.0 * s, 1.1)), hex(kInk));
        if (s >= 0.95) sc.fill(circle(P(3.7 * k + 0.5, 2.1), 0.5 * s), hex(kWhite));
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

// A little five-petal flower.
void flower(Scene& sc, V c, double r, Col petal) {
    for (int i = 0; i < 5; ++i) {
        V pc = polar(c, r * 0.55, i * 72.0);
        sc.fill(circle(pc, r * 0.5), petal);
    }
    sc.fill(circle(c, r * 0.36), hex(0xFFD35C));
}

// ---------------------------------------------------------------- quantiser

struct Box {
    std::vector<std::pair<Rgb, uint32_t>> cols;
};

// Median cut on the distinct colours followed by a few k-means passes;
// deterministic (no randomness, stable orderings).
std::vector<Rgb> quantise(const std::vector<Rgb>& pixels, size_t maxColours) {
    std::map<Rgb, uint32_t> hist;
    for (const Rgb& p : pixels) hist[p]++;
    std::vector<std::pair<Rgb, uint32_t>> uniq(hist.begin(), hist.end());
    if (uniq.size() <= maxColours) {
        std::vector<Rgb> pal;
        for (auto& u : uniq) pal.push_back(u.first);
        return pal;
    }
    std::vector<Box> boxes(1);
    boxes[0].cols = uniq;
    auto chan = [](const Rgb& c, int k) { return k == 0 ? c.r : (k == 1 ? c.g : c.b); };
    while (boxes.size() < maxColours) {
        int best = -1;
        double bestScore = 0;
        int bestChan = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].cols.size() < 2) continue;
            int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
            uint64_t cnt = 0;
            for (auto& c : boxes[i].cols) {
                for (int k = 0; k < 3; ++k) {
                    lo[k] = std::min<int>(lo[k], chan(c.first, k));
                    hi[k] = std::max<int>(hi[k], chan(c.first, k));
                }
                cnt += c.second;
            }
            int ch = 0;
            for (int k = 1; k < 3; ++k)
                if (hi[k] - lo[k] > hi[ch] - lo[ch]) ch = k;
            double score = double(hi[ch] - lo[ch]) * std::sqrt(double(cnt));
            if (score > bestScore) {
                bestScore = score;
                best = int(i);
                bestChan = ch;
            }
        }
        if (best < 0) break;
        auto& cols = boxes[best].cols;
        std::stable_sort(cols.begin(), cols.end(), [&](const std::pair<Rgb, uint32_t>& a, const std::pair<Rgb, uint32_t>& b) {
            return chan(a.first, bestChan) < chan(b.first, bestChan);
        });
        uint64_t total = 0, run = 0;
        for (auto& c : cols) total += c.second;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < cols.size(); ++i) {
            run += cols[i].second;
            cut = i + 1;
            if (2 * run >= total) break;
        }
        Box nb;
        nb.cols.assign(cols.begin() + long(cut), cols.end());
        cols.resize(cut);
        boxes.push_back(nb);
    }
    std::vector<std::array<double, 3>> centre;
    for (auto& b : boxes) {
        double s[3] = {0, 0, 0}, n = 0;
        for (auto& c : b.cols) {
            for (int k = 0; k < 3; ++k) s[k] += chan(c.first, k) * double(c.second);
            n += c.second;
        }
        centre.push_back({s[0] / n, s[1] / n, s[2] / n});
    }
    for (int iter = 0; iter < 6; ++iter) {
        std::vector<std::array<double, 4>> acc(centre.size(), {0, 0, 0, 0});
        for (auto& u : uniq) {
            size_t bi = 0;
            double bd = 1e30;
            for (size_t i = 0; i < centre.size(); ++i) {
                double dr = u.first.r - centre[i][0], dg = u.first.g - centre[i][1], db = u.first.b - centre[i][2];
                double d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
                if (d < bd) {
                    bd = d;
                    bi = i;
                }
            }
            acc[bi][0] += u.first.r * double(u.second);
            acc[bi][1] += u.first.g * double(u.second);
            acc[bi][2] += u.first.b * double(u.second);
            acc[bi][3] += u.second;
        }
        for (size_t i = 0; i < centre.size(); ++i)
            if (acc[i][3] > 0) centre[i] = {acc[i][0] / acc[i][3], acc[i][1] / acc[i][3], acc[i][2] / acc[i][3]};
    }
    std::vector<Rgb> pal;
    for (auto& c : centre)
        pal.push_back(Rgb{uint8_t(std::lround(c[0])), uint8_t(std::lround(c[1])), uint8_t(std::lround(c[2]))});
    std::sort(pal.begin(), pal.end());
    pal.erase(std::unique(pal.begin(), pal.end()), pal.end());
    return pal;
}

size_t nearest(const std::vector<Rgb>& pal, size_t first, Rgb c) {
    size_t bi = first;
    long bd = -1;
    for (size_t i = first; i < pal.size(); ++i) {
        long dr = long(c.r) - pal[i].r, dg = long(c.g) - pal[i].g, db = long(c.b) - pal[i].b;
        long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (bd < 0 || d < bd) {
            bd = d;
            bi = i;
        }
    }
    return bi;
}

// ---------------------------------------------------------------- writers

void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

// 8-bit BMP with 236 table entries; entry 0 holds the key, the rest come
// from the picture's own colours.
std::vector<uint8_t> makeBmp(const Image& img, Rgb key) {
    const size_t kEntries = 236;
    std::vector<Rgb> opaquePx;
    for (size_t i = 0; i < img.px.size(); ++i)
        if (img.opaque[i]) opaquePx.push_back(img.px[i]);
    std::vector<Rgb> pal{key};
    for (Rgb c : quantise(opaquePx, kEntries - 1)) {
        if (c == key) c.g = uint8_t(c.g - 1);  // the key must stay unique
        pal.push_back(c);
    }
    // Unused entries: a grey ramp of the picture's own (never the key).
    for (size_t i = pal.size(); i < kEntries; ++i) {
        uint8_t v = uint8_t((i * 255) / kEntries);
        pal.push_back(Rgb{v, v, v});
    }
    std::map<uint32_t, uint8_t> cache;
    std::vector<uint8_t> idx(img.px.size(), 0);
    size_t realColours = std::min(kEntries, pal.size());
    for (size_t i = 0; i < img.px.size(); ++i) {
        if (!img.opaque[i]) continue;
        auto it = cache.find(img.px[i].pack());
        if (it != cache.end()) {
            idx[i] = it->second;
            continue;
        }
        std::vector<Rgb> sub(pal.begin(), pal.begin() + long(realColours));
        uint8_t k = uint8_t(nearest(sub, 1, img.px[i]));
        cache[img.px[i].pack()] = k;
        idx[i] = k;
    }
    const uint32_t row = uint32_t((img.w + 3) & ~3);
    const uint32_t imageSize = row * uint32_t(img.h);
    const uint32_t offBits = 14 + 40 + uint32_t(kEntries) * 4;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, offBits + imageSize);
    put32(b, 0);
    put32(b, offBits);
    put32(b, 40);
    put32(b, uint32_t(img.w));
    put32(b, uint32_t(img.h));
    put16(b, 1);
    put16(b, 8);
    put32(b, 0);  // BI_RGB
    put32(b, imageSize);
    put32(b, 0);
    put32(b, 0);
    put32(b, uint32_t(kEntries));
    put32(b, 0);
    for (size_t i = 0; i < kEntries; ++i) {
        b.push_back(pal[i].b);
        b.push_back(pal[i].g);
        b.push_back(pal[i].r);
        b.push_back(0);
    }
    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x) b.push_back(idx[size_t(y) * img.w + x]);
        for (uint32_t x = uint32_t(img.w); x < row; ++x) b.push_back(0);
    }
    return b;
}

// One icon image (BITMAPINFOHEADER + table + XOR bits + AND mask).
std::vector<uint8_t> iconImage(const Image& img, int bpp) {
    const size_t entries = size_t(1) << bpp;
    std::vector<Rgb> opaquePx;
    for (size_t i = 0; i < img.px.size(); ++i)
        if (img.opaque[i]) opaquePx.push_back(img.px[i]);
    std::vector<Rgb> pal{Rgb{0, 0, 0}};  // entry 0 under transparent pixels
    for (Rgb c : quantise(opaquePx, entries - 1)) pal.push_back(c);
    size_t real = pal.size();
    while (pal.size() < entries) pal.push_back(Rgb{0, 0, 0});
    std::vector<Rgb> sub(pal.begin(), pal.begin() + long(real));
    std::vector<uint8_t> b;
    put32(b, 40);
    put32(b, uint32_t(img.w));
    put32(b, uint32_t(img.h * 2));
    put16(b, 1);
    put16(b, uint16_t(bpp));
    put32(b, 0);
    const uint32_t xorRow = uint32_t(((img.w * bpp + 31) / 32) * 4);
    const uint32_t andRow = uint32_t(((img.w + 31) / 32) * 4);
    put32(b, (xorRow + andRow) * uint32_t(img.h));
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    for (size_t i = 0; i < entries; ++i) {
        b.push_back(pal[i].b);
        b.push_back(pal[i].g);
        b.push_back(pal[i].r);
        b.push_back(0);
    }
    for (int y = img.h - 1; y >= 0; --y) {
        std::vector<uint8_t> r(xorRow, 0);
        for (int x = 0; x < img.w; ++x) {
            size_t i = size_t(y) * img.w + x;
            uint8_t k = img.opaque[i] ? uint8_t(nearest(sub, 1, img.px[i])) : 0;
            if (bpp == 8)
                r[size_t(x)] = k;
            else
                r[size_t(x) / 2] |= uint8_t(x % 2 == 0 ? k << 4 : k);
        }
        b.insert(b.end(), r.begin(), r.end());
    }
    for (int y = img.h - 1; y >= 0; --y) {
        std::vector<uint8_t> r(andRow, 0);
        for (int x = 0; x < img.w; ++x)
            if (!img.opaque[size_t(y) * img.w + x]) r[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

std::vector<uint8_t> makeIco(const Image& img) {
    std::vector<uint8_t> i4 = iconImage(img, 4), i8 = iconImage(img, 8);
    std::vector<uint8_t> b;
    put16(b, 0);
    put16(b, 1);
    put16(b, 2);
    uint32_t off = 6 + 2 * 16;
    const std::vector<uint8_t>* imgs[2] = {&i4, &i8};
    for (int k = 0; k < 2; ++k) {
        b.push_back(uint8_t(img.w));
        b.push_back(uint8_t(img.h));
        b.push_back(k == 0 ? 16 : 0);
        b.push_back(0);
        put16(b, 1);
        put16(b, k == 0 ? 4 : 8);
        put32(b, uint32_t(imgs[k]->size()));
        put32(b, off);
        off += uint32_t(imgs[k]->size());
    }
    b.insert(b.end(), i4.begin(), i4.end());
    b.insert(b.end(), i8.begin(), i8.end());
    return b;
}

// ---------------------------------------------------------------- pictures

const Rgb kKeyCyan{0, 254, 255};
const Rgb kKeyGreen{0, 254, 0};

// 117: the head emblem over the small dial's centre (hands pass behind it).
Image smallOverlay() {
    Scene sc;
    sc.rim = hex(kInk);
    sc.silhouette = mascotHead(sc, {50.5, 80.6}, 0.97);
    Image img(101, 128);
    render(sc, img, 0, 101);
    return img;
}

// 118: small alarm clock.
Image smallDial() {
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
        auto L = [&](double u, double v) { return base + rot(V{u, -v}, turn); };  // v outwards
        Shape dome = intersect(circle(L(0, 6.0), 15.6), Shape{[=](V p) {
                                   V q = rot(p - base, -turn);
                                   return q.y - 0.0;  // keep the half away from the case (v >= 0)
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
    Shape body = unite({parts[0], bells[0], bells[1], stems[0], stems[1], knobs[0], knobs[1], feet[0], feet[1],
                        hammerPost, hammer});
    sc.silhouette = grow(body, 1.1);
    sc.fill(sc.silhouette, ink);
    // feet and stems
    for (int i = 0; i < 2; ++i) {
        sc.fill(feet[size_t(i)], linear({0, 110}, {0, 128}, hex(kGoldLight), hex(kGoldDark)));
        sc.fill(stems[size_t(i)], hex(kGoldDark));
    }
    sc.fill(hammerPost, hex(kGoldDark));
    sc.fill(hammer, radial({C.x - 1.2, C.y - R - 11.8}, 4.0, hex(kGoldLight), hex(kGold)));
    for (int i = 0; i < 2; ++i) {
        double k = i == 0 ? -1 : 1;
        V top = polar(C, R + 15, 34.0 * k);
        sc.fill(bells[size_t(i)], radial(top + V{-4.0 * 1, -4.0}, 19.0, hex(kGoldLight), hex(kGold)));
        sc.fill(knobs[size_t(i)], radial(top, 26.0, hex(kGoldLight), hex(kGold)));
        // a soft shine on each dome
        V sh = polar(C, R + 12.0, 34.0 * k - 6.0 * k);
        sc.fill(ellipse(sh + V{-2.0, -1.5}, 2.2, 4.0, deg(34.0 * k)), hex(0xFFF4CC), 0.7);
    }
    // case: coral ring with a darker seam, gold bezel, cream dial
    sc.fill(grow(parts[0], 0.0), radial({C.x - 14, C.y - 16}, 60, hex(0xFF9FB2), hex(0xF0687F)));
    for (int i = 0; i < 16; ++i) sc.fill(circle(polar(C, 41.0, i * 22.5 + 11.25), 1.05), hex(0xFFE3EA), 0.9);
    sc.fill(circle(C, 38.6), hex(kGoldDark));
    sc.fill(circle(C, 37.7), hex(kGold));
    sc.fill(circle(C, 36.2), radial({C.x, C.y - 8}, 40, hex(kWhite), hex(0xFFF1DE)));
    // faint polka dots on the dial
    for (int gy = -4; gy <= 4; ++gy)
        for (int gx = -4; gx <= 4; ++gx) {
            V d = C + V{gx * 8.0 + (gy % 2 ? 4.0 : 0.0), gy * 8.0};
            if (len(d - C) < 31.0 && len(d - C) > 14.0) sc.fill(circle(d, 1.2), hex(0xFFE0E7), 0.8);
        }
    // numerals 12 3 6 9 and flowers at the other hours
    const Col num = hex(kPlumText);
    const double rn = 29.5;
    const char* labels[4] = {"12", "3", "6", "9"};
    for (int i = 0; i < 12; ++i) {
        V p = polar(C, rn, i * 30.0);
        if (i % 3 == 0) {
            for (const Shape& g : textShapes(labels[i / 3], p, 8.0, 1.45, 0.14)) sc.fill(g, num);
        } else {
            static const uint32_t petals[4] = {kPink, kLilac, kMint, 0xFFC38A};
            flower(sc, polar(C, rn + 1.0, i * 30.0), 4.2, hex(petals[i % 4]));
        }
    }
    // minute dots
    for (int i = 0; i < 60; ++i)
        if (i % 5) sc.fill(circle(polar(C, 34.3, i * 6.0), 0.55), hex(0xC9A2B4));
    Image img(101, 128);
    render(sc, img, 0, 101);
    return img;
}

// 119: medium dial with a lettered ring.
Image mediumDial() {
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
        for (const Shape& g : gs) sc.fill(Shape{[g](V p) { return g(p - V{0.6, 0.8}); }, g.x0, g.y0, g.x1 + 1, g.y1 + 1},
                                          letterShadow, 0.6);
        for (const Shape& g : gs) sc.fill(g, letter);
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
    const char* roman[12] = {"xii", "i", "ii", "iii", "iiii", "v", "vi", "vii", "viii", "ix", "x", "xi"};
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
        sc.fill(ellipse(polar(C, 9.0, i * 45.0), 2.6, 5.2, deg(i * 45.0)), hex(i % 2 ? 0xFFD3DC : 0xD9F0E9));
    sc.fill(circle(C, 4.5), hex(0xFFE9A8));
    Image img(172, 172);
    render(sc, img, 0, 172);
    return img;
}

// 120: hour-tip head emblem.
Image mediumHourTip() {
    Scene sc;
    sc.rim = hex(kInk);
    sc.silhouette = mascotHead(sc, {13.5, 10.2}, 0.76);
    Image img(27, 20);
    render(sc, img, 0, 27);
    return img;
}

// 121: centre cap, the brown of the medium hands.
Image mediumCentreCap() {
    Scene sc;
    const V c{4.5, 5.0};
    sc.rim = hex(0x5C3600);
    sc.silhouette = circle(c, 4.05);
    sc.fill(sc.silhouette, hex(0x5C3600));
    sc.fill(circle(c, 3.3), hex(0x7F4C00));
    sc.fill(circle(c + V{-1.0, -1.1}, 1.3), hex(0xB07A36), 0.8);
    Image img(9, 10);
    render(sc, img, 0, 9);
    return img;
}

// 122: minute-tip ornament: Mina's little figure.
Image mediumMinuteTip() {
    Scene sc;
    const Col ink = hex(kInk);
    sc.rim = ink;
    const double cx = 6.0;
    Shape head = circle({cx, 5.0}, 3.6);
    Shape buns = unite(circle({cx - 3.6, 3.5}, 1.7), circle({cx + 3.6, 3.5}, 1.7));
    Shape bow = unite(ellipse({cx + 1.3, 1.6}, 1.4, 1.0, deg(-20)), ellipse({cx + 3.5, 1.6}, 1.4, 1.0, deg(20)));
    Shape dress = polygon({{cx - 1.6, 8.3}, {cx + 1.6, 8.3}, {cx + 3.6, 13.2}, {cx - 3.6, 13.2}});
    Shape arms = unite(capsule({cx - 1.6, 9.4}, {cx - 3.6, 11.0}, 0.7), capsule({cx + 1.6, 9.4}, {cx + 3.6, 11.0}, 0.7));
    Shape legs = unite(capsule({cx - 1.3, 13.0}, {cx - 1.3, 14.3}, 0.75), capsule({cx + 1.3, 13.0}, {cx + 1.3, 14.3}, 0.75));
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
    Image img(12, 16);
    render(sc, img, 0, 12);
    return img;
}

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
        for (int k = -1; k <= 1; k += 2) sc.fill(circle({85.5 + 34.0 * k, 180.0 + i * 15.0}, 1.6), hex(kGold));
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
    sc.fill(intersect(capsule(pivot + V{1.5, 1.5}, along(58.0) + V{1.5, 1.5}, 1.4), window), hex(0xE9D3C4), 0.8);
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
    for (int i = 0; i < 36; ++i) sc.fill(circle(polar(C, 56.6, i * 10.0 + 5.0), 1.25), hex(i % 2 ? 0xFFC9D7 : 0xFFE08F));
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
        for (const Shape& g : textShapes(s, polar(C, 66.5, i * 30.0), 11.0, 1.8, 0.1)) sc.fill(g, hex(kPlumText));
    }
    sc.fill(circle(C, 4.0), hex(kGoldDark));
    render(sc, img, f * 172, 171);
}

Image largeStrip() {
    Image img(860, 256);
    for (int f = 0; f < 5; ++f) largeFrame(img, f);
    return img;
}

Image iconPicture() {
    Scene sc;
    sc.rim = hex(kInk);
    sc.silhouette = mascotHead(sc, {16.0, 16.5}, 0.93);
    Image img(32, 32);
    render(sc, img, 0, 32);
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Out {
        const char* name;
        std::function<Image()> make;
        Rgb key;
    };
    const Out outs[] = {
        {"small_overlay.bmp", smallOverlay, kKeyCyan},   {"small_dial.bmp", smallDial, kKeyCyan},
        {"medium_dial.bmp", mediumDial, kKeyCyan},       {"medium_hour_tip.bmp", mediumHourTip, kKeyGreen},
        {"medium_centre_cap.bmp", mediumCentreCap, kKeyGreen}, {"medium_minute_tip.bmp", mediumMinuteTip, kKeyGreen},
        {"large_strip.bmp", largeStrip, kKeyCyan},
    };
    for (const Out& o : outs) {
        Image img = o.make();
        if (!writeFile(dir + "/" + o.name, makeBmp(img, o.key))) {
            std::fprintf(stderr, "artgen: cannot write %s\n", o.name);
            return 1;
        }
    }
    if (!writeFile(dir + "/clock.ico", makeIco(iconPicture()))) {
        std::fprintf(stderr, "artgen: cannot write clock.ico\n");
        return 1;
    }
    return 0;
}
