#include "AppFixture.h"

#include "Clipboard.h"
#include "ClipboardCommands.h"
#include "PageWidget.h"
#include "Picture.h"
#include "PictureDrop.h"
#include "Text.h"

#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace {

const QString kFormat = u"ZORarur32 Objekt"_s;

} // namespace

TEST_F(AppTest, CopyPutsThePrivateFormatOnTheClipboardAndPasteTakesItIntoAnotherDocument)
{
    TShownMainWindow m;
    TCDLPage &from = *m.New()->ActivePage();
    AddRect(from, 10, 20);
    AddRect(from, -100, 0);
    from.SelectAll();
    Trigger(m, "sbKopieren");
    const QMimeData *md = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(md->hasFormat(kFormat));
    EXPECT_EQ(md->data(kFormat), WriteSelectionBlock(from));

    TCDLPage &to = *m.New()->ActivePage();
    EXPECT_TRUE(Enabled(m, "miEinfuegen"));
    Trigger(m, "miEinfuegen");
    ASSERT_EQ(to.FrameCount(), 2);
    EXPECT_EQ((std::tuple{QPoint(to.FrameAt(0)->X, to.FrameAt(0)->Y), QPoint(to.FrameAt(1)->X, to.FrameAt(1)->Y),
                          to.Selection().Count(), Boxes.empty()}),
              std::tuple(QPoint(60, 70), QPoint(-50, 50), 2, true));
}

TEST_F(AppTest, TextTravelsAsPlainTextBothWays)
{
    TShownMainWindow m;
    TCDLPage &page = *m.New()->ActivePage();
    QGuiApplication::clipboard()->setText(u"aus einem anderen Programm"_s);
    Process();
    Trigger(m, "miEinfuegen");
    ASSERT_NE(page.ActiveFrame(), nullptr);
    EXPECT_EQ(page.ActiveFrame()->TypeTag(), TagText);
    auto &text = dynamic_cast<TCDLText &>(*page.ActiveFrame());
    EXPECT_EQ(text.Values, QStringList{u"aus einem anderen Programm"_s});

    text.Values = QStringList{u"eins"_s, u"zwei"_s};
    Trigger(m, "miKopieren");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"eins\nzwei"_s);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->data(kFormat).contains("eins\r\nzwei"));
}

// Another program's image pastes as a picture and a copied picture offers
// PNG; dropped files become pictures, a name that is none is reported.
TEST_F(AppTest, PicturesTravelAsImagesAndDroppedFiles)
{
    TShownMainWindow m;
    TChildWin *child = m.New();
    TCDLPage &page = *child->ActivePage();
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::green);
    QGuiApplication::clipboard()->setImage(img);
    Process();
    Trigger(m, "miEinfuegen");
    const auto *pic = KindCast<TCDLBild>(page.ActiveFrame());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(QSize(pic->Width, pic->Height), QSize(64, 48));
    Trigger(m, "miKopieren");
    EXPECT_TRUE(QImage::fromData(QGuiApplication::clipboard()->mimeData()->data(u"image/png"_s)) == pic->Picture());

    ASSERT_TRUE(img.save(Path(u"a.png"_s)));
    const TPageWidget *w = child->PageControl();
    InsertDroppedPictures(page, *w->editor(), {0, 0}, {Path(u"notes.txt"_s), Path(u"a.png"_s)});
    ASSERT_EQ(page.FrameCount(), 2);
    EXPECT_EQ(QPoint(page.FrameAt(1)->X, page.FrameAt(1)->Y), w->editor()->ModelOf({0, 0}) + QPoint(10, 10));
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_TRUE(Boxes[0].Text.endsWith(u" :"_s + Path(u"notes.txt"_s)));
}

// A paste the frame limit refuses has let go of the selection: the status
// line no longer counts it.
TEST_F(AppTest, ARefusedPasteLeavesTheStatusLineToTheRealSelection)
{
    TShownMainWindow m;
    TCDLPage &page = *m.New()->ActivePage();
    AddRect(page, 0, 0);
    AddRect(page, 10, 10);
    page.SelectAll();
    Trigger(m, "miKopieren");
    while (page.FrameCount() < MaxFramesPerPage)
        AddRect(page, 0, 0);
    page.SelectAll();
    auto *status = m.findChild<QLabel *>(u"Statuszeile"_s);
    ASSERT_FALSE(status->text().isEmpty());
    Trigger(m, "miEinfuegen");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ((std::tuple{Boxes[0].Text, page.Selection().IsEmpty(), status->text()}),
              std::tuple(GetText(568), true, QString()));
}

