#pragma once
// Where a frame lies on one device: its handles, radii and placed
// characters under one paint context. Computed from the model as a value,
// so a page can be painted into any number of contexts; the page keeps the
// screen's, which hit tests and handles read.

#include <QPoint>
#include <array>
#include <cstdint>
#include <vector>

// A character of a round text placed on the device.
struct TPlacedChar
{
    QPoint Position;       // reference point
    int32_t FontAngle = 0; // tenths of a degree
};

struct TFrameGeometry
{
    // Handles 1..DragPointCount; point 0 is unused.
    std::array<QPoint, 17> DragPoints{};
    // Circle: the distance of the rim from the centre, a whole number.
    double Radius = 0;
    // Round text: the ring that holds the text, the directions of its first
    // character position and of its end, and the characters.
    int32_t InnerRadius = 0, OuterRadius = 0;
    double StartAngle = 0, EndAngle = 0;
    std::vector<TPlacedChar> Chars;
    // Ellipse: its outline polygon, closed on itself.
    std::vector<QPoint> Outline;
};

// The fields a frame's geometry and bounding box follow: the page's screen
// view keeps both until one of them changes.
struct TGeometryKey
{
    int32_t X, Y, X2, Y2, Width, Height, Angle;
    bool operator==(const TGeometryKey &) const = default;
};
