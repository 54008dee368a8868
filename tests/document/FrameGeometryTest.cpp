// Geometry of the base frame's rotated rectangle: handle positions under
// rotation, zoom and offsets, the hit tests, the rubber-band test, bounding
// rectangles and the resize rules of the handles. Expected values are worked
// out by hand from the corner formula and the mapping trunc(v * s) + offset.

#include "Page.h"
#include "Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

// Readable failures for positions.
static void PrintTo(const QPoint &p, std::ostream *os) { *os << "(" << p.x() << "," << p.y() << ")"; }

namespace {

struct Pt
{
    int x, y;
};

struct Mapping
{
    double scale;
    int offX, offY;
};

// The rectangle kind adds nothing to the base geometry, so it stands in for
// the base frame here.
std::unique_ptr<TCDLRechteck> MakeRect(TCDLPage &page, int x, int y, int w, int h, int angle)
{
    auto f = std::make_unique<TCDLRechteck>(&page, x, y);
    f->Width = w;
    f->Height = h;
    f->Angle = angle;
    return f;
}

void Layout(TCDLPage &page, TCDLFrame &f, Mapping m = {1.0, 0, 0})
{
    page.Context.ScaleX = page.Context.ScaleY = m.scale;
    page.Context.OffsetX = m.offX;
    page.Context.OffsetY = m.offY;
    page.Context.Canvas = nullptr;
    f.PaintAt(page.Context, false);
}

// Corner i (0 top-left .. 3 bottom-left) of the rotated rectangle, without
// any truncation: the reference for checks that allow for rounding.
QPointF ExactCorner(const TCDLFrame &f, int i)
{
    const double a = f.Angle * std::numbers::pi / 180.0;
    const double lx = (i == 1 || i == 2) ? f.Width : 0, ly = (i == 2 || i == 3) ? f.Height : 0;
    return {f.X + lx * std::cos(a) + ly * std::sin(a), f.Y - lx * std::sin(a) + ly * std::cos(a)};
}

// ---- drag points -----------------------------------------------------------

struct DragCase
{
    const char *name;
    int x, y, w, h, angle;
    Mapping map;
    std::array<Pt, 8> expected; // handles 1..8
};
void PrintTo(const DragCase &c, std::ostream *os) { *os << c.name; }

class DragPoints : public ::testing::TestWithParam<DragCase>
{
};

TEST_P(DragPoints, CornersAndMidpoints)
{
    const DragCase &c = GetParam();
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, c.x, c.y, c.w, c.h, c.angle);
    Layout(page, *f, c.map);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(testing::Message() << "handle " << i + 1);
        EXPECT_EQ(f->DragPoints[size_t(i + 1)].x(), c.expected[size_t(i)].x);
        EXPECT_EQ(f->DragPoints[size_t(i + 1)].y(), c.expected[size_t(i)].y);
    }
}

