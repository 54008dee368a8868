#pragma once
// Images and byte helpers shared by the text-like frames' tests.

#include "PaintContext.h"

#include <QImage>
#include <QPainter>
#include <QRect>

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

inline QByteArray Le32(int32_t v)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
    return b;
}
inline QByteArray Le16(uint16_t v)
{
    QByteArray b(2, 0);
    b[0] = char(v & 0xFF);
    b[1] = char(v >> 8);
    return b;
}
inline QByteArray Short(const QByteArray &s)
{
    QByteArray b(1, char(s.size()));
    b += s;
    b += QByteArray(40 - s.size(), 0);
    return b;
}
inline QByteArray Head(uint16_t tag) { return Le16(0xBABE) + Le16(tag) + QByteArray(4, 0); }
