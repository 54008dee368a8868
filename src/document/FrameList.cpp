#include "FrameList.h"

#include "Errors.h"
#include "Frame.h"
#include "Page.h"
#include "Strings.h"

#include <algorithm>

void TCDLFrameList::Add(TCDLFrame *f, bool drawHandles)
{
    if (!f || Contains(f))
        return;
    f->State = 1;
    Items.push_back(f);
    if (Page && Page->Window) {
        if (drawHandles)
            Page->Window->RepaintPage();
        Page->Window->CommandStatesChanged();
    }
}

void TCDLFrameList::Remove(TCDLFrame *f) { std::erase(Items, f); }

bool TCDLFrameList::Contains(const TCDLFrame *f) const
{
    return std::find(Items.begin(), Items.end(), f) != Items.end();
}

TCDLFrame *TCDLFrameList::Get(int i) const
{
    if (i < 0 || i >= Count())
        throw InternalError(1);
    return Items[size_t(i)];
}

void TCDLFrameList::SetState(uint8_t state)
{
    for (TCDLFrame *f : Items)
        f->State = state;
}

void TCDLFrameList::PaintAll(TPaintContext &c, bool keepHandles)
{
    for (TCDLFrame *f : Items)
        f->PaintAt(c, keepHandles);
}

void TCDLFrameList::DeleteAll()
{
    if (!Page)
        return;
    const std::vector<TCDLFrame *> doomed = Items;
    Items.clear();
    for (TCDLFrame *f : doomed) {
        const int i = Page->IndexOf(f);
        if (f == Page->ActiveFrame)
            Page->ActiveFrame = nullptr;
        if (i >= 0)
            Page->Frames.erase(Page->Frames.begin() + i);
    }
    Page->RefreshPanels(nullptr);
    Page->Modified = true;
    Page->Repaint();
    if (Page->Window)
        Page->Window->CommandStatesChanged();
}

QString TCDLFrameList::Describe() const { return QString::number(Count()) + GetText(570); }
