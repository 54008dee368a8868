#include "AppFixture.h"

#include "PageEditor.h"
#include "PageWidget.h"
#include "Shapes.h"
#include "Text.h"

#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

void Wheel(QWidget *w, QPoint p, QPoint angle, Qt::KeyboardModifiers mods)
{
    QWheelEvent e(QPointF(p), w->mapToGlobal(QPointF(p)), QPoint(), angle, Qt::NoButton, mods, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(w, &e);
}

class ZoomScrollTest : public OneDocumentTest
{
protected:
    void SetUp() override
    {
        OneDocumentTest::SetUp();
        p = child->ActivePage();
        hBar = child->findChild<QScrollBar *>(u"sBarH"_s);
        vBar = child->findChild<QScrollBar *>(u"sBarV"_s);
        page->repaint();
    }
    // Where the model point that was under device point d is shown now, from
    // its unrounded model position.
    QPointF ModelAt(QPoint d) const
    {
        const TPaintContext &c = p->Context;
        return {(d.x() - c.OffsetX) / c.ScaleX, (d.y() - c.OffsetY) / c.ScaleY};
    }
    QPointF DeviceOf(QPointF m) const
    {
        const TPaintContext &c = p->Context;
        return {m.x() * c.ScaleX + c.OffsetX, m.y() * c.ScaleY + c.OffsetY};
    }
    QPoint ModelOf(QPoint d) const { return {p->Context.ModelX(d.x()), p->Context.ModelY(d.y())}; }
    TCDLFrame *AddBox(QPoint model, int size)
    {
        auto box = std::make_unique<TCDLRechteck>(p, model.x(), model.y());
        box->Width = box->Height = size;
        TCDLFrame *f = box.get();
        p->AddFrame(std::move(box));
        page->repaint();
        return f;
    }

    TCDLPage *p = nullptr;
    QScrollBar *hBar = nullptr, *vBar = nullptr;
};

} // namespace

TEST_F(ZoomScrollTest, CtrlWheelZoomsAboutThePointer)
{
    const QPoint at = page->rect().center() + QPoint(70, -45);
    const QPointF m = ModelAt(at);
    for (int level = 5; level <= 7; ++level) {
        Wheel(page, at, QPoint(0, 120), Qt::ControlModifier);
        page->repaint();
        ASSERT_EQ(p->Context.ZoomLevel, level);
        const QPointF d = DeviceOf(m);
        EXPECT_NEAR(d.x(), at.x(), 1.0) << level;
        EXPECT_NEAR(d.y(), at.y(), 1.0) << level;
        EXPECT_EQ(hBar->value(), p->Context.ScrollX) << "the bars show where the page is";
        EXPECT_EQ(vBar->value(), p->Context.ScrollY);
    }
    Wheel(page, at, QPoint(0, 120), Qt::ControlModifier);
    EXPECT_EQ(p->Context.ZoomLevel, 7) << "800% is the last level";

    // Half notches add up to one; back out about another point.
    const QPoint other = page->rect().center() + QPoint(-30, 60);
    const QPointF m2 = ModelAt(other);
    Wheel(page, other, QPoint(0, -60), Qt::ControlModifier);
    EXPECT_EQ(p->Context.ZoomLevel, 7);
    Wheel(page, other, QPoint(0, -60), Qt::ControlModifier);
    page->repaint();
    ASSERT_EQ(p->Context.ZoomLevel, 6);
    EXPECT_NEAR(DeviceOf(m2).x(), other.x(), 1.0);
    EXPECT_NEAR(DeviceOf(m2).y(), other.y(), 1.0);

    // Out to a level where the page fits: it is centred again.
    for (int i = 0; i < 3; ++i)
        Wheel(page, other, QPoint(0, -120), Qt::ControlModifier);
    page->repaint();
    EXPECT_EQ((std::tuple{p->Context.ZoomLevel, p->Context.ScrollX, p->Context.ScrollY}), std::tuple(3, 0, 0));
}

