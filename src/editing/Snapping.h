#pragma once
// Snapping of points, handles and moved frames to a page's guide lines, in
// model units. The mouse code decides when to snap; this decides where.

#include "SnapLine.h"

#include <QPoint>

class TCDLFrame;

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

// The drag of handle `handle` (0 while creating) towards `pointer`: returns
// the pointer position that puts the dragged handle on a guide line, and
// which line orientation caught it (SnapX: a vertical line).
TSnap SnapSizing(TSnapLine &lines, const TCDLFrame &f, int handle, QPoint pointer);

// The frame translated by `delta`: returns the translation that puts its
// handles on guide lines, per coordinate.
TSnap SnapMoving(TSnapLine &lines, const TCDLFrame &f, QPoint delta);
