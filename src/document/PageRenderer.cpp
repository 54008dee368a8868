#include "PageRenderer.h"

#include <QPageSize>
#include <QPainterPath>
#include <QPdfWriter>
#include <cmath>

namespace {

QSize DeviceSize(const TCDLPage &page, double scale)
{
    const QSize e = page.Extent();
    return {int(std::ceil(e.width() * scale)), int(std::ceil(e.height() * scale))};
}

} // namespace

void RenderPage(TCDLPage &page, QPainter &p, double scale)
{
    // The page's own context is for its window; render with a private one so
    // a document open on screen keeps its zoom and scroll.
    TPaintContext c;
    c.Canvas = &p;
    c.Interactive = false;
    c.Printing = true;
    c.ScaleX = c.ScaleY = scale;
    const QSize size = DeviceSize(page, scale);
    c.OffsetX = size.width() / 2;
    c.OffsetY = size.height() / 2;
    p.save();
    page.FillBackground(c, page.DisplayColor());
    p.setClipPath(page.ShapePath(c));
    // Frames keep their handle positions for the window they sit in.
    std::vector<std::array<QPoint, 17>> handles;
    handles.reserve(page.Frames.size());
    for (auto &f : page.Frames)
        handles.push_back(f->DragPoints);
    page.PaintContents(c, false, size);
    for (size_t i = 0; i < page.Frames.size(); ++i)
        page.Frames[i]->DragPoints = handles[i];
    p.restore();
}

QImage RenderPageImage(TCDLPage &page, double dpi)
{
    const double scale = ScaleForDpi(dpi);
    QImage img(DeviceSize(page, scale), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    const int dpm = int(std::lround(dpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter p(&img);
    RenderPage(page, p, scale);
    return img;
}

bool RenderPagePdf(TCDLPage &page, const QString &path, int dpi)
{
    QPdfWriter pdf(path);
    if (!pdf.setPageSize(QPageSize(QSizeF(page.Extent()) / 10.0, QPageSize::Millimeter)))
        return false;
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(dpi);
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    RenderPage(page, p, ScaleForDpi(dpi));
    return p.end();
}
