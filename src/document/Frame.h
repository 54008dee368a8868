#pragma once
// The base of every object on a page: geometry, pen and fill. Kinds add
// their own fields and override the virtual operations; a kind's record is
// a table of its fields, which serves writing, reading and the JSON dump
// alike.

#include "BinaryStream.h"
#include "ClipData.h"
#include "FrameGeometry.h"
#include "FrameHeap.h"
#include "FrameKind.h"
#include "Geometry.h"
#include "PaintContext.h"
#include "RecordField.h"
#include "Units.h"

#include <QJsonObject>
#include <QStringList>
#include <array>
#include <vector>

class TCDLPage;
class TStreamReader;
class TStreamWriter;

// Record type tags of the document file.
enum TFrameTag : uint16_t {
    TagText = 10,
    TagRText = 11,
    TagSerNo = 12,
    TagLinie = 13,
    TagRechteck = 14,
    TagBild = 15,
    TagSelectionBlock = 16,
    TagKreis = 17,
    TagEllipse = 18,
    TagDir = 19,
    TagBase = 20,
    TagBildProperties = 21,
};

inline constexpr uint16_t RecordMarker = 0xBABE;

// Mouse operations handed to MouseMove: 0 sizing while creating, 1..8 a
// handle, 20 moving the whole frame.
inline constexpr int ModeCreate = 0;
inline constexpr int ModeMove = 20;

// Where a frame stands in editing: not selected, selected with its handles
// shown (active frame or group member), being created or resized, being moved.
enum class TFrameState : uint8_t { Plain, Selected, Sizing, Moving };

class TCDLFrame
{
public:
    TCDLFrame(TCDLPage *page, int32_t x, int32_t y);
    virtual ~TCDLFrame();
    TCDLFrame(const TCDLFrame &) = delete;
    TCDLFrame &operator=(const TCDLFrame &) = delete;
    static void *operator new(std::size_t size) { return AllocateFrame(size); }
    static void operator delete(void *p) noexcept { FreeFrame(p); }

    int32_t X, Y;
    int32_t X2 = 0, Y2 = 0;
    int32_t Width = 0, Height = 0;
    TColor PenColor = 0;
    TColor FillColor = 0;
    bool NoPen = false;
    bool NoFill = true;
    int32_t PenSize = 0;
    TCDLPage *Page;
    int32_t Id;
    int32_t Angle = 0;
    // Set by the page's selection operations alone; a dragged frame paints
    // as an outline.
    TFrameState State() const { return m_state; }
    bool IsDragged() const { return m_state == TFrameState::Sizing || m_state == TFrameState::Moving; }
    int32_t DragPointCount = 8;

    // The kind's descriptor; every kind overrides both. The base's own tag
    // is one that readers reject.
    static const TFrameKind Descriptor;
    virtual const TFrameKind &Kind() const { return Descriptor; }
    uint16_t TypeTag() const { return Kind().Tag; }
    const char *ClassName() const { return Kind().ClassName; }
    TPanels PanelSet() const { return Kind().Panels; }

