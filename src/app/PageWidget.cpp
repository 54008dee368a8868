#include "PageWidget.h"

#include <QMouseEvent>
#include <QPainter>

TPageWidget::TPageWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(100, 100);
}

void TPageWidget::setPage(TCDLPage *page)
{
    m_page = page;
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

void TPageWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (m_page)
        m_page->PaintScreen(p, size());
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

void TPageWidget::mouseMoveEvent(QMouseEvent *e) { emit pointerMoved(e->position().toPoint()); }

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
