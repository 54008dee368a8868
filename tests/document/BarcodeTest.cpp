// Bar codes drawn without their font: set where a line of text in a bar-code
// font of the frame's size would sit, and read back by a real reader from the
// rendered page, upright and rotated.

#include "DocumentTestSupport.h"

#include "Barcode.h"
#include "Document.h"
#include "PageRenderer.h"
#include "SerNo.h"
#include "Settings.h"
#include "Strings.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// A reader wants white behind the code, not transparency.
QImage OnPaper(const TCDLPage &page, double dpi)
{
    const QImage img = RenderPageImage(page, dpi);
    QImage flat(img.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, img);
    return flat;
}

// One bar-code frame on the front inlay, whose device origin at 254 dpi
// (one pixel per model unit) is (599, 605).
struct BarcodeOnPage
{
    static constexpr QPoint Origin{599, 605};
    TCDLDocument doc;
    TCDLPage &page = doc.Front();
    TCDLText *f;
    explicit BarcodeOnPage(const QString &text, int size = 10, int alignment = 0, int angle = 0)
    {
        f = Put(page, CreateBarcodeFrame(&page, -550, angle ? 450 : -200));
        f->Width = 1100;
        f->Height = 250;
        f->FontSize = size;
        f->Alignment = alignment;
        f->Angle = angle;
        f->Values = QStringList{text};
    }
    QImage Render(double dpi) const { return OnPaper(page, dpi); }
    QRect Ink() const { return InkBox(Render(254)); }
};

QString Zbar(const QImage &img)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("bc.png"));
    EXPECT_TRUE(img.save(png));
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), png});
    EXPECT_TRUE(zbar.waitForFinished(30000));
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

class BarcodeRead : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
            GTEST_SKIP() << "zbarimg is not installed";
        ASSERT_FALSE(BarcodeFontInstalled(AppSettings().BarcodeFont));
    }
};

} // namespace

TEST(Barcode, Code39DataFromTheTransformedText)
{
    QString rejected;
    EXPECT_EQ(Code39Data(QStringLiteral("!Groesse*1!"), &rejected), QStringLiteral("GROESSE 1"));
    EXPECT_TRUE(rejected.isEmpty());
    EXPECT_EQ(Code39Data(QStringLiteral("!a_b#c!"), &rejected), QStringLiteral("ABC"));
    EXPECT_EQ(rejected, QStringLiteral("_#"));
}

TEST_F(BarcodeRead, ALabelTextDecodesAtEverySizeAtPrintAndDraftResolution)
{
    for (int size : {10, 12, 16, 20, 24})
        for (int dpi : {150, 300})
            EXPECT_EQ(Zbar(BarcodeOnPage(QStringLiteral("TOUR 2027"), size).Render(dpi)),
                      QStringLiteral("CODE-39:TOUR 2027"))
                << size << " pt at " << dpi << " dpi";
    // A long text keeps the bars of its font size, it is not squeezed into
    // the frame.
    EXPECT_EQ(Zbar(BarcodeOnPage(QStringLiteral("CD-2027 TOUR EUROPA 14 LIVE"), 10).Render(150)),
              QStringLiteral("CODE-39:CD-2027 TOUR EUROPA 14 LIVE"));
}

TEST_F(BarcodeRead, UmlautsAndTurnedFramesDecode)
{
    EXPECT_EQ(Zbar(BarcodeOnPage(QStringLiteral("Größe 1"), 14).Render(300)), QStringLiteral("CODE-39:GROESSE 1"));
    EXPECT_EQ(Zbar(BarcodeOnPage(QStringLiteral("CD-2024/7"), 14, 0, 90).Render(300)),
              QStringLiteral("CODE-39:CD-2024/7"));
    // A PDF takes the bars its own way, upright ones in page coordinates:
    // the same bars at the same place.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        return;
    for (int angle : {0, 90}) {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("bc.pdf")), png = dir.filePath(QStringLiteral("bc"));
        const BarcodeOnPage code(QStringLiteral("CD-2024/7"), 14, 0, angle);
        ASSERT_TRUE(RenderPagePdf(code.page, pdf, 254));
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), pdf, png});
        const QImage printed(png + QStringLiteral(".png"));
        EXPECT_EQ((std::pair{Zbar(printed), InkBox(printed)}),
                  (std::pair{QStringLiteral("CODE-39:CD-2024/7"), code.Ink()}))
            << angle;
    }
}

