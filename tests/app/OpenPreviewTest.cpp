// The open dialog with previews, by object name.

#include "OpenPreview.h"
#include "AppFixture.h"
#include "FileListModel.h"

#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

QColor PanelColor(const TOpenPreview &d, const char *name)
{
    return d.findChild<QWidget *>(QLatin1String(name))->palette().color(QPalette::Window);
}

// Selects name in the dialog's file list once the list shows count files.
void Select(TOpenPreview &d, const QString &path, int count)
{
    auto *files = d.findChild<QListView *>(QStringLiteral("flbOpenPreview"));
    auto *model = static_cast<TFileListModel *>(files->model());
    ASSERT_TRUE(WaitFor([&] { return model->rowCount(files->rootIndex()) == count; }));
    files->setCurrentIndex(model->IndexOf(path));
}

} // namespace

using OpenPreviewTest = OneDocumentTest;

TEST_F(OpenPreviewTest, LoadsOnlyWhereTheSelectionRestsAndNothingOfWhatIsNoDocument)
{
    for (int i = 0; i < 10; ++i) {
        TCDLDocument d;
        d.Label().PaperColorIndex = i == 9 ? 4 : -1;
        d.Front().BackColor = RGBColor(0, 0, 25 * i);
        d.Save(Path(QStringLiteral("doc%1.CDL").arg(i)));
    }
    QFile cut(Path(QStringLiteral("cut.CDL"))), huge(Path(QStringLiteral("huge.CDL")));
    QFile(Path(QStringLiteral("doc9.CDL"))).copy(cut.fileName());
    ASSERT_TRUE(cut.resize(40) && huge.open(QIODevice::WriteOnly) && huge.resize(MaxFileSize + 1));
    WriteDocument(Path(QStringLiteral("old.CDL")));
    QFile(Path(QStringLiteral("doc9.CDL"))).copy(Path(QStringLiteral("wrong.cdl")));
    for (auto [name, offset, byte] : {std::tuple("old.CDL", 16, 0x0F), std::tuple("wrong.cdl", 3, int('X'))}) {
        QFile f(Path(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(offset) && f.putChar(char(byte)));
    }

    // A folder is no document, even by its name.
    ASSERT_TRUE(QDir().mkdir(Path(QStringLiteral("folder.CDL"))));

    TOpenPreview dlg(nullptr, Path(QString()));
    dlg.show();
    // Folders made and removed beside the one shown, while it is read, leave the file list where it is.
    for (int i = 0; i < 20; ++i) {
        QTemporaryDir sibling(QDir::cleanPath(Path(QStringLiteral("../sibling-XXXXXX"))));
        WaitFor([] { return false; }, 20);
    }
    QStringList requested;
    QObject::connect(&dlg, &TOpenPreview::previewRequested, [&](const QString &p) { requested.append(p); });
    // Timed from the last change itself: a loaded machine may spend long in the waits between.
    QElapsedTimer rested;
    for (int i = 0; i < 10; ++i) {
        ASSERT_NO_FATAL_FAILURE(Select(dlg, Path(QStringLiteral("doc%1.CDL").arg(i)), 14));
        rested.start();
        WaitFor([] { return false; }, 50);
    }
    ASSERT_TRUE(WaitFor([&] { return PanelColor(dlg, "pnlCDLabel") == QColor(183, 236, 183); }));
    EXPECT_GE(rested.elapsed(), TOpenPreview::PreviewDelayMs - 100);
    EXPECT_EQ(requested, QStringList{Path(QStringLiteral("doc9.CDL"))});
    EXPECT_EQ(PanelColor(dlg, "pnlInlayFront"), QColor(0, 0, 225));

    for (const char *name : {"wrong.cdl", "cut.CDL", "huge.CDL", "old.CDL"}) {
        const qsizetype before = requested.size();
        Select(dlg, Path(QLatin1String(name)), 14);
        ASSERT_TRUE(WaitFor([&] { return requested.size() > before && !dlg.Loading(); })) << name;
        Process();
        for (const char *panel : {"pnlCDLabel", "pnlInlayFront", "pnlInlayRueck"})
            EXPECT_EQ(PanelColor(dlg, panel), QColor(Qt::white)) << name << panel;
    }
    EXPECT_TRUE(Boxes.empty());

    // A place that is gone gives way to the next one.
    auto *places = dlg.findChild<QComboBox *>(QStringLiteral("dcbOpenPreview"));
    places->insertItem(0, QString(), Path(QStringLiteral("gone")));
    places->setCurrentIndex(0);
    EXPECT_EQ(places->currentIndex(), 1);
}

TEST_F(OpenPreviewTest, OpenTakesTheFileChosenWithThePreviews)
{
    WriteDocument(Path(QStringLiteral("a.CDL")));
    AppSettings().CdlDir = Path(QString());
    SetFileDialogHook({});
    WhenModal<TOpenPreview>([&](TOpenPreview *d) {
        Select(*d, Path(QStringLiteral("a.CDL")), 1);
        d->findChild<QPushButton *>(QStringLiteral("bOK"))->click();
    });
    Trigger(*main, "miOeffnen");
    EXPECT_EQ(Captions(*main).last(), QStringLiteral("a.CDL"));
}
