#pragma once

#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdint>

// p rotated about c by angle degrees, in the sense frames are painted
// (counter-clockwise on a y-down screen). Results are rounded.
QPoint RotatePoint(QPoint p, QPoint c, double angleDeg);
QPointF RotatePointF(QPointF p, QPointF c, double angleDeg);

// The smaller of new/old for width and height, with the zero cases handled
// (fitting a page into its control, proportional corner resize).
double ScaleFactor(double newW, double newH, double oldW, double oldH);

// Pascal-style integer division (rounds toward zero) for midpoints; the sum
// in 64 bits, as ends far out on a fine device may pass the int range.
inline int MidPoint(int a, int b) { return int((int64_t(a) + b) / 2); }
// Halves go to the even neighbour, as the layout arithmetic of stored
// documents rounds (the default floating-point rounding mode).
inline int RoundEven(double v) { return int(std::nearbyint(v)); }

// v + d clamped to the int32 range: coordinates read from a file can sit
// at its ends.
inline int32_t SaturatedAdd(int32_t v, int64_t d)
{
    return int32_t(std::clamp<int64_t>(int64_t(v) + d, INT32_MIN, INT32_MAX));
}

// v clamped to the int32 range (NaN to 0): model arithmetic done in doubles
// lands back on integer coordinates without undefined conversions.
inline int32_t SaturatedInt(double v)
{
    return std::isnan(v) ? 0 : int32_t(std::clamp(v, double(INT32_MIN), double(INT32_MAX)));
}

// An integer rectangle by its edges, inclusive, as the model and hit tests
// use it (QRect's width/right off-by-one has no place here).
struct TRect
{
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TRect &) const = default;
    void include(int32_t x, int32_t y)
    {
        Left = std::min(Left, x);
        Right = std::max(Right, x);
        Top = std::min(Top, y);
        Bottom = std::max(Bottom, y);
    }
    static TRect normalized(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    {
        return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    }
};
