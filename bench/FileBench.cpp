// Save and open of a page at the frame limit and of a typical label, each
// beside its floor: the same bytes written as the save writes them (a
// temporary file beside the target, synced, renamed over it), and the file
// read into memory. Run a Release build for numbers worth comparing.

#include "BenchSupport.h"
#include "Document.h"
#include "RandomShapes.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Runs = 9;

// What the save does to the disk, without the program: a new file beside
// the target, one write, a data sync (as QSaveFile does), a rename.
void FloorWrite(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".tmp";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fdatasync(fd) != 0)
        std::perror("floor write");
    ::close(fd);
    if (::rename(temp.constData(), target.constData()) != 0)
        std::perror("floor rename");
}

QByteArray FloorRead(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    struct stat st = {};
    QByteArray b;
    if (fd >= 0 && ::fstat(fd, &st) == 0) {
        b.resize(qsizetype(st.st_size));
        if (::read(fd, b.data(), size_t(b.size())) != b.size())
            std::perror("floor read");
    }
    ::close(fd);
    return b;
}

void Measure(const char *name, TCDLDocument &doc, const QString &file, const QString &floorFile)
{
    const double save = MedianMs(Runs, [&](int) { doc.Save(file); });
    const QByteArray bytes = doc.ToBytes();
    // Where the save's time goes beside the disk: building the bytes.
    const double build = MedianMs(Runs, [&](int) { doc.ToBytes(); });
    const double saveFloor = MedianMs(Runs, [&](int) { FloorWrite(floorFile, bytes); });
    // Freeing the documents is no part of opening one.
    std::vector<std::unique_ptr<TCDLDocument>> opened;
    for (int i = 0; i < Runs; ++i)
        opened.push_back(std::make_unique<TCDLDocument>());
    const double open = MedianMs(Runs, [&](int i) { opened[size_t(i)]->Load(file, nullptr); });
    const double openFloor = MedianMs(Runs, [&](int) { FloorRead(file); });
    std::printf("file%s of %lld bytes, built in %.3f ms\n", name, static_cast<long long>(bytes.size()), build);
    ReportMs(QByteArray("save").append(name).constData(), save, saveFloor);
    ReportMs(QByteArray("open").append(name).constData(), open, openFloor);
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.cdl"));
    const QString floorFile = dir.filePath(QStringLiteral("floor.cdl"));

    TCDLDocument doc;
    std::mt19937 rng(1);
    for (int i = 0; i < MaxFramesPerPage; ++i)
        doc.Label().AddFrame(RandomShape(doc.Label(), rng));
    Measure("", doc, file, floorFile);

    // A label as people make them: a few texts, serial numbers and shapes.
    TCDLDocument typical;
    typical.Load(QStringLiteral(QM_TYPICAL_LABEL), nullptr);
    Measure(" typical", typical, file, floorFile);
    return 0;
}
