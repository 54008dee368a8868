#include "Geometry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(RotatePoint, CounterClockwiseOnAScreenWithYDown)
{
    const std::tuple<QPoint, QPoint, double, QPoint> rows[] = {
        {{10, 0}, {0, 0}, 0, {10, 0}},           {{10, 0}, {0, 0}, 90, {0, -10}}, // right turns to up
        {{10, 0}, {0, 0}, 180, {-10, 0}},        {{10, 0}, {0, 0}, 270, {0, 10}},    {{10, 0}, {0, 0}, 360, {10, 0}},
        {{10, 0}, {0, 0}, -90, {0, 10}},         {{0, 10}, {0, 0}, 90, {10, 0}}, // down turns to right
        {{110, 100}, {100, 100}, 90, {100, 90}}, {{10, 0}, {0, 0}, 45, {7, -7}},     {{-10, 0}, {0, 0}, 45, {-7, 7}},
        {{1, 0}, {0, 0}, 45, {1, -1}},           {{600, 0}, {0, 0}, 30, {520, -300}}};
    for (const auto &[p, c, angle, expected] : rows)
        EXPECT_EQ(RotatePoint(p, c, angle), expected) << p.x() << "," << p.y() << " by " << angle;
}

TEST(RotatePointF, TurningBackReturnsThePoint)
{
    const QPointF p(123.25, -45.5), c(10, 20);
    for (double a : {1.0, 33.0, 90.0, 179.0, 271.5}) {
        const QPointF back = RotatePointF(RotatePointF(p, c, a), c, -a);
        EXPECT_NEAR(back.x(), p.x(), 1e-9) << a;
        EXPECT_NEAR(back.y(), p.y(), 1e-9) << a;
    }
}

TEST(ScaleFactor, TheSmallerRatioWins)
{
    const std::array<double, 5> rows[] = {{200, 100, 100, 100, 1.0}, // height limits
                                          {100, 200, 100, 100, 1.0}, // width limits
                                          {50, 50, 100, 200, 0.25},
                                          {300, 300, 100, 100, 3.0},
                                          {1198, 1210, 599, 605, 2.0},
                                          // degenerate old sizes use the other axis
                                          {30, 40, 0, 20, 2.0},
                                          {30, 40, 10, 0, 3.0},
                                          {30, 40, 0, 0, 1.0}};
    for (const auto &[newW, newH, oldW, oldH, expected] : rows)
        EXPECT_DOUBLE_EQ(ScaleFactor(newW, newH, oldW, oldH), expected) << oldW << "x" << oldH << " -> " << newW;
}

} // namespace
