#include "ChildWin.h"

#include "Errors.h"
#include "FileDialogs.h"
#include "MessageBoxText.h"
#include "PageEditor.h"
#include "PageWidget.h"
#include "QtTranslations.h"
#include "Ruler.h"
#include "Settings.h"
#include "Strings.h"
#include "Units.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

TDocumentHost &nowhere()
{
    static TDocumentHost none;
    return none;
}

} // namespace

TChildWin::TChildWin(TDocumentHost *host, const QString &caption) : m_host(host ? host : &nowhere()), m_doc(this)
{
    setObjectName(QStringLiteral("ChildWin"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_setZero = new QToolButton(this);
    m_setZero->setObjectName(QStringLiteral("sbSetZero"));
    m_setZero->setFixedSize(TRuler::Thickness, TRuler::Thickness);
    m_setZero->setIcon(QIcon(QStringLiteral(":/icons/sbSetZero.svg")));
    m_setZero->installEventFilter(this);
    m_hRuler = new TRuler(Qt::Horizontal, this);
    m_hRuler->setObjectName(QStringLiteral("pbHRuler"));
    m_vRuler = new TRuler(Qt::Vertical, this);
    m_vRuler->setObjectName(QStringLiteral("pbVRuler"));
    m_notebook = new QTabWidget(this);
    m_notebook->setObjectName(QStringLiteral("Notebook"));
    m_notebook->setTabPosition(QTabWidget::South);
    m_sBarH = new QScrollBar(Qt::Horizontal, this);
    m_sBarH->setObjectName(QStringLiteral("sBarH"));
    m_sBarV = new QScrollBar(Qt::Vertical, this);
    m_sBarV->setObjectName(QStringLiteral("sBarV"));
    grid->addWidget(m_setZero, 0, 0);
    grid->addWidget(m_hRuler, 0, 1);
    grid->addWidget(m_vRuler, 1, 0);
    grid->addWidget(m_notebook, 1, 1);
    grid->addWidget(m_sBarV, 1, 2);
    grid->addWidget(m_sBarH, 2, 1);

    static const char *const kPageNames[] = {"pnlCDLabel", "pnlInlayVorder", "pnlInlayRueck"};
    for (int i = 0; i < TCDLDocument::PageCount; ++i) {
        auto *w = new TPageWidget(m_notebook);
        w->setObjectName(QLatin1String(kPageNames[i]));
        m_editors[i] = std::make_unique<TPageEditor>(m_doc.Page(TPageKind(i)), this);
        w->setPage(&m_doc.Page(TPageKind(i)), m_editors[i].get());
        m_doc.Page(TPageKind(i)).Context.Interactive = true;
        m_doc.Page(TPageKind(i)).Context.Printing = false;
        connect(w, &TPageWidget::pointerMoved, this, &TChildWin::pointerMoved);
        connect(w, &TPageWidget::pointerLeft, this, [this] {
            m_hRuler->SetMark(-1);
            m_vRuler->SetMark(-1);
        });
        connect(w, &TPageWidget::painted, this, &TChildWin::updateScrollRanges);
        connect(w, &TPageWidget::wheelTurned, this, &TChildWin::pageWheel);
        connect(w, &TPageWidget::scrollRequested, this, &TChildWin::scrollBy);
        m_pages[i] = w;
        m_notebook->addTab(w, QString());
    }
    connect(m_notebook, &QTabWidget::currentChanged, this, [this](int i) { ShowPage(i); });
    connect(m_hRuler, &TRuler::guideDragged, this, &TChildWin::guideDragged);
    connect(m_vRuler, &TRuler::guideDragged, this, &TChildWin::guideDragged);
    connect(m_sBarH, &QScrollBar::valueChanged, this, [this](int v) {
        if (TCDLPage *p = ActivePage(); p && p->Context.ScrollX != v) {
            const int old = std::exchange(p->Context.ScrollX, v);
            PageControl()->scrolled(QPoint(v - old, 0));
        }
    });
    connect(m_sBarV, &QScrollBar::valueChanged, this, [this](int v) {
        if (TCDLPage *p = ActivePage(); p && p->Context.ScrollY != v) {
            const int old = std::exchange(p->Context.ScrollY, v);
            PageControl()->scrolled(QPoint(0, v - old));
        }
    });
    SetupStrings();
    ShowPage(0);
    resize(640, 560);
}

TChildWin::~TChildWin()
{
    std::exchange(m_host, &nowhere())->DocumentDestroyed(*this);
    // The controls are children of the widget, deleted after the members:
    // the page controls may still see a focus change and the notebook a
    // change of its current page.
    disconnect(m_notebook, nullptr, this, nullptr);
    for (TPageWidget *w : m_pages)
        w->setPage(nullptr);
}

TCDLPage *TChildWin::ActivePage() const { return m_pages[PageIndex()]->page(); }
TPageEditor &TChildWin::Editor() const { return *m_editors[PageIndex()]; }
int TChildWin::PageIndex() const { return std::max(0, m_notebook->currentIndex()); }
TPageWidget *TChildWin::PageControl() const { return m_pages[PageIndex()]; }

void TChildWin::SetupStrings()
{
    for (int i = 0; i < TCDLDocument::PageCount; ++i)
        m_notebook->setTabText(i, GetText(122 + i));
    m_setZero->setToolTip(GetText(874));
    RetranslateSystemMenu(qobject_cast<QMdiSubWindow *>(parentWidget()));
}

void TChildWin::ShowPage(int tag)
{
    if (tag < 0 || tag >= TCDLDocument::PageCount)
        return;
    if (m_notebook->currentIndex() != tag)
        m_notebook->setCurrentIndex(tag);
    m_hRuler->SetPage(ActivePage(), PageControl());
    m_vRuler->SetPage(ActivePage(), PageControl());
    m_host->PageShown(*this);
    PageControl()->setFocus();
    CommandStatesChanged();
    RepaintRulers();
    RepaintPage();
}

// ---- open and save

bool TChildWin::LoadFromFile(const QString &path)
{
    // The version warning comes as the reading goes, before its failure.
    QStringList warnings;
    auto warn = [&warnings] {
        for (const QString &w : warnings)
            MessageBoxText(w, mkWarning, mbOK);
    };
    try {
        m_doc.Load(path, &warnings);
    } catch (const ELocalizedError &e) {
        warn();
        MessageBoxText(e.message(), mkWarning, mbOK);
        return false;
    }
    warn();
    for (TPageWidget *w : m_pages)
        w->update();
    RepaintRulers();
    return true;
}

bool TChildWin::SaveToFile(const QString &path)
{
    try {
        m_doc.Save(path);
    } catch (const ELocalizedError &e) {
        MessageBoxText(e.message(), mkWarning, mbOK);
        return false;
    }
    return true;
}

bool TChildWin::Save()
{
    if (m_doc.FileName.isEmpty())
        return SaveAs();
    const QFileInfo fi(m_doc.FileName);
    if (fi.exists() && !fi.isWritable()) {
        MessageBoxText(GetText(857), mkWarning, mbOK);
        return SaveAs();
    }
    return SaveToFile(m_doc.FileName);
}

bool TChildWin::SaveAs()
{
    const QString caption = windowTitle();
    // Until a save succeeds the document keeps its name: a failed or
    // cancelled Save As must not leave Save retrying a name that did not work.
    const QString previous = m_doc.FileName;
    const QString untitled = QDir(AppSettings().CdlDir).filePath(caption);
    QString proposed = previous.isEmpty() ? untitled : previous;
    for (;;) {
        QString chosen = AskSaveFileName(this, GetText(802), proposed);
        if (chosen.isEmpty()) {
            setWindowTitle(caption);
            return false;
        }
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".CDL");
        chosen = QFileInfo(chosen).absoluteFilePath();
        if (QFileInfo::exists(chosen)) {
            if (m_host->IsOpenElsewhere(chosen, *this)) {
                MessageBoxText(GetText(858), mkWarning, mbOK);
                proposed = untitled;
                continue;
            }
            const QString q = GetText(859) + QLatin1Char(' ') + chosen + QLatin1Char(' ') + GetText(860);
            if (MessageBoxText(q, mkConfirmation, mbYes | mbNo) != mrYes) {
                proposed = untitled;
                continue;
            }
        }
        m_doc.FileName = chosen;
        // Save may ask for yet another name (a read-only file).
        if (!Save()) {
            m_doc.FileName = previous;
            return false;
        }
        AppSettings().CdlDir = QFileInfo(m_doc.FileName).absolutePath();
        setWindowTitle(QFileInfo(m_doc.FileName).fileName());
        return true;
    }
}

// ---- closing

bool TChildWin::CloseQuery()
{
    if (Closing || !m_doc.Modified())
        return true;
    const QString q = GetText(850) + QLatin1Char(' ') + windowTitle() + QLatin1Char(' ') + GetText(851);
    switch (MessageBoxText(q, mkConfirmation, mbYes | mbNo | mbCancel)) {
    case mrNo: return true;
    case mrYes: return Save() && !m_doc.Modified();
    default: return false;
    }
}

void TChildWin::closeEvent(QCloseEvent *e)
{
    if (!CloseQuery()) {
        e->ignore();
        return;
    }
    Closing = true;
    e->accept();
    m_host->DocumentClosed(*this);
}

void TChildWin::CloseDocument()
{
    // Inside the MDI area the sub-window closes, and with it this window.
    if (auto *s = qobject_cast<QMdiSubWindow *>(parentWidget()))
        s->close();
    else
        close();
}

// ---- zoom and scrolling

void TChildWin::ZoomIn()
{
    const TPageWidget *w = PageControl();
    zoomKeeping(ActivePage()->Context.ZoomLevel + 1, QPoint(w->width() / 2, w->height() / 2));
}

void TChildWin::ZoomOut()
{
    TCDLPage *p = ActivePage();
    const int level = std::max(p->Context.ZoomLevel - 1, TPaintContext::MinZoomLevel);
    if (TPaintContext::ZoomFactor(level) <= 1) {
        p->Context.SetZoomLevel(level);
        p->Context.ScrollX = p->Context.ScrollY = 0;
        updateScrollRanges();
        RepaintPage();
        return;
    }
    const TPageWidget *w = PageControl();
    zoomKeeping(level, QPoint(w->width() / 2, w->height() / 2));
}

void TChildWin::ZoomTo(int tag)
{
    if (tag < TPaintContext::MinZoomLevel || tag > TPaintContext::MaxZoomLevel)
        return;
    TCDLPage *p = ActivePage();
    if (TPaintContext::ZoomFactor(tag) < 1) {
        p->Context.SetZoomLevel(tag);
        p->Context.ScrollX = p->Context.ScrollY = 0;
        updateScrollRanges();
        RepaintPage();
        return;
    }
    const TPageWidget *w = PageControl();
    zoomKeeping(tag, QPoint(w->width() / 2, w->height() / 2));
}

void TChildWin::StandardZoom()
{
    TCDLPage *p = ActivePage();
    p->Context.SetZoomLevel(4);
    p->Context.ScrollX = p->Context.ScrollY = 0;
    updateScrollRanges();
    RepaintPage();
}

QPoint TChildWin::scrollLimits() const
{
    const TCDLPage *p = ActivePage();
    const TPageWidget *w = PageControl();
    TPaintContext c = p->Context;
    p->FitInto(c, w->width(), w->height(), c.Zoom);
    // Half the overhang of the page beyond the control, plus a margin, each way.
    return {std::max(0, (c.MapLenX(p->Extent().width()) - w->width()) / 2 + 20),
            std::max(0, (c.MapLenY(p->Extent().height()) - w->height()) / 2 + 20)};
}

void TChildWin::zoomKeeping(int level, QPoint anchor)
{
    TCDLPage *p = ActivePage();
    const TPageWidget *w = PageControl();
    TPaintContext &c = p->Context;
    p->FitInto(c, w->width(), w->height(), c.Zoom);
    // Unrounded, so that the point does not creep when zooming in and out again.
    const double mx = (anchor.x() - c.OffsetX) / c.ScaleX, my = (anchor.y() - c.OffsetY) / c.ScaleY;
    c.SetZoomLevel(level);
    p->FitInto(c, w->width(), w->height(), c.Zoom);
    const QPoint limit = scrollLimits();
    c.ScrollX = std::clamp(int(std::lround(mx * c.ScaleX + w->width() / 2 - anchor.x())), -limit.x(), limit.x());
    c.ScrollY = std::clamp(int(std::lround(my * c.ScaleY + w->height() / 2 - anchor.y())), -limit.y(), limit.y());
    p->FitInto(c, w->width(), w->height(), c.Zoom);
    updateScrollRanges();
    RepaintRulers();
    RepaintPage();
}

void TChildWin::pageWheel(QPoint pos, QPoint angle, Qt::KeyboardModifiers mods)
{
    // 120 is one notch of a common wheel.
    if (mods & Qt::ControlModifier) {
        const int turn = angle.y() != 0 ? angle.y() : angle.x();
        if ((turn > 0) != (m_wheelZoomRest > 0))
            m_wheelZoomRest = 0;
        m_wheelZoomRest += turn;
        const int steps = m_wheelZoomRest / 120;
        if (steps == 0)
            return;
        m_wheelZoomRest -= steps * 120;
        const int level = std::clamp(ActivePage()->Context.ZoomLevel + steps, int(TPaintContext::MinZoomLevel),
                                     int(TPaintContext::MaxZoomLevel));
        if (level != ActivePage()->Context.ZoomLevel)
            zoomKeeping(level, pos);
        return;
    }
    // Shift turns the wheel sideways, unless the platform did so already.
    const QPoint d = (mods & Qt::ShiftModifier) && angle.x() == 0 ? QPoint(angle.y(), 0) : angle;
    const int lines = QApplication::wheelScrollLines();
    m_wheelScrollRest += QPoint(d.x() * lines * m_sBarH->singleStep(), d.y() * lines * m_sBarV->singleStep());
    const QPoint px = m_wheelScrollRest / 120;
    m_wheelScrollRest -= px * 120;
    // Turning the wheel away from oneself shows what lies above.
    scrollBy(-px);
}

void TChildWin::scrollBy(QPoint delta)
{
    if (delta.x() != 0)
        m_sBarH->setValue(m_sBarH->value() + delta.x());
    if (delta.y() != 0)
        m_sBarV->setValue(m_sBarV->value() + delta.y());
}

void TChildWin::updateScrollRanges()
{
    const TCDLPage *p = ActivePage();
    const TPageWidget *w = PageControl();
    const QPoint limit = scrollLimits();
    const QSignalBlocker bh(m_sBarH), bv(m_sBarV);
    m_sBarH->setRange(-limit.x(), limit.x());
    m_sBarV->setRange(-limit.y(), limit.y());
    m_sBarH->setPageStep(std::max(1, w->width() / 2));
    m_sBarV->setPageStep(std::max(1, w->height() / 2));
    m_sBarH->setSingleStep(10);
    m_sBarV->setSingleStep(10);
    m_sBarH->setValue(p->Context.ScrollX);
    m_sBarV->setValue(p->Context.ScrollY);
}

// ---- pointer, rulers, guide lines, zero point

void TChildWin::pointerMoved(QPoint d)
{
    m_hRuler->SetMark(d.x());
    m_vRuler->SetMark(d.y());
}

void TChildWin::guideDragged(bool horizontal, int pos, bool finished)
{
    TPageWidget *w = PageControl();
    const int extent = horizontal ? w->height() : w->width();
    const bool inside = pos >= 0 && pos < extent;
    if (!finished) {
        w->setGuidePreview(horizontal, inside ? pos : -1);
        return;
    }
    w->setGuidePreview(horizontal, -1);
    if (!inside)
        return;
    TCDLPage *p = ActivePage();
    const int32_t at = horizontal ? p->Context.ModelY(pos) : p->Context.ModelX(pos);
    // A second line on exactly the same place adds nothing.
    if (!p->SnapLines.Exists(at, horizontal)) {
        p->SnapLines.Add(at, horizontal);
        p->Modified = true;
    }
    RepaintPage();
}

bool TChildWin::zeroDrag(QEvent *e)
{
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseMove
        && e->type() != QEvent::MouseButtonRelease)
        return false;
    TPageWidget *w = PageControl();
    auto *me = static_cast<QMouseEvent *>(e);
    const QPoint inPage = w->mapFromGlobal(me->globalPosition().toPoint());
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        if (me->button() != Qt::LeftButton)
            return false;
        m_zeroDragging = true;
        m_setZero->setCursor(Qt::CrossCursor);
        return true;
    case QEvent::MouseMove:
        if (!m_zeroDragging)
            return false;
        w->setCrosshair(w->rect().contains(inPage) ? inPage : QPoint(-1, -1));
        return true;
    case QEvent::MouseButtonRelease: {
        if (!m_zeroDragging)
            return false;
        m_zeroDragging = false;
        m_setZero->unsetCursor();
        w->setCrosshair(QPoint(-1, -1));
        if (inPage.x() >= 1 && inPage.y() >= 1 && inPage.x() < w->width() && inPage.y() < w->height()) {
            TCDLPage *p = ActivePage();
            p->Origin = QPoint(p->Context.ModelX(inPage.x()), p->Context.ModelY(inPage.y()));
            // The coordinates and the status line count from the origin; a
            // value typed against the old one would land somewhere else.
            p->AnnounceShownFrame();
            p->ShowSelectionStatus();
        }
        RepaintRulers();
        return true;
    }
    default: return false;
    }
}

