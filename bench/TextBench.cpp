// Figures for a page of 30,000 one-paragraph text frames: layout plus a full
// repaint at zoom 4 and 7, and the repaint alone when nothing changed (the
// layouts are cached). Prints medians; run a Release build for numbers worth
// comparing.

#include "BenchSupport.h"
#include "Document.h"
#include "Text.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int Runs = 5;

std::unique_ptr<TCDLText> RandomText(TCDLPage &page, std::mt19937 &rng, int i)
{
    std::uniform_int_distribution<int> pos(-560, 480), width(60, 250), height(30, 120), size(3, 9), align(0, 3),
        angle(0, 5);
    auto f = std::make_unique<TCDLText>(&page, pos(rng), pos(rng));
    f->Width = width(rng);
    f->Height = height(rng);
    f->FontSize = size(rng);
    f->Alignment = align(rng);
    f->Angle = angle(rng) == 0 ? 90 : 0;
    f->Values = QStringList{QStringLiteral("Titel %1 der Sammlung, Seite A").arg(i)};
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);

    TCDLDocument doc;
    TCDLPage &page = doc.Label();
    std::mt19937 rng(1);
    for (int i = 0; i < MaxFramesPerPage; ++i)
        page.AddFrame(RandomText(page, rng, i));
    std::printf("%d one-paragraph text frames on one page\n", MaxFramesPerPage);

    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    auto repaint = [&] {
        screen.fill(Qt::white);
        QPainter p(&screen);
        page.PaintScreen(p, screen.size());
    };
    for (int zoom : {4, 7}) {
        page.Context.SetZoomLevel(zoom);
        // A width change of one unit invalidates every cached layout.
        const double full = MedianMs(Runs, [&](int run) {
            const int d = run % 2 ? -1 : 1;
            for (auto &f : page.Frames())
                f->Width += d;
            repaint();
        });
        const double again = MedianMs(Runs, [&](int) { repaint(); });
        std::printf("  zoom %d, 1920x1080: layout + repaint %8.2f ms, repaint unchanged %8.2f ms\n", zoom, full, again);
    }
    return 0;
}
