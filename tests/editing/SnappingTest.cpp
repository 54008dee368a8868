#include "Snapping.h"

#include <gtest/gtest.h>

TEST(Snapping, PointSnapsEachCoordinateToItsOwnOrientation)
{
    TSnapLine lines;
    lines.Add(100, false); // vertical at x 100
    lines.Add(300, true);  // horizontal at y 300
    TSnap s = SnapPoint(lines, {110, 285});
    EXPECT_EQ(s.Point, QPoint(100, 300));
    EXPECT_EQ(s.Mask, SnapX | SnapY);

    s = SnapPoint(lines, {121, 300});
    EXPECT_EQ(s.Point, QPoint(121, 300)) << "21 units is beyond the tolerance";
    EXPECT_EQ(s.Mask, SnapY);

    lines.Add(88, false);
    s = SnapPoint(lines, {94, 0});
    EXPECT_EQ(s.Point.x(), 88) << "of two lines 6 away the later wins";
    EXPECT_EQ(SnapPoint(lines, {300, 100}).Mask, 0) << "a horizontal line does not catch x";
}
