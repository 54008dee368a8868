#include "AppFixture.h"
#include "FileSizeLimit.h"

#include "LanguageDialog.h"
#include "Startup.h"

#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace {

void WriteBytes(const QString &path, const QByteArray &b)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

void WaitFor(const std::function<bool()> &done)
{
    for (int i = 0; i < 200 && !done(); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

} // namespace

TEST_F(AppTest, StartWithoutArgumentsOrStandardGivesNeu1ThenNeu2)
{
    // The first start's language dialog is answered with German, by its name
    // (which answers as its picture button does).
    WhenModal<TFSprache>([](TFSprache *dlg) { Click(dlg->findChild<QLabel *>(QStringLiteral("lblDeutsch")), {2, 2}); });
    TMDIForm *m = StartProgram(ParseCommandLine({QStringLiteral("--no-splash")}));
    WaitFor([&] { return !m->Children().isEmpty(); });
    EXPECT_EQ(Language(), 1);
    EXPECT_EQ(TIniFile(SettingsFilePath()).ReadInteger(QStringLiteral("LANGUAGE"), QStringLiteral("NUMBER"), 0), 1);
    EXPECT_EQ(Captions(*m), QStringList{QStringLiteral("Neu1")});
    m->findChild<QToolButton *>(QStringLiteral("sbNeu"))->click();
    EXPECT_EQ(Captions(*m), (QStringList{QStringLiteral("Neu1"), QStringLiteral("Neu2")}));
}

TEST_F(AppTest, StartOpensStandardCdlOrTheNamedFileInsteadOrSaysItIsMissing)
{
    TIniFile(SettingsFilePath()).WriteInteger(QStringLiteral("LANGUAGE"), QStringLiteral("NUMBER"), 1);
    WriteDocument(Path(QStringLiteral("STANDARD.CDL")));
    WriteDocument(Path(QStringLiteral("named.CDL")));
    TMDIForm *m = StartProgram(ParseCommandLine({QStringLiteral("--no-splash")}));
    WaitFor([&] { return !m->Children().isEmpty(); });
    ASSERT_EQ(Captions(*m), QStringList{QStringLiteral("STANDARD.CDL")});
    EXPECT_EQ(m->Children()[0]->FileName(), Path(QStringLiteral("STANDARD.CDL")));
    EXPECT_EQ(m->Children()[0]->Document().Label().SnapLines.Count(), 1);
    delete m;

    m = StartProgram(ParseCommandLine({QStringLiteral("--no-splash"), Path(QStringLiteral("named.CDL"))}));
    WaitFor([&] { return !m->Children().isEmpty(); });
    EXPECT_EQ(Captions(*m), QStringList{QStringLiteral("named.CDL")});
    EXPECT_TRUE(Boxes.empty());
    delete m;

    m = StartProgram(ParseCommandLine({QStringLiteral("--no-splash"), Path(QStringLiteral("gone.CDL"))}));
    WaitFor([&] { return !Boxes.empty(); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, GetText(855));
    EXPECT_EQ(Boxes[0].Kind, mkWarning);
    EXPECT_TRUE(m->Children().isEmpty());
}

TEST_F(AppTest, ClosingDocumentsBuildsRecentListAndMenu)
{
    TMDIForm m;
    m.show();
    for (const char *n : {"A.CDL", "B.CDL", "C.CDL"})
        WriteDocument(Path(QLatin1String(n)));
    for (const char *n : {"A.CDL", "B.CDL", "C.CDL", "A.CDL"}) {
        m.OpenFile(Path(QLatin1String(n)));
        Process();
        Trigger(m, "miSchliessen");
    }
    const QStringList expected{Path(QStringLiteral("C.CDL")), Path(QStringLiteral("B.CDL")),
                               Path(QStringLiteral("A.CDL"))};
    EXPECT_EQ(AppSettings().RecentFiles.Entries(), expected);
    auto *first = m.findChild<QAction *>(QStringLiteral("miRecent1"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), QStringLiteral("&1 C.CDL"));
    EXPECT_EQ(first->statusTip(), expected[0]);
    EXPECT_TRUE(m.findChild<QAction *>(QStringLiteral("NMRU"))->isVisible());
    // An untitled document adds nothing; a recent item opens its file.
    m.New();
    Trigger(m, "miSchliessen");
    EXPECT_EQ(AppSettings().RecentFiles.Count(), 3);
    m.findChild<QAction *>(QStringLiteral("miRecent1"))->trigger();
    EXPECT_EQ(Captions(m), QStringList{QStringLiteral("C.CDL")});
}

TEST_F(AppTest, OpeningReportsForeignOtherVersionDamagedAndDuplicateFiles)
{
    TMDIForm m;
    m.show();
    WriteDocument(Path(QStringLiteral("good.CDL")));
    WriteBytes(Path(QStringLiteral("foreign.CDL")), QByteArrayLiteral("PK\x03\x04 not a label at all"));
    QFile good(Path(QStringLiteral("good.CDL")));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.readAll();
    WriteBytes(Path(QStringLiteral("damaged.CDL")), bytes.left(bytes.size() / 2));
    bytes[16] = char(0x01);
    WriteBytes(Path(QStringLiteral("older.CDL")), bytes);

    DialogAnswers = {Path(QStringLiteral("foreign.CDL")), Path(QStringLiteral("damaged.CDL")),
                     Path(QStringLiteral("older.CDL")), Path(QStringLiteral("good.CDL")),
                     Path(QStringLiteral("good.CDL"))};
    for (int i = 0; i < 5; ++i)
        Trigger(m, "miOeffnen");
    ASSERT_EQ(Boxes.size(), 4u);
    EXPECT_EQ(Boxes[0].Text, GetText(852));
    EXPECT_EQ(Boxes[1].Text, GetText(855));
    EXPECT_EQ(Boxes[2].Text, GetText(853) + GetText(854));
    EXPECT_EQ(Boxes[3].Text, GetText(953));
    for (const TShownBox &b : Boxes) {
        EXPECT_EQ(b.Kind, mkWarning);
        EXPECT_EQ(b.Buttons, mbOK);
    }
    // Foreign and damaged files leave no window; the older one stays open untitled.
    EXPECT_EQ(Captions(m), (QStringList{QStringLiteral("older.CDL"), QStringLiteral("good.CDL")}));
    EXPECT_TRUE(m.Children()[0]->FileName().isEmpty());
    EXPECT_EQ(m.ActiveChild(), m.Children()[1]);
}

TEST_F(AppTest, ClosePromptYesNoCancel)
{
    TMDIForm m;
    m.show();
    TChildWin *c = m.New();
    c->Document().Label().Modified = true;
    const QString question = GetText(850) + QStringLiteral(" Neu1 ") + GetText(851);

    Answers = {mrCancel};
    Trigger(m, "miSchliessen");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, question);
    EXPECT_EQ(Boxes[0].Buttons, mbYes | mbNo | mbCancel);
    EXPECT_EQ(m.Children().size(), 1);

    // Yes with a cancelled save dialog keeps the window and its work.
    Answers = {mrYes};
    Trigger(m, "miSchliessen");
    EXPECT_EQ(m.Children().size(), 1);
    EXPECT_EQ(Proposed.value(0), QDir(AppSettings().CdlDir).filePath(QStringLiteral("Neu1")));

    // Yes with a name saves, then closes.
    Answers = {mrYes};
    DialogAnswers = {Path(QStringLiteral("saved"))};
    Trigger(m, "miSchliessen");
    EXPECT_TRUE(m.Children().isEmpty());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("saved.CDL"))));

    m.New()->Document().Front().Modified = true;
    Answers = {mrNo};
    Trigger(m, "miSchliessen");
    EXPECT_TRUE(m.Children().isEmpty());
}

