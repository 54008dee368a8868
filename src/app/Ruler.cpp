#include "Ruler.h"

#include "Page.h"
#include "Units.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

int RulerLabelStep(int labelWidth, int divisor, double scale)
{
    const double perUnit = divisor * scale;
    if (perUnit <= 0)
        return 1;
    const int s = int(std::trunc(std::trunc(labelWidth * 2.5) / perUnit));
    return std::max(1, s);
}

TRuler::TRuler(Qt::Orientation o, QWidget *parent) : QWidget(parent), m_orient(o)
{
    QFont f(o == Qt::Horizontal ? QStringLiteral("Arial") : QStringLiteral("Small Fonts"));
    f.setPixelSize(9);
    setFont(f);
    if (o == Qt::Horizontal)
        setFixedHeight(Thickness);
    else
        setFixedWidth(Thickness);
    setMouseTracking(false);
}

void TRuler::SetPage(TCDLPage *page, QWidget *pageControl)
{
    m_page = page;
    m_control = pageControl;
    update();
}

void TRuler::SetMark(int devicePos)
{
    m_mark = devicePos < 0 || !m_control ? -1 : devicePos + along(m_control->mapTo(parentWidget(), QPoint()))
                                                   - along(pos());
    update();
}

void TRuler::drawMark(QPainter &p, int x, int from, int to)
{
    if (m_orient == Qt::Horizontal)
        p.drawLine(x, from, x, to);
    else
        p.drawLine(from, x, to, x);
}

void TRuler::drawLabel(QPainter &p, int x, const QString &text)
{
    const int tw = p.fontMetrics().horizontalAdvance(text);
    if (m_orient == Qt::Horizontal) {
        p.drawText(x - tw / 2, p.fontMetrics().ascent(), text);
        return;
    }
    // Turned by 90 degrees: the text runs upward, centred on its mark.
    p.save();
    p.translate(3 + p.fontMetrics().ascent(), x + tw / 2);
    p.rotate(-90);
    p.drawText(0, 0, text);
    p.restore();
}

void TRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    p.fillRect(rect(), pal.button());
    const int length = m_orient == Qt::Horizontal ? width() : height();
    const int h = Thickness;
    if (m_page && m_control) {
        const TPaintContext &c = m_page->Context;
        const int areaStart = along(m_control->mapTo(parentWidget(), QPoint())) - along(pos());
        const int areaEnd = areaStart + (m_orient == Qt::Horizontal ? m_control->width() : m_control->height());
        const double scale = m_orient == Qt::Horizontal ? c.ScaleX : c.ScaleY;
        const int o = areaStart
                      + (m_orient == Qt::Horizontal ? c.MapX(m_page->Origin.x()) : c.MapY(m_page->Origin.y()));
        const int divisor = UnitDivisor();
        const int tw = p.fontMetrics().horizontalAdvance(QStringLiteral("-9999"));
        const int s = RulerLabelStep(tw, divisor, scale);
        m_step = s;
        const double P = s * divisor * scale;
        const int longFrom = 2 * h / 3, shortFrom = 3 * h / 4;
        p.setPen(pal.buttonText().color());
        auto sub = [&](double x, int k) {
            drawMark(p, int(x), k == 5 ? longFrom : shortFrom, h);
        };
        for (int i = 0;; ++i) {
            const double x = o + i * P;
            if (x > length || x > areaEnd || P <= 0)
                break;
            const QString label = QString::number(s * i);
            const int lw = p.fontMetrics().horizontalAdvance(label);
            if (x + P > areaStart) {
                if (x - lw / 2 > areaStart) {
                    drawMark(p, int(x), longFrom, h);
                    if (x + lw < length && lw < P)
                        drawLabel(p, int(x), label);
                }
                for (int k = 1; k <= 9; ++k) {
                    const double sx = x + k * P / 10;
                    if (sx > areaStart && sx <= areaEnd)
                        sub(sx, k);
                }
            }
        }
        for (int i = 0;; ++i) {
            const double x = o - i * P;
            if (x < 0 || x < areaStart || P <= 0)
                break;
            const QString label = QStringLiteral("-") + QString::number(s * i);
            const int lw = p.fontMetrics().horizontalAdvance(label);
            if (x - lw / 2 > areaStart) {
                if (x <= areaEnd) {
                    drawMark(p, int(x), longFrom, h);
                    if (i > 0 && lw < P)
                        drawLabel(p, int(x), label);
                }
                for (int k = 1; k <= 9; ++k) {
                    const double sx = x - k * P / 10;
                    if (sx <= areaEnd && sx > areaStart)
                        sub(sx, k);
                }
            }
        }
    }
    if (m_mark >= 0) {
        p.setPen(QColor(Qt::red));
        drawMark(p, m_mark, 0, h);
    }
    // Three-dimensional border.
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(pal.light().color());
    p.drawLine(r.topLeft(), m_orient == Qt::Horizontal ? r.topRight() : r.bottomLeft());
    p.setPen(pal.dark().color());
    if (m_orient == Qt::Horizontal)
        p.drawLine(r.bottomLeft(), r.bottomRight());
    else
        p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(pal.shadow().color());
    if (m_orient == Qt::Horizontal)
        p.drawLine(r.topLeft(), r.bottomLeft());
    else
        p.drawLine(r.topLeft(), r.topRight());
}

int TRuler::pagePos(QPoint rulerPoint) const
{
    const QPoint inControl = m_control->mapFromGlobal(mapToGlobal(rulerPoint));
    // The top ruler gives horizontal guide lines, placed at a y.
    return m_orient == Qt::Horizontal ? inControl.y() : inControl.x();
}

void TRuler::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && m_page && m_control)
        m_dragging = true;
}

void TRuler::mouseMoveEvent(QMouseEvent *e)
{
    if (m_dragging)
        emit guideDragged(m_orient == Qt::Horizontal, pagePos(e->position().toPoint()), false);
}

void TRuler::mouseReleaseEvent(QMouseEvent *e)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    emit guideDragged(m_orient == Qt::Horizontal, pagePos(e->position().toPoint()), true);
}
