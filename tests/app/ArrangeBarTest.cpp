// The arrange tool bar and menu on a shown page: enabled by the selection,
// buttons and menu items reaching the page's commands.

#include "AppFixture.h"
#include "Shapes.h"

#include <QToolButton>

namespace {

TCDLFrame *AddBox(TCDLPage &p, int x, int y)
{
    auto f = std::make_unique<TCDLRechteck>(&p, x, y);
    f->SetDefaults();
    TCDLFrame *raw = f.get();
    p.AddFrame(std::move(f));
    return raw;
}

} // namespace

TEST_F(AppTest, ArrangeButtonsFollowTheSelectionAndAlignTheShownPage)
{
    TMDIForm m;
    m.show();
    TChildWin *c = m.New();
    c->ShowPage(1);
    TCDLPage &page = *c->ActivePage();
    TCDLFrame *a = AddBox(page, -300, -200), *b = AddBox(page, 100, 40), *d = AddBox(page, 0, 300);
    auto *bar = m.findChild<QToolBar *>(QStringLiteral("Anordnenleiste"));
    auto *left = bar->findChild<QToolButton *>(QStringLiteral("sbOLeft"));
    ASSERT_TRUE(left);
    EXPECT_FALSE(left->isEnabled());
    EXPECT_FALSE(m.Action(QStringLiteral("sbSendToBackMost"))->isEnabled());

    page.Selection.Add(a);
    page.Selection.Add(b);
    Process();
    EXPECT_TRUE(left->isEnabled());
    EXPECT_TRUE(m.Action(QStringLiteral("miCenterV"))->isEnabled());
    EXPECT_FALSE(m.Action(QStringLiteral("sbOHorizontal"))->isEnabled()) << "spreading needs three";
    left->click();
    Process();
    EXPECT_EQ(b->X, -300);
    EXPECT_TRUE(c->Document().Modified());
    EXPECT_TRUE(page.Undo.CanUndo());

    // Tag 7 is "centre on a vertical axis" though it follows tag 8.
    page.Selection.Add(d);
    Process();
    EXPECT_TRUE(m.Action(QStringLiteral("sbOHorizontal"))->isEnabled());
    Trigger(m, "miCenterV");
    EXPECT_EQ(a->X, -150);
    EXPECT_EQ(d->X, -150);
    EXPECT_EQ(a->Y, -200) << "no vertical move";

    // Another page has no selection: the buttons follow the shown one.
    c->ShowPage(0);
    EXPECT_FALSE(left->isEnabled());
    c->ShowPage(1);
    EXPECT_TRUE(left->isEnabled());
}

TEST_F(AppTest, ZOrderCommandsActOnTheActiveFrame)
{
    TMDIForm m;
    m.show();
    TChildWin *c = m.New();
    TCDLPage &page = *c->ActivePage();
    AddBox(page, 0, 0);
    TCDLFrame *top = AddBox(page, 10, 10);
    page.ActiveFrame = top;
    m.CommandStatesChanged();
    ASSERT_TRUE(m.Action(QStringLiteral("miBottomMost"))->isEnabled());
    Trigger(m, "miBottomMost");
    EXPECT_EQ(page.FrameAt(0), top);
    Trigger(m, "sbVordergrund");
    EXPECT_EQ(page.FrameAt(1), top);
    EXPECT_EQ(page.ActiveFrame, top);
    EXPECT_TRUE(c->Document().Modified());
}
