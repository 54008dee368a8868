#include "Snapping.h"

TSnap SnapPoint(TSnapLine &lines, QPoint p)
{
    TSnap s{p, 0};
    // A vertical line fixes x, a horizontal one y.
    if (const int i = lines.FindNearest(p.x(), false); i >= 0) {
        s.Point.setX(lines.Get(i).Position);
        s.Mask |= SnapX;
    }
    if (const int j = lines.FindNearest(p.y(), true); j >= 0) {
        s.Point.setY(lines.Get(j).Position);
        s.Mask |= SnapY;
    }
    return s;
}