TEST_F(ZoomScrollTest, WheelScrollsAndZoomCommandsKeepTheCentre)
{
    Trigger(*main, "miZoom6");
    page->repaint();
    const int y0 = vBar->value(), x0 = hBar->value();
    Wheel(page, page->rect().center(), QPoint(0, -120), Qt::NoModifier);
    EXPECT_GT(vBar->value(), y0) << "turned towards the user: further down the page";
    EXPECT_EQ((std::tuple{p->Context.ScrollY, hBar->value()}), std::tuple(vBar->value(), x0));
    Wheel(page, page->rect().center(), QPoint(0, -120), Qt::ShiftModifier);
    EXPECT_GT(hBar->value(), x0);
    EXPECT_EQ(p->Context.ScrollX, hBar->value());

    const QPoint centre(page->width() / 2, page->height() / 2);
    hBar->setValue(hBar->value() + 150);
    vBar->setValue(vBar->value() - 90);
    page->repaint();
    for (const char *command : {"miVergroessern", "miVerkleinern", "miVerkleinern", "miZoom6"}) {
        const QPointF m = ModelAt(centre);
        Trigger(*main, command);
        page->repaint();
        EXPECT_NEAR(DeviceOf(m).x(), centre.x(), 1.0) << command;
        EXPECT_NEAR(DeviceOf(m).y(), centre.y(), 1.0) << command;
    }
    EXPECT_EQ(main->Action(u"miVergroessern"_s)->shortcut(), QKeySequence(QKeySequence::ZoomIn));
    EXPECT_EQ(main->Action(u"miVerkleinern"_s)->shortcut(), QKeySequence(QKeySequence::ZoomOut));

    // Down to 75%: unscrolled, as before.
    Trigger(*main, "miZoom4");
    Trigger(*main, "miVerkleinern");
    EXPECT_EQ((std::tuple{p->Context.ScrollX, hBar->value()}), std::tuple(0, 0));

    for (int i = 0; i < 5; ++i)
        Trigger(*main, "sbZoomIn");
    EXPECT_EQ(p->Context.ZoomLevel, 7) << "800% is the last level";
    // Each page keeps its own zoom; the page buttons switch pages.
    Trigger(*main, "sbAnsichtInlayRueck");
    EXPECT_EQ((std::tuple{child->PageIndex(), child->ActivePage()->Context.ZoomLevel}), std::tuple(2, 4));
    EXPECT_TRUE(main->Action(u"miInlayRueck"_s)->isChecked());
    Trigger(*main, "sbAnsichtCDLabel");
    hBar->setValue(hBar->value() + 100);
    EXPECT_EQ(p->Context.ScrollX, hBar->value());
    Trigger(*main, "sbStandardZoom");
    EXPECT_EQ((std::tuple{p->Context.ZoomLevel, p->Context.ScrollX}), std::tuple(4, 0));
}

