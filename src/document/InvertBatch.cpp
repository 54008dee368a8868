#include "InvertBatch.h"

#include "PaintSurface.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
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
    constexpr uint64_t Ones = 0x0101010101010101u;
    const int x0 = area.left(), y0 = area.top(), x1 = area.right(), y1 = area.bottom();
    for (const QRect &r : m_rects) {
        // Clipped by hand: a handle square is a few rows of one word each.
        const int left = std::max(r.left(), x0) - x0, right = std::min(r.right(), x1) - x0;
        const int top = std::max(r.top(), y0) - y0, bottom = std::min(r.bottom(), y1) - y0;
        if (left > right || top > bottom)
            continue;
        const int n = right - left + 1;
        uint8_t *at = odd.data() + size_t(top) * stride + size_t(left);
        const uint64_t tail = n % 8 ? Ones & ((uint64_t(1) << (8 * (n % 8))) - 1) : 0;
        for (int y = top; y <= bottom; ++y, at += stride) {
            int x = 0;
            uint64_t v;
            for (; x + 8 <= n; x += 8) {
                std::memcpy(&v, at + x, 8);
                v ^= Ones;
                std::memcpy(at + x, &v, 8);
            }
            if (tail) {
                std::memcpy(&v, at + x, 8);
                v ^= tail;
                std::memcpy(at + x, &v, 8);
            }
        }
    }
    m_rects.clear();
    // XOR with white in the colour channels is the inversion, and with zero
    // nothing; most of the area is not covered, eight pixels at a time.
    QImage mask(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto *out = reinterpret_cast<uint32_t *>(mask.scanLine(y));
        const uint8_t *in = odd.data() + size_t(y) * stride;
        int x = 0;
        for (; x + 8 <= w; x += 8) {
            uint64_t v;
            std::memcpy(&v, in + x, 8);
            if (!v) {
                std::memset(out + x, 0, 8 * sizeof(uint32_t));
                continue;
            }
            for (int k = 0; k < 8; ++k)
                out[x + k] = (0u - uint32_t(in[x + k])) & 0x00ffffffu;
        }
        for (; x < w; ++x)
            out[x] = (0u - uint32_t(in[x])) & 0x00ffffffu;
    }
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(area.topLeft(), mask);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
