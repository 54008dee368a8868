#include "AppFixture.h"
#include "FileSizeLimit.h"

#include "LanguageDialog.h"
#include "Rollup.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "Text.h"

#include <QDBusConnection>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QToolButton>
#include <QWindow>

using namespace Qt::StringLiterals;

TEST_F(AppTest, StartWithoutArgumentsOrStandardGivesNeu1ThenNeu2)
{
    // The first start's language dialog is answered with German, by its name
    // (which answers as its picture button does), after the start's
    // fallback second has passed.
    WhenModal<TFSprache>([](TFSprache *dlg) {
        EXPECT_GT(dlg->width(), dlg->fontMetrics().horizontalAdvance(LoadText(13)) + 100); // its caption shows whole
        WaitFor([] { return false; }, 1200);
        Click(dlg->findChild<QLabel *>(u"lblDeutsch"_s), {2, 2});
    });
    TMDIForm *m = StartProgram(ParseCommandLine({u"--no-splash"_s}));
    WaitFor([&] { return !m->Children().isEmpty(); });
    EXPECT_EQ(
        (std::tuple{Language(), TIniFile(SettingsFilePath()).ReadInteger(u"LANGUAGE"_s, u"NUMBER"_s, 0), Captions(*m)}),
        std::tuple(1, 1, QStringList{u"Neu1"_s}));
    m->findChild<QToolButton *>(u"sbNeu"_s)->click();
    EXPECT_EQ(Captions(*m), (QStringList{u"Neu1"_s, u"Neu2"_s}));
}

