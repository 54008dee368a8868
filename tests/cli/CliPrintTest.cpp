#include "Barcode.h"
#include "CliRun.h"
#include "Document.h"
#include "SerNo.h"
#include "SheetLayout.h"
#include "Strings.h"
#include "Text.h"
#include "TextLayout.h"
#include "printing/PrintTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

constexpr int RasterDpi = 100;

class CliPrint : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const QString &name) const { return dir.filePath(name); }

    TCliRun Run(const QStringList &args, const QProcessEnvironment &extra = {}) const
    {
        return RunCli(QStringList{u"print"_s} + args, Path(u"settings.ini"_s), extra);
    }

    // A document whose CD label is flooded with color, carrying a running
    // number from counter when it is given.
    QString Save(const QString &name, QColor color, std::optional<int> counter = {}) const
    {
        auto doc = MakeDocument();
        AddFlood(doc->Label(), RGBColor(color.red(), color.green(), color.blue()));
        if (counter)
            AddSerialNumber(doc->Label(), *counter);
        const QString path = Path(name);
        doc->Save(path);
        return path;
    }

    static int32_t CounterIn(const QString &path)
    {
        TCDLDocument doc;
        doc.Load(path, nullptr);
        for (const auto &f : doc.Label().Frames())
            if (const auto *s = KindCast<TCDLSerNo>(f.get()))
                return s->Counter;
        return -1;
    }

    std::vector<QImage> Rasterise(const QString &pdf) const { return RasterisePdf(pdf, Path(u"page"_s), RasterDpi); }

    static bool LabelAt(const QImage &sheet, int place, QColor color)
    {
        return ::LabelAt(sheet, TSheetKind::A4, place, color, RasterDpi);
    }

    QTemporaryDir dir;
};

TEST_F(CliPrint, OneDocumentFillsSheetsFromTheChosenPlaceAndSavesItsCounters)
{
    if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    const QString doc = Save(u"red.CDL"_s, Qt::red, 7);
    const QString pdf = Path(u"out.pdf"_s);
    const TCliRun r = Run({doc, u"--count"_s, u"4"_s, u"--start"_s, u"2"_s, u"--pdf"_s, pdf, u"--save-counters"_s});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ((std::tuple{r.Out, CounterIn(doc)}), std::tuple(GetText(1085).arg(2), 11));

    const std::vector<QImage> sheets = Rasterise(pdf);
    ASSERT_EQ(sheets.size(), 2u);
    for (int place = 1; place <= 3; ++place) {
        EXPECT_EQ(LabelAt(sheets[0], place, Qt::red), place > 1) << place;
        EXPECT_EQ(LabelAt(sheets[1], place, Qt::red), place < 3) << place;
    }
    // The preview of that job's second sheet, which leaves the file alone.
    const QString png = Path(u"2.png"_s);
    const TCliRun p =
        RunCli({u"preview"_s, doc, u"--count"_s, u"4"_s, u"--start"_s, u"2"_s, u"--sheet"_s, u"2"_s, u"--out"_s, png},
               Path(u"settings.ini"_s));
    ASSERT_EQ(p.Exit, 0) << p.Err.toStdString();
    const QImage shown(png);
    EXPECT_TRUE(LabelAt(shown, 1, Qt::red) && LabelAt(shown, 2, Qt::red) && !LabelAt(shown, 3, Qt::red));
    EXPECT_EQ(CounterIn(doc), 11);
}

