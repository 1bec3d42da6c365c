// Colour reduction for the 8-bit and 4-bit pictures.
#pragma once

#include <cstddef>
#include <vector>

#include "image.h"

namespace art {

// A palette of at most maxColors entries for the given pixels: median cut
// on the distinct colours followed by a few k-means passes; deterministic
// (no randomness, stable orderings), so the same pixels always give the
// same palette.
std::vector<Rgb> quantise(const std::vector<Rgb>& pixels, size_t maxColors);

// Index of the entry of pal, from first on, closest to c.
size_t nearest(const std::vector<Rgb>& pal, size_t first, Rgb c);

} // namespace art