TEST_F(AppTest, StartOpensStandardCdlOrTheNamedFileInsteadOrSaysItIsMissing)
{
    TIniFile(SettingsFilePath()).WriteInteger(u"LANGUAGE"_s, u"NUMBER"_s, 1);
    WriteDocument(Path(u"STANDARD.CDL"_s));
    WriteDocument(Path(u"named.CDL"_s));
    TMDIForm *m = StartProgram(ParseCommandLine({u"--no-splash"_s}));
    WaitFor([&] { return !m->Children().isEmpty(); });
    ASSERT_EQ(Captions(*m), QStringList{u"STANDARD.CDL"_s});
    EXPECT_EQ(m->Children()[0]->FileName(), Path(u"STANDARD.CDL"_s));
    EXPECT_EQ(m->Children()[0]->Document().Label().SnapLines.Count(), 1);
    delete m;

    m = StartProgram(ParseCommandLine({u"--no-splash"_s, Path(u"named.CDL"_s)}));
    WaitFor([&] { return !m->Children().isEmpty(); });
    EXPECT_EQ((std::tuple{Captions(*m), Boxes.empty()}), std::tuple(QStringList{u"named.CDL"_s}, true));
    delete m;

    m = StartProgram(ParseCommandLine({u"--no-splash"_s, Path(u"gone.CDL"_s)}));
    WaitFor([&] { return !Boxes.empty(); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ((std::tuple{Boxes[0].Text, Boxes[0].Kind, m->Children().isEmpty()}),
              std::tuple(GetText(855), mkWarning, true));
}

// A later start's documents open in the running program (a missing one with the first start's message).
TEST_F(AppTest, ALaterStartHandsItsDocumentsToTheRunningProgram)
{
    QProcess daemon;
    daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
    if (!daemon.waitForReadyRead(5000))
        GTEST_SKIP() << "no dbus-daemon";
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    const QString names[] = {u"running"_s, u"second"_s, u"later"_s};
    TMDIForm m;
    EXPECT_FALSE(PassToRunningProgram(QDBusConnection::connectToBus(address, names[2]), {u"named.CDL"_s}));
    ASSERT_TRUE(ServeLaterStarts(QDBusConnection::connectToBus(address, names[0]), &m));
    EXPECT_FALSE(ServeLaterStarts(QDBusConnection::connectToBus(address, names[1]), &m));
    WriteDocument(Path(u"named.CDL"_s));
    EXPECT_TRUE(PassToRunningProgram(QDBusConnection(names[2]), {u"named.CDL"_s, u"gone.CDL"_s}));
    WaitFor([&] { return !Boxes.empty(); });
    EXPECT_EQ(Captions(m), QStringList{u"named.CDL"_s});
    EXPECT_TRUE(Boxes.size() == 1 && Boxes[0].Text == GetText(855));
    for (const QString &n : names)
        QDBusConnection::disconnectFromBus(n);
}

TEST_F(AppTest, ClosingDocumentsBuildsRecentListAndMenu)
{
    TShownMainWindow m;
    for (const char *n : {"A.CDL", "B.CDL", "C&D.CDL"})
        WriteDocument(Path(QLatin1String(n)));
    for (const char *n : {"A.CDL", "B.CDL", "C&D.CDL", "A.CDL"}) {
        m.OpenFile(Path(QLatin1String(n)));
        Process();
        Trigger(m, "miSchliessen");
    }
    const QStringList expected{Path(u"C&D.CDL"_s), Path(u"B.CDL"_s), Path(u"A.CDL"_s)};
    EXPECT_EQ(AppSettings().RecentFiles.Entries(), expected);
    auto *first = m.findChild<QAction *>(u"miRecent1"_s);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ((std::tuple{first->text(), first->statusTip(), m.findChild<QAction *>(u"NMRU"_s)->isVisible()}),
              std::tuple(u"&1 C&&D.CDL"_s, expected[0], true));
    // An untitled document adds nothing; a recent item opens its file.
    m.New();
    Trigger(m, "miSchliessen");
    EXPECT_EQ(AppSettings().RecentFiles.Count(), 3);
    m.findChild<QAction *>(u"miRecent1"_s)->trigger();
    EXPECT_EQ(Captions(m), QStringList{u"C&D.CDL"_s});
    emit m.findChild<QMenu *>(u"miFenster"_s)->aboutToShow();
    EXPECT_EQ(m.findChild<QMenu *>(u"miFenster"_s)->actions().last()->text(), u"&1 C&&D.CDL"_s);
}

TEST_F(AppTest, OpeningReportsForeignOtherVersionDamagedAndDuplicateFiles)
{
    TShownMainWindow m;
    WriteDocument(Path(u"good.CDL"_s));
    QByteArray bytes = ReadAll(Path(u"good.CDL"_s));
    ASSERT_TRUE(WriteAll(Path(u"foreign.CDL"_s), QByteArrayLiteral("PK\x03\x04 not a label at all"))
                && WriteAll(Path(u"damaged.CDL"_s), bytes.left(bytes.size() / 2)));
    bytes[16] = char(0x01);
    ASSERT_TRUE(WriteAll(Path(u"older.CDL"_s), bytes) && WriteAll(Path(u"both.CDL"_s), bytes.left(bytes.size() / 2)));

    DialogAnswers = {Path(u"foreign.CDL"_s), Path(u"damaged.CDL"_s), Path(u"older.CDL"_s),
                     Path(u"good.CDL"_s),    Path(u"good.CDL"_s),    Path(u"both.CDL"_s)};
    for (int i = 0; i < 6; ++i)
        Trigger(m, "miOeffnen");
    ASSERT_EQ(Boxes.size(), 6u);
    const QString older = GetText(853) + GetText(854);
    EXPECT_EQ((std::tuple{Boxes[0].Text, Boxes[1].Text, Boxes[2].Text, Boxes[3].Text, Boxes[4].Text, Boxes[5].Text}),
              std::tuple(GetText(852), GetText(855), older, GetText(953), older, GetText(855)));
    for (const TShownBox &b : Boxes) {
        EXPECT_EQ((std::tuple{b.Kind, b.Buttons}), std::tuple(mkWarning, mbOK));
    }
    // Foreign and damaged files leave no window; the older one stays open untitled.
    EXPECT_EQ(Captions(m), (QStringList{u"older.CDL"_s, u"good.CDL"_s}));
    EXPECT_EQ((std::tuple{m.Children()[0]->FileName().isEmpty(), m.ActiveChild()}), std::tuple(true, m.Children()[1]));
}

TEST_F(AppTest, ClosePromptYesNoCancel)
{
    TShownMainWindow m;
    TChildWin *c = m.New();
    c->Document().Label().Modified = true;
    const QString question = GetText(850) + u" Neu1 "_s + GetText(851);

    Answers = {mrCancel};
    Trigger(m, "miSchliessen");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ((std::tuple{Boxes[0].Text, Boxes[0].Buttons, m.Children().size()}),
              std::tuple(question, mbYes | mbNo | mbCancel, 1));

    // Yes with a cancelled save dialog keeps the window and its work.
    Answers = {mrYes};
    Trigger(m, "miSchliessen");
    EXPECT_EQ(m.Children().size(), 1);
    EXPECT_EQ(Proposed.value(0), QDir(AppSettings().CdlDir).filePath(u"Neu1"_s));

    // Yes with a name saves, then closes.
    Answers = {mrYes};
    DialogAnswers = {Path(u"saved"_s)};
    Trigger(m, "miSchliessen");
    EXPECT_EQ((std::tuple{m.Children().isEmpty(), QFile::exists(Path(u"saved.CDL"_s))}), std::tuple(true, true));

    m.New()->Document().Front().Modified = true;
    Answers = {mrNo};
    Trigger(m, "miSchliessen");
    EXPECT_TRUE(m.Children().isEmpty());
}

TEST_F(AppTest, SaveAsRefusesOpenNameAsksBeforeOverwritingAndCancelKeepsCaption)
{
    TShownMainWindow m;
    WriteDocument(Path(u"open.CDL"_s));
    WriteDocument(Path(u"other.CDL"_s));
    m.OpenFile(Path(u"open.CDL"_s));
    TChildWin *c = m.New();
    DialogAnswers = {Path(u"open.CDL"_s), Path(u"other.CDL"_s), QString()};
    Answers = {mrOK, mrNo};
    EXPECT_FALSE(c->SaveAs());
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Text, GetText(858));
    EXPECT_EQ(Boxes[1].Text, GetText(859) + QLatin1Char(' ') + Path(u"other.CDL"_s) + QLatin1Char(' ') + GetText(860));
    EXPECT_EQ((std::tuple{Proposed.size(), c->Caption(), c->FileName().isEmpty()}), std::tuple(3, u"Neu1"_s, true));

    DialogAnswers = {Path(u"other.CDL"_s)};
    Answers = {mrYes};
    EXPECT_EQ((std::tuple{c->SaveAs(), c->Caption()}), std::tuple(true, u"other.CDL"_s));
}

TEST_F(AppTest, CommandsWithoutDocumentAreDisabledAndUnbuiltOnesStayDisabled)
{
    TShownMainWindow m;
    const char *const onDocument[] = {"sbSpeichern", "sbZoomIn",      "miSpeichernUnter", "sbAnsichtCDLabel",
                                      "sbDrucken",   "sbDIR",         "sbBild",           "sbScan",
                                      "miGrafik",    "miVerzeichnis", "sbProperties"};
    for (const char *n : onDocument)
        EXPECT_FALSE(Enabled(m, n)) << n;
    // Calibrating needs a printer, not a document.
    EXPECT_TRUE(Enabled(m, "miDruckerkalibrieren"));
    m.New();
    for (const char *n : onDocument)
        EXPECT_TRUE(Enabled(m, n)) << n;
    for (const char *n : {"miRueckgaengig", "sbOLeft"}) {
        EXPECT_EQ((std::tuple{Enabled(m, n), m.Action(QLatin1String(n))->text().isEmpty()}), std::tuple(false, false))
            << n;
    }
}

TEST_F(AppTest, ClosingMainWindowWritesSettingsAndRecentFiles)
{
    auto *m = new TMDIForm;
    m->ApplySettings();
    WriteDocument(Path(u"kept.CDL"_s));
    m->OpenFile(Path(u"kept.CDL"_s));
    m->findChild<QToolBar *>(u"Anordnenleiste"_s)->hide();
    AppSettings().CdlDir = Path(QString());
    EXPECT_TRUE(m->close());
    delete m;
    const TIniFile ini(SettingsFilePath());
    EXPECT_EQ((std::tuple{ini.ReadString(u"FILES"_s, u"CDL1"_s, QString()),
                          ini.ReadBool(u"Anordnenleiste"_s, u"VISIBLE"_s, true),
                          ini.ReadInteger(u"Toolleiste"_s, u"AREA"_s, 0)}),
              std::tuple(Path(u"kept.CDL"_s), false, 1));
    TSettings s;
    ReadSettingsEarly(s);
    EXPECT_EQ(s.CdlDir, Path(QString()));

    // On a full disk the old file stays and the person is told.
    m = new TMDIForm;
    m->ApplySettings();
    m->findChild<QToolBar *>(u"Anordnenleiste"_s)->show();
    {
        const TFileSizeLimit full(10);
        EXPECT_TRUE(m->close());
    }
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, GetText(1100).arg(SettingsFilePath()));
    delete m;
    EXPECT_FALSE(TIniFile(SettingsFilePath()).ReadBool(u"Anordnenleiste"_s, u"VISIBLE"_s, true));
}