TEST_F(CliPrint, PlacesChooseADocumentPerPlaceAndSeveralDocumentsRunOn)
{
    if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    const QString red = Save(u"red.CDL"_s, Qt::red), blue = Save(u"blue.CDL"_s, Qt::blue);
    const QString pdf = Path(u"places.pdf"_s);
    TCliRun r = Run({red, blue, u"--places"_s, u"2,-,1"_s, u"--count"_s, u"2"_s, u"--pdf"_s, pdf});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, GetText(1085).arg(2));
    const std::vector<QImage> sheets = Rasterise(pdf);
    ASSERT_EQ(sheets.size(), 2u);
    for (const QImage &sheet : sheets) {
        EXPECT_EQ((std::tuple{LabelAt(sheet, 1, Qt::blue), LabelAt(sheet, 2, Qt::red) || LabelAt(sheet, 2, Qt::blue),
                              LabelAt(sheet, 3, Qt::red)}),
                  std::tuple(true, false, true));
    }
    // What a bar code leaves out is said, and printed around.
    auto coded = MakeDocument();
    auto code = CreateBarcodeFrame(&coded->Front(), 0, 0);
    code->Values = QStringList{u"a_b"_s};
    coded->Front().AddFrame(std::move(code));
    coded->Save(Path(u"coded.CDL"_s));
    r = Run({Path(u"coded.CDL"_s), u"--what"_s, u"front"_s, u"--pdf"_s, Path(u"coded.pdf"_s)});
    EXPECT_EQ((std::tuple{r.Exit, r.Err}), std::tuple(0, GetText(1053).arg(u"_"_s)));
    // Every document twice, the places running on: 4 labels on 2 sheets.
    r = Run({red, blue, u"--count"_s, u"2"_s, u"--pdf"_s, Path(u"all.pdf"_s), u"--trim"_s, u"off"_s});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, GetText(1085).arg(2));
}

TEST_F(CliPrint, RefusalsAndFailuresSayWhyAndLeaveTheDocumentAsItWas)
{
    const QString doc = Save(u"numbered.CDL"_s, Qt::red, 5);
    const QByteArray before = ReadAll(doc);
    // No folder to write the PDF into.
    TCliRun r = Run({doc, u"--pdf"_s, Path(u"missing/out.pdf"_s), u"--save-counters"_s});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains(GetText(1080).arg(Path(u"missing/out.pdf"_s)))) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.isEmpty());

    // A queue CUPS does not know, and no printer at all.
    r = Run({doc, u"--printer"_s, u"No such queue 4711"_s, u"--save-counters"_s});
    EXPECT_EQ((std::tuple{r.Exit, r.Message()}),
              std::tuple(1, GetText(1081).arg(u"No such queue 4711"_s).toStdString()));
    QProcessEnvironment noCups;
    noCups.insert(u"CUPS_SERVER"_s, Path(u"no-cupsd.sock"_s));
    noCups.insert(u"HOME"_s, dir.path());
    noCups.insert(u"PRINTER"_s, QString());
    noCups.insert(u"LPDEST"_s, QString());
    r = Run({doc, u"--save-counters"_s}, noCups);
    EXPECT_EQ((std::tuple{r.Exit, r.Message()}), std::tuple(1, GetText(1083).toStdString()));

    // Six numbers are more than a list of three entries holds.
    auto listed = MakeDocument();
    TCDLSerNo *list = AddSerialNumber(listed->Label(), 0);
    list->UseValueList = true;
    list->Values = QStringList{u"A"_s, u"B"_s, u"C"_s};
    const QString listPath = Path(u"list.CDL"_s);
    listed->Save(listPath);
    const QByteArray listBefore = ReadAll(listPath);
    r = Run({listPath, u"--count"_s, u"6"_s, u"--pdf"_s, Path(u"list.pdf"_s), u"--save-counters"_s});
    EXPECT_EQ((std::tuple{r.Exit, r.Message()}), std::tuple(1, GetText(751).toStdString()));
    // Named twice, the document is asked for the numbers of both.
    r = Run({listPath, listPath, u"--count"_s, u"2"_s, u"--pdf"_s, Path(u"list.pdf"_s), u"--save-counters"_s});
    EXPECT_EQ((std::tuple{r.Exit, r.Message()}), std::tuple(1, GetText(751).toStdString()));
    EXPECT_EQ((std::tuple{QFile::exists(Path(u"list.pdf"_s)), ReadAll(listPath)}), std::tuple(false, listBefore));

    // The PDF would replace a document being printed, named another way.
    r = Run({doc, u"--pdf"_s, Path(u"./numbered.CDL"_s)});
    EXPECT_EQ((std::tuple{r.Exit, r.Message()}),
              std::tuple(1, GetText(1097).arg(Path(u"./numbered.CDL"_s)).toStdString()));

    // A preview named like the document is no image; the document stays.
    r = RunCli({u"preview"_s, doc, u"--out"_s, doc}, Path(u"settings.ini"_s));
    EXPECT_EQ((std::tuple{r.Exit, r.Message()}),
              std::tuple(1, (doc + u": "_s + GetText(DocumentText::SaveFailed)).toStdString()));

    // Different paper colours: the message tells how to print them all the same.
    auto colored = MakeDocument();
    colored->Label().PaperColorIndex = 1;
    colored->Save(Path(u"colored.CDL"_s));
    r = Run({doc, Path(u"colored.CDL"_s), u"--pdf"_s, Path(u"mixed.pdf"_s)});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains(u"--yes"_s)) << r.Err.toStdString();
    EXPECT_EQ(Run({doc, Path(u"colored.CDL"_s), u"--pdf"_s, Path(u"mixed.pdf"_s), u"--yes"_s}).Exit, 0);

    EXPECT_EQ(
        (std::tuple{ReadAll(doc), Run({doc, u"--start"_s, u"4"_s}).Exit, Run({doc, u"--places"_s, u"1,3,-"_s}).Exit}),
        std::tuple(before, 2, 2));
}

