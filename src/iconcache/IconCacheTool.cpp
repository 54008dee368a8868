// Build step: draws the SVG icons named on the command line into the icon
// cache file (IconCache.h). An icon with text is left to the program, whose
// fonts may differ from the build machine's.
// usage: quelmark-iconcache OUT RESOURCE_PREFIX FILE.svg...

#include "IconCache.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT RESOURCE_PREFIX FILE.svg...\n", argv[0]);
        return 2;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    QDataStream s(&out);
    s.setByteOrder(QDataStream::LittleEndian);
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const QSize size(CachedIconSide, CachedIconSide);
    for (int i = 3; i < argc; ++i) {
        QFile svg(QString::fromLocal8Bit(argv[i]));
        if (!svg.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray data = svg.readAll();
        if (data.contains("<text"))
            continue;
        QSvgRenderer r(svg.fileName());
        const QImage img = RenderSvgIcon(r, size);
        if (img.isNull())
            continue;
        const QByteArray path = (prefix + QFileInfo(svg.fileName()).fileName()).toUtf8();
        s << quint16(path.size());
        s.writeRawData(path.constData(), int(path.size()));
        s << qint32(size.width()) << qint32(size.height()) << qint32(img.width()) << qint32(img.height());
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                s << reinterpret_cast<const quint32 *>(img.constScanLine(y))[x];
    }
    return out.commit() ? 0 : 1;
}
