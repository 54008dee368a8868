#include "Selecting.h"

#include "Page.h"

#include <algorithm>

namespace {

// The active frame changed: the panels and the status line show it.
void ShowActive(TCDLPage &page)
{
    page.AnnounceShownFrame();
    page.ShowSelectionStatus();
    page.Repaint();
}

} // namespace

TCDLFrame *TopmostHit(const TCDLPage &page, int x, int y)
{
    for (int i = page.FrameCount() - 1; i >= 0; --i)
        if (const TCDLFrame *f = page.FrameAt(i); f->TestMouseHit(page.ScreenGeometry(*f), x, y))
            return page.FrameAt(i);
    return nullptr;
}

bool ToggleSelected(TCDLPage &page, TCDLFrame *f)
{
    if (f == page.ActiveFrame()) {
        page.DropActive();
        page.AnnounceShownFrame();
        page.Repaint();
        return false;
    }
    if (page.Selection().Contains(f)) {
        page.RemoveFromSelection(f);
        page.Repaint();
        return false;
    }
    if (page.ActiveFrame()) {
        page.GroupActive();
        page.AnnounceShownFrame();
    }
    page.AddToSelection(f, true);
    return true;
}

bool SingleToActive(TCDLPage &page)
{
    if (!page.ActivateLoneMember())
        return false;
    ShowActive(page);
    return true;
}

void InvertSelection(TCDLPage &page)
{
    // What toggling every frame in page order gives, the active frame
    // included, built in one pass rather than by removals from the group.
    std::vector<TCDLFrame *> inverted;
    for (int i = 0; i < page.FrameCount(); ++i)
        if (TCDLFrame *f = page.FrameAt(i); f != page.ActiveFrame() && !page.Selection().Contains(f))
            inverted.push_back(f);
    page.SelectOnly(inverted);
    page.AnnounceSelection();
}

void ClearSelection(TCDLPage &page)
{
    page.ClearSelection();
    page.AnnounceShownFrame();
    page.ShowSelectionStatus();
    page.Repaint();
}

void SelectInRect(TCDLPage &page, QPoint a, QPoint b)
{
    const TRect band{std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()), std::max(a.y(), b.y())};
    std::vector<TCDLFrame *> inside;
    for (int i = 0; i < page.FrameCount(); ++i)
        if (const TCDLFrame *f = page.FrameAt(i); f->IsInRect(page.ScreenGeometry(*f), band))
            inside.push_back(page.FrameAt(i));
    page.SelectOnly(inside);
    page.AnnounceSelection();
}

void CycleActive(TCDLPage &page, bool backwards)
{
    const int n = page.FrameCount();
    const int i = page.IndexOf(page.ActiveFrame());
    if (i < 0 || n == 0)
        return;
    page.Activate(page.FrameAt(backwards ? (i + n - 1) % n : (i + 1) % n));
    ShowActive(page);
}
