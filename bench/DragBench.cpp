// One mouse-move step of a frame dragged across a page of 5,000 frames:
// the editor's step plus the repaint the widget does for it, with the
// unchanged frames cached, against a full repaint for comparison.
// Prints medians; run a Release build for numbers worth comparing.

#include "BenchSupport.h"
#include "DragCache.h"
#include "Page.h"
#include "PageEditor.h"
#include "Shapes.h"
#include "Text.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int FrameCount = 5000;
constexpr int Steps = 200;

struct TSilentWindow : TPageHost
{
};

void Fill(TCDLPage &page)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pos(-560, 480), size(20, 80), kind(0, 4);
    for (int i = 0; i < FrameCount; ++i) {
        const int x = pos(rng), y = pos(rng);
        std::unique_ptr<TCDLFrame> f;
        switch (kind(rng)) {
        case 0: f = std::make_unique<TCDLLinie>(&page, x, y); break;
        case 1: f = std::make_unique<TCDLKreis>(&page, x, y); break;
        case 2: f = std::make_unique<TCDLEllipse>(&page, x, y); break;
        case 3: {
            auto t = std::make_unique<TCDLText>(&page, x, y);
            t->Values = QStringList{QStringLiteral("Track %1").arg(i)};
            f = std::move(t);
            break;
        }
        default: f = std::make_unique<TCDLRechteck>(&page, x, y); break;
        }
        f->Width = size(rng);
        f->Height = size(rng);
        f->X2 = x + size(rng);
        f->Y2 = y + size(rng);
        f->NoFill = (i & 1) != 0;
        f->FillColor = TColor(rng() & 0xFFFFFF);
        page.AddFrame(std::move(f));
    }
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);
    TSilentWindow window;
    auto page = CreatePage(TPageKind::CDLabel, &window);
    page->Context.Interactive = true;
    page->Context.Printing = false;
    Fill(*page);
    // The dragged frame on top, where a click picks it.
    auto mine = std::make_unique<TCDLRechteck>(page.get(), -100, -100);
    mine->Width = mine->Height = 200;
    page->AddFrame(std::move(mine));

    const QSize control(1000, 800);
    QImage screen(control, QImage::Format_ARGB32_Premultiplied);
    TPageEditor editor(*page, nullptr);
    editor.SetControlSize(control);
    editor.Layout();
    TDragCache cache;
    auto paintStep = [&] {
        QPainter p(&screen);
        cache.Paint(p, *page, control, editor.DraggedFrames(), Qt::lightGray);
    };

    const QPoint start = page->Context.Map(0, 0);
    QElapsedTimer press;
    press.start();
    editor.MouseDown(Qt::LeftButton, Qt::NoModifier, start);
    const double pressMs = double(press.nsecsElapsed()) / 1e6;
    QElapsedTimer first;
    first.start();
    editor.MouseMove(Qt::LeftButton, start + QPoint(1, 0));
    paintStep();
    const double build = double(first.nsecsElapsed()) / 1e6;

    std::vector<double> step;
    for (int i = 2; i < Steps; ++i) {
        QElapsedTimer t;
        t.start();
        editor.MouseMove(Qt::LeftButton, start + QPoint(i, i / 2));
        paintStep();
        step.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    editor.MouseUp(Qt::LeftButton, start + QPoint(Steps, Steps / 2));

    std::vector<double> full;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        QPainter p(&screen);
        page->PaintScreen(p, control);
        full.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("drag on a page of %d frames, %dx%d control:\n", FrameCount + 1, control.width(), control.height());
    std::printf("  press (places every handle)     %8.2f ms\n", pressMs);
    std::printf("  first step (builds the cache)   %8.2f ms\n", build);
    std::printf("  move step, median of %d        %8.3f ms\n", int(step.size()), Median(step));
    std::printf("  full repaint, median of 7       %8.2f ms\n", Median(full));
    return 0;
}