// Corner offsets: w1 = trunc(W cos a), w2 = -trunc(W sin a), h1 = trunc(H sin a),
// h2 = trunc(H cos a); midpoints are integer averages rounded toward zero.
INSTANTIATE_TEST_SUITE_P(
    Rotations, DragPoints,
    ::testing::Values(
        DragCase{"Plain", 0, 0, 400, 400, 0, {1.0, 0, 0},
                 {{{0, 0}, {400, 0}, {400, 400}, {0, 400}, {200, 0}, {400, 200}, {200, 400}, {0, 200}}}},
        // The top side runs upward from (X, Y).
        DragCase{"Deg90", 0, 0, 400, 400, 90, {1.0, 0, 0},
                 {{{0, 0}, {0, -400}, {400, -400}, {400, 0}, {0, -200}, {200, -400}, {400, -200}, {200, 0}}}},
        // 400 * 0.7071 = 282.8 -> 282.
        DragCase{"Deg45", 0, 0, 400, 400, 45, {1.0, 0, 0},
                 {{{0, 0}, {282, -282}, {564, 0}, {282, 282}, {141, -141}, {423, -141}, {423, 141}, {141, 141}}}},
        // w1 = 346, w2 = -200, h1 = 100, h2 = 173; (-150 + 23) / 2 = -63, (223 + 50) / 2 = 136.
        DragCase{"Deg30", 100, 50, 400, 200, 30, {1.0, 0, 0},
                 {{{100, 50}, {446, -150}, {546, 23}, {200, 223}, {273, -50}, {496, -63}, {373, 123}, {150, 136}}}},
        // sin 120 = 0.866, cos 120 = -0.5: w1 = -200, w2 = -346, h1 = 346, h2 = -200.
        DragCase{"Deg120", 0, 0, 400, 400, 120, {1.0, 0, 0},
                 {{{0, 0}, {-200, -346}, {146, -546}, {346, -200}, {-100, -173}, {-27, -446}, {246, -373}, {173, -100}}}},
        // Zoom level 1: -200 * 0.2375 = -47.5 -> -47; 300 * 0.2375 = 71.25 -> 71.
        DragCase{"Zoom0_2375", -200, -100, 400, 400, 0, {0.2375, 300, 200},
                 {{{253, 177}, {347, 177}, {347, 271}, {253, 271}, {300, 177}, {347, 224}, {300, 271}, {253, 224}}}},
        // 270 degrees: corners (0,0), (0,400), (-200,400), (-200,0) before mapping.
        DragCase{"Deg270Zoom0_2375", 0, 0, 400, 200, 270, {0.2375, 100, 100},
                 {{{100, 100}, {100, 195}, {53, 195}, {53, 100}, {100, 147}, {76, 195}, {53, 147}, {76, 100}}}},
        // The 30 degree corners (100,50), (446,-150), (546,23), (200,223) under
        // zoom 1.9: 446 * 1.9 = 847.4, 23 * 1.9 = 43.7, 223 * 1.9 = 423.7.
        DragCase{"Deg30Zoom1_9", 100, 50, 400, 200, 30, {1.9, -50, 40},
                 {{{140, 135}, {797, -245}, {987, 83}, {330, 463}, {468, -55}, {892, -81}, {658, 273}, {235, 299}}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FrameHandles, KeepHandlesLeavesTheLastComputedPositions)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 400, 400, 0);
    Layout(page, *f);
    f->X = 100;
    f->Width = 50;
    f->PaintAt(page.Context, true);
    EXPECT_EQ(f->DragPoints[1], QPoint(0, 0));
    EXPECT_EQ(f->DragPoints[3], QPoint(400, 400));
    f->PaintAt(page.Context, false);
    EXPECT_EQ(f->DragPoints[1], QPoint(100, 0));
    EXPECT_EQ(f->DragPoints[3], QPoint(150, 400));
}

TEST(FrameHandles, ConstructorPlacesHandlesZeroAndOneAtTheMappedPosition)
{
    TInlayVorder page(nullptr);
    page.Context.ScaleX = page.Context.ScaleY = 1.9;
    page.Context.OffsetX = 10;
    page.Context.OffsetY = -20;
    TCDLRechteck f(&page, 100, -50); // 190 + 10, -95 - 20
    EXPECT_EQ(f.DragPoints[0], QPoint(200, -115));
    EXPECT_EQ(f.DragPoints[1], QPoint(200, -115));
}

// ---- handle hit test -------------------------------------------------------

TEST(FrameHandles, HandleHitIsInclusiveThreePixels)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 400, 400, 0);
    Layout(page, *f);
    EXPECT_EQ(f->TestDPMouseHit(403, 403), 3);
    EXPECT_EQ(f->TestDPMouseHit(397, 397), 3);
    EXPECT_EQ(f->TestDPMouseHit(404, 400), -1);
    EXPECT_EQ(f->TestDPMouseHit(400, 396), -1);
    EXPECT_EQ(f->TestDPMouseHit(203, -3), 5);
    EXPECT_EQ(f->TestDPMouseHit(200, 200), -1);
}

