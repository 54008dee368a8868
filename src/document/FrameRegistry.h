#pragma once
// Frame kinds by their record tag: the one place a new kind is listed, so
// readers of files, undo and the clipboard never change for it.

#include <cstdint>
#include <memory>

class TCDLFrame;
class TCDLPage;

// A new frame of the tagged kind at (0,0), or null when the tag names no
// kind this program builds (including the non-frame tags 16, 20, 21).
std::unique_ptr<TCDLFrame> CreateFrameByTag(uint16_t tag, TCDLPage *page);
