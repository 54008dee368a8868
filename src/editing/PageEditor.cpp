#include "PageEditor.h"

#include "Clipboard.h"
#include "Page.h"
#include "Selecting.h"
#include "Settings.h"
#include "Snapping.h"

#include <climits>

namespace {

int32_t FloorToGrid(int32_t v, int32_t step)
{
    // Floor, not truncation: cells left of and above the page centre are as
    // wide as the others.
    const int32_t q = v / step;
    return (v % step < 0 ? q - 1 : q) * step;
}

bool IsFrameDrag(TMouseState s)
{
    return s == TMouseState::MoveActive || s == TMouseState::DragHandle || s == TMouseState::Create;
}

bool IsArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta || key == Qt::Key_Alt
           || key == Qt::Key_AltGr;
}

// Backtab is Tab pressed with Shift: one key for press and release alike,
// whichever of the two a release reports.
void Normalize(int &key, Qt::KeyboardModifiers &mods)
{
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
}

} // namespace

TPageEditor::TPageEditor(TCDLPage &page, TEditorHost *host) : m_page(page), m_host(host) {}

TPageEditor::~TPageEditor() = default;

void TPageEditor::SetControlSize(QSize size)
{
    if (size.isValid() && !size.isEmpty())
        m_control = size;
}

void TPageEditor::Layout()
{
    TPaintContext &c = m_page.Context;
    m_page.FitInto(c, m_control.width(), m_control.height(), c.Zoom);
    if (!c.Canvas)
        m_page.UpdateScreenGeometry();
    if (Creating)
        Relayout(Creating.get());
}

QPoint TPageEditor::ModelOf(QPoint d) const { return {m_page.Context.ModelX(d.x()), m_page.Context.ModelY(d.y())}; }

void TPageEditor::Status(const QString &text) const
{
    if (m_page.Window)
        m_page.Window->ShowStatus(text);
}

void TPageEditor::Relayout(TCDLFrame *f) const
{
    // Not while the page paints: that places every frame itself.
    if (f && !m_page.Context.Canvas)
        m_page.UpdateScreenGeometry(*f);
}

void TPageEditor::MoveGroupBy(int32_t dx, int32_t dy) const
{
    // A moved frame's geometry is made again when next asked for (its key
    // changed): a step of thousands computes none it will not show.
    for (TCDLFrame *f : m_page.Selection().Items())
        f->MouseMove(f->X, f->Y, -dx, -dy, ModeMove);
}

bool TPageEditor::Dragging() const
{
    return IsFrameDrag(m_state.MouseState) || m_state.MouseState == TMouseState::MoveGroup;
}

std::vector<TCDLFrame *> TPageEditor::DraggedFrames() const
{
    std::vector<TCDLFrame *> r;
    if (Creating)
        r.push_back(Creating.get());
    else if (m_page.ActiveFrame() && m_page.ActiveFrame()->IsDragged())
        r.push_back(m_page.ActiveFrame());
    for (TCDLFrame *f : m_page.Selection().Items())
        if (f->IsDragged())
            r.push_back(f);
    return r;
}

bool TPageEditor::Band(QPoint &a, QPoint &b) const
{
    if (m_state.MouseState != TMouseState::Band)
        return false;
    a = m_state.PressRecord;
    b = m_state.PressPoint;
    return true;
}

// ---- mouse

void TPageEditor::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p)
{
    EndNudgeRun();
    // A second button during a drag neither ends nor restarts it.
    if (button == Qt::RightButton || m_state.MouseState != TMouseState::Idle)
        return;
    if (button != Qt::LeftButton) {
        m_state.LastPoint = m_state.PressPoint = p;
        return;
    }
    Layout();
    const TTool tool = m_host ? m_host->CurrentTool() : TTool::Edit;
    if (tool == TTool::Edit || !ToolAvailable(tool))
        m_editTool.Press(*this, p, mods);
    else
        m_createTool.Press(*this, p, mods);
    m_page.CommandStatesChanged();
}