// Stored trim modes outside the list trim directly. A face the font
// database lists under a foundry ("C059 [urw]") is installed: nothing is
// said of it, nor of the platform.
TEST_F(CliPrint, AStoredTrimModeOutsideTheListTrimsDirectlyAndNothingElseIsSaid)
{
    if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    const QStringList families = QFontDatabase::families();
    const auto withFoundry = std::find_if(families.begin(), families.end(),
                                          [](const QString &f) { return f.endsWith(u']') && f.contains(u" ["_s); });
    auto doc = MakeDocument();
    AddFlood(doc->Label(), RGBColor(255, 0, 0));
    auto text = std::make_unique<TCDLText>(&doc->Label(), 150, 150);
    text->FontName = FontFamilyName(withFoundry != families.end() ? *withFoundry : families.value(0));
    text->Values = QStringList{text->FontName};
    doc->Label().AddFrame(std::move(text));
    // A bar code whose font is missing is drawn as bars: nothing to say.
    auto code = std::make_unique<TCDLText>(&doc->Label(), -150, -150);
    code->Barcode = true;
    code->FontName = u"No such bar code face"_s;
    code->Values = QStringList{u"123"_s};
    doc->Label().AddFrame(std::move(code));
    const QString path = Path(u"trim.CDL"_s), pdf = Path(u"trim.pdf"_s);
    doc->Save(path);
    for (const char *stored : {"3", "-1"}) {
        ASSERT_TRUE(WriteAll(Path(u"settings.ini"_s), QByteArray("[PRINT]\r\nPRINT=") + stored + "\r\n"));
        const TCliRun r = Run({path, u"--pdf"_s, pdf});
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();
        const std::vector<QImage> sheets = Rasterise(pdf);
        ASSERT_EQ(sheets.size(), 1u);
        EXPECT_TRUE(LabelAt(sheets[0], 1, Qt::red)) << stored;
    }
}

TEST_F(CliPrint, CountersStayInTheFileUnlessAskedToSave)
{
    const QString doc = Save(u"numbered.CDL"_s, Qt::red, 5);
    const QByteArray before = ReadAll(doc);
    const TCliRun r = Run({doc, u"--count"_s, u"3"_s, u"--pdf"_s, Path(u"out.pdf"_s)});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(ReadAll(doc), before);
    // The save replaces the file whole: no temporary is left beside it.
    ASSERT_EQ(Run({doc, u"--count"_s, u"3"_s, u"--pdf"_s, Path(u"out.pdf"_s), u"--save-counters"_s}).Exit, 0);
    EXPECT_EQ(CounterIn(doc), 8);
    EXPECT_EQ(QDir(dir.path()).entryList({u"numbered*"_s}, QDir::Files), QStringList{u"numbered.CDL"_s});

    // A file named twice is one document whose numbers run on.
    ASSERT_EQ(Run({doc, Path(u"./numbered.CDL"_s), u"--count"_s, u"2"_s, u"--pdf"_s, Path(u"twice.pdf"_s),
                   u"--save-counters"_s})
                  .Exit,
              0);
    EXPECT_EQ(CounterIn(doc), 12);
}

} // namespace
