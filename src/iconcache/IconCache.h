#pragma once
// The tool-bar icons drawn at build time: the program shows its tool bars
// without parsing and rendering two dozen SVG files. The build runs the
// same renderer on the same files, so a cached image is the one the program
// would draw.
//
// The file is a run of records: the resource path (16-bit length, UTF-8),
// the requested width and height, the drawn width and height (32-bit each,
// little-endian) and the drawn pixels as premultiplied ARGB32, row by row.

#include <QImage>
#include <QSize>
#include <QString>

// The size the toolbars ask for; the build draws this size only.
inline constexpr int CachedIconSide = 20;

// Draws an SVG icon at size as the icon engine does: its own aspect kept,
// transparent elsewhere; null when the file cannot be drawn.
class QSvgRenderer;
QImage RenderSvgIcon(QSvgRenderer &renderer, const QSize &size);
