#pragma once
// Many small rectangles inverted on a raster surface, as one image: a page
// selected whole has a quarter of a million handle squares, and filling each
// through the painter costs more than painting the page. Inverting is its own
// undoing, so only whether a pixel is covered an odd number of times counts;
// the result is the same pixels as filling them one by one.

#include <QRect>
#include <cstddef>
#include <vector>

class QPainter;

class TInvertBatch
{
public:
    // Whether count rectangles on p's surface are quicker as a batch: on a
    // raster surface, pixel for pixel, untransformed.
    static bool Suits(const QPainter &p, size_t count);
    // Below this many the painter's own fills are quicker than a pass over the area.
    static constexpr size_t MinCount = 2048;

    void Reserve(size_t n) { m_rects.reserve(n); }
    void Add(const QRect &r) { m_rects.push_back(r); }
    // Inverts every rectangle added, within area (the painter's visible
    // part, in its logical pixels), and forgets them.
    void Paint(QPainter &p, const QRect &area);

private:
    std::vector<QRect> m_rects;
};
