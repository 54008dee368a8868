#include "ClipboardCommands.h"

#include "ChildWin.h"
#include "Clipboard.h"
#include "Errors.h"
#include "FileDialogs.h"
#include "MainWindow.h"
#include "MessageBoxText.h"
#include "PageEditor.h"
#include "Settings.h"
#include "Strings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>

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

void report(const ELocalizedError &e)
{
    MessageBoxText(e.message(), mkWarning, mbOK);
}

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
    if (clip.HasText)
        m->setText(clip.Text);
    if (clip.HasPrivate)
        m->setData(formatName(), clip.Private);
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
    } else if (m->hasText()) {
        c.HasText = true;
        c.Text = m->text();
    }
    return c;
}

bool OffersPaste(const QMimeData *m)
{
    return m && (m->hasFormat(formatName()) || m->hasText());
}

TClipboardCommands::TClipboardCommands(TMDIForm *main) : QObject(main), m_main(main)
{
    using C = TClipboardCommands;
    const std::pair<const char *, void (C::*)()> commands[] = {
        {"miAusschneiden", &C::Cut},
        {"sbAusschneiden", &C::Cut},
        {"miKopieren", &C::Copy},
        {"sbKopieren", &C::Copy},
        {"miEinfuegen", &C::Paste},
        {"sbEinfuegen", &C::Paste},
        {"miLoeschen", &C::Delete},
        {"miSelectedSave", &C::SaveSelection},
        {"miSelectedLoad", &C::LoadSelection},
    };
    for (const auto &[name, slot] : commands)
        connect(main->Action(QLatin1String(name)), &QAction::triggered, this, slot);
    main->Action(QStringLiteral("miAusschneiden"))->setShortcut(QKeySequence::Cut);
    main->Action(QStringLiteral("miKopieren"))->setShortcut(QKeySequence::Copy);
    main->Action(QStringLiteral("miEinfuegen"))->setShortcut(QKeySequence::Paste);
    main->Action(QStringLiteral("miLoeschen"))->setShortcut(QKeySequence::Delete);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        updateCanPaste();
        m_main->CommandStatesChanged();
    });
    updateCanPaste();
}

void TClipboardCommands::updateCanPaste()
{
    m_canPaste = OffersPaste(QGuiApplication::clipboard()->mimeData());
}

TPageEditor *TClipboardCommands::activeEditor() const
{
    TChildWin *c = m_main->ActiveChild();
    return c ? &c->Editor() : nullptr;
}

void TClipboardCommands::UpdateStates(TChildWin *active)
{
    const TCDLPage *p = active ? active->ActivePage() : nullptr;
    const bool selected = p && (p->ActiveFrame || !p->Selection.IsEmpty());
    for (const char *n :
         {"miAusschneiden", "sbAusschneiden", "miKopieren", "sbKopieren", "miLoeschen", "miSelectedSave"})
        m_main->Action(QLatin1String(n))->setEnabled(selected);
    for (const char *n : {"miEinfuegen", "sbEinfuegen"})
        m_main->Action(QLatin1String(n))->setEnabled(p && m_canPaste);
    m_main->Action(QStringLiteral("miSelectedLoad"))->setEnabled(p != nullptr);
}

void TClipboardCommands::Copy()
{
    TPageEditor *e = activeEditor();
    if (!e)
        return;
    TWaitCursor wait;
    try {
        const TClipData clip = e->Copy();
        if (!clip.IsEmpty())
            QGuiApplication::clipboard()->setMimeData(ToMimeData(clip));
    } catch (const ELocalizedError &e) {
        report(e);
    }
}

void TClipboardCommands::Cut()
{
    TPageEditor *e = activeEditor();
    if (!e)
        return;
    TWaitCursor wait;
    try {
        const TClipData clip = e->Cut();
        if (!clip.IsEmpty())
            QGuiApplication::clipboard()->setMimeData(ToMimeData(clip));
    } catch (const ELocalizedError &e) {
        report(e);
    }
    m_main->CommandStatesChanged();
}

void TClipboardCommands::Paste()
{
    TPageEditor *e = activeEditor();
    if (!e)
        return;
    TWaitCursor wait;
    try {
        e->Paste(FromMimeData(QGuiApplication::clipboard()->mimeData()));
    } catch (const ELocalizedError &e) {
        report(e);
    }
}

void TClipboardCommands::Delete()
{
    QCoreApplication::processEvents();
    // Del typed into a field of another window edits that field.
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() != m_main) {
        sendDeleteKey(focus);
        return;
    }
    if (TChildWin *c = m_main->ActiveChild()) {
        c->Editor().DeleteSelected();
        // Deleting the active frame alone tells the window nothing.
        m_main->CommandStatesChanged();
    }
}

void TClipboardCommands::SaveSelection()
{
    TPageEditor *e = activeEditor();
    if (!e)
        return;
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
            e->SaveSelection(path);
        } catch (const ELocalizedError &e) {
            report(e);
        }
        return;
    }
}

void TClipboardCommands::LoadSelection()
{
    TPageEditor *e = activeEditor();
    if (!e)
        return;
    const QString path =
        AskSelectionFileName(m_main, false, GetText(ClipboardText::LoadTitle), AppSettings().SelectionDir);
    if (path.isEmpty())
        return;
    AppSettings().SelectionDir = QFileInfo(path).absolutePath();
    TWaitCursor wait;
    try {
        e->LoadSelection(path);
    } catch (const ELocalizedError &e) {
        report(e);
    }
}
