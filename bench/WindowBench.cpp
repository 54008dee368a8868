// What a person feels in the window on a full CD label (15,000 short texts
// and 15,000 small ellipses), the main window at the size of a 1920 x 1080
// screen: each figure runs from the key, wheel or mouse event given to the
// page control, through what the window does for it, to the end of the
// repaint it causes. Prints medians; run a Release build for numbers worth
// comparing.

#include "BenchSupport.h"
#include "ChildWin.h"
#include "MainWindow.h"
#include "PageWidget.h"
#include "Settings.h"
#include "Shapes.h"
#include "Text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cstdio>
#include <random>

namespace {

constexpr int Runs = 3;

void Fill(TCDLPage &page)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> pos(-580, 560), small(15, 40);
    for (int i = 0; i < MaxFramesPerPage / 2; ++i) {
        auto t = std::make_unique<TCDLText>(&page, pos(rng), pos(rng));
        t->Values = QStringList{QStringLiteral("Track %1").arg(i)};
        t->Width = 80;
        t->Height = 30;
        page.AddFrame(std::move(t));
        auto e = std::make_unique<TCDLEllipse>(&page, pos(rng), pos(rng));
        e->Width = small(rng);
        e->Height = small(rng);
        page.AddFrame(std::move(e));
    }
}

