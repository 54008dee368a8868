#include "ScanPage.h"

#include "Scanner.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsChannel(SANE_Frame f) { return f == SANE_FRAME_RED || f == SANE_FRAME_GREEN || f == SANE_FRAME_BLUE; }

// Padding a device may add to each line beyond its pixels.
constexpr qint64 MaxLinePadding = 65536;

} // namespace

bool TScanPage::BeginFrame(const SANE_Parameters &p)
{
    if (p.format < SANE_FRAME_GRAY || p.format > SANE_FRAME_BLUE)
        return false;
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        return false;
    if (p.pixels_per_line <= 0 || p.pixels_per_line > MaxScanSide || p.lines == 0 || p.lines > MaxScanSide)
        return false;
    if (qint64(p.pixels_per_line) * std::max(p.lines, 1) > MaxScanPixels)
        return false;
    const qint64 samples = qint64(p.pixels_per_line) * (p.format == SANE_FRAME_RGB ? 3 : 1);
    const qint64 needed = (samples * p.depth + 7) / 8;
    if (p.bytes_per_line < needed || p.bytes_per_line > needed + MaxLinePadding)
        return false;
    // Only a three-pass page has more than one frame, one per colour.
    if (m_frames > 0 && (m_frames >= 3 || !IsChannel(p.format) || !IsChannel(m_params.format)))
        return false;
    if (m_frames > 0 && (p.pixels_per_line != m_image.width() || (p.lines > 0) != (m_params.lines > 0)))
        return false;
    if (m_frames > 0 && p.lines > 0 && p.lines != m_image.height())
        return false;
    if (m_image.isNull()) {
        const int height = p.lines > 0 ? p.lines : std::min(256, MaxScanSide);
        m_image = QImage(p.pixels_per_line, height,
                         p.format == SANE_FRAME_GRAY ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (m_image.isNull())
            return false;
        m_image.fill(Qt::white);
    }
    m_params = p;
    ++m_frames;
    m_line = QByteArray(p.bytes_per_line, '\0');
    m_lineFill = 0;
    m_row = 0;
    return true;
}

bool TScanPage::Add(const unsigned char *data, int length)
{
    while (length > 0) {
        const int n = std::min(length, int(m_line.size()) - m_lineFill);
        std::memcpy(m_line.data() + m_lineFill, data, size_t(n));
        m_lineFill += n;
        data += n;
        length -= n;
        if (m_lineFill == m_line.size()) {
            m_lineFill = 0;
            if (!takeLine())
                return false;
        }
    }
    return true;
}

int TScanPage::sample(int i) const
{
    const auto *line = reinterpret_cast<const unsigned char *>(m_line.constData());
    switch (m_params.depth) {
    case 1: return (line[i >> 3] >> (7 - (i & 7))) & 1 ? 255 : 0;
    case 16: {
        // Samples of 16 bits come in the machine's own byte order.
        quint16 v;
        std::memcpy(&v, line + 2 * i, 2);
        return v >> 8;
    }
    default: return line[i];
    }
}

bool TScanPage::takeLine()
{
    if (m_params.lines > 0 && m_row >= m_params.lines)
        return true; // more than the device announced: not ours to keep
    if (m_row >= m_image.height()) {
        const int limit = int(std::min<qint64>(MaxScanSide, MaxScanPixels / m_image.width()));
        if (m_row >= limit)
            return false;
        const int old = m_image.height();
        m_image = m_image.copy(0, 0, m_image.width(), std::min(limit, 2 * old));
        if (m_image.isNull())
            return false;
        for (int y = old; y < m_image.height(); ++y)
            std::memset(m_image.scanLine(y), 0xff, size_t(m_image.bytesPerLine()));
    }
    const int w = m_image.width();
    uchar *dst = m_image.scanLine(m_row);
    auto *rgb = reinterpret_cast<QRgb *>(dst);
    switch (m_params.format) {
    case SANE_FRAME_GRAY:
        // One bit per pixel means black where it is set.
        for (int x = 0; x < w; ++x)
            dst[x] = uchar(m_params.depth == 1 ? 255 - sample(x) : sample(x));
        break;
    case SANE_FRAME_RGB:
        for (int x = 0; x < w; ++x)
            rgb[x] = qRgb(sample(3 * x), sample(3 * x + 1), sample(3 * x + 2));
        break;
    case SANE_FRAME_RED:
        for (int x = 0; x < w; ++x)
            rgb[x] = qRgb(sample(x), qGreen(rgb[x]), qBlue(rgb[x]));
        break;
    case SANE_FRAME_GREEN:
        for (int x = 0; x < w; ++x)
            rgb[x] = qRgb(qRed(rgb[x]), sample(x), qBlue(rgb[x]));
        break;
    case SANE_FRAME_BLUE:
        for (int x = 0; x < w; ++x)
            rgb[x] = qRgb(qRed(rgb[x]), qGreen(rgb[x]), sample(x));
        break;
    }
    ++m_row;
    m_rows = std::max(m_rows, m_row);
    return true;
}

int TScanPage::Percent() const
{
    if (m_params.lines <= 0)
        return -1;
    const int frames = IsChannel(m_params.format) ? 3 : 1;
    return int((qint64(m_frames - 1) * 100 + qint64(m_row) * 100 / m_params.lines) / frames);
}

QImage TScanPage::Image() const
{
    if (m_rows == 0)
        return {};
    // A page of known length keeps it even when the device stopped short.
    return m_params.lines > 0 ? m_image : m_image.copy(0, 0, m_image.width(), m_rows);
}
