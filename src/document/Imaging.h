#pragma once
// The imaging layer: everything the picture frame does to pixels. Pictures
// are recognised by their content, never by a file name or a stored code,
// and decoded only within fixed limits, so a damaged or hostile file is a
// refusal rather than a crash or an exhausted machine.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>

class QPainter;

enum class TImageFormat : uint8_t { Unknown, Png, Bmp, Jpeg, Tiff, Gif, Ico, Tga, Pcx, Wmf };

namespace Imaging {

// Limits for any decoder: a side, the pixel count, and the encoded size.
inline constexpr int MaxSide = 16384;
inline constexpr qint64 MaxPixels = qint64(64) * 1024 * 1024;
inline constexpr qint64 MaxEncodedBytes = qint64(256) * 1024 * 1024;

TImageFormat SniffFormat(const QByteArray &data);

// Null when the data is no picture of a known format or breaks a limit. The
// result is 32 bits per pixel, with alpha only where the picture has it.
QImage LoadFromMemory(const QByteArray &data, TImageFormat *format = nullptr);
QImage LoadFromFile(const QString &path, TImageFormat *format = nullptr);
// PNG; empty for a null image.
QByteArray EncodePng(const QImage &image);

// Quarter turns clockwise (negative: anticlockwise).
QImage QuarterTurn(const QImage &image, int quarters);
QImage Mirror(const QImage &image, bool leftRight);
QImage CopyRect(const QImage &image, const QRect &part);

// Stretches image into target. With clip, only what falls inside the
// device's area (1,1)..(width,height) is drawn, from the matching part of
// the image at the same scale: printers refuse far-out coordinates.
void DrawStretched(QPainter &p, const QImage &image, const QRect &target, bool clip);

// The whole pixels of a picture stretched into target that show within
// visible, and where they land at the target's scale (which may reach a
// little beyond visible); false when none of it shows.
bool VisiblePart(QSize imageSize, const QRect &target, const QRect &visible, QRect &source, QRectF &dest);

// Decoded by the foreign-format library with an explicit coder ("PCX",
// "WMF", "TGA"); its resources are capped to the limits above.
QImage DecodeForeign(const QByteArray &data, const char *coder);

} // namespace Imaging
