// The program's start: from spawning "quelmark --no-splash" to its main
// window shown and painted once, beside a bare QMainWindow of the same size
// spawned the same way (this binary with --floor), so both pay the process
// and Qt start-up. The program tells its first paint on stdout when
// QUELMARK_REPORT_FIRST_PAINT is set (Startup.cpp).

#include "BenchSupport.h"
#include "Settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int Runs = 9;

// The floor: what the program does to show its window, and no more.
int RunFloor(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    struct TReport : QObject
    {
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Paint) {
                o->removeEventFilter(this);
                auto *w = static_cast<QWidget *>(o);
                QTimer::singleShot(0, w, [w] {
                    std::printf("painted %dx%d\n", w->width(), w->height());
                    std::fflush(stdout);
                });
            }
            return false;
        }
    } report;
    if (const QScreen *sc = w.screen())
        w.setGeometry(sc->availableGeometry());
    w.installEventFilter(&report);
    w.showMaximized();
    return app.exec();
}

// Milliseconds from the spawn to the line that tells the first paint; the
// size the window had goes to size.
double TimeToPaint(const QString &program, const QStringList &args, QByteArray *size)
{
    QProcess p;
    // The platform plugin's notes would drown the figures.
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    QByteArray out;
    while (!out.contains('\n') && p.waitForReadyRead(60000))
        out += p.readAllStandardOutput();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    p.kill();
    p.waitForFinished();
    if (!out.startsWith("painted ")) {
        std::fprintf(stderr, "%s did not report its first paint\n", qPrintable(program));
        return 0;
    }
    if (size)
        *size = out.mid(8).trimmed();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    if (argc > 1 && qstrcmp(argv[1], "--floor") == 0)
        return RunFloor(argc, argv);
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // A settings file of its own with a language chosen: no first-start dialog.
    qputenv("QUELMARK_SETTINGS", dir.filePath(QStringLiteral("start.ini")).toLocal8Bit());
    qputenv("QUELMARK_REPORT_FIRST_PAINT", "1");
    WriteLanguage(2);

    const QString program = QStringLiteral(QM_APP_PATH);
    const QString self = QCoreApplication::applicationFilePath();
    const QString document = QStringLiteral(QM_DATA_DIR "/all-kinds.CDL");
    QByteArray size, floorSize;
    // Alternate program and floor so that a busy moment hits both.
    std::vector<double> start, withDocument, floor;
    for (int i = 0; i < Runs; ++i) {
        floor.push_back(TimeToPaint(self, {QStringLiteral("--floor")}, &floorSize));
        start.push_back(TimeToPaint(program, {QStringLiteral("--no-splash")}, &size));
        withDocument.push_back(TimeToPaint(program, {QStringLiteral("--no-splash"), document}, nullptr));
    }
    std::printf("window %s, floor window %s\n", size.constData(), floorSize.constData());
    const double f = Median(floor);
    ReportMs("start", Median(start), f);
    ReportMs("start with a document", Median(withDocument), f);
    return 0;
}
