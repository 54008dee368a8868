#include "PaintContext.h"

#include <QPaintEngine>
#include <algorithm>

double TPaintContext::ZoomFactor(int level)
{
    static constexpr double kFactors[] = {0.2375, 0.475, 0.7125, 0.95, 1.9, 3.8, 7.6};
    return kFactors[std::clamp(level, MinZoomLevel, MaxZoomLevel) - 1];
}

void TPaintContext::SetZoomLevel(int level)
{
    ZoomLevel = std::clamp(level, MinZoomLevel, MaxZoomLevel);
    Zoom = ZoomFactor(ZoomLevel);
}

QColor ToQColor(TColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

TColor FromQColor(const QColor &c) { return RGBColor(c.red(), c.green(), c.blue()); }

void TPaintContext::SetMode(TPenMode mode)
{
    if (!Canvas)
        return;
    const bool raster = Canvas->paintEngine() && Canvas->paintEngine()->type() == QPaintEngine::Raster;
    if (!raster) {
        Canvas->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    switch (mode) {
    case TPenMode::Copy: Canvas->setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case TPenMode::Xor: Canvas->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case TPenMode::Invert: Canvas->setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case TPenMode::NotXor: Canvas->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    }
}

void TPaintContext::SetPen(TColor color, TPenMode mode, Qt::PenStyle style, int32_t width)
{
    const int device = width == 0 ? 1 : std::max(1, MapLenX(width));
    PenColor = color;
    if (!Canvas)
        return;
    SetMode(mode);
    QPen pen(ToQColor(color));
    pen.setStyle(style);
    pen.setWidth(device);
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::MiterJoin);
    Canvas->setPen(pen);
}

void TPaintContext::SetBrush(TColor color, bool hollow)
{
    if (Canvas)
        Canvas->setBrush(hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(color)));
}