    virtual void SetDefaults();
    virtual QString Verbose() const;
    virtual bool HasSelection() const { return false; }
    virtual bool CanPaste() const { return false; }
    // Puts the frame's own record (and what else the kind offers) into clip;
    // the caller that owns the clipboard hands it on.
    virtual void CopyToClip(TClipData &clip) const;
    virtual void PasteFromClip(const TClipData & /*clip*/) {}
    virtual void ReadFromStream(TStreamReader &in);
    virtual void WriteToStream(TStreamWriter &out) const;
    // Undo's record of the properties, head included, as the kind declares
    // it (TFrameKind::Properties); the reader starts behind the head.
    void WriteProperties(TStreamWriter &out) const;
    void ReadProperties(TStreamReader &in);
    // The frame's device geometry under c, as a value: computing it leaves
    // the frame as it is, so any context may ask. It and GetBoundRect follow
    // GeometryKey's fields alone, unless GeometryFollowsKey says otherwise.
    virtual TFrameGeometry Geometry(const TPaintContext &c) const;
    TGeometryKey GeometryKey() const { return {X, Y, X2, Y2, Width, Height, Angle}; }
    virtual bool GeometryFollowsKey() const { return true; }
    // Paints the frame where g (its geometry under c) puts it.
    virtual void PaintAt(TPaintContext &c, const TFrameGeometry &g) const;
    // The handles, each 7 x 7 pixels about its drag point, within
    // DragPointsArea: pages leave out those that cannot show.
    void PaintDragPointsAt(TPaintContext &c, const TFrameGeometry &g) const;
    QRect DragPointsArea(const TFrameGeometry &g) const;
    virtual bool HandleKey(int /*key*/) { return false; }
    // Hit tests in the device space of g, the frame's geometry under the
    // context the point comes from (the page keeps the screen's).
    virtual bool TestMouseHit(const TFrameGeometry &g, int x, int y) const;
    // The handle 1..DragPointCount within three pixels, the highest; else -1.
    virtual int TestDPMouseHit(const TFrameGeometry &g, int x, int y) const;
    virtual bool MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode);
    // Must cover everything PaintAt draws but InkMargin: pages skip painting
    // frames whose rectangle lies outside the clip.
    virtual TRect GetBoundRect() const;
    // Device pixels that painting may reach beyond GetBoundRect: the pen,
    // and for text the glyphs a frame's box or circle does not hold.
    virtual int InkMargin(const TPaintContext &c) const;
    virtual bool IsInRect(const TFrameGeometry &g, const TRect &r) const;
    // Handles 1..DragPointCount in model units, where PaintAt puts them at
    // any zoom; snapping works on these, not on the device drag points.
    virtual std::vector<QPoint> ModelHandles() const;
    // Moves the frame without reshaping it; kinds defined by two points move
    // the second one too. Saturates rather than wrapping at the int32 ends.
    virtual void ShiftBy(int64_t dx, int64_t dy);

    // The record body after the head, field by field: writing, reading, the
    // dump, undo and the property panels all go by it.
    virtual TRecordLayout RecordLayout() const { return {}; }
    virtual void ToJson(QJsonObject &o) const;

    static int32_t PenWidth(int32_t width) { return width; }

protected:
    void WriteRecordHeader(TStreamWriter &out, uint16_t tag) const;
    void WriteFields(TStreamWriter &out, TRecordLayout fields) const;
    void ReadFields(TStreamReader &in, TRecordLayout fields);
    void ShiftWithSecondPoint(int64_t dx, int64_t dy);
    // The corners of the rotated rectangle in model units, P1..P4.
    std::array<QPoint, 4> RectCorners() const;
    // Drag points 1..8 from the rotated rectangle.
    void RectDragPoints(const TPaintContext &c, TFrameGeometry &g) const;
    // A frame being dragged shows as an outline where the context shows
    // editing aids; output shows the frame itself.
    bool DrawsDragOutline(const TPaintContext &c) const { return IsDragged() && c.ShowsEditingAids(); }
    void DrawInteractionOutline(TPaintContext &c, TColor color, Qt::PenStyle style) const;
    // Position relative to the page's display origin, for Verbose.
    QString PositionText(int32_t x, int32_t y) const;
    QString KindWord(int textNumber) const;
    // Kind word, position, width and height.
    QString BoxVerbose(int kindText) const;

private:
    friend class TCDLPage;
    template <const auto &Table> friend struct TRecordCode;
    const TShortStringField *StoredShortString(const char *name) const;
    // Keeps the field's bytes as read when a resave would not give them back.
    void KeepShortString(const char *name, const char *field);
    TFrameState m_state = TFrameState::Plain;
    // The short strings' fields as last read, by field name, so that what
    // another writer left after the text is written back while the text
    // stays the same.
    std::vector<std::pair<const char *, TShortStringField>> m_storedShortStrings;
};

// The frame as a K when it is of exactly that kind, else null.
template <class K> K *KindCast(TCDLFrame *f)
{
    return f && &f->Kind() == &K::Descriptor ? static_cast<K *>(f) : nullptr;
}
template <class K> const K *KindCast(const TCDLFrame *f)
{
    return f && &f->Kind() == &K::Descriptor ? static_cast<const K *>(f) : nullptr;
}
