#include "Selecting.h"

#include "Page.h"

#include <algorithm>

namespace {

void ShowStatus(TCDLPage &page, const QString &text)
{
    if (page.Window)
        page.Window->ShowStatus(text);
}

void MakeActive(TCDLPage &page, TCDLFrame *f)
{
    page.ActiveFrame = f;
    f->State = TFrameState::Selected;
    page.Mode = ModeMove;
    page.AnnounceShownFrame();
    ShowStatus(page, f->Verbose());
}

} // namespace

TCDLFrame *TopmostHit(const TCDLPage &page, int x, int y)
{
    for (int i = page.FrameCount() - 1; i >= 0; --i)
        if (page.FrameAt(i)->TestMouseHit(x, y))
            return page.FrameAt(i);
    return nullptr;
}

void DropActive(TCDLPage &page)
{
    if (!page.ActiveFrame)
        return;
    page.ActiveFrame->State = TFrameState::Plain;
    page.ActiveFrame = nullptr;
    page.AnnounceShownFrame();
    page.Repaint();
}

void ClearGroup(TCDLPage &page)
{
    if (page.Selection.IsEmpty())
        return;
    for (TCDLFrame *f : page.Selection.Items())
        if (f != page.ActiveFrame)
            f->State = TFrameState::Plain;
    page.Selection.Clear();
    page.Repaint();
}

bool ToggleSelected(TCDLPage &page, TCDLFrame *f)
{
    if (f == page.ActiveFrame) {
        DropActive(page);
        return false;
    }
    if (page.Selection.Contains(f)) {
        f->State = TFrameState::Plain;
        page.Selection.Remove(f);
        page.Repaint();
        return false;
    }
    if (TCDLFrame *a = page.ActiveFrame) {
        page.ActiveFrame = nullptr;
        page.AnnounceShownFrame();
        page.Selection.Add(a, false);
    }
    page.Selection.Add(f, true);
    return true;
}

bool SingleToActive(TCDLPage &page)
{
    if (!page.Selection.IsSingle())
        return false;
    TCDLFrame *f = page.Selection.Items().front();
    page.Selection.Clear();
    MakeActive(page, f);
    page.Repaint();
    return true;
}

void InvertSelection(TCDLPage &page)
{
    // What toggling every frame in page order gives, the active frame
    // included, built in one pass rather than by removals from the list.
    std::vector<TCDLFrame *> inverted;
    for (int i = 0; i < page.FrameCount(); ++i)
        if (TCDLFrame *f = page.FrameAt(i); f != page.ActiveFrame && !page.Selection.Contains(f))
            inverted.push_back(f);
    DropActive(page);
    for (TCDLFrame *f : page.Selection.Items())
        f->State = TFrameState::Plain;
    page.Selection.Clear();
    for (TCDLFrame *f : inverted)
        page.Selection.Add(f, false);
    if (!SingleToActive(page)) {
        page.Selection.SetState(TFrameState::Selected);
        page.AnnounceShownFrame();
    }
    page.ShowSelectionStatus();
    page.CommandStatesChanged();
    page.Repaint();
}

void ClearSelection(TCDLPage &page)
{
    ClearGroup(page);
    ShowStatus(page, QString());
    DropActive(page);
    page.AnnounceShownFrame();
}

void SelectInRect(TCDLPage &page, QPoint a, QPoint b)
{
    DropActive(page);
    const TRect band{std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()), std::max(a.y(), b.y())};
    for (int i = 0; i < page.FrameCount(); ++i)
        if (page.FrameAt(i)->IsInRect(band))
            page.Selection.Add(page.FrameAt(i), false);
    if (!SingleToActive(page)) {
        page.Selection.SetState(TFrameState::Selected);
        page.Mode = ModeMove;
        page.AnnounceShownFrame();
        page.ShowSelectionStatus();
    }
    page.CommandStatesChanged();
    page.Repaint();
}

void CycleActive(TCDLPage &page, bool backwards)
{
    const int n = page.FrameCount();
    const int i = page.IndexOf(page.ActiveFrame);
    if (i < 0 || n == 0)
        return;
    page.ActiveFrame->State = TFrameState::Plain;
    MakeActive(page, page.FrameAt(backwards ? (i + n - 1) % n : (i + 1) % n));
    page.Repaint();
}
