// Where a dragged or moved frame's handles meet guide lines. Tolerance and
// ties among lines are the line list's own rules, tested with the page.

#include "Snapping.h"
#include "RoundText.h"
#include "Shapes.h"
#include "document/DocumentTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

auto Box(int x, int y, int w, int h, int angle = 0) { return Make<TCDLRechteck>(nullptr, x, y, w, h, angle); }

TSnapLine Lines(std::initializer_list<std::pair<int, bool>> l)
{
    TSnapLine lines;
    for (auto [position, horizontal] : l)
        lines.Add(position, horizontal);
    return lines;
}

// Continues the drag with the snapped pointer, as the mouse code does, and
// returns where the frame then has the handle.
QPoint DragTo(TCDLFrame &f, int handle, QPoint pointer)
{
    f.MouseMove(pointer.x(), pointer.y(), 0, 0, handle);
    return f.ModelHandles()[size_t(handle - 1)];
}

} // namespace

TEST(Snapping, PointSnapsEachCoordinateToItsOwnOrientation)
{
    TSnapLine lines = Lines({{100, false}, {300, true}});
    TSnap s = SnapPoint(lines, {110, 285});
    EXPECT_EQ((std::tuple{s.Point, s.Mask}), std::tuple(QPoint(100, 300), SnapX | SnapY));
    s = SnapPoint(lines, {300, 100});
    EXPECT_EQ(s.Point, QPoint(300, 100)) << "a horizontal line does not catch x, nor a vertical one y";
    EXPECT_EQ(s.Mask, 0);
}

TEST(Snapping, MovingTakesTheNearestXOfAllHandlesAndTheLastHandleInY)
{
    auto f = Box(0, 0, 400, 200);
    // After the move the edges are at x 100 and 500: 15 from 115, 10 from 490.
    TSnapLine lines = Lines({{115, false}, {490, false}});
    EXPECT_EQ(SnapMoving(lines, *f, {100, 0}).Point, QPoint(90, 0));

    // The top edge is 8 from y 8, the bottom 10 from y 190; the bottom
    // handle 7 comes last and decides.
    lines = Lines({{8, true}, {190, true}, {505, false}});
    const TSnap s = SnapMoving(lines, *f, {100, 0});
    EXPECT_EQ((std::tuple{s.Point, s.Mask}), std::tuple(QPoint(105, -10), SnapX | SnapY));

    TCDLKreis circle(nullptr, 100, 0); // rim point; the centre (0,0) is handle 1
    lines = Lines({{-6, false}});
    EXPECT_EQ(SnapMoving(lines, circle, {0, 0}).Point, QPoint(-6, 0));
}

TEST(Snapping, FreePointsSnapEachCoordinateAndBoxesOneLine)
{
    TSnapLine lines = Lines({{400, false}, {208, true}});
    TCDLLinie line(nullptr, 0, 0);
    EXPECT_EQ(SnapSizing(lines, line, 2, {395, 200}).Point, QPoint(400, 208));
    TCDLRText round(nullptr, 0, 0);
    EXPECT_EQ(SnapSizing(lines, round, 0, {410, 203}).Mask, SnapX | SnapY);

    // The ellipse's side handles follow the pointer, its corners the box
    // rule: the corner at (395, 198) takes only the nearer line.
    TCDLEllipse e(nullptr, 0, 0);
    e.Width = 400;
    e.Height = 200;
    EXPECT_EQ(SnapSizing(lines, e, 6, {395, 200}).Mask, SnapX | SnapY);
    EXPECT_EQ(SnapSizing(lines, e, 3, {395, 200}).Mask, SnapX);

    // Creating a box: the horizontal line, strictly nearer, alone.
    TCDLRechteck box(nullptr, 0, 0);
    lines = Lines({{300, false}, {195, true}});
    EXPECT_EQ(SnapSizing(lines, box, 0, {290, 200}).Point, QPoint(290, 195));
}

TEST(Snapping, CornerMovesAlongItsDiagonalAndSideAlongItsNormal)
{
    auto f = Box(0, 0, 400, 200);
    // The pointer asks for 1.25 x 1.3; the corner lands at (500, 250), 10
    // from x 510 and 12 from y 262.
    TSnapLine lines = Lines({{510, false}, {262, true}});
    TSnap s = SnapSizing(lines, *f, 3, {500, 260});
    EXPECT_EQ((std::tuple{s.Point, DragTo(*f, 3, s.Point)}), std::tuple(QPoint(510, 265), QPoint(510, 255)));

    f = Box(0, 0, 400, 200);
    lines = Lines({{510, false}, {260, true}});
    EXPECT_EQ(SnapSizing(lines, *f, 3, {500, 260}).Mask, SnapX) << "equally near: the vertical line";
    lines = Lines({{510, false}, {258, true}});
    s = SnapSizing(lines, *f, 3, {500, 260});
    EXPECT_EQ((std::tuple{s.Mask, DragTo(*f, 3, s.Point)}), std::tuple(SnapY, QPoint(516, 258)));

    // The right handle can never meet a horizontal line: the farther
    // vertical one is taken, and alone the horizontal one snaps nothing.
    f = Box(0, 0, 400, 200);
    lines = Lines({{103, true}, {410, false}});
    EXPECT_EQ(SnapSizing(lines, *f, 6, {400, 37}).Point, QPoint(410, 37));
    lines = Lines({{103, true}});
    EXPECT_EQ(SnapSizing(lines, *f, 6, {400, 100}).Mask, 0);
}

TEST(Snapping, TurnedBoxesSnapInTheirOwnAxes)
{
    // Turned 90 the width runs up the page from (0,0) to (0,-400); the
    // right handle (100,-400) travels vertically.
    auto f = Box(0, 0, 400, 200, 90);
    TSnapLine lines = Lines({{110, false}, {-410, true}});
    TSnap s = SnapSizing(lines, *f, 6, {120, -405});
    EXPECT_EQ(s.Point, QPoint(120, -410));
    DragTo(*f, 6, s.Point);
    EXPECT_EQ(f->Width, 410);

    f = Box(0, 0, 400, 200, 90);
    lines = Lines({{245, false}});
    EXPECT_EQ(DragTo(*f, 3, SnapSizing(lines, *f, 3, {250, -500}).Point), QPoint(245, -490));

    // At 30 degrees every handle lands on a line 12 units off, within a unit,
    // with the opposite corner or side where it was.
    for (const int handle : {1, 2, 3, 4, 5, 6, 7, 8}) {
        SCOPED_TRACE(handle);
        f = Box(100, 50, 400, 200, 30);
        const auto before = f->ModelHandles();
        const QPoint h = before[size_t(handle - 1)];
        lines = Lines({{h.x() + 12, false}});
        s = SnapSizing(lines, *f, handle, h);
        ASSERT_EQ(s.Mask, SnapX);
        EXPECT_LE(std::abs(DragTo(*f, handle, s.Point).x() - (h.x() + 12)), 1);
        const int opposite = handle <= 4 ? (handle + 1) % 4 + 1 : (handle - 3) % 4 + 5;
        EXPECT_LE((f->ModelHandles()[size_t(opposite - 1)] - before[size_t(opposite - 1)]).manhattanLength(), 2);
        if (handle <= 4) {
            EXPECT_NEAR(double(f->Width) / f->Height, 2.0, 0.01) << "corners keep the proportions";
        }
    }
}
