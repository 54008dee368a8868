#include "FrameRegistry.h"

#include "RoundText.h"
#include "SerNo.h"
#include "Shapes.h"
#include "Text.h"

namespace {

template <class T>
std::unique_ptr<TCDLFrame> Make(TCDLPage *page)
{
    return std::make_unique<T>(page, 0, 0);
}

struct TKind
{
    uint16_t Tag;
    std::unique_ptr<TCDLFrame> (*Create)(TCDLPage *);
};

constexpr TKind kKinds[] = {
    {TagText, &Make<TCDLText>},
    {TagRText, &Make<TCDLRText>},
    {TagSerNo, &Make<TCDLSerNo>},
    {TagLinie, &Make<TCDLLinie>},
    {TagRechteck, &Make<TCDLRechteck>},
    {TagKreis, &Make<TCDLKreis>},
    {TagEllipse, &Make<TCDLEllipse>},
};

} // namespace

std::unique_ptr<TCDLFrame> CreateFrameByTag(uint16_t tag, TCDLPage *page)
{
    for (const TKind &k : kKinds)
        if (k.Tag == tag)
            return k.Create(page);
    return nullptr;
}
