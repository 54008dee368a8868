#pragma once
// Mouse and key editing of one interactive page. The page widget hands over
// device coordinates, buttons, modifiers and keys; this decides what is hit,
// what moves, what is snapped, when undo takes its snapshot and when the
// page counts as modified. It keeps no frame pointer of its own; the frame
// being created is its own until the release puts it on the page, and
// nothing of the page refers to it before.

#include "Arrange.h"
#include "ClipData.h"
#include "EditorHost.h"
#include "ToolStates.h"

#include <QPoint>
#include <QSize>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class TCDLFrame;
class TCDLPage;

enum class TMouseState : uint8_t {
    Idle = 0,
    MoveActive = 1,
    DragHandle = 2,
    Create = 3,
    Band = 4,
    MoveGroup = 5,
    GuideLine = 10,
};

// The z-order commands on the active frame.
enum class TRestack { ToFront, OneStepForward, OneStepBack, ToBack };

// The pointer over the page: the usual one, the one that moves and sizes,
// the plain arrow while a frame is drawn out.
enum class TPointerShape { Default, SizeAll, Arrow };

// Arrow-key directions, in the order of the arrow keys' codes.
enum class TNudge { Left, Up, Right, Down };

struct TEditState
{
    TMouseState MouseState = TMouseState::Idle;
    QPoint PressPoint;
    // Per state: model grab offset (1), device press point (3, 4), model
    // pointer of the last group step (5), guide-line index (10).
    QPoint GrabOffset;
    // GrabOffset as it was at the press, untouched by grid snapping.
    QPoint PressRecord;
    QPoint LastPoint;
    bool Moved = false;
    bool FreshPick = false;
    // The press took its undo snapshot (a move or size that may not happen).
    bool Recorded = false;
};

class TPageEditor
{
public:
    TPageEditor(TCDLPage &page, TEditorHost *host);
    ~TPageEditor();
    TPageEditor(const TPageEditor &) = delete;
    TPageEditor &operator=(const TPageEditor &) = delete;

    TCDLPage &Page() const { return m_page; }
    TEditorHost *Host() const { return m_host; }
    const TEditState &State() const { return m_state; }

    // Size of the page control: the device mapping and every frame's handles
    // follow it.
    void SetControlSize(QSize size);
    QSize ControlSize() const { return m_control; }
    void Layout();

    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p);
    void MouseMove(Qt::MouseButtons held, QPoint p);
    void MouseUp(Qt::MouseButton button, QPoint p);
    // A typed character for the active frame.
    void KeyChar(int code);
    // Arrows nudge, Tab and Shift+Tab cycle, with the modifiers their press
    // held. False when the key is not the page's.
    bool KeyReleased(int qtKey, Qt::KeyboardModifiers mods);
    // Delete deletes what is selected; arrows and Tab are taken for their
    // release. False when the key is not the page's.
    bool KeyPressed(int qtKey, Qt::KeyboardModifiers mods);
    // A run of nudges of the same frame or group is one undo step.
    void Nudge(TNudge direction);
    // Anything but a nudge: the next nudge starts a new undo step.
    void EndNudgeRun();

    void SelectAll();
    void InvertSelection();
    void ClearSelection();
    void DeleteSelected();
    // Restores the page's last snapshot; true when there was one.
    bool Undo();
    // Restores what the last undo took back; true when there was something.
    bool Redo();
    void Align(TAlignMode mode);
    void Restack(TRestack command);
    // The clipboard's and the selection files' page operations (Clipboard.h);
    // they throw ELocalizedError as those do.
    TClipData Copy();
    TClipData Cut();
    bool Paste(const TClipData &clip);
    void SaveSelection(const QString &path);
    bool LoadSelection(const QString &path);
    // Ends a press without its release (focus lost, window closing, a
    // command that changes the frames: every command above ends it first).
    void CancelDrag();
    // The page scrolled by `shift` device pixels during a drag: the device
    // points the drag keeps move with the page.
    void Scrolled(QPoint shift);

    bool Dragging() const;
    // Frames drawn as drag outlines now, including a frame being created.
    std::vector<TCDLFrame *> DraggedFrames() const;
    // The rubber band's corners in device pixels; false when none.
    bool Band(QPoint &a, QPoint &b) const;
    TPointerShape PointerShape(QPoint p) const;

    // For the tool states.
    std::unique_ptr<TCDLFrame> Creating;
    // The entry of the tool that makes it.
    const TKindTool *CreatingTool = nullptr;
    QPoint ModelOf(QPoint device) const;
    void Status(const QString &text) const;
    // Handles follow a frame's new geometry at once, not only at the next paint.
    void Relayout(TCDLFrame *f) const;
    void MoveGroupBy(int32_t dx, int32_t dy) const;

private:
    // The tool states drive the drag through it.
    friend class TEditTool;
    friend class TCreateTool;
    friend void DragFrame(TPageEditor &e, QPoint p, QPoint m);
    TEditState m_state;

    QPoint SnapToGrid(QPoint model);
    QPoint SnapToGuides(QPoint model);
    void ShowPointer(QPoint model) const;

    struct TNudgeRun
    {
        bool Open = false;
        // The page's undo revision after the run's snapshot: any other
        // record, undo or redo since then ends the run.
        uint64_t Revision = 0;
        const TCDLFrame *Frame = nullptr;
        std::vector<TCDLFrame *> Group;
    };

    TCDLPage &m_page;
    TEditorHost *m_host;
    TNudgeRun m_nudgeRun;
    // Modifiers held at the press of a key that acts on its release.
    std::unordered_map<int, Qt::KeyboardModifiers> m_pressMods;
    QSize m_control{100, 100};
    TEditTool m_editTool;
    TCreateTool m_createTool;
};
