#pragma once
// The selection of one page when two or more frames are selected. It only
// refers to frames; the page owns them.

#include <QPoint>
#include <QString>
#include <cstdint>
#include <unordered_set>
#include <vector>

class TCDLFrame;
class TCDLPage;
class TPaintContext;
enum class TFrameState : uint8_t;

// A guard only: a page holds at most 30,000 frames.
inline constexpr int MaxSelectionMembers = 65530;

class TCDLFrameList
{
public:
    explicit TCDLFrameList(TCDLPage *page) : Page(page) {}

    TCDLPage *Page;
    QPoint PasteOffset;
    int32_t ClipId = -1;
    bool Busy = false;

    // Members in the order they joined.
    const std::vector<TCDLFrame *> &Items() const { return m_items; }
    // Throws the localized text 569 and changes nothing beyond the guard.
    // Commands that add many frames pass notify = false and repaint and
    // update the command states once at their end.
    void Add(TCDLFrame *f, bool notify = true);
    void Remove(TCDLFrame *f);
    void Remove(const std::unordered_set<const TCDLFrame *> &frames);
    void Clear();
    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    bool IsSingle() const { return m_items.size() == 1; }
    bool Contains(const TCDLFrame *f) const { return m_index.contains(f); }
    // Throws the localized internal error 1 for an index it does not hold.
    TCDLFrame *Get(int i) const;
    void SetState(TFrameState state);
    // Each member where it lies under c.
    // Frees every member through the page.
    void DeleteAll();
    // "<n> Objekte ausgewählt"
    QString Describe() const;

private:
    std::vector<TCDLFrame *> m_items;
    // Membership in constant time: select all adds every frame of a full page.
    std::unordered_set<const TCDLFrame *> m_index;
};
