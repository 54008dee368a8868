#include "WindowPlacement.h"

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
