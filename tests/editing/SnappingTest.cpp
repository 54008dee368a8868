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

#include "RoundText.h"
#include "Shapes.h"
#include "base/TestSupport.h"

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<TCDLRechteck> Box(int x, int y, int w, int h, int angle = 0)
{
    auto f = std::make_unique<TCDLRechteck>(nullptr, x, y);
    f->Width = w;
    f->Height = h;
    f->Angle = angle;
    return f;
}

// Continues the drag with the snapped pointer, as the mouse code does, and
// returns the handle where the frame then has it.
QPoint DragTo(TCDLFrame &f, int handle, QPoint pointer)
{
    f.MouseMove(pointer.x(), pointer.y(), 0, 0, handle);
    return f.ModelHandles()[size_t(handle - 1)];
}

TSnapLine Lines(std::initializer_list<std::pair<int, bool>> l)
{
    TSnapLine lines;
    for (auto [position, horizontal] : l)
        lines.Add(position, horizontal);
    return lines;
}

} // namespace

TEST(Snapping, MovingTakesTheNearestXOfAllHandlesAndTheLastHandleInY)
{
    auto f = Box(0, 0, 400, 200);
    // Handles at x 100, 300, 500 after the move; line 115 is 15 from the
    // left edge, 490 is 10 from the right one.
    TSnapLine lines = Lines({{115, false}, {490, false}});
    TSnap s = SnapMoving(lines, *f, {100, 0});
    EXPECT_EQ(s.Point, QPoint(90, 0));
    EXPECT_EQ(s.Mask, SnapX);

    lines = Lines({{112, false}, {88, false}});
    EXPECT_EQ(SnapMoving(lines, *f, {100, 0}).Point, QPoint(88, 0)) << "of two lines 12 away the later";
    lines = Lines({{121, false}});
    s = SnapMoving(lines, *f, {100, 0});
    EXPECT_EQ(s.Mask, 0) << "21 away is out of range";
    EXPECT_EQ(s.Point, QPoint(100, 0));

    // Top edge 8 from y 8, bottom edge 10 from y 190: the bottom handle 7
    // comes last in handle order and decides, though the top is nearer.
    lines = Lines({{8, true}, {190, true}, {505, false}});
    s = SnapMoving(lines, *f, {100, 0});
    EXPECT_EQ(s.Point, QPoint(105, -10));
    EXPECT_EQ(s.Mask, SnapX | SnapY);
}

TEST(Snapping, MovingUsesTheHandlesOfTwoPointKinds)
{
    TCDLLinie line(nullptr, 0, 0);
    line.X2 = 300;
    line.Y2 = 40;
    TSnapLine lines = Lines({{295, false}, {50, true}});
    TSnap s = SnapMoving(lines, line, {10, 0});
    EXPECT_EQ(s.Point, QPoint(-5, 10)) << "end point onto x 295 and y 50";

    TCDLKreis circle(nullptr, 100, 0); // rim point; centre below
    circle.X2 = 0;
    circle.Y2 = 0;
    lines = Lines({{-6, false}});
    EXPECT_EQ(SnapMoving(lines, circle, {0, 0}).Point, QPoint(-6, 0)) << "the centre is a handle";
}

TEST(Snapping, FreePointHandlesSnapEachCoordinate)
{
    TSnapLine lines = Lines({{400, false}, {0, true}});
    TCDLLinie line(nullptr, 0, 0);
    TSnap s = SnapSizing(lines, line, 2, {395, 12});
    EXPECT_EQ(s.Point, QPoint(400, 0));
    EXPECT_EQ(s.Mask, SnapX | SnapY);

    TCDLRText round(nullptr, 0, 0);
    EXPECT_EQ(SnapSizing(lines, round, 0, {410, -3}).Point, QPoint(400, 0)) << "creating";

    // The ellipse's side handles follow the pointer; its corners obey the
    // box rule and take one line only.
    TCDLEllipse e(nullptr, 0, 0);
    e.Width = 400;
    e.Height = 200;
    lines = Lines({{400, false}, {208, true}});
    EXPECT_EQ(SnapSizing(lines, e, 6, {395, 200}).Point, QPoint(400, 208));
    s = SnapSizing(lines, e, 3, {395, 200});
    EXPECT_EQ(s.Mask, SnapX) << "the corner at (395, 198) is nearer to x 400";
    EXPECT_EQ(s.Point.x(), 400);
}

TEST(Snapping, UprightCornerMovesAlongItsDiagonalOntoOneLine)
{
    auto f = Box(0, 0, 400, 200);
    // The pointer asks for 1.25 x 1.3; the corner lands at (500, 250), 10
    // from x 510 and 12 from y 262.
    TSnapLine lines = Lines({{510, false}, {262, true}});
    TSnap s = SnapSizing(lines, *f, 3, {500, 260});
    EXPECT_EQ(s.Mask, SnapX);
    EXPECT_EQ(s.Point, QPoint(510, 265));
    EXPECT_EQ(DragTo(*f, 3, s.Point), QPoint(510, 255));
    EXPECT_EQ(f->Width, 510);

    f = Box(0, 0, 400, 200);
    lines = Lines({{510, false}, {260, true}});
    EXPECT_EQ(SnapSizing(lines, *f, 3, {500, 260}).Mask, SnapX) << "equally near: the vertical line";
    lines = Lines({{510, false}, {258, true}});
    s = SnapSizing(lines, *f, 3, {500, 260});
    EXPECT_EQ(s.Mask, SnapY) << "strictly nearer: the horizontal line";
    EXPECT_EQ(DragTo(*f, 3, s.Point), QPoint(516, 258));

    // The top-left corner keeps the bottom-right one where it is.
    f = Box(100, 100, 400, 200);
    lines = Lines({{96, false}});
    s = SnapSizing(lines, *f, 1, {102, 104});
    EXPECT_EQ(s.Point, QPoint(90, 98));
    EXPECT_EQ(DragTo(*f, 1, s.Point), QPoint(96, 98));
    EXPECT_EQ(QPoint(f->X + f->Width, f->Y + f->Height), QPoint(500, 300));
}

