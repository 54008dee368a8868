#include "SheetPainter.h"

#include "Document.h"
#include "Errors.h"
#include "PagePainter.h"
#include "PrintTarget.h"
#include "SheetPlan.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr TColor White = RGBColor(255, 255, 255);

// White is no background at all: nothing is laid down.
bool HasBackground(TColor c) { return (c & 0xFFFFFF) != White; }

QRect Around(QPoint centre, int hx, int hy) { return {centre.x() - hx, centre.y() - hy, 2 * hx, 2 * hy}; }

} // namespace

TSheetPainter::TSheetPainter(TPrintTarget &target, const TSheetMapping &mapping, TPagePainter &pages,
                             TSheetOptions options)
    : m_target(target), m_mapping(mapping), m_pages(pages), m_options(options)
{
}

QPainter &TSheetPainter::Painter()
{
    QPainter *p = m_target.IsPrinting() ? m_target.Painter() : nullptr;
    if (!p || !p->isActive())
        throw InternalError(20);
    return *p;
}

void TSheetPainter::PaintAt(const TCDLPage &page, QPoint centre)
{
    TPaintContext c;
    c.Canvas = &Painter();
    c.OffsetX = centre.x();
    c.OffsetY = centre.y();
    c.ScaleX = m_mapping.ScaleX;
    c.ScaleY = m_mapping.ScaleY;
    c.Interactive = false;
    c.Printing = true;
    c.Preview = m_mapping.Preview;
    m_pages.PaintPage(page, c);
}

void TSheetPainter::DrawCDLabelAt(const TCDLabel &page, int position)
{
    QPainter &p = Painter();
    const QPoint centre = m_mapping.Device(CDLabelCentre(m_options.Kind, position));
    // One radius for both axes, so the label stays round on printers with
    // unequal resolutions.
    const int r = m_mapping.LengthY(SheetLabelRadius);
    const QRect circle = Around(centre, r, r);
    m_target.NotePlacement(position, TPageKind::CDLabel, circle);

    p.save();
    // No pen while the clip is set: a PDF would restate it with the clip.
    p.setPen(Qt::NoPen);
    const bool clip = m_options.Trim == TRoundTrim::Direct || m_options.ForceCircleClip;
    if (clip) {
        QPainterPath path;
        path.addEllipse(QRectF(circle));
        p.setClipPath(path);
    }
    // A chosen paper colour is the sheet's own: nothing to print for it.
    if (HasBackground(page.BackColor) && page.PaperColorIndex <= -1) {
        p.setBrush(ToQColor(page.BackColor));
        p.drawEllipse(circle);
    }
    PaintAt(page, centre);
    p.restore();

    if (m_options.Trim == TRoundTrim::Indirect && !m_options.ForceCircleClip) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int n : DiscNeighbours(position))
            p.drawEllipse(Around(m_mapping.Device(CDLabelCentre(m_options.Kind, n)), r, r));
        p.restore();
    }
}

void TSheetPainter::DrawInlayAt(const TCDLPage &page, TPageKind kind, int position)
{
    QPainter &p = Painter();
    const QPoint centre = m_mapping.Device(InlayCentre(m_options.Kind, kind, position), m_mapping.CoverOffset(kind));
    const QSize half = InlayHalfSize(kind);
    const QRect rect = Around(centre, m_mapping.LengthX(half.width()), m_mapping.LengthY(half.height()));
    m_target.NotePlacement(position, kind, rect);

    p.save();
    p.setPen(Qt::NoPen);
    p.setClipRect(rect);
    if (HasBackground(page.BackColor))
        p.fillRect(rect, ToQColor(page.BackColor));
    PaintAt(page, centre);
    p.restore();
}

void TSheetPainter::DrawCutMarks(TCutMarks which)
{
    if (!m_options.CutMarks || which == TCutMarks::None)
        return;
    QPainter &p = Painter();
    const TCutMarkGeometry g = CutMarkGeometry(m_options.Kind, which);
    const int ax = m_mapping.LengthX(CutMarkArm), ay = m_mapping.LengthY(CutMarkArm);
    p.save();
    p.setClipping(false);
    // Whole device pixels, as a printer draws a hairline; smoothed on a
    // screen it would straddle two pixels in grey.
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(true);
    p.setPen(pen);
    for (QPoint c : g.Crosses) {
        const QPoint d = m_mapping.DeviceTruncated(c);
        p.drawLine(d.x() - ax, d.y(), d.x() + ax, d.y());
        p.drawLine(d.x(), d.y() - ay, d.x(), d.y() + ay);
    }
    for (const QLine &l : g.Strokes)
        p.drawLine(m_mapping.DeviceTruncated(l.p1()), m_mapping.DeviceTruncated(l.p2()));
    p.restore();
}

void TSheetPainter::Draw(const TSheetStep &step)
{
    switch (step.Action) {
    case TSheetStep::TAction::Draw:
        switch (step.Page) {
        case TPageKind::CDLabel: DrawCDLabelAt(step.Document->Label(), step.Position); break;
        case TPageKind::InlayVorder: DrawInlayFrontAt(step.Document->Front(), step.Position); break;
        case TPageKind::InlayRueck: DrawInlayBackAt(step.Document->Back(), step.Position); break;
        }
        break;
    case TSheetStep::TAction::CutMarks: DrawCutMarks(step.Marks); break;
    case TSheetStep::TAction::SecondPass: break;
    }
}
