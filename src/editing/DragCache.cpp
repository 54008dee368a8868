#include "DragCache.h"

#include "Page.h"
#include "PaintSurface.h"

#include <QPainter>

void TDragCache::Paint(QPainter &p, TCDLPage &page, QSize control, const std::vector<TCDLFrame *> &dragged,
                       QColor background)
{
    TPaintContext &c = page.Context;
    page.FitInto(c, control.width(), control.height(), c.Zoom);
    // At the surface's own ratio: a scaled screen shows the image pixel for pixel.
    const double ratio = DeviceRatio(p);
    if (m_control != control || m_image.devicePixelRatio() != ratio || m_scale != c.ScaleX
        || m_offset != QPoint(c.OffsetX, c.OffsetY)) {
        m_image = RatioImage(control, ratio, QImage::Format_ARGB32_Premultiplied);
        m_control = control;
        m_image.fill(background);
        QPainter ip(&m_image);
        page.PaintScreen(ip, control, true);
        m_scale = c.ScaleX;
        m_offset = QPoint(c.OffsetX, c.OffsetY);
    }
    p.drawImage(0, 0, m_image);
    c.Canvas = &p;
    // Through the page's own context: the screen geometry follows the step.
    for (TCDLFrame *f : dragged) {
        page.UpdateScreenGeometry(*f);
        f->PaintAt(c, page.ScreenGeometry(*f));
    }
    c.Canvas = nullptr;
}
