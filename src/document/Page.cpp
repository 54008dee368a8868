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

TCDLPage::TCDLPage(TPageHost *window) : Window(window), Undo(this)
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
    m_active = nullptr;
    m_selection.Clear();
    if (Context.Interactive || m_announced)
        AnnounceShownFrame();
}

void TCDLPage::AnnounceShownFrame()
{
    m_announced = m_active;
    if (Window)
        Window->ShownFrameChanged(*this, m_active);
}

int TCDLPage::AddFrame(std::unique_ptr<TCDLFrame> frame)
{
    // A frame comes unplaced, whatever was kept at its address; a refused
    // one is freed.
    if (!m_screen.empty())
        m_screen.erase(frame.get());
    if (FrameCount() >= MaxFramesPerPage)
        throw EFrameLimit(GetText(568));
    frame->Page = this;
    m_frames.push_back(std::move(frame));
    return FrameCount() - 1;
}

int TCDLPage::IndexOf(const TCDLFrame *f) const
{
    for (int i = 0; i < FrameCount(); ++i)
        if (m_frames[size_t(i)].get() == f)
            return i;
    return -1;
}

void TCDLPage::DeleteFrame(int index)
{
    if (index < 0 || index >= FrameCount())
        return;
    TCDLFrame *f = FrameAt(index);
    m_selection.Remove(f);
    if (f == m_active || f == m_announced) {
        if (f == m_active)
            m_active = nullptr;
        AnnounceShownFrame();
    }
    m_screen.erase(f);
    m_frames.erase(m_frames.begin() + index);
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
    m_selection.Remove(frames);
    if (frames.contains(m_active) || frames.contains(m_announced)) {
        if (frames.contains(m_active))
            m_active = nullptr;
        AnnounceShownFrame();
    }
    std::vector<std::unique_ptr<TCDLFrame>> rest;
    rest.reserve(m_frames.size());
    for (auto &f : m_frames) {
        // Off the page nothing is selected.
        if (frames.contains(f.get())) {
            f->m_state = TFrameState::Plain;
            m_screen.erase(f.get());
        }
        (frames.contains(f.get()) ? into : rest).push_back(std::move(f));
    }
    m_frames = std::move(rest);
    Repaint();
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
