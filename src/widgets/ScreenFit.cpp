#include "ScreenFit.h"

#include <QScreen>
#include <QScrollBar>

#include <algorithm>

TScreenFitArea::TScreenFitArea(QWidget *body, int reserve, QWidget *parent) : QScrollArea(parent), m_reserve(reserve)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The inputs in the body take Tab (the area scrolls to them); neither the
    // area nor its scroll bar is a stop.
    setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setWidget(body);
}

int TScreenFitArea::HeightLimit() const
{
    const QScreen *s = screen();
    return s ? std::max(s->availableGeometry().height() - m_reserve, 120) : QWIDGETSIZE_MAX;
}

QSize TScreenFitArea::sizeHint() const
{
    // Room for the scroll bar only when it will show.
    QSize s = widget()->sizeHint();
    if (s.height() > HeightLimit())
        s.rwidth() += verticalScrollBar()->sizeHint().width();
    return s;
}

QSize TScreenFitArea::minimumSizeHint() const
{
    QSize s = widget()->minimumSizeHint();
    if (s.height() > HeightLimit()) {
        s.setHeight(HeightLimit());
        s.rwidth() += verticalScrollBar()->sizeHint().width();
    }
    return s;
}

void TScreenFitArea::FitWindow()
{
    updateGeometry();
    QWidget *w = window();
    const QSize hint = w->sizeHint();
    const int excess = widget()->sizeHint().height() - HeightLimit();
    w->resize(hint.width(), excess > 0 ? hint.height() - excess : hint.height());
}