TEST(FrameHandles, OverlappingHandlesGiveTheHigherIndex)
{
    // 6 wide: handles 1 (0,0), 5 (3,0) and 2 (6,0) lie within reach of each other.
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 6, 40, 0);
    Layout(page, *f);
    EXPECT_EQ(f->TestDPMouseHit(3, 0), 5); // 1, 2 and 5
    EXPECT_EQ(f->TestDPMouseHit(1, 0), 5); // 1 and 5
    EXPECT_EQ(f->TestDPMouseHit(6, 1), 5); // 2 and 5
    EXPECT_EQ(f->TestDPMouseHit(-3, 0), 1);
    EXPECT_EQ(f->TestDPMouseHit(9, 0), 2);
}

TEST(FrameHandles, OnlyTheKindsOwnHandlesCount)
{
    // A line has two handles; the unused slots 3..8 still hold (0,0).
    TInlayVorder page(nullptr);
    TCDLLinie line(&page, 100, 100);
    line.X2 = 200;
    line.Y2 = 100;
    line.PaintAt(page.Context, false);
    ASSERT_EQ(line.DragPoints[3], QPoint(0, 0));
    EXPECT_EQ(line.TestDPMouseHit(0, 0), -1);
    EXPECT_EQ(line.TestDPMouseHit(201, 99), 2);
}

// ---- frame hit test --------------------------------------------------------

struct HitCase
{
    int angle;
    Pt p;
    bool hit;
};
void PrintTo(const HitCase &c, std::ostream *os) { *os << c.angle << " deg at (" << c.p.x << "," << c.p.y << ")"; }

class RotatedRectHit : public ::testing::TestWithParam<HitCase>
{
};

TEST_P(RotatedRectHit, FollowsTheRotatedSides)
{
    const HitCase &c = GetParam();
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 400, 400, c.angle);
    Layout(page, *f);
    EXPECT_EQ(f->TestMouseHit(c.p.x, c.p.y), c.hit) << "angle " << c.angle << " at " << c.p.x << "," << c.p.y;
}

INSTANTIATE_TEST_SUITE_P(
    Points, RotatedRectHit,
    ::testing::Values(
        HitCase{0, {0, 0}, true}, HitCase{0, {400, 400}, true}, HitCase{0, {401, 200}, false},
        HitCase{0, {200, -1}, false},
        // 90 degrees: the rectangle spans x 0..400, y -400..0.
        HitCase{90, {200, -200}, true}, HitCase{90, {10, -10}, true}, HitCase{90, {399, -399}, true},
        HitCase{90, {200, 10}, false}, HitCase{90, {-1, -200}, false}, HitCase{90, {401, -200}, false},
        // 45 degrees: a diamond with corners (0,0), (282,-282), (564,0), (282,282).
        HitCase{45, {282, 0}, true}, HitCase{45, {2, 0}, true}, HitCase{45, {282, -280}, true},
        HitCase{45, {282, -285}, false}, HitCase{45, {0, -1}, false},
        // Inside the axis-parallel box around the diamond but outside the diamond.
        HitCase{45, {50, -200}, false}, HitCase{45, {500, 150}, false}));

TEST(RotatedRectHit, UsesDeviceCoordinatesUnderZoom)
{
    // 400 x 200 at (100,50) under zoom 1.9 and offset (10,20): device
    // (200,115) to (960,495).
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 100, 50, 400, 200, 0);
    Layout(page, *f, {1.9, 10, 20});
    EXPECT_TRUE(f->TestMouseHit(200, 115));
    EXPECT_TRUE(f->TestMouseHit(960, 495));
    EXPECT_FALSE(f->TestMouseHit(961, 300));
    EXPECT_FALSE(f->TestMouseHit(500, 114));
    // The model position of the corner is no hit.
    EXPECT_FALSE(f->TestMouseHit(100, 50));
}

// ---- rubber band -----------------------------------------------------------

