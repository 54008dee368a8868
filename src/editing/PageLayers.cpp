#include "PageLayers.h"

#include "BinaryStream.h"
#include "Page.h"
#include "PaintSurface.h"
#include "Settings.h"
#include "Strings.h"
#include "TextLayout.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace {

void WriteDouble(TStreamWriter &w, double v)
{
    char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    w.writeRaw(bytes, sizeof v);
}

void WriteText(TStreamWriter &w, const QString &s)
{
    w.writeInt32(int32_t(s.size()));
    w.writeRaw(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
}

} // namespace

void TPageLayers::WriteSurroundings(TStreamWriter &w, const TCDLPage &page, QSize control, double ratio,
                                    QColor background)
{
    // The page itself: another page of the same bytes paints the same, but
    // its kind (outline, shape, paper colour) is not in its section.
    w.writeInt32(int32_t(page.Kind()));
    w.writeUInt32(page.DisplayColor());
    w.writeBool(page.Window != nullptr);
    const TPaintContext &c = page.Context;
    WriteDouble(w, c.ScaleX);
    WriteDouble(w, c.ScaleY);
    w.writeInt32(c.OffsetX);
    w.writeInt32(c.OffsetY);
    w.writeInt32(c.ZoomLevel);
    WriteDouble(w, c.Zoom);
    w.writeBool(c.Interactive);
    w.writeBool(c.Printing);
    w.writeBool(c.Masking);
    w.writeBool(c.Preview);
    w.writeInt32(control.width());
    w.writeInt32(control.height());
    WriteDouble(w, ratio);
    w.writeUInt32(background.rgba());
    w.writeInt32(FontGeneration());
    // A value list run out paints a text of the current language.
    w.writeInt32(Language());
    // What bar codes take as their start character and space.
    WriteText(w, AppSettings().BarcodeStart);
    WriteText(w, AppSettings().BarcodeSpace);
    const TPageSettings &s = PageSettings();
    w.writeUInt32(s.BackColor);
    w.writeBool(s.GuideFlag);
    w.writeBool(s.SnapEnabled);
    w.writeBool(s.ShowSnapPoints);
    w.writeInt32(s.SnapX);
    w.writeInt32(s.SnapY);
    w.writeBool(s.GridInFront);
    w.writeUInt32(s.GridColor);
    w.writeUInt32(s.SnapLineColor);
}

void TPageLayers::Paint(QPainter &p, TCDLPage &page, QSize control, const QRegion &region, QColor background, bool held,
                        const QRegion *changed)
{
    TPaintContext &c = page.Context;
    page.FitInto(c, control.width(), control.height(), c.Zoom);
    const double ratio = DeviceRatio(p);
    TStreamWriter w;
    w.reserve(m_layers.empty() ? 4096 : m_layers.front().Key.size() + 64);
    WriteSurroundings(w, page, control, ratio, background);
    // A strip that a scroll uncovers needs no records: no picture has its mapping.
    const QByteArray head = w.data();
    // Whether the front picture is what the last paint showed, in this mapping.
    const bool lastShown = m_frontShown && !m_layers.empty() && m_layers.front().Key.startsWith(head);
    if (held && lastShown) {
        m_lastKept = true;
        PaintOver(p, page, control);
        return;
    }
    const bool whole = region.contains(QRect(QPoint(), control));
    const bool mapped =
        std::any_of(m_layers.begin(), m_layers.end(), [&](const TLayer &l) { return l.Key.startsWith(head); });
    auto it = m_layers.end();
    QByteArray key;
    bool keyed = mapped || whole;
    if (keyed) {
        try {
            page.WriteSection(w);
        } catch (const std::exception &) {
            // A page a save would refuse still paints; it is just not kept.
            keyed = false;
        }
    }
    if (keyed) {
        key = w.take();
        it = std::find_if(m_layers.begin(), m_layers.end(), [&](const TLayer &l) { return l.Key == key; });
    }
    m_lastKept = it != m_layers.end();
    if (!m_lastKept && keyed && changed && lastShown) {
        // Only the strips change; the picture shown a moment ago is not kept beside it.
        TLayer &front = m_layers.front();
        front.Key = std::move(key);
        QPainter ip(&front.Image);
        ip.setClipRegion(*changed);
        ip.setCompositionMode(QPainter::CompositionMode_Source);
        ip.fillRect(QRect(QPoint(), control), background);
        ip.setCompositionMode(QPainter::CompositionMode_SourceOver);
        TPagePaintOptions under = TPagePaintOptions::Screen();
        under.Handles = false;
        page.PaintScreen(ip, control, under);
        ip.end();
        m_lastKept = true;
        PaintOver(p, page, control);
        return;
    }
    m_frontShown = m_lastKept || (whole && keyed);
    if (!m_frontShown) {
        p.fillRect(QRect(QPoint(), control), background);
        page.PaintScreen(p, control);
        return;
    }
    if (m_lastKept) {
        std::rotate(m_layers.begin(), it, it + 1);
    } else {
        TLayer layer{std::move(key), RatioImage(control, ratio, QImage::Format_ARGB32_Premultiplied)};
        layer.Image.fill(background);
        QPainter ip(&layer.Image);
        TPagePaintOptions under = TPagePaintOptions::Screen();
        under.Handles = false;
        page.PaintScreen(ip, control, under);
        ip.end();
        if (m_layers.size() >= Kept)
            m_layers.pop_back();
        m_layers.insert(m_layers.begin(), std::move(layer));
    }
    PaintOver(p, page, control);
}

void TPageLayers::PaintOver(QPainter &p, TCDLPage &page, QSize control) const
{
    p.drawImage(0, 0, m_layers.front().Image);
    TPagePaintOptions over = TPagePaintOptions::Screen();
    over.Frames = false;
    page.PaintScreen(p, control, over);
}
