#include "InvertBatch.h"

#include "PaintSurface.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <cstdint>
#include <cstring>

bool TInvertBatch::Suits(const QPainter &p, size_t count)
{
    const QPaintEngine *engine = p.paintEngine();
    return count >= MinCount && engine && engine->type() == QPaintEngine::Raster && DeviceRatio(p) == 1.0
           && p.combinedTransform().isIdentity();
}

void TInvertBatch::Paint(QPainter &p, const QRect &area)
{
    if (area.isEmpty()) {
        m_rects.clear();
        return;
    }
    // One byte a pixel, flipped by each rectangle over it; the row has room
    // for an 8-byte flip at its last pixel.
    const int w = area.width(), h = area.height();
    const size_t stride = size_t(w) + 8;
    std::vector<uint8_t> odd(stride * size_t(h), 0);
    for (const QRect &full : m_rects) {
        const QRect r = full.intersected(area).translated(-area.topLeft());
        if (r.isEmpty())
            continue;
        const int n = r.width();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uint8_t *at = odd.data() + size_t(y) * stride + r.left();
            int x = 0;
            for (; x + 8 <= n; x += 8) {
                uint64_t v;
                std::memcpy(&v, at + x, 8);
                v ^= 0x0101010101010101u;
                std::memcpy(at + x, &v, 8);
            }
            if (x < n) {
                uint64_t v;
                std::memcpy(&v, at + x, 8);
                v ^= 0x0101010101010101u & (n - x >= 8 ? ~uint64_t(0) : (uint64_t(1) << (8 * (n - x))) - 1);
                std::memcpy(at + x, &v, 8);
            }
        }
    }
    m_rects.clear();
    // XOR with white in the colour channels is the inversion, and with zero nothing.
    QImage mask(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto *out = reinterpret_cast<uint32_t *>(mask.scanLine(y));
        const uint8_t *in = odd.data() + size_t(y) * stride;
        for (int x = 0; x < w; ++x)
            out[x] = (0u - uint32_t(in[x])) & 0x00ffffffu;
    }
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(area.topLeft(), mask);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
