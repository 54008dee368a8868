#include "PreviewChild.h"

#include "DisplaySession.h"
#include "Page.h"
#include "PaintSurface.h"
#include "Settings.h"
#include "Strings.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

namespace Text {
constexpr int Caption = 204;
} // namespace Text

// White left around the page on every side.
constexpr int Margin = 5;
// Stored sizes outside these, or places this far off, are no window a
// person left there.
constexpr int MinSide = 50, MaxSide = 100000, MaxOffset = 1000000;

} // namespace

// The page, fitted into the box less its margin.
class TPreviewChild::TPaintBox : public QWidget
{
public:
    TPaintBox(const TCDLPage &page, QWidget *parent) : QWidget(parent), m_page(page)
    {
        setObjectName(QStringLiteral("pbVisible"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const QSize inner = size() - QSize(2 * Margin, 2 * Margin);
        if (inner.width() <= 0 || inner.height() <= 0)
            return;
        QImage image = RatioImage(inner, DeviceRatio(p), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter ip(&image);
        ip.setRenderHint(QPainter::Antialiasing);
        TPaintContext c;
        c.Canvas = &ip;
        m_page.FitInto(c, inner.width(), inner.height(), 1.0);
        // Only the label's ring is paper; an inlay is its whole rectangle.
        const bool shaped = m_page.Kind() == TPageKind::CDLabel;
        m_page.Paint(c, {.Background = true, .ClipToShape = shaped, .Preview = true});
        ip.end();
        p.drawImage(Margin, Margin, image);
    }

private:
    const TCDLPage &m_page;
};

TPreviewChild::TPreviewChild(const TCDLPage &page, const QString &documentCaption, QWidget *parent)
    : QDialog(parent), m_page(page), m_caption(documentCaption)
{
    setObjectName(QStringLiteral("PreviewChild"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new TPaintBox(page, this));
    SetupStrings();
}

void TPreviewChild::SetupStrings() { setWindowTitle(GetText(Text::Caption) + QLatin1Char(' ') + m_caption); }

int TPreviewChild::Execute()
{
    const TPageViewPlacement stored = ReadPageView();
    QList<QRect> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens.append(s->availableGeometry());
    const QRect place = PageViewGeometry(stored, screens);
    move(place.topLeft());
    resize(place.size());
    if (stored.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

void TPreviewChild::done(int result)
{
    // A place the compositor chose is unknown: the stored one stays.
    TPageViewPlacement p = ReadPageView();
    p.Maximized = isMaximized();
    if (PlacesTopLevelWindows()) {
        p.X = x();
        p.Y = y();
    }
    p.Width = width();
    p.Height = height();
    WritePageView(p);
    QDialog::done(result);
}

QRect PageViewGeometry(const TPageViewPlacement &stored, const QList<QRect> &screens)
{
    const TPageViewPlacement def;
    const QRect fallback(def.X, def.Y, def.Width, def.Height);
    const bool sane = stored.Width >= MinSide && stored.Width <= MaxSide && stored.Height >= MinSide
                      && stored.Height <= MaxSide && std::abs(stored.X) <= MaxOffset && std::abs(stored.Y) <= MaxOffset;
    QRect r = sane ? QRect(stored.X, stored.Y, stored.Width, stored.Height) : fallback;
    if (screens.isEmpty())
        return r;
    if (std::none_of(screens.begin(), screens.end(), [&](const QRect &s) { return s.intersects(r); }))
        r = fallback;
    // No larger than the screen it is mostly on: beyond that it shows nothing
    // more, and its pictures of the page would take gigabytes.
    const auto shared = [&](const QRect &s) {
        const QRect common = s.intersected(r);
        return qint64(common.width()) * common.height();
    };
    const QRect screen = *std::max_element(screens.begin(), screens.end(),
                                           [&](const QRect &a, const QRect &b) { return shared(a) < shared(b); });
    r.setSize(r.size().boundedTo(screen.size()));
    return {PlaceToolWindow(r.topLeft(), r.size(), screens, fallback.topLeft()), r.size()};
}
