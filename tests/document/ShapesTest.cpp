// Line, rectangle, circle and ellipse: their own hit tests, handles, moves
// and bounds, and what they and a page put on the pixels of an image.

#include "Page.h"
#include "Shapes.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

// Readable failures for positions.
static void PrintTo(const QPoint &p, std::ostream *os) { *os << "(" << p.x() << "," << p.y() << ")"; }

namespace {

constexpr TColor Red = RGBColor(255, 0, 0);
constexpr QRgb White = 0xFFFFFFFF, Black = 0xFF000000, RedPixel = 0xFFFF0000;

void SetMapping(TPaintContext &c, double scale, int offX, int offY)
{
    c.ScaleX = c.ScaleY = scale;
    c.OffsetX = offX;
    c.OffsetY = offY;
}

// A white image with the page's context painting into it.
class ImageCanvas
{
public:
    ImageCanvas(TPaintContext &c, int w, int h) : m_context(c), m_image(w, h, QImage::Format_RGB32)
    {
        m_image.fill(Qt::white);
        m_painter.begin(&m_image);
        c.Canvas = &m_painter;
    }
    const QImage &Finish()
    {
        if (m_painter.isActive())
            m_painter.end();
        m_context.Canvas = nullptr;
        return m_image;
    }

private:
    TPaintContext &m_context;
    QImage m_image;
    QPainter m_painter;
};

int CountNot(const QImage &img, QRgb color, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixel(x, y) != color;
    return n;
}

TCDLLinie &Line(TCDLLinie &l, int x2, int y2)
{
    l.X2 = x2;
    l.Y2 = y2;
    return l;
}

// ---- line ------------------------------------------------------------------

TEST(Line, DefaultsToAHorizontalLineOf400)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 30, -70);
    l.SetDefaults();
    EXPECT_EQ(l.X2, 430);
    EXPECT_EQ(l.Y2, -70);
    EXPECT_EQ(l.DragPointCount, 2);
}

TEST(Line, HitAlongTheSegmentOnly)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 0, 0);
    Line(l, 100, 0).PaintAt(page.Context, false);
    EXPECT_TRUE(l.TestMouseHit(50, 0));
    EXPECT_TRUE(l.TestMouseHit(0, 0));
    EXPECT_TRUE(l.TestMouseHit(100, 0));
    EXPECT_TRUE(l.TestMouseHit(50, 1));
    EXPECT_FALSE(l.TestMouseHit(50, 10));
    // On the line's extension but past an end.
    EXPECT_FALSE(l.TestMouseHit(102, 0));
    EXPECT_FALSE(l.TestMouseHit(-2, 0));
}

TEST(Line, ZeroLengthLineIsHitOnlyAtItsPoint)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 100, 100);
    Line(l, 100, 100).PaintAt(page.Context, false);
    EXPECT_TRUE(l.TestMouseHit(100, 100));
    EXPECT_FALSE(l.TestMouseHit(101, 100));
    EXPECT_FALSE(l.TestMouseHit(100, 99));
    EXPECT_FALSE(l.TestMouseHit(101, 101));
}

TEST(Line, HitTestWorksOnDevicePositions)
{
    // Zoom 1.9, offset (10,20): the ends are at (10,20) and (200,20).
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 1.9, 10, 20);
    TCDLLinie l(&page, 0, 0);
    Line(l, 100, 0).PaintAt(page.Context, false);
    EXPECT_EQ(l.DragPoints[1], QPoint(10, 20));
    EXPECT_EQ(l.DragPoints[2], QPoint(200, 20));
    EXPECT_TRUE(l.TestMouseHit(150, 20));
    EXPECT_FALSE(l.TestMouseHit(100, 30));
    EXPECT_FALSE(l.TestMouseHit(205, 20));
}

