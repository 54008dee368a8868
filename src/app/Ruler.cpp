#include "Ruler.h"

#include "Page.h"
#include "Units.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace {

TRulerStep NextStep(TRulerStep s)
{
    switch (s.Mantissa) {
    case 1: return {2, s.Exponent};
    case 2: return {5, s.Exponent};
    default: return {1, s.Exponent + 1};
    }
}

int64_t Pow10(int e)
{
    int64_t r = 1;
    while (e-- > 0)
        r *= 10;
    return r;
}

// How many ticks of `tick` make `label`; 0 when it is no whole multiple.
int Multiple(TRulerStep label, TRulerStep tick)
{
    if (label.Exponent < tick.Exponent || label.Exponent - tick.Exponent > 9)
        return 0;
    const int64_t n = label.Mantissa * Pow10(label.Exponent - tick.Exponent);
    return n % tick.Mantissa == 0 ? int(n / tick.Mantissa) : 0;
}

// k x Mantissa x 10^Exponent with the decimal comma the length formatter uses.
QString LabelText(int64_t k, TRulerStep s)
{
    if (s.Exponent >= 0)
        return QString::number(k * s.Mantissa * Pow10(s.Exponent));
    const int decimals = -s.Exponent;
    const int64_t n = k * s.Mantissa;
    QString digits = QString::number(std::llabs(n)).rightJustified(decimals + 1, QLatin1Char('0'));
    digits.insert(digits.size() - decimals, QLatin1Char(','));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}

} // namespace

double TRulerStep::Units() const { return Mantissa * std::pow(10.0, Exponent); }

TRulerScale ChooseRulerScale(double pixelsPerModelUnit, int divisor, int labelPixels, int minTickPixels)
{
    TRulerScale r;
    if (!(pixelsPerModelUnit > 0) || !std::isfinite(pixelsPerModelUnit) || divisor <= 0)
        return r;
    const double perUnit = pixelsPerModelUnit * divisor;
    // From a step finer than one model unit upwards; 10^12 units end the walk
    // for any scale a page can have.
    TRulerStep s{1, int(std::floor(std::log10(1.0 / divisor))) - 1};
    while (s.Exponent < 12 && (s.Units() * divisor < 1 - 1e-9 || s.Units() * perUnit < minTickPixels))
        s = NextStep(s);
    r.Tick = r.Label = s;
    while (s.Exponent < 12) {
        const int m = Multiple(s, r.Tick);
        if (m > 0 && s.Units() * perUnit >= labelPixels) {
            r.Label = s;
            r.TicksPerLabel = m;
            break;
        }
        s = NextStep(s);
    }
    return r;
}

