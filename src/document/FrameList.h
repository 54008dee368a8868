#pragma once
// The group of one page's selection: the frames selected when two or more
// are. It only refers to frames; the page owns them and keeps the list's
// rules (TCDLPage's selection operations).

#include <QPoint>
#include <QString>
#include <cstdint>
#include <unordered_set>
#include <vector>

class TCDLFrame;

// A guard only: a page holds at most 30,000 frames.
inline constexpr int MaxSelectionMembers = 65530;

// What the clipboard keeps of a page's selection between copies and pastes.
struct TSelectionClip
{
    QPoint PasteOffset;
    int32_t ClipId = -1;
    bool Busy = false;
};

class TCDLFrameList
{
public:
    // Members in the order they joined.
    const std::vector<TCDLFrame *> &Items() const { return m_items; }
    // Throws the localized text 569 and changes nothing beyond the guard.
    void Add(TCDLFrame *f);
    void Remove(TCDLFrame *f);
    void Remove(const std::unordered_set<const TCDLFrame *> &frames);
    void Clear();
    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    bool IsSingle() const { return m_items.size() == 1; }
    bool Contains(const TCDLFrame *f) const { return m_index.contains(f); }
    // Throws the localized internal error 1 for an index it does not hold.
    TCDLFrame *Get(int i) const;
    // "<n> Objekte ausgewählt"
    QString Describe() const;

private:
    std::vector<TCDLFrame *> m_items;
    // Membership in constant time: select all adds every frame of a full page.
    std::unordered_set<const TCDLFrame *> m_index;
};
