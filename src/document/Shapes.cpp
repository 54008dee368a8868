#include "Shapes.h"

#include "Page.h"
#include "RecordCode.h"
#include "Strings.h"

#include <cmath>
#include <numbers>

namespace {

using F = TCDLFrame;
constexpr TColor kOutlineColor = 0x00FFFF;

constexpr TRecordField kLineLayout[] = {
    QM_FIELD(F, X), QM_FIELD(F, X2), QM_FIELD(F, Y), QM_FIELD(F, Y2), QM_FIELD(F, PenColor), QM_FIELD(F, PenSize),
};
constexpr TRecordField kRectLayout[] = {
    QM_FIELD(F, X),         QM_FIELD(F, Y),     QM_FIELD(F, Width),  QM_FIELD(F, Height),  QM_FIELD(F, PenColor),
    QM_FIELD(F, FillColor), QM_FIELD(F, NoPen), QM_FIELD(F, NoFill), QM_FIELD(F, PenSize), QM_FIELD(F, Angle),
};
constexpr TRecordField kCircleLayout[] = {
    QM_FIELD(F, X),     QM_FIELD(F, X2),     QM_FIELD(F, Y),        QM_FIELD(F, Y2),
    QM_FIELD(F, Width), QM_FIELD(F, Height), QM_FIELD(F, PenColor), QM_FIELD(F, FillColor),
    QM_FIELD(F, NoPen), QM_FIELD(F, NoFill), QM_FIELD(F, PenSize),
};
constexpr TRecordField kEllipseLayout[] = {
    QM_FIELD(F, X),     QM_FIELD(F, X2),     QM_FIELD(F, Y),        QM_FIELD(F, Y2),
    QM_FIELD(F, Width), QM_FIELD(F, Height), QM_FIELD(F, PenColor), QM_FIELD(F, FillColor),
    QM_FIELD(F, NoPen), QM_FIELD(F, NoFill), QM_FIELD(F, PenSize),  QM_FIELD(F, Angle),
};

double Dist(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

} // namespace

// ---- line ------------------------------------------------------------------

constexpr TKindTool kLineTools[] = {{TTool::Line, nullptr}};
const TFrameKind TCDLLinie::Descriptor = {
    TagLinie,         "TCDLLinie",        &MakeFrame<TCDLLinie>, kLineTools, TPanel::ColorPanel | TPanel::Pen,
    TTextFocus::None, TSnapRule::Pointer,
};

TCDLLinie::TCDLLinie(TCDLPage *page, int32_t x, int32_t y) : TCDLFrame(page, x, y) { DragPointCount = 2; }

TRecordLayout TCDLLinie::RecordLayout() const { return TRecordCode<kLineLayout>::Layout; }

QString TCDLLinie::Verbose() const
{
    return KindWord(563) + QStringLiteral("  ( ") + PositionText(X, Y) + QStringLiteral(" ) - ( ")
           + PositionText(X2, Y2) + QStringLiteral(" )");
}

void TCDLLinie::SetDefaults()
{
    X2 = X + 400;
    Y2 = Y;
}

TFrameGeometry TCDLLinie::Geometry(const TPaintContext &c) const
{
    TFrameGeometry g;
    g.DragPoints[1] = c.Map(X, Y);
    g.DragPoints[2] = c.Map(X2, Y2);
    return g;
}

void TCDLLinie::PaintAt(TPaintContext &c, const TFrameGeometry &) const
{
    if (!c.Canvas)
        return;
    const bool outline = DrawsDragOutline(c);
    c.SetPen(outline ? kOutlineColor : PenColor, outline ? TPenMode::Xor : TPenMode::Copy, Qt::SolidLine,
             outline ? 0 : PenWidth(PenSize));
    QPen pen = c.Canvas->pen();
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::BevelJoin);
    c.Canvas->setPen(pen);
    // From the model: the drag points of an end near the int32 limits wrap
    // at 600 dpi, and the painter clips a line wherever its ends lie.
    c.Canvas->drawLine(QLineF(c.MapF(X, Y), c.MapF(X2, Y2)));
    c.SetMode(TPenMode::Copy);
}

