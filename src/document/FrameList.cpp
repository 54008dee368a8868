#include "FrameList.h"

#include "Errors.h"
#include "Strings.h"

#include <algorithm>

void TCDLFrameList::Add(TCDLFrame *f)
{
    if (!f || Contains(f))
        return;
    if (Count() > MaxSelectionMembers)
        throw ELocalizedError(GetText(569));
    m_items.push_back(f);
    m_index.insert(f);
}

void TCDLFrameList::Remove(TCDLFrame *f)
{
    if (m_index.erase(f))
        std::erase(m_items, f);
}

void TCDLFrameList::Remove(const std::unordered_set<const TCDLFrame *> &frames)
{
    std::erase_if(m_items, [&](const TCDLFrame *f) { return frames.contains(f); });
    for (const TCDLFrame *f : frames)
        m_index.erase(f);
}

void TCDLFrameList::Clear()
{
    m_items.clear();
    m_index.clear();
}

TCDLFrame *TCDLFrameList::Get(int i) const
{
    if (i < 0 || i >= Count())
        throw InternalError(1);
    return m_items[size_t(i)];
}

// The count, a blank, then the text, which opens with a blank of its own.
QString TCDLFrameList::Describe() const { return QString::number(Count()) + QLatin1Char(' ') + GetText(570); }
