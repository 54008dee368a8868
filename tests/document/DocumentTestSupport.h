#pragma once
// Frame builders, images and hand-made record bytes shared by the document
// and editing tests.

#include "Page.h"
#include "PaintContext.h"
#include "base/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QRect>

// A frame of kind F at (x, y); a width of 0 keeps the kind's own size.
template <class F> std::unique_ptr<F> Make(TCDLPage *page, int x, int y, int w = 0, int h = 0, int angle = 0)
{
    auto f = std::make_unique<F>(page, x, y);
    if (w) {
        f->Width = w;
        f->Height = h;
        f->Angle = angle;
    }
    return f;
}
// A frame of kind F from (x, y) to (x2, y2); circles and round texts have
// their centre at the second point.
template <class F> std::unique_ptr<F> Make2(TCDLPage *page, int x, int y, int x2, int y2)
{
    auto f = std::make_unique<F>(page, x, y);
    f->X2 = x2;
    f->Y2 = y2;
    return f;
}
// Adds f to the page; the frame stays reachable through the result.
template <class F> F *Put(TCDLPage &page, std::unique_ptr<F> f)
{
    F *raw = f.get();
    page.AddFrame(std::move(f));
    return raw;
}

// A white image that a context paints into at the given scale and offset.
class TTestCanvas
{
public:
    TTestCanvas(TPaintContext &c, int w, int h, double scale = 1.0, QPoint offset = {})
        : m_context(c), m_image(w, h, QImage::Format_RGB32)
    {
        m_image.fill(Qt::white);
        m_painter.begin(&m_image);
        c.Canvas = &m_painter;
        c.ScaleX = c.ScaleY = scale;
        c.OffsetX = offset.x();
        c.OffsetY = offset.y();
        c.Interactive = false;
        c.Printing = true;
    }
    const QImage &Finish()
    {
        if (m_painter.isActive())
            m_painter.end();
        m_context.Canvas = nullptr;
        return m_image;
    }

private:
    TPaintContext &m_context;
    QImage m_image;
    QPainter m_painter;
};

// Bounding box of the pixels darker than mid grey; empty when there are none.
inline QRect InkBox(const QImage &img, QRect area = {})
{
    if (area.isNull())
        area = img.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

// Little-endian bytes written by hand, independent of the writer under test.
inline QByteArray U8(int v) { return QByteArray(1, char(v)); }
inline QByteArray Le16(int v) { return U8(v & 0xFF) + U8((v >> 8) & 0xFF); }
inline QByteArray Le32(int64_t v) { return Le16(int(uint32_t(v) & 0xFFFF)) + Le16(int(uint32_t(v) >> 16)); }
inline QByteArray Short(const QByteArray &s) { return U8(int(s.size())) + s + QByteArray(40 - s.size(), 0); }
inline QByteArray Head(int tag) { return Le16(0xBABE) + Le16(tag) + Le32(0); }
