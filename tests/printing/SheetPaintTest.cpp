#include "PrintTestSupport.h"

#include "Errors.h"
#include "PagePainter.h"
#include "SheetPainter.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = RGBColor(255, 0, 0);
constexpr TColor Green = RGBColor(0, 160, 0);
constexpr int Dpi = 50;

// A sheet drawn straight through the sheet painter, as job and preview do.
class SheetFixture : public ::testing::Test
{
protected:
    TRecordingTarget::TOptions options{};
    std::unique_ptr<TRecordingTarget> target;
    TDocumentPagePainter pages;
    TSheetOptions sheet;
    TSheetMapping mapping;

    TSheetPainter &Begin()
    {
        options.Dpi = Dpi;
        target = std::make_unique<TRecordingTarget>(options);
        if (mapping.ScaleX == 1.0)
            mapping = MappingOf(*target);
        painter = std::make_unique<TSheetPainter>(*target, mapping, pages, sheet);
        target->BeginDocument(QString());
        return *painter;
    }
    const QImage &Page()
    {
        if (target->IsPrinting())
            target->EndDocument();
        return target->Pages.back();
    }
    // The page's colour at a sheet point (0.1 mm from the paper's corner).
    QColor At(QPoint sheetPoint)
    {
        const QImage &img = Page();
        const double s = Dpi / 254.0;
        return img.pixelColor(int(std::lround(sheetPoint.x() * s)), int(std::lround(sheetPoint.y() * s)));
    }

private:
    std::unique_ptr<TSheetPainter> painter;
};

const QPoint Place1{633, 660}, Place2{1475, 1482}, Place3{633, 2304};
// Beside place 2, outside every label.
const QPoint Between{1475, 500};

// Direct trimming clips to the label circle, indirect whitens the middle
// neighbours, off clips nothing; the preview clips whatever the mode, without discs.
TEST_F(SheetFixture, TrimmingModesClipAndWhitenTheirPlaces)
{
    auto doc = MakeDocument();
    AddFlood(doc->Label(), Red);
    // On the page's own screen at scale 1 the flood's corners are at ±4000.
    const TCDLFrame &flood = *doc->Label().Frames()[0];
    doc->Label().UpdateScreenGeometry();
    ASSERT_EQ(flood.TestDPMouseHit(doc->Label().ScreenGeometry(flood), 4000, 4000), 3);
    const QColor R = Qt::red, W = Qt::white;
    const struct
    {
        TRoundTrim trim;
        bool force;
        int place;
        QColor place1, place2, place3, between;
    } cases[] = {
        {TRoundTrim::Direct, false, 1, R, W, W, W},   {TRoundTrim::Indirect, false, 1, R, W, R, R},
        {TRoundTrim::Indirect, false, 2, W, R, W, R}, {TRoundTrim::Off, false, 1, R, R, R, R},
        {TRoundTrim::Indirect, true, 3, W, W, R, W},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.trim) * 100 + c.force * 10 + c.place);
        sheet.Trim = c.trim;
        sheet.ForceCircleClip = c.force;
        Begin().DrawCDLabelAt(doc->Label(), c.place);
        EXPECT_EQ((std::tuple{At(Place1), At(Place2), At(Place3), At(Between)}),
                  std::tuple(c.place1, c.place2, c.place3, c.between));
    }
    sheet = TSheetOptions();
    Begin().DrawCDLabelAt(doc->Label(), 1);
    EXPECT_EQ((std::tuple{At(Place1 + QPoint(555, 0)), At(Place1 + QPoint(610, 0))}), std::tuple(Qt::red, Qt::white));
    // Printing leaves the frames' handles for their window.
    EXPECT_EQ(flood.TestDPMouseHit(doc->Label().ScreenGeometry(flood), 4000, 4000), 3);
    EXPECT_EQ(flood.TestDPMouseHit(doc->Label().ScreenGeometry(flood), -4000, -4000), 1);
    EXPECT_TRUE(flood.TestMouseHit(doc->Label().ScreenGeometry(flood), 3990, 0));
}

