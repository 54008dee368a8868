#include "SvgIcon.h"

#include "IconCache.h"

#include <QApplication>
#include <QDataStream>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QtEndian>

#include <memory>

namespace {

// The icons the build drew (IconCache.h), by resource path and requested size.
const QHash<QString, QImage> &BuiltIcons()
{
    static const QHash<QString, QImage> icons = [] {
        QHash<QString, QImage> all;
        const QByteArray data = QResource(QStringLiteral(":/iconcache/icons.bin")).uncompressedData();
        QDataStream s(data);
        s.setByteOrder(QDataStream::LittleEndian);
        while (!s.atEnd()) {
            quint16 length = 0;
            s >> length;
            QByteArray path(length, Qt::Uninitialized);
            s.readRawData(path.data(), length);
            qint32 w = 0, h = 0, dw = 0, dh = 0;
            s >> w >> h >> dw >> dh;
            if (s.status() != QDataStream::Ok || dw <= 0 || dh <= 0 || dw > w || dh > h)
                break;
            QImage img(dw, dh, QImage::Format_ARGB32_Premultiplied);
            const qsizetype row = qsizetype(dw) * 4;
            QByteArray pixels(row, Qt::Uninitialized);
            for (int y = 0; y < dh; ++y) {
                if (s.readRawData(pixels.data(), int(row)) != row)
                    return all;
                qFromLittleEndian<quint32>(pixels.constData(), dw, img.scanLine(y));
            }
            all.insert(QString::fromUtf8(path) + QLatin1Char('@') + QString::number(w) + QLatin1Char('x')
                           + QString::number(h),
                       img);
        }
        return all;
    }();
    return icons;
}

class TSvgIconEngine : public QIconEngine
{
public:
    explicit TSvgIconEngine(QString path) : m_data(std::make_shared<TData>()) { m_data->Path = std::move(path); }

    QIconEngine *clone() const override { return new TSvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("svg"); }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        QSize size = rect.size();
        if (painter->device())
            size *= painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(size, mode, state));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal) override
    {
        // One file serves every mode and state; modes other than the normal
        // one are derived by the style, as Qt's engine derives them.
        const quint64 key = (quint64(size.width()) << 40) | (quint64(size.height()) << 8) | quint64(mode);
        if (const auto it = m_data->Pixmaps.constFind(key); it != m_data->Pixmaps.cend())
            return *it;
        QPixmap pm;
        QImage img = BuiltIcons().value(m_data->Path + QLatin1Char('@') + QString::number(size.width())
                                        + QLatin1Char('x') + QString::number(size.height()));
        if (img.isNull())
            img = RenderSvgIcon(m_data->Renderer(), size);
        if (!img.isNull()) {
            pm = QPixmap::fromImage(img);
            if (mode != QIcon::Normal && qApp) {
                QStyleOption opt(0);
                opt.palette = QGuiApplication::palette();
                const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &opt);
                if (!generated.isNull())
                    pm = generated;
            }
        }
        m_data->Pixmaps.insert(key, pm);
        return pm;
    }

private:
    struct TData
    {
        QString Path;
        std::unique_ptr<QSvgRenderer> Parsed;
        QHash<quint64, QPixmap> Pixmaps;

        QSvgRenderer &Renderer()
        {
            if (!Parsed)
                Parsed = std::make_unique<QSvgRenderer>(Path);
            return *Parsed;
        }
    };
    // Shared by the copies QIcon makes when it detaches.
    std::shared_ptr<TData> m_data;
};

} // namespace

QIcon SvgIcon(const QString &path) { return QIcon(new TSvgIconEngine(path)); }