TEST(Line, MovingKeepsTheVectorAndHandlesMoveOneEnd)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 10, 20);
    Line(l, 110, 70);
    EXPECT_TRUE(l.MouseMove(500, 400, 5, 5, ModeMove));
    EXPECT_EQ(QPoint(l.X, l.Y), QPoint(495, 395));
    EXPECT_EQ(QPoint(l.X2, l.Y2), QPoint(595, 445));

    l.MouseMove(0, 0, 0, 0, 1);
    EXPECT_EQ(QPoint(l.X, l.Y), QPoint(0, 0));
    EXPECT_EQ(QPoint(l.X2, l.Y2), QPoint(595, 445));

    l.MouseMove(-30, 40, 0, 0, 2);
    EXPECT_EQ(QPoint(l.X2, l.Y2), QPoint(-30, 40));
    l.MouseMove(7, 8, 0, 0, ModeCreate);
    EXPECT_EQ(QPoint(l.X2, l.Y2), QPoint(7, 8));
    EXPECT_EQ(QPoint(l.X, l.Y), QPoint(0, 0));
}

TEST(Line, BoundRectIsNormalised)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 300, 50);
    Line(l, 100, 200);
    EXPECT_EQ(l.GetBoundRect(), (TRect{100, 50, 300, 200}));
    Line(l, 300, -50);
    EXPECT_EQ(l.GetBoundRect(), (TRect{300, -50, 300, 50}));
}

// ---- circle ----------------------------------------------------------------

// Centre (X2,Y2), rim point (X,Y).
TCDLKreis &Circle(TCDLKreis &k, int cx, int cy)
{
    k.X2 = cx;
    k.Y2 = cy;
    return k;
}

TEST(Circle, WholeDiscHitsEvenWithoutFill)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 150, 100);
    ASSERT_TRUE(k.NoFill);
    Circle(k, 100, 100).PaintAt(page.Context, false);
    EXPECT_EQ(k.DragPoints[1], QPoint(100, 100));
    EXPECT_EQ(k.DragPoints[2], QPoint(150, 100));
    EXPECT_TRUE(k.TestMouseHit(100, 100));
    EXPECT_TRUE(k.TestMouseHit(130, 130)); // 42.4 from the centre
    EXPECT_TRUE(k.TestMouseHit(50, 100));
    EXPECT_FALSE(k.TestMouseHit(136, 136)); // 50.9
    EXPECT_FALSE(k.TestMouseHit(151, 100));
}

TEST(Circle, RadiusIsRoundedToWholePixels)
{
    // Rim 31.6 pixels from the centre: the radius becomes 32.
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 130, 110);
    Circle(k, 100, 100).PaintAt(page.Context, false);
    EXPECT_TRUE(k.TestMouseHit(132, 100));
    EXPECT_FALSE(k.TestMouseHit(133, 100));
}

TEST(Circle, RimCloserThanTenOnBothAxesSnapsToCentrePlusTen)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 200, 100);
    Circle(k, 100, 100);
    // Dragging the centre onto the rim point.
    EXPECT_TRUE(k.MouseMove(200, 100, 0, 0, 1));
    EXPECT_EQ(QPoint(k.X2, k.Y2), QPoint(200, 100));
    EXPECT_EQ(QPoint(k.X, k.Y), QPoint(210, 110));
    // Radius sqrt(200) = 14.14 in model units.
    EXPECT_EQ(k.GetBoundRect(), (TRect{185, 85, 214, 114}));

    // The rim handle near the centre snaps too.
    k.MouseMove(195, 91, 0, 0, 2);
    EXPECT_EQ(QPoint(k.X, k.Y), QPoint(210, 110));
    // Close on one axis only is a thin but valid circle.
    k.MouseMove(205, 160, 0, 0, 2);
    EXPECT_EQ(QPoint(k.X, k.Y), QPoint(205, 160));
    k.MouseMove(150, 109, 0, 0, ModeCreate);
    EXPECT_EQ(QPoint(k.X, k.Y), QPoint(150, 109));
}

TEST(Circle, MovingKeepsTheRadiusVector)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 150, 80);
    Circle(k, 100, 100);
    k.MouseMove(400, 300, 10, 10, ModeMove);
    EXPECT_EQ(QPoint(k.X, k.Y), QPoint(390, 290));
    EXPECT_EQ(QPoint(k.X2, k.Y2), QPoint(340, 310));
}

TEST(Circle, BoundRectIsTheSquareAroundTheCentre)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, -100, -50);
    Circle(k, -100, -100);
    EXPECT_EQ(k.GetBoundRect(), (TRect{-150, -150, -50, -50}));
    TCDLKreis d(&page, 30, 40); // 3-4-5: radius 50
    Circle(d, 0, 0);
    EXPECT_EQ(d.GetBoundRect(), (TRect{-50, -50, 50, 50}));
}

