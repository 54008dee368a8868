#pragma once
// Icons from SVG files that parse their file once, on first use. Qt's own
// SVG icon parses a file when the icon is made (to see that it is valid) and
// again for every size and mode it draws: two dozen tool bar buttons paid
// that before the main window could first show.

#include <QIcon>
#include <QString>

// Draws as QIcon(path) does.
QIcon SvgIcon(const QString &path);
