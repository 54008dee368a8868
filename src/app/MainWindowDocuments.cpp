// The main window's documents: opening, the document windows, the
// recently used list and what the active document tells.

#include "MainWindow.h"

#include "ChildWin.h"
#include "FileDialogs.h"
#include "MessageBoxText.h"
#include "Mnemonics.h"
#include "PrintCommand.h"
#include "RollUpContainer.h"
#include "Settings.h"
#include "Strings.h"
#include "WindowPlacement.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <algorithm>

TActiveDocument *TMDIForm::ActiveDocument() const { return ActiveChild(); }

TChildWin *TMDIForm::ActiveChild() const
{
    // A closed window lingers in the list until it is deleted; it never counts.
    if (QMdiSubWindow *s = m_mdi->activeSubWindow())
        if (auto *c = qobject_cast<TChildWin *>(s->widget()); c && !c->Closing)
            return c;
    const QList<TChildWin *> all = Children();
    return all.isEmpty() ? nullptr : all.last();
}

QList<TChildWin *> TMDIForm::Children() const
{
    QList<TChildWin *> r;
    for (QMdiSubWindow *s : m_mdi->subWindowList())
        if (auto *c = qobject_cast<TChildWin *>(s->widget()); c && !c->Closing)
            r.append(c);
    return r;
}

TChildWin *TMDIForm::FindDocument(const QString &path, const TActiveDocument *except) const
{
    for (TChildWin *c : Children())
        if (c != except && !c->FileName().isEmpty() && c->FileName() == path)
            return c;
    return nullptr;
}

void TMDIForm::showChild(TChildWin *c)
{
    QMdiSubWindow *s = m_mdi->addSubWindow(c);
    s->setWindowIcon(QIcon(QStringLiteral(":/icons/document.svg")));
    PlaceDocumentWindow(m_mdi, s);
    c->show();
    m_mdi->setActiveSubWindow(s);
    updateCommandStates();
}

TChildWin *TMDIForm::New()
{
    ++NewCount;
    auto *c = new TChildWin(this, GetText(800) + QString::number(NewCount));
    showChild(c);
    return c;
}

bool TMDIForm::refuseDuplicate(const QString &path)
{
    TChildWin *open = FindDocument(path);
    if (!open)
        return false;
    MessageBoxText(GetText(953), mkWarning, mbOK);
    if (auto *s = qobject_cast<QMdiSubWindow *>(open->parentWidget()))
        m_mdi->setActiveSubWindow(s);
    return true;
}

void TMDIForm::openInNewWindow(const QString &path, const QString &caption)
{
    auto *c = new TChildWin(this, caption);
    if (!c->LoadFromFile(path)) {
        delete c;
        return;
    }
    showChild(c);
}

void TMDIForm::Open()
{
    const QString chosen = AskOpenDocumentName(this, GetText(801), AppSettings().CdlDir);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (refuseDuplicate(path))
        return;
    AppSettings().CdlDir = QFileInfo(path).absolutePath();
    openInNewWindow(path, QFileInfo(path).fileName());
}

void TMDIForm::OpenFile(const QString &name)
{
    const QString path = QFileInfo(name).absoluteFilePath();
    if (refuseDuplicate(path))
        return;
    if (!QFileInfo::exists(path)) {
        // A dead entry would fail the same way at every click.
        const bool listed = AppSettings().RecentFiles.Remove(name);
        if (AppSettings().RecentFiles.Remove(path) || listed)
            RebuildRecentMenu();
        MessageBoxText(GetText(DocumentText::ReadFailed), mkWarning, mbOK);
        return;
    }
    openInNewWindow(path, QFileInfo(path).fileName());
}

void TMDIForm::OpenInitialDocument(const QStringList &args)
{
    if (!args.isEmpty()) {
        OpenFile(args.first());
        return;
    }
    const QString standard = QDir::current().absoluteFilePath(QStringLiteral("STANDARD.CDL"));
    if (QFileInfo::exists(standard))
        openInNewWindow(standard, QStringLiteral("STANDARD.CDL"));
    else
        New();
}

void TMDIForm::DocumentClosed(TActiveDocument &d)
{
    m_print->DocumentGone(&d.Document());
    AppSettings().RecentFiles.AddRecent(d.FileName());
    RebuildRecentMenu();
    // A closed window no longer counts as active.
    tellShownFrame();
    // The window list changes once the sub-window is gone.
    QMetaObject::invokeMethod(
        this, [this] { updateCommandStates(); }, Qt::QueuedConnection);
}

void TMDIForm::DocumentDestroyed(TActiveDocument &d)
{
    m_print->DocumentGone(&d.Document());
    if (&d == m_toldDocument)
        tell(nullptr, nullptr, nullptr);
}

bool TMDIForm::IsOpenElsewhere(const QString &path, const TActiveDocument &except) const
{
    return FindDocument(path, &except) != nullptr;
}

void TMDIForm::PageShown(TActiveDocument &d)
{
    if (&d != ActiveDocument())
        return;
    updateCommandStates();
    tellShownFrame();
    // The status line describes what is selected on the page now shown.
    d.Verbose();
}

void TMDIForm::ShownFrameChanged(TActiveDocument &d, TCDLPage &page, TCDLFrame *frame)
{
    // Only the shown page of the active document is on show.
    if (&d == ActiveDocument() && &page == d.ActivePage())
        tell(&d, &page, frame);
}

QWidget *TMDIForm::FocusTextInput(TActiveDocument &d, TCDLFrame *frame)
{
    return &d == ActiveDocument() ? Panels()->FocusTextInput(frame) : nullptr;
}

void TMDIForm::tellShownFrame()
{
    TActiveDocument *d = ActiveDocument();
    TCDLPage *page = d ? d->ActivePage() : nullptr;
    TCDLFrame *frame = page ? page->ActiveFrame() : nullptr;
    // Told frames are kept valid by the pages' notices, so an equal pair
    // here is still what the listeners hold.
    if (d != m_toldDocument || page != m_toldPage || frame != m_toldFrame)
        tell(d, page, frame);
}

void TMDIForm::tell(TActiveDocument *d, TCDLPage *page, TCDLFrame *frame)
{
    // The panels are built late at the start; the first frame to show needs them.
    if (frame)
        Panels();
    m_toldDocument = d;
    m_toldPage = page;
    m_toldFrame = frame;
    emit shownFrameChanged(page, frame);
}

void TMDIForm::RebuildRecentMenu()
{
    // An item may be rebuilt away while its own click runs (its file is gone).
    for (QAction *a : std::as_const(m_recentItems)) {
        m_fileMenu->removeAction(a);
        a->setObjectName(QString());
        a->deleteLater();
    }
    m_recentItems.clear();
    const TRecentFiles &list = AppSettings().RecentFiles;
    for (int i = 0; i < list.Count(); ++i) {
        const QString path = list.At(i);
        auto *a =
            new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(MenuLiteral(QFileInfo(path).fileName())), m_fileMenu);
        a->setObjectName(QStringLiteral("miRecent%1").arg(i + 1));
        a->setStatusTip(path);
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenFile(path); });
        m_fileMenu->addAction(a);
        m_recentItems.append(a);
    }
    m_mruSeparator->setVisible(list.Count() >= 1);
}

void TMDIForm::ShowStatus(const QString &text) { m_statuszeile->setText(text); }
void TMDIForm::ShowPointer(const QString &text) { m_aktPos->setText(text); }
