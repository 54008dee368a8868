#include "PaintSurface.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// For a widget: its backing store, or the image it is rendered into.
const QPaintDevice *Surface(const QPainter &p)
{
    const QPaintEngine *e = p.paintEngine();
    return e && e->paintDevice() ? e->paintDevice() : p.device();
}

} // namespace

QRect VisibleArea(const QPainter &p)
{
    if (p.hasClipping())
        return p.clipBoundingRect().toAlignedRect();
    const QPaintDevice *d = Surface(p);
    const QRect device = d ? QRect(0, 0, d->width(), d->height()) : QRect();
    bool invertible = true;
    const QTransform back = p.combinedTransform().inverted(&invertible);
    return invertible ? back.mapRect(device) : device;
}

double DeviceRatio(const QPainter &p)
{
    const QPaintDevice *d = Surface(p);
    return d ? std::max(1.0, d->devicePixelRatio()) : 1.0;
}

QImage RatioImage(QSize logical, double ratio, QImage::Format format)
{
    QImage image(QSize(int(std::ceil(logical.width() * ratio)), int(std::ceil(logical.height() * ratio))), format);
    image.setDevicePixelRatio(ratio);
    return image;
}