TEST(Circle, RubberBandTakesTheCentreStrictly)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 300, 100);
    Circle(k, 100, 100).PaintAt(page.Context, false);
    EXPECT_TRUE(k.IsInRect({99, 99, 101, 101}));
    EXPECT_FALSE(k.IsInRect({100, 0, 400, 200}));
    EXPECT_FALSE(k.IsInRect({0, 0, 400, 100}));
    // The rim point alone does not count.
    EXPECT_FALSE(k.IsInRect({250, 50, 350, 150}));
}

// ---- ellipse ---------------------------------------------------------------

std::unique_ptr<TCDLEllipse> MakeEllipse(TCDLPage &page, int x, int y, int w, int h, int angle)
{
    auto e = std::make_unique<TCDLEllipse>(&page, x, y);
    e->Width = w;
    e->Height = h;
    e->Angle = angle;
    e->PaintAt(page.Context, false);
    return e;
}

TEST(Ellipse, HitInsideTheCurveNotInTheCornersOfItsBox)
{
    TInlayVorder page(nullptr);
    auto e = MakeEllipse(page, 0, 0, 400, 200, 0);
    ASSERT_TRUE(e->NoFill);
    EXPECT_TRUE(e->TestMouseHit(200, 100));
    EXPECT_TRUE(e->TestMouseHit(395, 100));
    EXPECT_TRUE(e->TestMouseHit(0, 100));
    EXPECT_TRUE(e->TestMouseHit(200, 0));
    EXPECT_FALSE(e->TestMouseHit(5, 5));
    EXPECT_FALSE(e->TestMouseHit(395, 195));
    EXPECT_FALSE(e->TestMouseHit(200, 201));
}

TEST(Ellipse, HitFollowsTheRotation)
{
    // 90 degrees: the ellipse fills x 0..200, y -400..0.
    TInlayVorder page(nullptr);
    auto e = MakeEllipse(page, 0, 0, 400, 200, 90);
    EXPECT_TRUE(e->TestMouseHit(100, -200));
    EXPECT_TRUE(e->TestMouseHit(100, -395));
    EXPECT_FALSE(e->TestMouseHit(5, -5));
    EXPECT_FALSE(e->TestMouseHit(100, 5));
    EXPECT_FALSE(e->TestMouseHit(300, -200));
}

TEST(Ellipse, BothEndsOfAnOddWidthAreHit)
{
    // 401 wide: the horizontal axis runs from x 0 to 401 through y 100.
    TInlayVorder page(nullptr);
    auto e = MakeEllipse(page, 0, 0, 401, 200, 0);
    EXPECT_TRUE(e->TestMouseHit(0, 100));
    EXPECT_TRUE(e->TestMouseHit(401, 100));
    EXPECT_FALSE(e->TestMouseHit(402, 100));
    EXPECT_FALSE(e->TestMouseHit(-1, 100));
}

TEST(Ellipse, WithoutWidthOrHeightItIsNeverHit)
{
    TInlayVorder page(nullptr);
    for (int angle : {0, 2, 4, 30, 45, 90, 120, 200}) {
        SCOPED_TRACE(angle);
        auto thin = MakeEllipse(page, 0, 0, 0, 400, angle);
        auto flat = MakeEllipse(page, 0, 0, 400, 0, angle);
        // Probe around the segment each one degenerates to, and its ends.
        for (const QPoint p : {thin->DragPoints[1], thin->DragPoints[4], thin->DragPoints[8]})
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    EXPECT_FALSE(thin->TestMouseHit(p.x() + dx, p.y() + dy));
        for (const QPoint p : {flat->DragPoints[1], flat->DragPoints[2], flat->DragPoints[5]})
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    EXPECT_FALSE(flat->TestMouseHit(p.x() + dx, p.y() + dy));
    }
}

