#include "PageWidget.h"

#include "DirWnd.h"
#include "PageEditor.h"
#include "PictureDrop.h"
#include "ScanDialogs.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {

Qt::CursorShape QtCursor(TPointerShape shape)
{
    return shape == TPointerShape::SizeAll ? Qt::SizeAllCursor : Qt::ArrowCursor;
}

// The pixels the band's dotted outline covers, with one to spare each side.
QRegion BandOutline(QPoint a, QPoint b)
{
    const QRect outer = QRect(a, b).normalized().adjusted(-1, -1, 2, 2);
    return QRegion(outer).subtracted(QRegion(outer.adjusted(3, 3, -3, -3)));
}

} // namespace

TPageWidget::TPageWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(100, 100);
    m_autoScroll.setInterval(AutoScrollInterval);
    connect(&m_autoScroll, &QTimer::timeout, this, &TPageWidget::autoScrollStep);
}

void TPageWidget::setPage(TCDLPage *page, TPageEditor *editor)
{
    m_page = page;
    m_editor = editor;
    setAcceptDrops(editor != nullptr);
    if (m_editor)
        m_editor->SetControlSize(size());
    m_cache.Invalidate();
    m_layers.Clear();
    update();
}

void TPageWidget::setGuidePreview(bool horizontal, int pos)
{
    m_guideHorizontal = horizontal;
    m_guidePos = pos;
    update();
}

void TPageWidget::setCrosshair(QPoint p)
{
    m_cross = p;
    update();
}

QImage TPageWidget::AskScan() { return ScanWithDialogs(this); }

void TPageWidget::setTypingTarget(QWidget *target, const TCDLFrame *frame)
{
    m_typingTarget = target;
    m_typingFrame = frame;
}

void TPageWidget::scrolled(QPoint delta)
{
    QPoint a, b;
    const bool overlays =
        m_guidePos >= 0 || m_cross.x() >= 0 || (m_editor && (m_editor->Dragging() || m_editor->Band(a, b)));
    // What shows moves as a whole and only the strip it uncovers is painted;
    // overlays stay where the pointer is, so with one up all is painted.
    if (overlays || !isVisible())
        update();
    else
        scroll(-delta.x(), -delta.y());
}

void TPageWidget::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    // The page paints only the frames the region asked for reaches.
    p.setClipRegion(e->region());
    QPoint a, b;
    const bool band = m_editor && m_editor->Band(a, b);
    // Nothing on the page changes while a drag is held: the page without the
    // dragged frames is painted once into the cache and each step draws only
    // what moves over it. A band moves nothing: the kept layer serves it, and
    // its steps repaint only its outlines, without checking the page again.
    if (m_page && m_editor && m_editor->Dragging()) {
        m_cache.Paint(p, *m_page, size(), m_editor->DraggedFrames(), palette().window().color());
    } else {
        m_cache.Invalidate();
        // (QRegion::contains(QRect) tells an overlap, not a cover.)
        const bool part = !QRegion(rect()).subtracted(e->region()).isEmpty();
        const bool held = band && part;
        // A guide line dragged changed the page in the strips it left and
        // entered alone; a paint of the whole control checks everything.
        const bool guide = part && m_editor && m_editor->State().MouseState == TMouseState::GuideLine
                           && !m_guideDirty.isEmpty() && m_guideDirty.subtracted(e->region()).isEmpty();
        if (m_page)
            m_layers.Paint(p, *m_page, size(), e->region(), palette().window().color(), held,
                           guide ? &m_guideDirty : nullptr);
        else
            p.fillRect(rect(), palette().window());
        m_guideDirty -= e->region();
    }
    if (band) {
        p.save();
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(QColor(255, 255, 0), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(a, b).normalized());
        p.restore();
    }
    p.setPen(QPen(QColor(0, 160, 255), 1, Qt::DashLine));
    if (m_guidePos >= 0) {
        if (m_guideHorizontal)
            p.drawLine(0, m_guidePos, width(), m_guidePos);
        else
            p.drawLine(m_guidePos, 0, m_guidePos, height());
    }
    if (m_cross.x() >= 0) {
        p.setPen(QColor(255, 255, 0));
        p.drawLine(m_cross.x(), 0, m_cross.x(), height());
        p.drawLine(0, m_cross.y(), width(), m_cross.y());
    }
    emit painted();
}