bool TCDLLinie::TestMouseHit(const TFrameGeometry &g, int x, int y) const
{
    const auto &dp = g.DragPoints;
    const QPointF a(dp[1]), b(dp[2]), m(x, y);
    return std::round(Dist(a, m) + Dist(m, b) - Dist(a, b)) < 1;
}

namespace {

// Kinds defined by two points move both to (x, y) less the grab offset;
// Width and Height take the offset between them on the way. Either point
// stops at the end of the coordinate range.
void MoveBothPoints(TCDLFrame &f, int32_t x, int32_t y, int32_t dx, int32_t dy)
{
    const int64_t vx = int64_t(f.X2) - f.X, vy = int64_t(f.Y2) - f.Y;
    f.Width = int32_t(vx);
    f.Height = int32_t(vy);
    f.X = SaturatedAdd(x, -int64_t(dx));
    f.Y = SaturatedAdd(y, -int64_t(dy));
    f.X2 = SaturatedAdd(f.X, vx);
    f.Y2 = SaturatedAdd(f.Y, vy);
}

} // namespace

bool TCDLLinie::MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode)
{
    if (mode == ModeMove) {
        MoveBothPoints(*this, x, y, dx, dy);
    } else if (mode == 1) {
        X = x;
        Y = y;
    } else if (mode == 2 || mode == ModeCreate) {
        X2 = x;
        Y2 = y;
    }
    return true;
}

TRect TCDLLinie::GetBoundRect() const { return TRect::normalized(X, Y, X2, Y2); }

// ---- rectangle -------------------------------------------------------------

constexpr TKindTool kRectTools[] = {{TTool::Rectangle, nullptr}};
// Pen and fill with the "no pen" box, turned about its corner.
constexpr TPanels kBoxPanels =
    TPanel::FillColor | TPanel::ColorPanel | TPanel::Pen | TPanel::NoPenBox | TPanel::Rotation;
const TFrameKind TCDLRechteck::Descriptor = {
    TagRechteck, "TCDLRechteck", &MakeFrame<TCDLRechteck>, kRectTools, kBoxPanels, TTextFocus::None, TSnapRule::Box,
};

TCDLRechteck::TCDLRechteck(TCDLPage *page, int32_t x, int32_t y) : TCDLFrame(page, x, y) {}

TRecordLayout TCDLRechteck::RecordLayout() const { return TRecordCode<kRectLayout>::Layout; }

QString TCDLRechteck::Verbose() const { return BoxVerbose(564); }

// ---- circle ----------------------------------------------------------------

constexpr TKindTool kCircleTools[] = {{TTool::Circle, nullptr}};
// A circle does not turn.
const TFrameKind TCDLKreis::Descriptor = {
    TagKreis,
    "TCDLKreis",
    &MakeFrame<TCDLKreis>,
    kCircleTools,
    TPanel::FillColor | TPanel::ColorPanel | TPanel::Pen | TPanel::NoPenBox,
    TTextFocus::None,
    TSnapRule::Pointer,
};

TCDLKreis::TCDLKreis(TCDLPage *page, int32_t x, int32_t y) : TCDLFrame(page, x, y) { DragPointCount = 2; }

TRecordLayout TCDLKreis::RecordLayout() const { return TRecordCode<kCircleLayout>::Layout; }

QString TCDLKreis::Verbose() const
{
    return KindWord(138) + QStringLiteral("  ( ") + PositionText(X, Y) + QStringLiteral(" )  ") + GetText(559)
           + QStringLiteral(" ( ") + PositionText(X2, Y2) + QStringLiteral(" )");
}

TFrameGeometry TCDLKreis::Geometry(const TPaintContext &c) const
{
    TFrameGeometry g;
    g.DragPoints[1] = c.Map(X2, Y2);
    g.DragPoints[2] = c.Map(X, Y);
    g.Radius = std::round(Dist(QPointF(g.DragPoints[1]), QPointF(g.DragPoints[2])));
    return g;
}

