#pragma once
// The drawing tools of the tool bar and the frames they create.

#include "FrameKind.h"

#include <cstdint>
#include <memory>

class TCDLFrame;
class TCDLPage;
class TCreationHost;

// Whether the tool has a kind to make (the edit tool always is).
bool ToolAvailable(TTool t);

// A new frame of the tool's kind at the model point, not yet on the page;
// null for the edit tool and the kinds that do not exist. use, when given,
// receives the tool's entry in its kind.
std::unique_ptr<TCDLFrame> CreateToolFrame(TTool t, TCDLPage *page, int32_t x, int32_t y,
                                           const TKindTool **use = nullptr);

// What the tool asks the person for the new frame f: true when it asks
// nothing or was answered, false when cancelled, failed or nobody to ask.
bool AskForFrame(const TKindTool &use, TCDLFrame &f, TCreationHost *host);
