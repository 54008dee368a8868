#include "Page.h"
#include "PageEditor.h"
#include "Selecting.h"

#include <cstdlib>

namespace {

void PressTail(TEditState &s, QPoint p)
{
    s.LastPoint = p;
    s.PressRecord = s.GrabOffset;
    s.PressPoint = p;
}

QPoint GrabOffsetOf(const TCDLFrame &f, QPoint m) { return {m.x() - f.X, m.y() - f.Y}; }

} // namespace

void DragFrame(TPageEditor &e, QPoint p, QPoint m)
{
    TEditState &s = e.m_state;
    TCDLPage &page = e.Page();
    TCDLFrame *f = s.MouseState == TMouseState::Create ? e.Creating.get() : page.ActiveFrame();
    if (!f || p == s.LastPoint)
        return;
    // A frame picked by this press gets its snapshot only once it really moves.
    if (s.MouseState == TMouseState::MoveActive && s.FreshPick) {
        page.Undo.Record(f, nullptr, TUndoKind::Position);
        s.FreshPick = false;
    }
    f->MouseMove(m.x(), m.y(), s.GrabOffset.x(), s.GrabOffset.y(), page.Mode());
    e.Relayout(f);
    if (f != e.Creating.get())
        page.AnnounceShownFrame();
    e.Status(f->Verbose());
    s.Moved = true;
    page.Repaint();
}

bool TEditTool::GrabGuideLine(TPageEditor &e, QPoint p)
{
    TCDLPage &page = e.Page();
    for (int i = 0; i < page.SnapLines.Count(); ++i) {
        const TSnapLineRecord &l = page.SnapLines.Get(i);
        const int dist = l.Horizontal ? page.Context.MapY(l.Position) - p.y() : page.Context.MapX(l.Position) - p.x();
        if (std::abs(dist) < 3) {
            e.m_state.MouseState = TMouseState::GuideLine;
            e.m_state.GrabOffset = QPoint(i, i);
            return true;
        }
    }
    return false;
}

void TEditTool::Press(TPageEditor &e, QPoint p, Qt::KeyboardModifiers mods)
{
    TEditState &s = e.m_state;
    TCDLPage &page = e.Page();
    s.FreshPick = false;
    s.MouseState = TMouseState::Idle;
    s.Moved = false;
    s.Recorded = false;
    if (mods & Qt::ControlModifier) {
        CtrlClick(e, p);
        return;
    }
    const QPoint m = e.ModelOf(p);
    if (GrabGuideLine(e, p)) {
        PressTail(s, p);
        return;
    }
    if (page.Selection().Count() >= 2) {
        bool hit = false;
        for (TCDLFrame *f : page.Selection().Items())
            if ((hit = f->TestMouseHit(page.ScreenGeometry(*f), p.x(), p.y())))
                break;
        if (hit) {
            page.BeginDrag(TFrameState::Moving, ModeMove);
            s.MouseState = TMouseState::MoveGroup;
            s.GrabOffset = m;
            page.Undo.Record(nullptr, &page.Selection(), TUndoKind::Position);
            s.Recorded = true;
            page.Repaint();
            PressTail(s, p);
            return;
        }
    } else {
        // A lone member can be left by the align command; a press ends it.
        if (!page.Selection().IsEmpty()) {
            page.ClearGroup();
            page.Repaint();
        }
        if (TCDLFrame *a = page.ActiveFrame()) {
            if (const int h = a->TestDPMouseHit(page.ScreenGeometry(*a), p.x(), p.y()); h != -1) {
                page.Undo.Record(a, nullptr, TUndoKind::Size);
                s.Recorded = true;
                page.BeginDrag(TFrameState::Sizing, h);
                s.MouseState = TMouseState::DragHandle;
                page.Repaint();
                PressTail(s, p);
                return;
            }
            if (a->TestMouseHit(page.ScreenGeometry(*a), p.x(), p.y())) {
                page.Undo.Record(a, nullptr, TUndoKind::Position);
                s.Recorded = true;
                page.BeginDrag(TFrameState::Moving, ModeMove);
                s.MouseState = TMouseState::MoveActive;
                s.GrabOffset = GrabOffsetOf(*a, m);
                page.Repaint();
                PressTail(s, p);
                return;
            }
            page.DropActive();
            e.Status(QString());
            page.Repaint();
        }
    }
    if (TCDLFrame *f = TopmostHit(page, p.x(), p.y())) {
        page.Activate(f);
        page.BeginDrag(TFrameState::Moving, ModeMove);
        s.MouseState = TMouseState::MoveActive;
        s.FreshPick = true;
        s.GrabOffset = GrabOffsetOf(*f, m);
        page.AnnounceShownFrame();
        e.Status(f->Verbose());
        page.Repaint();
    } else {
        // With nothing selected nothing on the page changes: the control
        // shows the band's start by itself.
        const bool shown = !page.Selection().IsEmpty();
        page.ClearGroup();
        page.AnnounceShownFrame();
        if (shown)
            page.Repaint();
        s.MouseState = TMouseState::Band;
        s.GrabOffset = p;
        e.Status(QString());
    }
    PressTail(s, p);
}

