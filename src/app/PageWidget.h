#pragma once
// Shows one page of a document and hands the pointer and the keys over it
// to the page's editor. Overlays that follow the pointer (a guide line
// dragged out of a ruler, the zero-point crosshair, the rubber band, drag
// outlines) are state and painted in paintEvent.

#include "CreationHost.h"
#include "DragCache.h"
#include "Page.h"
#include "PageEditor.h"
#include "PageLayers.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class TPageEditor;

// It is also whom a new frame's kind asks for what it needs, with dialogs
// over the page, and it takes picture files dropped onto the page.
class TPageWidget : public QWidget, public TCreationHost
{
    Q_OBJECT
public:
    explicit TPageWidget(QWidget *parent = nullptr);
    // The editor belongs to the document window; null shows the page only.
    void setPage(TCDLPage *page, TPageEditor *editor = nullptr);
    // Whether the last paint drew the page from its kept layer.
    bool paintedFromLayer() const { return m_layers.LastPaintKept(); }
    TCDLPage *page() const { return m_page; }
    TPageEditor *editor() const { return m_editor; }

    // -1 hides the overlay.
    void setGuidePreview(bool horizontal, int pos);
    void setCrosshair(QPoint p);
    // The page's scroll position moved by delta pixels (its Context has it already).
    void scrolled(QPoint delta);
    // Typing on the page goes to target while frame stays active and the
    // target's window has not got the keyboard: a new frame's text input in
    // a roll-up the window system would not activate (Wayland lets no
    // program do so). The next click ends it.
    void setTypingTarget(QWidget *target, const TCDLFrame *frame);

    QImage AskScan() override;

    QString AskPictureFile() override;

    // A drag held this close to an edge, or beyond it, scrolls the page
    // every AutoScrollInterval milliseconds.
    static constexpr int AutoScrollMargin = 8;
    static constexpr int AutoScrollInterval = 30;

    // TCreationHost
    bool AskFolder(TFolderChoice &choice) override;

signals:
    void pointerMoved(QPoint devicePos);
    void pointerLeft();
    void painted();
    void wheelTurned(QPoint devicePos, QPoint angleDelta, Qt::KeyboardModifiers mods);
    // The owner scrolls by delta pixels as far as it can, at once.
    void scrollRequested(QPoint delta);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void hideEvent(QHideEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void keyReleaseEvent(QKeyEvent *) override;
    void focusOutEvent(QFocusEvent *) override;
    bool focusNextPrevChild(bool) override { return false; }
    void leaveEvent(QEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void wheelEvent(QWheelEvent *) override;
    void dragEnterEvent(QDragEnterEvent *) override;
    void dropEvent(QDropEvent *) override;

private:
    void updatePointerShape(QPoint p);
    bool dragScrolls() const;
    QPoint edgeScroll(QPoint p) const;
    void autoScrollStep();
    // The band's outline, moved from a-b (when it had one), is repainted.
    void updateBand(QPoint a, QPoint b, bool had);
    // Where the guide line being dragged shows; empty when none is.
    QRegion guideStrip() const;

    TCDLPage *m_page = nullptr;
    TPageEditor *m_editor = nullptr;
    TDragCache m_cache;
    TPageLayers m_layers;
    bool m_guideHorizontal = false;
    int m_guidePos = -1;
    QPoint m_cross{-1, -1};
    // Strips a dragged guide line changed that no paint has shown yet.
    QRegion m_guideDirty;
    TPointerShape m_shape = TPointerShape::Default;
    QTimer m_autoScroll;
    QPoint m_dragPointer;
    QPointer<QWidget> m_typingTarget;
    const TCDLFrame *m_typingFrame = nullptr;
};
