#include "IconCache.h"

#include <QPainter>
#include <QSvgRenderer>

QImage RenderSvgIcon(QSvgRenderer &r, const QSize &size)
{
    QSize actual = r.defaultSize();
    if (!actual.isNull())
        actual.scale(size, Qt::KeepAspectRatio);
    if (!r.isValid() || actual.isEmpty())
        return {};
    QImage img(actual, QImage::Format_ARGB32_Premultiplied);
    img.fill(0);
    QPainter p(&img);
    r.render(&p);
    p.end();
    return img;
}
