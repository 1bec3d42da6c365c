// Shrinking a keyed picture by averaging areas: the face of a scale between two carried ones.
#ifndef CLOCK_IMAGING_AREA_REDUCE_H
#define CLOCK_IMAGING_AREA_REDUCE_H

#include <windows.h>

// Reduces the width x height block of 32-bit pixels whose first row is source (rows sourceStride
// bytes apart) into the targetWidth x targetHeight block at target: each target pixel is the
// average of the source area it covers, every source pixel weighted by the part of it that lies
// inside. Pixels of the key colour (low 24 bits) are holes: a target pixel at least half hole is
// the key, any other the average of its other part, so the outline falls where half the area is
// and no edge is tinted by the key. 0, writing nothing, unless it is a reduction of a block.
int ReduceArea(const BYTE* source, ptrdiff_t sourceStride, int width, int height, BYTE* target,
               ptrdiff_t targetStride, int targetWidth, int targetHeight, DWORD key);

#endif
