#include "PageWidget.h"

#include <QPainter>

TPageWidget::TPageWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 200);
}

void TPageWidget::setPage(TCDLPage *page)
{
    m_page = page;
    update();
}

void TPageWidget::ShowStatus(const QString &text) { emit statusChanged(text); }

void TPageWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_page ? ToQColor(m_page->DisplayColor()) : QColor(Qt::white));
    if (m_page)
        m_page->PaintScreen(p, size());
}