QPoint TPageEditor::SnapToGrid(QPoint m)
{
    const int32_t sx = m_page.SnapX, sy = m_page.SnapY;
    if (m_state.MouseState == TMouseState::MoveActive) {
        // A grab offset on the grid puts the frame's origin on it as well.
        const QPoint g(RoundEven(double(m_state.GrabOffset.x()) / sx) * sx,
                       RoundEven(double(m_state.GrabOffset.y()) / sy) * sy);
        if (g != m_state.GrabOffset) {
            m_state.GrabOffset = g;
            m_state.LastPoint = QPoint(INT_MIN, INT_MIN);
        }
    } else if (m_state.MouseState == TMouseState::MoveGroup) {
        // The press point in the cell the pointer's steps are measured in,
        // or the first step would move the group back by part of a cell.
        m_state.GrabOffset = {FloorToGrid(m_state.GrabOffset.x(), sx), FloorToGrid(m_state.GrabOffset.y(), sy)};
    }
    return {FloorToGrid(m.x(), sx), FloorToGrid(m.y(), sy)};
}

QPoint TPageEditor::SnapToGuides(QPoint m)
{
    if (m_state.MouseState == TMouseState::DragHandle || m_state.MouseState == TMouseState::Create) {
        const TCDLFrame *f = m_state.MouseState == TMouseState::Create ? Creating.get() : m_page.ActiveFrame();
        if (f)
            if (const TSnap s = SnapSizing(m_page.SnapLines, *f, m_page.Mode(), m); s.Mask)
                return s.Point;
    } else if (m_state.MouseState == TMouseState::MoveActive && m_page.ActiveFrame()) {
        // The frame where the pointer would put it, shifted so a handle meets a line.
        const TCDLFrame &f = *m_page.ActiveFrame();
        const QPoint delta = m - m_state.GrabOffset - QPoint(f.X, f.Y);
        if (const TSnap s = SnapMoving(m_page.SnapLines, f, delta); s.Mask)
            return m + (s.Point - delta);
    }
    return m;
}

void TPageEditor::MouseMove(Qt::MouseButtons held, QPoint p)
{
    m_page.MouseInside = true;
    QPoint m = ModelOf(p);
    QPoint d = p;
    if (m_page.SnapEnabled && m_page.SnapX > 0 && m_page.SnapY > 0) {
        m = SnapToGrid(m);
        d = m_page.Context.Map(m.x(), m.y());
    }
    if (m_page.GuideFlag && m_state.MouseState != TMouseState::Idle) {
        const QPoint g = SnapToGuides(m);
        if (g.x() != m.x())
            d.setX(m_page.Context.MapX(g.x()));
        if (g.y() != m.y())
            d.setY(m_page.Context.MapY(g.y()));
        m = g;
    }
    if ((held & Qt::LeftButton) && m_state.MouseState != TMouseState::Idle) {
        if (m_state.MouseState == TMouseState::Create)
            m_createTool.Drag(*this, d, m);
        else
            m_editTool.Drag(*this, d, m);
    }
    ShowPointer(m);
    if (d != m_state.LastPoint)
        m_state.FreshPick = false;
    m_state.LastPoint = d;
}

void TPageEditor::MouseUp(Qt::MouseButton button, QPoint p)
{
    // Only the left button ends what its press began.
    if (button != Qt::LeftButton || m_state.MouseState == TMouseState::Idle)
        return;
    if (m_state.MouseState == TMouseState::Create)
        m_createTool.Release(*this, p);
    else
        m_editTool.Release(*this, p);
    m_state.MouseState = TMouseState::Idle;
    m_page.CommandStatesChanged();
}

void TPageEditor::CancelDrag()
{
    EndNudgeRun();
    if (m_state.MouseState == TMouseState::Create)
        TCreateTool::Discard(*this, true);
    else if (m_state.MouseState != TMouseState::Idle)
        m_editTool.Release(*this, m_state.LastPoint);
    m_state.MouseState = TMouseState::Idle;
}

