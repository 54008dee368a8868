#include "PanelWidgets.h"

#include "PaintContext.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace {

struct TMultiplier
{
    int R, G, B;
};
constexpr TMultiplier kHues[PaletteRows - 1] = {
    {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}, {0, 2, 0}, {0, 2, 1},
    {0, 2, 2}, {0, 1, 2}, {0, 0, 2}, {1, 0, 2}, {2, 0, 2}, {2, 0, 1},
};

} // namespace

TColor PaletteColor(int row, int column)
{
    if (row <= 0) {
        const int v = 17 * column;
        return RGBColor(v, v, v);
    }
    const TMultiplier &m = kHues[row - 1];
    const int b = 45 + 14 * column;
    return RGBColor(b * m.R / 2, b * m.G / 2, b * m.B / 2);
}

TColorGrid::TColorGrid(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

void TColorGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    for (int r = 0; r < PaletteRows; ++r)
        for (int c = 0; c < PaletteColumns; ++c) {
            p.setBrush(ToQColor(PaletteColor(r, c)));
            p.drawRect(c * Cell, r * Cell, Cell, Cell);
        }
}

void TColorGrid::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint p = e->position().toPoint();
    const int c = p.x() / Cell, r = p.y() / Cell;
    if (p.x() >= 0 && p.y() >= 0 && c < PaletteColumns && r < PaletteRows)
        emit cellSelected(r, c);
}

TColorSwatch::TColorSwatch(QWidget *parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void TColorSwatch::SetColor(TColor c)
{
    m_color = c;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(ToQColor(m_color));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TCompass::TCompass(QWidget *parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void TCompass::SetAngle(int degrees)
{
    m_angle = degrees;
    update();
}

void TCompass::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(3, 3, -3, -3);
    const QPointF c = r.center();
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.setBrush(palette().color(QPalette::Base));
    p.drawEllipse(r);
    for (int k = 0; k < 4; ++k) {
        const double a = k * std::numbers::pi / 2;
        const QPointF d(std::cos(a), -std::sin(a));
        p.drawLine(c + d * (r.width() / 2 - 4), c + d * (r.width() / 2));
    }
    const double a = m_angle * std::numbers::pi / 180;
    const QPointF tip = c + QPointF(std::cos(a), -std::sin(a)) * (r.width() / 2 - 3);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, tip);
    p.setBrush(palette().color(QPalette::Highlight));
    p.drawEllipse(c, 2.5, 2.5);
}
