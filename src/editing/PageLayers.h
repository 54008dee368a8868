#pragma once
// What the screen shows of a page under the handles (background, grid, guide
// lines, frames), kept as pictures, so that what changes only the handles (a
// selection, a band over the page) or returns the page to a state shown a
// moment ago (an undo, a zoom back) paints a picture and the handles.
//
// Frames' fields are written in many places and nobody announces a change,
// so a picture is kept with everything it was painted from: the page's
// section as a save writes it (frames in z-order, page settings, guide
// lines) and what the paint reads beside it (mapping, control size and
// display ratio, program paint settings, font generation, language,
// bar-code settings, background). A picture is used only where all of it is
// byte for byte the same.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRegion>
#include <vector>

class QPainter;
class TCDLPage;
class TStreamWriter;

class TPageLayers
{
public:
    // The page's screen into p over region, the handles painted over the
    // kept picture. Without a picture for the page as it stands, a paint of
    // the whole control makes one; a paint of less (the strip a scroll
    // uncovers) paints straight and keeps nothing. Held: the caller has kept
    // the page still since the last paint (a band is drawn), so the picture
    // that paint showed serves while the mapping is the same. Changed: the
    // page differs from the last paint only there (a guide line dragged), so
    // that picture is painted anew there alone.
    void Paint(QPainter &p, TCDLPage &page, QSize control, const QRegion &region, QColor background, bool held = false,
               const QRegion *changed = nullptr);
    void Clear() { m_layers.clear(); }
    // Pictures kept: the present one and the states shown just before.
    static constexpr size_t Kept = 3;
    // Whether the last paint came from a kept picture.
    bool LastPaintKept() const { return m_lastKept; }

private:
    // What the paint reads beside the page's section; the key is this, then the section.
    static void WriteSurroundings(TStreamWriter &w, const TCDLPage &page, QSize control, double ratio,
                                  QColor background);

    // The front picture, then the handles over it.
    void PaintOver(QPainter &p, TCDLPage &page, QSize control) const;

    struct TLayer
    {
        QByteArray Key;
        QImage Image;
    };
    // Most recently used first.
    std::vector<TLayer> m_layers;
    bool m_lastKept = false;
    // Whether the last paint showed the front picture (kept or new).
    bool m_frontShown = false;
};
