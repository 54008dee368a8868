// Geometry of the base frame's rotated rectangle: handle positions under
// rotation, zoom and offsets, the hit tests, the rubber-band test, bounding
// rectangles and the resize rules of the handles. Expected values are worked
// out by hand from the corner formula and the mapping trunc(v * s) + offset.

#include "DocumentTestSupport.h"
#include "HitProbes.h"
#include "Page.h"
#include "Shapes.h"
#include "base/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct Mapping
{
    double scale;
    int offX, offY;
};

// The rectangle kind adds nothing to the base geometry, so it stands in for
// the base frame here.
auto MakeRect(TCDLPage &page, int x, int y, int w, int h, int angle)
{
    return Make<TCDLRechteck>(&page, x, y, w, h, angle);
}

// The page's screen mapping, and the frame placed for the screen's hit tests.
void Layout(TCDLPage &page, TCDLFrame &f, Mapping m = {1.0, 0, 0})
{
    page.Context.ScaleX = page.Context.ScaleY = m.scale;
    page.Context.OffsetX = m.offX;
    page.Context.OffsetY = m.offY;
    page.Context.Canvas = nullptr;
    page.UpdateScreenGeometry(f);
}

// Corner i (0 top-left .. 3 bottom-left) of the rotated rectangle, without
// any truncation: the reference for checks that allow for rounding.
QPointF ExactCorner(const TCDLFrame &f, int i)
{
    const double a = f.Angle * std::numbers::pi / 180.0;
    const double lx = (i == 1 || i == 2) ? f.Width : 0, ly = (i == 2 || i == 3) ? f.Height : 0;
    return {f.X + lx * std::cos(a) + ly * std::sin(a), f.Y - lx * std::sin(a) + ly * std::cos(a)};
}

TEST(FrameHandles, CornersAndMidpointsUnderRotationAndZoom)
{
    struct Row
    {
        const char *name;
        int x, y, w, h, angle;
        Mapping map;
    };
    // Corner offsets: w1 = trunc(W cos a), w2 = -trunc(W sin a), h1 = trunc(H sin a),
    // h2 = trunc(H cos a); midpoints are integer averages rounded toward zero.
    const Row rows[] = {
        // The top side runs upward from (X, Y).
        {"90", 0, 0, 400, 400, 90, {1.0, 0, 0}},
        // 400 * 0.7071 = 282.8 -> 282.
        {"45", 0, 0, 400, 400, 45, {1.0, 0, 0}},
        // w1 = 346, w2 = -200, h1 = 100, h2 = 173; (-150 + 23) / 2 = -63, (223 + 50) / 2 = 136.
        {"30", 100, 50, 400, 200, 30, {1.0, 0, 0}},
        // sin 120 = 0.866, cos 120 = -0.5: w1 = -200, w2 = -346, h1 = 346, h2 = -200.
        {"120", 0, 0, 400, 400, 120, {1.0, 0, 0}},
        // Zoom level 1: -200 * 0.2375 = -47.5 -> -47; 300 * 0.2375 = 71.25 -> 71.
        {"0 at zoom 0.2375", -200, -100, 400, 400, 0, {0.2375, 300, 200}},
        // 270 degrees: corners (0,0), (0,400), (-200,400), (-200,0) before mapping.
        {"270 at zoom 0.2375", 0, 0, 400, 200, 270, {0.2375, 100, 100}},
        // The 30 degree corners (100,50), (446,-150), (546,23), (200,223) under
        // zoom 1.9: 446 * 1.9 = 847.4, 23 * 1.9 = 43.7, 223 * 1.9 = 423.7.
        {"30 at zoom 1.9", 100, 50, 400, 200, 30, {1.9, -50, 40}},
    };
    // x, y of handles 1..8, row by row.
    const int expected[][16] = {
        {0, 0, 0, -400, 400, -400, 400, 0, 0, -200, 200, -400, 400, -200, 200, 0},
        {0, 0, 282, -282, 564, 0, 282, 282, 141, -141, 423, -141, 423, 141, 141, 141},
        {100, 50, 446, -150, 546, 23, 200, 223, 273, -50, 496, -63, 373, 123, 150, 136},
        {0, 0, -200, -346, 146, -546, 346, -200, -100, -173, -27, -446, 246, -373, 173, -100},
        {253, 177, 347, 177, 347, 271, 253, 271, 300, 177, 347, 224, 300, 271, 253, 224},
        {100, 100, 100, 195, 53, 195, 53, 100, 100, 147, 76, 195, 53, 147, 76, 100},
        {140, 135, 797, -245, 987, 83, 330, 463, 468, -55, 892, -81, 658, 273, 235, 299},
    };
    for (size_t r = 0; r < std::size(rows); ++r) {
        const Row &c = rows[r];
        SCOPED_TRACE(c.name);
        TInlayVorder page(nullptr);
        auto f = MakeRect(page, c.x, c.y, c.w, c.h, c.angle);
        Layout(page, *f, c.map);
        const TFrameGeometry g = f->Geometry(page.Context);
        for (int i = 1; i <= 8; ++i) {
            const QPoint at(expected[r][2 * i - 2], expected[r][2 * i - 1]);
            EXPECT_EQ(g.DragPoints[size_t(i)], at) << "handle " << i;
            ExpectHandleAt(*f, i, at); // the screen's handle hits sit there
        }
    }
}

