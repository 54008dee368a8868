#pragma once
// The three pages of a document: the round CD label and the two inlays. A
// page owns its frames (z-order, bottom first), its selection, undo, guide
// lines and paint context; it paints itself and reads and writes its own
// section of the document file.

#include "Frame.h"
#include "FrameList.h"
#include "PageHost.h"
#include "PaintContext.h"
#include "SnapLine.h"
#include "Undo.h"

#include <QSize>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

// Page constants shared with printing.
inline constexpr int32_t CDRadius = 565;
inline constexpr int32_t CDHoleRadius = 185;
inline constexpr int32_t InlayFrontHalfWidth = 599;
inline constexpr int32_t InlayFrontHalfHeight = 605;
inline constexpr int32_t InlayBackHalfWidth = 753;
inline constexpr int32_t InlayBackHalfHeight = 590;
inline constexpr int32_t SpineWidth = 60;
inline constexpr int MaxFramesPerPage = 30000;

// The sheets on offer, by index; text numbers name them.
struct TPaperColor
{
    int TextNumber;
    TColor Color;
};
inline constexpr TPaperColor PaperColors[] = {
    {1411, RGBColor(255, 255, 255)}, {1412, RGBColor(255, 164, 197)}, {1413, RGBColor(159, 224, 228)},
    {1414, RGBColor(243, 241, 0)},   {1415, RGBColor(183, 236, 183)}, {1416, RGBColor(255, 255, 255)},
};
inline constexpr int PaperColorCount = int(std::size(PaperColors));

// Program settings that pages take as defaults and paint with.
struct TPageSettings
{
    TColor BackColor = RGBColor(255, 255, 255);
    bool GuideFlag = true;
    bool SnapEnabled = false;
    bool ShowSnapPoints = true;
    int32_t SnapX = 40, SnapY = 40;
    bool GridInFront = true;
    TColor GridColor = 0;
    TColor SnapLineColor = 0;
};
TPageSettings &PageSettings();

enum class TPageKind { CDLabel = 0, InlayVorder = 1, InlayRueck = 2 };

// What a page paint shows besides the frames. The screen, a render, a
// printed sheet, a preview and a thumbnail differ only in these and in the
// context they paint into.
struct TPagePaintOptions
{
    // What the page's window shows for editing: grid and guide lines (on a
    // page in a window), the handles of what is selected, the page outline,
    // and the frames' own outlines and guides where the context is
    // interactive. Without them the paint is output: frames paint as on
    // paper whatever the context's flags say.
    bool EditingAids = false;
    // The page's area in its display colour under the frames.
    bool Background = false;
    // Nothing outside the page's shape (the label's ring, an inlay's
    // rectangle), within whatever clip the painter already has.
    bool ClipToShape = false;
    // The paint makes a mask of the page.
    bool Masking = false;
    // Output shown on a screen rather than on paper or in a file.
    bool Preview = false;
    // Frames being dragged are left out: the still background of a drag.
    bool OmitDragged = false;
    // A window may keep the part under the handles as a picture: without
    // Frames only the handles and the outline are painted (every frame is
    // still placed); without Handles only what lies under them.
    bool Frames = true;
    bool Handles = true;

    // The screen shows the page's paper or background colour as it prints.
    static TPagePaintOptions Screen() { return {.EditingAids = true, .Background = true}; }
    // A render of the page on its own, as an image or PDF shows it.
    static TPagePaintOptions Render() { return {.Background = true, .ClipToShape = true}; }
};

class TCDLPage
{
public:
    explicit TCDLPage(TPageHost *window);
    virtual ~TCDLPage();
    TCDLPage(const TCDLPage &) = delete;
    TCDLPage &operator=(const TCDLPage &) = delete;

    std::function<void(int percent)> OnLoadProgress;
    TPaintContext Context;
    TSnapLine SnapLines;
    bool Modified = false;
    TPageHost *Window;
    TSelectionClip SelectionClip;
    TUndo Undo;
    TColor BackColor;
    bool GuideFlag;
    bool SnapEnabled;
    bool ShowSnapPoints;
    int32_t SnapX, SnapY;
    QPoint Origin;
    bool MouseInside = false;

    virtual TPageKind Kind() const = 0;
    // Extent in model units, centred on (0,0).
    virtual QSize Extent() const = 0;
    // The colour the page shows behind its frames.
    virtual TColor DisplayColor() const { return BackColor; }

