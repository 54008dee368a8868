#include "PrintTestSupport.h"

#include "PagePainter.h"
#include "PdfTarget.h"
#include "SheetPreview.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

// Half a pixel per 0.1 mm: the A4 sheet is 1050 by 1485 pixels for both.
constexpr int Dpi = 127;

// A coloured page with a large running number in its middle; on CD labels
// the colour stays inside the circle unless flood, which lets the trimming show.
std::unique_ptr<TCDLDocument> NumberedDocument(int32_t first, TColor color, bool flood, bool barcode = false)
{
    auto doc = MakeDocument();
    for (TPageKind kind : {TPageKind::CDLabel, TPageKind::InlayVorder, TPageKind::InlayRueck}) {
        TCDLPage &page = doc->Page(kind);
        if (flood || kind != TPageKind::CDLabel)
            AddFlood(page, color);
        else
            page.BackColor = color;
        TCDLSerNo *s = AddSerialNumber(page, first);
        s->X = -300;
        s->Y = -200;
        s->Width = 600;
        s->Height = 400;
        s->FontSize = 60;
        s->NumberFormat = u"~#"_s;
        if (barcode) // 3 pixels a module, as output rounds it
            std::tie(s->Barcode, s->FontName, s->FontSize) = std::tuple(true, u"C39HrP60DmTt"_s, 23);
    }
    doc->SetModified(false);
    return doc;
}

// Pixels of a with no pixel of b near in colour within two pixels around it:
// glyphs hinted for the screen sit a pixel or two from their outlines.
int Unmatched(const QImage &a, const QImage &b)
{
    auto near = [](QRgb p, QRgb q) {
        return std::abs(qRed(p) - qRed(q)) < 90 && std::abs(qGreen(p) - qGreen(q)) < 90
               && std::abs(qBlue(p) - qBlue(q)) < 90;
    };
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx)
                    found = b.valid(x + dx, y + dy) && near(p, b.pixel(x + dx, y + dy));
            count += !found;
        }
    return count;
}

// What comes out of the printer for one sheet: the passes of a page on top
// of each other.
QImage Darkest(const std::vector<QImage> &passes)
{
    QImage out = passes.front().convertToFormat(QImage::Format_RGB32);
    for (size_t i = 1; i < passes.size(); ++i) {
        const QImage pass = passes[i].convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x) {
                const QRgb a = out.pixel(x, y), b = pass.pixel(x, y);
                out.setPixel(
                    x, y,
                    qRgb(std::min(qRed(a), qRed(b)), std::min(qGreen(a), qGreen(b)), std::min(qBlue(a), qBlue(b))));
            }
    }
    return out;
}

struct PreviewCase
{
    const char *name;
    TPrintMode mode;
    TPrintWhat what;
    int count, first;
    int sheets; // the sheet compared
    TRoundTrim trim;
    // The PDF pages that make up the sheet (two with a second pass).
    std::vector<int> pages;
    bool barcode = false;
};

class SheetPreview : public ::testing::TestWithParam<PreviewCase>
{
};

TEST_P(SheetPreview, ShowsTheSheetAsTheJobPrintsIt)
{
    const PreviewCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const bool flood = c.trim == TRoundTrim::Direct;
    auto a = NumberedDocument(1, RGBColor(250, 200, 120), flood, c.barcode);
    auto b = NumberedDocument(50, RGBColor(140, 200, 250), flood);
    TPrintRequest r;
    r.Mode = c.mode;
    r.What = c.what;
    r.Count = c.count;
    r.FirstPlace = c.first;
    r.Sheets = c.count;
    r.Trim = c.trim;
    r.Active = a.get();
    r.Open = {a.get(), b.get()};
    r.CDPlaces = {a.get(), nullptr, b.get()};
    r.FrontPlaces = {nullptr, b.get()};
    r.BackPlaces = {b.get(), a.get()};

    TSheetPreview preview(r, QPageSize(QPageSize::A4));
    ASSERT_EQ(preview.SheetCount(), CountSheets(r));
    const QString pdf = dir.filePath(u"job.pdf"_s);
    TPdfTarget target(pdf, QPageSize(QPageSize::A4), Dpi);
    TTestHost host;
    TDocumentPagePainter pages;
    ASSERT_EQ(RunPrintJob(r, target, pages, host, MappingOf(target)).Status, TJobResult::TStatus::Printed);
    const std::vector<QImage> raster = RasterisePdf(pdf, dir.filePath(u"page"_s), Dpi);
    ASSERT_FALSE(raster.empty());

    std::vector<QImage> passes;
    for (int page : c.pages)
        passes.push_back(raster.at(size_t(page - 1)));
    const QImage printed = Darkest(passes);
    const QImage shown = preview.Image(c.sheets, printed.size());
    // Screen glyphs advance by whole pixels: a few edge pixels differ. A
    // label's number one higher differs in thousands.
    EXPECT_LT(Unmatched(shown, printed), 300);
    EXPECT_LT(Unmatched(printed, shown), 300);
    const QImage other = preview.Image(c.sheets == 1 ? 2 : 1, printed.size());
    EXPECT_GT(Unmatched(other, printed), 1000);
}

const PreviewCase kCases[] = {
    {"CurrentFromPlace2", TPrintMode::Current, TPrintWhat::CDLabel, 4, 2, 2, TRoundTrim::Direct, {2}},
    {"CurrentSecondPass", TPrintMode::Current, TPrintWhat::CDLabel, 3, 1, 1, TRoundTrim::Indirect, {1, 2}},
    {"Selection", TPrintMode::Selection, TPrintWhat::CDLabel, 2, 1, 2, TRoundTrim::Direct, {2}},
    {"AllOpenSecondPass", TPrintMode::AllOpen, TPrintWhat::CDLabel, 2, 1, 1, TRoundTrim::Indirect, {1, 2}},
    {"AllOpen", TPrintMode::AllOpen, TPrintWhat::CDLabel, 2, 2, 2, TRoundTrim::Direct, {2}},
    {"Fronts", TPrintMode::Current, TPrintWhat::InlayFront, 3, 1, 2, TRoundTrim::Direct, {2}},
    {"AllOpenFronts", TPrintMode::AllOpen, TPrintWhat::InlayFront, 3, 1, 2, TRoundTrim::Direct, {2}},
    {"SelectedBacks", TPrintMode::Selection, TPrintWhat::InlayBack, 2, 1, 2, TRoundTrim::Direct, {2}},
    {"FrontAndBack", TPrintMode::AllOpen, TPrintWhat::FrontAndBack, 1, 1, 2, TRoundTrim::Direct, {2}},
    {"BarcodeNumbers", TPrintMode::Current, TPrintWhat::InlayFront, 3, 1, 2, TRoundTrim::Direct, {2}, true},
};

INSTANTIATE_TEST_SUITE_P(Modes, SheetPreview, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
