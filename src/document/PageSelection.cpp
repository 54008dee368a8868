#include "Page.h"

// The selection's rules in one place: what is selected, the active frame and
// the frames' editing states change here, and nowhere else but where frames
// leave the page (Page.cpp).

void TCDLPage::Activate(TCDLFrame *f)
{
    for (TCDLFrame *m : m_selection.Items())
        if (m != f)
            m->m_state = TFrameState::Plain;
    m_selection.Clear();
    if (m_active && m_active != f)
        m_active->m_state = TFrameState::Plain;
    m_active = f;
    if (f) {
        f->m_state = TFrameState::Selected;
        m_mode = ModeMove;
    }
}

void TCDLPage::DropActive()
{
    if (!m_active)
        return;
    if (!m_selection.Contains(m_active))
        m_active->m_state = TFrameState::Plain;
    m_active = nullptr;
}

void TCDLPage::AddToSelection(TCDLFrame *f, bool notify)
{
    if (!f || m_selection.Contains(f))
        return;
    m_selection.Add(f);
    f->m_state = TFrameState::Selected;
    if (notify) {
        Repaint();
        CommandStatesChanged();
    }
}

void TCDLPage::RemoveFromSelection(TCDLFrame *f)
{
    if (!m_selection.Contains(f))
        return;
    m_selection.Remove(f);
    if (f != m_active)
        f->m_state = TFrameState::Plain;
}

void TCDLPage::ClearGroup()
{
    for (TCDLFrame *m : m_selection.Items())
        if (m != m_active)
            m->m_state = TFrameState::Plain;
    m_selection.Clear();
}

void TCDLPage::ClearSelection()
{
    ClearGroup();
    DropActive();
}

void TCDLPage::GroupActive()
{
    if (!m_active)
        return;
    // The member guard cannot refuse: the group is empty or smaller than any page.
    m_selection.Add(m_active);
    m_active = nullptr;
}

bool TCDLPage::ActivateLoneMember()
{
    if (!m_selection.IsSingle() || m_active)
        return false;
    TCDLFrame *f = m_selection.Items().front();
    m_selection.Clear();
    Activate(f);
    return true;
}

void TCDLPage::SelectOnly(const std::vector<TCDLFrame *> &frames)
{
    ClearSelection();
    for (TCDLFrame *f : frames)
        AddToSelection(f);
    if (!ActivateLoneMember() && !m_selection.IsEmpty())
        m_mode = ModeMove;
}

void TCDLPage::BeginDrag(TFrameState state, int32_t mode)
{
    SetSelectedStates(state);
    m_mode = mode;
}

void TCDLPage::EndDrag() { SetSelectedStates(TFrameState::Selected); }

void TCDLPage::BeginCreating(TCDLFrame &f)
{
    f.m_state = TFrameState::Sizing;
    m_mode = ModeCreate;
}

void TCDLPage::SetSelectedStates(TFrameState state)
{
    if (m_active)
        m_active->m_state = state;
    for (TCDLFrame *f : m_selection.Items())
        f->m_state = state;
}

// ---- the commands and their notices

void TCDLPage::ShowSelectionStatus()
{
    if (!Window)
        return;
    if (m_active)
        Window->ShowStatus(m_active->Verbose());
    else if (m_selection.Count() >= 2)
        Window->ShowStatus(m_selection.Describe());
    else
        Window->ShowStatus(QString());
}

void TCDLPage::AnnounceSelection()
{
    AnnounceShownFrame();
    ShowSelectionStatus();
    CommandStatesChanged();
    Repaint();
}

void TCDLPage::SelectAll()
{
    std::vector<TCDLFrame *> all;
    all.reserve(m_frames.size());
    for (auto &f : m_frames)
        all.push_back(f.get());
    SelectOnly(all);
    AnnounceSelection();
}

void TCDLPage::DeselectAll()
{
    ClearSelection();
    AnnounceSelection();
}

void TCDLPage::DeleteGroup()
{
    const std::unordered_set<const TCDLFrame *> doomed(m_selection.Items().begin(), m_selection.Items().end());
    m_selection.Clear();
    DeleteFrames(doomed);
    AnnounceShownFrame();
    Modified = true;
    Repaint();
    CommandStatesChanged();
}

void TCDLPage::DeleteSelected()
{
    if (!m_selection.IsEmpty()) {
        Undo.Record(nullptr, &m_selection, TUndoKind::Deletion);
        DeleteGroup();
    } else if (m_active) {
        Undo.Record(m_active, nullptr, TUndoKind::Deletion);
        DeleteFrame(IndexOf(m_active));
    } else {
        return;
    }
    Modified = true;
    if (Window)
        Window->ShowStatus(QString());
    AnnounceShownFrame();
    CommandStatesChanged();
    Repaint();
}
