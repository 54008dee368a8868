// Full repaints of a page at the frame limit, the shapes 0.5 to 4 mm as small
// as 30,000 must be to share one label, and of a typical label of a few dozen
// larger shapes. Each figure stands beside its floor: the same primitives
// drawn with a bare QPainter from device geometry computed beforehand.

#include "BenchSupport.h"
#include "Document.h"
#include "RandomShapes.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <random>
#include <variant>
#include <vector>

namespace {

// QM_BENCH_RUNS=1 for a profile.
const int Runs = qEnvironmentVariableIsSet("QM_BENCH_RUNS") ? qEnvironmentVariableIntValue("QM_BENCH_RUNS") : 7;

// One primitive as the floor draws it.
struct TOp
{
    QPen Pen;
    QBrush Brush;
    std::variant<QLine, QRect, std::vector<QPoint>> Shape;
};

struct TFloor
{
    QPainterPath Background;
    QColor BackColor;
    std::vector<TOp> Ops;
    QPoint Centre;
    int Radius = 0, Hole = 0;
};

QPen CosmeticPen(TColor color, Qt::PenStyle style, int width)
{
    QPen pen(ToQColor(color), width, style);
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The visible shapes' device geometry, pens and brushes, all computed here,
// before the timing.
TFloor MakeFloor(TCDLPage &page, QSize size)
{
    TPaintContext c = page.Context;
    page.FitInto(c, size.width(), size.height(), c.Zoom);
    TFloor fl;
    fl.Background = page.ShapePath(c);
    fl.BackColor = ToQColor(page.DisplayColor());
    fl.Centre = c.Map(0, 0);
    fl.Radius = c.MapLenX(CDRadius);
    fl.Hole = c.MapLenX(CDHoleRadius);
    const QRect screen(QPoint(), size);
    for (const auto &f : page.Frames()) {
        const int width = f->PenSize == 0 ? 1 : std::max(1, c.MapLenX(f->PenSize));
        const QBrush brush = f->NoFill ? QBrush(Qt::NoBrush) : QBrush(ToQColor(f->FillColor));
        const QPen pen = CosmeticPen(f->PenColor, f->NoPen ? Qt::NoPen : Qt::SolidLine, width);
        const TFrameGeometry g = f->Geometry(c);
        const auto &dp = g.DragPoints;
        TOp op{pen, brush, {}};
        QRect box;
        if (KindCast<TCDLLinie>(f.get())) {
            op.Pen = CosmeticPen(f->PenColor, Qt::SolidLine, width);
            op.Pen.setCapStyle(Qt::SquareCap);
            op.Pen.setJoinStyle(Qt::BevelJoin);
            op.Brush = QBrush();
            op.Shape = QLine(dp[1], dp[2]);
            box = QRect(dp[1], dp[2]).normalized();
        } else if (KindCast<TCDLKreis>(f.get())) {
            const int r = int(g.Radius);
            box = QRect(dp[1].x() - r, dp[1].y() - r, 2 * r, 2 * r);
            op.Shape = box;
        } else {
            std::vector<QPoint> pts;
            if (const auto *e = KindCast<TCDLEllipse>(f.get())) {
                const auto poly = e->Polygon(c);
                pts.assign(poly.begin(), poly.end());
            } else {
                pts.assign(dp.begin() + 1, dp.begin() + 5);
            }
            box = QPolygon(QList<QPoint>(pts.begin(), pts.end())).boundingRect();
            op.Shape = std::move(pts);
        }
        if (box.adjusted(-width, -width, width, width).intersects(screen))
            fl.Ops.push_back(std::move(op));
    }
    return fl;
}

void PaintFloor(const TFloor &fl, QImage &screen)
{
    screen.fill(Qt::white);
    QPainter p(&screen);
    p.setClipRect(screen.rect());
    p.fillPath(fl.Background, fl.BackColor);
    for (const TOp &op : fl.Ops) {
        p.setPen(op.Pen);
        p.setBrush(op.Brush);
        if (const auto *l = std::get_if<QLine>(&op.Shape))
            p.drawLine(*l);
        else if (const auto *r = std::get_if<QRect>(&op.Shape))
            p.drawEllipse(*r);
        else if (const auto *pts = std::get_if<std::vector<QPoint>>(&op.Shape))
            p.drawPolygon(pts->data(), int(pts->size()));
    }
    p.setPen(CosmeticPen(0, Qt::SolidLine, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(fl.Centre, fl.Radius, fl.Radius);
    p.drawEllipse(fl.Centre, fl.Hole, fl.Hole);
}

void PaintPage(TCDLPage &page, QImage &screen)
{
    screen.fill(Qt::white);
    QPainter p(&screen);
    page.PaintScreen(p, screen.size());
}

void Measure(const char *name, TCDLPage &page, int zoom)
{
    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    page.Context.SetZoomLevel(zoom);
    const TFloor fl = MakeFloor(page, screen.size());
    // The first paint places every frame, as a window's first paint does.
    PaintPage(page, screen);
    const QImage program = screen.copy();
    const double ms = MedianMs(Runs, [&](int) { PaintPage(page, screen); });
    const double floorMs = MedianMs(Runs, [&](int) { PaintFloor(fl, screen); });
    if (screen != program)
        std::printf("(%s: the floor's picture differs from the page's)\n", name);
    ReportMs(name, ms, floorMs);
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);

    TCDLDocument doc;
    std::mt19937 rng(1);
    for (int i = 0; i < MaxFramesPerPage; ++i)
        doc.Label().AddFrame(RandomShape(doc.Label(), rng, 5, 40));
    std::printf("%d shapes on one page, painted at 1920 x 1080\n", MaxFramesPerPage);
    Measure("shapes repaint zoom 4", doc.Label(), 4);
    Measure("shapes repaint zoom 7", doc.Label(), 7);

    TCDLDocument typical;
    for (int i = 0; i < 30; ++i)
        typical.Label().AddFrame(RandomShape(typical.Label(), rng, 50, 400));
    Measure("shapes repaint typical", typical.Label(), 4);
    return 0;
}