TEST(FrameInRect, CentreMustLieStrictlyInside)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 400, 400, 0); // centre (200,200)
    Layout(page, *f);
    EXPECT_TRUE(f->IsInRect({0, 0, 400, 400}));
    EXPECT_TRUE(f->IsInRect({199, 199, 201, 201}));
    EXPECT_FALSE(f->IsInRect({200, 0, 400, 400}));
    EXPECT_FALSE(f->IsInRect({0, 0, 200, 400}));
    EXPECT_FALSE(f->IsInRect({0, 200, 400, 400}));
    EXPECT_FALSE(f->IsInRect({0, 0, 400, 200}));
}

TEST(FrameInRect, CentreOfTheRotatedHandlesRoundsTowardZero)
{
    // 401 wide at 90 degrees: handles span y -401..0, centre y -401 / 2 = -200.
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 401, 400, 90);
    Layout(page, *f);
    EXPECT_TRUE(f->IsInRect({0, -201, 400, -199}));
    EXPECT_FALSE(f->IsInRect({0, -201, 400, -200}));
    EXPECT_FALSE(f->IsInRect({0, -200, 400, 0}));

    // 30 degrees: the box of the handles is x 100..546, y -150..223, centre (323,36).
    auto g = MakeRect(page, 100, 50, 400, 200, 30);
    Layout(page, *g);
    EXPECT_TRUE(g->IsInRect({322, 35, 324, 37}));
    EXPECT_FALSE(g->IsInRect({322, 36, 324, 37}));
    EXPECT_FALSE(g->IsInRect({323, 35, 324, 37}));
}

// ---- bounding rectangle ----------------------------------------------------

struct BoundCase
{
    int x, y, w, h, angle;
    TRect expected;
};
void PrintTo(const BoundCase &c, std::ostream *os) { *os << c.w << "x" << c.h << " at " << c.angle << " deg"; }

class FrameBounds : public ::testing::TestWithParam<BoundCase>
{
};

TEST_P(FrameBounds, EnclosesTheRotatedCorners)
{
    const BoundCase &c = GetParam();
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, c.x, c.y, c.w, c.h, c.angle);
    const TRect r = f->GetBoundRect();
    EXPECT_EQ(r.Left, c.expected.Left);
    EXPECT_EQ(r.Top, c.expected.Top);
    EXPECT_EQ(r.Right, c.expected.Right);
    EXPECT_EQ(r.Bottom, c.expected.Bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Rotations, FrameBounds,
    ::testing::Values(BoundCase{100, 50, 400, 200, 0, {100, 50, 500, 250}},
                      BoundCase{100, 50, 400, 200, 90, {100, -350, 300, 50}},
                      BoundCase{100, 50, 400, 200, 180, {-300, -150, 100, 50}},
                      BoundCase{100, 50, 400, 200, 270, {-100, 50, 100, 450}},
                      // 400 cos 45 = 282.8 and 800 cos 45 = 565.7, rounded.
                      BoundCase{0, 0, 400, 400, 45, {0, -283, 566, 283}},
                      // (346.4,-200), (446.4,-26.8), (100,173.2), rounded.
                      BoundCase{0, 0, 400, 200, 30, {0, -200, 446, 173}}));

TEST(FrameBounds, StaysWithinAUnitOfTheExactCornersAtEveryAngle)
{
    TInlayVorder page(nullptr);
    for (int angle = 0; angle < 360; angle += 15) {
        SCOPED_TRACE(angle);
        auto f = MakeRect(page, -120, 80, 300, 170, angle);
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (int i = 0; i < 4; ++i) {
            const QPointF p = ExactCorner(*f, i);
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
        const TRect r = f->GetBoundRect();
        EXPECT_NEAR(r.Left, minX, 1);
        EXPECT_NEAR(r.Right, maxX, 1);
        EXPECT_NEAR(r.Top, minY, 1);
        EXPECT_NEAR(r.Bottom, maxY, 1);
    }
}

// ---- resizing --------------------------------------------------------------

TEST(FrameResize, CreationSizesFromTheOriginWithAMinimumOfTen)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 100, 100, 0, 0, 0);
    EXPECT_TRUE(f->MouseMove(350, 105, 0, 0, ModeCreate));
    EXPECT_EQ(f->Width, 250);
    EXPECT_EQ(f->Height, 10);
    f->MouseMove(40, 300, 0, 0, ModeCreate);
    EXPECT_EQ(f->Width, 10);
    EXPECT_EQ(f->Height, 200);
}