TEST(Ellipse, PolygonIsClosedAndStartsAtTheBottom)
{
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 1.0, 0, 0);
    for (int angle : {0, 30, 45, 90, 180, 270, 333}) {
        SCOPED_TRACE(angle);
        auto e = MakeEllipse(page, 100, 50, 400, 200, angle);
        const auto pts = e->Polygon(page.Context);
        EXPECT_EQ(pts.front(), pts.back());
    }
    // Unrotated, t = 0 is the middle of the bottom side: (100 + 200, 50 + 200).
    auto e = MakeEllipse(page, 100, 50, 400, 200, 0);
    const auto pts = e->Polygon(page.Context);
    EXPECT_EQ(pts.front(), QPoint(300, 250));
    int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
    for (QPoint p : pts) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    // 80 points on the curve stay within the box and come close to its sides.
    EXPECT_GE(minX, 100);
    EXPECT_LE(maxX, 500);
    EXPECT_GE(minY, 50);
    EXPECT_LE(maxY, 250);
    EXPECT_LE(minX, 101);
    EXPECT_GE(maxX, 499);
    EXPECT_LE(minY, 51);
}

TEST(Ellipse, PolygonUsesTheContextMapping)
{
    // Zoom 0.2375 with offset (300,200): the bottom middle (200,200) maps to
    // (trunc(47.5) + 300, trunc(47.5) + 200).
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 0.2375, 300, 200);
    auto e = MakeEllipse(page, 0, 0, 400, 200, 0);
    const auto pts = e->Polygon(page.Context);
    EXPECT_EQ(pts.front(), QPoint(347, 247));
    EXPECT_EQ(pts.back(), QPoint(347, 247));
}

TEST(Ellipse, RubberBandTakesTheFirstCorner)
{
    TInlayVorder page(nullptr);
    auto e = MakeEllipse(page, 100, 100, 400, 200, 0);
    EXPECT_TRUE(e->IsInRect({99, 99, 101, 101}));
    EXPECT_FALSE(e->IsInRect({100, 0, 600, 400}));
    // The centre of the ellipse alone does not count.
    EXPECT_FALSE(e->IsInRect({250, 150, 350, 250}));
}

TEST(Ellipse, ResizesByTheRectangleRules)
{
    TInlayVorder page(nullptr);
    auto e = MakeEllipse(page, 0, 0, 400, 400, 0);
    e->MouseMove(10, 10, 0, 0, 3);
    EXPECT_EQ(e->Width, 400);
    e->MouseMove(200, 300, 0, 0, 3);
    EXPECT_EQ(e->Width, 200);
    EXPECT_EQ(e->Height, 200);
    e->MouseMove(5, 5, 0, 0, ModeCreate);
    EXPECT_EQ(e->Width, 10);
    EXPECT_EQ(e->Height, 10);
}

// ---- status texts ---------------------------------------------------------

// Positions are shown from the page's origin: the inlay front's top-left
// corner (-599,-605), the label's centre.
class StatusText : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetLanguageState(1);
        if (GetText(554).isEmpty())
            GTEST_SKIP() << "no German string table";
    }
};

TEST_F(StatusText, BoxKindsGivePositionAndSize)
{
    TInlayVorder page(nullptr);
    TCDLRechteck r(&page, 0, 0);
    r.Width = 400;
    r.Height = 200;
    EXPECT_EQ(r.Verbose(), QStringLiteral("Rechteck  ( 59,9 ; 60,5 )  Breite: 40,0  H\u00f6he: 20,0"));

    TCDLFrame base(&page, -604, -600);
    base.SetDefaults();
    EXPECT_EQ(base.Verbose(), QStringLiteral("Rahmen  ( -0,5 ; 0,5 )  Breite: 40,0  H\u00f6he: 40,0"));

    TCDLEllipse e(&page, -599, -605);
    e.Width = 123;
    e.Height = 5;
    EXPECT_EQ(e.Verbose(), QStringLiteral("Ellipse  ( 0,0 ; 0,0 )   ( 12,3 ; 0,5 )"));
}

TEST_F(StatusText, TwoPointKindsGiveBothPoints)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, -599, -605);
    Line(l, 1, -595);
    EXPECT_EQ(l.Verbose(), QStringLiteral("Linie  ( 0,0 ; 0,0 ) - ( 60,0 ; 1,0 )"));

    TCDLKreis k(&page, -589, -605);
    Circle(k, -599, -595);
    EXPECT_EQ(k.Verbose(), QStringLiteral("Kreis  ( 1,0 ; 0,0 )  Mittelpunkt ( 0,0 ; 1,0 )"));
}

