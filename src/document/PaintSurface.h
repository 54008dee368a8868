#pragma once
// The surface under a painter at any display scale. A widget's own size is
// in logical pixels, while the backing store or image its pixels land on is
// in device pixels: what shows and how fine it is must come from the latter.

#include <QImage>

class QPainter;

// What of the painter's surface can show, in its logical coordinates: the
// clip, else the whole surface seen back through the painter's transform.
QRect VisibleArea(const QPainter &p);
// Device pixels per logical pixel of the surface (a scaled screen's backing
// store, an image of a higher ratio).
double DeviceRatio(const QPainter &p);
// An image covering logical pixels at that ratio, so that what is painted
// into it and drawn back is as sharp as painting straight on the surface.
QImage RatioImage(QSize logical, double ratio, QImage::Format format);
