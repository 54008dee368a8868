// quelmark: the label designer's window program.

#include "DisplaySession.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    PrepareDisplaySession();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quelmark"));
    QApplication::setDesktopFileName(QStringLiteral("quelmark"));
    StartProgram(ParseCommandLine(QCoreApplication::arguments().mid(1)));
    return app.exec();
}
