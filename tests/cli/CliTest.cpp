#include "Barcode.h"
#include "CliRun.h"
#include "Strings.h"
#include "Text.h"
#include "document/DocumentTestSupport.h"
#include "printing/PrintTestSupport.h"

#include <gtest/gtest.h>

#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class Cli : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    TCliRun run(const QStringList &args) const { return RunCli(args, path("settings.ini")); }

    // What a real reader finds in a rendered page, one symbol a line, sorted;
    // nothing when zbarimg is not installed. The transparent page is laid on
    // white paper first, as a printer would have it.
    std::optional<QStringList> readBarcodes(const QString &png) const
    {
        const QString zbarimg = QStandardPaths::findExecutable(u"zbarimg"_s);
        if (zbarimg.isEmpty())
            return std::nullopt;
        QImage flat(QImage(png).size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, QImage(png));
        const QString flatPath = png + u".flat.png"_s;
        if (!flat.save(flatPath))
            return QStringList{};
        QProcess zbar;
        zbar.start(zbarimg, {u"-q"_s, flatPath});
        if (!zbar.waitForFinished(30000))
            return QStringList{};
        QStringList read = QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        read.sort();
        return read;
    }

    // A red filled rectangle 600 x 100 units across the label's centre; a line
    // on the front page.
    QString writeSample()
    {
        TCDLDocument doc;
        TCDLRechteck *rect = Put(doc.Label(), Make<TCDLRechteck>(&doc.Label(), -300, -50, 600, 100));
        rect->FillColor = rect->PenColor = 0x0000FF;
        rect->NoFill = false;
        Put(doc.Front(), Make<TCDLLinie>(&doc.Front(), 10, 20));
        doc.Save(path("sample.cdl"));
        return path("sample.cdl");
    }
};

TEST_F(Cli, DumpListsPagesAndFramesInZOrder)
{
    const TCliRun r = run({u"dump"_s, writeSample()});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    const QJsonArray pages = QJsonDocument::fromJson(r.Out.toUtf8()).object().value(u"pages"_s).toArray();
    ASSERT_EQ(pages.size(), 3);
    const QJsonArray label = pages[0].toObject().value(u"Frames"_s).toArray();
    ASSERT_EQ(label.size(), 1);
    EXPECT_EQ(label[0].toObject().value(u"X"_s).toInt(), -300);
    EXPECT_EQ((std::tuple{label[0].toObject().value(u"Width"_s).toInt(),
                          pages[1].toObject().value(u"Frames"_s).toArray().size(),
                          pages[2].toObject().value(u"Frames"_s).toArray().isEmpty()}),
              std::tuple(600, 1, true));
}

