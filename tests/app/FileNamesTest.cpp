// What a document's name and the remembered folders become when saving
// fails, and where the file dialogs start.

#include "AppFixture.h"
#include "FileSizeLimit.h"

#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QStandardPaths>

namespace {

bool IsFallbackFolder(const QString &dir)
{
    return dir == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) || dir == QDir::homePath();
}

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(AppTest, FailedSavesKeepTheDocumentItsNameTheFolderTheOldFileAndTheRecentList)
{
    TMDIForm m;
    m.show();
    const QString path = Path(QStringLiteral("kept.CDL"));
    WriteDocument(path);
    const QByteArray old = Bytes(path);
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
    DialogAnswers = {QStringLiteral("/proc/quelmark-test.CDL")};
    EXPECT_FALSE(c->SaveAs());
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Text, GetText(856));
    EXPECT_EQ(Boxes[1].Text, GetText(856));
    EXPECT_EQ(Bytes(path), old);
    EXPECT_EQ(c->FileName(), path);
    EXPECT_EQ(c->Caption(), QStringLiteral("kept.CDL"));
    EXPECT_EQ(AppSettings().CdlDir, Path(QString()));
    EXPECT_TRUE(c->Document().Modified());

    // Save goes to the old name without a dialog.
    const int dialogs = Proposed.size();
    EXPECT_TRUE(c->Save());
    EXPECT_EQ(Proposed.size(), dialogs);
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
        EXPECT_EQ(Boxes[0].Text, GetText(857));
        EXPECT_EQ(Proposed.size(), dialogs + 1);
    }

    // An untitled document stays untitled; closing it records nothing.
    TChildWin *n = m.New();
    n->Document().Label().Modified = true;
    DialogAnswers = {QStringLiteral("/sys/quelmark-test.CDL")};
    EXPECT_FALSE(n->SaveAs());
    EXPECT_TRUE(n->FileName().isEmpty());
    EXPECT_EQ(n->Caption(), QStringLiteral("Neu1"));
    Answers = {mrNo};
    n->parentWidget()->close();
    Process();
    for (const QString &entry : AppSettings().RecentFiles.Entries())
        EXPECT_FALSE(entry.startsWith(QLatin1String("/sys"))) << entry.toStdString();
}

TEST_F(AppTest, FileDialogsNeverStartInKernelOrDeviceFolders)
{
    TMDIForm m;
    m.show();
    TChildWin *c = m.New();
    const QString link = Path(QStringLiteral("to-proc"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self"), link));
    for (const QString &dir : {QStringLiteral("/proc"), QStringLiteral("/proc/self/fd"), QStringLiteral("/sys/kernel"),
                               QStringLiteral("/dev"), QStringLiteral("/proc/gone/away"), link}) {
        Proposed.clear();
        AppSettings().CdlDir = dir;
        AppSettings().SelectionDir = dir;
        c->SaveAs();
        Trigger(m, "miOeffnen");
        Trigger(m, "miSelectedLoad");
        ASSERT_EQ(Proposed.size(), 3) << dir.toStdString();
        EXPECT_TRUE(IsFallbackFolder(QFileInfo(Proposed[0]).path())) << Proposed[0].toStdString();
        EXPECT_EQ(QFileInfo(Proposed[0]).fileName(), QStringLiteral("Neu1"));
        EXPECT_TRUE(IsFallbackFolder(Proposed[1])) << Proposed[1].toStdString();
        EXPECT_EQ(Proposed[2], Proposed[1]);
    }
    // An ordinary folder is left as it is.
    Proposed.clear();
    AppSettings().CdlDir = Path(QString());
    c->SaveAs();
    EXPECT_EQ(Proposed.value(0), QDir(Path(QString())).filePath(QStringLiteral("Neu1")));

    // Nor does a dialog read a file to tell its type (a FIFO or /proc/kmsg
    // never ends): two files without a suffix are of one type.
    SetFileDialogHook({});
    const QString pdf = Path(QStringLiteral("looks")), text = Path(QStringLiteral("plain"));
    for (const auto &[path, bytes] : {std::pair{pdf, "%PDF-1.4\n"}, std::pair{text, "some words\n"}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QString dir = Path(QString());
    const std::function<QString()> dialogs[] = {
        [&] { return AskOpenFileName(&m, {}, dir); },
        [&] { return AskSaveFileName(&m, {}, Path(QStringLiteral("x.CDL"))); },
        [&] { return AskSelectionFileName(&m, false, {}, dir); },
        [&] { return AskPdfFileName(&m, {}, Path(QStringLiteral("x.pdf"))); },
        [&] { return AskTextFileName(&m, {}, dir, QStringLiteral("Text|*.txt")); },
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
        EXPECT_FALSE(pdfType.isEmpty());
        EXPECT_EQ(pdfType, textType);
    }
}

TEST_F(AppTest, RecentEntryWhoseFileIsGoneIsReportedAndDropped)
{
    WriteDocument(Path(QStringLiteral("here.CDL")));
    AppSettings().RecentFiles.AddRecent(Path(QStringLiteral("here.CDL")));
    AppSettings().RecentFiles.AddRecent(Path(QStringLiteral("gone.CDL")));
    TMDIForm m;
    m.show();
    auto *first = m.findChild<QAction *>(QStringLiteral("miRecent1"));
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->statusTip(), Path(QStringLiteral("gone.CDL")));
    first->trigger();
    Process();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, GetText(855));
    EXPECT_TRUE(m.Children().isEmpty());
    EXPECT_EQ(AppSettings().RecentFiles.Entries(), QStringList{Path(QStringLiteral("here.CDL"))});
    // The menu follows: the remaining entry is first, nothing after it.
    auto *now = m.findChild<QAction *>(QStringLiteral("miRecent1"));
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->statusTip(), Path(QStringLiteral("here.CDL")));
    EXPECT_EQ(m.findChild<QAction *>(QStringLiteral("miRecent2")), nullptr);
    now->trigger();
    EXPECT_EQ(Captions(m), QStringList{QStringLiteral("here.CDL")});
}

TEST(DialogFilterTest, TheTablesFilterBecomesTheDialogs)
{
    EXPECT_EQ(DialogFilter(QStringLiteral("Textdateien (*.txt)|*.txt|Alle (*.*)|*.*")),
              QStringLiteral("Textdateien (*.txt);;Alle (*.*)"));
    EXPECT_EQ(DialogFilter(QStringLiteral("Bilder|*.bmp;*.png|Rest")), QStringLiteral("Bilder (*.bmp *.png)"));
}
