#pragma once
// Paints a page at its real size onto an image or PDF, as a non-interactive
// context would: no grid, no handles, no guide lines.

#include "Page.h"

#include <QImage>

// Model units to device pixels at dpi.
inline double ScaleForDpi(double dpi) { return dpi / 254.0; }

// The page onto painter p whose device point (0,0) is the page's top-left.
void RenderPage(const TCDLPage &page, QPainter &p, double scale);
// A transparent image with the page's area in its colour and the frames.
QImage RenderPageImage(const TCDLPage &page, double dpi);
// The image in the format its file name's suffix names. Returns false when
// the format is unknown or the file cannot be written whole.
bool RenderPageImageFile(const TCDLPage &page, const QString &path, int dpi);
// A one-page PDF of the page's real size. Returns false when the file
// cannot be written.
bool RenderPagePdf(const TCDLPage &page, const QString &path, int dpi);
