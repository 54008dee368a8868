// A batch print through quelmark-cli: 1,000 numbered CD labels (a bold
// title, the running number and a Code 39 bar code) into one
// PDF. Prints the wall time and the peak memory of the tool, best of a few
// runs; run a Release build for numbers worth comparing.

#include "Barcode.h"
#include "BenchSupport.h"
#include "Document.h"
#include "SerNo.h"
#include "Settings.h"
#include "Text.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr int Runs = 5;
constexpr int Labels = 1000;

void MakeDocument(const QString &path)
{
    TCDLDocument doc;
    TCDLabel &label = doc.Label();
    auto title = std::make_unique<TCDLText>(&label, -400, -350);
    title->Width = 800;
    title->Height = 120;
    title->FontSize = 20;
    title->Bold = true;
    title->Values = QStringList{QStringLiteral("Summer Tour 2027")};
    label.AddFrame(std::move(title));

    auto number = std::make_unique<TCDLSerNo>(&label, -300, 250);
    number->Width = 600;
    number->Height = 100;
    number->FontSize = 14;
    number->NumberFormat = QStringLiteral("No. ####");
    label.AddFrame(std::move(number));

    // A file keeps no bar-code flag for a serial number: the code is the
    // catalogue number, drawn anew on every label all the same.
    auto code = std::make_unique<TCDLText>(&label, -400, 370);
    code->Width = 800;
    code->Height = 150;
    code->FontSize = 12;
    PrepareBarcode(*code);
    code->Values = QStringList{QStringLiteral("CD-2027-07")};
    label.AddFrame(std::move(code));
    doc.Save(path);
}

struct TRunFigures
{
    double Seconds = 0;
    double PeakMB = 0;
    int Exit = -1;
};

TRunFigures RunCli(const QStringList &args)
{
    std::vector<QByteArray> storage{QByteArrayLiteral(QM_CLI_PATH)};
    for (const QString &a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    TRunFigures f;
    QElapsedTimer t;
    t.start();
    // The tool's own lines would only interleave with the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return f;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return f;
    f.Seconds = double(t.nsecsElapsed()) / 1e9;
    f.PeakMB = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    f.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    // The tool reads the settings of its environment; the benchmark brings its own.
    qputenv("QUELMARK_SETTINGS", QFile::encodeName(dir.filePath(QStringLiteral("settings.ini"))));
    const QString doc = dir.filePath(QStringLiteral("numbered.CDL"));
    const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
    MakeDocument(doc);

    std::vector<double> seconds, peaks;
    for (int i = 0; i < Runs; ++i) {
        const TRunFigures f =
            RunCli({QStringLiteral("print"), doc, QStringLiteral("--count"), QString::number(Labels),
                    QStringLiteral("--trim"), QStringLiteral("direct"), QStringLiteral("--pdf"), pdf});
        if (f.Exit != 0) {
            std::fprintf(stderr, "PrintBench: quelmark-cli print failed (%d)\n", f.Exit);
            return 1;
        }
        seconds.push_back(f.Seconds);
        peaks.push_back(f.PeakMB);
    }
    std::printf("print %d numbered CD labels to PDF (quelmark-cli): %.3f s median, %.3f s best, "
                "peak memory %.1f MB, PDF %.1f MB\n",
                Labels, Median(seconds), *std::min_element(seconds.begin(), seconds.end()),
                *std::max_element(peaks.begin(), peaks.end()), double(QFileInfo(pdf).size()) / 1e6);
    // A path on the command line keeps the PDF for a look.
    if (argc > 1)
        QFile::copy(pdf, QString::fromLocal8Bit(argv[1]));
    return 0;
}