void TPageWidget::resizeEvent(QResizeEvent *)
{
    if (m_editor)
        m_editor->SetControlSize(size());
}

void TPageWidget::hideEvent(QHideEvent *)
{
    // A page not shown (another tab) keeps no pictures.
    m_layers.Clear();
}

void TPageWidget::updatePointerShape(QPoint p)
{
    if (!m_editor)
        return;
    const TPointerShape shape = m_editor->PointerShape(p);
    if (shape != m_shape) {
        m_shape = shape;
        setCursor(QtCursor(shape));
    }
}

void TPageWidget::mousePressEvent(QMouseEvent *e)
{
    setFocus(Qt::MouseFocusReason);
    m_typingTarget = nullptr;
    const QPoint p = e->position().toPoint();
    // Whatever changed since the last drag, the next one starts from the page as it is.
    m_cache.Invalidate();
    if (m_editor) {
        m_editor->SetControlSize(size());
        m_editor->MouseDown(e->button(), e->modifiers(), p);
        updateBand(QPoint(), QPoint(), false);
    }
    updatePointerShape(p);
}

void TPageWidget::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (m_editor) {
        QPoint a, b;
        const bool had = m_editor->Band(a, b);
        const QRegion guideBefore = guideStrip();
        m_editor->MouseMove(e->buttons(), p);
        updateBand(a, b, had);
        if (const QRegion guideAfter = guideStrip(); guideAfter != guideBefore) {
            m_guideDirty += guideBefore + guideAfter;
            update(guideBefore + guideAfter);
        }
    }
    updatePointerShape(p);
    emit pointerMoved(p);
    m_dragPointer = p;
    if ((e->buttons() & Qt::LeftButton) && dragScrolls() && !edgeScroll(p).isNull()) {
        if (!m_autoScroll.isActive())
            m_autoScroll.start();
    } else {
        m_autoScroll.stop();
    }
}

void TPageWidget::mouseReleaseEvent(QMouseEvent *e)
{
    m_autoScroll.stop();
    const QPoint p = e->position().toPoint();
    if (m_editor)
        m_editor->MouseUp(e->button(), p);
    updatePointerShape(p);
}

void TPageWidget::updateBand(QPoint a, QPoint b, bool had)
{
    QPoint c, d;
    if (!m_editor->Band(c, d) || (had && a == c && b == d))
        return;
    update(had ? BandOutline(a, b) + BandOutline(c, d) : BandOutline(c, d));
}

QRegion TPageWidget::guideStrip() const
{
    const TEditState &s = m_editor->State();
    const int i = s.PressRecord.x();
    if (s.MouseState != TMouseState::GuideLine || i < 0 || i >= m_page->SnapLines.Count())
        return {};
    const TSnapLineRecord &l = m_page->SnapLines.Get(i);
    const TPaintContext &c = m_page->Context;
    return l.Horizontal ? QRect(0, c.MapY(l.Position) - 1, width(), 3) : QRect(c.MapX(l.Position) - 1, 0, 3, height());
}

bool TPageWidget::dragScrolls() const
{
    // Frames, handles and the rubber band; a guide line is taken to its
    // ruler to be removed, so it does not scroll.
    QPoint a, b;
    return m_editor && (m_editor->Dragging() || m_editor->Band(a, b));
}

