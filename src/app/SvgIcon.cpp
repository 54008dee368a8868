#include "SvgIcon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>

namespace {

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
        QSvgRenderer &r = m_data->Renderer();
        QPixmap pm;
        QSize actual = r.defaultSize();
        if (!actual.isNull())
            actual.scale(size, Qt::KeepAspectRatio);
        if (r.isValid() && !actual.isEmpty()) {
            QImage img(actual, QImage::Format_ARGB32_Premultiplied);
            img.fill(0);
            QPainter p(&img);
            r.render(&p);
            p.end();
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