TEST(FrameHandles, FollowTheModelWithoutBeingTold)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 400, 400, 0);
    Layout(page, *f);
    f->X = 100;
    f->Width = 50;
    // Written behind the page's back, the fields still show at once.
    EXPECT_EQ(f->TestDPMouseHit(page.ScreenGeometry(*f), 400, 400), -1);
    EXPECT_EQ((std::tuple{f->TestDPMouseHit(page.ScreenGeometry(*f), 150, 400),
                          f->TestDPMouseHit(page.ScreenGeometry(*f), 100, 0),
                          f->TestMouseHit(page.ScreenGeometry(*f), 300, 200)}),
              std::tuple(3, 1, false));
}

TEST(FrameHandles, HandleHitIsInclusiveThreePixelsAndOverlapsGiveTheHigherIndex)
{
    TInlayVorder page(nullptr);
    auto square = MakeRect(page, 0, 0, 400, 400, 0);
    Layout(page, *square);
    // 6 wide: handles 1 (0,0), 5 (3,0) and 2 (6,0) lie within reach of each other.
    auto narrow = MakeRect(page, 0, 0, 6, 40, 0);
    Layout(page, *narrow);
    // A line has two handles; the unused slots 3..8 hold (0,0).
    const auto line = Make2<TCDLLinie>(&page, 100, 100, 200, 100);
    Layout(page, *line);
    ASSERT_EQ(line->Geometry(page.Context).DragPoints[3], QPoint(0, 0));

    struct Row
    {
        const TCDLFrame *f;
        int x, y, handle;
    };
    const Row rows[] = {
        {square.get(), 403, 403, 3},  {square.get(), 397, 397, 3}, {square.get(), 404, 400, -1},
        {square.get(), 400, 396, -1}, {square.get(), 203, -3, 5},  {square.get(), 200, 200, -1},
        {narrow.get(), 3, 0, 5},      {narrow.get(), 1, 0, 5},     {narrow.get(), 6, 1, 5},
        {narrow.get(), -3, 0, 1},     {narrow.get(), 9, 0, 2},     {line.get(), 0, 0, -1},
        {line.get(), 201, 99, 2},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.f->TestDPMouseHit(page.ScreenGeometry(*r.f), r.x, r.y), r.handle)
            << "at (" << r.x << "," << r.y << ")";
}

