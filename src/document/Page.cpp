#include "Page.h"

#include "BinaryStream.h"
#include "Errors.h"
#include "FrameRegistry.h"
#include "SerNo.h"
#include "Strings.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

TPageSettings &PageSettings()
{
    static TPageSettings s;
    return s;
}

TCDLPage::TCDLPage(TPageHost *window) : Window(window), Selection(this), Undo(this)
{
    const TPageSettings &s = PageSettings();
    BackColor = s.BackColor;
    GuideFlag = s.GuideFlag;
    SnapEnabled = s.SnapEnabled;
    ShowSnapPoints = s.ShowSnapPoints;
    SnapX = s.SnapX;
    SnapY = s.SnapY;
    SnapLines.Tolerance = 20;
    Context.SetZoomLevel(4);
    Context.Interactive = window != nullptr;
    Context.Printing = window == nullptr;
}

TCDLPage::~TCDLPage()
{
    // Nothing may keep pointing at the frames freed below.
    ActiveFrame = nullptr;
    Selection.Clear();
    if (Context.Interactive || m_announced)
        AnnounceShownFrame();
}

void TCDLPage::AnnounceShownFrame()
{
    m_announced = ActiveFrame;
    if (Window)
        Window->ShownFrameChanged(*this, ActiveFrame);
}

int TCDLPage::AddFrame(std::unique_ptr<TCDLFrame> frame)
{
    if (FrameCount() >= MaxFramesPerPage)
        throw EFrameLimit(GetText(568));
    frame->Page = this;
    Frames.push_back(std::move(frame));
    return FrameCount() - 1;
}

int TCDLPage::IndexOf(const TCDLFrame *f) const
{
    for (int i = 0; i < FrameCount(); ++i)
        if (Frames[size_t(i)].get() == f)
            return i;
    return -1;
}

void TCDLPage::DeleteFrame(int index)
{
    if (index < 0 || index >= FrameCount())
        return;
    TCDLFrame *f = FrameAt(index);
    Selection.Remove(f);
    if (f == ActiveFrame || f == m_announced) {
        if (f == ActiveFrame)
            ActiveFrame = nullptr;
        AnnounceShownFrame();
    }
    Frames.erase(Frames.begin() + index);
    Repaint();
}

void TCDLPage::DeleteFrames(const std::unordered_set<const TCDLFrame *> &frames)
{
    std::vector<std::unique_ptr<TCDLFrame>> gone;
    TakeFrames(frames, gone);
}

void TCDLPage::TakeFrames(const std::unordered_set<const TCDLFrame *> &frames,
                          std::vector<std::unique_ptr<TCDLFrame>> &into)
{
    if (frames.empty())
        return;
    Selection.Remove(frames);
    if (frames.contains(ActiveFrame) || frames.contains(m_announced)) {
        if (frames.contains(ActiveFrame))
            ActiveFrame = nullptr;
        AnnounceShownFrame();
    }
    std::vector<std::unique_ptr<TCDLFrame>> rest;
    rest.reserve(Frames.size());
    for (auto &f : Frames)
        (frames.contains(f.get()) ? into : rest).push_back(std::move(f));
    Frames = std::move(rest);
    Repaint();
}

void TCDLPage::ShowSelectionStatus()
{
    if (!Window)
        return;
    if (ActiveFrame)
        Window->ShowStatus(ActiveFrame->Verbose());
    else if (Selection.Count() >= 2)
        Window->ShowStatus(Selection.Describe());
    else
        Window->ShowStatus(QString());
}

void TCDLPage::SelectAll()
{
    Selection.Clear();
    if (ActiveFrame)
        ActiveFrame->State = TFrameState::Plain;
    ActiveFrame = nullptr;
    for (auto &f : Frames)
        Selection.Add(f.get(), false);
    Mode = ModeMove;
    if (!Selection.IsSingle()) {
        Selection.SetState(TFrameState::Selected);
    } else {
        ActiveFrame = Selection.Get(0);
        ActiveFrame->State = TFrameState::Selected;
        Selection.Clear();
    }
    AnnounceShownFrame();
    ShowSelectionStatus();
    CommandStatesChanged();
    Repaint();
}

