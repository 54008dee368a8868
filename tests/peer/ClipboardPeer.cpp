// A second program for the clipboard test between two processes, built on
// the window library: "copy DOC" opens DOC, selects everything on its CD
// label and copies it, then keeps the clipboard until its input closes;
// "paste OUT" pastes into a new document and saves it as OUT.
#include "ChildWin.h"
#include "ClipboardCommands.h"
#include "MainWindow.h"
#include "MessageBoxText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

int copy(TMDIForm &m, const QString &doc)
{
    m.OpenFile(doc);
    TChildWin *c = m.ActiveChild();
    if (!c)
        return 2;
    c->ActivePage()->SelectAll();
    m.Action(QStringLiteral("miKopieren"))->trigger();
    std::printf("copied\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char b[64];
        if (read(STDIN_FILENO, b, sizeof b) <= 0)
            QApplication::quit();
    });
    QTimer::singleShot(30000, [] { QApplication::quit(); });
    return QApplication::exec();
}

int paste(TMDIForm &m, const QString &out)
{
    TChildWin *c = m.New();
    // The owner may still be announcing its data.
    QElapsedTimer t;
    t.start();
    while (!OffersPaste(QGuiApplication::clipboard()->mimeData()) && t.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    QApplication::processEvents();
    m.Action(QStringLiteral("miEinfuegen"))->trigger();
    std::printf("%d\n", c->ActivePage()->FrameCount());
    return c->SaveToFile(out) ? 0 : 3;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 1;
    SetMessageBoxHook([](const QString &text, TMsgKind, int) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return int(mrOK);
    });
    TMDIForm m;
    return args[1] == QLatin1String("copy") ? copy(m, args[2]) : paste(m, args[2]);
}
