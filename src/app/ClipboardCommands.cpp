#include "ClipboardCommands.h"

#include "ActiveDocument.h"
#include "Clipboard.h"
#include "Errors.h"
#include "FileDialogs.h"
#include "FrameRegistry.h"
#include "Imaging.h"
#include "MessageBoxText.h"
#include "PageEditor.h"
#include "Settings.h"
#include "Strings.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QWidget>

namespace {

const QString &formatName()
{
    static const QString n = QLatin1String(PrivateClipFormat);
    return n;
}

class TWaitCursor
{
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;
};

void report(const ELocalizedError &e) { MessageBoxText(e.message(), mkWarning, mbOK); }

void sendDeleteKey(QWidget *to)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(to, &press);
    QApplication::sendEvent(to, &release);
}

} // namespace

QMimeData *ToMimeData(const TClipData &clip)
{
    auto *m = new QMimeData;
    // Other programs here take "\n" line ends; the private record keeps its own.
    if (clip.HasText)
        m->setText(QString(clip.Text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (clip.HasPrivate)
        m->setData(formatName(), clip.Private);
    // PNG by name for any program; the image itself for the platform's types.
    if (clip.HasImage) {
        m->setData(QStringLiteral("image/png"), Imaging::EncodePng(clip.Image));
        m->setImageData(clip.Image);
    }
    return m;
}

TClipData FromMimeData(const QMimeData *m)
{
    TClipData c;
    if (!m)
        return c;
    if (m->hasFormat(formatName())) {
        c.HasPrivate = true;
        c.Private = m->data(formatName());
    } else {
        // Both when offered: the kinds' order decides which one a paste takes.
        if (m->hasText()) {
            c.HasText = true;
            c.Text = m->text();
        }
        if (m->hasImage()) {
            // An image that does not convert is the picture's paste error.
            c.HasImage = true;
            c.Image = qvariant_cast<QImage>(m->imageData());
        }
    }
    return c;
}

bool OffersPaste(const QMimeData *m)
{
    if (!m)
        return false;
    // The formats alone: another program's data is fetched only to paste it.
    TClipData offered;
    offered.HasPrivate = m->hasFormat(formatName());
    offered.HasText = m->hasText();
    offered.HasImage = m->hasImage();
    return offered.HasPrivate || FindKindForPaste(offered);
}

TClipboardCommands::TClipboardCommands(QWidget *main) : QObject(main), m_main(main)
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        updateCanPaste();
        emit pasteOfferChanged();
    });
    updateCanPaste();
}

void TClipboardCommands::updateCanPaste() { m_canPaste = OffersPaste(QGuiApplication::clipboard()->mimeData()); }

void TClipboardCommands::Copy(TActiveDocument &d)
{
    TWaitCursor wait;
    try {
        const TClipData clip = d.Editor().Copy();
        if (!clip.IsEmpty())
            QGuiApplication::clipboard()->setMimeData(ToMimeData(clip));
    } catch (const ELocalizedError &e) {
        report(e);
    }
}

void TClipboardCommands::Cut(TActiveDocument &d)
{
    TWaitCursor wait;
    try {
        const TClipData clip = d.Editor().Cut();
        if (!clip.IsEmpty())
            QGuiApplication::clipboard()->setMimeData(ToMimeData(clip));
    } catch (const ELocalizedError &e) {
        report(e);
    }
}

void TClipboardCommands::Paste(TActiveDocument &d)
{
    TWaitCursor wait;
    try {
        d.Editor().Paste(FromMimeData(QGuiApplication::clipboard()->mimeData()));
    } catch (const ELocalizedError &e) {
        report(e);
    }
}

void TClipboardCommands::Delete(TActiveDocument &d)
{
    QCoreApplication::processEvents();
    // Del typed into a field of another window edits that field.
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() != m_main) {
        sendDeleteKey(focus);
        return;
    }
    d.Editor().DeleteSelected();
}

void TClipboardCommands::SaveSelection(TActiveDocument &d)
{
    for (;;) {
        QString path =
            AskSelectionFileName(m_main, true, GetText(ClipboardText::SaveTitle), AppSettings().SelectionDir);
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".CDS");
        path = QFileInfo(path).absoluteFilePath();
        if (QFileInfo::exists(path)) {
            const QString q = GetText(859) + QLatin1Char(' ') + path + QLatin1Char(' ') + GetText(860);
            if (MessageBoxText(q, mkConfirmation, mbYes | mbNo) != mrYes)
                continue;
        }
        AppSettings().SelectionDir = QFileInfo(path).absolutePath();
        try {
            d.Editor().SaveSelection(path);
        } catch (const ELocalizedError &e) {
            report(e);
        }
        return;
    }
}

void TClipboardCommands::LoadSelection(TActiveDocument &d)
{
    const QString path =
        AskSelectionFileName(m_main, false, GetText(ClipboardText::LoadTitle), AppSettings().SelectionDir);
    if (path.isEmpty())
        return;
    AppSettings().SelectionDir = QFileInfo(path).absolutePath();
    TWaitCursor wait;
    try {
        d.Editor().LoadSelection(path);
    } catch (const ELocalizedError &e) {
        report(e);
    }
}
