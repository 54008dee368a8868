#pragma once
// Points probed against a frame's hit test, with the answer each must get.

#include "Frame.h"

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
        EXPECT_EQ(f.TestMouseHit(p.x, p.y), p.hit) << "at (" << p.x << "," << p.y << ")";
}
