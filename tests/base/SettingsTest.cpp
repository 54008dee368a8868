#include "Settings.h"
#include "IniFile.h"
#include "Strings.h"
#include "Units.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

namespace {

using namespace Qt::StringLiterals;

// Points the settings at a file in a scratch folder (not created yet) and
// puts the process-wide state back afterwards.
class SettingsTest : public TScratchFileTest
{
protected:
    SettingsTest() : TScratchFileTest("config/ZYRELL.INI") {}
    void SetUp() override
    {
        TScratchFileTest::SetUp();
        qputenv("QUELMARK_SETTINGS", QFile::encodeName(path()));
    }
    void TearDown() override
    {
        qputenv("QUELMARK_SETTINGS", saved);
        SetLanguageState(1);
        SetUnitCode(10);
    }
    const QByteArray saved = qgetenv("QUELMARK_SETTINGS");
};

TEST_F(SettingsTest, PathComesFromTheEnvironmentElseTheConfigFolder)
{
    EXPECT_EQ(SettingsFilePath(), path());
    qputenv("QUELMARK_SETTINGS", "");
    QStandardPaths::setTestModeEnabled(true);
    EXPECT_EQ(SettingsFilePath(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/quelmark/ZYRELL.INI"_s);
    QStandardPaths::setTestModeEnabled(false);
}

// A missing file, an empty one and one full of nonsense all give the defaults.
TEST_F(SettingsTest, EveryValueHasItsDefault)
{
    for (const char *file : {static_cast<const char *>(nullptr), "",
                             "[MISC]\nROX=abc\nROV=yes\nSCALE_VALUE=\n[LANGUAGE]\nNUMBER=x\n"
                             "[DIR]\nno equals sign\n[FILES\nCDL1=/x.CDL\n",
                             "[MISC]\nSCALE_VALUE=37\nMoveCursorX=0\nMoveCursorY=-40\nGRID_COLOR=-1\n"
                             "SNAPLINE_COLOR=16777216\n"}) {
        SCOPED_TRACE(file ? file : "no file");
        if (file)
            put(file);
        SetLanguageState(3);
        SetUnitCode(160);
        TSettings s;
        s.FirstStart = false;
        s.ApplyImmediately = false; // on unless the file says off
        s.RollupProps.X = -1;
        s.RecentFiles.AddRecent(u"/stale.CDL"_s);
        ReadSettingsEarly(s);
        ReadSettingsMain(s);

        EXPECT_EQ(s, TSettings());
        EXPECT_EQ(std::tuple(s.FirstStart, Language(), UnitDivisor()), std::tuple(true, 1, 10));
        for (const TRollupPlace &r : {s.RollupProps, s.RollupColors, s.RollupCoords})
            EXPECT_EQ(r, (TRollupPlace{TRollupPlace::Unplaced, TRollupPlace::Unplaced, true, true}));
        EXPECT_EQ((std::tuple{ReadPageView(), ReadPrinterOffset(u"Printer"_s, -42, 17), ReadPrintTrimMode()}),
                  std::tuple(TPageViewPlacement(), QPoint(-42, 17), 0));
    }
}

TEST_F(SettingsTest, StoredLanguageOutsideOneToFourIsAFirstStartInGerman)
{
    const std::tuple<const char *, int, bool> rows[] = {
        {"1", 1, false}, {"2", 2, false}, {" 4 ", 4, false},   {"0", 1, true},     {"5", 1, true},
        {"99", 1, true}, {"-1", 1, true}, {"65538", 2, false}, {"65536", 1, true}, // only the low 16 bits count
    };
    for (const auto &[stored, language, firstStart] : rows) {
        put(QByteArray("[LANGUAGE]\nNUMBER=") + stored + '\n');
        SetLanguageState(4);
        TSettings s;
        ReadSettingsEarly(s);
        EXPECT_EQ(std::tuple(Language(), LanguageOffset(), s.FirstStart),
                  std::tuple(language, language * 2000 - 1000, firstStart))
            << stored;
    }
}

TEST_F(SettingsTest, WriteLanguageStoresOnlyValidNumbers)
{
    EXPECT_FALSE(WriteLanguage(5) || WriteLanguage(0));
    EXPECT_EQ(get(), QByteArray("<missing>"));
    ASSERT_TRUE(WriteLanguage(3)); // creates the folder
    EXPECT_EQ(get(), QByteArray("[LANGUAGE]\nNUMBER=3\n"));
    TSettings s;
    ReadSettingsEarly(s);
    EXPECT_EQ((std::tuple{Language(), s.FirstStart}), std::tuple(3, false));
}

TEST_F(SettingsTest, MainSettingsRoundTripAndKeepTheRest)
{
    put("; hand-written\n[LANGUAGE]\nNUMBER=2\n\n[Toolbar]\nDock=left\n");
    TSettings s;
    s.CdlDir = u"/home/ä/CDs"_s;
    s.ImageDir = u"/pics"_s;
    s.SelectionDir = u"/sel"_s;
    s.SerialNumberDir = u"/sno"_s;
    s.RollupProps = {1, 2, false, false};
    s.RollupColors = {3, 4, true};
    s.RollupCoords = {5, 6, false};
    s.SymbolleisteVisible = false;
    s.ToolleisteVisible = false;
    s.ApplyImmediately = false;
    s.GridInFront = false;
    s.GridColor = RGBColor(1, 2, 3);
    s.SnapLineColor = RGBColor(255, 0, 128);
    s.OpenWithPreview = false;
    s.ScaleValue = 160;
    s.ScaleString = u"inch"_s;
    s.MoveCursorX = 16;
    s.MoveCursorY = 32;
    s.BarcodeFont = u"Libre Barcode 39"_s;
    s.BarcodeStart = u"*"_s;
    s.BarcodeSpace = u"_"_s;
    ASSERT_TRUE(WriteSettingsMain(s));

    const QByteArray text = get();
    EXPECT_TRUE(text.startsWith("; hand-written\n[LANGUAGE]\nNUMBER=2\n\n[Toolbar]\nDock=left\n"
                                "\n[DIR]\nCDL=/home/ä/CDs\n"))
        << text.constData();
    for (const char *line : {"\nROX=1\n", "\nRCV=0\n", "\nROD=0\n", "\nRFD=1\n", "\nSLV=0\n", "\nTLV=0\n",
                             "\nDISPLAY_CHANGES_IMMEDIATELY=0\n", "\nGRID_COLOR=197121\n", "\nSCALE_VALUE=160\n",
                             "\nMoveCursorX=16\n", "\nMoveCursorY=32\n", "\nBC_SPACE=_\n"})
        EXPECT_TRUE(text.contains(line)) << line;

    TSettings r;
    ReadSettingsEarly(r);
    ReadSettingsMain(r);
    r.FirstStart = s.FirstStart;
    EXPECT_EQ(r, s);
    EXPECT_EQ(std::tuple(Language(), UnitCode(), r.UnitSelector()), std::tuple(2, 160, 2));
}

TEST_F(SettingsTest, ValuesAreNormalisedOnReading)
{
    put("[MISC]\nSCALE_VALUE=0\nBC_FONT=" + QByteArray(50, 'F')
        + "\n[DEBUG]\nPAL_MODE=7\nINTERNAL_DEBUG=3\n[PRINT]\nDEBUG=1\nCOVERFX=-12\nCOVERBY=8\n"
          "[DIR]\nCDL=.\nIMAGES=pics/../art\nSELECTIONS=\n");
    TSettings s;
    ReadSettingsEarly(s);
    ReadSettingsMain(s);
    // Folders are absolute, read and written; relative ones count from the start folder.
    EXPECT_EQ((std::tuple{s.CdlDir, s.ImageDir, s.SelectionDir}),
              std::tuple(QDir::currentPath(), QDir::current().filePath(u"art"_s), QDir::currentPath()));
    s.SerialNumberDir = u"."_s;
    ASSERT_TRUE(WriteSettingsMain(s));
    EXPECT_TRUE(get().contains("\nSERIAL_NUMBERS=" + QDir::currentPath().toUtf8() + '\n')) << get().constData();
    // A zero divisor would divide by zero.
    EXPECT_EQ(std::tuple(s.ScaleValue, UnitDivisor(), s.UnitSelector(), s.PalMode), std::tuple(10, 10, 1, 2));
    EXPECT_EQ(s.BarcodeFont, QString(40, QLatin1Char('F')));
    EXPECT_TRUE(s.InternalDebug && s.PrintDebug);
    EXPECT_EQ(std::tuple(s.CoverFrontX, s.CoverBackY, s.CoverFrontY), std::tuple(-12, 8, 0));
}

TEST(RecentFiles, AddRecentRules)
{
    TRecentFiles list;
    for (const char *p : {"A", "B", "C"})
        list.AddRecent(QLatin1String(p));
    list.AddRecent(QString());
    list.AddRecent(u"A"_s); // already there: stays in its place
    EXPECT_EQ(list.Entries(), (QStringList{u"C"_s, u"B"_s, u"A"_s}));

    for (const char *p : {"D", "E", "F"})
        list.AddRecent(QLatin1String(p));
    EXPECT_EQ(list.Entries(), (QStringList{u"F"_s, u"E"_s, u"D"_s, u"C"_s, u"B"_s}));
    list.AddRecent(u"a"_s); // names differ by case on this platform
    EXPECT_EQ((std::tuple{list.At(0), list.Count()}), std::tuple(u"a"_s, 5));

    TRecentFiles single(1);
    single.AddRecent(u"A"_s);
    single.AddRecent(u"B"_s);
    EXPECT_EQ(single.Entries(), QStringList{u"B"_s});
}

TEST_F(SettingsTest, RecentFilesReplaceTheirSectionAndComeBackInTheirOrder)
{
    put("[FILES]\nCDL1=/old.CDL\nCDL9=/junk\n; gone too\n\n[DIR]\nCDL=/docs\n");
    TRecentFiles list;
    for (const char *p : {"/home/u/A.CDL", "/home/u/B.CDL", "/home/u/C.CDL"})
        list.AddRecent(QLatin1String(p));
    ASSERT_TRUE(WriteRecentFiles(list));
    EXPECT_EQ(get(), QByteArray("[DIR]\nCDL=/docs\n\n[FILES]\nCDL1=/home/u/C.CDL\nCDL2=/home/u/B.CDL\n"
                                "CDL3=/home/u/A.CDL\nCDL4=\nCDL5=\n"));
    TRecentFiles back;
    ReadRecentFiles(back);
    EXPECT_EQ(back, list);

    // A second write leaves the file as it is.
    const QByteArray once = get();
    ASSERT_TRUE(WriteRecentFiles(list));
    EXPECT_EQ(get(), once);

    // CDL5 is read first, CDL1 last, each put in front; empty places and
    // duplicates are skipped, so an older duplicate keeps the place.
    put("[FILES]\nCDL1=/a.CDL\nCDL2=\nCDL3=/b.CDL\nCDL4=/a.CDL\nCDL5=/c.CDL\nCDL6=/ignored.CDL\n");
    ReadRecentFiles(back);
    EXPECT_EQ(back.Entries(), (QStringList{u"/b.CDL"_s, u"/a.CDL"_s, u"/c.CDL"_s}));
}

// A printer's name is a section name like any other, brackets and all.
TEST_F(SettingsTest, PrinterOffsetsLiveInTheirPrintersSectionAMaximizedViewKeepsItsPlacement)
{
    const QString printer = u"HP LaserJet [2] = Büro;x"_s;
    ASSERT_TRUE(WritePrinterOffset(printer, -35, 20) && WritePrinterOffset(u"HP LaserJet [2]"_s, 7, 8));
    EXPECT_EQ((std::tuple{ReadPrinterOffset(printer.toUpper(), 0, 0), ReadPrinterOffset(u"hp laserjet [2]"_s, 0, 0),
                          ReadPrinterOffset(u"Other"_s, -7, -8)}),
              std::tuple(QPoint(-35, 20), QPoint(7, 8), QPoint(-7, -8)));
    EXPECT_EQ(get(), QByteArray("[HP LaserJet [2] = Büro;x]\nX=-35\nY=20\n\n[HP LaserJet [2]]\nX=7\nY=8\n"));
    EXPECT_FALSE(WritePrinterOffset(QString(), 1, 1));
    ASSERT_TRUE(WritePageView({10, 20, 640, 480, false}) && WritePageView({0, 0, 1920, 1080, true}));
    EXPECT_EQ(ReadPageView(), (TPageViewPlacement{10, 20, 640, 480, true}));
    ASSERT_TRUE(WritePrintTrimMode(2));
    EXPECT_EQ(ReadPrintTrimMode(), 2);
}

// Where the file cannot be written (the folders are the settings file's
// business) every writer says so.
TEST_F(SettingsTest, AnUnwritableFileIsReported)
{
    qputenv("QUELMARK_SETTINGS", "/dev/null/x");
    TSettings s;
    TRecentFiles list;
    list.AddRecent(u"/a.CDL"_s);
    for (bool written :
         {WriteSettingsMain(s), WriteRecentFiles(list), WriteLanguage(2), WritePrinterOffset(u"P"_s, 1, 1)})
        EXPECT_FALSE(written);
    ReadSettingsEarly(s);
    EXPECT_TRUE(s.FirstStart);
}

TEST(KeepOnScreen, WindowEndsUpOnTheScreen)
{
    struct Row
    {
        QPoint in;
        QSize window;
        QPoint out;
    };
    for (const Row &r : {Row{{440, 60}, {200, 300}, {440, 60}}, Row{{-50, 60}, {200, 300}, {0, 60}},
                         Row{{440, -1}, {200, 300}, {440, 0}}, Row{{1800, 900}, {200, 300}, {1720, 780}},
                         // larger than the screen: the top-left corner stays reachable
                         Row{{100, 100}, {2000, 1200}, {0, 0}}, Row{{-100, 100}, {2000, 300}, {0, 100}}})
        EXPECT_EQ(KeepOnScreen(r.in, r.window, QSize(1920, 1080)), r.out) << r.in.x() << "," << r.in.y();
}

} // namespace
