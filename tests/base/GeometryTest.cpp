#include "Geometry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct RotateCase
{
    QPoint p, c;
    double angle;
    QPoint expected;
};
void PrintTo(const RotateCase &t, std::ostream *os) { *os << '(' << t.p.x() << ", " << t.p.y() << ") by " << t.angle; }

class RotatePointTest : public ::testing::TestWithParam<RotateCase>
{
};

TEST_P(RotatePointTest, CounterClockwiseOnAScreenWithYDown)
{
    const RotateCase &t = GetParam();
    EXPECT_EQ(RotatePoint(t.p, t.c, t.angle), t.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, RotatePointTest,
    ::testing::Values(RotateCase{{10, 0}, {0, 0}, 0, {10, 0}},
                      RotateCase{{10, 0}, {0, 0}, 90, {0, -10}}, // right turns to up
                      RotateCase{{10, 0}, {0, 0}, 180, {-10, 0}}, RotateCase{{10, 0}, {0, 0}, 270, {0, 10}},
                      RotateCase{{10, 0}, {0, 0}, 360, {10, 0}}, RotateCase{{10, 0}, {0, 0}, -90, {0, 10}},
                      RotateCase{{0, 10}, {0, 0}, 90, {10, 0}}, // down turns to right
                      RotateCase{{110, 100}, {100, 100}, 90, {100, 90}}, RotateCase{{10, 0}, {0, 0}, 45, {7, -7}},
                      RotateCase{{-10, 0}, {0, 0}, 45, {-7, 7}}, RotateCase{{1, 0}, {0, 0}, 45, {1, -1}},
                      RotateCase{{600, 0}, {0, 0}, 30, {520, -300}}));

TEST(RotatePointF, TurningBackReturnsThePoint)
{
    const QPointF p(123.25, -45.5), c(10, 20);
    for (double a : {1.0, 33.0, 90.0, 179.0, 271.5}) {
        const QPointF back = RotatePointF(RotatePointF(p, c, a), c, -a);
        EXPECT_NEAR(back.x(), p.x(), 1e-9) << a;
        EXPECT_NEAR(back.y(), p.y(), 1e-9) << a;
    }
}

struct ScaleCase
{
    double newW, newH, oldW, oldH, expected;
};
void PrintTo(const ScaleCase &t, std::ostream *os)
{
    *os << t.oldW << 'x' << t.oldH << " -> " << t.newW << 'x' << t.newH;
}

class ScaleFactorTest : public ::testing::TestWithParam<ScaleCase>
{
};

TEST_P(ScaleFactorTest, TheSmallerRatioWins)
{
    const ScaleCase &t = GetParam();
    EXPECT_DOUBLE_EQ(ScaleFactor(t.newW, t.newH, t.oldW, t.oldH), t.expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaleFactorTest,
                         ::testing::Values(ScaleCase{200, 100, 100, 100, 1.0}, // height limits
                                           ScaleCase{100, 200, 100, 100, 1.0}, // width limits
                                           ScaleCase{50, 50, 100, 200, 0.25}, ScaleCase{300, 300, 100, 100, 3.0},
                                           ScaleCase{1198, 1210, 599, 605, 2.0},
                                           // degenerate old sizes use the other axis
                                           ScaleCase{30, 40, 0, 20, 2.0}, ScaleCase{30, 40, 10, 0, 3.0},
                                           ScaleCase{30, 40, 0, 0, 1.0}));

} // namespace
