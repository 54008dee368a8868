#include "GlyphLines.h"
#include "InvertBatch.h"
#include "Page.h"
#include "PaintSurface.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

// Painting a page into any paint context.

void TCDLPage::FitInto(TPaintContext &c, int w, int h, double zoom) const
{
    const QSize e = Extent();
    const double f = ScaleFactor(w, h, e.width(), e.height());
    c.ScaleX = c.ScaleY = f * zoom;
    c.OffsetX = w / 2 - c.ScrollX;
    c.OffsetY = h / 2 - c.ScrollY;
}

void TCDLPage::PaintScreen(QPainter &p, QSize control, bool omitDragged)
{
    TPagePaintOptions o = TPagePaintOptions::Screen();
    o.OmitDragged = omitDragged;
    PaintScreen(p, control, o);
}

void TCDLPage::PaintScreen(QPainter &p, QSize control, const TPagePaintOptions &options)
{
    Context.Canvas = &p;
    FitInto(Context, control.width(), control.height(), Context.Zoom);
    // The control is all that shows, in logical pixels at any display scale.
    p.save();
    p.setClipRect(QRect(QPoint(), control), Qt::IntersectClip);
    if (Window)
        Window->RepaintRulers();
    TPagePaintOptions o = TPagePaintOptions::Screen();
    o.OmitDragged = options.OmitDragged;
    o.Background = options.Background && options.Frames;
    o.Frames = options.Frames;
    o.Handles = options.Handles;
    // Places every frame, off the canvas too: hit tests and handles need
    // every frame's.
    Paint(Context, o);
    p.restore();
    Context.Canvas = nullptr;
}

void TCDLPage::Place(const TPaintContext &c) const
{
    const TPaintContext &m = m_placed;
    if (m.ScaleX == c.ScaleX && m.ScaleY == c.ScaleY && m.OffsetX == c.OffsetX && m.OffsetY == c.OffsetY)
        return;
    m_placed = c;
    m_placed.Canvas = nullptr;
    ++m_placement;
}

const TRect &TCDLPage::ScreenBounds(TScreenEntry &e, const TCDLFrame &f) const
{
    const TGeometryKey key = f.GeometryKey();
    if (!e.Keyed || !(e.Key == key) || !f.GeometryFollowsKey()) {
        e.Keyed = true;
        e.Key = key;
        e.Bounds = f.GetBoundRect();
        e.Placement = 0;
    }
    return e.Bounds;
}

const TFrameGeometry &TCDLPage::ScreenGeometry(TScreenEntry &e, const TCDLFrame &f) const
{
    ScreenBounds(e, f);
    if (e.Placement != m_placement) {
        e.Geometry = f.Geometry(m_placed);
        e.Placement = m_placement;
    }
    return e.Geometry;
}

void TCDLPage::UpdateScreenGeometry()
{
    Place(Context);
    for (const auto &f : m_frames)
        m_screen.try_emplace(f.get());
}

void TCDLPage::UpdateScreenGeometry(const TCDLFrame &f)
{
    Place(Context);
    ScreenGeometry(m_screen[&f], f);
}

const TFrameGeometry &TCDLPage::ScreenGeometry(const TCDLFrame &f) const
{
    static const TFrameGeometry unplaced;
    const auto it = m_screen.find(&f);
    return it == m_screen.end() ? unplaced : ScreenGeometry(it->second, f);
}

namespace {

// Pages of thousands of frames at high zoom show few of them; skipping the
// rest keeps a repaint proportional to what is visible.
bool FrameMayShow(const TPaintContext &c, const TCDLFrame &f, const TRect &b, const QRect &visible)
{
    const int margin = f.InkMargin(c);
    const QRect device = QRect(c.Map(b.Left, b.Top), c.Map(b.Right, b.Bottom)).normalized();
    return device.adjusted(-margin, -margin, margin, margin).intersects(visible);
}

// The flags a paint sets on the caller's context, put back when it ends.
class TContextFlags
{
public:
    TContextFlags(TPaintContext &c, const TPagePaintOptions &o)
        : m_c(c), m_interactive(c.Interactive), m_printing(c.Printing), m_masking(c.Masking), m_preview(c.Preview)
    {
        if (!o.EditingAids) {
            c.Interactive = false;
            c.Printing = true;
        }
        c.Masking = o.Masking;
        c.Preview = o.Preview;
    }
    ~TContextFlags()
    {
        m_c.Interactive = m_interactive;
        m_c.Printing = m_printing;
        m_c.Masking = m_masking;
        m_c.Preview = m_preview;
    }
    TContextFlags(const TContextFlags &) = delete;
    TContextFlags &operator=(const TContextFlags &) = delete;

private:
    TPaintContext &m_c;
    bool m_interactive, m_printing, m_masking, m_preview;
};

} // namespace

