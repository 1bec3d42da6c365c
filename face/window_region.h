// The window's outline: a region of every pixel of a picture that is not the key colour.
#ifndef CLOCK_FACE_WINDOW_REGION_H
#define CLOCK_FACE_WINDOW_REGION_H

#include <windows.h>

class CDIB;

// The most rectangles one outline holds; runs past it are dropped.
enum { kMaxRegionRects = 3000 };

// Reads the raw pixel at column x of row y (top row 0) from whatever context points to.
typedef DWORD (*PixelSource)(const void* context, int x, int y);

// Scans the width x height block at (x0, y0) row by row and stores one rectangle, one pixel
// high, per run of non-key pixels, in scan order, at most kMaxRegionRects of them. Returns the
// number stored.
int CollectRegionRects(PixelSource source, const void* context, int x0, int y0, int width,
                       int height, DWORD key, RECT* rects);

// A region made of the rectangles in one call; null when the system refuses it.
HRGN CreateRegionFromRects(const RECT* rects, int count);

// The region of the non-key pixels of the block; the caller owns it.
HRGN CreateRegionFromBitmap(const CDIB& picture, int x0, int y0, int width, int height, DWORD key);

#endif