// The serial-number frame sets its bar code on the text frame's path.
TEST_F(BarcodeRead, ASerialNumberInBarcodeModeDecodes)
{
    TCDLDocument doc;
    auto f = std::make_unique<TCDLSerNo>(&doc.Front(), -550, -200);
    f->Width = 1100;
    f->Height = 250;
    f->FontSize = 12;
    f->Barcode = true;
    f->FontName = AppSettings().BarcodeFont;
    f->Counter = 42;
    f->NumberFormat = QStringLiteral("CD-####");
    doc.Front().AddFrame(std::move(f));
    EXPECT_EQ(Zbar(OnPaper(doc.Front(), 150)), QStringLiteral("CODE-39:CD-0042"));
}

// A code broken over lines is drawn piece by piece as a font would: the
// pieces side by side are the whole symbol, 13 modules a character.
TEST(BarcodeLayout, WrappedPiecesJoinToTheWholeSymbol)
{
    const TCode39Line whole = Code39Line(QStringLiteral("!TOUR*7!"));
    EXPECT_EQ(whole.Modules, 8 * 13 - 1);
    const TCode39Line head = Code39Line(QStringLiteral("!TOU")), tail = Code39Line(QStringLiteral("R*7!"));
    EXPECT_EQ((std::tuple{head.Modules, tail.Modules}), std::tuple(4 * 13, 4 * 13 - 1));
    std::vector<std::pair<int, int>> joined, expected;
    for (const auto &b : head.Bars)
        joined.emplace_back(b.Start, b.Width);
    for (const auto &b : tail.Bars)
        joined.emplace_back(head.Modules + b.Start, b.Width);
    for (const auto &b : whole.Bars)
        expected.emplace_back(b.Start, b.Width);
    EXPECT_EQ(joined, expected);
    // A stop character alone on the last line is still drawn; characters
    // Code 39 cannot carry take no room.
    EXPECT_EQ(Code39Line(QStringLiteral("!")).Modules, 13);
    EXPECT_EQ(Code39Line(QStringLiteral("!A_B!")).Modules, Code39Line(QStringLiteral("!AB!")).Modules);
    EXPECT_EQ(Code39Line(QStringLiteral("@")).Modules, 0);
}

TEST(BarcodeLayout, BarsSitOnTheFirstLineAndFollowTheAlignment)
{
    BarcodeOnPage left(QStringLiteral("TOUR 2027"), 12, 0);
    const QRect l = left.Ink();
    ASSERT_FALSE(l.isNull());
    const int x0 = BarcodeOnPage::Origin.x() - 550, y0 = BarcodeOnPage::Origin.y() - 200;
    const int lineHeight = left.f->LineHeight();
    EXPECT_EQ(lineHeight, 48);
    // The start character opens with a bar at the frame's edge; the bars are
    // as high as the line's ascent, from the line's top.
    EXPECT_EQ((std::tuple{l.left(), l.top()}), std::tuple(x0, y0));
    EXPECT_GT(l.height(), lineHeight * 2 / 3);
    EXPECT_LT(l.height(), lineHeight);
    EXPECT_LT(l.width(), 1100 / 2);

    const QRect r = BarcodeOnPage(QStringLiteral("TOUR 2027"), 12, 2).Ink();
    EXPECT_EQ((std::tuple{r.right(), r.size()}), std::tuple(x0 + 1100 - 1, l.size()));
    const QRect c = BarcodeOnPage(QStringLiteral("TOUR 2027"), 12, 1).Ink();
    EXPECT_NEAR(c.left() + c.right() + 1, 2 * x0 + 1100, 2);
    // Justified: a bar code has no blanks to spread, it stays left.
    EXPECT_EQ(BarcodeOnPage(QStringLiteral("TOUR 2027"), 12, 3).Ink(), l);
}

