#include "RoundText.h"

#include "RecordCode.h"
#include "Strings.h"

#include <cmath>
#include <numbers>

namespace {

using F = TCDLRText;
constexpr TRecordField kRTextLayout[] = {
    QM_FIELD(F, X),         QM_FIELD(F, X2),       QM_FIELD(F, Y),     QM_FIELD(F, Y2),     QM_FIELD(F, PenColor),
    QM_FIELD(F, FontName),  QM_FIELD(F, FontSize), QM_FIELD(F, Bold),  QM_FIELD(F, Italic), QM_FIELD(F, Underline),
    QM_FIELD(F, Alignment), QM_FIELD(F, Barcode),  QM_FIELD(F, Angle), QM_FIELD(F, Values),
};

constexpr TColor kGuideColor = 0xC0C0C0;
constexpr TColor kDragColor = 0x00FFFF;

double Distance(QPoint a, QPoint b) { return std::hypot(double(a.x()) - b.x(), double(a.y()) - b.y()); }

} // namespace

QPoint RotateAbout(QPoint p, QPoint c, double theta)
{
    const double dx = p.x() - c.x(), dy = p.y() - c.y();
    const double co = std::cos(theta), s = std::sin(theta);
    return {c.x() + RoundEven(dx * co + dy * s), c.y() + RoundEven(dy * co - dx * s)};
}

constexpr TKindTool kRTextTools[] = {{TTool::RoundText, nullptr}};
// Its centre and start point are free points.
const TFrameKind TCDLRText::Descriptor = {
    TagRText,
    "TCDLRText",
    &MakeFrame<TCDLRText>,
    kRTextTools,
    TPanel::ColorPanel | TPanel::Font | TPanel::RoundText,
    TTextFocus::RoundText,
    TSnapRule::Pointer,
};

TCDLRText::TCDLRText(TCDLPage *page, int32_t x, int32_t y) : TCDLFontFrame(page, x, y) { DragPointCount = 2; }

TRecordLayout TCDLRText::RecordLayout() const { return TRecordCode<kRTextLayout>::Layout; }

QString TCDLRText::Verbose() const
{
    return KindWord(558) + QStringLiteral("  ( ") + PositionText(X, Y) + QStringLiteral(" )  ") + GetText(559)
           + QStringLiteral(" ( ") + PositionText(X2, Y2) + QStringLiteral(" )");
}

void TCDLRText::ReCalc() const
{
    QString text;
    for (const QString &p : Values)
        text += Barcode ? BarcodeTransform(p) : p;
    TLayoutKey key{text, FontName, FontSize, X, Y, X2, Y2, FontGeneration(), Bold, Italic, Underline, Turned()};
    if (key == m_layoutKey)
        return;
    const TTextMeasure m(*this);
    m_lineHeight = m.LineHeight();
    m_chars.clear();
    const double r = std::hypot(double(X) - X2, double(Y) - Y2);
    m_radius = r == 0 ? 1.0 : r;
    double acc = 0;
    for (QChar ch : text) {
        if (ch.unicode() <= 31)
            continue;
        TCharInfo info;
        info.Char = ch;
        info.Width = m.CharWidth(ch);
        const double a = info.Width / m_radius;
        info.Angle = Turned() ? acc - a / 2 : acc + a / 2;
        acc += Turned() ? -a : a;
        m_chars.push_back(info);
    }
    m_span = acc;
    m_layoutKey = std::move(key);
}

TFrameGeometry TCDLRText::Geometry(const TPaintContext &c) const
{
    ReCalc();
    TFrameGeometry g;
    const QPoint centre = g.DragPoints[1] = c.Map(X2, Y2);
    g.DragPoints[2] = c.Map(X, Y);
    g.InnerRadius = RoundEven(Distance(centre, g.DragPoints[2]));
    g.OuterRadius = g.InnerRadius + int32_t(std::trunc(m_lineHeight * c.ScaleY));
    // The device start point, aligned, and the characters around the centre.
    QPoint s = g.DragPoints[2];
    if (Alignment == 1)
        s = RotateAbout(s, centre, -m_span / 2);
    else if (Alignment == 2)
        s = RotateAbout(s, centre, -m_span);
    const double dx = s.x() - centre.x(), dy = s.y() - centre.y();
    const double len = std::hypot(dx, dy);
    const double v = len == 0 ? 0 : std::clamp(-dy / len, -1.0, 1.0);
    g.StartAngle = dx >= 1 ? std::asin(v) : std::numbers::pi - std::asin(v);
    g.Chars.reserve(m_chars.size());
    for (const TCharInfo &info : m_chars)
        g.Chars.push_back({RotateAbout(s, centre, info.Angle),
                           RoundEven((g.StartAngle + info.Angle) * 180.0 / std::numbers::pi * 10)});
    g.EndAngle = g.StartAngle + m_span;
    return g;
}

