#include "AppFixture.h"

#include "PageEditor.h"
#include "PageWidget.h"
#include "PaintSurface.h"
#include "Ruler.h"

#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

class PageEditingTest : public OneDocumentTest
{
protected:
    bool Enabled(const char *name) const { return AppTest::Enabled(*main, name); }
};

} // namespace

TEST_F(PageEditingTest, ToolsMouseAndKeysReachThePageAndTheCommandsFollow)
{
    TCDLPage *p = child->ActivePage();
    EXPECT_FALSE(Enabled("miRueckgaengig"));
    Trigger(*main, "miRechteck");
    EXPECT_TRUE(main->Action(u"sbRechteck"_s)->isChecked());
    const QPoint c = page->rect().center();
    Click(page, c);
    ASSERT_EQ(p->FrameCount(), 1);
    TCDLFrame *f = p->FrameAt(0);
    EXPECT_EQ((std::tuple{p->ActiveFrame(), main->Action(u"sbEdit"_s)->isChecked()}), std::tuple(f, true));
    EXPECT_EQ((std::tuple{Enabled("sbUndo"), Status(*main).isEmpty()}), std::tuple(true, false));
    // What the mouse made active, the commands act on.
    const char *const onSelection[] = {"miKopieren", "miAusschneiden", "miLoeschen", "sbVordergrund"};
    for (const char *n : onSelection)
        EXPECT_TRUE(Enabled(n)) << n;
    Click(page, c + QPoint(300, 250));
    ASSERT_EQ(p->ActiveFrame(), nullptr);
    for (const char *n : onSelection)
        EXPECT_FALSE(Enabled(n)) << n << " with nothing selected";
    // Undo enables by page: the other pages have nothing to undo.
    Trigger(*main, "miInlayVorder");
    EXPECT_FALSE(Enabled("miRueckgaengig"));
    Trigger(*main, "miCDLabel");

    const QPoint inside = c + QPoint(20, 20);
    Click(page, inside);
    ASSERT_EQ(p->ActiveFrame(), f);
    page->repaint();
    const QPoint right = f->ModelHandles()[5];
    Mouse(page, QEvent::MouseMove, p->Context.Map(right.x(), right.y()), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(page->cursor().shape(), Qt::SizeAllCursor) << "over a handle of the active frame";
    Mouse(page, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(page->cursor().shape(), Qt::ArrowCursor);

    // A drag paints the outline over the cached page, then the page again.
    const QPoint x0(f->X, f->Y);
    Mouse(page, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    Mouse(page, QEvent::MouseMove, inside + QPoint(30, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(child->Editor().Dragging());
    page->repaint();
    Mouse(page, QEvent::MouseButtonRelease, inside + QPoint(30, 0), Qt::LeftButton, Qt::NoButton);
    page->repaint();
    EXPECT_GT(f->X, x0.x());
    EXPECT_EQ((std::tuple{f->Y, f->State()}), std::tuple(x0.y(), TFrameState::Selected));

    // Arrow keys; a command between two of them makes them two undo steps.
    page->setFocus();
    const int x1 = f->X;
    Key(page, Qt::Key_Left);
    EXPECT_EQ(f->X, x1 - 40);
    Trigger(*main, "sbZoomIn");
    Key(page, Qt::Key_Left);
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ(f->X, x1 - 40);

    // A second frame; Tab, and Shift+Tab whose Shift comes off first (its
    // release is plain Tab), step through them; Del deletes.
    Trigger(*main, "sbKreis");
    Click(page, QPoint(30, 30));
    ASSERT_EQ(p->FrameCount(), 2);
    Key(page, Qt::Key_Tab);
    EXPECT_EQ(p->ActiveFrame(), f);
    Key(page, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    Key(page, QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    Key(page, QEvent::KeyRelease, Qt::Key_Shift);
    Key(page, QEvent::KeyRelease, Qt::Key_Tab);
    EXPECT_EQ(p->ActiveFrame(), p->FrameAt(1));
    Key(page, Qt::Key_Delete);
    EXPECT_EQ((std::tuple{p->FrameCount(), p->ActiveFrame()}), std::tuple(1, nullptr));
    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ((std::tuple{p->FrameCount(), p->ActiveFrame()}), std::tuple(2, p->FrameAt(1)));
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
    EXPECT_EQ((std::tuple{p->Selection().Count(), Status(*main)}), std::tuple(3, u"3  Objekte ausgewählt"_s));
    Trigger(*main, "miMarkierungAufheben");
    EXPECT_EQ((std::tuple{p->Selection().IsEmpty(), p->ActiveFrame()}), std::tuple(true, nullptr));

    // A band around the upper two.
    page->repaint();
    Drag(page, p->Context.Map(-400, -300), p->Context.Map(300, 0));
    EXPECT_EQ(p->Selection().Count(), 2);
    page->repaint();
    Trigger(*main, "miMarkierungUmkehren");
    EXPECT_EQ((std::tuple{p->ActiveFrame(), p->Selection().IsEmpty()}), std::tuple(p->FrameAt(2), true));
}

TEST_F(PageEditingTest, FramesInEveryQuarterArePaintedAndHitAtEveryDisplayScale)
{
    TCDLPage *p = child->ActivePage();
    for (const QPoint at : {QPoint(-450, -400), QPoint(250, -400), QPoint(-450, 300), QPoint(250, 300)}) {
        TCDLFrame *f = AddRect(*p, at.x(), at.y());
        f->FillColor = RGBColor(255, 0, 0);
        f->NoFill = false;
    }
    for (const double ratio : {1.5, 2.0}) {
        QImage image = RatioImage(page->size(), ratio, QImage::Format_RGB32);
        page->render(&image);
        for (int i = 0; i < p->FrameCount(); ++i) {
            const TRect b = p->FrameAt(i)->GetBoundRect();
            const QPoint centre = p->Context.Map((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
            EXPECT_EQ(image.pixelColor(centre * ratio), QColor(Qt::red)) << ratio << " frame " << i;
            Click(page, centre);
            EXPECT_EQ(p->ActiveFrame(), p->FrameAt(i)) << ratio << " frame " << i;
        }
    }
}

TEST_F(PageEditingTest, RulersMarkThePointerAndGiveAGuideLineMovedOnThePageAndDroppedBack)
{
    TRuler *h = child->HRuler();
    Mouse(page, QEvent::MouseMove, QPoint(50, 60), Qt::NoButton, Qt::NoButton);
    EXPECT_GE(h->Mark(), 50);
    EXPECT_GE(child->VRuler()->Mark(), 60);
    EXPECT_FALSE(main->findChild<QLabel *>(u"AktPos"_s)->text().isEmpty());

    const QPoint inRuler = h->mapFromGlobal(page->mapToGlobal(QPoint(80, 120)));
    for (int i = 0; i < 2; ++i) {
        Mouse(h, QEvent::MouseButtonPress, QPoint(inRuler.x(), 5), Qt::LeftButton, Qt::LeftButton);
        Mouse(h, QEvent::MouseButtonRelease, inRuler, Qt::LeftButton, Qt::NoButton);
    }
    TCDLPage *p = child->ActivePage();
    ASSERT_EQ(p->SnapLines.Count(), 1) << "the second line on the same place is not added";
    EXPECT_EQ((std::tuple{p->SnapLines.Get(0).Horizontal, p->SnapLines.Get(0).Position, p->Modified}),
              std::tuple(true, p->Context.ModelY(120), true));

    Drag(page, QPoint(200, 121), QPoint(200, 200));
    ASSERT_EQ(p->SnapLines.Count(), 1);
    EXPECT_EQ(p->SnapLines.Get(0).Position, p->Context.ModelY(200));
    // Up onto the top ruler: the pointer leaves the page at negative y.
    Drag(page, QPoint(200, 200), QPoint(200, -8));
    EXPECT_EQ(p->SnapLines.Count(), 0);
}

TEST_F(PageEditingTest, RedoSitsAfterUndoAndFollowsTheShownPage)
{
    const QList<QAction *> items = main->findChild<QMenu *>(u"miBearbeiten"_s)->actions();
    const qsizetype undoAt = items.indexOf(main->Action(u"miRueckgaengig"_s));
    ASSERT_GE(undoAt, 0);
    ASSERT_LT(undoAt + 1, items.size());
    EXPECT_EQ(items[undoAt + 1]->objectName(), u"miRedo"_s);
    const QList<QKeySequence> keys = main->Action(u"miRedo"_s)->shortcuts();
    EXPECT_TRUE(keys.contains(QKeySequence(u"Ctrl+Y"_s)));
    EXPECT_TRUE(keys.contains(QKeySequence(u"Ctrl+Shift+Z"_s)));
    EXPECT_NE(main->findChild<QToolBar *>(u"Symbolleiste"_s)->findChild<QWidget *>(u"sbRedo"_s), nullptr);
    const char *const words[] = {"Wiederherstellen", "Redo", "Rétablir", "Rehacer"};
    for (int lang = 4; lang >= 1; --lang) {
        main->SetLanguage(lang);
        EXPECT_EQ(main->Action(u"miRedo"_s)->text().remove(u'&'), QString::fromUtf8(words[lang - 1]));
    }
    EXPECT_EQ((std::tuple{Enabled("miRedo"), Enabled("sbRedo")}), std::tuple(false, false));

    // A frame, then two arrow keys: two undo steps, not three.
    TCDLPage *p = child->ActivePage();
    Trigger(*main, "sbRechteck");
    Click(page, page->rect().center());
    TCDLFrame *f = p->FrameAt(0);
    const QPoint made(f->X, f->Y);
    Key(page, Qt::Key_Left);
    Key(page, Qt::Key_Left);
    const QPoint nudged(f->X, f->Y);
    ASSERT_EQ(nudged, made - QPoint(80, 0));
    EXPECT_FALSE(Enabled("miRedo"));

    Trigger(*main, "miRueckgaengig");
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), Enabled("miRedo"), Enabled("sbRedo")}), std::tuple(made, true, true));
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
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), Enabled("miRedo"), Enabled("miRueckgaengig")}),
              std::tuple(nudged, false, true));

    // A new change ends what could be redone.
    Trigger(*main, "miRueckgaengig");
    EXPECT_TRUE(Enabled("miRedo"));
    Key(page, Qt::Key_Up);
    EXPECT_EQ((std::tuple{Enabled("miRedo"), Enabled("sbRedo")}), std::tuple(false, false));
}
