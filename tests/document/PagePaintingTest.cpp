// Painting a live page into other contexts (images, PDFs, places on a sheet,
// the preview's shape) leaves what the page's window shows and hit-tests
// exactly as it was, for every kind at several zooms; and the one painting
// entry works on painters that are already translated and clipped.

#include "DocumentTestSupport.h"

#include "Barcode.h"
#include "HitProbes.h"
#include "Page.h"
#include "PageRenderer.h"
#include "RoundText.h"
#include "SerNo.h"
#include "Shapes.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>

namespace {

constexpr TColor Red = RGBColor(255, 0, 0);
const QSize Control(480, 360);

// One frame of every kind, spread over the label.
void AddEveryKind(TCDLPage &page)
{
    Put(page, Make<TCDLText>(&page, -450, -300, 500, 160, 30))->Values =
        QStringList{QStringLiteral("Titel eins"), QStringLiteral("zwei")};
    TCDLText *code = Put(page, CreateBarcodeFrame(&page, 100, -420));
    code->Width = 380;
    code->Height = 120;
    code->Values = QStringList{QStringLiteral("CD 42")};
    Put(page, Make<TCDLSerNo>(&page, -300, 250, 300, 80));
    // Round text and circle: centre (X2, Y2), the start or rim at (X, Y).
    TCDLRText *ring = Put(page, Make2<TCDLRText>(&page, 0, 420, 0, 0));
    ring->Alignment = 1;
    ring->FontSize = 14;
    ring->Values = QStringList{QStringLiteral("rund um das Loch")};
    Put(page, Make2<TCDLLinie>(&page, -500, 0, -250, 120));
    Put(page, Make<TCDLRechteck>(&page, 250, 100, 200, 150, 15));
    Put(page, Make2<TCDLKreis>(&page, 210, -100, 150, -100));
    Put(page, Make<TCDLEllipse>(&page, -200, -120, 260, 90, 60));
}

QImage ScreenPaint(TCDLPage &page)
{
    QImage img(Control, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    page.PaintScreen(p, Control);
    return img;
}

// Every answer the page's hit tests give over the control: frame hits,
// handle hits and rubber-band tests, frame by frame.
std::vector<int> HitAnswers(const TCDLPage &page)
{
    std::vector<int> out;
    for (int i = 0; i < page.FrameCount(); ++i) {
        const TCDLFrame &f = *page.FrameAt(i);
        for (int y = 0; y < Control.height(); y += 3)
            for (int x = 0; x < Control.width(); x += 3) {
                out.push_back(f.TestMouseHit(page.ScreenGeometry(f), x, y));
                out.push_back(f.TestDPMouseHit(page.ScreenGeometry(f), x, y));
            }
        for (int y = 0; y < Control.height(); y += 20)
            for (int x = 0; x < Control.width(); x += 20)
                out.push_back(f.IsInRect(page.ScreenGeometry(f), {x, y, x + 90, y + 70}));
    }
    return out;
}

struct TMapping
{
    double ScaleX, ScaleY;
    int32_t OffsetX, OffsetY, ScrollX, ScrollY, ZoomLevel;
    bool Interactive, Printing, Masking;
    bool operator==(const TMapping &) const = default;
};

TMapping MappingOf(const TPaintContext &c)
{
    return {c.ScaleX,  c.ScaleY,    c.OffsetX,     c.OffsetY,  c.ScrollX,
            c.ScrollY, c.ZoomLevel, c.Interactive, c.Printing, c.Masking};
}

class LivePage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.Context.Interactive = true;
        page.Context.Printing = false;
        AddEveryKind(page);
        // Handles shown: the active frame alone, then a group.
        page.Activate(page.FrameAt(3));
    }
    // Everything the paints of other contexts must not touch.
    void Paint(int zoom)
    {
        page.Context.SetZoomLevel(zoom);
        page.Context.ScrollX = zoom > 4 ? 150 : 0;
        page.Context.ScrollY = zoom > 4 ? -90 : 0;
        ScreenPaint(page);
        hits = HitAnswers(page);
        mapping = MappingOf(page.Context);
    }
    void ExpectUnchanged(const char *after)
    {
        SCOPED_TRACE(after);
        EXPECT_EQ((std::tuple{MappingOf(page.Context), page.Context.Canvas, HitAnswers(page) == hits,
                              page.ActiveFrame(), page.FrameAt(3)->State()}),
                  std::tuple(mapping, nullptr, true, page.FrameAt(3), TFrameState::Selected));
    }

