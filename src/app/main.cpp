// quelmark: the label designer's window program.

#include "DisplaySession.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "SvgIcon.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFontDatabase>

#include <thread>

int main(int argc, char **argv)
{
    PrepareDisplaySession();
    QApplication app(argc, argv);
    // The first text the window measures waits for the system's font list
    // (a third of the start); it is read beside the building of the menus.
    std::jthread fonts([] { QFontDatabase::families(); });
    QApplication::setApplicationName(QStringLiteral("quelmark"));
    // The installed quelmark.desktop: a Wayland shell finds the icon through it.
    QApplication::setDesktopFileName(QStringLiteral("quelmark"));
    QApplication::setWindowIcon(SvgIcon(QStringLiteral(":/icons/quelmark.svg")));
    TStartOptions options = ParseCommandLine(QCoreApplication::arguments().mid(1));
    // Without a document a second copy is wanted (frames travel between two copies).
    if (!options.Documents.isEmpty() && PassToRunningProgram(QDBusConnection::sessionBus(), options.Documents))
        return 0;
    options.Started = [](TMDIForm *main) { ServeLaterStarts(QDBusConnection::sessionBus(), main); };
    StartProgram(options);
    return app.exec();
}