void TCDLPage::Paint(TPaintContext &c, const TPagePaintOptions &o) const
{
    const TShapeSession shaping;
    const TContextFlags flags(c, o);
    // Only the page's own context is the screen the hit tests are made on.
    const bool screen = &c == &Context;
    QPainter *const p = c.Canvas;
    if (p) {
        p->save();
        // Every frame sets the pen it draws with. None between them keeps a
        // PDF from restating one at each change of transform or clip.
        p->setPen(Qt::NoPen);
        if (o.Background && o.Frames)
            FillBackground(c, DisplayColor());
        if (o.ClipToShape)
            p->setClipPath(ShapePath(c), Qt::IntersectClip);
    }
    const QRect visible = p ? VisibleArea(*p) : QRect();
    const bool guides = o.Frames && o.EditingAids && c.Interactive && !c.Masking && Window != nullptr;
    const bool inFront = PageSettings().GridInFront;
    if (guides && !inFront) {
        PaintGrid(c, visible);
        PaintSnapLines(c, visible);
    }
    if (screen)
        Place(c);
    for (const auto &f : m_frames) {
        // Every frame on the page is placed, painted or not.
        TScreenEntry *e = screen ? &m_screen[f.get()] : nullptr;
        if (!p || !o.Frames || (o.OmitDragged && f->IsDragged()))
            continue;
        if (e) {
            if (FrameMayShow(c, *f, ScreenBounds(*e, *f), visible))
                f->PaintAt(c, ScreenGeometry(*e, *f));
        } else if (FrameMayShow(c, *f, f->GetBoundRect(), visible)) {
            f->PaintAt(c, f->Geometry(c));
        }
    }
    if (guides && inFront) {
        PaintGrid(c, visible);
        PaintSnapLines(c, visible);
    }
    if (o.EditingAids && o.Handles && p) {
        // A page selected whole shows few of its many handles. Many are
        // inverted together: the squares PaintDragPointsAt fills.
        TInvertBatch batch;
        const bool batched = TInvertBatch::Suits(*p, size_t(m_selection.Count()) * 8);
        if (batched)
            batch.Reserve(size_t(m_selection.Count()) * 8 + 8);
        auto handles = [&](const TCDLFrame &f) {
            if (f.State() != TFrameState::Selected)
                return;
            auto paint = [&](const TFrameGeometry &g) {
                // The batch leaves out what is not visible itself.
                if (batched) {
                    for (int i = 1; i <= f.DragPointCount && i < int(g.DragPoints.size()); ++i)
                        batch.Add(QRect(g.DragPoints[i] - QPoint(3, 3), QSize(7, 7)));
                } else if (f.DragPointsArea(g).intersects(visible)) {
                    f.PaintDragPointsAt(c, g);
                }
            };
            if (screen)
                paint(ScreenGeometry(f));
            else
                paint(f.Geometry(c));
        };
        if (m_active)
            handles(*m_active);
        // Inverting is its own undoing: an active frame that is in the group
        // too is drawn once, or its handles vanish.
        if (m_selection.Count() > 1)
            for (const TCDLFrame *f : m_selection.Items())
                if (f != m_active)
                    handles(*f);
        if (batched)
            batch.Paint(*p, visible);
        c.SetPen(0, TPenMode::Copy, Qt::SolidLine, 0);
        c.SetBrush(0, true);
        PaintOutline(c);
    }
    if (p)
        p->restore();
}

void TCDLPage::PaintGrid(TPaintContext &c, const QRect &clip) const
{
    if (!ShowSnapPoints || !c.Canvas || SnapX <= 0 || SnapY <= 0)
        return;
    if (SnapX * c.ScaleX < 4 || SnapY * c.ScaleY < 4)
        return;
    const int32_t col0 = c.ModelX(clip.left()) / SnapX, col1 = c.ModelX(clip.right()) / SnapX;
    const int32_t row0 = c.ModelY(clip.top()) / SnapY, row1 = c.ModelY(clip.bottom()) / SnapY;
    c.SetMode(TPenMode::Copy);
    const QColor color = ToQColor(PageSettings().GridColor);
    for (int32_t row = row0; row <= row1; ++row) {
        const int y = c.MapY(row * SnapY);
        for (int32_t col = col0; col <= col1; ++col)
            c.Canvas->fillRect(c.MapX(col * SnapX), y, 1, 1, color);
    }
}

void TCDLPage::PaintSnapLines(TPaintContext &c, const QRect &area) const
{
    if (!c.Canvas || SnapLines.Count() == 0)
        return;
    c.SetPen(PageSettings().SnapLineColor, TPenMode::NotXor, Qt::DashLine, 0);
    c.SetBrush(0, true);
    c.Canvas->setBackground(Qt::white);
    for (int i = 0; i < SnapLines.Count(); ++i) {
        const TSnapLineRecord &l = SnapLines.Get(i);
        // Across the whole area, as the screen draws them to its far edge.
        if (l.Horizontal) {
            const int y = c.MapY(l.Position);
            c.Canvas->drawLine(area.left(), y, area.left() + area.width(), y);
        } else {
            const int x = c.MapX(l.Position);
            c.Canvas->drawLine(x, area.top(), x, area.top() + area.height());
        }
    }
    c.SetMode(TPenMode::Copy);
}

QPainterPath TCDLPage::ShapePath(const TPaintContext &c) const
{
    const QSize e = Extent();
    QPainterPath path;
    path.addRect(
        QRectF(QPointF(c.Map(-e.width() / 2, -e.height() / 2)), QPointF(c.Map(e.width() / 2, e.height() / 2))));
    return path;
}

void TCDLPage::FillBackground(TPaintContext &c, TColor color) const
{
    if (!c.Canvas)
        return;
    c.SetMode(TPenMode::Copy);
    c.Canvas->fillPath(ShapePath(c), ToQColor(color));
}