    TPageHost host;
    TCDLabel page{&host};
    std::vector<int> hits;
    TMapping mapping{};
};

} // namespace

TEST_F(LivePage, RendersAndShapesLeaveHitTestsHandlesAndMappingAsTheScreenHasThem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int zoom : {1, 4, 7}) {
        SCOPED_TRACE(zoom);
        Paint(zoom);
        // The probes see something: the circle's disc and the ring's text.
        const TFrameGeometry &circle = page.ScreenGeometry(*page.FrameAt(6));
        EXPECT_TRUE(page.FrameAt(6)->TestMouseHit(circle, circle.DragPoints[1].x(), circle.DragPoints[1].y()));
        ASSERT_GT(std::count(hits.begin(), hits.end(), 1), 100);

        RenderPageImage(page, 600);
        ExpectUnchanged("an image at 600 dpi");
        ASSERT_TRUE(RenderPagePdf(page, dir.filePath(QStringLiteral("page.pdf")), 300));
        ExpectUnchanged("a PDF");
        QImage sheet(300, 300, QImage::Format_RGB32);
        {
            QPainter p(&sheet);
            TPaintContext c;
            c.Canvas = &p;
            c.ScaleX = c.ScaleY = 0.23;
            c.OffsetX = c.OffsetY = 150;
            page.Paint(c, {});
        }
        ExpectUnchanged("a place on a sheet");
    }

    // A group's handles survive as well.
    page.SelectAll();
    Paint(5);
    RenderPageImage(page, 600);
    EXPECT_EQ((std::tuple{HitAnswers(page) == hits, page.Selection().Count()}), std::tuple(true, page.FrameCount()));
    for (const TCDLFrame *f : page.Selection().Items())
        EXPECT_EQ(f->State(), TFrameState::Selected);
}

TEST_F(LivePage, RenderShowsTheFramesWhateverTheScreenShows)
{
    page.DropActive();
    const QImage plain = RenderPageImage(page, 150);
    // Zoomed, scrolled, a group selected and one frame in the middle of a drag.
    page.SelectAll();
    page.BeginDrag(TFrameState::Moving, ModeMove);
    Paint(6);
    EXPECT_EQ(RenderPageImage(page, 150), plain);
}

// The screen view keeps geometry between paints; a write to any field, an
// undo or a new mapping must still show and hit-test as computed afresh.
TEST_F(LivePage, ScreenViewFollowsFieldWritesUndoAndTheMappingUntold)
{
    auto expectFresh = [&](const char *after) {
        SCOPED_TRACE(after);
        for (const auto &f : page.Frames()) {
            const TFrameGeometry fresh = f->Geometry(page.Context), &kept = page.ScreenGeometry(*f);
            EXPECT_EQ(std::tuple(kept.DragPoints, kept.Outline), std::tuple(fresh.DragPoints, fresh.Outline));
        }
        QImage fresh(Control, QImage::Format_ARGB32_Premultiplied);
        fresh.fill(Qt::white);
        QPainter p(&fresh);
        TPaintContext c = page.Context;
        c.Canvas = &p;
        page.Paint(c, TPagePaintOptions::Screen());
        p.end();
        EXPECT_EQ(ScreenPaint(page), fresh);
    };
    Paint(4);
    page.Undo.Record(page.FrameAt(7), nullptr, TUndoKind::Position);
    for (const auto &f : page.Frames()) {
        f->X += 30;
        f->Y2 -= 20;
        f->Width += 15;
        f->Angle += 20;
    }
    expectFresh("field writes");
    page.Undo.Undo();
    expectFresh("an undo");
    Paint(7);
    expectFresh("a zoom and a scroll");
}

