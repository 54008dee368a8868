#include "Geometry.h"

#include <cmath>
#include <numbers>

QPointF RotatePointF(QPointF p, QPointF c, double angleDeg)
{
    // Counter-clockwise on screen with y growing downward: same sense as the
    // corner formula w1 = W cos a, w2 = -W sin a of frame painting.
    const double a = angleDeg * std::numbers::pi / 180.0;
    const double s = std::sin(a), co = std::cos(a);
    const double dx = p.x() - c.x(), dy = p.y() - c.y();
    return {c.x() + dx * co + dy * s, c.y() - dx * s + dy * co};
}

QPoint RotatePoint(QPoint p, QPoint c, double angleDeg)
{
    const QPointF r = RotatePointF(QPointF(p), QPointF(c), angleDeg);
    return {SaturatedInt(std::round(r.x())), SaturatedInt(std::round(r.y()))};
}

double ScaleFactor(double newW, double newH, double oldW, double oldH)
{
    if (oldW == 0)
        return oldH == 0 ? 1.0 : newH / oldH;
    if (oldH == 0)
        return newW / oldW;
    return newH >= (oldH / oldW) * newW ? newW / oldW : newH / oldH;
}
