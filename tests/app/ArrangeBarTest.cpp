// The arrange tool bar and menu on the shown page: enabled by the selection,
// buttons and menu items reaching the page's commands.

#include "AppFixture.h"
#include "Shapes.h"

#include <QToolButton>

TEST_F(AppTest, ArrangeCommandsFollowTheSelectionAndActOnTheShownPage)
{
    TMDIForm m;
    m.show();
    TChildWin *c = m.New();
    c->ShowPage(1);
    TCDLPage &page = *c->ActivePage();
    TCDLFrame *f[3];
    for (int i = 0; i < 3; ++i) {
        auto box = std::make_unique<TCDLRechteck>(&page, i * 100 - 300, i * 50);
        box->SetDefaults();
        f[i] = box.get();
        page.AddFrame(std::move(box));
    }
    auto *left =
        m.findChild<QToolBar *>(QStringLiteral("Anordnenleiste"))->findChild<QToolButton *>(QStringLiteral("sbOLeft"));
    ASSERT_TRUE(left);
    EXPECT_FALSE(left->isEnabled());

    page.Selection.Add(f[1]);
    page.Selection.Add(f[2]);
    EXPECT_TRUE(left->isEnabled());
    EXPECT_FALSE(m.Action(QStringLiteral("sbOHorizontal"))->isEnabled()) << "spreading needs three";
    left->click();
    Process();
    EXPECT_EQ(f[2]->X, -200);
    EXPECT_TRUE(c->Document().Modified());

    // Tag 7 centres on a vertical axis though its item follows tag 8's.
    page.Selection.Add(f[0]);
    Trigger(m, "miCenterV");
    EXPECT_EQ(f[0]->X, -250);
    EXPECT_EQ(f[0]->Y, 0);
    c->ShowPage(0);
    EXPECT_FALSE(left->isEnabled()) << "the other page has no selection";
    c->ShowPage(1);

    page.Selection.Clear();
    page.ActiveFrame = f[2];
    m.CommandStatesChanged();
    Trigger(m, "miBottomMost");
    Trigger(m, "sbVordergrund");
    EXPECT_EQ(page.FrameAt(1), f[2]);
    EXPECT_EQ(page.ActiveFrame, f[2]);
}
