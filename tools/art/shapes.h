// Plane geometry and the shapes the pictures are built from: each shape is a
// signed distance in pixels (negative inside) with a bounding box.
#pragma once

#include <cmath>
#include <functional>
#include <vector>

namespace art {

const double kPi = 3.14159265358979323846;

// The small helpers below run for every sample of every layer, so they stay
// inline.
struct V {
    double x, y;
};
inline V operator+(V a, V b) {
    return {a.x + b.x, a.y + b.y};
}
inline V operator-(V a, V b) {
    return {a.x - b.x, a.y - b.y};
}
inline V operator*(V a, double s) {
    return {a.x * s, a.y * s};
}
inline double dot(V a, V b) {
    return a.x * b.x + a.y * b.y;
}
inline double len(V a) {
    return std::sqrt(dot(a, a));
}
inline V rot(V a, double ang) {
    double c = std::cos(ang), s = std::sin(ang);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}
inline double deg(double d) {
    return d * kPi / 180.0;
}
// Point on a circle, angle in degrees clockwise from 12 o'clock.
inline V polar(V c, double r, double angDeg) {
    return {c.x + r * std::sin(deg(angDeg)), c.y - r * std::cos(deg(angDeg))};
}

inline double clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

inline double segDist(V p, V a, V b) {
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
        if (p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1)
            return 1e3;
        return f(p);
    }
};

Shape boxed(std::function<double(V)> f, double x0, double y0, double x1, double y1);
Shape circle(V c, double r);
// Ellipse, optionally turned by ang radians.
Shape ellipse(V c, double rx, double ry, double ang = 0);
Shape capsule(V a, V b, double r);
// Rounded rectangle centred on c, half sizes hw/hh, corner radius rad, turned by ang.
Shape rbox(V c, double hw, double hh, double rad, double ang = 0);
// Filled polygon (any simple polygon).
Shape polygon(std::vector<V> v);
Shape ring(V c, double r0, double r1);
Shape halfPlaneBelow(double y); // everything with p.y > y

Shape unite(Shape a, Shape b);
Shape unite(std::vector<Shape> v);
// Union with a rounded joint of size k (soft minimum).
Shape smoothUnite(Shape a, Shape b, double k);
Shape intersect(Shape a, Shape b);
// Grows (d > 0) or shrinks a shape.
Shape grow(Shape a, double d);

} // namespace art