TEST_F(SheetFixture, LabelBackgroundUnlessAPaperColourIsChosen)
{
    auto doc = MakeDocument();
    doc->Label().BackColor = Green;
    TCDLSerNo *s = AddSerialNumber(doc->Label(), 5);
    sheet.Trim = TRoundTrim::Off;
    TSheetPainter &p = Begin();
    p.DrawCDLabelAt(doc->Label(), 2);
    EXPECT_EQ(s->Counter, 5) << "drawing changes no page";
    EXPECT_EQ(At(Place2 + QPoint(0, 100)), QColor(0, 160, 0));
    // The fill reaches a little beyond the page's own radius of 565.
    EXPECT_EQ(At(Place2 + QPoint(-570, 0)), QColor(0, 160, 0));
    EXPECT_EQ(At(Place2 + QPoint(-595, 0)), Qt::white);

    doc->Label().PaperColorIndex = 3;
    Begin().DrawCDLabelAt(doc->Label(), 2);
    EXPECT_EQ(At(Place2 + QPoint(0, 100)), Qt::white);
}

TEST_F(SheetFixture, InlaysAreClippedToTheirRectangleAndTakeTheirExtraOffset)
{
    auto doc = MakeDocument();
    AddFlood(doc->Front(), Red);
    doc->Back().BackColor = Green;
    mapping = TSheetMapping::ForResolution({Dpi, Dpi});
    mapping.CoverFront = {100, -50};
    TSheetPainter &p = Begin();
    p.DrawInlayFrontAt(doc->Front(), 3);
    p.DrawInlayBackAt(doc->Back(), 3);
    const auto &placed = target->Placements;
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].Device, QRect(QPoint(mapping.Device({1072 + 100 - 599, 890 - 50 - 605})),
                                      QSize(mapping.LengthX(1198), mapping.LengthY(1210))));
    EXPECT_EQ(placed[1].Kind, TPageKind::InlayRueck);
    EXPECT_EQ(placed[1].Device.topLeft() + QPoint(mapping.LengthX(753), mapping.LengthY(590)),
              mapping.Device({1073, 2085}));

    EXPECT_EQ(ColorBox(Page(), Qt::red, Page().rect()), placed[0].Device);
    EXPECT_EQ(ColorBox(Page(), QColor(0, 160, 0), Page().rect()), placed[1].Device);
}

TEST_F(SheetFixture, CutMarksOnlyWhenWanted)
{
    TSheetPainter &p = Begin();
    p.DrawCutMarks(TCutMarks::Fronts);
    const QImage &marked = Page();
    for (QPoint c : CutMarkGeometry(TSheetKind::A4, TCutMarks::Fronts).Crosses) {
        const QPoint d = mapping.DeviceTruncated(c);
        const int a = mapping.LengthX(CutMarkArm);
        EXPECT_EQ((std::tuple{marked.pixelColor(d), marked.pixelColor(d + QPoint(a, 0)),
                              marked.pixelColor(d - QPoint(0, a)), marked.pixelColor(d + QPoint(2, 2))}),
                  std::tuple(Qt::black, Qt::black, Qt::black, Qt::white));
    }

    sheet.CutMarks = false;
    for (auto which : {TCutMarks::Fronts, TCutMarks::Backs, TCutMarks::FrontAndBack}) {
        Begin().DrawCutMarks(which);
        EXPECT_TRUE(ColorBox(Page(), Qt::black, Page().rect(), 128).isNull());
    }
}

// A printer's device origin sits at its physical offset; uncalibrated, the
// default offsets put every place where the sheet has it.
TEST_F(SheetFixture, UncalibratedPrintersMeasureFromThePaperEdge)
{
    auto doc = MakeDocument();
    doc->Label().BackColor = Red;
    options.PhysicalOffset = {12, 7};
    TSheetPainter &p = Begin();
    for (int place = 1; place <= 3; ++place)
        p.DrawCDLabelAt(doc->Label(), place);
    const QImage &img = Page();
    const double s = Dpi / 254.0;
    for (QPoint c : {Place1, Place2, Place3}) {
        const QRectF span = SpanThrough(img, Qt::red, QPoint(int(c.x() * s), int(c.y() * s)));
        EXPECT_NEAR(span.center().x(), c.x() * s, 1.0);
        EXPECT_NEAR(span.center().y(), c.y() * s, 1.0);
        EXPECT_NEAR(span.width(), 2 * SheetLabelRadius * s, 2.0);
    }
}

TEST_F(SheetFixture, DrawingWithoutAnOpenDocumentIsRefused)
{
    auto doc = MakeDocument();
    TSheetPainter &p = Begin();
    target->EndDocument();
    EXPECT_THROW(p.DrawCDLabelAt(doc->Label(), 1), ELocalizedError);
    EXPECT_THROW(p.DrawCutMarks(TCutMarks::Fronts), ELocalizedError);
}

} // namespace