TEST(FrameResize, MoveSubtractsTheGrabOffset)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 100, 100, 400, 200, 30);
    EXPECT_TRUE(f->MouseMove(500, 400, 30, 20, ModeMove));
    EXPECT_EQ(f->X, 470);
    EXPECT_EQ(f->Y, 380);
    EXPECT_EQ(f->Width, 400);
    EXPECT_EQ(f->Height, 200);
    EXPECT_EQ(f->Angle, 30);
}

TEST(FrameResize, UnknownModesChangeNothing)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 100, 100, 400, 200, 0);
    for (int mode : {-1, 9, 19, 21}) {
        EXPECT_TRUE(f->MouseMove(0, 0, 0, 0, mode));
        EXPECT_EQ(f->X, 100);
        EXPECT_EQ(f->Y, 100);
        EXPECT_EQ(f->Width, 400);
        EXPECT_EQ(f->Height, 200);
    }
}

struct LimitCase
{
    const char *name;
    int w, h, mode;
    Pt mouse;
    int expectW, expectH;
};
void PrintTo(const LimitCase &c, std::ostream *os) { *os << c.name; }

class CornerLimits : public ::testing::TestWithParam<LimitCase>
{
};

TEST_P(CornerLimits, AppliesOrIgnoresTheWholeDrag)
{
    const LimitCase &c = GetParam();
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, c.w, c.h, 0);
    EXPECT_TRUE(f->MouseMove(c.mouse.x, c.mouse.y, 0, 0, c.mode));
    EXPECT_EQ(f->Width, c.expectW);
    EXPECT_EQ(f->Height, c.expectH);
}

// The smaller of the two ratios scales both sides; width may end at 10,
// height must end above 10, and an offending drag is dropped, not clamped.
INSTANTIATE_TEST_SUITE_P(
    Handle3, CornerLimits,
    ::testing::Values(LimitCase{"Half", 400, 400, 3, {200, 300}, 200, 200},
                      LimitCase{"WidthReachesTen", 400, 800, 3, {10, 20}, 10, 20},
                      LimitCase{"HeightAtTenIgnored", 800, 400, 3, {20, 10}, 800, 400},
                      LimitCase{"SquareAtTenIgnored", 400, 400, 3, {10, 10}, 400, 400},
                      LimitCase{"WidthBelowTenIgnored", 400, 400, 3, {9, 300}, 400, 400},
                      LimitCase{"PastTheOppositeCornerIgnored", 400, 400, 3, {-100, -100}, 400, 400},
                      LimitCase{"Grows", 400, 200, 3, {1200, 900}, 1200, 600}),
    [](const auto &info) { return std::string(info.param.name); });

struct CornerCase
{
    int angle, mode;
    Pt mouse;    // model position of the pointer
    Pt origin;   // expected (X, Y) afterwards
    int fixed;   // index 0..3 of the corner that must stay put
};
void PrintTo(const CornerCase &c, std::ostream *os) { *os << "handle " << c.mode << " at " << c.angle << " deg"; }

class CornerResize : public ::testing::TestWithParam<CornerCase>
{
};

TEST_P(CornerResize, KeepsTheOppositeCorner)
{
    // 400 x 200 at (100,100); every drag asks for the frame's own local point
    // (300,200), i.e. half the size.
    const CornerCase &c = GetParam();
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 100, 100, 400, 200, c.angle);
    const QPointF before = ExactCorner(*f, c.fixed);
    f->MouseMove(c.mouse.x, c.mouse.y, 0, 0, c.mode);
    EXPECT_EQ(f->Width, 200);
    EXPECT_EQ(f->Height, 100);
    EXPECT_EQ(f->X, c.origin.x);
    EXPECT_EQ(f->Y, c.origin.y);
    const QPointF after = ExactCorner(*f, c.fixed);
    EXPECT_NEAR(after.x(), before.x(), 1.0);
    EXPECT_NEAR(after.y(), before.y(), 1.0);
}

