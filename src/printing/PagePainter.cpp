#include "PagePainter.h"

#include "Page.h"

#include <QPaintDevice>

void TDocumentPagePainter::PaintPage(TCDLPage &page, TPaintContext &c)
{
    c.Interactive = false;
    c.Printing = true;
    c.Masking = false;
    std::vector<std::array<QPoint, 17>> handles;
    handles.reserve(page.Frames.size());
    for (const auto &f : page.Frames)
        handles.push_back(f->DragPoints);
    const QPaintDevice *device = c.Canvas ? c.Canvas->device() : nullptr;
    const QSize size = device ? QSize(device->width(), device->height()) : QSize();
    page.PaintContents(c, false, size);
    for (size_t i = 0; i < page.Frames.size(); ++i)
        page.Frames[i]->DragPoints = handles[i];
}