TEST(PagePaint, EntryPaintsThroughATranslatedAndClippedPainter)
{
    TInlayVorder page(nullptr);
    TCDLFrame *flood = Put(page, Make<TCDLRechteck>(&page, -4000, -4000, 8000, 8000));
    flood->NoFill = false;
    flood->NoPen = true;
    flood->FillColor = Red;

    // Scale 0.1 and offsets (800,60): the page's rectangle is logical x
    // 741..859, y 0..120; the translation puts it at device x 41..159,
    // y 40..160, and the painter's clip at device x 60..259, y 40..119.
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.translate(-700, 40);
        p.setClipRect(QRect(760, 0, 200, 80));
        TPaintContext c;
        c.Canvas = &p;
        c.ScaleX = c.ScaleY = 0.1;
        c.OffsetX = 800;
        c.OffsetY = 60;
        TPagePaintOptions o;
        o.ClipToShape = true;
        page.Paint(c, o);
        EXPECT_EQ(p.clipBoundingRect().toAlignedRect(), QRect(760, 0, 200, 80)) << "the painter's own clip is back";
    }
    EXPECT_EQ(img.pixelColor(100, 100), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(158, 118), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(55, 100), QColor(Qt::white)) << "inside the shape, outside the clip";
    EXPECT_EQ(img.pixelColor(100, 125), QColor(Qt::white)) << "inside the shape, outside the clip";
    EXPECT_EQ(img.pixelColor(165, 100), QColor(Qt::white)) << "inside the clip, outside the shape";

    // No clip: what the device shows through the translation is painted,
    // though its logical place lies beyond the device's width.
    page.DeleteFrame(0);
    TCDLFrame *small = Put(page, Make<TCDLRechteck>(&page, 0, 0, 100, 100));
    small->NoFill = false;
    small->FillColor = Red;
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.translate(-700, 0);
        TPaintContext c;
        c.Canvas = &p;
        c.ScaleX = c.ScaleY = 0.1;
        c.OffsetX = 800;
        c.OffsetY = 100;
        page.Paint(c, {});
    }
    // Model 0..100 at logical 800..810, device 100..110.
    EXPECT_EQ(img.pixelColor(105, 105), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(115, 105), QColor(Qt::white));
}

TEST(PagePaint, OutputPaintsLeaveTheContextsFlagsAsTheyWere)
{
    TInlayVorder page(nullptr);
    QImage img(50, 50, QImage::Format_RGB32);
    QPainter p(&img);
    TPaintContext c;
    c.Canvas = &p;
    c.Interactive = true;
    c.Printing = false;
    TPagePaintOptions o = TPagePaintOptions::Render();
    o.Masking = true;
    o.Preview = true;
    page.Paint(c, o);
    EXPECT_EQ((std::tuple{c.Interactive, c.Printing, c.Masking, c.Preview, c.Canvas}),
              std::tuple(true, false, false, false, &p));
}

TEST(PagePaint, GlyphsReachingPastTheBoxOrCircleShow)
{
    TInlayVorder page(nullptr);
    Put(page, Make2<TCDLRText>(&page, 0, 640, 0, 800))->Values = {QStringLiteral("ABC")};
    TCDLText *wide = Put(page, Make<TCDLText>(&page, 620, -100, 20, 300));
    std::tie(wide->Values, wide->FontSize, wide->Alignment) = std::tuple(QStringList{QStringLiteral("W")}, 60, 1);
    const QImage img = RenderPageImage(page, 150);
    EXPECT_FALSE(InkBox(img, {200, 700, 300, 15}).isEmpty() || InkBox(img, {660, 300, 40, 100}).isEmpty());
}
