#pragma once
// Snapping of points, handles and moved frames to a page's guide lines, in
// model units. The mouse code decides when to snap; this decides where.

#include "SnapLine.h"

#include <QPoint>

// Mask bits of the coordinates that snapped.
inline constexpr int SnapX = 1;
inline constexpr int SnapY = 2;

struct TSnap
{
    QPoint Point;
    int Mask = 0;
};

// Each coordinate independently onto the nearest line of the crossing
// orientation; a coordinate that found no line is left alone.
TSnap SnapPoint(TSnapLine &lines, QPoint p);