TEST(FrameHit, FollowsTheRotatedSidesInDeviceCoordinates)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 400, 400, 0);
    Layout(page, *f);
    ExpectHits(*f, {{0, 0, true}, {400, 400, true}, {401, 200, false}, {200, -1, false}});

    // 90 degrees: the rectangle spans x 0..400, y -400..0.
    f = MakeRect(page, 0, 0, 400, 400, 90);
    Layout(page, *f);
    ExpectHits(*f, {{200, -200, true},
                    {10, -10, true},
                    {399, -399, true},
                    {200, 10, false},
                    {-1, -200, false},
                    {401, -200, false}});

    // 45 degrees: a diamond with corners (0,0), (282,-282), (564,0), (282,282);
    // the last two lie in the axis-parallel box around it but outside.
    f = MakeRect(page, 0, 0, 400, 400, 45);
    Layout(page, *f);
    ExpectHits(*f, {{282, 0, true},
                    {2, 0, true},
                    {282, -280, true},
                    {282, -285, false},
                    {0, -1, false},
                    {50, -200, false},
                    {500, 150, false}});

    // 400 x 200 at (100,50) under zoom 1.9 and offset (10,20): device
    // (200,115) to (960,495); the model position of the corner is no hit.
    f = MakeRect(page, 100, 50, 400, 200, 0);
    Layout(page, *f, {1.9, 10, 20});
    ExpectHits(*f, {{200, 115, true}, {960, 495, true}, {961, 300, false}, {500, 114, false}, {100, 50, false}});
}

TEST(FrameInRect, CentreOfTheHandlesMustLieStrictlyInsideRoundedTowardZero)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 0, 0, 400, 400, 0); // centre (200,200)
    Layout(page, *f);
    EXPECT_EQ((std::tuple{f->IsInRect(page.ScreenGeometry(*f), {0, 0, 400, 400}),
                          f->IsInRect(page.ScreenGeometry(*f), {199, 199, 201, 201}),
                          f->IsInRect(page.ScreenGeometry(*f), {200, 0, 400, 400})}),
              std::tuple(true, true, false));
    EXPECT_EQ((std::tuple{f->IsInRect(page.ScreenGeometry(*f), {0, 0, 200, 400}),
                          f->IsInRect(page.ScreenGeometry(*f), {0, 200, 400, 400}),
                          f->IsInRect(page.ScreenGeometry(*f), {0, 0, 400, 200})}),
              std::tuple(false, false, false));

    // The centre of the rotated handles rounds toward zero. 401 wide at 90
    // degrees: handles span y -401..0, centre y -401 / 2 = -200.
    f = MakeRect(page, 0, 0, 401, 400, 90);
    Layout(page, *f);
    EXPECT_EQ((std::tuple{f->IsInRect(page.ScreenGeometry(*f), {0, -201, 400, -199}),
                          f->IsInRect(page.ScreenGeometry(*f), {0, -201, 400, -200}),
                          f->IsInRect(page.ScreenGeometry(*f), {0, -200, 400, 0})}),
              std::tuple(true, false, false));

    // 30 degrees: the box of the handles is x 100..546, y -150..223, centre (323,36).
    auto g = MakeRect(page, 100, 50, 400, 200, 30);
    Layout(page, *g);
    EXPECT_EQ((std::tuple{g->IsInRect(page.ScreenGeometry(*g), {322, 35, 324, 37}),
                          g->IsInRect(page.ScreenGeometry(*g), {322, 36, 324, 37}),
                          g->IsInRect(page.ScreenGeometry(*g), {323, 35, 324, 37})}),
              std::tuple(true, false, false));
}

TEST(FrameBounds, EnclosesTheRotatedCornersAtEveryAngle)
{
    struct Row
    {
        int x, y, w, h, angle;
        TRect expected;
    };
    const Row rows[] = {
        {100, 50, 400, 200, 0, {100, 50, 500, 250}},
        {100, 50, 400, 200, 90, {100, -350, 300, 50}},
        {100, 50, 400, 200, 180, {-300, -150, 100, 50}},
        {100, 50, 400, 200, 270, {-100, 50, 100, 450}},
        // 400 cos 45 = 282.8 and 800 cos 45 = 565.7, rounded.
        {0, 0, 400, 400, 45, {0, -283, 566, 283}},
        // (346.4,-200), (446.4,-26.8), (100,173.2), rounded.
        {0, 0, 400, 200, 30, {0, -200, 446, 173}},
    };
    TInlayVorder page(nullptr);
    for (const Row &c : rows) {
        SCOPED_TRACE(c.angle);
        EXPECT_EQ(MakeRect(page, c.x, c.y, c.w, c.h, c.angle)->GetBoundRect(), c.expected);
    }

    // Within a unit of the exact corners at every angle.
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

// Coordinates from files and pastes can sit at the int32 ends; a bound that
// wrapped would send a frame across the whole range when aligned.
TEST(FrameBounds, SaturateAtTheInt32EndsInsteadOfWrapping)
{
    TInlayVorder page(nullptr);
    const auto nearEnd = MakeRect(page, INT32_MAX - 10, INT32_MIN + 10, 400, -400, 0);
    EXPECT_EQ(nearEnd->GetBoundRect(), (TRect{INT32_MAX - 10, INT32_MIN, INT32_MAX, INT32_MIN + 10}));
    EXPECT_EQ(MakeRect(page, INT32_MAX - 10, 0, 400, 400, 30)->GetBoundRect().Right, INT32_MAX);

    EXPECT_EQ(Make2<TCDLKreis>(&page, INT32_MIN, 0, INT32_MAX, 0)->GetBoundRect(),
              (TRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}));
}

