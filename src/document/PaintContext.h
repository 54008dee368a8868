#pragma once
// Everything painting needs: the target painter, the model-to-device mapping
// and the flags that tell screen, print and mask painting apart. A page
// paints the same way into a widget, an image, a PDF or a printer.

#include "Units.h"

#include <QPainter>
#include <QPoint>
#include <cmath>

enum class TPenMode { Copy, Xor, Invert, NotXor };

// The one model-to-device mapping: Trunc(v * scale) + offset. Fractional
// model values (an ellipse's polygon, a ruler's ticks) map the same way.
inline double MapToDeviceF(double v, double scale, int offset) { return std::trunc(v * scale) + offset; }
inline int MapToDevice(double v, double scale, int offset) { return int(MapToDeviceF(v, scale, offset)); }

class TPaintContext
{
public:
    QPainter *Canvas = nullptr;
    int32_t OffsetX = 0, OffsetY = 0;
    double ScaleX = 1.0, ScaleY = 1.0;
    double Zoom = 0.95;
    int32_t ScrollX = 0, ScrollY = 0;
    int32_t ZoomLevel = 4;
    bool Interactive = false;
    bool Masking = false;
    bool Printing = true;
    // Output shown on a screen (print preview, page view, thumbnails): the
    // device choices are the screen's.
    bool Preview = false;
    TColor PenColor = 0;

    // Outlines, guides and drag outlines that help editing, not output.
    bool ShowsEditingAids() const { return Interactive && !Printing; }

    static constexpr int MinZoomLevel = 1, MaxZoomLevel = 7;
    static double ZoomFactor(int level);
    void SetZoomLevel(int level);

    int MapX(int32_t x) const { return MapToDevice(x, ScaleX, OffsetX); }
    int MapY(int32_t y) const { return MapToDevice(y, ScaleY, OffsetY); }
    QPoint Map(int32_t x, int32_t y) const { return {MapX(x), MapY(y)}; }
    // The same point in doubles, where the int range ends short of a far
    // point at a fine resolution.
    QPointF MapF(int32_t x, int32_t y) const
    {
        return {MapToDeviceF(x, ScaleX, OffsetX), MapToDeviceF(y, ScaleY, OffsetY)};
    }
    int MapLenX(int32_t v) const { return int(std::trunc(v * ScaleX)); }
    int MapLenY(int32_t v) const { return int(std::trunc(v * ScaleY)); }
    // Device back to model, for pointer positions.
    int32_t ModelX(int dx) const { return int32_t(std::trunc((dx - OffsetX) / ScaleX)); }
    int32_t ModelY(int dy) const { return int32_t(std::trunc((dy - OffsetY) / ScaleY)); }

    // Pen routine shared by every kind: width in model units, 0 is one pixel.
    void SetPen(TColor color, TPenMode mode, Qt::PenStyle style, int32_t width);
    void SetBrush(TColor color, bool hollow);

    // Raster operations exist only on raster targets; elsewhere (PDF,
    // printer) drawing stays plain copy.
    void SetMode(TPenMode mode);
};

QColor ToQColor(TColor c);
TColor FromQColor(const QColor &c);
