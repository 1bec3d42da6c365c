#include "shapes.h"

#include <algorithm>

namespace art {

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

// The ellipse's distance is approximate but smooth, which is all the anti-aliasing needs.
Shape ellipse(V c, double rx, double ry, double ang) {
    double m = std::max(rx, ry);
    return boxed(
        [=](V p) {
            V q = rot(p - c, -ang);
            double k = std::sqrt((q.x / rx) * (q.x / rx) + (q.y / ry) * (q.y / ry));
            // gradient-normalised so the edge width stays close to one pixel
            double gx = q.x / (rx * rx), gy = q.y / (ry * ry);
            double g = std::sqrt(gx * gx + gy * gy);
            if (k < 1e-9 || g < 1e-12)
                return -std::min(rx, ry);
            return (k * k - 1.0) / (2.0 * g);
        },
        c.x - m, c.y - m, c.x + m, c.y + m);
}

Shape capsule(V a, V b, double r) {
    return boxed([=](V p) { return segDist(p, a, b) - r; }, std::min(a.x, b.x) - r,
                 std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r);
}

Shape rbox(V c, double hw, double hh, double rad, double ang) {
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
                // crossing test for the sign (inside when an odd number of edges cross)
                bool c1 = p.y >= v[i].y;
                bool c2 = p.y < v[j].y;
                bool c3 = e.x * w.y > e.y * w.x;
                if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
                    s = -s;
            }
            return s * std::sqrt(d);
        },
        x0, y0, x1, y1);
}

Shape unite(Shape a, Shape b) {
    return boxed([=](V p) { return std::min(a(p), b(p)); }, std::min(a.x0, b.x0),
                 std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1));
}
Shape unite(std::vector<Shape> v) {
    Shape s = v[0];
    for (size_t i = 1; i < v.size(); ++i)
        s = unite(s, v[i]);
    return s;
}
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
    Shape s = boxed([=](V p) { return std::max(a(p), b(p)); }, std::max(a.x0, b.x0),
                    std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1));
    return s;
}
Shape grow(Shape a, double d) {
    return boxed([=](V p) { return a(p) - d; }, a.x0 - d, a.y0 - d, a.x1 + d, a.y1 + d);
}
Shape ring(V c, double r0, double r1) {
    return boxed(
        [=](V p) {
            double l = len(p - c);
            return std::max(r0 - l, l - r1);
        },
        c.x - r1, c.y - r1, c.x + r1, c.y + r1);
}
Shape halfPlaneBelow(double y) {
    return Shape{[=](V p) { return y - p.y; }};
}

} // namespace art
