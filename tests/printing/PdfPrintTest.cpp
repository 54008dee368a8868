#include "PrintTestSupport.h"

#include "PagePainter.h"
#include "PdfTarget.h"
#include "Settings.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

constexpr int PdfDpi = 600;
constexpr int RasterDpi = 300;
constexpr double Raster = RasterDpi / 254.0;

struct PdfCase
{
    QPageSize::PageSizeId paper;
    TSheetKind kind;
    QPoint calibration;
};

class PdfPrint : public ::testing::TestWithParam<PdfCase>
{
protected:
    std::vector<QImage> Rasterise(const QString &file)
    {
        return RasterisePdf(file, dir.filePath(u"page"_s), RasterDpi);
    }

    TSettingsDir dir;
};

// Where sheet point p lands in the raster, in pixel-edge coordinates.
QPointF Expected(QPoint p, QPoint calibration) { return QPointF(p + calibration) * Raster; }

void ExpectSpan(const QImage &img, QColor color, QPointF centre, QSizeF size, const char *what)
{
    SCOPED_TRACE(what);
    const QRectF span = SpanThrough(img, color, centre.toPoint());
    EXPECT_NEAR(span.center().x(), centre.x(), 1.0);
    EXPECT_NEAR(span.center().y(), centre.y(), 1.0);
    EXPECT_NEAR(span.width(), size.width(), 2.0);
    EXPECT_NEAR(span.height(), size.height(), 2.0);
}

// The mean position of dark pixels along a line through the page.
double DarkAlong(const QImage &img, QPoint from, QPoint step, int length)
{
    double sum = 0;
    int n = 0;
    for (int i = 0; i < length; ++i) {
        const QPoint q = from + i * step;
        if (qGray(img.pixel(q)) < 200) {
            sum += i;
            ++n;
        }
    }
    return n ? sum / n : -1000;
}

TEST_P(PdfPrint, LabelsInlaysAndCutMarksWhereTheSheetHasThem)
{
    if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    const PdfCase &c = GetParam();
    const QString printer = u"Label printer"_s;
    if (!c.calibration.isNull()) {
        ASSERT_TRUE(WritePrinterOffset(printer, c.calibration.x(), c.calibration.y()));
    }

    auto doc = MakeDocument();
    doc->Label().BackColor = RGBColor(255, 0, 0);
    doc->Front().BackColor = RGBColor(0, 0, 255);
    doc->Back().BackColor = RGBColor(0, 160, 0);
    auto print = [&](TPrintWhat what, int count) {
        const QString file = dir.filePath(u"sheets%1.pdf"_s.arg(int(what)));
        TPdfTarget target(file, QPageSize(c.paper), PdfDpi, printer);
        TDocumentPagePainter pages;
        TJobHost host;
        TPrintRequest r;
        r.Active = doc.get();
        r.What = what;
        r.Count = count;
        EXPECT_EQ(RunPrintJob(r, target, pages, host, SetupSheetMapping(target, TSettings())).Status,
                  TJobResult::TStatus::Printed);
        const std::vector<QImage> sheets = Rasterise(file);
        EXPECT_EQ(sheets.size(), 1u);
        return sheets.empty() ? QImage() : sheets[0];
    };
    const std::vector<QImage> pages{print(TPrintWhat::CDLabel, 3), print(TPrintWhat::FrontAndBack, 1)};
    // The file holds the paper in whole points.
    const QSizeF paper = QSizeF(QPageSize(c.paper).sizePoints()) / 72.0 * RasterDpi;
    EXPECT_NEAR(pages[0].width(), paper.width(), 1.0);
    EXPECT_NEAR(pages[0].height(), paper.height(), 1.0);

    const double diameter = 2 * SheetLabelRadius * Raster;
    for (int p = 1; p <= 3; ++p)
        ExpectSpan(pages[0], Qt::red, Expected(CDLabelCentre(c.kind, p), c.calibration), {diameter, diameter}, "label");
    ExpectSpan(pages[1], Qt::blue, Expected(InlayCentre(c.kind, TPageKind::InlayVorder, 3), c.calibration),
               QSizeF(2 * InlayFrontHalfWidth, 2 * InlayFrontHalfHeight) * Raster, "front");
    ExpectSpan(pages[1], QColor(0, 160, 0), Expected(InlayCentre(c.kind, TPageKind::InlayRueck, 3), c.calibration),
               QSizeF(2 * InlayBackHalfWidth, 2 * InlayBackHalfHeight) * Raster, "back");

    // The cross at the back's lower left corner, read along its two arms
    // where they lie on white paper.
    const QPoint corner = CutMarkGeometry(c.kind, TCutMarks::FrontAndBack).Crosses[3];
    const QPointF mark = Expected(corner, c.calibration);
    const QPoint m = mark.toPoint();
    const double x = DarkAlong(pages[1], QPoint(m.x() - 8, m.y() + 30), {1, 0}, 16) + m.x() - 8 + 0.5;
    const double y = DarkAlong(pages[1], QPoint(m.x() - 30, m.y() - 8), {0, 1}, 16) + m.y() - 8 + 0.5;
    EXPECT_NEAR(x, mark.x(), 1.0);
    EXPECT_NEAR(y, mark.y(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Sheets, PdfPrint,
                         ::testing::Values(PdfCase{QPageSize::A4, TSheetKind::A4, {}},
                                           PdfCase{QPageSize::Letter, TSheetKind::Letter, {}},
                                           // 2.0 mm to the left, 1.5 mm down.
                                           PdfCase{QPageSize::A4, TSheetKind::A4, {-20, 15}},
                                           PdfCase{QPageSize::Letter, TSheetKind::Letter, {-20, 15}}),
                         [](const ::testing::TestParamInfo<PdfCase> &info) {
                             return std::string(info.param.kind == TSheetKind::A4 ? "A4" : "Letter")
                                    + (info.param.calibration.isNull() ? "" : "Calibrated");
                         });

TEST(PdfTarget, AFileThatCannotBeWrittenFailsTheJob)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"missing/folder/out.pdf"_s);
    TPdfTarget target(file, QPageSize(QPageSize::A4), 300);
    EXPECT_FALSE(target.MakesCopies());
    auto doc = MakeDocument();
    TDocumentPagePainter pages;
    TJobHost host;
    TPrintRequest r;
    r.Active = doc.get();
    const TJobResult result = RunPrintJob(r, target, pages, host, SetupSheetMapping(target, TSettings()));
    EXPECT_EQ(result.Status, TJobResult::TStatus::Failed);
    EXPECT_TRUE(result.Message.startsWith(GetText(756) + u' ')) << result.Message.toStdString();
    EXPECT_TRUE(result.Message.contains(GetText(1080).arg(file))) << result.Message.toStdString();
}

} // namespace