void TCDLPage::DeselectAll()
{
    for (TCDLFrame *f : Selection.Items())
        f->State = TFrameState::Plain;
    Selection.Clear();
    if (Window)
        Window->ShowStatus(QString());
    if (ActiveFrame)
        ActiveFrame->State = TFrameState::Plain;
    ActiveFrame = nullptr;
    AnnounceShownFrame();
    CommandStatesChanged();
    Repaint();
}

void TCDLPage::DeleteSelected()
{
    if (!Selection.IsEmpty()) {
        Undo.Record(nullptr, &Selection, TUndoKind::Deletion);
        Selection.DeleteAll();
    } else if (ActiveFrame) {
        Undo.Record(ActiveFrame, nullptr, TUndoKind::Deletion);
        DeleteFrame(IndexOf(ActiveFrame));
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

bool TCDLPage::HasSerialNumbers() const
{
    return std::any_of(Frames.begin(), Frames.end(), [](const auto &f) { return KindCast<TCDLSerNo>(f.get()); });
}

bool TCDLPage::SerialNumbersSuffice(int32_t n) const
{
    for (const auto &f : Frames)
        if (const TCDLSerNo *s = KindCast<TCDLSerNo>(f.get()); s && !s->Suffices(n))
            return false;
    return true;
}

void TCDLPage::AdvanceSerialNumbers()
{
    // Only a page whose numbers moved has changed by being printed.
    for (auto &f : Frames)
        if (TCDLSerNo *s = KindCast<TCDLSerNo>(f.get())) {
            s->Advance();
            Modified = true;
        }
}

void TCDLPage::SaveCounters()
{
    for (auto &f : Frames)
        if (TCDLSerNo *s = KindCast<TCDLSerNo>(f.get()))
            s->SavedCounter = s->Counter;
}

void TCDLPage::RestoreCounters()
{
    for (auto &f : Frames)
        if (TCDLSerNo *s = KindCast<TCDLSerNo>(f.get()))
            s->Counter = s->SavedCounter;
}

void TCDLPage::MoveFrame(int from, int to)
{
    if (from < 0 || from >= FrameCount() || to < 0 || to >= FrameCount() || from == to)
        return;
    auto f = std::move(Frames[size_t(from)]);
    Frames.erase(Frames.begin() + from);
    Frames.insert(Frames.begin() + to, std::move(f));
}

// The stacking order is stored with the page, so changing it is a change
// to save.
void TCDLPage::OneStepForward()
{
    const int i = IndexOf(ActiveFrame);
    if (i < 0 || i == FrameCount() - 1)
        return;
    Undo.Record(ActiveFrame, nullptr, TUndoKind::StepForward);
    std::swap(Frames[size_t(i)], Frames[size_t(i + 1)]);
    Modified = true;
    Repaint();
}

void TCDLPage::OneStepBack()
{
    const int i = IndexOf(ActiveFrame);
    if (i <= 0)
        return;
    Undo.Record(ActiveFrame, nullptr, TUndoKind::StepBack);
    std::swap(Frames[size_t(i)], Frames[size_t(i - 1)]);
    Modified = true;
    Repaint();
}

void TCDLPage::ToFront()
{
    const int i = IndexOf(ActiveFrame);
    if (i < 0 || i == FrameCount() - 1)
        return;
    Undo.Record(ActiveFrame, nullptr, TUndoKind::ToFront);
    MoveFrame(i, FrameCount() - 1);
    Modified = true;
    Repaint();
}

void TCDLPage::ToBack()
{
    const int i = IndexOf(ActiveFrame);
    if (i <= 0)
        return;
    Undo.Record(ActiveFrame, nullptr, TUndoKind::ToBack);
    MoveFrame(i, 0);
    Modified = true;
    Repaint();
}

// ---- painting --------------------------------------------------------------

void TCDLPage::FitInto(TPaintContext &c, int w, int h, double zoom) const
{
    const QSize e = Extent();
    const double f = ScaleFactor(w, h, e.width(), e.height());
    c.ScaleX = c.ScaleY = f * zoom;
    c.OffsetX = w / 2 - c.ScrollX;
    c.OffsetY = h / 2 - c.ScrollY;
}

void TCDLPage::PaintScreen(QPainter &p, QSize control, bool omitDragged)
{
    Context.Canvas = &p;
    FitInto(Context, control.width(), control.height(), Context.Zoom);
    if (Window)
        Window->RepaintRulers();
    TPagePaintOptions o = TPagePaintOptions::Screen();
    o.OmitDragged = omitDragged;
    Paint(Context, o);
    Context.Canvas = nullptr;
}

void TCDLPage::UpdateScreenGeometry()
{
    for (auto &f : Frames)
        f->UpdateScreenGeometry();
}

namespace {

// Pages of thousands of frames at high zoom show few of them; skipping the
// rest keeps a repaint proportional to what is visible.
bool FrameMayShow(const TPaintContext &c, const TCDLFrame &f, const QRect &visible)
{
    const TRect b = f.GetBoundRect();
    const int margin = std::abs(c.MapLenX(f.PenSize)) + std::abs(c.MapLenY(f.PenSize)) + 8;
    const QRect device = QRect(c.Map(b.Left, b.Top), c.Map(b.Right, b.Bottom)).normalized();
    return device.adjusted(-margin, -margin, margin, margin).intersects(visible);
}

// What of the painter's device can show, in its logical coordinates: the
// clip, else the whole device seen through the painter's transform.
QRect VisibleArea(const QPainter &p)
{
    if (p.hasClipping())
        return p.clipBoundingRect().toAlignedRect();
    const QPaintDevice *d = p.device();
    const QRect device = d ? QRect(0, 0, d->width(), d->height()) : QRect();
    bool invertible = true;
    const QTransform back = p.combinedTransform().inverted(&invertible);
    return invertible ? back.mapRect(device) : device;
}

// The flags a paint sets on the caller's context, put back when it ends.
class TContextFlags
{
public:
    TContextFlags(TPaintContext &c, const TPagePaintOptions &o)
        : m_c(c), m_interactive(c.Interactive), m_printing(c.Printing), m_masking(c.Masking), m_preview(c.Preview)
    {
        if (!o.EditingAids) {
            c.Interactive = false;
            c.Printing = true;
        }
        c.Masking = o.Masking;
        c.Preview = o.Preview;
    }
    ~TContextFlags()
    {
        m_c.Interactive = m_interactive;
        m_c.Printing = m_printing;
        m_c.Masking = m_masking;
        m_c.Preview = m_preview;
    }
    TContextFlags(const TContextFlags &) = delete;
    TContextFlags &operator=(const TContextFlags &) = delete;

private:
    TPaintContext &m_c;
    bool m_interactive, m_printing, m_masking, m_preview;
};

} // namespace

void TCDLPage::Paint(TPaintContext &c, const TPagePaintOptions &o)
{
    const TContextFlags flags(c, o);
    // Only the page's own context is the screen the hit tests are made on.
    const bool screen = &c == &Context;
    QPainter *const p = c.Canvas;
    if (p) {
        p->save();
        if (o.Background)
            FillBackground(c, DisplayColor());
        if (o.ClipToShape)
            p->setClipPath(ShapePath(c), Qt::IntersectClip);
    }
    const QRect visible = p ? VisibleArea(*p) : QRect();
    const bool guides = o.EditingAids && c.Interactive && !c.Masking && Window != nullptr;
    const bool inFront = PageSettings().GridInFront;
    if (guides && !inFront) {
        PaintGrid(c, visible);
        PaintSnapLines(c, visible);
    }
    for (auto &f : Frames) {
        if (o.OmitDragged && f->IsDragged())
            continue;
        const bool shows = p && FrameMayShow(c, *f, visible);
        if (screen) {
            // Off the canvas too: hit tests and handles need it.
            f->UpdateScreenGeometry();
            if (shows)
                f->PaintAt(c, f->ScreenGeometry());
        } else if (shows) {
            f->PaintAt(c, f->Geometry(c));
        }
    }
    if (guides && inFront) {
        PaintGrid(c, visible);
        PaintSnapLines(c, visible);
    }
    if (o.EditingAids && p) {
        auto handles = [&](const TCDLFrame &f) {
            if (f.State == TFrameState::Selected)
                f.PaintDragPointsAt(c, screen ? f.ScreenGeometry() : f.Geometry(c));
        };
        if (ActiveFrame)
            handles(*ActiveFrame);
        if (Selection.Count() > 1)
            for (const TCDLFrame *f : Selection.Items())
                handles(*f);
        c.SetPen(0, TPenMode::Copy, Qt::SolidLine, 0);
        c.SetBrush(0, true);
        PaintOutline(c);
    }
    if (p)
        p->restore();
}

void TCDLPage::PaintGrid(TPaintContext &c, const QRect &clip) const
{
    if (!ShowSnapPoints || !c.Canvas || SnapX <= 0 || SnapY <= 0)
        return;
    if (SnapX * c.ScaleX < 4 || SnapY * c.ScaleY < 4)
        return;
    const int32_t col0 = c.ModelX(clip.left()) / SnapX, col1 = c.ModelX(clip.right()) / SnapX;
    const int32_t row0 = c.ModelY(clip.top()) / SnapY, row1 = c.ModelY(clip.bottom()) / SnapY;
    c.SetMode(TPenMode::Copy);
    const QColor color = ToQColor(PageSettings().GridColor);
    for (int32_t row = row0; row <= row1; ++row) {
        const int y = c.MapY(row * SnapY);
        for (int32_t col = col0; col <= col1; ++col)
            c.Canvas->fillRect(c.MapX(col * SnapX), y, 1, 1, color);
    }
}

void TCDLPage::PaintSnapLines(TPaintContext &c, const QRect &area) const
{
    if (!c.Canvas || SnapLines.Count() == 0)
        return;
    c.SetPen(PageSettings().SnapLineColor, TPenMode::NotXor, Qt::DashLine, 0);
    c.SetBrush(0, true);
    c.Canvas->setBackground(Qt::white);
    for (int i = 0; i < SnapLines.Count(); ++i) {
        const TSnapLineRecord &l = SnapLines.Get(i);
        // Across the whole area, as the screen draws them to its far edge.
        if (l.Horizontal) {
            const int y = c.MapY(l.Position);
            c.Canvas->drawLine(area.left(), y, area.left() + area.width(), y);
        } else {
            const int x = c.MapX(l.Position);
            c.Canvas->drawLine(x, area.top(), x, area.top() + area.height());
        }
    }
    c.SetMode(TPenMode::Copy);
}

QPainterPath TCDLPage::ShapePath(const TPaintContext &c) const
{
    const QSize e = Extent();
    QPainterPath path;
    path.addRect(
        QRectF(QPointF(c.Map(-e.width() / 2, -e.height() / 2)), QPointF(c.Map(e.width() / 2, e.height() / 2))));
    return path;
}

void TCDLPage::FillBackground(TPaintContext &c, TColor color) const
{
    if (!c.Canvas)
        return;
    c.SetMode(TPenMode::Copy);
    c.Canvas->fillPath(ShapePath(c), ToQColor(color));
}

// ---- file section ----------------------------------------------------------

void TCDLPage::WriteSection(TStreamWriter &out) const
{
    out.writeWord(RecordMarker);
    out.writeWord(1);
    out.writeInt32(FrameCount());
    out.writeUInt32(BackColor);
    WriteKindSettingsBeforeSnapLines(out);
    SnapLines.WriteToStream(out);
    out.writeInt32(SnapX);
    out.writeInt32(SnapY);
    out.writeBool(GuideFlag);
    out.writeBool(SnapEnabled);
    out.writeBool(ShowSnapPoints);
    WriteKindSettingsAfterFlags(out);
    for (const auto &f : Frames)
        f->WriteToStream(out);
}

void TCDLPage::ReadSection(TStreamReader &in)
{
    const uint16_t marker = in.readWord();
    const uint16_t kind = in.readWord();
    if (marker != RecordMarker && kind != 1)
        throw FileFormatError();
    const int32_t count = in.readInt32();
    // Every record is at least its 8-byte head.
    in.requireItems(count, 8);
    BackColor = in.readUInt32();
    ReadKindSettingsBeforeSnapLines(in);
    SnapLines.ReadFromStream(in);
    SnapX = in.readInt32();
    SnapY = in.readInt32();
    GuideFlag = in.readBool();
    SnapEnabled = in.readBool();
    ShowSnapPoints = in.readBool();
    ReadKindSettingsAfterFlags(in);
    for (int32_t i = 1; i <= count; ++i) {
        const uint16_t m = in.readWord();
        const uint16_t tag = in.readWord();
        in.skip(4);
        if (OnLoadProgress)
            OnLoadProgress(int(int64_t(i) * 100 / count));
        if (m != RecordMarker)
            throw FileFormatError();
        std::unique_ptr<TCDLFrame> f = CreateFrameByTag(tag, this);
        if (!f)
            throw FileFormatError();
        f->ReadFromStream(in);
        AddFrame(std::move(f));
    }
    Repaint();
    Modified = false;
}

// ---- the three kinds -------------------------------------------------------

TCDLabel::TCDLabel(TPageHost *window) : TCDLPage(window)
{
    PaperColorIndex = -1;
    Origin = QPoint(0, 0);
}

TColor TCDLabel::DisplayColor() const
{
    if (PaperColorIndex >= 0 && PaperColorIndex < PaperColorCount)
        return PaperColors[PaperColorIndex].Color;
    return BackColor;
}

void TCDLabel::PaintOutline(TPaintContext &c) const
{
    if (!c.Canvas)
        return;
    const int r = c.MapLenX(CDRadius), h = c.MapLenX(CDHoleRadius);
    const QPoint m = c.Map(0, 0);
    c.Canvas->drawEllipse(m, r, r);
    c.Canvas->drawEllipse(m, h, h);
}

QPainterPath TCDLabel::ShapePath(const TPaintContext &c) const
{
    const QPointF m = QPointF(c.Map(0, 0));
    const double r = c.MapLenX(CDRadius), h = c.MapLenX(CDHoleRadius);
    QPainterPath path;
    path.addEllipse(m, r, r);
    path.addEllipse(m, h, h);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

void TCDLabel::WriteKindSettingsBeforeSnapLines(TStreamWriter &out) const { out.writeInt32(PaperColorIndex); }

void TCDLabel::ReadKindSettingsBeforeSnapLines(TStreamReader &in) { PaperColorIndex = in.readInt32(); }

TInlayVorder::TInlayVorder(TPageHost *window) : TCDLPage(window)
{
    Origin = QPoint(-InlayFrontHalfWidth, -InlayFrontHalfHeight);
}

namespace {

// A one-pixel outline through the mapped corners. QPainter strokes a QRect
// one pixel beyond its right and bottom, outside the page rectangle that the
// sheet preview copies.
void DrawModelRect(TPaintContext &c, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const QPoint a = c.Map(left, top), b = c.Map(right, bottom);
    c.Canvas->drawRect(QRect(a, QSize(b.x() - a.x(), b.y() - a.y())));
}

} // namespace

void TInlayVorder::PaintOutline(TPaintContext &c) const
{
    if (!c.Canvas)
        return;
    const QSize e = Extent();
    DrawModelRect(c, -e.width() / 2, -e.height() / 2, e.width() / 2, e.height() / 2);
}

void TInlayVorder::WriteKindSettingsAfterFlags(TStreamWriter &out) const
{
    out.writeInt32(Origin.x());
    out.writeInt32(Origin.y());
}

void TInlayVorder::ReadKindSettingsAfterFlags(TStreamReader &in)
{
    const int32_t x = in.readInt32();
    const int32_t y = in.readInt32();
    Origin = QPoint(x, y);
}

TInlayRueck::TInlayRueck(TPageHost *window) : TInlayVorder(window)
{
    Origin = QPoint(-InlayBackHalfWidth, -InlayBackHalfHeight);
}

void TInlayRueck::PaintOutline(TPaintContext &c) const
{
    TInlayVorder::PaintOutline(c);
    if (!c.Canvas)
        return;
    const int32_t top = -InlayBackHalfHeight, bottom = InlayBackHalfHeight;
    const int32_t left = -InlayBackHalfWidth, right = InlayBackHalfWidth;
    DrawModelRect(c, left, top, left + SpineWidth, bottom);
    DrawModelRect(c, right - SpineWidth, top, right, bottom);
}

std::unique_ptr<TCDLPage> CreatePage(TPageKind kind, TPageHost *window)
{
    switch (kind) {
    case TPageKind::CDLabel: return std::make_unique<TCDLabel>(window);
    case TPageKind::InlayVorder: return std::make_unique<TInlayVorder>(window);
    case TPageKind::InlayRueck: return std::make_unique<TInlayRueck>(window);
    }
    return nullptr;
}
