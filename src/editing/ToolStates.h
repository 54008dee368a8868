#pragma once
// The mouse logic of the tools, one small state class each. A press picks
// what the drag will do (TEditState::MouseState); drags and the release then
// go to the tool that owns that state.

#include <QPoint>
#include <Qt>

class TPageEditor;

class TToolState
{
public:
    virtual ~TToolState() = default;
    virtual void Press(TPageEditor &e, QPoint p, Qt::KeyboardModifiers mods) = 0;
    // p is the device point after snapping, m its model point.
    virtual void Drag(TPageEditor &e, QPoint p, QPoint m) = 0;
    virtual void Release(TPageEditor &e, QPoint p) = 0;
};

// Selection, moving, handles, rubber band, groups and guide lines.
class TEditTool : public TToolState
{
public:
    void Press(TPageEditor &e, QPoint p, Qt::KeyboardModifiers mods) override;
    void Drag(TPageEditor &e, QPoint p, QPoint m) override;
    void Release(TPageEditor &e, QPoint p) override;

private:
    void CtrlClick(TPageEditor &e, QPoint p);
    bool GrabGuideLine(TPageEditor &e, QPoint p);
    void DropGuideLine(TPageEditor &e, QPoint p);
};

// Every drawing tool: the frame is built at the press, sized by the drag and
// put on the page at the release.
class TCreateTool : public TToolState
{
public:
    void Press(TPageEditor &e, QPoint p, Qt::KeyboardModifiers mods) override;
    void Drag(TPageEditor &e, QPoint p, QPoint m) override;
    void Release(TPageEditor &e, QPoint p) override;
    // Drops the frame being created and, when asked, its creation snapshot.
    static void Discard(TPageEditor &e, bool dropSnapshot);
};

// The move and handle drags both tools share: the active frame (or the one
// being created) follows the pointer.
void DragFrame(TPageEditor &e, QPoint p, QPoint m);