TEST(FrameResize, MoveSubtractsTheGrabOffsetAndKeepsTheShape)
{
    TInlayVorder page(nullptr);
    auto f = MakeRect(page, 100, 100, 400, 200, 30);
    EXPECT_EQ((std::tuple{f->MouseMove(500, 400, 30, 20, ModeMove), QPoint(f->X, f->Y), QPoint(f->Width, f->Height)}),
              std::tuple(true, QPoint(470, 380), QPoint(400, 200)));
}

TEST(FrameResize, EachHandleCreationAndUnknownModeByItsRules)
{
    struct Row
    {
        const char *name;
        int x, y, w, h, angle, mode;
        QPoint mouse;
        int expectX, expectY, expectW, expectH;
    };
    const Row rows[] = {
        // Creation sizes from the origin with a minimum of ten.
        {"Create", 100, 100, 0, 0, 0, ModeCreate, {350, 105}, 100, 100, 250, 10},
        {"CreateLeftOfTheOrigin", 100, 100, 0, 0, 0, ModeCreate, {40, 300}, 100, 100, 10, 200},
        {"UnknownModeBelow", 100, 100, 400, 200, 0, -1, {0, 0}, 100, 100, 400, 200},
        {"UnknownMode9", 100, 100, 400, 200, 0, 9, {0, 0}, 100, 100, 400, 200},
        {"UnknownMode19", 100, 100, 400, 200, 0, 19, {0, 0}, 100, 100, 400, 200},
        {"UnknownMode21", 100, 100, 400, 200, 0, 21, {0, 0}, 100, 100, 400, 200},
        // Corner 3: the smaller of the two ratios scales both sides; width may
        // end at 10, height must end above 10, and an offending drag is
        // dropped, not clamped.
        {"CornerHalf", 0, 0, 400, 400, 0, 3, {200, 300}, 0, 0, 200, 200},
        {"CornerWidthReachesTen", 0, 0, 400, 800, 0, 3, {10, 20}, 0, 0, 10, 20},
        {"CornerHeightAtTenIgnored", 0, 0, 800, 400, 0, 3, {20, 10}, 0, 0, 800, 400},
        {"CornerSquareAtTenIgnored", 0, 0, 400, 400, 0, 3, {10, 10}, 0, 0, 400, 400},
        {"CornerWidthBelowTenIgnored", 0, 0, 400, 400, 0, 3, {9, 300}, 0, 0, 400, 400},
        {"CornerPastTheOppositeIgnored", 0, 0, 400, 400, 0, 3, {-100, -100}, 0, 0, 400, 400},
        {"CornerGrows", 0, 0, 400, 200, 0, 3, {1200, 900}, 0, 0, 1200, 600},
        // Sides of 400 x 200 at (100,100): right at 500, bottom at 300. Top and
        // left keep the other side fixed and drop a drag below 10; right and
        // bottom clamp to 10.
        {"TopToTen", 100, 100, 400, 200, 0, 5, {0, 290}, 100, 290, 400, 10},
        {"TopBelowTenIgnored", 100, 100, 400, 200, 0, 5, {0, 291}, 100, 100, 400, 200},
        {"TopUp", 100, 100, 400, 200, 0, 5, {0, 50}, 100, 50, 400, 250},
        {"LeftToTen", 100, 100, 400, 200, 0, 8, {490, 0}, 490, 100, 10, 200},
        {"LeftBelowTenIgnored", 100, 100, 400, 200, 0, 8, {491, 0}, 100, 100, 400, 200},
        {"RightClampsToTen", 100, 100, 400, 200, 0, 6, {105, 0}, 100, 100, 10, 200},
        {"RightPastLeftClampsToTen", 100, 100, 400, 200, 0, 6, {-50, 0}, 100, 100, 10, 200},
        {"Right", 100, 100, 400, 200, 0, 6, {300, 0}, 100, 100, 200, 200},
        {"BottomClampsToTen", 100, 100, 400, 200, 0, 7, {0, 50}, 100, 100, 400, 10},
        {"Bottom", 100, 100, 400, 200, 0, 7, {0, 350}, 100, 100, 400, 250},
        // 90 degrees: the local point (200,150) is the model point (150,0);
        // the new local origin (100,150) is (150,100).
        {"TopRotated90", 100, 100, 400, 200, 90, 5, {150, 0}, 150, 100, 400, 150},
        // Local (300,150) is (150,-100); new origin (300,100) is (100,-100).
        {"LeftRotated90", 100, 100, 400, 200, 90, 8, {150, -100}, 100, -100, 200, 200},
        {"RightRotated90", 100, 100, 400, 200, 90, 6, {150, -100}, 100, 100, 200, 200},
    };
    TInlayVorder page(nullptr);
    for (const Row &c : rows) {
        SCOPED_TRACE(c.name);
        auto f = MakeRect(page, c.x, c.y, c.w, c.h, c.angle);
        EXPECT_EQ((std::tuple{f->MouseMove(c.mouse.x(), c.mouse.y(), 0, 0, c.mode), QPoint(f->X, f->Y),
                              QPoint(f->Width, f->Height)}),
                  std::tuple(true, QPoint(c.expectX, c.expectY), QPoint(c.expectW, c.expectH)));
    }
}