TEST(BarcodeLayout, WidthFollowsTheFontSizeNotTheFrame)
{
    // 11 symbol characters of 13 modules, less the gap after the stop; a
    // module is a whole number of pixels, within half a pixel of the size's.
    int previous = 0;
    for (int size : {10, 12, 16, 20, 24}) {
        const int w = BarcodeOnPage(QStringLiteral("TOUR 2027"), size).Ink().width();
        EXPECT_NEAR(w, 142 * Code39Module(size), 71) << size;
        EXPECT_EQ(w % 142, 0) << size;
        EXPECT_GE(w, previous) << size;
        previous = w;
    }
    // About an em of the size per character, as a Code 39 font sets it.
    EXPECT_NEAR(Code39Advance(10), 10 * 254.0 / 72, 2);
    const int w12 = BarcodeOnPage(QStringLiteral("TOUR 2027"), 12).Ink().width();
    EXPECT_EQ(BarcodeOnPage(QStringLiteral("TOUR 2027"), 24).Ink().width(), 2 * w12);
    BarcodeOnPage wide(QStringLiteral("TOUR 2027"), 12);
    wide.f->Width = 1180;
    EXPECT_EQ(wide.Ink().width(), w12);
}

TEST(BarcodeLayout, PreviewsShowTheTrueProportionsAndOutputWholePixels)
{
    // At one pixel a unit the module of size 12 is 3.13 pixels: output
    // rounds it to 3, a preview on screen keeps it.
    BarcodeOnPage b(QStringLiteral("TOUR 2027"), 12);
    auto ink = [&](bool preview) {
        QImage img(1198, 1210, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        TPaintContext c;
        c.Canvas = &p;
        c.OffsetX = BarcodeOnPage::Origin.x();
        c.OffsetY = BarcodeOnPage::Origin.y();
        TPagePaintOptions o;
        o.Preview = preview;
        b.page.Paint(c, o);
        p.end();
        return InkBox(img);
    };
    EXPECT_EQ(ink(false).width(), 142 * 3);
    EXPECT_NEAR(ink(true).width(), 142 * Code39Module(12), 2);
}

TEST(BarcodeLayout, LinesFollowTheWrapAndFitRules)
{
    // Wider than the frame: broken between symbol characters onto two lines,
    // each inside the frame.
    BarcodeOnPage two(QStringLiteral("TOUR 2027 TOUR 2027"), 16);
    two.f->Width = 600;
    const QImage img = two.Render(254);
    const int x0 = BarcodeOnPage::Origin.x() - 550, y0 = BarcodeOnPage::Origin.y() - 200;
    const int lh = 64;
    const QRect first = InkBox(img, QRect(0, y0, img.width(), lh));
    const QRect second = InkBox(img, QRect(0, y0 + lh, img.width(), lh));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(second.top(), y0 + lh);
    EXPECT_GE(first.left(), x0);
    EXPECT_LT(first.right(), x0 + 600);
    EXPECT_LT(second.right(), x0 + 600);
    EXPECT_TRUE(InkBox(img, QRect(0, y0 + 2 * lh, img.width(), 400)).isNull());

    // Room for one line only: the second is not drawn; lower than one line:
    // nothing at all.
    two.f->Height = 2 * lh;
    EXPECT_TRUE(InkBox(two.Render(254), QRect(0, y0 + lh, img.width(), 400)).isNull());
    BarcodeOnPage low(QStringLiteral("TOUR 2027"), 16);
    low.f->Height = lh;
    EXPECT_TRUE(low.Ink().isNull());
    low.f->Height = lh + 1;
    EXPECT_FALSE(low.Ink().isNull());
}

TEST(Barcode, CharactersCode39CannotCarryAreReportedInTheStatusText)
{
    TCDLText t(nullptr, 0, 0);
    t.Barcode = true;
    t.FontName = QStringLiteral("C39HrP60DmTt");
    t.Values = QStringList{QStringLiteral("a_b")};
    EXPECT_TRUE(t.Verbose().contains(GetText(1053).arg(QStringLiteral("_"))));
    t.Values = QStringList{QStringLiteral("ab")};
    EXPECT_FALSE(t.Verbose().contains(GetText(1053).arg(QString())));
}
