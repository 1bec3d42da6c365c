// Lettering in a small stroke font of our own: digits, the capitals the
// dials need, and bar-serif Roman numerals (lower case i, v, x).
#pragma once

#include <string>
#include <vector>

#include "shapes.h"

namespace art {

// Total advance of a string in cap heights.
double textWidth(const std::string& s, double tracking);

// Upright text centred on c: cap height h px, stroke width sw px, tracking
// in cap heights. One shape per visible glyph.
std::vector<Shape> textShapes(const std::string& s, V c, double h, double sw, double tracking);

// Text along a circle of radius r around c, centred on angle mid (degrees
// clockwise from 12). outward: tops point away from the centre and the text
// runs clockwise (for the top of a ring); otherwise tops point inwards and
// it runs anticlockwise (for the bottom, so both read left to right).
std::vector<Shape> arcText(const std::string& s, V c, double r, double mid, double h, double sw,
                           double tracking, bool outward);

} // namespace art