std::vector<TRulerMark> RulerMarks(const TRulerScale &scale, int divisor, int32_t origin, double pixelsPerModelUnit,
                                   int offset, int from, int to)
{
    std::vector<TRulerMark> marks;
    if (!(pixelsPerModelUnit > 0) || divisor <= 0 || from > to || scale.TicksPerLabel < 1)
        return marks;
    // The tick step in model units as num / den, so that every whole-unit
    // position is computed exactly and maps as the page maps it.
    const int e = scale.Tick.Exponent;
    const int64_t num = scale.Tick.Mantissa * divisor * (e >= 0 ? Pow10(e) : 1);
    const int64_t den = e >= 0 ? 1 : Pow10(-e);
    const double step = double(num) / double(den);
    if (step * pixelsPerModelUnit < 1)
        return marks;
    const double lo = (from - offset) / pixelsPerModelUnit - origin;
    const double hi = (to - offset) / pixelsPerModelUnit - origin;
    const int64_t jFrom = int64_t(std::floor(lo / step)) - 1;
    const int64_t jTo = int64_t(std::ceil(hi / step)) + 1;
    const int r = scale.TicksPerLabel;
    for (int64_t j = jFrom; j <= jTo; ++j) {
        const double model = double(int64_t(origin) * den + j * num) / double(den);
        const int pos = MapToDevice(model, pixelsPerModelUnit, offset);
        if (pos < from || pos > to)
            continue;
        const int64_t phase = ((j % r) + r) % r;
        TRulerMark m;
        m.Pos = pos;
        if (phase == 0) {
            m.Type = TRulerMark::Labelled;
            m.Label = LabelText(j / r, scale.Label);
        } else if (r % 2 == 0 && phase == r / 2) {
            m.Type = TRulerMark::Middle;
        }
        marks.push_back(std::move(m));
    }
    return marks;
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

int TRuler::ControlStart() const { return m_control ? along(mapFromGlobal(m_control->mapToGlobal(QPoint()))) : 0; }

std::optional<TRuler::TView> TRuler::view() const
{
    if (!m_page || !m_control)
        return std::nullopt;
    // The mapping the page paints with at the control's present size.
    TPaintContext c = m_page->Context;
    m_page->FitInto(c, m_control->width(), m_control->height(), c.Zoom);
    const bool horizontal = m_orient == Qt::Horizontal;
    return TView{
        .PixelsPerUnit = horizontal ? c.ScaleX : c.ScaleY,
        .Offset = horizontal ? c.OffsetX : c.OffsetY,
        .Origin = horizontal ? m_page->Origin.x() : m_page->Origin.y(),
        .Start = ControlStart(),
        .Extent = along(QPoint(m_control->width(), m_control->height())),
        .Divisor = UnitDivisor(),
        .Length = along(QPoint(width(), height())),
    };
}

void TRuler::Refresh()
{
    if (view() != m_painted)
        update();
}

void TRuler::SetMark(int devicePos)
{
    m_mark = devicePos < 0 || !m_control ? -1 : devicePos + ControlStart();
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
    const bool horizontal = m_orient == Qt::Horizontal;
    const int length = along(QPoint(width(), height()));
    const int h = Thickness;
    m_marks.clear();
    m_painted = view();
    if (m_painted) {
        const double ppm = m_painted->PixelsPerUnit;
        const int offset = m_painted->Offset, origin = m_painted->Origin, start = m_painted->Start,
                  extent = m_painted->Extent, divisor = m_painted->Divisor;
        const QFontMetrics fm = p.fontMetrics();
        int tw = fm.horizontalAdvance(QStringLiteral("-9999"));
        m_scale = ChooseRulerScale(ppm, divisor, tw + LabelGap, MinTickPixels);
        if (m_scale.Label.Exponent < 0) {
            // Labels with decimals are wider; they may need a coarser step.
            const QString widest = QStringLiteral("-99,") + QString(-m_scale.Label.Exponent, QLatin1Char('9'));
            tw = std::max(tw, fm.horizontalAdvance(widest));
            m_scale = ChooseRulerScale(ppm, divisor, tw + LabelGap, MinTickPixels);
        }
        m_marks = RulerMarks(m_scale, divisor, origin, ppm, offset, std::max(0, -start),
                             std::min(extent, length - 1 - start));
        const int longFrom = 2 * h / 3, shortFrom = 3 * h / 4;
        p.setPen(pal.buttonText().color());
        for (const TRulerMark &m : m_marks) {
            const int x = start + m.Pos;
            drawMark(p, x, m.Type == TRulerMark::Minor ? shortFrom : longFrom, h);
            if (m.Type != TRulerMark::Labelled)
                continue;
            const int lw = fm.horizontalAdvance(m.Label);
            if (x - lw / 2 >= start && x + (lw + 1) / 2 <= length)
                drawLabel(p, x, m.Label);
        }
    }
    if (m_mark >= 0) {
        p.setPen(QColor(Qt::red));
        drawMark(p, m_mark, 0, h);
    }
    // Three-dimensional border.
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(pal.light().color());
    p.drawLine(r.topLeft(), horizontal ? r.topRight() : r.bottomLeft());
    p.setPen(pal.dark().color());
    if (horizontal)
        p.drawLine(r.bottomLeft(), r.bottomRight());
    else
        p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(pal.shadow().color());
    if (horizontal)
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
