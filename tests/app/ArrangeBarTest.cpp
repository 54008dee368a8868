#include "AppFixture.h"
#include "PageEditor.h"

#include <QToolButton>

using namespace Qt::StringLiterals;

TEST_F(OneDocumentTest, ArrangeCommandsFollowTheSelectionAndActOnTheShownPage)
{
    TMDIForm &m = *main;
    TChildWin *c = child;
    c->ShowPage(1);
    TCDLPage &page = *c->ActivePage();
    TCDLFrame *f[3];
    for (int i = 0; i < 3; ++i)
        f[i] = AddRect(page, i * 100 - 300, i * 50);
    auto *left = m.findChild<QToolBar *>(u"Anordnenleiste"_s)->findChild<QToolButton *>(u"sbOLeft"_s);
    ASSERT_TRUE(left);
    EXPECT_FALSE(left->isEnabled());

    page.AddToSelection(f[1], true);
    page.AddToSelection(f[2], true);
    EXPECT_TRUE(left->isEnabled());
    EXPECT_FALSE(m.Action(u"sbOHorizontal"_s)->isEnabled()) << "spreading needs three";
    left->click();
    Process();
    EXPECT_EQ((std::tuple{f[2]->X, c->Document().Modified()}), std::tuple(-200, true));

    // Every command on three boxes of one size, unevenly placed; the
    // centring and spreading tags cross their modes.
    struct TAlignCase
    {
        const char *Item;
        std::vector<QPoint> Places;
    };
    const QPoint start[] = {{-300, 0}, {-200, 50}, {-50, 150}};
    const TAlignCase cases[] = {
        {"miSetLeft", {{-300, 0}, {-300, 50}, {-300, 150}}}, {"miSetRight", {{-50, 0}, {-50, 50}, {-50, 150}}},
        {"miSetTop", {{-300, 0}, {-200, 0}, {-50, 0}}},      {"miSetBottom", {{-300, 150}, {-200, 150}, {-50, 150}}},
        {"miCenterH", {{-300, 75}, {-200, 75}, {-50, 75}}},  {"miCenterV", {{-175, 0}, {-175, 50}, {-175, 150}}},
        {"miSetH", {{-300, 0}, {-175, 50}, {-50, 150}}},     {"miSetV", {{-300, 0}, {-200, 75}, {-50, 150}}},
    };
    page.AddToSelection(f[0], true);
    for (const TAlignCase &a : cases) {
        for (int i = 0; i < 3; ++i) {
            f[i]->X = start[i].x();
            f[i]->Y = start[i].y();
        }
        Trigger(m, a.Item);
        EXPECT_EQ((std::vector<QPoint>{{f[0]->X, f[0]->Y}, {f[1]->X, f[1]->Y}, {f[2]->X, f[2]->Y}}), a.Places)
            << a.Item;
    }
    page.AnnounceSelection();
    c->ShowPage(0);
    EXPECT_FALSE(left->isEnabled()) << "the other page has no selection";
    EXPECT_EQ(Status(m), QString()) << "nor a status line";
    c->ShowPage(1);
    EXPECT_EQ(Status(m), page.Selection().Describe());

    page.ClearGroup();
    page.Activate(f[2]);
    m.CommandStatesChanged();
    Trigger(m, "miBottomMost");
    Trigger(m, "sbVordergrund");
    EXPECT_EQ((std::tuple{page.FrameAt(1), page.ActiveFrame()}), std::tuple(f[2], f[2]));
}

namespace {

std::vector<QPoint> Places(const TCDLPage &page)
{
    std::vector<QPoint> r;
    for (int i = 0; i < page.FrameCount(); ++i)
        r.emplace_back(page.FrameAt(i)->X, page.FrameAt(i)->Y);
    return r;
}

} // namespace

TEST_F(OneDocumentTest, ArrangeAndRestackEndAHeldDragBeforeTheyAct)
{
    TMDIForm &m = *main;
    TChildWin *c = child;
    TPageWidget *w = page;
    TCDLPage &page = *c->ActivePage();
    TCDLFrame *a = AddRect(page, -300, -200), *b = AddRect(page, 100, 0);
    w->repaint();
    const std::vector<QPoint> start = Places(page);

    // A group move still held when the align command comes (a menu opened
    // from the keyboard keeps the page's press).
    Trigger(m, "miAllesMarkieren");
    const QPoint grab = page.Context.Map(a->X + 50, a->Y + 50);
    Mouse(w, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, grab + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(c->Editor().Dragging());
    const std::vector<QPoint> dropped = Places(page);
    ASSERT_NE(dropped, start);
    Trigger(m, "sbOTop");
    EXPECT_EQ((std::tuple{c->Editor().State().MouseState, a->State(), b->State(), a->Y}),
              std::tuple(TMouseState::Idle, TFrameState::Selected, TFrameState::Selected, b->Y));
    const std::vector<QPoint> aligned = Places(page);
    // The rest of the drag has nothing left to move.
    Mouse(w, QEvent::MouseMove, grab + QPoint(90, 60), Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, grab + QPoint(90, 60), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Places(page), aligned);
    EXPECT_EQ(page.Undo.Snapshots.Count(), 2) << "the drag's and the align's";
    Trigger(m, "miRueckgaengig");
    EXPECT_EQ(Places(page), dropped);
    Trigger(m, "miRueckgaengig");
    EXPECT_EQ(Places(page), start);

    // The active frame dragged when it is sent to the front.
    Trigger(m, "miMarkierungAufheben");
    w->repaint();
    const QPoint onA = page.Context.Map(a->X + 50, a->Y + 50);
    Mouse(w, QEvent::MouseButtonPress, onA, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, onA + QPoint(0, 25), Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(page.ActiveFrame(), a);
    ASSERT_TRUE(c->Editor().Dragging());
    const std::vector<QPoint> moved = Places(page);
    Trigger(m, "miTopMost");
    EXPECT_EQ((std::tuple{c->Editor().State().MouseState, a->State(), page.FrameAt(1)}),
              std::tuple(TMouseState::Idle, TFrameState::Selected, a));
    Mouse(w, QEvent::MouseButtonRelease, onA + QPoint(0, 50), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(QPoint(a->X, a->Y), moved[0]);
    Trigger(m, "sbUndo");
    EXPECT_EQ(page.FrameAt(0), a) << "back to the bottom";
    EXPECT_EQ(QPoint(a->X, a->Y), moved[0]);
    Trigger(m, "sbUndo");
    EXPECT_EQ(QPoint(a->X, a->Y), start[0]);
}