void TCDLKreis::PaintAt(TPaintContext &c, const TFrameGeometry &g) const
{
    if (!c.Canvas)
        return;
    if (DrawsDragOutline(c)) {
        DrawInteractionOutline(c, kOutlineColor, Qt::DotLine);
    } else {
        c.SetPen(PenColor, TPenMode::Copy, NoPen ? Qt::NoPen : Qt::SolidLine, PenWidth(PenSize));
        c.SetBrush(FillColor, NoFill);
    }
    const int r = int(g.Radius);
    const QPoint m = g.DragPoints[1];
    c.Canvas->drawEllipse(QRect(m.x() - r, m.y() - r, 2 * r, 2 * r));
    c.SetMode(TPenMode::Copy);
}

bool TCDLKreis::TestMouseHit(const TFrameGeometry &g, int x, int y) const
{
    return Dist(QPointF(x, y), QPointF(g.DragPoints[1])) <= g.Radius;
}

void TCDLKreis::SetDefaults()
{
    // A click on the centre itself would leave nothing to see or to grab:
    // the circle then gets the default extent of the other shapes.
    if (std::abs(int64_t(X) - X2) < 10 && std::abs(int64_t(Y) - Y2) < 10) {
        X = SaturatedInt(double(X2) + 200);
        Y = Y2;
    }
}

bool TCDLKreis::MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode)
{
    if (mode == ModeMove) {
        MoveBothPoints(*this, x, y, dx, dy);
    } else if (mode == 2 || mode == ModeCreate) {
        X = x;
        Y = y;
    } else if (mode == 1) {
        X2 = x;
        Y2 = y;
    }
    if (std::abs(int64_t(X) - X2) < 10 && std::abs(int64_t(Y) - Y2) < 10) {
        X = SaturatedAdd(X2, 10);
        Y = SaturatedAdd(Y2, 10);
    }
    return true;
}

bool TCDLKreis::IsInRect(const TFrameGeometry &g, const TRect &r) const
{
    const QPoint m = g.DragPoints[1];
    return DragPointCount >= 1 && r.Left < m.x() && m.x() < r.Right && r.Top < m.y() && m.y() < r.Bottom;
}

TRect TCDLKreis::GetBoundRect() const
{
    const double r = std::sqrt(double(int64_t(X) - X2) * double(int64_t(X) - X2)
                               + double(int64_t(Y) - Y2) * double(int64_t(Y) - Y2));
    return {SaturatedInt(std::trunc(X2 - r)), SaturatedInt(std::trunc(Y2 - r)), SaturatedInt(std::trunc(X2 + r)),
            SaturatedInt(std::trunc(Y2 + r))};
}

// ---- ellipse ---------------------------------------------------------------

constexpr TKindTool kEllipseTools[] = {{TTool::Ellipse, nullptr}};
// Its corners size the box along the diagonal; the side handles follow the
// pointer.
const TFrameKind TCDLEllipse::Descriptor = {
    TagEllipse, "TCDLEllipse",    &MakeFrame<TCDLEllipse>, kEllipseTools,
    kBoxPanels, TTextFocus::None, TSnapRule::BoxCorners,
};

TCDLEllipse::TCDLEllipse(TCDLPage *page, int32_t x, int32_t y) : TCDLFrame(page, x, y) {}

TRecordLayout TCDLEllipse::RecordLayout() const { return TRecordCode<kEllipseLayout>::Layout; }

QString TCDLEllipse::Verbose() const
{
    return KindWord(139) + QStringLiteral("  ( ") + PositionText(X, Y) + QStringLiteral(" )  ") + QStringLiteral(" ( ")
           + FormatLength(Width) + QStringLiteral(" ; ") + FormatLength(Height) + QStringLiteral(" )");
}