TEST_F(StatusText, LabelPositionsAreFromItsCentre)
{
    TCDLabel label(nullptr);
    TCDLRechteck r(&label, -123, 50);
    r.SetDefaults();
    EXPECT_EQ(r.Verbose(), QStringLiteral("Rechteck  ( -12,3 ; 5,0 )  Breite: 40,0  H\u00f6he: 40,0"));
    TInlayRueck back(nullptr);
    TCDLLinie l(&back, -753, -590);
    Line(l, 0, 0);
    EXPECT_EQ(l.Verbose(), QStringLiteral("Linie  ( 0,0 ; 0,0 ) - ( 75,3 ; 59,0 )"));
}

// ---- painting --------------------------------------------------------------

// 400 x 200 at (0,0) under scale 0.5 and offset (20,20): device (20,20) to
// (220,120).
struct OutlineCase
{
    const char *name;
    int32_t penSize;
    int top, bottom; // rows at x = 120 that must be black around y = 20
};
void PrintTo(const OutlineCase &c, std::ostream *os) { *os << c.name; }

class RectOutline : public ::testing::TestWithParam<OutlineCase>
{
};

TEST_P(RectOutline, PenWidthInDevicePixels)
{
    const OutlineCase &c = GetParam();
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 0.5, 20, 20);
    TCDLRechteck r(&page, 0, 0);
    r.SetDefaults();
    r.Height = 200;
    r.PenSize = c.penSize;
    ImageCanvas canvas(page.Context, 260, 160);
    r.PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    for (int y = c.top; y <= c.bottom; ++y)
        EXPECT_EQ(img.pixel(120, y), Black) << "y " << y;
    EXPECT_EQ(img.pixel(120, c.top - 2), White);
    EXPECT_EQ(img.pixel(120, c.bottom + 2), White);
    EXPECT_EQ(img.pixel(20, 70), Black);
    EXPECT_EQ(img.pixel(220, 70), Black);
    EXPECT_EQ(img.pixel(120, 120), Black);
    EXPECT_EQ(img.pixel(120, 70), White); // hollow
}

INSTANTIATE_TEST_SUITE_P(Widths, RectOutline,
                         ::testing::Values(OutlineCase{"Hairline", 0, 20, 20},
                                           // 1 * 0.5 truncates to 0 and still draws one pixel.
                                           OutlineCase{"BelowOnePixel", 1, 20, 20},
                                           // 10 * 0.5 = 5 pixels.
                                           OutlineCase{"FivePixels", 10, 19, 21}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ShapePaint, HairlineIsExactlyOnePixel)
{
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 0.5, 20, 20);
    TCDLRechteck r(&page, 0, 0);
    r.SetDefaults();
    ImageCanvas canvas(page.Context, 260, 260);
    r.PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    EXPECT_EQ(img.pixel(120, 19), White);
    EXPECT_EQ(img.pixel(120, 20), Black);
    EXPECT_EQ(img.pixel(120, 21), White);
    EXPECT_EQ(img.pixel(19, 120), White);
    EXPECT_EQ(img.pixel(21, 120), White);
}

TEST(ShapePaint, NoPenDrawsNoOutline)
{
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 0.5, 20, 20);
    TCDLRechteck r(&page, 0, 0);
    r.SetDefaults();
    r.NoPen = true;
    {
        ImageCanvas canvas(page.Context, 260, 260);
        r.PaintAt(page.Context, false);
        EXPECT_EQ(CountNot(canvas.Finish(), White, QRect(0, 0, 260, 260)), 0);
    }
    r.NoFill = false;
    r.FillColor = Red;
    ImageCanvas canvas(page.Context, 260, 260);
    r.PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    EXPECT_EQ(img.pixel(120, 120), RedPixel);
    EXPECT_EQ(CountNot(img, RedPixel, QRect(22, 22, 196, 196)), 0);
    EXPECT_EQ(CountNot(img, White, QRect(0, 0, 260, 18)), 0);
    EXPECT_EQ(CountNot(img, White, QRect(0, 0, 18, 260)), 0);
}