void TPageEditor::Scrolled(QPoint shift)
{
    Layout();
    if (m_state.LastPoint.x() != INT_MIN)
        m_state.LastPoint -= shift;
    // Band and creation anchor at the press's device point; the other drags
    // keep model points.
    if (m_state.MouseState == TMouseState::Band || m_state.MouseState == TMouseState::Create) {
        m_state.GrabOffset -= shift;
        m_state.PressRecord -= shift;
        m_state.PressPoint -= shift;
    }
}

void TPageEditor::ShowPointer(QPoint m) const
{
    if (m_host)
        m_host->SetPointerText(QStringLiteral("X:") + FormatLength(m.x() - m_page.Origin.x()) + QStringLiteral("  Y:")
                               + FormatLength(m.y() - m_page.Origin.y()));
}

TPointerShape TPageEditor::PointerShape(QPoint p) const
{
    const TCDLFrame *f = Creating ? Creating.get() : m_page.ActiveFrame();
    if (!f)
        return TPointerShape::Default;
    const bool edit = !m_host || m_host->CurrentTool() == TTool::Edit;
    const bool line = f->DragPointCount == 2;
    const TFrameGeometry &g = m_page.ScreenGeometry(*f);
    int h = f->TestDPMouseHit(g, p.x(), p.y());
    TPointerShape shape = TPointerShape::Default;
    if (h >= 1 && h <= 8) {
        if (line || edit)
            shape = TPointerShape::SizeAll;
    } else if (f->TestMouseHit(g, p.x(), p.y()) || m_state.MouseState == TMouseState::DragHandle) {
        h = m_state.MouseState == TMouseState::DragHandle ? m_page.Mode() : h;
        if (line || (edit && h >= 1 && h <= 8))
            shape = TPointerShape::SizeAll;
    }
    if (m_state.MouseState == TMouseState::Create && h == 1)
        shape = TPointerShape::Arrow;
    return shape;
}

// ---- keys and commands

void TPageEditor::KeyChar(int code)
{
    EndNudgeRun();
    TCDLFrame *f = m_page.ActiveFrame();
    if (code < 32 || !f || !m_page.Context.Interactive || m_state.MouseState != TMouseState::Idle)
        return;
    if (f->HandleKey(code)) {
        m_page.Modified = true;
        Relayout(f);
        m_page.ShowSelectionStatus();
        m_page.Repaint();
    }
}

bool TPageEditor::KeyReleased(int key, Qt::KeyboardModifiers mods)
{
    Normalize(key, mods);
    // The press decides: Shift let go just before Tab still steps back.
    if (const auto it = m_pressMods.find(key); it != m_pressMods.end()) {
        mods = it->second;
        m_pressMods.erase(it);
    }
    if (m_state.MouseState != TMouseState::Idle)
        return false;
    if (IsArrow(key)) {
        Nudge(TNudge(key - Qt::Key_Left));
        return true;
    }
    if (key != Qt::Key_Tab)
        return false;
    EndNudgeRun();
    const Qt::KeyboardModifiers rest = mods & ~Qt::KeypadModifier;
    if (rest == Qt::NoModifier)
        CycleActive(m_page, false);
    else if (rest == Qt::ShiftModifier)
        CycleActive(m_page, true);
    m_page.CommandStatesChanged();
    return true;
}

