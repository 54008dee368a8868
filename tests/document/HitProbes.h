#pragma once
// Points probed against a frame's hit tests, with the answer each must get.

#include "Frame.h"
#include "Page.h"

#include <gtest/gtest.h>

#include <initializer_list>

struct Probe
{
    int x, y;
    bool hit;
};

inline void ExpectHits(const TCDLFrame &f, std::initializer_list<Probe> probes)
{
    for (const Probe &p : probes)
        EXPECT_EQ(f.TestMouseHit(f.Page->ScreenGeometry(f), p.x, p.y), p.hit) << "at (" << p.x << "," << p.y << ")";
}

// Handle i of what the screen shows is centred on p: its box reaches three
// pixels around p and no further. Needs no neighbour within eight pixels.
inline void ExpectHandleAt(const TCDLFrame &f, int i, QPoint p)
{
    for (QPoint d : {QPoint(-3, -3), QPoint(3, 3), QPoint(-3, 3), QPoint(3, -3)})
        EXPECT_EQ(f.TestDPMouseHit(f.Page->ScreenGeometry(f), p.x() + d.x(), p.y() + d.y()), i)
            << "handle " << i << " near " << p.x() << "," << p.y();
    for (QPoint d : {QPoint(-4, 0), QPoint(4, 0), QPoint(0, -4), QPoint(0, 4)})
        EXPECT_NE(f.TestDPMouseHit(f.Page->ScreenGeometry(f), p.x() + d.x(), p.y() + d.y()), i)
            << "handle " << i << " near " << p.x() << "," << p.y();
}
