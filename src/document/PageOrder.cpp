#include "Page.h"

#include <utility>

// The stacking order of a page's frames.

void TCDLPage::MoveFrame(int from, int to)
{
    if (from < 0 || from >= FrameCount() || to < 0 || to >= FrameCount() || from == to)
        return;
    auto f = std::move(m_frames[size_t(from)]);
    m_frames.erase(m_frames.begin() + from);
    m_frames.insert(m_frames.begin() + to, std::move(f));
}

// The stacking order is stored with the page, so changing it is a change
// to save.
void TCDLPage::OneStepForward()
{
    const int i = IndexOf(m_active);
    if (i < 0 || i == FrameCount() - 1)
        return;
    Undo.Record(m_active, nullptr, TUndoKind::StepForward);
    std::swap(m_frames[size_t(i)], m_frames[size_t(i + 1)]);
    Modified = true;
    Repaint();
}

void TCDLPage::OneStepBack()
{
    const int i = IndexOf(m_active);
    if (i <= 0)
        return;
    Undo.Record(m_active, nullptr, TUndoKind::StepBack);
    std::swap(m_frames[size_t(i)], m_frames[size_t(i - 1)]);
    Modified = true;
    Repaint();
}

void TCDLPage::ToFront()
{
    const int i = IndexOf(m_active);
    if (i < 0 || i == FrameCount() - 1)
        return;
    Undo.Record(m_active, nullptr, TUndoKind::ToFront);
    MoveFrame(i, FrameCount() - 1);
    Modified = true;
    Repaint();
}

void TCDLPage::ToBack()
{
    const int i = IndexOf(m_active);
    if (i <= 0)
        return;
    Undo.Record(m_active, nullptr, TUndoKind::ToBack);
    MoveFrame(i, 0);
    Modified = true;
    Repaint();
}
