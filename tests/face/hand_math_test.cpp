#include <gtest/gtest.h>

#include "face/face_tables.h"
#include "face/hand_math.h"

namespace {

struct AngleCase {
    int hour, minute, second;
    int secondAngle, minuteAngle, hourAngle;
};

TEST(HandAngle, FollowsTheTimeOfDay) {
    const AngleCase cases[] = {
        {12, 0, 0, 0, 0, 0},       {0, 0, 0, 0, 0, 0},          {12, 1, 0, 0, 6, 0},
        {12, 2, 0, 0, 12, 1},      {3, 0, 0, 0, 0, 90},         {6, 0, 0, 0, 0, 180},
        {11, 58, 0, 0, 348, 359},  {11, 59, 59, 354, 354, 359}, {15, 0, 0, 0, 0, 90},
        {18, 0, 30, 180, 0, 180},  {13, 1, 0, 0, 6, 30},        {14, 2, 0, 0, 12, 61},
        {23, 58, 0, 0, 348, 359},  {23, 59, 0, 0, 354, 359},    {0, 25, 25, 150, 150, 12},
        {9, 45, 15, 90, 270, 292},
    };
    for (const AngleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        EXPECT_EQ(c.secondAngle, HandAngleAt(kHandSecond, c.hour, c.minute, c.second));
        EXPECT_EQ(c.minuteAngle, HandAngleAt(kHandMinute, c.hour, c.minute, c.second));
        EXPECT_EQ(c.hourAngle, HandAngleAt(kHandHour, c.hour, c.minute, c.second));
    }
}

TEST(HandAngle, UnknownHandGivesZero) {
    EXPECT_EQ(0, HandAngleAt(3, 5, 30, 30));
    EXPECT_EQ(0, HandAngleAt(-1, 5, 30, 30));
    EXPECT_EQ(0, HandAngle(3));
}

TEST(HandAngle, LiveReadingIsInRange) {
    for (int hand = 0; hand < 3; ++hand) {
        const int angle = HandAngle(hand);
        EXPECT_GE(angle, 0);
        EXPECT_LT(angle, 360);
        EXPECT_EQ(0, angle % (hand == kHandHour ? 1 : 6));
    }
}

struct TipCase {
    int centerX, centerY, length, angle;
    int x, y;
};

TEST(HandTip, TruncatesTheExtendedPrecisionProduct) {
    const TipCase cases[] = {
        // 12:00: straight up, in every size and for every length.
        {50, 80, 25, 0, 50, 55},
        {50, 80, 31, 0, 50, 49},
        {86, 85, 47, 0, 86, 38},
        {85, 89, 23, 0, 85, 66},
        // 3:00 and 6:00 hour hands.
        {50, 80, 25, 90, 75, 80},
        {86, 85, 30, 90, 116, 85},
        {85, 89, 23, 180, 85, 112},
        {86, 85, 30, 180, 86, 115},
        {86, 85, 30, 270, 56, 85},
        // Medium hour hand at 1:00, 2:00 and 5:00: cut toward zero, never rounded.
        {86, 85, 30, 30, 100, 60},
        {86, 85, 30, 60, 111, 70},
        {86, 85, 30, 150, 100, 110},
        // Large minute and second hands at 25: plain double arithmetic would give x 103.
        {85, 89, 38, 150, 104, 121},
    };
    for (const TipCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length << " angle " << c.angle);
        Point tip = {-1, -1};
        HandTip(tip, c.centerX, c.centerY, c.length, c.angle);
        EXPECT_EQ(c.x, tip.x);
        EXPECT_EQ(c.y, tip.y);
    }
}

TEST(HandTip, AllLargeMinutesStayWithinTheHandLength) {
    for (int angle = 0; angle < 360; angle += 6) {
        Point tip;
        HandTip(tip, 85, 89, 38, angle);
        const int dx = tip.x - 85, dy = tip.y - 89;
        EXPECT_LE(dx * dx + dy * dy, 38 * 38) << angle;
    }
}

TEST(OffsetPoints, MovesBothPointsDiagonally) {
    Point a = {10, 20}, b = {-3, 4};
    OffsetPoints(a, b, 2);
    EXPECT_EQ(12, a.x);
    EXPECT_EQ(22, a.y);
    EXPECT_EQ(-1, b.x);
    EXPECT_EQ(6, b.y);
    OffsetPoints(a, b, -2);
    EXPECT_EQ(10, a.x);
    EXPECT_EQ(20, a.y);
    EXPECT_EQ(-3, b.x);
    EXPECT_EQ(4, b.y);
}

} // namespace