void TCDLRText::PaintAt(TPaintContext &c, const TFrameGeometry &g) const
{
    if (!c.Canvas)
        return;
    QPainter &p = *c.Canvas;
    const QPoint centre = g.DragPoints[1];
    const bool dragged = DrawsDragOutline(c);
    if (c.ShowsEditingAids()) {
        if (!dragged)
            c.SetPen(kGuideColor, TPenMode::Copy, Qt::SolidLine, PenSize);
        else
            c.SetPen(kDragColor, TPenMode::Xor, Qt::SolidLine, 0);
        c.SetBrush(0, true);
        p.drawLine(centre, g.DragPoints[2]);
        p.drawEllipse(centre, g.InnerRadius, g.InnerRadius);
        p.drawEllipse(centre, g.OuterRadius, g.OuterRadius);
        c.SetMode(TPenMode::Copy);
    }
    if (dragged)
        return;
    ReCalc();
    const QFont font = CellFont(*this, CellPixels(FontSize, c.ScaleY));
    const QFontMetrics fm(font, p.device());
    p.save();
    p.setFont(font);
    p.setPen(ToQColor(PenColor));
    p.setBrush(Qt::NoBrush);
    const QTransform base = p.transform();
    // Top-centre on the inner circle, or bottom-centre when turned.
    const int baseline = Turned() ? -fm.descent() : fm.ascent();
    const int turn = Turned() ? -900 : 900;
    for (size_t i = 0; i < m_chars.size() && i < g.Chars.size(); ++i) {
        const TPlacedChar &at = g.Chars[i];
        const QChar ch = m_chars[i].Char;
        QTransform t;
        t.translate(at.Position.x(), at.Position.y());
        t.rotate(-(at.FontAngle + turn) / 10.0);
        p.setTransform(t * base);
        p.drawText(-fm.horizontalAdvance(ch) / 2, baseline, QString(ch));
    }
    p.restore();
}

// The characters stand on the circle, outside GetBoundRect's square, up to
// the outer circle a line height further out.
int TCDLRText::InkMargin(const TPaintContext &c) const
{
    return TCDLFrame::InkMargin(c) + CellPixels(FontSize, c.ScaleY);
}

bool TCDLRText::TestMouseHit(const TFrameGeometry &g, int x, int y) const
{
    const int d = RoundEven(Distance(QPoint(x, y), g.DragPoints[1]));
    return d >= g.InnerRadius && d <= g.OuterRadius;
}

bool TCDLRText::MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode)
{
    if (mode == ModeMove) {
        const int64_t vx = int64_t(X2) - X, vy = int64_t(Y2) - Y;
        X = SaturatedAdd(x, -int64_t(dx));
        Y = SaturatedAdd(y, -int64_t(dy));
        X2 = SaturatedAdd(X, vx);
        Y2 = SaturatedAdd(Y, vy);
    } else if (mode == 2 || mode == ModeCreate) {
        X = x;
        Y = y;
    } else if (mode == 1) {
        X2 = x;
        Y2 = y;
    }
    return true;
}

bool TCDLRText::IsInRect(const TFrameGeometry &g, const TRect &r) const
{
    const QPoint m = g.DragPoints[1];
    return r.Left < m.x() && m.x() < r.Right && r.Top < m.y() && m.y() < r.Bottom;
}

TRect TCDLRText::GetBoundRect() const
{
    const double r = std::hypot(double(X) - X2, double(Y) - Y2);
    return {int32_t(std::trunc(X2 - r)), int32_t(std::trunc(Y2 - r)), int32_t(std::trunc(X2 + r)),
            int32_t(std::trunc(Y2 + r))};
}