class TWindowBench
{
public:
    explicit TWindowBench(TPageWidget *w) : m_w(w)
    {
        QObject::connect(w, &TPageWidget::painted, [this] { ++m_paints; });
    }
    // Delivers what the event caused, up to and including the page's paint.
    void ShowAfter(const std::function<void()> &event)
    {
        const int before = m_paints;
        event();
        QElapsedTimer waited;
        waited.start();
        while (m_paints == before && waited.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents);
        QApplication::processEvents();
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        ShowAfter([&] { QTest::keyClick(m_w, Qt::Key(key), mods); });
    }
    void Wheel(QPoint angle, Qt::KeyboardModifiers mods)
    {
        ShowAfter([&] {
            const QPoint at = m_w->rect().center();
            QWheelEvent e(QPointF(at), m_w->mapToGlobal(QPointF(at)), QPoint(), angle, Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_w, &e);
        });
    }
    void Mouse(QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held)
    {
        ShowAfter([&] { Send(t, p, b, held); });
    }
    // An event that shows nothing of itself (a press on a guide line).
    void Send(QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held)
    {
        QMouseEvent e(t, QPointF(p), m_w->mapToGlobal(QPointF(p)), b, held, Qt::NoModifier);
        QApplication::sendEvent(m_w, &e);
    }

private:
    TPageWidget *m_w;
    int m_paints = 0;
};

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QTemporaryDir dir;
    qputenv("QUELMARK_SETTINGS", dir.filePath(QStringLiteral("bench.ini")).toUtf8());
    QApplication app(argc, argv);
    TMDIForm main;
    main.resize(1920, 1080);
    main.show();
    TChildWin *child = main.New();
    child->parentWidget()->showMaximized();
    QApplication::setActiveWindow(&main);
    TCDLPage &page = *child->ActivePage();
    Fill(page);
    TPageWidget *w = child->PageControl();
    w->setFocus();
    TWindowBench bench(w);
    // A name given runs that figure alone (for a profiler).
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    auto wanted = [&](const char *name) { return only.isEmpty() || only == QLatin1String(name); };
    bench.ShowAfter([&] { w->update(); });
    std::printf("%d frames, page control %dx%d\n", page.FrameCount(), w->width(), w->height());

    // The floor is what showing the result takes at the least: one repaint
    // of the page control as it stands, through the same paint path, with
    // nothing changed (everything selected, as most figures end).
    auto floorMs = [&] { return MedianMs(Runs, [&](int) { w->repaint(); }); };

    if (wanted("select all")) {
        const double selectAll = MedianMs(Runs, [&](int) {
            bench.Key(Qt::Key_A, Qt::ControlModifier);
            page.DeselectAll();
        });
        page.SelectAll();
        ReportMs("select all", selectAll, floorMs());
    }
    page.SelectAll();

    if (wanted("zoom step")) {
        // In and out again, about the centre; each step is one figure.
        const double zoom =
            MedianMs(2 * Runs, [&](int i) { bench.Wheel(QPoint(0, i % 2 ? -120 : 120), Qt::ControlModifier); });
        // The steps show level 5 and level 4 in turn: the floor is the mean of both repaints.
        const double atFour = floorMs();
        child->ZoomTo(5);
        bench.ShowAfter([&] { w->update(); });
        const double atFive = floorMs();
        child->ZoomTo(4);
        bench.ShowAfter([&] { w->update(); });
        ReportMs("zoom step", zoom, (atFour + atFive) / 2);
        // The steps above come back to levels just shown, whose pictures the
        // window keeps; a level not shown before paints the page anew.
        const double fresh = MedianMs(2 * Runs, [&](int i) {
            w->setPage(&page, w->editor());
            bench.Wheel(QPoint(0, i % 2 ? -120 : 120), Qt::ControlModifier);
        });
        std::printf("zoom step to a level not kept, %.3f ms\n", fresh);
    }

    if (wanted("wheel step")) {
        child->ZoomTo(5);
        bench.ShowAfter([&] { w->update(); });
        const double wheel = MedianMs(2 * Runs, [&](int i) { bench.Wheel(QPoint(0, i % 2 ? 120 : -120), {}); });
        ReportMs("wheel step", wheel, floorMs());
        child->ZoomTo(4);
        bench.ShowAfter([&] { w->update(); });
    }

    // Five steps of everything as a held key gives them: they come faster
    // than a page of this size paints, so the window takes them all before
    // it paints; the figure ends when the last step shows.
    if (wanted("arrow run")) {
        const double arrows = MedianMs(Runs, [&](int i) {
            bench.ShowAfter([&] {
                for (int k = 0; k < 5; ++k)
                    QTest::keyClick(w, i % 2 ? Qt::Key_Left : Qt::Key_Right);
            });
        });
        // For comparison only: a paint after every step, as slow taps show them.
        const double tapped = MedianMs(1, [&](int i) {
            for (int k = 0; k < 5; ++k)
                bench.Key(i % 2 ? Qt::Key_Left : Qt::Key_Right);
        });
        std::printf("five arrow steps, each painted as it comes, %.3f ms\n", tapped);
        // Runs that go on to places not shown before, for comparison: the
        // runs above come back to where the one before started.
        const double onwards = MedianMs(Runs, [&](int) {
            bench.ShowAfter([&] {
                for (int k = 0; k < 5; ++k)
                    QTest::keyClick(w, Qt::Key_Down);
            });
        });
        std::printf("five arrow steps to places not shown before, %.3f ms\n", onwards);
        ReportMs("arrow run", arrows, floorMs());
    }

    if (wanted("undo")) {
        // Each undo takes back one step of everything, made before the timing.
        std::vector<double> undo;
        for (int i = 0; i < Runs; ++i) {
            bench.Key(Qt::Key_Right);
            undo.push_back(MedianMs(1, [&](int) { bench.Key(Qt::Key_Z, Qt::ControlModifier); }));
        }
        ReportMs("undo", Median(undo), floorMs());
    }

    if (wanted("rubber band")) {
        // From a corner outside the label over everything, the band shown at each step.
        page.DeselectAll();
        bench.ShowAfter([&] { w->update(); });
        const QPoint from(2, 2), to(w->width() - 3, w->height() - 3);
        const double band = MedianMs(Runs, [&](int) {
            bench.Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
            for (int k = 1; k <= 3; ++k)
                bench.Mouse(QEvent::MouseMove, from + (to - from) * k / 3, Qt::NoButton, Qt::LeftButton);
            bench.Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
            page.DeselectAll();
        });
        ReportMs("rubber band", band, floorMs());
    }
    if (wanted("guide drag")) {
        // A guide line across the page taken three steps down or up and
        // dropped, each step shown; the press alone shows nothing.
        page.SnapLines.Add(page.Context.ModelY(w->height() / 3), true);
        bench.ShowAfter([&] { w->update(); });
        const int line = page.SnapLines.Count() - 1;
        const double guide = MedianMs(Runs, [&](int i) {
            const QPoint at(60, page.Context.MapY(page.SnapLines.Get(line).Position));
            const QPoint step(0, i % 2 ? -40 : 40);
            bench.Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            for (int k = 1; k <= 3; ++k)
                bench.Mouse(QEvent::MouseMove, at + step * k, Qt::NoButton, Qt::LeftButton);
            bench.Mouse(QEvent::MouseButtonRelease, at + step * 3, Qt::LeftButton, Qt::NoButton);
        });
        ReportMs("guide drag", guide, floorMs());
        page.SnapLines.Delete(line);
    }
    std::printf("selected at the end: %d\n", page.Selection().Count());
    for (TChildWin *c : main.Children())
        c->Closing = true;
    return 0;
}
