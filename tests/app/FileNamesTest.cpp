#include "AppFixture.h"
#include "FileSizeLimit.h"

#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

bool IsFallbackFolder(const QString &dir)
{
    return dir == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) || dir == QDir::homePath();
}

} // namespace

TEST_F(AppTest, FailedSavesKeepTheDocumentItsNameTheFolderTheOldFileAndTheRecentList)
{
    TShownMainWindow m;
    const QString path = Path(u"kept.CDL"_s);
    WriteDocument(path);
    const QByteArray old = ReadAll(path);
    m.OpenFile(path);
    TChildWin *c = m.ActiveChild();
    ASSERT_NE(c, nullptr);
    c->Document().Label().SnapLines.Add(5, true);
    c->Document().Label().Modified = true;
    AppSettings().CdlDir = Path(QString());
    {
        // A full disk, as root meets it too.
        const TFileSizeLimit full(10);
        EXPECT_FALSE(c->Save());
    }
    // Nothing can be created in /proc or /sys, not even by root.
    DialogAnswers = {u"/proc/quelmark-test.CDL"_s};
    EXPECT_FALSE(c->SaveAs());
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ((std::tuple{Boxes[0].Text, Boxes[1].Text, ReadAll(path), c->FileName()}),
              std::tuple(GetText(856), GetText(856), old, path));
    EXPECT_EQ(c->Caption(), u"kept.CDL"_s);
    EXPECT_EQ((std::tuple{AppSettings().CdlDir, c->Document().Modified()}), std::tuple(Path(QString()), true));

    // Save goes to the old name without a dialog.
    const int dialogs = Proposed.size();
    EXPECT_EQ((std::tuple{c->Save(), Proposed.size()}), std::tuple(true, dialogs));
    TCDLDocument reread;
    reread.Load(path, nullptr);
    EXPECT_EQ(reread.Label().SnapLines.Count(), 2);

    // A read-only file asks for another name, where permissions bind.
    Boxes.clear();
    c->Document().Label().Modified = true;
    QFile::setPermissions(path, QFile::ReadOwner);
    if (!QFileInfo(path).isWritable()) {
        EXPECT_FALSE(c->Save());
        ASSERT_FALSE(Boxes.empty());
        EXPECT_EQ((std::tuple{Boxes[0].Text, Proposed.size()}), std::tuple(GetText(857), dialogs + 1));
    }

    // An untitled document stays untitled; closing it records nothing.
    TChildWin *n = m.New();
    n->Document().Label().Modified = true;
    DialogAnswers = {u"/sys/quelmark-test.CDL"_s};
    EXPECT_EQ((std::tuple{n->SaveAs(), n->FileName().isEmpty()}), std::tuple(false, true));
    EXPECT_EQ(n->Caption(), u"Neu1"_s);
    Answers = {mrNo};
    n->parentWidget()->close();
    Process();
    for (const QString &entry : AppSettings().RecentFiles.Entries())
        EXPECT_FALSE(entry.startsWith(QLatin1String("/sys"))) << entry.toStdString();
}

TEST_F(AppTest, FileDialogsNeverStartInKernelOrDeviceFolders)
{
    TShownMainWindow m;
    TChildWin *c = m.New();
    const QString link = Path(u"to-proc"_s);
    ASSERT_TRUE(QFile::link(u"/proc/self"_s, link));
    for (const QString &dir :
         {u"/proc"_s, u"/proc/self/fd"_s, u"/sys/kernel"_s, u"/dev"_s, u"/proc/gone/away"_s, link}) {
        Proposed.clear();
        AppSettings().CdlDir = dir;
        AppSettings().SelectionDir = dir;
        c->SaveAs();
        Trigger(m, "miOeffnen");
        Trigger(m, "miSelectedLoad");
        ASSERT_EQ(Proposed.size(), 3) << dir.toStdString();
        EXPECT_TRUE(IsFallbackFolder(QFileInfo(Proposed[0]).path())) << Proposed[0].toStdString();
        EXPECT_EQ(QFileInfo(Proposed[0]).fileName(), u"Neu1"_s);
        EXPECT_TRUE(IsFallbackFolder(Proposed[1])) << Proposed[1].toStdString();
        EXPECT_EQ(Proposed[2], Proposed[1]);
    }
    // An ordinary folder is left as it is.
    Proposed.clear();
    AppSettings().CdlDir = Path(QString());
    c->SaveAs();
    EXPECT_EQ(Proposed.value(0), QDir(Path(QString())).filePath(u"Neu1"_s));

    // Nor does a dialog read a file to tell its type (a FIFO or /proc/kmsg
    // never ends): two files without a suffix are of one type.
    SetFileDialogHook({});
    const QString pdf = Path(u"looks"_s), text = Path(u"plain"_s);
    ASSERT_TRUE(WriteAll(pdf, "%PDF-1.4\n") && WriteAll(text, "some words\n"));
    const QString dir = Path(QString());
    const std::function<QString()> dialogs[] = {
        [&] { return AskOpenFileName(&m, {}, dir); },
        [&] { return AskSaveFileName(&m, {}, Path(u"x.CDL"_s)); },
        [&] { return AskSelectionFileName(&m, false, {}, dir); },
        [&] { return AskPdfFileName(&m, {}, Path(u"x.pdf"_s)); },
        [&] { return AskTextFileName(&m, {}, dir, u"Text|*.txt"_s); },
    };
    for (const auto &ask : dialogs) {
        QString pdfType, textType;
        WhenModal<QFileDialog>([&](QFileDialog *d) {
            if (const QAbstractFileIconProvider *p = d->iconProvider();
                p && d->testOption(QFileDialog::DontUseNativeDialog)) {
                pdfType = p->type(QFileInfo(pdf));
                textType = p->type(QFileInfo(text));
            }
            d->reject();
        });
        EXPECT_TRUE(ask().isEmpty());
        EXPECT_EQ((std::tuple{pdfType.isEmpty(), pdfType}), std::tuple(false, textType));
    }
}

TEST_F(AppTest, RecentEntryWhoseFileIsGoneIsReportedAndDropped)
{
    WriteDocument(Path(u"here.CDL"_s));
    AppSettings().RecentFiles.AddRecent(Path(u"here.CDL"_s));
    AppSettings().RecentFiles.AddRecent(Path(u"gone.CDL"_s));
    TShownMainWindow m;
    auto *first = m.findChild<QAction *>(u"miRecent1"_s);
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->statusTip(), Path(u"gone.CDL"_s));
    first->trigger();
    Process();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ((std::tuple{Boxes[0].Text, m.Children().isEmpty()}), std::tuple(GetText(855), true));
    EXPECT_EQ(AppSettings().RecentFiles.Entries(), QStringList{Path(u"here.CDL"_s)});
    // The menu follows: the remaining entry is first, nothing after it.
    auto *now = m.findChild<QAction *>(u"miRecent1"_s);
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->statusTip(), Path(u"here.CDL"_s));
    EXPECT_EQ(m.findChild<QAction *>(u"miRecent2"_s), nullptr);
    now->trigger();
    EXPECT_EQ(Captions(m), QStringList{u"here.CDL"_s});
}

TEST(DialogFilterTest, TheTablesFilterBecomesTheDialogs)
{
    EXPECT_EQ(DialogFilter(u"Textdateien (*.txt)|*.txt|Alle (*.*)|*.*"_s), u"Textdateien (*.txt);;Alle (*.*)"_s);
    EXPECT_EQ(DialogFilter(u"Bilder|*.bmp;*.png|Rest"_s), u"Bilder (*.bmp *.png)"_s);
}
