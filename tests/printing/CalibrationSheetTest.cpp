#include "PrintTestSupport.h"

#include "CalibrationSheet.h"
#include "PdfTarget.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <QImageReader>

namespace {

using namespace Qt::StringLiterals;

constexpr int Dpi = 600;

class CalibrationSheet : public ::testing::Test
{
protected:
    TSettingsDir dir;
};

bool Dark(const QImage &img, int x, int y) { return img.rect().contains(x, y) && qGray(img.pixel(x, y)) < 160; }

// Dark within one pixel across the line at a third and two thirds of it and
// just inside both ends; light just beyond its ends.
void ExpectLine(const QImage &img, const TCalibrationLine &l)
{
    SCOPED_TRACE(l.Value);
    const QPoint along = l.Line.p2() - l.Line.p1();
    const QPoint unit(along.x() > 0 ? 1 : along.x() < 0 ? -1 : 0, along.y() > 0 ? 1 : along.y() < 0 ? -1 : 0);
    const QPoint across(unit.y(), unit.x());
    auto darkNear = [&](QPoint q) {
        return Dark(img, q.x(), q.y()) || Dark(img, (q + across).x(), (q + across).y())
               || Dark(img, (q - across).x(), (q - across).y());
    };
    for (QPoint q :
         {l.Line.p1() + along / 3, l.Line.p1() + along * 2 / 3, l.Line.p1() + 2 * unit, l.Line.p2() - 2 * unit})
        EXPECT_TRUE(darkNear(q)) << q.x() << "," << q.y();
    EXPECT_EQ((std::tuple{darkNear(l.Line.p2() + 4 * unit), darkNear(l.Line.p1() - 4 * unit)}),
              std::tuple(false, false));
}

int DarkIn(const QImage &img, QRect r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += Dark(img, x, y);
    return n;
}

TEST_F(CalibrationSheet, EveryLineAndNumberWhereTheGeometryHasIt)
{
    QImageReader::setAllocationLimit(1024);
    // Letter differs only in where the far label is, which the geometry has.
    for (QPageSize::PageSizeId paper : {QPageSize::A4}) {
        const QString file = dir.filePath(u"sheet.pdf"_s);
        const QPoint calibration(-30, 25);
        TPdfTarget target(file, QPageSize(paper), Dpi);
        PrintCalibrationSheet(target, calibration);
        const std::vector<QImage> pages = RasterisePdf(file, dir.filePath(u"page"_s), Dpi);
        ASSERT_EQ(pages.size(), 1u);
        const QImage &img = pages[0];

        const TCalibrationSheet g = CalibrationSheetGeometry(QPointF(Dpi / 254.0, Dpi / 254.0),
                                                             SheetKindForPaper(QPageSize(paper)), calibration);
        ASSERT_EQ(g.XScale.size(), 25u);
        ASSERT_EQ(g.YScale.size(), 25u);
        EXPECT_EQ((std::tuple{g.XScale.front().Value, g.YScale.back().Value}), std::tuple(-200, 40));
        // The first pair is where the sheet has always had it, whatever the calibration.
        EXPECT_EQ(g.XScale.back().Line, QLine(2940, 2362, 2940, 2268));
        EXPECT_EQ(g.YScale.front().Line, QLine(2362, 2433, 0, 2433));
        for (const auto *scale : {&g.XScale, &g.YScale, &g.FeedScale})
            for (const TCalibrationLine &l : *scale) {
                ExpectLine(img, l);
                EXPECT_GE(DarkIn(img, l.NumberBox), 3) << "number " << l.Value;
            }
        // The far scale's 0 is the far label's bottom edge with the offsets.
        const QPoint far = CDLabelCentre(SheetKindForPaper(QPageSize(paper)), 3);
        EXPECT_NEAR(g.FeedScale[FeedScaleLimit].Line.y1(), (far.y() + 575 + calibration.y()) * Dpi / 254.0, 1.0);
        EXPECT_NEAR(g.FeedScale[FeedScaleLimit + 1].Line.y1() - g.FeedScale[FeedScaleLimit].Line.y1(),
                    (far.y() + 575 - CDLabelCentre(SheetKindForPaper(QPageSize(paper)), 1).y()) / 1000.0 * Dpi / 254.0,
                    1.0);
    }
}

// A printer that feeds 0.5 % long has its far label 0.5 % nearer the first;
// without the keys nothing moves, and a preview shows the sheet as designed.
TEST_F(CalibrationSheet, ScaleCorrectionMovesPlacesAboutTheFirstLabel)
{
    TRecordingTarget::TOptions o;
    o.Name = u"Laser; [A4] = \"tray 2\""_s;
    o.Dpi = 600;
    TRecordingTarget target(o);
    ASSERT_TRUE(WritePrinterOffset(o.Name, -20, 15));
    const TSheetMapping plain = SetupSheetMapping(target, TSettings());
    EXPECT_EQ(plain.Device({633, 2304}), QPoint(qRound(613 * Dpi / 254.0), qRound(2319 * Dpi / 254.0)));

    ASSERT_TRUE(WritePrinterScale(o.Name, 3, -5));
    TSheetMapping m = SetupSheetMapping(target, TSettings());
    EXPECT_EQ((std::tuple{m.ScalePerMille, m.Device({633, 660})}), std::tuple(QPoint(3, -5), plain.Device({633, 660})));
    // Place 3 is 1644 below the first: 8.22 nearer; place 2 842 to the right: 2.526 further.
    EXPECT_EQ(m.Device({633, 2304}).y(), qRound((2304 - 8.22 + 15) * Dpi / 254.0));
    EXPECT_EQ(m.Device({1475, 1482}).x(), qRound((1475 + 2.526 - 20) * Dpi / 254.0));
    EXPECT_EQ(m.DeviceTruncated({1475, 1482}).x(), int((1475 + 2.526 - 20) * Dpi / 254.0));
    m.Preview = true;
    EXPECT_EQ(m.Device({633, 2304}), QPoint(qRound(633 * Dpi / 254.0), qRound(2304 * Dpi / 254.0)));

    // A slip of the keyboard is not a printer.
    ASSERT_TRUE(WritePrinterScale(o.Name, 51, -50));
    EXPECT_EQ(ReadPrinterScale(o.Name), QPoint(0, -50));
}

} // namespace
