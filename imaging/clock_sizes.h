// The clock's three sizes, shared by everything that draws or sounds per size.
#ifndef CLOCK_IMAGING_CLOCK_SIZES_H
#define CLOCK_IMAGING_CLOCK_SIZES_H

enum { kSizeSmall = 0, kSizeMedium = 1, kSizeLarge = 2, kSizeCount = 3 };

// 100 %: the dots per inch every picture of the clock was first drawn for.
enum { kBaseDpi = 96 };

// A length or position of the 100 % face (a pixel index, a width, a count of pixels) at dpi dots
// per inch, halves rounded up: the one rounding rule of every scaled measure, the pictures' sizes
// in the art generators included, so the window, the hands and the art agree to the pixel.
inline int ScaleToDpi(int value, int dpi) {
    return (value * dpi + kBaseDpi / 2) / kBaseDpi;
}

// The size index to use for a stored value: anything outside 0..2 means small.
int ValidSizeIndex(int size);

#endif