TEST_F(AppTest, RefusedCloseKeepsProgramRunningAndWritesNothing)
{
    TShownMainWindow m;
    m.New()->Document().Label().Modified = true;
    Answers = {mrCancel};
    EXPECT_EQ((std::tuple{m.close(), m.Children().size(), QFile::exists(SettingsFilePath())}),
              std::tuple(false, 1, false));
}

// Run in a headless Weston by scripts/test-weston.sh.
TEST_F(AppTest, UnderWaylandADocumentOpensWithTheRollupsShownAndANewTextTakesTyping)
{
    if (!QGuiApplication::platformName().startsWith(u"wayland"_s))
        GTEST_SKIP() << "needs a Wayland compositor";
    TIniFile(SettingsFilePath()).WriteInteger(u"LANGUAGE"_s, u"NUMBER"_s, 1);
    WriteDocument(Path(u"named.CDL"_s));
    TMDIForm *m = StartProgram(ParseCommandLine({u"--no-splash"_s, Path(u"named.CDL"_s)}));
    auto exposed = [](const QWidget *w) { return w->windowHandle() && w->windowHandle()->isExposed(); };
    auto shown = [&] { return exposed(m->ObjectRollup()) && exposed(m->ColorRollup()) && exposed(m->CoordsRollup()); };
    WaitFor([&] { return !m->Children().isEmpty() && shown(); });
    ASSERT_EQ(Captions(*m), QStringList{u"named.CDL"_s});
    EXPECT_TRUE(shown());
    Trigger(*m, "sbText");
    TPageWidget *page = m->Children()[0]->PageControl();
    Click(page, page->rect().center());
    // The keys go where the person clicked (headless Weston has no keyboard).
    for (const QChar c : u"Hi"_s) {
        QKeyEvent key(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(m->windowHandle(), &key);
    }
    ASSERT_EQ(page->page()->FrameCount(), 1);
    EXPECT_EQ(KindCast<TCDLText>(page->page()->FrameAt(0))->PlainText(), u"Hi"_s);
}