bool TPageEditor::KeyPressed(int key, Qt::KeyboardModifiers mods)
{
    Normalize(key, mods);
    if (IsArrow(key) || key == Qt::Key_Tab) {
        m_pressMods[key] = mods;
        return true;
    }
    if (!IsModifierKey(key))
        EndNudgeRun();
    if (key != Qt::Key_Delete || (mods & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    DeleteSelected();
    return true;
}

void TPageEditor::EndNudgeRun()
{
    if (!m_nudgeRun.Open)
        return;
    m_nudgeRun.Open = false;
    m_nudgeRun.Frame = nullptr;
    m_nudgeRun.Group.clear();
}

void TPageEditor::Nudge(TNudge direction)
{
    const bool grid = m_page.SnapEnabled && m_page.SnapX > 0 && m_page.SnapY > 0;
    const int32_t sx = grid ? m_page.SnapX : AppSettings().MoveCursorX;
    const int32_t sy = grid ? m_page.SnapY : AppSettings().MoveCursorY;
    static const int kDir[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    // Offsets in MouseMove's sense: the frame moves by minus the offset.
    const int32_t ox = kDir[int(direction)][0] * sx, oy = kDir[int(direction)][1] * sy;
    TCDLFrame *f = m_page.Selection().IsEmpty() ? m_page.ActiveFrame() : nullptr;
    if (!f && m_page.Selection().IsEmpty())
        return;
    // One snapshot for the whole run, so one undo puts it all back.
    TNudgeRun &run = m_nudgeRun;
    const bool continues = run.Open && run.Revision == m_page.Undo.Revision() && run.Frame == f
                           && (f || run.Group == m_page.Selection().Items());
    if (!continues) {
        m_page.Undo.Record(f, f ? nullptr : &m_page.Selection(), TUndoKind::Position);
        run.Open = true;
        run.Revision = m_page.Undo.Revision();
        run.Frame = f;
        run.Group = f ? std::vector<TCDLFrame *>() : m_page.Selection().Items();
    }
    if (f) {
        f->MouseMove(f->X, f->Y, ox, oy, ModeMove);
        Relayout(f);
        m_page.AnnounceShownFrame();
    } else {
        MoveGroupBy(-ox, -oy);
    }
    m_page.Modified = true;
    m_page.ShowSelectionStatus();
    m_page.Repaint();
}

void TPageEditor::SelectAll()
{
    CancelDrag();
    m_page.SelectAll();
}

void TPageEditor::InvertSelection()
{
    CancelDrag();
    ::InvertSelection(m_page);
    m_page.CommandStatesChanged();
}

void TPageEditor::ClearSelection()
{
    CancelDrag();
    ::ClearSelection(m_page);
}

void TPageEditor::DeleteSelected()
{
    CancelDrag();
    m_page.DeleteSelected();
}

bool TPageEditor::Undo()
{
    // Undo during a creation drops the frame being made, nothing older.
    if (m_state.MouseState == TMouseState::Create) {
        CancelDrag();
        return true;
    }
    CancelDrag();
    if (!m_page.Undo.CanUndo())
        return false;
    m_page.Undo.Undo();
    m_page.Modified = true;
    Layout();
    return true;
}

bool TPageEditor::Redo()
{
    CancelDrag();
    if (!m_page.Undo.CanRedo())
        return false;
    m_page.Undo.Redo();
    m_page.Modified = true;
    Layout();
    return true;
}

void TPageEditor::Align(TAlignMode mode)
{
    CancelDrag();
    ::Align(m_page, mode);
    m_page.CommandStatesChanged();
}

void TPageEditor::Restack(TRestack command)
{
    CancelDrag();
    switch (command) {
    case TRestack::ToFront: m_page.ToFront(); break;
    case TRestack::OneStepForward: m_page.OneStepForward(); break;
    case TRestack::OneStepBack: m_page.OneStepBack(); break;
    case TRestack::ToBack: m_page.ToBack(); break;
    }
    m_page.CommandStatesChanged();
}

TClipData TPageEditor::Copy()
{
    CancelDrag();
    return CopyFromPage(m_page);
}

TClipData TPageEditor::Cut()
{
    CancelDrag();
    return CutFromPage(m_page);
}

bool TPageEditor::Paste(const TClipData &clip)
{
    CancelDrag();
    return PasteIntoPage(m_page, clip);
}

void TPageEditor::SaveSelection(const QString &path)
{
    CancelDrag();
    SaveSelectionFile(m_page, path);
}

bool TPageEditor::LoadSelection(const QString &path)
{
    CancelDrag();
    return LoadSelectionFile(m_page, path);
}
