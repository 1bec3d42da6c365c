#include "face/face_tables.h"

const HandGeometry kHandGeometryTable[kSizeCount] = {
    {25, 31, 31, 3, 3, 2, 50, 80},
    {30, 47, 47, 3, 3, 2, 86, 85},
    {23, 38, 38, 3, 3, 2, 85, 89},
};

const COLORREF kHandColors[kSizeCount][3] = {
    {0x00FE6E99, 0x00FF6666, 0x000000FF},
    {0x00004C7F, 0x00004C7F, 0x00004C7F},
    {0x00FF1F2A, 0x00FF5F2A, 0x000000FF},
};

// Upright, to the right, back through upright to the left, and back.
const unsigned char kAnimationSequence[8] = {2, 3, 4, 3, 2, 1, 0, 1};

const int kFrameWidth = 172;

const int kArtDpis[kArtScaleCount] = {96, 144, 192, 288};

int FaceDpi(int dpi) {
    return dpi < kArtDpis[0]                    ? kArtDpis[0]
           : dpi > kArtDpis[kArtScaleCount - 1] ? kArtDpis[kArtScaleCount - 1]
                                                : dpi;
}

FaceMeasures ScaledFaceMeasures(int size, int dpi) {
    const HandGeometry& h = kHandGeometryTable[ValidSizeIndex(size)];
    auto s = [dpi](int value) { return ScaleToDpi(value, dpi); };
    // At 100 %: the shadow 2 pixels off, a 3-pixel pen reaching 4 past its line, the cap 3 left
    // of and 4 above the middle.
    return {{s(h.hourLength), s(h.minuteLength), s(h.secondLength), s(h.hourWidth),
             s(h.minuteWidth), s(h.secondWidth), s(h.centerX), s(h.centerY)},
            s(2),
            s(4),
            s(kFrameWidth),
            s(3),
            s(4)};
}