TEST_F(ZoomScrollTest, DragAtTheEdgeScrollsAndTheFrameFollows)
{
    Trigger(*main, "miZoom5");
    page->repaint();
    const QPoint c = page->rect().center();
    TCDLFrame *f = AddBox(ModelOf(c), 60);
    const QPoint grab = p->Context.Map(f->X + 30, f->Y + 30);
    const int x0 = f->X, bar0 = hBar->value();

    Mouse(page, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    const QPoint edge(page->width() - 2, grab.y());
    Mouse(page, QEvent::MouseMove, edge, Qt::NoButton, Qt::LeftButton);
    const int byPointer = p->Context.ModelX(edge.x()) - p->Context.ModelX(grab.x());
    // A few ticks, however busy the machine.
    QElapsedTimer t;
    t.start();
    while (hBar->value() < bar0 + 60 && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_GE(hBar->value(), bar0 + 60);
    EXPECT_GT(f->X - x0, byPointer + 20) << "the frame went on with the page";
    // It is still under the pointer.
    EXPECT_NEAR(p->Context.MapX(f->X + 30), edge.x(), 2);
    Mouse(page, QEvent::MouseButtonRelease, edge, Qt::LeftButton, Qt::NoButton);
    const int stopped = hBar->value(), x1 = f->X;
    WaitFor([] { return false; }, 4 * TPageWidget::AutoScrollInterval); // the auto-scroll timer fires
    EXPECT_EQ(hBar->value(), stopped) << "the release stops it";
    EXPECT_EQ((std::tuple{f->X, p->Modified}), std::tuple(x1, true));

    // Away from the edge nothing scrolls.
    Mouse(page, QEvent::MouseButtonPress, p->Context.Map(f->X + 30, f->Y + 30), Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseMove, c, Qt::NoButton, Qt::LeftButton);
    WaitFor([] { return false; }, 4 * TPageWidget::AutoScrollInterval);
    EXPECT_EQ((std::tuple{hBar->value(), vBar->value()}), std::tuple(stopped, 0));
    Mouse(page, QEvent::MouseButtonRelease, c, Qt::LeftButton, Qt::NoButton);
}

TEST_F(ZoomScrollTest, RubberBandKeepsItsCornerWhileThePageScrolls)
{
    Trigger(*main, "miZoom6");
    page->repaint();
    // One box in view, one below the window.
    const QPoint top = ModelOf(QPoint(page->width() / 2, page->height() / 3));
    const QPoint below = ModelOf(QPoint(page->width() / 2, page->height() + 60));
    TCDLFrame *a = AddBox(top, 30);
    TCDLFrame *b = AddBox(below, 30);
    const QPoint corner = p->Context.Map(top.x() - 40, top.y() - 40);
    Mouse(page, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    // Past the bottom edge, as when the pointer leaves the window.
    const QPoint out(p->Context.MapX(top.x() + 80), page->height() + 30);
    Mouse(page, QEvent::MouseMove, out, Qt::NoButton, Qt::LeftButton);
    QElapsedTimer t;
    t.start();
    while (p->Context.MapY(below.y() + 30) >= out.y() && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_LT(p->Context.MapY(below.y() + 30), out.y()) << "scrolled far enough";
    QPoint bandA, bandB;
    ASSERT_TRUE(child->Editor().Band(bandA, bandB));
    EXPECT_EQ(bandA, p->Context.Map(top.x() - 40, top.y() - 40)) << "the corner moved with the page";
    Mouse(page, QEvent::MouseButtonRelease, out, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(p->Selection().Count(), 2);
    EXPECT_TRUE(p->Selection().Contains(a) && p->Selection().Contains(b));
}

TEST_F(ZoomScrollTest, AScrolledViewShowsWhatAFullPaintShows)
{
    Trigger(*main, "miZoom6");
    TCDLFrame *f = AddBox(ModelOf(page->rect().center()), 40);
    const QPoint at = page->mapTo(page->window(), QPoint());
    auto shown = [&] {
        QApplication::processEvents();
        return page->screen()
            ->grabWindow(page->window()->winId(), at.x(), at.y(), page->width(), page->height())
            .toImage();
    };
    auto repainted = [&] { return page->repaint(), shown(); };
    // Only the uncovered strip is painted; a change after it shows at once.
    Wheel(page, page->rect().center(), QPoint(0, -120), Qt::ShiftModifier);
    Wheel(page, page->rect().center(), QPoint(0, 120), Qt::NoModifier);
    const QImage scrolled = shown();
    EXPECT_EQ(scrolled, repainted());
    f->X += 30;
    p->Repaint();
    const QImage changed = shown();
    EXPECT_NE(changed, scrolled);
    EXPECT_EQ(changed, repainted());
    // The band draws over the page as it was at the press; its end shows what it selected.
    const QPoint corner = page->rect().bottomRight() - QPoint(2, 2);
    Mouse(page, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseMove, corner, Qt::NoButton, Qt::LeftButton);
    shown();
    Mouse(page, QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(p->ActiveFrame(), f);
    EXPECT_EQ(shown(), repainted());
}

TEST_F(ZoomScrollTest, TheKeptLayerFollowsEveryChangeAndPaintsAsAFullPaint)
{
    ASSERT_TRUE(child->LoadFromFile(QStringLiteral(QM_TEST_DATA_DIR "/all-kinds.CDL")));
    auto shown = [&] { return page->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    auto full = [&] {
        QImage img(page->size(), QImage::Format_RGB32);
        img.fill(page->palette().window().color());
        QPainter ip(&img);
        p->PaintScreen(ip, page->size());
        return img;
    };
    p->SelectAll();
    EXPECT_EQ(shown(), full());
    p->DeselectAll();
    EXPECT_EQ(shown(), full());
    EXPECT_TRUE(page->paintedFromLayer()) << "a selection repaints the handles only";
    p->FrameAt(0)->X += 25;
    EXPECT_EQ(shown(), full()) << "a field written directly shows";
    // A guide line dragged over frames and across another line repaints the strips it leaves and enters.
    p->SnapLines.Add(p->Context.ModelX(page->width() / 2 + 1), false);
    p->SnapLines.Add(p->Context.ModelY(page->height() / 3), true);
    const int y = p->Context.MapY(p->SnapLines.Get(1).Position);
    p->Repaint();
    QApplication::processEvents();
    Mouse(page, QEvent::MouseButtonPress, QPoint(41, y), Qt::LeftButton, Qt::LeftButton);
    for (int k = 1; k <= 3; ++k) {
        Mouse(page, QEvent::MouseMove, QPoint(40, y + 37 * k), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(page->paintedFromLayer());
        EXPECT_EQ(shown(), full()) << k;
    }
    Mouse(page, QEvent::MouseButtonRelease, QPoint(40, y + 111), Qt::LeftButton, Qt::NoButton);
    p->SelectAll();
    const QImage all = shown();
    Key(page, Qt::Key_Right);
    EXPECT_NE(shown(), all);
    child->UndoLast();
    EXPECT_EQ(shown(), all) << "undo shows the page as it was";
    Wheel(page, page->rect().center(), QPoint(0, 120), Qt::ControlModifier);
    EXPECT_EQ(shown(), full());
    auto text = std::make_unique<TCDLText>(p, 0, 0);
    text->Values = QStringList{QString(MaxRecordTextBytes + 1, QLatin1Char('x'))};
    p->AddFrame(std::move(text));
    EXPECT_EQ(shown(), full()) << "a page a save refuses still shows";
}

TEST_F(ZoomScrollTest, ManyOverlappingHandlesShowAsPaintedOneByOne)
{
    for (int i = 0; i < 300; ++i) {
        TCDLFrame *f = AddRect(*p, 250 + i % 20 * 8, -60 + i / 20 * 8);
        f->Width = f->Height = 12;
    }
    // The active frame in the group as well shows its handles once.
    p->Activate(p->FrameAt(0));
    for (int i = 0; i < p->FrameCount(); ++i)
        p->AddToSelection(p->FrameAt(i));
    QImage ref(page->size(), QImage::Format_RGB32);
    ref.fill(page->palette().window().color());
    QPainter ip(&ref);
    TPagePaintOptions under = TPagePaintOptions::Screen();
    under.Handles = false;
    p->PaintScreen(ip, page->size(), under);
    TPaintContext &c = p->Context;
    c.Canvas = &ip;
    for (const TCDLFrame *f : p->Selection().Items())
        f->PaintDragPointsAt(c, p->ScreenGeometry(*f));
    c.SetPen(0, TPenMode::Copy, Qt::SolidLine, 0);
    c.SetBrush(0, true);
    p->PaintOutline(c);
    c.Canvas = nullptr;
    ip.end();
    EXPECT_EQ(page->grab().toImage().convertToFormat(QImage::Format_RGB32), ref);
}
