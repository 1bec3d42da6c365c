#include "face/hand_math.h"

#include <math.h>
#include <windows.h>

#include "face/face_tables.h"

int SecondOfDay(int hour, int minute, int second) {
    return (hour * 60 + minute) * 60 + second;
}

int HandAngleAt(int hand, int hour, int minute, int second) {
    switch (hand) {
    case kHandSecond:
        return second * 6;
    case kHandMinute:
        return minute * 6;
    case kHandHour:
        // Half a degree a minute, the half cut off: the hour hand creeps.
        return (minute + (hour % 12) * 60) / 2;
    }
    return 0;
}

int HandAngle(int hand) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return HandAngleAt(hand, now.wHour, now.wMinute, now.wSecond);
}

void HandTip(Point& tip, int centerX, int centerY, int length, int angle) {
    // The radians are a double; sine, cosine and the product with the length are carried in
    // extended precision and rounded to double once. Rounding the sine first would move some
    // tips by a pixel (the large minute hand at 25 past would end at x 103 instead of 104).
    volatile double r = angle * 0.017453292519943295;
    long double rl = r;
    volatile double dx = static_cast<double>(length * sinl(rl));
    volatile double dy = static_cast<double>(length * cosl(rl));
    tip.x = centerX + static_cast<int>(dx);
    tip.y = centerY - static_cast<int>(dy);
}

void OffsetPoints(Point& a, Point& b, int delta) {
    a.x += delta;
    a.y += delta;
    b.x += delta;
    b.y += delta;
}
