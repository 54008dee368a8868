#include "Tools.h"

#include "Frame.h"
#include "FrameRegistry.h"

bool ToolAvailable(TTool t) { return t == TTool::Edit || FindKindByTool(t); }

std::unique_ptr<TCDLFrame> CreateToolFrame(TTool t, TCDLPage *page, int32_t x, int32_t y, const TKindTool **use)
{
    const TKindTool *entry = nullptr;
    const TFrameKind *k = FindKindByTool(t, &entry);
    if (!k || !k->Create)
        return nullptr;
    std::unique_ptr<TCDLFrame> f = k->Create(page, x, y);
    if (entry->Prepare)
        entry->Prepare(*f);
    if (use)
        *use = entry;
    return f;
}

bool AskForFrame(const TKindTool &use, TCDLFrame &f, TCreationHost *host)
{
    if (!use.Ask)
        return true;
    return host && use.Ask(f, *host);
}
