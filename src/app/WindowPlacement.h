#pragma once
// Where a new document window goes in the main window's MDI area.

class QMdiArea;
class QMdiSubWindow;

// Cascades the window from the area's top-left corner, each one a title bar
// further than the one before, starting over where the next would leave the
// visible part. It takes three quarters of the area (at least 480 x 360,
// never more than the area); an area too small even for its minimum size
// shows it maximised.
void PlaceDocumentWindow(QMdiArea *area, QMdiSubWindow *window);
