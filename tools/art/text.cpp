#include "text.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace art {

namespace {

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
        double t = static_cast<double>(i) / n, u = 1 - t;
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
    if (!f.empty())
        return f;
    f['0'] = {0.6, {arcPts({0.3, 0.5}, 0.29, 0.5, 0, 360, 40)}};
    f['1'] = {0.42, {{{0.06, 0.76}, {0.3, 1.0}, {0.3, 0.0}}}};
    f['2'] = {0.6, {join(arcPts({0.3, 0.72}, 0.27, 0.28, 160, -30), {{0.03, 0.0}, {0.6, 0.0}})}};
    f['3'] = {0.6,
              {arcPts({0.29, 0.765}, 0.25, 0.235, 150, -90),
               arcPts({0.29, 0.265}, 0.29, 0.265, 90, -150)}};
    f['4'] = {0.62, {{{0.46, 0.0}, {0.46, 1.0}, {0.02, 0.3}, {0.62, 0.3}}}};
    f['5'] = {0.6,
              {join({{0.54, 1.0}, {0.12, 1.0}, {0.08, 0.56}},
                    arcPts({0.3, 0.32}, 0.3, 0.32, 128, -150))}};
    f['6'] = {
        0.6,
        {arcPts({0.3, 0.3}, 0.29, 0.3, 0, 360, 36), bez({0.01, 0.32}, {0.02, 0.88}, {0.48, 1.0})}};
    f['7'] = {0.58, {{{0.02, 1.0}, {0.58, 1.0}, {0.2, 0.0}}}};
    f['8'] = {0.6,
              {arcPts({0.3, 0.765}, 0.24, 0.235, 0, 360, 32),
               arcPts({0.3, 0.265}, 0.29, 0.265, 0, 360, 32)}};
    f['9'] = {
        0.6,
        {arcPts({0.3, 0.7}, 0.29, 0.3, 0, 360, 36), bez({0.59, 0.68}, {0.58, 0.12}, {0.12, 0.0})}};
    f['A'] = {0.66, {{{0.0, 0.0}, {0.33, 1.0}, {0.66, 0.0}}, {{0.12, 0.34}, {0.54, 0.34}}}};
    f['C'] = {0.66, {arcPts({0.36, 0.5}, 0.36, 0.5, 48, 312)}};
    f['G'] = {0.7,
              {arcPts({0.36, 0.5}, 0.36, 0.5, 45, 320), {{0.42, 0.44}, {0.7, 0.44}, {0.7, 0.14}}}};
    f['K'] = {0.58,
              {{{0.0, 0.0}, {0.0, 1.0}}, {{0.56, 1.0}, {0.0, 0.38}}, {{0.2, 0.6}, {0.6, 0.0}}}};
    f['L'] = {0.5, {{{0.0, 1.0}, {0.0, 0.0}, {0.5, 0.0}}}};
    f['M'] = {0.76, {{{0.0, 0.0}, {0.0, 1.0}, {0.38, 0.28}, {0.76, 1.0}, {0.76, 0.0}}}};
    f['N'] = {0.62, {{{0.0, 0.0}, {0.0, 1.0}, {0.62, 0.0}, {0.62, 1.0}}}};
    f['O'] = {0.76, {arcPts({0.38, 0.5}, 0.38, 0.5, 0, 360, 40)}};
    f['P'] = {0.56,
              {join({{0.0, 0.0}, {0.0, 1.0}, {0.28, 1.0}},
                    join(arcPts({0.28, 0.74}, 0.27, 0.26, 90, -90), {{0.0, 0.48}}))}};
    f['I'] = {0.0, {{{0.0, 0.0}, {0.0, 1.0}}}};
    f[' '] = {0.35, {}};
    // Roman numerals with bar serifs: neighbouring serifs run together into
    // the continuous top and bottom rules of a classic chapter ring.
    f['i'] = {0.3,
              {{{0.15, 0.0}, {0.15, 1.0}}, {{0.0, 0.0}, {0.3, 0.0}}, {{0.0, 1.0}, {0.3, 1.0}}}};
    f['v'] = {0.62,
              {{{0.05, 1.0}, {0.31, 0.0}, {0.57, 1.0}},
               {{-0.04, 1.0}, {0.2, 1.0}},
               {{0.42, 1.0}, {0.66, 1.0}}}};
    f['x'] = {0.6,
              {{{0.06, 1.0}, {0.54, 0.0}},
               {{0.54, 1.0}, {0.06, 0.0}},
               {{-0.02, 1.0}, {0.62, 1.0}},
               {{-0.02, 0.0}, {0.62, 0.0}}}};
    return f;
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
            V gp{q.x + gw * 0.5, 0.5 - q.y}; // into glyph space, y up
            double d = 1e9;
            for (const auto& st : strokes) {
                if (st.size() == 1)
                    d = std::min(d, len(gp - st[0]));
                for (size_t i = 0; i + 1 < st.size(); ++i)
                    d = std::min(d, segDist(gp, st[i], st[i + 1]));
            }
            return d * h - sw * 0.5;
        },
        c.x - m, c.y - m, c.x + m, c.y + m);
}

} // namespace

double textWidth(const std::string& s, double tracking) {
    double w = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        w += font().at(s[i]).width;
        if (i + 1 < s.size())
            w += tracking;
    }
    return w;
}

std::vector<Shape> textShapes(const std::string& s, V c, double h, double sw, double tracking) {
    std::vector<Shape> out;
    double x = c.x - textWidth(s, tracking) * h * 0.5;
    for (char ch : s) {
        double gw = font().at(ch).width;
        if (ch != ' ')
            out.push_back(glyphShape(ch, {x + gw * h * 0.5, c.y}, h, sw, 0));
        x += (gw + tracking) * h;
    }
    return out;
}

std::vector<Shape> arcText(const std::string& s, V c, double r, double mid, double h, double sw,
                           double tracking, bool outward) {
    std::vector<Shape> out;
    double total = textWidth(s, tracking) * h;
    double pos = -total * 0.5;
    for (char ch : s) {
        double gw = font().at(ch).width * h;
        double along = pos + gw * 0.5;
        double a = outward ? mid + along / r * 180.0 / kPi : mid - along / r * 180.0 / kPi;
        V gc = polar(c, r, a);
        double turn = outward ? deg(a) : deg(a - 180.0);
        if (ch != ' ')
            out.push_back(glyphShape(ch, gc, h, sw, turn));
        pos += gw + tracking * h;
    }
    return out;
}

} // namespace art
