#pragma once
// The random shapes of the file and repaint benchmarks: one seed gives the
// same page in both.

#include "Shapes.h"

#include <memory>
#include <random>

inline std::unique_ptr<TCDLFrame> RandomShape(TCDLPage &page, std::mt19937 &rng, int minSize = 5, int maxSize = 40)
{
    std::uniform_int_distribution<int> pos(-560, 520), size(minSize, maxSize), kind(0, 3), angle(0, 359);
    const int x = pos(rng), y = pos(rng);
    std::unique_ptr<TCDLFrame> f;
    switch (kind(rng)) {
    case 0: f = std::make_unique<TCDLLinie>(&page, x, y); break;
    case 1: f = std::make_unique<TCDLRechteck>(&page, x, y); break;
    case 2: f = std::make_unique<TCDLKreis>(&page, x, y); break;
    default: f = std::make_unique<TCDLEllipse>(&page, x, y); break;
    }
    f->X2 = x + size(rng);
    f->Y2 = y + size(rng);
    f->Width = size(rng);
    f->Height = size(rng);
    f->Angle = angle(rng);
    f->NoFill = (x & 1) != 0;
    f->FillColor = TColor(rng() & 0xFFFFFF);
    f->PenColor = TColor(rng() & 0xFFFFFF);
    return f;
}
