// The page widget in a document window: tool buttons, mouse and keys on the
// page control, pointer shapes, and the undo and selection commands'
// enabled states.

#include "AppFixture.h"

#include "PageEditor.h"
#include "PageWidget.h"
#include "Ruler.h"

#include <QKeyEvent>
#include <QMenu>
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

class PageEditingTest : public OneDocumentTest
{
protected:
    bool Enabled(const char *name) const { return main->Action(QLatin1String(name))->isEnabled(); }
    // A rectangle of the default size by a click with its tool; the click point.
    QPoint ClickRectangleAtCentre()
    {
        Trigger(*main, "sbRechteck");
        const QPoint c = page->rect().center();
        Mouse(page, QEvent::MouseButtonPress, c, Qt::LeftButton, Qt::LeftButton);
        Mouse(page, QEvent::MouseButtonRelease, c, Qt::LeftButton, Qt::NoButton);
        return c;
    }
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
    EXPECT_EQ(p->ActiveFrame(), p->FrameAt(0));
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
    ASSERT_EQ(p->ActiveFrame(), nullptr);
    for (const char *n : {"miKopieren", "miAusschneiden", "miLoeschen", "sbVordergrund"})
        EXPECT_FALSE(Enabled(n)) << n << " with nothing selected";
    const QPoint inside = c + QPoint(20, 20);
    Mouse(page, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(p->ActiveFrame(), p->FrameAt(0));
    EXPECT_TRUE(Enabled("miKopieren"));

    // Undo enables by page: the other pages have nothing to undo.
    Trigger(*main, "miInlayVorder");
    EXPECT_FALSE(Enabled("miRueckgaengig"));
    Trigger(*main, "miCDLabel");
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(p->FrameCount(), 0);
    EXPECT_EQ(p->ActiveFrame(), nullptr);
    EXPECT_FALSE(Enabled("sbUndo"));
}

TEST_F(PageEditingTest, DragMovesWithCachedBackgroundAndKeysNudgeTabAndDelete)
{
    TCDLPage *p = child->ActivePage();
    const QPoint c = ClickRectangleAtCentre();
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
    EXPECT_EQ(f->State(), TFrameState::Selected);

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
    EXPECT_EQ(p->ActiveFrame(), f);

    Key(page, QEvent::KeyPress, Qt::Key_Delete);
    EXPECT_EQ(p->FrameCount(), 1);
    EXPECT_EQ(p->ActiveFrame(), nullptr);
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(p->FrameCount(), 2);
    EXPECT_EQ(p->ActiveFrame(), p->FrameAt(1));
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
    EXPECT_EQ(p->Selection().Count(), 3);
    EXPECT_EQ(main->findChild<QLabel *>(QStringLiteral("Statuszeile"))->text(),
              QStringLiteral("3  Objekte ausgewählt"));
    Trigger(*main, "miMarkierungAufheben");
    EXPECT_TRUE(p->Selection().IsEmpty());
    EXPECT_EQ(p->ActiveFrame(), nullptr);

    // A band around the upper two.
    page->repaint();
    Drag(page, p->Context.Map(-400, -300), p->Context.Map(300, 0));
    EXPECT_EQ(p->Selection().Count(), 2);
    page->repaint();
    Trigger(*main, "miMarkierungUmkehren");
    EXPECT_EQ(p->ActiveFrame(), p->FrameAt(2));
    EXPECT_TRUE(p->Selection().IsEmpty());
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

TEST_F(PageEditingTest, RedoSitsAfterUndoAndFollowsTheShownPage)
{
    const QList<QAction *> items = main->findChild<QMenu *>(QStringLiteral("miBearbeiten"))->actions();
    const qsizetype undoAt = items.indexOf(main->Action(QStringLiteral("miRueckgaengig")));
    ASSERT_GE(undoAt, 0);
    ASSERT_LT(undoAt + 1, items.size());
    EXPECT_EQ(items[undoAt + 1]->objectName(), QStringLiteral("miRedo"));
    const QList<QKeySequence> keys = main->Action(QStringLiteral("miRedo"))->shortcuts();
    EXPECT_TRUE(keys.contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    EXPECT_TRUE(keys.contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
    EXPECT_NE(
        main->findChild<QToolBar *>(QStringLiteral("Symbolleiste"))->findChild<QWidget *>(QStringLiteral("sbRedo")),
        nullptr);
    const char *const words[] = {"Wiederherstellen", "Redo", "Rétablir", "Rehacer"};
    for (int lang = 1; lang <= 4; ++lang) {
        SetLanguageState(lang);
        main->SetupStrings();
        EXPECT_EQ(main->Action(QStringLiteral("miRedo"))->text(), QString::fromUtf8(words[lang - 1]));
    }
    SetLanguageState(1);
    main->SetupStrings();
    EXPECT_FALSE(Enabled("miRedo"));
    EXPECT_FALSE(Enabled("sbRedo"));

    // A frame, then two arrow keys: two undo steps, not three.
    TCDLPage *p = child->ActivePage();
    ClickRectangleAtCentre();
    TCDLFrame *f = p->FrameAt(0);
    const QPoint made(f->X, f->Y);
    for (int i = 0; i < 2; ++i) {
        Key(page, QEvent::KeyPress, Qt::Key_Left);
        Key(page, QEvent::KeyRelease, Qt::Key_Left);
    }
    const QPoint nudged(f->X, f->Y);
    ASSERT_EQ(nudged, made - QPoint(80, 0));
    EXPECT_FALSE(Enabled("miRedo"));

    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(QPoint(f->X, f->Y), made);
    EXPECT_TRUE(Enabled("miRedo"));
    EXPECT_TRUE(Enabled("sbRedo"));
    // Redo enables by page, as undo does.
    Trigger(*main, "miInlayVorder");
    EXPECT_FALSE(Enabled("miRedo"));
    Trigger(*main, "miCDLabel");
    EXPECT_TRUE(Enabled("miRedo"));
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(p->FrameCount(), 0);

    Trigger(*main, "miRedo");
    ASSERT_EQ(p->FrameCount(), 1);
    f = p->FrameAt(0);
    EXPECT_EQ(QPoint(f->X, f->Y), made);
    Trigger(*main, "sbRedo");
    EXPECT_EQ(QPoint(f->X, f->Y), nudged);
    EXPECT_FALSE(Enabled("miRedo"));
    EXPECT_TRUE(Enabled("miRueckgaengig"));

    // A new change ends what could be redone.
    Trigger(*main, "miRueckgaengig");
    EXPECT_TRUE(Enabled("miRedo"));
    page->setFocus();
    Key(page, QEvent::KeyPress, Qt::Key_Up);
    Key(page, QEvent::KeyRelease, Qt::Key_Up);
    EXPECT_FALSE(Enabled("miRedo"));
    EXPECT_FALSE(Enabled("sbRedo"));
}

TEST_F(PageEditingTest, ShiftTabStepsBackEvenWhenShiftComesOffFirst)
{
    TCDLPage *p = child->ActivePage();
    for (QPoint at : {QPoint(-300, -200), QPoint(100, -200), QPoint(-300, 150)}) {
        Trigger(*main, "sbRechteck");
        page->repaint();
        const QPoint d = p->Context.Map(at.x(), at.y());
        Drag(page, d, d + QPoint(40, 40));
    }
    ASSERT_EQ(p->ActiveFrame(), p->FrameAt(2));
    page->setFocus();
    // Shift+Tab comes as Backtab; with Shift let go, its release is plain Tab.
    Key(page, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    Key(page, QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    Key(page, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    Key(page, QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(p->ActiveFrame(), p->FrameAt(1));
}

TEST_F(PageEditingTest, ACommandBetweenArrowKeysMakesThemTwoUndoSteps)
{
    TCDLPage *p = child->ActivePage();
    ClickRectangleAtCentre();
    TCDLFrame *f = p->FrameAt(0);
    page->setFocus();
    Key(page, QEvent::KeyPress, Qt::Key_Right);
    Key(page, QEvent::KeyRelease, Qt::Key_Right);
    const QPoint once(f->X, f->Y);
    Trigger(*main, "sbZoomIn");
    Key(page, QEvent::KeyPress, Qt::Key_Right);
    Key(page, QEvent::KeyRelease, Qt::Key_Right);
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(QPoint(f->X, f->Y), once);
}