TEST(Snapping, SideHandlesMoveAlongTheSideNormal)
{
    auto f = Box(0, 0, 400, 200);
    TSnapLine lines = Lines({{405, false}});
    TSnap s = SnapSizing(lines, *f, 6, {395, 37});
    EXPECT_EQ(s.Point, QPoint(405, 37));
    DragTo(*f, 6, s.Point);
    EXPECT_EQ(f->Width, 405);

    lines = Lines({{-20, true}});
    s = SnapSizing(lines, *f, 5, {150, -12});
    EXPECT_EQ(s.Point, QPoint(150, -20));
    DragTo(*f, 5, s.Point);
    EXPECT_EQ(QPoint(f->Y, f->Height), QPoint(-20, 220));

    // The right handle never meets a horizontal line: the vertical one is
    // taken though it is farther, and alone the horizontal one snaps nothing.
    f = Box(0, 0, 400, 200);
    lines = Lines({{103, true}, {410, false}});
    s = SnapSizing(lines, *f, 6, {400, 100});
    EXPECT_EQ(s.Mask, SnapX);
    EXPECT_EQ(s.Point, QPoint(410, 100));
    lines = Lines({{103, true}});
    EXPECT_EQ(SnapSizing(lines, *f, 6, {400, 100}).Mask, 0);
}

TEST(Snapping, CreatingABoxSnapsOneCoordinate)
{
    TCDLRechteck f(nullptr, 0, 0);
    TSnapLine lines = Lines({{300, false}, {195, true}});
    TSnap s = SnapSizing(lines, f, 0, {290, 200});
    EXPECT_EQ(s.Point, QPoint(290, 195)) << "the horizontal line is strictly nearer";
    EXPECT_EQ(s.Mask, SnapY);
}

TEST(Snapping, QuarterTurnedBoxSnapsInItsOwnAxes)
{
    // Turned 90: the frame's width runs up the page from (0,0) to (0,-400),
    // its height right to x 200.
    auto f = Box(0, 0, 400, 200, 90);
    ASSERT_EQ(f->ModelHandles()[5], QPoint(100, -400));
    TSnapLine lines = Lines({{110, false}, {-410, true}});
    // The right handle travels vertically: the vertical line 10 away cannot
    // catch it, the horizontal one can.
    TSnap s = SnapSizing(lines, *f, 6, {120, -405});
    EXPECT_EQ(s.Mask, SnapY);
    EXPECT_EQ(s.Point, QPoint(120, -410));
    DragTo(*f, 6, s.Point);
    EXPECT_EQ(f->Width, 410);

    f = Box(0, 0, 400, 200, 90);
    lines = Lines({{245, false}});
    s = SnapSizing(lines, *f, 3, {250, -500});
    EXPECT_EQ(s.Point, QPoint(245, -490));
    EXPECT_EQ(DragTo(*f, 3, s.Point), QPoint(245, -490));
    EXPECT_EQ(QPoint(f->Width, f->Height), QPoint(490, 245));
}

TEST(Snapping, OddAngleHandlesLandOnTheLineWithinTheirConstraint)
{
    for (const int handle : {1, 2, 3, 4, 5, 6, 7, 8}) {
        SCOPED_TRACE(handle);
        auto f = Box(100, 50, 400, 200, 30);
        const QPoint h = f->ModelHandles()[size_t(handle - 1)];
        const auto before = f->ModelHandles();
        // A vertical line 12 from the handle; the pointer asks for no change.
        TSnapLine lines = Lines({{h.x() + 12, false}});
        const TSnap s = SnapSizing(lines, *f, handle, h);
        ASSERT_EQ(s.Mask, SnapX);
        const QPoint after = DragTo(*f, handle, s.Point);
        EXPECT_LE(std::abs(after.x() - (h.x() + 12)), 1) << "handle onto x " << h.x() + 12;
        // The opposite handle (the fixed corner, or the far side) stays.
        const int opposite = handle <= 4 ? (handle + 1) % 4 + 1 : (handle - 5 + 2) % 4 + 5;
        const QPoint fixed = before[size_t(opposite - 1)], now = f->ModelHandles()[size_t(opposite - 1)];
        EXPECT_LE((now - fixed).manhattanLength(), 2) << "handle " << opposite << " stays";
        if (handle <= 4) {
            EXPECT_NEAR(double(f->Width) / f->Height, 2.0, 0.01) << "corners keep the proportions";
        }
    }
}