QPoint TPageWidget::edgeScroll(QPoint p) const
{
    // Faster the further the pointer is past the margin.
    auto speed = [](int past) { return past <= 0 ? 0 : std::min(4 + 2 * past, 80); };
    const int m = AutoScrollMargin;
    return {speed(p.x() - (width() - 1 - m)) - speed(m - p.x()), speed(p.y() - (height() - 1 - m)) - speed(m - p.y())};
}

void TPageWidget::autoScrollStep()
{
    const QPoint v = edgeScroll(m_dragPointer);
    if (!dragScrolls() || v.isNull()) {
        m_autoScroll.stop();
        return;
    }
    const TPaintContext &c = m_page->Context;
    const QPoint before(c.ScrollX, c.ScrollY);
    emit scrollRequested(v);
    const QPoint shift = QPoint(c.ScrollX, c.ScrollY) - before;
    if (shift.isNull())
        return;
    // The pointer stays where it is while the page moves under it.
    m_editor->Scrolled(shift);
    m_editor->MouseMove(Qt::LeftButton, m_dragPointer);
    emit pointerMoved(m_dragPointer);
    update();
}

void TPageWidget::wheelEvent(QWheelEvent *e)
{
    if (!m_editor)
        return QWidget::wheelEvent(e);
    // A drag keeps device points of its own; the page stays put under it.
    if (m_editor->State().MouseState == TMouseState::Idle)
        emit wheelTurned(e->position().toPoint(), e->angleDelta(), e->modifiers());
    e->accept();
}

void TPageWidget::keyPressEvent(QKeyEvent *e)
{
    if (!m_editor)
        return QWidget::keyPressEvent(e);
    // Arrows and Tab are taken here and act on release; nobody else (the MDI
    // area scrolls on arrows) gets their press.
    if (m_editor->KeyPressed(e->key(), e->modifiers()))
        return;
    if (m_typingTarget && m_page->ActiveFrame() == m_typingFrame && !m_typingTarget->window()->isActiveWindow()
        && !e->text().isEmpty()) {
        QApplication::sendEvent(m_typingTarget, e);
        return;
    }
    // Typed characters go to the active frame as they come.
    const QString t = e->text();
    if (t.size() == 1 && t.at(0).unicode() >= 32 && !(e->modifiers() & Qt::ControlModifier)) {
        m_editor->KeyChar(t.at(0).unicode());
        return;
    }
    QWidget::keyPressEvent(e);
}

void TPageWidget::keyReleaseEvent(QKeyEvent *e)
{
    // Arrows and Tab act on release, as the document window always did.
    if (!m_editor || !m_editor->KeyReleased(e->key(), e->modifiers()))
        QWidget::keyReleaseEvent(e);
}

void TPageWidget::focusOutEvent(QFocusEvent *e)
{
    // A press whose release goes elsewhere must not leave a drag open.
    if (m_editor && e->reason() != Qt::PopupFocusReason)
        m_editor->CancelDrag();
    QWidget::focusOutEvent(e);
}

void TPageWidget::enterEvent(QEnterEvent *)
{
    if (m_page)
        m_page->MouseEnter();
}

void TPageWidget::leaveEvent(QEvent *)
{
    if (m_page)
        m_page->MouseLeave();
    emit pointerLeft();
}

bool TPageWidget::AskFolder(TFolderChoice &choice) { return AskListingFolder(this, choice); }

QString TPageWidget::AskPictureFile() { return AskPictureFileName(this); }

void TPageWidget::dragEnterEvent(QDragEnterEvent *e)
{
    // Anything else (a document to open) is left to the main window.
    if (m_page && m_editor && OffersPictureFiles(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPageWidget::dropEvent(QDropEvent *e)
{
    if (!m_page || !m_editor || !OffersPictureFiles(e->mimeData()))
        return e->ignore();
    e->acceptProposedAction();
    m_editor->CancelDrag();
    InsertDroppedPictures(*m_page, *m_editor, e->position().toPoint(), DroppedFiles(e->mimeData()));
}