// At 254 dpi one model unit is one pixel; the label's image is the disc, its
// centre at (565, 565), and a PDF rasterised at 254 dpi has the same pixels.
// The PDF's page box is the page's size to the hundredth of a point (119.8 mm
// is 339.59 pt, not 340), and the drawing keeps its place from the top edge.
TEST_F(Cli, RenderedPagesPutTheFrameWhereTheModelSaysAndHaveThePagesExactSize)
{
    const QString doc = writeSample(), png = path("cd.png");
    ASSERT_EQ(run({u"render"_s, doc, u"--page"_s, u"cd"_s, u"--out"_s, png, u"--dpi"_s, u"254"_s}).Exit, 0);
    auto redWhereTheModelSays = [](const QImage &img) {
        EXPECT_EQ(img.pixelColor(815, 565).rgb(), qRgb(255, 0, 0));
        EXPECT_EQ(img.pixelColor(268, 518).rgb(), qRgb(255, 0, 0));
        EXPECT_NE(img.pixelColor(262, 512).rgb(), qRgb(255, 0, 0));
        EXPECT_NE(img.pixelColor(868, 565).rgb(), qRgb(255, 0, 0));
    };
    const QImage img(png);
    ASSERT_EQ(img.size(), QSize(1130, 1130));
    EXPECT_EQ(qAlpha(img.pixel(565, 565)), 0) << "the centre hole stays clear";
    redWhereTheModelSays(img);

    const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
    const QString pdftoppm = QStandardPaths::findExecutable(u"pdftoppm"_s);
    if (pdfinfo.isEmpty() || pdftoppm.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const struct
    {
        const char *page;
        double width, height;
    } pages[] = {{"cd", 320.31, 320.31}, {"front", 339.59, 342.99}, {"back", 426.90, 334.49}};
    for (const auto &pg : pages) {
        const QString out = path(pg.page) + u".pdf"_s;
        const TCliRun r = run({u"render"_s, doc, u"--page"_s, QString::fromLatin1(pg.page), u"--out"_s, out});
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        QProcess info;
        info.start(pdfinfo, {u"-box"_s, out});
        ASSERT_TRUE(info.waitForFinished(30000));
        const QStringList box = QString::fromUtf8(info.readAllStandardOutput())
                                    .section(u"MediaBox:"_s, 1)
                                    .section(QLatin1Char('\n'), 0, 0)
                                    .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_EQ(box.size(), 4) << pg.page;
        EXPECT_EQ((std::tuple{box[0].toDouble(), box[1].toDouble()}), std::tuple(0.0, 0.0)) << pg.page;
        EXPECT_NEAR(box[2].toDouble(), pg.width, 0.006) << pg.page;
        EXPECT_NEAR(box[3].toDouble(), pg.height, 0.006) << pg.page;
    }
    const std::vector<QImage> raster = RasterisePdf(path("cd.pdf"), path("raster"), 254);
    ASSERT_EQ(raster.size(), 1u);
    EXPECT_NEAR(raster[0].width(), 1130, 1);
    EXPECT_NEAR(raster[0].height(), 1130, 1);
    redWhereTheModelSays(raster[0]);

    // The CD's box grew by a third of a point (1.3 pixels at 1016 dpi); the
    // rectangle across the centre must not move with it.
    const QString pdf = path("cd254.pdf");
    ASSERT_EQ(run({u"render"_s, doc, u"--out"_s, pdf, u"--dpi"_s, u"254"_s}).Exit, 0);
    QProcess p;
    // A strip around x = 300, y = 565 units (1200, 2260 pixels).
    p.start(pdftoppm, {u"-r"_s, u"1016"_s, u"-x"_s, u"1180"_s, u"-y"_s, u"1900"_s, u"-W"_s, u"40"_s, u"-H"_s, u"720"_s,
                       u"-png"_s, u"-singlefile"_s, pdf, path("strip")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QImage strip(path("strip.png"));
    ASSERT_EQ(strip.height(), 720);
    int first = -1, last = -1;
    for (int y = 0; y < strip.height(); ++y)
        if (strip.pixelColor(20, y).rgb() == qRgb(255, 0, 0)) {
            first = first < 0 ? y : first;
            last = y;
        }
    ASSERT_GE(first, 0);
    EXPECT_NEAR((first + last) / 2.0, 2260 - 1900, 1.0);
}

// Every fixture document of tests/data dumps to the JSON beside it, which was
// checked by hand against the values make_fixtures.py writes.
TEST_F(Cli, FixturesDumpToTheirReferenceJson)
{
    const QDir data(QStringLiteral(QM_TEST_DATA_DIR));
    const QStringList documents = data.entryList({u"*.CDL"_s}, QDir::Files, QDir::Name);
    ASSERT_FALSE(documents.isEmpty());
    for (const QString &name : documents) {
        SCOPED_TRACE(name.toStdString());
        const TCliRun r = run({u"dump"_s, data.filePath(name)});
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        // The other version is dumped all the same, after its warning.
        EXPECT_EQ(r.Err.contains(GetText(853)), name == u"other-version.CDL"_s) << r.Err.toStdString();
        const QJsonDocument expected =
            QJsonDocument::fromJson(ReadAll(data.filePath(QFileInfo(name).completeBaseName() + u".json"_s)));
        ASSERT_TRUE(expected.isObject());
        EXPECT_EQ(QJsonDocument::fromJson(r.Out.toUtf8()), expected) << r.Out.toStdString();
    }
    // Every kind saved again by the tool is the same file.
    const QString in = data.filePath(u"all-kinds.CDL"_s), again = path("again.CDL");
    ASSERT_EQ(run({u"resave"_s, in, again}).Exit, 0);
    EXPECT_EQ(ReadAll(again), ReadAll(in));
}

// Label texts read back from a render; the start and space characters of the
// settings file are taken, what plain Code 39 cannot carry is named on
// standard error in the settings' language, and the render still succeeds.
TEST_F(Cli, RenderedBarCodesReadAndLeftOutCharactersAreNamed)
{
    TCDLDocument doc;
    TCDLPage &front = doc.Front();
    const std::pair<int, const char16_t *> codes[] = {{-500, u"Tour 2027"}, {-150, u"a@bc\u20AC"}, {200, u"#TOUR_7#"}};
    for (const auto &[y, text] : codes) {
        auto code = CreateBarcodeFrame(&front, -500, y);
        code->Width = 1000;
        code->Height = 250;
        code->FontSize = 14;
        code->Values = QStringList{QString::fromUtf16(text)};
        front.AddFrame(std::move(code));
    }
    const QString file = path("codes.cdl");
    doc.Save(file);
    ASSERT_TRUE(WriteAll(path("settings.ini"), "[LANGUAGE]\r\nNUMBER=2\r\n[MISC]\r\nBC_START=#\r\nBC_SPACE=_\r\n"));

    const QString png = path("codes.png");
    const TCliRun r = run({u"render"_s, file, u"--page"_s, u"front"_s, u"--out"_s, png, u"--dpi"_s, u"300"_s});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    SetLanguageState(2);
    const QString english = GetText(1053).arg(u"@\u20AC"_s);
    SetLanguageState(1);
    EXPECT_TRUE(r.Err.contains(english)) << r.Err.toStdString();

    const auto read = readBarcodes(png);
    if (!read)
        GTEST_SKIP() << "zbarimg is not installed";
    EXPECT_EQ(*read, (QStringList{u"CODE-39:ABC"_s, u"CODE-39:TOUR 2027"_s, u"CODE-39:TOUR 7"_s}));

    // Nothing left out, nothing said.
    const TCliRun clean = run({u"render"_s, file, u"--page"_s, u"cd"_s, u"--out"_s, path("cd.png")});
    EXPECT_EQ(clean.Exit, 0);
    EXPECT_FALSE(clean.Err.contains(english)) << clean.Err.toStdString();
}

TEST_F(Cli, BadInputExitsNonZeroWithTheLocalizedMessage)
{
    ASSERT_TRUE(WriteAll(path("junk.cdl"), "this is no label document"));
    const TCliRun notDoc = run({u"dump"_s, path("junk.cdl")});
    EXPECT_EQ(notDoc.Exit, 1);
    EXPECT_TRUE(notDoc.Err.contains(GetText(852))) << notDoc.Err.toStdString();
    EXPECT_TRUE(notDoc.Out.isEmpty());

    const TCliRun missing = run({u"render"_s, path("absent.cdl"), u"--out"_s, path("x.png")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains(GetText(855))) << missing.Err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.png")));

    // Saving into a folder that does not exist fails and says so.
    const TCliRun unwritable = run({u"resave"_s, writeSample(), path("no/such/dir/out.cdl")});
    EXPECT_EQ(unwritable.Exit, 1);
    EXPECT_TRUE(unwritable.Err.contains(GetText(856))) << unwritable.Err.toStdString();
}

TEST_F(Cli, WrongArgumentsShowUsage)
{
    for (const QStringList &args :
         {QStringList{}, QStringList{u"paint"_s}, QStringList{u"render"_s, u"a.cdl"_s},
          QStringList{u"render"_s, u"a.cdl"_s, u"--page"_s, u"side"_s, u"--out"_s, u"o.png"_s}}) {
        const TCliRun r = run(args);
        EXPECT_EQ(r.Exit, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.Err.contains(QLatin1String("usage"))) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.Out.isEmpty());
    }
    // Asked for, the usage is the answer, and nothing else is said.
    for (const QStringList &args : {QStringList{u"--help"_s}, QStringList{u"print"_s, u"--help"_s}}) {
        const TCliRun r = run(args);
        EXPECT_EQ(r.Exit, 0) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.Out.startsWith(QLatin1String("usage:\n  quelmark-cli "))
                    && r.Out.contains(QLatin1String(" print ")))
            << r.Out.toStdString();
        EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();
    }
}

} // namespace
