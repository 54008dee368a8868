#pragma once
// Shows one page of a document and reports the pointer over it. Overlays
// that follow the pointer (a guide line dragged out of a ruler, the
// zero-point crosshair) are state here and painted in paintEvent.

#include "Page.h"

#include <QWidget>

class TPageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TPageWidget(QWidget *parent = nullptr);
    void setPage(TCDLPage *page);
    TCDLPage *page() const { return m_page; }

    // -1 hides the overlay.
    void setGuidePreview(bool horizontal, int pos);
    void setCrosshair(QPoint p);

signals:
    void pointerMoved(QPoint devicePos);
    void pointerLeft();
    void painted();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void leaveEvent(QEvent *) override;
    void enterEvent(QEnterEvent *) override;

private:
    TCDLPage *m_page = nullptr;
    bool m_guideHorizontal = false;
    int m_guidePos = -1;
    QPoint m_cross{-1, -1};
};
