// Figures for a page at the frame limit: save, open and full repaints. The
// shapes are 0.5 to 4 mm, as small as 30,000 must be to share one label.
// Prints medians; run a Release build for numbers worth comparing.

#include "BenchSupport.h"
#include "Document.h"
#include "Shapes.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int Runs = 7;

std::unique_ptr<TCDLFrame> RandomShape(TCDLPage &page, std::mt19937 &rng)
{
    std::uniform_int_distribution<int> pos(-560, 520), size(5, 40), kind(0, 3), angle(0, 359);
    const int x = pos(rng), y = pos(rng);
    std::unique_ptr<TCDLFrame> f;
    switch (kind(rng)) {
    case 0: f = std::make_unique<TCDLLinie>(&page, x, y); break;
    case 1: f = std::make_unique<TCDLRechteck>(&page, x, y); break;
    case 2: f = std::make_unique<TCDLKreis>(&page, x, y); break;
    default: f = std::make_unique<TCDLEllipse>(&page, x, y); break;
    }
    f->X2 = x + size(rng);
    f->Y2 = y + size(rng);
    f->Width = size(rng);
    f->Height = size(rng);
    f->Angle = angle(rng);
    f->NoFill = (x & 1) != 0;
    f->FillColor = TColor(rng() & 0xFFFFFF);
    f->PenColor = TColor(rng() & 0xFFFFFF);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.cdl"));

    TCDLDocument doc;
    std::mt19937 rng(1);
    for (int i = 0; i < MaxFramesPerPage; ++i)
        doc.Label().AddFrame(RandomShape(doc.Label(), rng));

    const double save = MedianMs(Runs, [&](int) { doc.Save(file); });
    const qint64 bytes = QFileInfo(file).size();
    const double open = MedianMs(Runs, [&](int) {
        TCDLDocument again;
        again.Load(file, nullptr);
    });
    std::printf("%d shapes on one page, file %lld bytes\n", MaxFramesPerPage, static_cast<long long>(bytes));
    std::printf("  save  %8.2f ms\n  open  %8.2f ms\n", save, open);

    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (int zoom : {4, 7}) {
        doc.Label().Context.SetZoomLevel(zoom);
        const double paint = MedianMs(Runs, [&](int) {
            screen.fill(Qt::white);
            QPainter p(&screen);
            doc.Label().PaintScreen(p, screen.size());
        });
        std::printf("  repaint 1920x1080 at zoom %d  %8.2f ms\n", zoom, paint);
    }
    return 0;
}