TEST(ShapePaint, RectangleAtNinetyDegreesRisesFromItsOrigin)
{
    // Scale 0.5, offset (50,250): corners (50,250), (50,50), (150,50), (150,250).
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 0.5, 50, 250);
    TCDLRechteck r(&page, 0, 0);
    r.SetDefaults();
    r.Height = 200;
    r.Angle = 90;
    ImageCanvas canvas(page.Context, 200, 300);
    r.PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    EXPECT_EQ(img.pixel(50, 150), Black);  // the top side, upward from (X, Y)
    EXPECT_EQ(img.pixel(100, 50), Black);  // the right side, now on top
    EXPECT_EQ(img.pixel(150, 150), Black); // the bottom side
    EXPECT_EQ(img.pixel(100, 250), Black); // the left side, now at the bottom
    EXPECT_EQ(img.pixel(100, 150), White);
    EXPECT_EQ(img.pixel(50, 45), White);
    EXPECT_EQ(img.pixel(50, 255), White);
}

TEST(ShapePaint, WideLineExtendsHalfItsWidthBeyondTheEnds)
{
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 1.0, 50, 50);
    TCDLLinie l(&page, 0, 0);
    Line(l, 200, 0);
    l.PenColor = Red;
    l.PenSize = 10;
    ImageCanvas canvas(page.Context, 300, 100);
    l.PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    EXPECT_EQ(img.pixel(150, 50), RedPixel);
    EXPECT_EQ(img.pixel(150, 47), RedPixel);
    EXPECT_EQ(img.pixel(150, 53), RedPixel);
    EXPECT_EQ(img.pixel(150, 42), White);
    EXPECT_EQ(img.pixel(150, 58), White);
    EXPECT_EQ(img.pixel(253, 50), RedPixel);
    EXPECT_EQ(img.pixel(47, 50), RedPixel);
    EXPECT_EQ(img.pixel(258, 50), White);
    EXPECT_EQ(img.pixel(42, 50), White);
}

TEST(ShapePaint, HairLineIsOnePixelWide)
{
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 1.0, 50, 50);
    TCDLLinie l(&page, 0, 0);
    Line(l, 200, 0);
    ImageCanvas canvas(page.Context, 300, 100);
    l.PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    EXPECT_EQ(img.pixel(150, 50), Black);
    EXPECT_EQ(img.pixel(150, 49), White);
    EXPECT_EQ(img.pixel(150, 51), White);
}

TEST(ShapePaint, FilledCircleCoversItsDisc)
{
    // Centre (100,100), rim (150,100): radius 50.
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 150, 100);
    Circle(k, 100, 100);
    k.NoPen = true;
    k.NoFill = false;
    k.FillColor = Red;
    ImageCanvas canvas(page.Context, 200, 200);
    k.PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    EXPECT_EQ(img.pixel(100, 100), RedPixel);
    EXPECT_EQ(img.pixel(100, 145), RedPixel);
    EXPECT_EQ(img.pixel(55, 100), RedPixel);
    EXPECT_EQ(img.pixel(100, 155), White);
    EXPECT_EQ(img.pixel(140, 140), White); // 56.6 from the centre
}

TEST(ShapePaint, FilledEllipseCoversItsInside)
{
    // 400 x 200 at (0,0), scale 0.5, offset (10,10): centre (110,60), semi-axes 100 and 50.
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 0.5, 10, 10);
    auto e = std::make_unique<TCDLEllipse>(&page, 0, 0);
    e->Width = 400;
    e->Height = 200;
    e->NoPen = true;
    e->NoFill = false;
    e->FillColor = Red;
    ImageCanvas canvas(page.Context, 230, 130);
    e->PaintAt(page.Context, false);
    const QImage &img = canvas.Finish();
    EXPECT_EQ(img.pixel(110, 60), RedPixel);
    EXPECT_EQ(img.pixel(200, 60), RedPixel);
    EXPECT_EQ(img.pixel(110, 105), RedPixel);
    EXPECT_EQ(img.pixel(15, 15), White);
    EXPECT_EQ(img.pixel(110, 115), White);
    EXPECT_EQ(img.pixel(215, 60), White);
}

// ---- page painting ---------------------------------------------------------

struct GridHost : TPageHost
{
};

