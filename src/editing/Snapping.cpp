#include "Snapping.h"

#include "Frame.h"
#include "Geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

// Kinds whose handles are free points of their own (line ends, centres, rim
// points), and the ellipse's side handles, follow the pointer itself.
bool SnapsPointer(const TCDLFrame &f, int handle)
{
    switch (f.Kind().Snap) {
    case TSnapRule::Pointer: return true;
    case TSnapRule::BoxCorners: return handle < 1 || handle > 4;
    case TSnapRule::Box: break;
    }
    return false;
}

// Where the drag puts the handle for the asked pointer, and the direction it
// travels in; a zero direction means each coordinate moves on its own.
struct TTrack
{
    QPointF Handle;
    QPointF Dir;
};

// The frame's own axes on the page, as PaintAt turns them.
struct TAxes
{
    QPointF O, U, V;
    explicit TAxes(const TCDLFrame &f) : O(f.X, f.Y)
    {
        const double a = f.Angle * std::numbers::pi / 180.0;
        U = {std::cos(a), -std::sin(a)};
        V = {std::sin(a), std::cos(a)};
    }
    QPointF At(double lx, double ly) const { return O + lx * U + ly * V; }
    QPointF Along(double lx, double ly) const { return lx * U + ly * V; }
    double LocalX(QPointF p) const { return QPointF::dotProduct(p - O, U); }
    double LocalY(QPointF p) const { return QPointF::dotProduct(p - O, V); }
};

std::optional<TTrack> BoxTrack(const TCDLFrame &f, int handle, QPointF p)
{
    if (handle == ModeCreate)
        return TTrack{p, {}};
    const TAxes ax(f);
    const double w = f.Width, h = f.Height;
    const double rx = ax.LocalX(p), ry = ax.LocalY(p);
    switch (handle) {
    case 1:
    case 2:
    case 3:
    case 4: {
        // Corners scale about the opposite corner by the smaller ratio, so the
        // corner stays on the diagonal; (sx, sy) points from the fixed corner
        // to the dragged one.
        static constexpr double sx[] = {-1, 1, 1, -1}, sy[] = {-1, -1, 1, 1};
        const double dx = sx[handle - 1], dy = sy[handle - 1];
        const double fx = dx < 0 ? w : 0, fy = dy < 0 ? h : 0;
        const double k = ScaleFactor(dx * (rx - fx), dy * (ry - fy), w, h);
        const QPointF diag = ax.Along(dx * w, dy * h);
        return TTrack{ax.At(fx, fy) + k * diag, diag};
    }
    case 5:
    case 7: return TTrack{ax.At(w / 2, ry), ax.Along(0, 1)};
    case 6:
    case 8: return TTrack{ax.At(rx, h / 2), ax.Along(1, 0)};
    default: return std::nullopt;
    }
}

// Truncation that forgives the last bits of a product meant to be whole. A
// track nearly parallel to its line can reach it far away; the result stays
// a valid coordinate.
int TruncModel(double v)
{
    return int(std::clamp(std::trunc(v + (v >= 0 ? 1e-9 : -1e-9)), double(INT_MIN), double(INT_MAX)));
}

struct TCandidate
{
    int Index;
    bool Horizontal;
};

// Moves the handle along its track onto the line; nothing when the track
// runs parallel to it.
std::optional<QPoint> MeetLine(const TTrack &t, QPointF pointer, int32_t position, bool horizontal)
{
    const double gap = position - (horizontal ? t.Handle.y() : t.Handle.x());
    QPointF shift = horizontal ? QPointF(0, gap) : QPointF(gap, 0);
    if (!t.Dir.isNull()) {
        const double along = horizontal ? t.Dir.y() : t.Dir.x();
        if (std::abs(along) < 1e-9 * (std::abs(t.Dir.x()) + std::abs(t.Dir.y())))
            return std::nullopt;
        const double s = gap / along;
        // The snapped coordinate exactly, the other one by the track.
        shift = horizontal ? QPointF(s * t.Dir.x(), gap) : QPointF(gap, s * t.Dir.y());
    }
    const QPointF q = pointer + shift;
    return QPoint(TruncModel(q.x()), TruncModel(q.y()));
}

TSnap SnapBoxHandle(TSnapLine &lines, const TCDLFrame &f, int handle, QPoint pointer)
{
    const auto track = BoxTrack(f, handle, QPointF(pointer));
    if (!track)
        return {pointer, 0};
    const int hx = int(std::lround(track->Handle.x())), hy = int(std::lround(track->Handle.y()));
    const int v = lines.FindNearest(hx, false);
    const int vDist = lines.FoundDistance;
    const int h = lines.FindNearest(hy, true);
    const int hDist = lines.FoundDistance;
    // One line only: the horizontal one when it alone is in range or is
    // strictly nearer, else the vertical one. The other is the fallback
    // for a track that can never meet the preferred line.
    std::vector<TCandidate> order;
    if (h >= 0 && (v < 0 || hDist < vDist)) {
        order.push_back({h, true});
        if (v >= 0)
            order.push_back({v, false});
    } else if (v >= 0) {
        order.push_back({v, false});
        if (h >= 0)
            order.push_back({h, true});
    }
    for (const TCandidate &c : order) {
        if (auto q = MeetLine(*track, QPointF(pointer), lines.Get(c.Index).Position, c.Horizontal))
            return {*q, c.Horizontal ? SnapY : SnapX};
    }
    return {pointer, 0};
}

} // namespace

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

TSnap SnapSizing(TSnapLine &lines, const TCDLFrame &f, int handle, QPoint pointer)
{
    if (SnapsPointer(f, handle))
        return SnapPoint(lines, pointer);
    return SnapBoxHandle(lines, f, handle, pointer);
}

TSnap SnapMoving(TSnapLine &lines, const TCDLFrame &f, QPoint delta)
{
    TSnap s{delta, 0};
    int bestX = INT_MAX;
    for (const QPoint h : f.ModelHandles()) {
        const QPoint at = h + delta;
        if (const int i = lines.FindNearest(at.x(), false); i >= 0 && lines.FoundDistance < bestX) {
            bestX = lines.FoundDistance;
            s.Point.setX(delta.x() + lines.Get(i).Position - at.x());
            s.Mask |= SnapX;
        }
        // For y the last handle that snaps wins.
        if (const int j = lines.FindNearest(at.y(), true); j >= 0) {
            s.Point.setY(delta.y() + lines.Get(j).Position - at.y());
            s.Mask |= SnapY;
        }
    }
    return s;
}
