// Line, rectangle, circle and ellipse: their own hit tests, handles, moves
// and bounds, and what they and a page put on the pixels of an image.

#include "Shapes.h"
#include "DocumentTestSupport.h"
#include "HitProbes.h"
#include "Page.h"
#include "Strings.h"
#include "base/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

constexpr TColor Red = RGBColor(255, 0, 0);
constexpr QRgb White = 0xFFFFFFFF, Black = 0xFF000000, RedPixel = 0xFFFF0000;

void SetMapping(TPaintContext &c, double scale, int offX, int offY)
{
    c.ScaleX = c.ScaleY = scale;
    c.OffsetX = offX;
    c.OffsetY = offY;
}

// Each x, y pair of `at` shows rgb.
void ExpectPixels(const QImage &img, QRgb rgb, std::initializer_list<int> at)
{
    for (auto p = at.begin(); p + 1 < at.end(); p += 2)
        EXPECT_EQ(img.pixel(p[0], p[1]), rgb) << "at (" << p[0] << "," << p[1] << ")";
}

int CountNot(const QImage &img, QRgb color, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixel(x, y) != color;
    return n;
}

// The frame alone on a white image under the given mapping.
QImage PaintAlone(TCDLPage &page, const TCDLFrame &f, int w, int h, double scale = 1, QPoint offset = {})
{
    TTestCanvas canvas(page.Context, w, h, scale, offset);
    f.PaintAt(page.Context, f.Geometry(page.Context));
    return canvas.Finish();
}

QImage PaintPage(TCDLPage &page, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    page.PaintScreen(p, QSize(w, h));
    return img;
}

void FillRed(TCDLFrame &f)
{
    f.NoPen = true;
    f.NoFill = false;
    f.FillColor = Red;
}

TCDLLinie &Line(TCDLLinie &l, int x2, int y2)
{
    l.X2 = x2;
    l.Y2 = y2;
    return l;
}

// Centre (X2,Y2), rim point (X,Y).
TCDLKreis &Circle(TCDLKreis &k, int cx, int cy)
{
    k.X2 = cx;
    k.Y2 = cy;
    return k;
}

auto MakeEllipse(TCDLPage &page, int x, int y, int w, int h, int angle)
{
    auto e = Make<TCDLEllipse>(&page, x, y, w, h, angle);
    page.UpdateScreenGeometry(*e);
    return e;
}

TEST(Line, HitAlongTheSegmentOnlyAndOnDevicePositions)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 0, 0);
    page.UpdateScreenGeometry(Line(l, 100, 0));
    // (±2, 0) lie on the extension past an end.
    ExpectHits(
        l,
        {{50, 0, true}, {0, 0, true}, {100, 0, true}, {50, 1, true}, {50, 10, false}, {102, 0, false}, {-2, 0, false}});

    TCDLLinie dot(&page, 100, 100);
    page.UpdateScreenGeometry(Line(dot, 100, 100));
    ExpectHits(dot, {{100, 100, true}, {101, 100, false}, {100, 99, false}, {101, 101, false}});

    // Zoom 1.9, offset (10,20): the ends are at (10,20) and (200,20).
    SetMapping(page.Context, 1.9, 10, 20);
    page.UpdateScreenGeometry(l);
    ExpectHits(l, {{150, 20, true}, {100, 30, false}, {205, 20, false}});
}

