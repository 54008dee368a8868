#include "FrameRegistry.h"

#include "Listing.h"
#include "Picture.h"
#include "RoundText.h"
#include "SerNo.h"
#include "Shapes.h"
#include "Text.h"

namespace {

constexpr const TFrameKind *kKinds[] = {
    &TCDLText::Descriptor,    &TCDLRText::Descriptor,    &TCDLSerNo::Descriptor,
    &TCDLLinie::Descriptor,   &TCDLRechteck::Descriptor, &TCDLKreis::Descriptor,
    &TCDLEllipse::Descriptor, &TCDLBild::Descriptor,     &TCDLDIR::Descriptor,
};

} // namespace

std::span<const TFrameKind *const> FrameKinds() { return kKinds; }

const TFrameKind *FindKind(uint16_t tag)
{
    for (const TFrameKind *k : kKinds)
        if (k->Tag == tag)
            return k;
    return nullptr;
}

const TFrameKind *FindKindByTool(TTool tool, const TKindTool **use)
{
    for (const TFrameKind *k : kKinds)
        for (const TKindTool &t : k->Tools)
            if (t.Tool == tool) {
                if (use)
                    *use = &t;
                return k;
            }
    return nullptr;
}

const TFrameKind *FindKindForPaste(const TClipData &clip)
{
    for (const TFrameKind *k : kKinds)
        if (k->TakesPaste && k->Create && k->TakesPaste(clip))
            return k;
    return nullptr;
}

std::unique_ptr<TCDLFrame> CreateFrameByTag(uint16_t tag, TCDLPage *page)
{
    const TFrameKind *k = FindKind(tag);
    return k && k->Create ? k->Create(page, 0, 0) : nullptr;
}
