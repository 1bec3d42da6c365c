// Hand angles and tip positions of the clock face.
#ifndef CLOCK_FACE_HAND_MATH_H
#define CLOCK_FACE_HAND_MATH_H

// A point in canvas coordinates: x to the right, y down from the top-left corner.
struct Point {
    int x;
    int y;
};

// Seconds since midnight of a time of day: what the second hand shows, as one number.
int SecondOfDay(int hour, int minute, int second);

// The angle in whole degrees, clockwise from 12 o'clock, of a hand (0 second, 1 minute,
// 2 hour) at the given time of day; any other hand gives 0.
int HandAngleAt(int hand, int hour, int minute, int second);

// The same for the current local time, read anew on every call.
int HandAngle(int hand);

// The end of a hand of length pixels at angle degrees from (centerX, centerY).
void HandTip(Point& tip, int centerX, int centerY, int length, int angle);

// Adds delta to both coordinates of both points.
void OffsetPoints(Point& a, Point& b, int delta);

#endif
