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

extern const HandGeometry kHandGeometryTable[kSizeCount];
// Hand colours per size, in the order hour, minute, second.
extern const COLORREF kHandColors[kSizeCount][3];
extern const unsigned char kAnimationSequence[8];
extern const int kFrameWidth;

#endif