bool TChildWin::eventFilter(QObject *o, QEvent *e)
{
    if (o == m_setZero)
        return zeroDrag(e);
    return QWidget::eventFilter(o, e);
}

// ---- TPageHost

void TChildWin::ShowStatus(const QString &text) { m_host->ShowStatus(text); }
void TChildWin::RepaintPage() { PageControl()->update(); }

void TChildWin::RepaintRulers()
{
    m_hRuler->Refresh();
    m_vRuler->Refresh();
}

void TChildWin::ShowWarning(const QString &text) { MessageBoxText(text, mkWarning, mbOK); }
void TChildWin::CommandStatesChanged() { m_host->CommandStatesChanged(*this); }

void TChildWin::ShownFrameChanged(TCDLPage &page, TCDLFrame *frame) { m_host->ShownFrameChanged(*this, page, frame); }

void TChildWin::Verbose() { ActivePage()->ShowSelectionStatus(); }

// ---- editing

void TChildWin::UndoLast()
{
    if (Editor().Undo())
        RepaintPage();
    CommandStatesChanged();
}

void TChildWin::RedoLast()
{
    if (Editor().Redo())
        RepaintPage();
    CommandStatesChanged();
}

TTool TChildWin::CurrentTool() const { return m_host->CurrentTool(); }
void TChildWin::ToolUsed() { m_host->ToolUsed(); }
void TChildWin::SetPointerText(const QString &text) { m_host->ShowPointer(text); }

TCreationHost *TChildWin::CreationHost() { return PageControl(); }

void TChildWin::FocusTextInput(TCDLFrame *frame)
{
    PageControl()->setTypingTarget(m_host->FocusTextInput(*this, frame), frame);
}
