// The page widget in a document window: tool buttons, mouse and keys on the
// page control, pointer shapes, and the undo and selection commands'
// enabled states.

#include "AppFixture.h"

#include "PageEditor.h"
#include "PageWidget.h"
#include "Ruler.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

void Mouse(QWidget *w, QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held,
           Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), b, held, m);
    QApplication::sendEvent(w, &e);
}

void Drag(QWidget *w, QPoint from, QPoint to)
{
    Mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void Key(QWidget *w, QEvent::Type t, int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString &text = {})
{
    QKeyEvent e(t, key, m, text);
    QApplication::sendEvent(w, &e);
}

class PageEditingTest : public AppTest
{
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        main = std::make_unique<TMDIForm>();
        main->resize(1000, 800);
        main->show();
        child = main->New();
        child->parentWidget()->showMaximized();
        Process();
        page = main->findChild<TPageWidget *>(QStringLiteral("pnlCDLabel"));
    }
    void TearDown() override
    {
        for (TChildWin *c : main->Children())
            c->Closing = true;
        main.reset();
        AppTest::TearDown();
    }
    bool Enabled(const char *name) const { return main->Action(QLatin1String(name))->isEnabled(); }

    std::unique_ptr<TMDIForm> main;
    TChildWin *child = nullptr;
    TPageWidget *page = nullptr;
};

} // namespace