TEST(Line, MovingKeepsTheVectorHandlesMoveOneEndAndBoundsAreNormalised)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 10, 20);
    Line(l, 110, 70);
    EXPECT_EQ((std::tuple{l.MouseMove(500, 400, 5, 5, ModeMove), QPoint(l.X, l.Y), QPoint(l.X2, l.Y2)}),
              std::tuple(true, QPoint(495, 395), QPoint(595, 445)));

    l.MouseMove(0, 0, 0, 0, 1);
    EXPECT_EQ((std::tuple{QPoint(l.X, l.Y), QPoint(l.X2, l.Y2)}), std::tuple(QPoint(0, 0), QPoint(595, 445)));

    l.MouseMove(-30, 40, 0, 0, 2);
    EXPECT_EQ(QPoint(l.X2, l.Y2), QPoint(-30, 40));
    l.MouseMove(7, 8, 0, 0, ModeCreate);
    EXPECT_EQ((std::tuple{QPoint(l.X2, l.Y2), QPoint(l.X, l.Y)}), std::tuple(QPoint(7, 8), QPoint(0, 0)));

    // The bounds are normalised.
    TCDLLinie b(&page, 300, 50);
    EXPECT_EQ(Line(b, 100, 200).GetBoundRect(), (TRect{100, 50, 300, 200}));
    EXPECT_EQ(Line(b, 300, -50).GetBoundRect(), (TRect{300, -50, 300, 50}));
}

TEST(Circle, WholeDiscHitsEvenWithoutFillWithTheRadiusRounded)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 150, 100);
    ASSERT_TRUE(k.NoFill);
    page.UpdateScreenGeometry(Circle(k, 100, 100));
    // (130,130) is 42.4 from the centre, (136,136) 50.9.
    ExpectHits(k, {{100, 100, true}, {130, 130, true}, {50, 100, true}, {136, 136, false}, {151, 100, false}});

    // Rim 31.6 pixels from the centre: the radius becomes 32.
    TCDLKreis r(&page, 130, 110);
    page.UpdateScreenGeometry(Circle(r, 100, 100));
    ExpectHits(r, {{132, 100, true}, {133, 100, false}});
}

TEST(Circle, RimCloserThanTenOnBothAxesSnapsToCentrePlusTen)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 200, 100);
    Circle(k, 100, 100);
    // Dragging the centre onto the rim point.
    EXPECT_EQ((std::tuple{k.MouseMove(200, 100, 0, 0, 1), QPoint(k.X2, k.Y2), QPoint(k.X, k.Y)}),
              std::tuple(true, QPoint(200, 100), QPoint(210, 110)));
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

    // A move keeps the radius vector.
    k.MouseMove(400, 300, 10, 10, ModeMove);
    EXPECT_EQ((std::tuple{QPoint(k.X, k.Y), QPoint(k.X2, k.Y2)}), std::tuple(QPoint(390, 290), QPoint(440, 281)));

    // The bounds are the square around the centre.
    TCDLKreis n(&page, -100, -50);
    EXPECT_EQ(Circle(n, -100, -100).GetBoundRect(), (TRect{-150, -150, -50, -50}));
    TCDLKreis d(&page, 30, 40); // 3-4-5: radius 50
    EXPECT_EQ(Circle(d, 0, 0).GetBoundRect(), (TRect{-50, -50, 50, 50}));
}

TEST(Ellipse, HitInsideTheCurveUnderRotationAndOddWidths)
{
    TInlayVorder page(nullptr);
    auto e = MakeEllipse(page, 0, 0, 400, 200, 0);
    ASSERT_TRUE(e->NoFill);
    // Not in the corners of its box.
    ExpectHits(*e, {{200, 100, true},
                    {395, 100, true},
                    {0, 100, true},
                    {200, 0, true},
                    {5, 5, false},
                    {395, 195, false},
                    {200, 201, false}});

    // 90 degrees: the ellipse fills x 0..200, y -400..0.
    e = MakeEllipse(page, 0, 0, 400, 200, 90);
    ExpectHits(*e, {{100, -200, true}, {100, -395, true}, {5, -5, false}, {100, 5, false}, {300, -200, false}});

    // 401 wide: the horizontal axis runs from x 0 to 401 through y 100.
    e = MakeEllipse(page, 0, 0, 401, 200, 0);
    ExpectHits(*e, {{0, 100, true}, {401, 100, true}, {402, 100, false}, {-1, 100, false}});

    // A negative size, as the coordinates may give, spans its box back from
    // the corner and is hit where it is drawn.
    e = MakeEllipse(page, 0, 0, -400, -200, 0);
    ExpectHits(*e, {{-200, -100, true}, {-395, -100, true}, {200, 100, false}, {-5, -5, false}});
    e = MakeEllipse(page, 0, 0, -400, 200, 90);
    ExpectHits(*e, {{100, 200, true}, {100, 395, true}, {100, -200, false}});
}