namespace {

// The unit circle at the polygon's parameters, the same for every ellipse:
// computed once rather than twice 80 times per ellipse and paint.
struct TUnitCircle
{
    std::array<double, TCDLEllipse::PolygonPoints> Sin, Cos;
    TUnitCircle()
    {
        for (int k = 0; k < TCDLEllipse::PolygonPoints; ++k) {
            const double t = double(k) / (TCDLEllipse::PolygonPoints - 1) * 2 * std::numbers::pi;
            Sin[size_t(k)] = std::sin(t);
            Cos[size_t(k)] = std::cos(t);
        }
    }
};

} // namespace

std::array<QPoint, TCDLEllipse::PolygonPoints> TCDLEllipse::Polygon(const TPaintContext &c) const
{
    static const TUnitCircle unit;
    const double ang = Angle * std::numbers::pi / 180.0;
    const double s = std::sin(ang), co = std::cos(ang);
    const double a = Width / 2.0, b = Height / 2.0;
    const double cx = X + a * co + b * s, cy = Y - a * s + b * co;
    std::array<QPoint, PolygonPoints> pts;
    for (int k = 0; k < PolygonPoints; ++k) {
        const double px = a * unit.Sin[size_t(k)], py = b * unit.Cos[size_t(k)];
        const double mx = cx + px * co + py * s, my = cy - px * s + py * co;
        pts[size_t(k)] = QPoint(MapToDevice(mx, c.ScaleX, c.OffsetX), MapToDevice(my, c.ScaleY, c.OffsetY));
    }
    // sin 2pi is not exactly 0, which can put the last point a pixel off the
    // first; the outline must close on itself.
    pts.back() = pts.front();
    return pts;
}

TFrameGeometry TCDLEllipse::Geometry(const TPaintContext &c) const
{
    TFrameGeometry g = TCDLFrame::Geometry(c);
    const auto pts = Polygon(c);
    g.Outline.assign(pts.begin(), pts.end());
    return g;
}

void TCDLEllipse::PaintAt(TPaintContext &c, const TFrameGeometry &g) const
{
    if (!c.Canvas)
        return;
    if (DrawsDragOutline(c)) {
        DrawInteractionOutline(c, kOutlineColor, Qt::DotLine);
    } else {
        c.SetPen(PenColor, TPenMode::Copy, NoPen ? Qt::NoPen : Qt::SolidLine, PenWidth(PenSize));
        c.SetBrush(FillColor, NoFill);
    }
    if (g.Outline.size() == PolygonPoints) {
        c.Canvas->drawPolygon(g.Outline.data(), PolygonPoints);
    } else {
        const auto pts = Polygon(c);
        c.Canvas->drawPolygon(pts.data(), PolygonPoints);
    }
    c.SetMode(TPenMode::Copy);
}

bool TCDLEllipse::TestMouseHit(const TFrameGeometry &g, int x, int y) const
{
    const auto &dp = g.DragPoints;
    const QPoint p0 = dp[1];
    const QPointF m = RotatePointF(QPointF(x, y), QPointF(p0), -Angle);
    // Integer, so a zero-width ellipse stays exactly zero wide.
    const QPoint p2 = RotatePoint(dp[3], p0, -Angle);
    // Half of an odd extent keeps its half pixel, or the far rim would miss.
    const double a = std::abs(p2.x() - p0.x()) / 2.0, b = std::abs(p2.y() - p0.y()) / 2.0;
    // Rotating a flat ellipse's corner back can leave a pixel of rounding.
    if (Width == 0 || Height == 0 || a == 0 || b == 0)
        return false;
    // About the box's centre: a negative width or height spans it back from P0.
    const double u = (m.x() - (p0.x() + p2.x()) / 2.0) / a, v = (m.y() - (p0.y() + p2.y()) / 2.0) / b;
    return u * u + v * v <= 1;
}

bool TCDLEllipse::IsInRect(const TFrameGeometry &g, const TRect &r) const
{
    const QPoint p = g.DragPoints[1];
    return r.Left < p.x() && p.x() < r.Right && r.Top < p.y() && p.y() < r.Bottom;
}