// The inlay front (1198 x 1210) in a 600 x 600 image: the height ratio
// 600/1210 is the smaller, so at zoom 0.95 the scale is 0.4711 and the
// offsets are (300,300).
constexpr double FrontScale = 600.0 / 1210 * 0.95;

TEST(PagePaint, FilledRectangleOnAnInlayLandsWhereTheFitPutsIt)
{
    TInlayVorder page(nullptr);
    auto f = std::make_unique<TCDLRechteck>(&page, -200, -100);
    f->Width = 400;
    f->Height = 200;
    f->NoPen = true;
    f->NoFill = false;
    f->FillColor = Red;
    page.AddFrame(std::move(f));

    QImage img(600, 600, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    page.PaintScreen(p, QSize(600, 600));
    p.end();

    EXPECT_DOUBLE_EQ(page.Context.ScaleX, FrontScale);
    EXPECT_EQ(page.Context.OffsetX, 300);
    EXPECT_EQ(page.Context.OffsetY, 300);
    EXPECT_EQ(page.Context.Canvas, nullptr);
    // -200 * 0.4711 = -94.2 -> 206; 200 -> 394; -100 -> 253; 100 -> 347.
    EXPECT_EQ(page.FrameAt(0)->DragPoints[1], QPoint(206, 253));
    EXPECT_EQ(page.FrameAt(0)->DragPoints[3], QPoint(394, 347));
    EXPECT_EQ(CountNot(img, RedPixel, QRect(QPoint(207, 254), QPoint(392, 345))), 0);
    EXPECT_EQ(img.pixel(204, 300), White);
    EXPECT_EQ(img.pixel(396, 300), White);
    EXPECT_EQ(img.pixel(300, 251), White);
    EXPECT_EQ(img.pixel(300, 349), White);
    // The outline: x -599 -> 18, y -605 -> 15 (605 * 0.4711 = 285).
    EXPECT_EQ(img.pixel(18, 300), Black);
    EXPECT_EQ(img.pixel(300, 15), Black);
    EXPECT_EQ(img.pixel(17, 300), White);
    EXPECT_EQ(img.pixel(300, 14), White);
    EXPECT_EQ(img.pixel(19, 300), White);
    // The right and bottom sides sit on the mapped corner (599,605) -> (582,585).
    EXPECT_EQ(img.pixel(582, 300), Black);
    EXPECT_EQ(img.pixel(300, 585), Black);
    EXPECT_EQ(img.pixel(583, 300), White);
    EXPECT_EQ(img.pixel(300, 586), White);
}

TEST(PagePaint, BackInlayOutlineAndSpinesOnTheirMappedEdges)
{
    // 1506 x 1180 into 640 x 500: the height ratio 500/1180 is the smaller,
    // scale 0.4025, offsets (320,250). x: 753 -> 303.1, 693 -> 278.96;
    // y: 590 -> 237.5.
    TInlayRueck page(nullptr);
    QImage img(640, 500, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    page.PaintScreen(p, QSize(640, 500));
    p.end();
    for (int x : {17, 42, 598, 623}) {
        EXPECT_EQ(img.pixel(x, 250), Black) << "x " << x;
        EXPECT_EQ(img.pixel(x - 1, 250), White) << "x " << x - 1;
        EXPECT_EQ(img.pixel(x + 1, 250), White) << "x " << x + 1;
    }
    for (int y : {13, 487}) {
        EXPECT_EQ(img.pixel(320, y), Black) << "y " << y;
        EXPECT_EQ(img.pixel(320, y - 1), White) << "y " << y - 1;
        EXPECT_EQ(img.pixel(320, y + 1), White) << "y " << y + 1;
    }
    // The spines run the full height.
    EXPECT_EQ(img.pixel(42, 14), Black);
    EXPECT_EQ(img.pixel(598, 486), Black);
}

TEST(PagePaint, SheetPreviewShapeKeepsAllFourSidesOfTheOutline)
{
    // The page rectangle (18,15)-(582,585) is copied from the mask canvas;
    // the outline has to lie within it.
    TInlayVorder page(nullptr);
    QImage shown(600, 600, QImage::Format_RGB32), mask(600, 600, QImage::Format_RGB32);
    shown.fill(Qt::gray);
    mask.fill(Qt::black);
    {
        QPainter a(&shown), b(&mask);
        PaintPageShape(page, a, b, 600, 600);
    }
    EXPECT_EQ(shown.pixel(18, 300), Black);
    EXPECT_EQ(shown.pixel(582, 300), Black);
    EXPECT_EQ(shown.pixel(300, 15), Black);
    EXPECT_EQ(shown.pixel(300, 585), Black);
    EXPECT_EQ(shown.pixel(300, 300), White);
    EXPECT_EQ(shown.pixel(10, 300), QColor(Qt::gray).rgb());
    EXPECT_EQ(page.Context.Canvas, nullptr);
    EXPECT_FALSE(page.Context.Masking);
}

QImage PaintGridPage(TInlayVorder &page, int zoomLevel)
{
    page.Context.SetZoomLevel(zoomLevel);
    QImage img(600, 600, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    page.PaintScreen(p, QSize(600, 600));
    p.end();
    return img;
}

TEST(PagePaint, GridPointsAtTheMappedMultiplesOfTheSpacing)
{
    GridHost host;
    TInlayVorder page(&host);
    ASSERT_TRUE(page.ShowSnapPoints);
    const QImage img = PaintGridPage(page, 4);
    // 40 * 0.4711 = 18.8: points at 300, 318, 337 (80 -> 37.7).
    EXPECT_EQ(img.pixel(300, 300), Black);
    EXPECT_EQ(img.pixel(318, 300), Black);
    EXPECT_EQ(img.pixel(337, 300), Black);
    EXPECT_EQ(img.pixel(300, 318), Black);
    EXPECT_EQ(img.pixel(318, 318), Black);
    EXPECT_EQ(img.pixel(309, 300), White);
    EXPECT_EQ(img.pixel(319, 300), White);
    EXPECT_EQ(img.pixel(301, 301), White);
    // -40 -> -18.8 truncates toward zero: 282.
    EXPECT_EQ(img.pixel(282, 300), Black);
}

TEST(PagePaint, GridPointsVanishBelowFourPixels)
{
    // Zoom level 1: scale 600/1210 * 0.2375 = 0.1178 and the outline from
    // x 230 to 370.
    GridHost host;
    TInlayVorder page(&host);
    const QRect inside(QPoint(240, 240), QPoint(360, 360));

    page.SnapX = page.SnapY = 34; // 4.004 pixels
    QImage img = PaintGridPage(page, 1);
    EXPECT_EQ(img.pixel(300, 300), Black);
    EXPECT_EQ(img.pixel(304, 300), Black);
    EXPECT_EQ(img.pixel(304, 304), Black);
    EXPECT_EQ(img.pixel(302, 300), White);

    page.SnapX = page.SnapY = 32; // 3.77 pixels
    img = PaintGridPage(page, 1);
    EXPECT_EQ(CountNot(img, White, inside), 0);

    page.SnapX = 40;
    page.SnapY = 33; // only the vertical spacing is too small
    img = PaintGridPage(page, 1);
    EXPECT_EQ(CountNot(img, White, inside), 0);

    page.SnapY = 40;
    page.ShowSnapPoints = false;
    img = PaintGridPage(page, 4);
    EXPECT_EQ(CountNot(img, White, inside), 0);
}

TEST(PagePaint, GridGoesOverTheFrames)
{
    GridHost host;
    TInlayVorder page(&host);
    auto f = std::make_unique<TCDLRechteck>(&page, -200, -100);
    f->Width = 400;
    f->Height = 200;
    f->NoPen = true;
    f->NoFill = false;
    f->FillColor = Red;
    page.AddFrame(std::move(f));
    const QImage img = PaintGridPage(page, 4);
    EXPECT_EQ(img.pixel(300, 300), Black);
    EXPECT_EQ(img.pixel(318, 318), Black);
    EXPECT_EQ(img.pixel(310, 310), RedPixel);
}

TEST(PagePaint, PageWithoutAWindowHasNoGrid)
{
    TInlayVorder page(nullptr);
    const QImage img = PaintGridPage(page, 4);
    EXPECT_EQ(CountNot(img, White, QRect(QPoint(30, 30), QPoint(570, 570))), 0);
}

} // namespace
