#include "PictureDrop.h"

#include "Errors.h"
#include "FileDialogs.h"
#include "MessageBoxText.h"
#include "Page.h"
#include "PageEditor.h"
#include "Picture.h"
#include "Settings.h"
#include "Strings.h"

#include <QApplication>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <memory>

namespace {

bool PictureName(const QString &path)
{
    static const QStringList suffixes = {QStringLiteral("BMP"),  QStringLiteral("WMF"), QStringLiteral("TIF"),
                                         QStringLiteral("TIFF"), QStringLiteral("JPG"), QStringLiteral("JPEG"),
                                         QStringLiteral("ICO"),  QStringLiteral("PCX"), QStringLiteral("PNG"),
                                         QStringLiteral("GIF"),  QStringLiteral("TGA")};
    return suffixes.contains(QFileInfo(path).suffix().toUpper());
}

} // namespace

QStringList DroppedFiles(const QMimeData *m)
{
    QStringList r;
    if (m)
        for (const QUrl &u : m->urls())
            if (u.isLocalFile())
                r.append(u.toLocalFile());
    return r;
}

bool OffersPictureFiles(const QMimeData *m)
{
    const QStringList files = DroppedFiles(m);
    return std::any_of(files.begin(), files.end(), PictureName);
}

void InsertDroppedPictures(TCDLPage &page, const TPageEditor &editor, QPoint device, const QStringList &paths)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QPoint at = editor.ModelOf(device);
    std::vector<TCDLFrame *> added;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!PictureName(paths[i])) {
            MessageBoxText(GetText(566) + QStringLiteral(" :") + paths[i], mkInformation, mbOK);
            continue;
        }
        const int32_t step = int32_t(10 * i);
        auto f = std::make_unique<TCDLBild>(&page, at.x() + step, at.y() + step);
        TCDLFrame *raw = f.get();
        page.Undo.Record(raw, nullptr, TUndoKind::Creation);
        if (!f->OpenFile(paths[i])) {
            page.Undo.Withdraw();
            break;
        }
        try {
            page.AddFrame(std::move(f));
        } catch (const EFrameLimit &e) {
            page.Undo.Withdraw();
            MessageBoxText(e.message(), mkWarning, mbOK);
            break;
        }
        added.push_back(raw);
    }
    if (!added.empty()) {
        page.SelectOnly(added);
        page.Modified = true;
        page.AnnounceSelection();
        page.Repaint();
    }
    QApplication::restoreOverrideCursor();
}

QString AskPictureFileName(QWidget *parent)
{
    QStringList parts;
    for (int n = 573; n <= 579; ++n)
        parts.append(GetText(n));
    // Formats the table's filter does not name but are read as well.
    if (parts[0].contains(QLatin1Char('|')))
        parts[0] += QStringLiteral(";*.png;*.gif;*.tiff;*.jpeg;*.tga");
    parts.append(QStringLiteral("PNG (*.png)|*.png"));
    parts.append(QStringLiteral("GIF (*.gif)|*.gif"));
    TSettings &s = AppSettings();
    const QString path = AskTextFileName(parent, GetText(572), s.ImageDir, parts.join(QLatin1Char('|')));
    if (!path.isEmpty())
        s.ImageDir = QFileInfo(path).absolutePath();
    return path;
}
