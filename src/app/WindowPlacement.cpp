#include "WindowPlacement.h"

#include "Settings.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

void PlaceDocumentWindow(QMdiArea *area, QMdiSubWindow *window)
{
    const QSize view = area->viewport()->size();
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (view.width() < minimum.width() || view.height() < minimum.height()) {
        window->setWindowState(Qt::WindowMaximized);
        return;
    }
    const QSize size = QSize(std::max(480, view.width() * 3 / 4), std::max(360, view.height() * 3 / 4)).boundedTo(view);
    window->resize(size);
    const int step = std::max(8, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    const int fits = std::min((view.width() - size.width()) / step, (view.height() - size.height()) / step);
    int index = 0;
    for (QMdiSubWindow *other : area->subWindowList())
        if (other != window)
            ++index;
    const int k = index % (fits + 1);
    window->move(k * step, k * step);
}

namespace {

// The screen with the largest part of r; none when r is on no screen.
const QRect *screenOf(const QRect &r, const QList<QRect> &screens)
{
    const QRect *best = nullptr;
    qint64 bestArea = 0;
    for (const QRect &s : screens) {
        const QRect common = s.intersected(r);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = &s;
        }
    }
    return best;
}

} // namespace

QPoint PlaceToolWindow(QPoint topLeft, QSize window, const QList<QRect> &screens, QPoint fallback)
{
    if (screens.isEmpty())
        return topLeft;
    const QRect *screen = screenOf(QRect(topLeft, window), screens);
    if (!screen) {
        topLeft = fallback;
        screen = screenOf(QRect(topLeft, window), screens);
        if (!screen)
            screen = &screens.first();
    }
    return KeepOnScreen(topLeft - screen->topLeft(), window, screen->size()) + screen->topLeft();
}