TEST_F(AppTest, SaveAsRefusesOpenNameAsksBeforeOverwritingAndCancelKeepsCaption)
{
    TMDIForm m;
    m.show();
    WriteDocument(Path(QStringLiteral("open.CDL")));
    WriteDocument(Path(QStringLiteral("other.CDL")));
    m.OpenFile(Path(QStringLiteral("open.CDL")));
    TChildWin *c = m.New();
    DialogAnswers = {Path(QStringLiteral("open.CDL")), Path(QStringLiteral("other.CDL")), QString()};
    Answers = {mrOK, mrNo};
    EXPECT_FALSE(c->SaveAs());
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Text, GetText(858));
    EXPECT_EQ(Boxes[1].Text,
              GetText(859) + QLatin1Char(' ') + Path(QStringLiteral("other.CDL")) + QLatin1Char(' ') + GetText(860));
    EXPECT_EQ(Proposed.size(), 3);
    EXPECT_EQ(c->Caption(), QStringLiteral("Neu1"));
    EXPECT_TRUE(c->FileName().isEmpty());

    DialogAnswers = {Path(QStringLiteral("other.CDL"))};
    Answers = {mrYes};
    EXPECT_TRUE(c->SaveAs());
    EXPECT_EQ(c->Caption(), QStringLiteral("other.CDL"));
}