TEST(FrameResize, CornerDragKeepsTheOppositeCornerAtAnyRotation)
{
    // 400 x 200 at (100,100); every drag asks for the frame's own local point
    // (300,200), i.e. half the size. That point rotated about (100,100): by 90
    // degrees it is (200,-100), by 30 degrees (323.2, 86.6) -> (323, 87).
    struct Row
    {
        int angle, mode;
        QPoint mouse, origin; // origin: expected (X, Y) afterwards
        int fixed;            // index 0..3 of the corner that must stay put
    };
    const Row rows[] = {
        {0, 1, {300, 200}, {300, 200}, 2},
        {0, 2, {300, 200}, {100, 200}, 3},
        {0, 3, {300, 200}, {100, 100}, 0},
        {0, 4, {300, 200}, {300, 100}, 1},
        // New local origins (300,200), (100,200), (300,100) rotated by 90.
        {90, 1, {200, -100}, {200, -100}, 2},
        {90, 2, {200, -100}, {200, 100}, 3},
        {90, 3, {200, -100}, {100, 100}, 0},
        {90, 4, {200, -100}, {100, -100}, 1},
        {30, 1, {323, 87}, {323, 87}, 2},
        {30, 3, {323, 87}, {100, 100}, 0},
    };
    TInlayVorder page(nullptr);
    for (const Row &c : rows) {
        SCOPED_TRACE(testing::Message() << "handle " << c.mode << " at " << c.angle << " deg");
        auto f = MakeRect(page, 100, 100, 400, 200, c.angle);
        const QPointF before = ExactCorner(*f, c.fixed);
        f->MouseMove(c.mouse.x(), c.mouse.y(), 0, 0, c.mode);
        EXPECT_EQ((std::tuple{QPoint(f->Width, f->Height), QPoint(f->X, f->Y)}),
                  std::tuple(QPoint(200, 100), c.origin));
        const QPointF after = ExactCorner(*f, c.fixed);
        EXPECT_NEAR(after.x(), before.x(), 1.0);
        EXPECT_NEAR(after.y(), before.y(), 1.0);
    }
}

} // namespace
