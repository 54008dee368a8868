#include "Arrange.h"

#include "Page.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

int64_t CentreX(const TRect &b) { return (int64_t(b.Left) + b.Right) / 2; }
int64_t CentreY(const TRect &b) { return (int64_t(b.Top) + b.Bottom) / 2; }

// Every member onto the common edge or axis; true when any moved.
bool LineUp(const std::vector<TCDLFrame *> &group, TAlignMode mode)
{
    int64_t left = INT32_MAX, top = INT32_MAX, right = -INT32_MAX, bottom = -INT32_MAX;
    for (const TCDLFrame *f : group) {
        const TRect b = f->GetBoundRect();
        left = std::min<int64_t>(left, b.Left);
        top = std::min<int64_t>(top, b.Top);
        right = std::max<int64_t>(right, b.Right);
        bottom = std::max<int64_t>(bottom, b.Bottom);
    }
    bool moved = false;
    for (TCDLFrame *f : group) {
        const TRect b = f->GetBoundRect();
        int64_t dx = 0, dy = 0;
        switch (mode) {
        case TAlignMode::Left: dx = left - b.Left; break;
        case TAlignMode::Right: dx = right - b.Right; break;
        case TAlignMode::Top: dy = top - b.Top; break;
        case TAlignMode::Bottom: dy = bottom - b.Bottom; break;
        case TAlignMode::CenterH: dy = (top + bottom) / 2 - CentreY(b); break;
        case TAlignMode::CenterV: dx = (left + right) / 2 - CentreX(b); break;
        default: return false;
        }
        if (dx || dy) {
            f->ShiftBy(dx, dy);
            moved = true;
        }
    }
    return moved;
}

// Centres evenly between the outermost two, which stay; true when any moved.
bool Spread(const std::vector<TCDLFrame *> &group, bool horizontal)
{
    const size_t n = group.size();
    if (n < 3)
        return false;
    auto key = [horizontal](const TCDLFrame *f) {
        const TRect b = f->GetBoundRect();
        return horizontal ? CentreX(b) : CentreY(b);
    };
    struct TEntry
    {
        TCDLFrame *Frame;
        int64_t Key;
    };
    std::vector<TEntry> entries;
    for (TCDLFrame *f : group)
        entries.push_back({f, key(f)});
    // This exchange sort, not a stable one, decides the order of equal centres.
    for (size_t i = 0; i + 1 < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (entries[j].Key < entries[i].Key)
                std::swap(entries[i], entries[j]);
    const int64_t first = entries.front().Key, last = entries.back().Key;
    if (first == last)
        return false;
    bool moved = false;
    for (size_t p = 0; p < n; ++p) {
        // Trunc(p * (last - first) / (n - 1)) without a floating step, which
        // could land the last centre a unit short.
        const int64_t target = first + int64_t(p) * (last - first) / int64_t(n - 1);
        const int64_t d = target - key(entries[p].Frame);
        if (d) {
            entries[p].Frame->ShiftBy(horizontal ? d : 0, horizontal ? 0 : d);
            moved = true;
        }
    }
    return moved;
}

bool Spreads(TAlignMode mode) { return mode == TAlignMode::DistributeH || mode == TAlignMode::DistributeV; }

} // namespace

int AlignModeOfTag(int tag)
{
    static constexpr int kModes[] = {0, 1, 2, 3, 5, 4, 7, 6};
    return tag >= 1 && tag <= 8 ? kModes[tag - 1] : -1;
}

bool CanAlign(const TCDLPage &page, TAlignMode mode) { return page.Selection().Count() >= (Spreads(mode) ? 3 : 2); }

void Align(TCDLPage &page, TAlignMode mode)
{
    if (page.ActiveFrame()) {
        page.GroupActive();
        page.AnnounceShownFrame();
    }
    if (page.Selection().Count() < 2)
        return;
    page.Undo.Record(nullptr, &page.Selection(), TUndoKind::Position);
    const std::vector<TCDLFrame *> &group = page.Selection().Items();
    const bool moved = Spreads(mode) ? Spread(group, mode == TAlignMode::DistributeH) : LineUp(group, mode);
    // Moved frames are a change to save like any other.
    if (moved)
        page.Modified = true;
    page.Repaint();
}
