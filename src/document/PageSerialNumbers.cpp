#include "Page.h"

#include "SerNo.h"

#include <algorithm>

// A page's serial-number frames, as printing steps and checks them.

bool TCDLPage::HasSerialNumbers() const
{
    return std::any_of(m_frames.begin(), m_frames.end(), [](const auto &f) { return KindCast<TCDLSerNo>(f.get()); });
}

bool TCDLPage::SerialNumbersSuffice(int32_t n) const
{
    for (const auto &f : m_frames)
        if (const TCDLSerNo *s = KindCast<TCDLSerNo>(f.get()); s && !s->Suffices(n))
            return false;
    return true;
}

void TCDLPage::AdvanceSerialNumbers()
{
    // Only a page whose numbers moved has changed by being printed.
    for (auto &f : m_frames)
        if (TCDLSerNo *s = KindCast<TCDLSerNo>(f.get())) {
            s->Advance();
            Modified = true;
        }
}

void TCDLPage::SaveCounters()
{
    for (auto &f : m_frames)
        if (TCDLSerNo *s = KindCast<TCDLSerNo>(f.get()))
            s->SavedCounter = s->Counter;
}

void TCDLPage::RestoreCounters()
{
    for (auto &f : m_frames)
        if (TCDLSerNo *s = KindCast<TCDLSerNo>(f.get()))
            s->Counter = s->SavedCounter;
}
