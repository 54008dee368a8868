#include "PageRenderer.h"

#include "SaveFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <cmath>

namespace {

QSize DeviceSize(const TCDLPage &page, double scale)
{
    const QSize e = page.Extent();
    return {int(std::ceil(e.width() * scale)), int(std::ceil(e.height() * scale))};
}

QByteArray MediaBox(double w, double h)
{
    return "/MediaBox [0 0 " + QByteArray::number(w, 'f') + ' ' + QByteArray::number(h, 'f') + ']';
}

// The PDF engine of Qt 6.4 writes the page box in whole points
// (QPageLayout::fullRectPoints) whatever size QPageSize holds, and turns
// device y upward from that rounded height. Writing the exact box in place,
// padded to the same number of bytes, keeps every cross-reference offset.
bool PatchMediaBox(QByteArray &pdf, QSize written, QSizeF exact)
{
    const QByteArray from = MediaBox(written.width(), written.height());
    QByteArray to = MediaBox(exact.width(), exact.height());
    if (pdf.count(from) != 1 || to.size() > from.size())
        return false;
    to.insert(to.size() - 1, QByteArray(from.size() - to.size(), ' '));
    pdf.replace(from, to);
    return true;
}

} // namespace

void RenderPage(const TCDLPage &page, QPainter &p, double scale)
{
    // A context of its own: a document open on screen keeps its zoom,
    // scroll and handles.
    TPaintContext c;
    c.Canvas = &p;
    c.ScaleX = c.ScaleY = scale;
    const QSize size = DeviceSize(page, scale);
    c.OffsetX = size.width() / 2;
    c.OffsetY = size.height() / 2;
    page.Paint(c, TPagePaintOptions::Render());
}

QImage RenderPageImage(const TCDLPage &page, double dpi)
{
    const double scale = ScaleForDpi(dpi);
    QImage img(DeviceSize(page, scale), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    const int dpm = int(std::lround(dpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter p(&img);
    RenderPage(page, p, scale);
    return img;
}

bool RenderPageImageFile(const TCDLPage &page, const QString &path, int dpi)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return RenderPageImage(page, dpi).save(&buffer, format.constData()) && WriteFileWhole(path, bytes);
}

bool RenderPagePdf(const TCDLPage &page, const QString &path, int dpi)
{
    const QSizeF points = QSizeF(page.Extent()) * (72.0 / 254.0);
    QByteArray bytes;
    // Drawn shifted for the patched box first; as it is when that box is not
    // there to patch (a Qt that writes exact sizes itself).
    for (const bool patch : {true, false}) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        if (!pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch)))
            return false;
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(dpi);
        const QSize written = pdf.pageLayout().fullRectPoints().size();
        QPainter p;
        if (!p.begin(&pdf))
            return false;
        if (patch)
            p.translate(0, (written.height() - points.height()) * dpi / 72.0);
        RenderPage(page, p, ScaleForDpi(dpi));
        if (!p.end())
            return false;
        if (!patch || PatchMediaBox(bytes, written, points))
            break;
    }
    return WriteFileWhole(path, bytes);
}