TEST_F(AppTest, CommandsWithoutDocumentAreDisabledAndUnbuiltOnesStayDisabled)
{
    TMDIForm m;
    m.show();
    const char *const onDocument[] = {"sbSpeichern", "sbZoomIn", "miSpeichernUnter", "sbAnsichtCDLabel", "sbDrucken"};
    for (const char *n : onDocument)
        EXPECT_FALSE(Enabled(m, n)) << n;
    // Calibrating needs a printer, not a document.
    EXPECT_TRUE(Enabled(m, "miDruckerkalibrieren"));
    m.New();
    for (const char *n : onDocument)
        EXPECT_TRUE(Enabled(m, n)) << n;
    for (const char *n : {"sbBild", "sbScan", "sbDIR", "miGrafik", "miScan", "miVerzeichnis", "miRueckgaengig",
                          "sbOLeft", "miPRGSettings"}) {
        EXPECT_FALSE(Enabled(m, n)) << n;
        EXPECT_FALSE(m.Action(QLatin1String(n))->text().isEmpty()) << n;
    }
}

TEST_F(AppTest, ClosingMainWindowWritesSettingsAndRecentFiles)
{
    auto *m = new TMDIForm;
    m->ApplySettings();
    WriteDocument(Path(QStringLiteral("kept.CDL")));
    m->OpenFile(Path(QStringLiteral("kept.CDL")));
    m->findChild<QToolBar *>(QStringLiteral("Anordnenleiste"))->hide();
    AppSettings().CdlDir = Path(QString());
    EXPECT_TRUE(m->close());
    delete m;
    const TIniFile ini(SettingsFilePath());
    EXPECT_EQ(ini.ReadString(QStringLiteral("FILES"), QStringLiteral("CDL1"), QString()),
              Path(QStringLiteral("kept.CDL")));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("Anordnenleiste"), QStringLiteral("VISIBLE"), true));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Toolleiste"), QStringLiteral("AREA"), 0), 1);
    TSettings s;
    ReadSettingsEarly(s);
    EXPECT_EQ(s.CdlDir, Path(QString()));

    // On a full disk the old file stays and the person is told.
    m = new TMDIForm;
    m->ApplySettings();
    m->findChild<QToolBar *>(QStringLiteral("Anordnenleiste"))->show();
    {
        const TFileSizeLimit full(10);
        EXPECT_TRUE(m->close());
    }
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, GetText(1100).arg(SettingsFilePath()));
    delete m;
    EXPECT_FALSE(
        TIniFile(SettingsFilePath()).ReadBool(QStringLiteral("Anordnenleiste"), QStringLiteral("VISIBLE"), true));
}

TEST_F(AppTest, RefusedCloseKeepsProgramRunningAndWritesNothing)
{
    TMDIForm m;
    m.show();
    m.New()->Document().Label().Modified = true;
    Answers = {mrCancel};
    EXPECT_FALSE(m.close());
    EXPECT_EQ(m.Children().size(), 1);
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));
}