void TEditTool::CtrlClick(TPageEditor &e, QPoint p)
{
    TCDLPage &page = e.Page();
    if (page.FrameCount() == 0)
        return;
    if (TCDLFrame *f = TopmostHit(page, p.x(), p.y()))
        ToggleSelected(page, f);
    if (SingleToActive(page))
        e.m_state.GrabOffset = GrabOffsetOf(*page.ActiveFrame(), e.ModelOf(p));
    else if (!page.ActiveFrame())
        page.AnnounceShownFrame();
    page.ShowSelectionStatus();
    page.Repaint();
}

void TEditTool::Drag(TPageEditor &e, QPoint p, QPoint m)
{
    TEditState &s = e.m_state;
    TCDLPage &page = e.Page();
    switch (s.MouseState) {
    case TMouseState::MoveActive:
    case TMouseState::DragHandle: DragFrame(e, p, m); break;
    case TMouseState::Band:
        // The band changes nothing on the page; the control repaints its outline.
        s.PressPoint = p;
        break;
    case TMouseState::MoveGroup:
        // In model units from the last step, so the group keeps to the
        // pointer at every zoom.
        if (m != s.GrabOffset) {
            e.MoveGroupBy(m.x() - s.GrabOffset.x(), m.y() - s.GrabOffset.y());
            s.GrabOffset = m;
            s.Moved = true;
            page.Repaint();
        }
        break;
    case TMouseState::GuideLine: {
        const int i = s.PressRecord.x();
        if (i < 0 || i >= page.SnapLines.Count())
            break;
        TSnapLineRecord l = page.SnapLines.Get(i);
        const int32_t pos = l.Horizontal ? m.y() : m.x();
        // The control repaints the strips the line leaves and enters.
        if (pos != l.Position) {
            l.Position = pos;
            page.SnapLines.SetLine(i, l);
            s.Moved = true;
        }
        break;
    }
    default: break;
    }
}

void TEditTool::DropGuideLine(TPageEditor &e, QPoint p)
{
    TCDLPage &page = e.Page();
    const int i = e.m_state.PressRecord.x();
    if (i < 0 || i >= page.SnapLines.Count())
        return;
    const TSnapLineRecord l = page.SnapLines.Get(i);
    // Dropped onto the ruler of its own orientation: gone.
    if ((!l.Horizontal && p.x() < 0) || (l.Horizontal && p.y() < 0)) {
        page.SnapLines.Delete(i);
        page.Modified = true;
    } else {
        const int before = page.SnapLines.Count();
        page.SnapLines.RemoveDuplicates();
        if (e.m_state.Moved || page.SnapLines.Count() != before)
            page.Modified = true;
    }
    page.Repaint();
}

void TEditTool::Release(TPageEditor &e, QPoint p)
{
    TEditState &s = e.m_state;
    TCDLPage &page = e.Page();
    // A press that moved nothing is no change: it leaves no undo step that
    // would restore nothing, and what could be redone still can.
    if (s.Recorded && !s.Moved)
        page.Undo.Withdraw();
    s.Recorded = false;
    switch (s.MouseState) {
    case TMouseState::MoveActive:
    case TMouseState::DragHandle:
        if (page.ActiveFrame()) {
            page.EndDrag();
            if (s.Moved) {
                page.Modified = true;
                page.AnnounceShownFrame();
            }
        }
        page.Repaint();
        break;
    case TMouseState::Band: SelectInRect(page, s.GrabOffset, s.LastPoint); break;
    case TMouseState::MoveGroup:
        page.EndDrag();
        if (s.Moved)
            page.Modified = true;
        page.Repaint();
        break;
    case TMouseState::GuideLine: DropGuideLine(e, p); break;
    default: break;
    }
}