TEST_F(AppTest, EnableStatesFollowSelectionAndClipboard)
{
    TShownMainWindow m;
    for (const char *n : {"miSelectedLoad", "miEinfuegen", "miKopieren"})
        EXPECT_FALSE(Enabled(m, n)) << n;
    TCDLPage &page = *m.New()->ActivePage();
    EXPECT_TRUE(Enabled(m, "miSelectedLoad"));
    for (const char *n :
         {"miAusschneiden", "sbAusschneiden", "miKopieren", "sbKopieren", "miLoeschen", "miSelectedSave"})
        EXPECT_FALSE(Enabled(m, n)) << n;
    AddRect(page, 0, 0);
    page.SelectAll();
    for (const char *n :
         {"miAusschneiden", "sbAusschneiden", "miKopieren", "sbKopieren", "miLoeschen", "miSelectedSave"})
        EXPECT_TRUE(Enabled(m, n)) << n;

    QGuiApplication::clipboard()->clear();
    Process();
    EXPECT_FALSE(Enabled(m, "sbEinfuegen"));
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    Process();
    EXPECT_TRUE(Enabled(m, "sbEinfuegen"));
    QGuiApplication::clipboard()->setText(u"x"_s);
    Process();
    EXPECT_TRUE(Enabled(m, "sbEinfuegen"));

    Trigger(m, "miAusschneiden");
    EXPECT_EQ((std::tuple{page.FrameCount(), Enabled(m, "miKopieren"),
                          QGuiApplication::clipboard()->mimeData()->hasFormat(kFormat)}),
              std::tuple(0, false, true));
}

TEST_F(AppTest, SelectionFilesGoThroughTheirDialogsWithSuffixFolderAndOverwriteQuestion)
{
    const QString dir = Path(u"sel"_s);
    ASSERT_TRUE(QDir().mkpath(dir));
    AppSettings().SelectionDir = dir;
    QStringList titles, folders;
    SetFileDialogHook([&](bool, const QString &title, const QString &folder) {
        titles.append(title);
        folders.append(folder);
        if (DialogAnswers.empty())
            return QString();
        const QString a = DialogAnswers.front();
        DialogAnswers.pop_front();
        return a;
    });
    TShownMainWindow m;
    TCDLPage &page = *m.New()->ActivePage();
    AddRect(page, 0, 0);
    page.SelectAll();

    const QString other = Path(u"other"_s);
    ASSERT_TRUE(QDir().mkpath(other));
    DialogAnswers = {other + u"/eins"_s};
    Trigger(m, "miSelectedSave");
    const QString file = other + u"/eins.CDS"_s;
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(AppSettings().SelectionDir, other);

    // An existing file: No offers the dialog again, cancelling it writes nothing.
    QFile::resize(file, 3);
    DialogAnswers = {file};
    Answers = {mrNo};
    Trigger(m, "miSelectedSave");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, GetText(859) + QLatin1Char(' ') + file + QLatin1Char(' ') + GetText(860));
    EXPECT_EQ(QFileInfo(file).size(), 3);

    DialogAnswers = {file};
    Trigger(m, "miSelectedLoad");
    EXPECT_EQ(Boxes.back().Text, GetText(552));
    DialogAnswers = {file};
    Answers = {mrYes};
    Trigger(m, "miSelectedSave");
    DialogAnswers = {file};
    Trigger(m, "miSelectedLoad");
    EXPECT_EQ(page.FrameCount(), 2);
    EXPECT_EQ(titles,
              (QStringList{GetText(585), GetText(585), GetText(585), GetText(584), GetText(585), GetText(584)}));
    EXPECT_EQ((std::tuple{folders.first(), folders.last()}), std::tuple(dir, other));
}
