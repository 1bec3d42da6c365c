// The per-size constant tables of the clock face.
#ifndef CLOCK_FACE_FACE_TABLES_H
#define CLOCK_FACE_FACE_TABLES_H

#include <windows.h>

#include "imaging/clock_sizes.h"

enum { kHandSecond = 0, kHandMinute = 1, kHandHour = 2 };

struct HandGeometry {
    int hourLength;
    int minuteLength;
    int secondLength;
    int hourWidth;
    int minuteWidth;
    int secondWidth;
    int centerX;
    int centerY;
};

// The measures the painter draws with besides the pictures, at one scale.
struct FaceMeasures {
    HandGeometry hands;
    // How far right and down of its hand a shadow lies.
    int shadowOffset;
    // How far a hand's pen, its width and rounding, reaches past the line it draws.
    int penReach;
    // One frame of the large size's strip.
    int frameWidth;
    // The medium size's centre cap: its corner lies this far left of and above the dial's middle.
    int capLeft;
    int capTop;
};

// The scales whose pictures the program carries, the art generators' drawing at each (their
// files: name.bmp, name_150.bmp, ...), smallest first.
enum { kArtScaleCount = 4 };
extern const int kArtDpis[kArtScaleCount];

// The dots per inch a face is built for on a display of dpi: the scales below 100 % draw at
// 100 %, those above the largest carried one at that one.
int FaceDpi(int dpi);

// The measures of size at dpi (from FaceDpi): the 100 % row, every field through ScaleToDpi.
FaceMeasures ScaledFaceMeasures(int size, int dpi);

extern const HandGeometry kHandGeometryTable[kSizeCount];
// Hand colours per size, in the order hour, minute, second.
extern const COLORREF kHandColors[kSizeCount][3];
extern const unsigned char kAnimationSequence[8];
extern const int kFrameWidth;

#endif