    // Appends; throws EFrameLimit (and adds nothing) at the 30,000 limit.
    int AddFrame(std::unique_ptr<TCDLFrame> frame);
    void DeleteFrame(int index);
    // In one pass over the page, for the many frames of a group.
    void DeleteFrames(const std::unordered_set<const TCDLFrame *> &frames);
    // As DeleteFrames, but the frames are kept whole and go to into, in
    // z-order.
    void TakeFrames(const std::unordered_set<const TCDLFrame *> &frames, std::vector<std::unique_ptr<TCDLFrame>> &into);
    int IndexOf(const TCDLFrame *f) const;
    int FrameCount() const { return int(m_frames.size()); }
    TCDLFrame *FrameAt(int i) const { return m_frames[size_t(i)].get(); }
    // Bottom first.
    const std::vector<std::unique_ptr<TCDLFrame>> &Frames() const { return m_frames; }

    // ---- The selection (PageSelection.cpp). One frame selected is the
    // active frame with an empty group; a group holds two frames and more
    // (align leaves a lone member until the next press). What is selected
    // is in the Selected state and the rest Plain, but while a drag moves or
    // sizes it. Only these operations change what is selected or set a
    // frame's state. They tell nobody: the caller knows when its run of
    // changes ends and then sends AnnounceSelection or the notices it needs.
    const TCDLFrameList &Selection() const { return m_selection; }
    TCDLFrame *ActiveFrame() const { return m_active; }
    // What a drag does: ModeCreate, a handle 1..8, ModeMove.
    int32_t Mode() const { return m_mode; }

    // f becomes the active frame and the only frame selected.
    void Activate(TCDLFrame *f);
    // No active frame any more; the group stays as it is.
    void DropActive();
    // f joins the group. Throws the localized text 569 at the member guard
    // and changes nothing then. With notify it repaints and updates the
    // command states; commands that add many do that once at their end.
    void AddToSelection(TCDLFrame *f, bool notify = false);
    void RemoveFromSelection(TCDLFrame *f);
    // The group empties; the active frame stays.
    void ClearGroup();
    void ClearSelection();
    // The active frame becomes a member, for what works on a group (align,
    // the selection file).
    void GroupActive();
    // A lone member becomes the active frame; true when there was one.
    bool ActivateLoneMember();
    // Exactly these frames selected: one as the active frame, more as a group.
    void SelectOnly(const std::vector<TCDLFrame *> &frames);
    // A drag of what is selected begins (Moving or Sizing) with its mode,
    // and ends with it showing its handles again.
    void BeginDrag(TFrameState state, int32_t mode);
    void EndDrag();
    // f, not on the page yet, is being drawn out.
    void BeginCreating(TCDLFrame &f);

    // The commands, with their notices.
    void SelectAll();
    void DeselectAll();
    // The delete command: the selection, else the active frame, with one
    // deletion snapshot; marks the page modified.
    void DeleteSelected();
    // Frees the group's members without a snapshot; marks the page modified.
    void DeleteGroup();

    bool HasSerialNumbers() const;
    bool SerialNumbersSuffice(int32_t n) const;
    void AdvanceSerialNumbers();
    void SaveCounters();
    void RestoreCounters();

    void OneStepForward();
    void OneStepBack();
    void ToFront();
    void ToBack();
    // Moves the frame at from to index to, keeping the others' order.
    void MoveFrame(int from, int to);

    // The one page-painting entry: the page into context c, whose painter
    // may already be clipped or transformed and whose offsets and scales
    // place the page anywhere. It changes nothing of the page; through the
    // page's own Context it paints the screen geometry PaintScreen keeps.
    void Paint(TPaintContext &c, const TPagePaintOptions &options) const;
    // Screen paint into a control of the given size: fits the page's own
    // Context to it and paints with the editing aids.
    void PaintScreen(QPainter &p, QSize control, bool omitDragged = false);
    // The same with the options' Frames and Handles, OmitDragged and
    // Background taken from o.
    void PaintScreen(QPainter &p, QSize control, const TPagePaintOptions &o);
    // ---- The screen view: each frame's geometry under the page's Context
    // as it last placed it, which the screen shows and hit tests read. A
    // placed frame's geometry and bounding box are kept until the mapping or
    // the frame's GeometryKey changes, and then computed anew when asked for.
    // Every frame, from the Context as it stands, without painting: after
    // the mapping or frames changed.
    void UpdateScreenGeometry();
    // One frame; also the frame being drawn out, which is not on the page
    // yet and is forgotten when it is dropped.
    void UpdateScreenGeometry(const TCDLFrame &f);
    void ForgetScreenGeometry(const TCDLFrame &f) { m_screen.erase(&f); }
    // Empty (every point at 0,0) for a frame not placed since it came.
    const TFrameGeometry &ScreenGeometry(const TCDLFrame &f) const;
    void PaintGrid(TPaintContext &c, const QRect &clip) const;
    void PaintSnapLines(TPaintContext &c, const QRect &area) const;
    virtual void PaintOutline(TPaintContext &c) const = 0;
    // Fills the page's own area (not the hole, not beyond the label).
    virtual void FillBackground(TPaintContext &c, TColor color) const;
    // The device path of the page's area under c.
    virtual QPainterPath ShapePath(const TPaintContext &c) const;
    // Sets scale and offsets so the extent fits w x h, centred.
    void FitInto(TPaintContext &c, int w, int h, double zoom) const;

