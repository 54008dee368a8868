#include "Tools.h"

#include "Frame.h"
#include "FrameRegistry.h"

bool ToolAvailable(TTool t) { return t == TTool::Edit || FindKindByTool(t); }

std::unique_ptr<TCDLFrame> CreateToolFrame(TTool t, TCDLPage *page, int32_t x, int32_t y)
{
    const TKindTool *use = nullptr;
    const TFrameKind *k = FindKindByTool(t, &use);
    if (!k || !k->Create)
        return nullptr;
    std::unique_ptr<TCDLFrame> f = k->Create(page, x, y);
    if (use->Prepare)
        use->Prepare(*f);
    return f;
}
