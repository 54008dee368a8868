#pragma once
// The drawing tools of the tool bar and the frames they create.

#include "FrameKind.h"

#include <cstdint>
#include <memory>

class TCDLFrame;
class TCDLPage;

// Whether the tool has a kind to make (the edit tool always is).
bool ToolAvailable(TTool t);

// A new frame of the tool's kind at the model point, not yet on the page;
// null for the edit tool and the kinds that do not exist.
std::unique_ptr<TCDLFrame> CreateToolFrame(TTool t, TCDLPage *page, int32_t x, int32_t y);