// The local point (300,200) rotated about (100,100): by 90 degrees it is
// (200,-100), by 30 degrees (323.2, 86.6) -> (323, 87).
INSTANTIATE_TEST_SUITE_P(
    Handles, CornerResize,
    ::testing::Values(CornerCase{0, 1, {300, 200}, {300, 200}, 2}, CornerCase{0, 2, {300, 200}, {100, 200}, 3},
                      CornerCase{0, 3, {300, 200}, {100, 100}, 0}, CornerCase{0, 4, {300, 200}, {300, 100}, 1},
                      // New local origins (300,200), (100,200), (300,100) rotated by 90.
                      CornerCase{90, 1, {200, -100}, {200, -100}, 2}, CornerCase{90, 2, {200, -100}, {200, 100}, 3},
                      CornerCase{90, 3, {200, -100}, {100, 100}, 0}, CornerCase{90, 4, {200, -100}, {100, -100}, 1},
                      CornerCase{30, 1, {323, 87}, {323, 87}, 2}, CornerCase{30, 3, {323, 87}, {100, 100}, 0}));

struct SideCase
{
    const char *name;
    int angle, mode;
    Pt mouse;
    int expectX, expectY, expectW, expectH;
};
void PrintTo(const SideCase &c, std::ostream *os) { *os << c.name; }

class SideResize : public ::testing::TestWithParam<SideCase>
{
};

TEST_P(SideResize, MovesOneSide)
{
    const SideCase &c = GetParam();
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 100, 100, 400, 200, c.angle);
    EXPECT_TRUE(f->MouseMove(c.mouse.x, c.mouse.y, 0, 0, c.mode));
    EXPECT_EQ(f->X, c.expectX);
    EXPECT_EQ(f->Y, c.expectY);
    EXPECT_EQ(f->Width, c.expectW);
    EXPECT_EQ(f->Height, c.expectH);
}

// Frame 400 x 200 at (100,100): right side at 500, bottom at 300. Top and
// left keep the other side fixed and drop a drag below 10; right and bottom
// clamp to 10.
INSTANTIATE_TEST_SUITE_P(
    Handles, SideResize,
    ::testing::Values(SideCase{"TopToTen", 0, 5, {0, 290}, 100, 290, 400, 10},
                      SideCase{"TopBelowTenIgnored", 0, 5, {0, 291}, 100, 100, 400, 200},
                      SideCase{"TopUp", 0, 5, {0, 50}, 100, 50, 400, 250},
                      SideCase{"LeftToTen", 0, 8, {490, 0}, 490, 100, 10, 200},
                      SideCase{"LeftBelowTenIgnored", 0, 8, {491, 0}, 100, 100, 400, 200},
                      SideCase{"RightClampsToTen", 0, 6, {105, 0}, 100, 100, 10, 200},
                      SideCase{"RightPastLeftClampsToTen", 0, 6, {-50, 0}, 100, 100, 10, 200},
                      SideCase{"Right", 0, 6, {300, 0}, 100, 100, 200, 200},
                      SideCase{"BottomClampsToTen", 0, 7, {0, 50}, 100, 100, 400, 10},
                      SideCase{"Bottom", 0, 7, {0, 350}, 100, 100, 400, 250},
                      // 90 degrees: the local point (200,150) is the model point
                      // (150,0); the new local origin (100,150) is (150,100).
                      SideCase{"TopRotated90", 90, 5, {150, 0}, 150, 100, 400, 150},
                      // Local (300,150) is (150,-100); new origin (300,100) is (100,-100).
                      SideCase{"LeftRotated90", 90, 8, {150, -100}, 100, -100, 200, 200},
                      SideCase{"RightRotated90", 90, 6, {150, -100}, 100, 100, 200, 200}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