    void MouseEnter() { MouseInside = true; }
    void MouseLeave() { MouseInside = false; }

    // Refresh the status bar from the current selection.
    void ShowSelectionStatus();
    // The notices of a changed selection: the shown frame, the status line,
    // the command states and a repaint.
    void AnnounceSelection();
    // The one notice that the active frame or the selection changed: tells
    // the window the active frame, none for nothing or a group.
    void AnnounceShownFrame();
    // The active frame or the selection changed: commands that need them follow.
    void CommandStatesChanged()
    {
        if (Window)
            Window->CommandStatesChanged();
    }
    void Repaint()
    {
        if (Window)
            Window->RepaintPage();
    }

    void WriteSection(TStreamWriter &out) const;
    void ReadSection(TStreamReader &in);

protected:
    virtual void WriteKindSettingsBeforeSnapLines(TStreamWriter & /*out*/) const {}
    virtual void ReadKindSettingsBeforeSnapLines(TStreamReader & /*in*/) {}
    virtual void WriteKindSettingsAfterFlags(TStreamWriter & /*out*/) const {}
    virtual void ReadKindSettingsAfterFlags(TStreamReader & /*in*/) {}

private:
    void SetSelectedStates(TFrameState state);

    // A placed frame in the screen view. Placement 0: no geometry yet.
    struct TScreenEntry
    {
        bool Keyed = false;
        TGeometryKey Key{};
        TRect Bounds{};
        uint32_t Placement = 0;
        TFrameGeometry Geometry;
    };
    // The screen view follows the mapping of c from here on.
    void Place(const TPaintContext &c) const;
    // The entry's bounding box and geometry brought up to the frame.
    const TRect &ScreenBounds(TScreenEntry &e, const TCDLFrame &f) const;
    const TFrameGeometry &ScreenGeometry(TScreenEntry &e, const TCDLFrame &f) const;

    std::vector<std::unique_ptr<TCDLFrame>> m_frames;
    TCDLFrameList m_selection;
    TCDLFrame *m_active = nullptr;
    int32_t m_mode = -1;
    // The frame last announced. Freeing it announces again first, whatever
    // left it shown, so no listener is left holding a frame that is gone.
    const TCDLFrame *m_announced = nullptr;
    // Only frames on the page or being drawn out, so that a frame that comes
    // at a freed one's address starts unplaced.
    // Kept by painting and hit tests alike, as the screen's own results.
    mutable std::unordered_map<const TCDLFrame *, TScreenEntry> m_screen;
    // The mapping the view was placed under, and its number.
    mutable TPaintContext m_placed;
    mutable uint32_t m_placement = 1;
};

class TCDLabel : public TCDLPage
{
public:
    explicit TCDLabel(TPageHost *window);
    int32_t PaperColorIndex = -1;
    TPageKind Kind() const override { return TPageKind::CDLabel; }
    QSize Extent() const override { return {2 * CDRadius, 2 * CDRadius}; }
    TColor DisplayColor() const override;
    void PaintOutline(TPaintContext &c) const override;
    QPainterPath ShapePath(const TPaintContext &c) const override;

protected:
    void WriteKindSettingsBeforeSnapLines(TStreamWriter &out) const override;
    void ReadKindSettingsBeforeSnapLines(TStreamReader &in) override;
};

class TInlayVorder : public TCDLPage
{
public:
    explicit TInlayVorder(TPageHost *window);
    TPageKind Kind() const override { return TPageKind::InlayVorder; }
    QSize Extent() const override { return {2 * InlayFrontHalfWidth, 2 * InlayFrontHalfHeight}; }
    void PaintOutline(TPaintContext &c) const override;

protected:
    void WriteKindSettingsAfterFlags(TStreamWriter &out) const override;
    void ReadKindSettingsAfterFlags(TStreamReader &in) override;
};

class TInlayRueck : public TInlayVorder
{
public:
    explicit TInlayRueck(TPageHost *window);
    TPageKind Kind() const override { return TPageKind::InlayRueck; }
    QSize Extent() const override { return {2 * InlayBackHalfWidth, 2 * InlayBackHalfHeight}; }
    void PaintOutline(TPaintContext &c) const override;
};

std::unique_ptr<TCDLPage> CreatePage(TPageKind kind, TPageHost *window);
