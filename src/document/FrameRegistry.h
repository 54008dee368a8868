#pragma once
// The frame kinds this program builds: the one place a new kind is listed,
// so readers of files, undo and the clipboard, the tools and the panels
// never change for it.

#include "FrameKind.h"

#include <cstdint>
#include <memory>
#include <span>

class TCDLFrame;
class TCDLPage;
struct TClipData;

std::span<const TFrameKind *const> FrameKinds();

// The kind of a record tag; null for the non-frame tags (16, 20, 21) and
// kinds this program does not build.
const TFrameKind *FindKind(uint16_t tag);

// The kind a tool makes and the tool's entry in it; null for the edit tool
// and tools whose kind does not exist.
const TFrameKind *FindKindByTool(TTool tool, const TKindTool **use = nullptr);

// The first kind in the list that makes a frame of what another program put
// on the clipboard (TFrameKind::TakesPaste); null when none does.
const TFrameKind *FindKindForPaste(const TClipData &clip);

// A new frame of the tagged kind at (0,0), or null when FindKind has none.
std::unique_ptr<TCDLFrame> CreateFrameByTag(uint16_t tag, TCDLPage *page);
