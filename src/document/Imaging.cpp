#include "Imaging.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <tuple>
#include <utility>

namespace Imaging {

namespace {

uint8_t At(const QByteArray &d, qsizetype i) { return i < d.size() ? uint8_t(d[i]) : 0; }
uint16_t Word(const QByteArray &d, qsizetype i) { return uint16_t(At(d, i) | At(d, i + 1) << 8); }

bool StartsWith(const QByteArray &d, const char *magic, qsizetype n)
{
    return d.size() >= n && d.startsWith(QByteArray(magic, n));
}

// Targa has no magic: the header's fields must make sense together.
bool LooksLikeTga(const QByteArray &d)
{
    if (d.size() < 18)
        return false;
    const uint8_t mapType = At(d, 1), type = At(d, 2), depth = At(d, 16);
    const bool typeOk = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    const bool depthOk = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
    const bool mapOk = (mapType == 0) == (type != 1 && type != 9) && mapType <= 1;
    return typeOk && depthOk && mapOk && Word(d, 12) > 0 && Word(d, 14) > 0;
}

bool LooksLikePcx(const QByteArray &d)
{
    const uint8_t version = At(d, 1), bits = At(d, 3);
    return d.size() >= 128 && At(d, 0) == 0x0A && version <= 5 && version != 1 && At(d, 2) <= 1
           && (bits == 1 || bits == 2 || bits == 4 || bits == 8) && Word(d, 8) >= Word(d, 4)
           && Word(d, 10) >= Word(d, 6);
}

bool LooksLikeWmf(const QByteArray &d)
{
    if (StartsWith(d, "\xD7\xCD\xC6\x9A", 4))
        return true;
    // Without the placeable header: type 1 or 2, header of 9 words, a known version.
    const uint16_t type = Word(d, 0), version = Word(d, 4);
    return d.size() >= 18 && (type == 1 || type == 2) && Word(d, 2) == 9 && (version == 0x0300 || version == 0x0100);
}

const char *QtFormatName(TImageFormat f)
{
    switch (f) {
    case TImageFormat::Png: return "png";
    case TImageFormat::Bmp: return "bmp";
    case TImageFormat::Jpeg: return "jpeg";
    case TImageFormat::Tiff: return "tiff";
    case TImageFormat::Gif: return "gif";
    case TImageFormat::Ico: return "ico";
    default: return nullptr;
    }
}

bool WithinLimits(QSize s)
{
    return s.width() > 0 && s.height() > 0 && s.width() <= MaxSide && s.height() <= MaxSide
           && qint64(s.width()) * s.height() <= MaxPixels;
}

QImage DecodeWithQt(const QByteArray &data, const char *format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // Never the reader's own guess: the format was decided from the content.
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(int(MaxPixels * 4 / (1024 * 1024)));
    // Headers that do not give the size are read and checked after.
    const QSize declared = reader.size();
    if (declared.isValid() && !WithinLimits(declared))
        return {};
    return reader.read();
}

} // namespace

TImageFormat SniffFormat(const QByteArray &d)
{
    if (StartsWith(d, "\x89PNG\r\n\x1A\n", 8))
        return TImageFormat::Png;
    if (StartsWith(d, "BM", 2) && d.size() >= 26)
        return TImageFormat::Bmp;
    if (StartsWith(d, "\xFF\xD8\xFF", 3))
        return TImageFormat::Jpeg;
    if (StartsWith(d, "II*\0", 4) || StartsWith(d, "MM\0*", 4))
        return TImageFormat::Tiff;
    if (StartsWith(d, "GIF87a", 6) || StartsWith(d, "GIF89a", 6))
        return TImageFormat::Gif;
    if (StartsWith(d, "\0\0\1\0", 4) && Word(d, 4) > 0)
        return TImageFormat::Ico;
    if (LooksLikeWmf(d))
        return TImageFormat::Wmf;
    if (LooksLikePcx(d))
        return TImageFormat::Pcx;
    if (LooksLikeTga(d))
        return TImageFormat::Tga;
    return TImageFormat::Unknown;
}

QImage LoadFromMemory(const QByteArray &data, TImageFormat *format)
{
    const TImageFormat f = SniffFormat(data);
    if (format)
        *format = f;
    if (data.size() > MaxEncodedBytes)
        return {};
    QImage image;
    // Qt takes Targa files only with the footer of its second version.
    if (f == TImageFormat::Tga)
        image = DecodeForeign(data, "TGA");
    else if (f == TImageFormat::Pcx)
        image = DecodeForeign(data, "PCX");
    else if (f == TImageFormat::Wmf)
        image = DecodeForeign(data, "WMF");
    else if (const char *name = QtFormatName(f))
        image = DecodeWithQt(data, name);
    if (image.isNull() || !WithinLimits(image.size()))
        return {};
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

QImage LoadFromFile(const QString &path, TImageFormat *format)
{
    if (format)
        *format = TImageFormat::Unknown;
    QFile file(path);
    // Only plain files: a device or a pipe never ends.
    if (!file.open(QIODevice::ReadOnly) || file.isSequential() || file.size() > MaxEncodedBytes)
        return {};
    return LoadFromMemory(file.readAll(), format);
}

QByteArray EncodePng(const QImage &image)
{
    if (image.isNull())
        return {};
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? out : QByteArray();
}

QImage QuarterTurn(const QImage &image, int quarters)
{
    const int q = ((quarters % 4) + 4) % 4;
    return q == 0 ? image : image.transformed(QTransform().rotate(90.0 * q));
}

QImage Mirror(const QImage &image, bool leftRight) { return image.mirrored(leftRight, !leftRight); }

QImage CopyRect(const QImage &image, const QRect &part) { return image.copy(part); }

bool VisiblePart(QSize imageSize, const QRect &target, const QRect &visible, QRect &source, QRectF &dest)
{
    const QRect seen = target.intersected(visible);
    if (seen.isEmpty() || target.width() <= 0 || target.height() <= 0 || imageSize.isEmpty())
        return false;
    // Whole pixels only (a PDF takes no fractions of one), each placed where
    // the whole target puts it, so the part keeps the picture's scale and
    // place; the clip cuts what sticks out. In 64 bits: targets can be far
    // larger than the image.
    auto along = [](int from, int len, int tFrom, int tLen, int size) {
        const int64_t a = int64_t(from - tFrom) * size / tLen;
        const int64_t b = std::min<int64_t>(((int64_t(from - tFrom) + len) * size + tLen - 1) / tLen, size);
        const double step = double(tLen) / size;
        return std::tuple(int(a), int(b - a), tFrom + a * step, (b - a) * step);
    };
    const auto [sx, sw, dx, dw] = along(seen.left(), seen.width(), target.left(), target.width(), imageSize.width());
    const auto [sy, sh, dy, dh] = along(seen.top(), seen.height(), target.top(), target.height(), imageSize.height());
    source = QRect(sx, sy, sw, sh);
    dest = QRectF(dx, dy, dw, dh);
    return !source.isEmpty();
}

void DrawStretched(QPainter &p, const QImage &image, const QRect &target, bool clip)
{
    if (image.isNull() || target.isEmpty())
        return;
    const QPaintDevice *device = p.device();
    const QRect visible(1, 1, device ? device->width() : 0, device ? device->height() : 0);
    if (!clip || visible.contains(target)) {
        p.drawImage(target, image);
        return;
    }
    QRect source;
    QRectF dest;
    if (!VisiblePart(image.size(), target, visible, source, dest))
        return;
    p.save();
    p.setClipRect(visible, Qt::IntersectClip);
    p.drawImage(dest, CopyRect(image, source));
    p.restore();
}

} // namespace Imaging