TEST_F(PageEditingTest, ToolButtonsCreateAndTheEditToolComesBack)
{
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(main->Action(QStringLiteral("sbEdit"))->isChecked());
    for (const char *n : {"sbBild", "sbScan", "sbDIR", "miGrafik", "miScan", "miVerzeichnis"})
        EXPECT_FALSE(Enabled(n)) << n;
    EXPECT_FALSE(Enabled("miRueckgaengig"));
    EXPECT_FALSE(Enabled("sbUndo"));

    Trigger(*main, "miRechteck");
    EXPECT_TRUE(main->Action(QStringLiteral("sbRechteck"))->isChecked());
    const QPoint c = page->rect().center();
    Mouse(page, QEvent::MouseButtonPress, c, Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, c, Qt::LeftButton, Qt::NoButton);
    TCDLPage *p = child->ActivePage();
    ASSERT_EQ(p->FrameCount(), 1);
    EXPECT_EQ(p->FrameAt(0)->Width, 400);
    EXPECT_EQ(p->ActiveFrame, p->FrameAt(0));
    EXPECT_TRUE(main->Action(QStringLiteral("sbEdit"))->isChecked());
    EXPECT_TRUE(Enabled("miRueckgaengig"));
    EXPECT_TRUE(Enabled("sbUndo"));
    EXPECT_FALSE(main->findChild<QLabel *>(QStringLiteral("Statuszeile"))->text().isEmpty());
    // What the mouse made active, the commands act on.
    for (const char *n : {"miKopieren", "miAusschneiden", "miLoeschen", "sbVordergrund"})
        EXPECT_TRUE(Enabled(n)) << n;
    const QPoint away = c + QPoint(300, 250);
    Mouse(page, QEvent::MouseButtonPress, away, Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, away, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(p->ActiveFrame, nullptr);
    for (const char *n : {"miKopieren", "miAusschneiden", "miLoeschen", "sbVordergrund"})
        EXPECT_FALSE(Enabled(n)) << n << " with nothing selected";
    const QPoint inside = c + QPoint(20, 20);
    Mouse(page, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(p->ActiveFrame, p->FrameAt(0));
    EXPECT_TRUE(Enabled("miKopieren"));

    // Undo enables by page: the other pages have nothing to undo.
    Trigger(*main, "miInlayVorder");
    EXPECT_FALSE(Enabled("miRueckgaengig"));
    Trigger(*main, "miCDLabel");
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(p->FrameCount(), 0);
    EXPECT_EQ(p->ActiveFrame, nullptr);
    EXPECT_FALSE(Enabled("sbUndo"));
}

TEST_F(PageEditingTest, DragMovesWithCachedBackgroundAndKeysNudgeTabAndDelete)
{
    TCDLPage *p = child->ActivePage();
    Trigger(*main, "sbRechteck");
    const QPoint c = page->rect().center();
    Mouse(page, QEvent::MouseButtonPress, c, Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, c, Qt::LeftButton, Qt::NoButton);
    TCDLFrame *f = p->FrameAt(0);
    page->repaint();
    Mouse(page, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(page->cursor().shape(), Qt::ArrowCursor);
    const QPoint right = f->ModelHandles()[5];
    Mouse(page, QEvent::MouseMove, p->Context.Map(right.x(), right.y()), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(page->cursor().shape(), Qt::SizeAllCursor) << "over a handle of the active frame";

    // A drag paints the outline over the cached page, then the page again.
    const QPoint x0(f->X, f->Y);
    const QPoint inside = c + QPoint(20, 20);
    Mouse(page, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseMove, inside + QPoint(30, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(child->Editor().Dragging());
    page->repaint();
    Mouse(page, QEvent::MouseButtonRelease, inside + QPoint(30, 0), Qt::LeftButton, Qt::NoButton);
    page->repaint();
    EXPECT_GT(f->X, x0.x());
    EXPECT_EQ(f->Y, x0.y());
    EXPECT_EQ(f->State, 1);

    page->setFocus();
    const int x1 = f->X;
    Key(page, QEvent::KeyPress, Qt::Key_Left);
    Key(page, QEvent::KeyRelease, Qt::Key_Left);
    EXPECT_EQ(f->X, x1 - 40);

    // A second frame, then Tab back to the first.
    Trigger(*main, "sbKreis");
    Mouse(page, QEvent::MouseButtonPress, QPoint(30, 30), Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(p->FrameCount(), 2);
    Key(page, QEvent::KeyPress, Qt::Key_Tab);
    Key(page, QEvent::KeyRelease, Qt::Key_Tab);
    EXPECT_EQ(p->ActiveFrame, f);

    Key(page, QEvent::KeyPress, Qt::Key_Delete);
    EXPECT_EQ(p->FrameCount(), 1);
    EXPECT_EQ(p->ActiveFrame, nullptr);
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(p->FrameCount(), 2);
    EXPECT_EQ(p->ActiveFrame, p->FrameAt(1));
}

TEST_F(PageEditingTest, SelectionMenuItemsAndRubberBand)
{
    TCDLPage *p = child->ActivePage();
    for (QPoint at : {QPoint(-300, -200), QPoint(100, -200), QPoint(-300, 150)}) {
        Trigger(*main, "sbRechteck");
        page->repaint();
        const QPoint d = p->Context.Map(at.x(), at.y());
        Drag(page, d, d + QPoint(40, 40));
    }
    ASSERT_EQ(p->FrameCount(), 3);
    Trigger(*main, "miAllesMarkieren");
    EXPECT_EQ(p->Selection.Count(), 3);
    EXPECT_EQ(main->findChild<QLabel *>(QStringLiteral("Statuszeile"))->text(),
              QStringLiteral("3  Objekte ausgewählt"));
    Trigger(*main, "miMarkierungAufheben");
    EXPECT_TRUE(p->Selection.IsEmpty());
    EXPECT_EQ(p->ActiveFrame, nullptr);

    // A band around the upper two.
    page->repaint();
    Drag(page, p->Context.Map(-400, -300), p->Context.Map(300, 0));
    EXPECT_EQ(p->Selection.Count(), 2);
    page->repaint();
    Trigger(*main, "miMarkierungUmkehren");
    EXPECT_EQ(p->ActiveFrame, p->FrameAt(2));
    EXPECT_TRUE(p->Selection.IsEmpty());
}

TEST_F(PageEditingTest, GuideLineFromRulerOnceMovedOnThePageAndDroppedBackOntoIt)
{
    TRuler *h = child->HRuler();
    const QPoint inRuler = h->mapFromGlobal(page->mapToGlobal(QPoint(80, 120)));
    for (int i = 0; i < 2; ++i) {
        Mouse(h, QEvent::MouseButtonPress, QPoint(inRuler.x(), 5), Qt::LeftButton, Qt::LeftButton);
        Mouse(h, QEvent::MouseButtonRelease, inRuler, Qt::LeftButton, Qt::NoButton);
    }
    TCDLPage *p = child->ActivePage();
    ASSERT_EQ(p->SnapLines.Count(), 1) << "the second line on the same place is not added";

    Mouse(page, QEvent::MouseButtonPress, QPoint(200, 121), Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseMove, QPoint(200, 200), Qt::NoButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, QPoint(200, 200), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(p->SnapLines.Count(), 1);
    EXPECT_EQ(p->SnapLines.Get(0).Position, p->Context.ModelY(200));

    // Up onto the top ruler: the pointer leaves the page at negative y.
    Mouse(page, QEvent::MouseButtonPress, QPoint(200, 200), Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseMove, QPoint(200, -8), Qt::NoButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, QPoint(200, -8), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(p->SnapLines.Count(), 0);
}
