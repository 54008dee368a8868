#include "Errors.h"
#include "Page.h"
#include "PageEditor.h"
#include "Selecting.h"

void TCreateTool::Press(TPageEditor &e, QPoint p, Qt::KeyboardModifiers)
{
    TEditState &s = e.m_state;
    TCDLPage &page = e.Page();
    s.FreshPick = false;
    s.MouseState = TMouseState::Idle;
    s.Moved = false;
    ClearSelection(page);
    const QPoint m = e.ModelOf(p);
    e.Creating =
        CreateToolFrame(e.Host() ? e.Host()->CurrentTool() : TTool::Edit, &page, m.x(), m.y(), &e.CreatingTool);
    if (!e.Creating)
        return;
    TCDLFrame *f = e.Creating.get();
    s.GrabOffset = s.PressPoint = s.LastPoint = s.PressRecord = p;
    s.MouseState = TMouseState::Create;
    page.Undo.Record(f, nullptr, TUndoKind::Creation);
    page.BeginCreating(*f);
    e.Relayout(f);
    e.Status(f->Verbose());
    page.Repaint();
}

void TCreateTool::Drag(TPageEditor &e, QPoint p, QPoint m) { DragFrame(e, p, m); }

void TCreateTool::Discard(TPageEditor &e, bool dropSnapshot)
{
    TCDLPage &page = e.Page();
    if (e.Creating)
        page.ForgetScreenGeometry(*e.Creating);
    e.Creating.reset();
    if (dropSnapshot)
        page.Undo.Withdraw();
    page.AnnounceShownFrame();
    e.Status(QString());
    page.Repaint();
}

void TCreateTool::Release(TPageEditor &e, QPoint p)
{
    TCDLPage &page = e.Page();
    TCDLFrame *f = e.Creating.get();
    if (!f)
        return;
    if (p == e.m_state.PressPoint) {
        f->SetDefaults();
        e.Relayout(f);
    }
    // The press is over before the kind asks: a dialog that takes the focus
    // (and so ends drags) must not take the frame or its snapshot with it.
    e.m_state.MouseState = TMouseState::Idle;
    std::unique_ptr<TCDLFrame> made = std::move(e.Creating);
    bool added = false;
    if (AskForFrame(*e.CreatingTool, *f, e.Host() ? e.Host()->CreationHost() : nullptr)) {
        try {
            page.AddFrame(std::move(made));
            added = true;
        } catch (const EFrameLimit &err) {
            // AddFrame has freed the frame.
            if (page.Window)
                page.Window->ShowWarning(err.message());
        }
    }
    if (added) {
        page.Activate(f);
        e.Relayout(f);
        page.Modified = true;
        page.AnnounceShownFrame();
        e.Status(f->Verbose());
        if (f->Kind().Focus != TTextFocus::None && e.Host())
            e.Host()->FocusTextInput(f);
        page.Repaint();
    } else {
        // The creation snapshot is the newest: nothing else runs during the drag.
        Discard(e, true);
    }
    if (e.Host())
        e.Host()->ToolUsed();
}