TEST(Ellipse, WithoutWidthOrHeightItIsNeverHit)
{
    TInlayVorder page(nullptr);
    for (int angle : {0, 2, 4, 30, 45, 90, 120, 200}) {
        SCOPED_TRACE(angle);
        auto thin = MakeEllipse(page, 0, 0, 0, 400, angle);
        auto flat = MakeEllipse(page, 0, 0, 400, 0, angle);
        // Probe around the segment each one degenerates to, and its ends.
        const std::pair<const TCDLEllipse *, std::array<size_t, 3>> probes[] = {{thin.get(), {1, 4, 8}},
                                                                                {flat.get(), {1, 2, 5}}};
        for (const auto &[e, handles] : probes)
            for (const size_t h : handles)
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy)
                        EXPECT_FALSE(e->TestMouseHit(page.ScreenGeometry(*e),
                                                     e->Geometry(page.Context).DragPoints[h].x() + dx,
                                                     e->Geometry(page.Context).DragPoints[h].y() + dy));
    }
}

TEST(Ellipse, PolygonIsClosedStartsAtTheBottomAndUsesTheMapping)
{
    TInlayVorder page(nullptr);
    SetMapping(page.Context, 1.0, 0, 0);
    for (int angle : {0, 30, 45, 90, 180, 270, 333}) {
        SCOPED_TRACE(angle);
        const auto pts = MakeEllipse(page, 100, 50, 400, 200, angle)->Polygon(page.Context);
        EXPECT_EQ(pts.front(), pts.back());
    }
    // Unrotated, t = 0 is the middle of the bottom side: (100 + 200, 50 + 200).
    const auto pts = MakeEllipse(page, 100, 50, 400, 200, 0)->Polygon(page.Context);
    EXPECT_EQ(pts.front(), QPoint(300, 250));
    const auto [minX, maxX] =
        std::minmax_element(pts.begin(), pts.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    const auto [minY, maxY] =
        std::minmax_element(pts.begin(), pts.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    // 80 points on the curve stay within the box and come close to its sides.
    const std::tuple extremes{minX->x(), maxX->x(), minY->y(), maxY->y()};
    EXPECT_EQ(extremes, std::tuple(std::clamp(minX->x(), 100, 101), std::clamp(maxX->x(), 499, 500),
                                   std::clamp(minY->y(), 50, 51), std::min(maxY->y(), 250)));

    // Zoom 0.2375 with offset (300,200): the bottom middle (200,200) maps to
    // (trunc(47.5) + 300, trunc(47.5) + 200).
    SetMapping(page.Context, 0.2375, 300, 200);
    EXPECT_EQ(MakeEllipse(page, 0, 0, 400, 200, 0)->Polygon(page.Context).front(), QPoint(347, 247));
}

// The rubber band takes a circle by its centre, strictly inside, and an
// ellipse by its first corner; neither by the other point.
TEST(Shapes, RubberBandTakesTheCircleByItsCentreAndTheEllipseByItsCorner)
{
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 300, 100);
    page.UpdateScreenGeometry(Circle(k, 100, 100));
    EXPECT_TRUE(k.IsInRect(page.ScreenGeometry(k), {99, 99, 101, 101}));
    EXPECT_EQ((std::tuple{k.IsInRect(page.ScreenGeometry(k), {100, 0, 400, 200}),
                          k.IsInRect(page.ScreenGeometry(k), {0, 0, 400, 100}),
                          k.IsInRect(page.ScreenGeometry(k), {250, 50, 350, 150})}),
              std::tuple(false, false, false));

    auto e = MakeEllipse(page, 100, 100, 400, 200, 0);
    EXPECT_EQ((std::tuple{e->IsInRect(page.ScreenGeometry(*e), {99, 99, 101, 101}),
                          e->IsInRect(page.ScreenGeometry(*e), {100, 0, 600, 400}),
                          e->IsInRect(page.ScreenGeometry(*e), {250, 150, 350, 250})}),
              std::tuple(true, false, false));
}

// Positions are shown from the page's origin: the inlay front's top-left
// corner (-599,-605), the label's centre, the back inlay's centre.
TEST(StatusText, EachKindShowsItsPointsOrPositionAndSize)
{
    SetLanguageState(1);
    if (GetText(554).isEmpty())
        GTEST_SKIP() << "no German string table";
    TInlayVorder page(nullptr);
    TCDLabel label(nullptr);
    TInlayRueck back(nullptr);

    const auto defaults = [](auto f) {
        f->SetDefaults();
        return f;
    };
    const std::pair<std::unique_ptr<TCDLFrame>, const char16_t *> rows[] = {
        {Make<TCDLRechteck>(&page, 0, 0, 400, 200), u"Rechteck  ( 59,9 ; 60,5 )  Breite: 40,0  H\u00f6he: 20,0"},
        {defaults(Make<TCDLFrame>(&page, -604, -600)), u"Rahmen  ( -0,5 ; 0,5 )  Breite: 40,0  H\u00f6he: 40,0"},
        {Make<TCDLEllipse>(&page, -599, -605, 123, 5), u"Ellipse  ( 0,0 ; 0,0 )   ( 12,3 ; 0,5 )"},
        {Make2<TCDLLinie>(&page, -599, -605, 1, -595), u"Linie  ( 0,0 ; 0,0 ) - ( 60,0 ; 1,0 )"},
        {Make2<TCDLKreis>(&page, -589, -605, -599, -595), u"Kreis  ( 1,0 ; 0,0 )  Mittelpunkt ( 0,0 ; 1,0 )"},
        {defaults(Make<TCDLRechteck>(&label, -123, 50)), u"Rechteck  ( -12,3 ; 5,0 )  Breite: 40,0  H\u00f6he: 40,0"},
        {Make2<TCDLLinie>(&back, -753, -590, 0, 0), u"Linie  ( 0,0 ; 0,0 ) - ( 75,3 ; 59,0 )"},
    };
    for (const auto &[frame, expected] : rows)
        EXPECT_EQ(frame->Verbose().toStdString(), QString::fromUtf16(expected).toStdString());
}

TEST(ShapePaint, RectanglePenWidthInDevicePixels)
{
    // 400 x 200 at (0,0) under scale 0.5 and offset (20,20): device (20,20)
    // to (220,120). Rows top..bottom of the top side and the same columns of
    // the left side must be black, the ones around them white.
    struct Row
    {
        int32_t penSize;
        int top, bottom;
    };
    // 1 * 0.5 truncates to 0 and still draws one pixel; 10 * 0.5 is 5.
    for (const Row &c : {Row{0, 20, 20}, Row{1, 20, 20}, Row{10, 18, 22}}) {
        SCOPED_TRACE(c.penSize);
        TInlayVorder page(nullptr);
        TCDLRechteck r(&page, 0, 0);
        r.SetDefaults();
        r.Height = 200;
        r.PenSize = c.penSize;
        const QImage img = PaintAlone(page, r, 260, 160, 0.5, {20, 20});
        for (int i = c.top; i <= c.bottom; ++i)
            ExpectPixels(img, Black, {120, i, i, 70});
        ExpectPixels(img, White, {120, c.top - 1, 120, c.bottom + 1, c.top - 1, 70, c.bottom + 1, 70, 120, 70});
        ExpectPixels(img, Black, {220, 70, 120, 120});
    }
}

TEST(ShapePaint, NoPenDrawsNoOutline)
{
    TInlayVorder page(nullptr);
    TCDLRechteck r(&page, 0, 0);
    r.SetDefaults();
    r.NoPen = true;
    EXPECT_EQ(CountNot(PaintAlone(page, r, 260, 260, 0.5, {20, 20}), White, QRect(0, 0, 260, 260)), 0);

    FillRed(r);
    const QImage img = PaintAlone(page, r, 260, 260, 0.5, {20, 20});
    EXPECT_EQ((std::tuple{img.pixel(120, 120), CountNot(img, RedPixel, QRect(22, 22, 196, 196)),
                          CountNot(img, White, QRect(0, 0, 260, 18)), CountNot(img, White, QRect(0, 0, 18, 260))}),
              std::tuple(RedPixel, 0, 0, 0));
}

TEST(ShapePaint, RectangleAtNinetyDegreesRisesFromItsOrigin)
{
    // Scale 0.5, offset (50,250): corners (50,250), (50,50), (150,50), (150,250).
    TInlayVorder page(nullptr);
    TCDLRechteck r(&page, 0, 0);
    r.SetDefaults();
    r.Height = 200;
    r.Angle = 90;
    // The top side rises from (X, Y), the right side is on top, the left at the bottom.
    const QImage shown = PaintAlone(page, r, 200, 300, 0.5, {50, 250});
    ExpectPixels(shown, Black, {50, 150, 100, 50, 150, 150, 100, 250});
    ExpectPixels(shown, White, {100, 150, 50, 45, 50, 255});
}

TEST(ShapePaint, LineIsItsPenWideAndWideLinesExtendHalfBeyondTheEnds)
{
    TInlayVorder page(nullptr);
    TCDLLinie l(&page, 0, 0);
    Line(l, 200, 0);
    const QImage shown = PaintAlone(page, l, 300, 100, 1, {50, 50});
    ExpectPixels(shown, Black, {150, 50});
    ExpectPixels(shown, White, {150, 49, 150, 51});

    l.PenColor = Red;
    l.PenSize = 10;
    const QImage wide = PaintAlone(page, l, 300, 100, 1, {50, 50});
    ExpectPixels(wide, RedPixel, {150, 50, 150, 47, 150, 53, 253, 50, 47, 50});
    ExpectPixels(wide, White, {150, 42, 150, 58, 258, 50, 42, 50});
    Line(l, INT32_MAX, 0).X = INT32_MIN; // ends past the int range at 600 dpi
    ExpectPixels(PaintAlone(page, l, 300, 100, 600 / 254.0, {50, 50}), RedPixel, {150, 45, 150, 55});
}

TEST(ShapePaint, FilledCircleAndEllipseCoverTheirInsides)
{
    // Centre (100,100), rim (150,100): radius 50; (140,140) is 56.6 from the centre.
    TInlayVorder page(nullptr);
    TCDLKreis k(&page, 150, 100);
    FillRed(Circle(k, 100, 100));
    const QImage shown = PaintAlone(page, k, 200, 200);
    ExpectPixels(shown, RedPixel, {100, 100, 100, 145, 55, 100});
    ExpectPixels(shown, White, {100, 155, 140, 140});

    // 400 x 200 at (0,0), scale 0.5, offset (10,10): centre (110,60), semi-axes 100 and 50.
    const auto e = Make<TCDLEllipse>(&page, 0, 0, 400, 200);
    FillRed(*e);
    const QImage ellipse = PaintAlone(page, *e, 230, 130, 0.5, {10, 10});
    ExpectPixels(ellipse, RedPixel, {110, 60, 200, 60, 110, 105});
    ExpectPixels(ellipse, White, {15, 15, 110, 115, 215, 60});
}

// The inlay front (1198 x 1210) in a 600 x 600 image: the height ratio
// 600/1210 is the smaller, so at zoom 0.95 the scale is 0.4711 and the
// offsets are (300,300).
constexpr double FrontScale = 600.0 / 1210 * 0.95;

TEST(PagePaint, FilledRectangleOnAnInlayLandsWhereTheFitPutsIt)
{
    TInlayVorder page(nullptr);
    FillRed(*Put(page, Make<TCDLRechteck>(&page, -200, -100, 400, 200)));
    const QImage img = PaintPage(page, 600, 600);

    EXPECT_DOUBLE_EQ(page.Context.ScaleX, FrontScale);
    EXPECT_EQ((std::tuple{page.Context.OffsetX, page.Context.OffsetY, page.Context.Canvas}),
              std::tuple(300, 300, nullptr));
    // -200 * 0.4711 = -94.2 -> 206; 200 -> 394; -100 -> 253; 100 -> 347.
    ExpectHandleAt(*page.FrameAt(0), 1, QPoint(206, 253));
    ExpectHandleAt(*page.FrameAt(0), 3, QPoint(394, 347));
    EXPECT_EQ(CountNot(img, RedPixel, QRect(QPoint(207, 254), QPoint(392, 345))), 0);
    ExpectPixels(img, White, {204, 300, 396, 300, 300, 251, 300, 349});
    // The outline: x -599 -> 18, y -605 -> 15 (605 * 0.4711 = 285); the right
    // and bottom sides sit on the mapped corner (599,605) -> (582,585).
    ExpectPixels(img, Black, {18, 300, 300, 15, 582, 300, 300, 585});
    ExpectPixels(img, White, {17, 300, 300, 14, 19, 300, 583, 300, 300, 586});
}

TEST(PagePaint, BackInlayOutlineAndSpinesOnTheirMappedEdges)
{
    // 1506 x 1180 into 640 x 500: the height ratio 500/1180 is the smaller,
    // scale 0.4025, offsets (320,250). x: 753 -> 303.1, 693 -> 278.96;
    // y: 590 -> 237.5.
    TInlayRueck page(nullptr);
    const QImage img = PaintPage(page, 640, 500);
    for (int x : {17, 42, 598, 623}) {
        SCOPED_TRACE(x);
        ExpectPixels(img, Black, {x, 250});
        ExpectPixels(img, White, {x - 1, 250, x + 1, 250});
    }
    for (int y : {13, 487}) {
        SCOPED_TRACE(y);
        ExpectPixels(img, Black, {320, y});
        ExpectPixels(img, White, {320, y - 1, 320, y + 1});
    }
    // The spines run the full height.
    ExpectPixels(img, Black, {42, 14, 598, 486});
}

QImage PaintGridPage(TInlayVorder &page, int zoomLevel)
{
    page.Context.SetZoomLevel(zoomLevel);
    return PaintPage(page, 600, 600);
}

TEST(PagePaint, GridPointsAtTheMappedMultiplesAndOnlyFromFourPixelsUp)
{
    TPageHost host;
    TInlayVorder page(&host);
    ASSERT_TRUE(page.ShowSnapPoints);
    // 40 * 0.4711 = 18.8: points at 300, 318, 337 (80 -> 37.7); -40 -> -18.8
    // truncates toward zero: 282.
    const QImage shown = PaintGridPage(page, 4);
    ExpectPixels(shown, Black, {300, 300, 318, 300, 337, 300, 300, 318, 318, 318, 282, 300});
    ExpectPixels(shown, White, {309, 300, 319, 300, 301, 301});

    // Zoom level 1: scale 600/1210 * 0.2375 = 0.1178 and the outline from
    // x 230 to 370.
    const QRect inside(QPoint(240, 240), QPoint(360, 360));

    page.SnapX = page.SnapY = 34; // 4.004 pixels
    const QImage coarse = PaintGridPage(page, 1);
    ExpectPixels(coarse, Black, {300, 300, 304, 300, 304, 304});
    ExpectPixels(coarse, White, {302, 300});

    struct Row
    {
        int snapX, snapY, zoom;
        bool shown;
    };
    // 32 is 3.77 pixels.
    for (const Row &r : {Row{32, 32, 1, true}, Row{40, 33, 1, true}, Row{40, 40, 4, false}}) {
        SCOPED_TRACE(testing::Message() << r.snapX << "x" << r.snapY);
        page.SnapX = r.snapX;
        page.SnapY = r.snapY;
        page.ShowSnapPoints = r.shown;
        EXPECT_EQ(CountNot(PaintGridPage(page, r.zoom), White, inside), 0);
    }

    // A page without a window has no grid.
    TInlayVorder alone(nullptr);
    EXPECT_EQ(CountNot(PaintGridPage(alone, 4), White, QRect(QPoint(30, 30), QPoint(570, 570))), 0);
}

} // namespace
