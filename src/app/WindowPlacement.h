#pragma once
// Where a new document window goes in the main window's MDI area, and
// where a tool window goes among the screens.

#include <QList>
#include <QRect>

class QMdiArea;
class QMdiSubWindow;

// Cascades the window from the area's top-left corner, each one a title bar
// further than the one before, starting over where the next would leave the
// visible part. It takes three quarters of the area (at least 480 x 360,
// never more than the area); an area too small even for its minimum size
// shows it maximised.
void PlaceDocumentWindow(QMdiArea *area, QMdiSubWindow *window);

// Where a tool window of the given size, stored at topLeft, goes among the
// screens' usable areas: moved fully onto the screen it overlaps most. One
// that overlaps none (a screen that is gone) goes to fallback instead, which
// is kept on a screen the same way.
QPoint PlaceToolWindow(QPoint topLeft, QSize window, const QList<QRect> &screens, QPoint fallback);
