// The property panels in the main window's roll-up windows: what the active
// document's shown frame puts there, the focus of a new text frame, and
// nothing left behind when the document goes.

#include "AppFixture.h"

#include "Page.h"
#include "RollUpContainer.h"
#include "Rollup.h"
#include "Text.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace {

class PanelsWindowTest : public OneDocumentTest
{
protected:
    void ClickTool(const char *tool)
    {
        Trigger(*main, tool);
        const QPoint c = page->rect().center();
        for (auto [t, b] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                            std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
            QMouseEvent e(t, QPointF(c), page->mapToGlobal(QPointF(c)), Qt::LeftButton, b, Qt::NoModifier);
            QApplication::sendEvent(page, &e);
        }
        Process();
    }
    TRollup *Rollup(int i) const
    {
        TRollup *r[] = {main->ObjectRollup(), main->ColorRollup(), main->CoordsRollup()};
        return r[i];
    }
};

} // namespace

TEST_F(PanelsWindowTest, TheRollUpsShowTheNewTextFrameAndTakeTypingIntoIt)
{
    main->ApplySettings();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Rollup(i)->Content()) << i;
    ClickTool("sbText");
    TCDLPage *p = child->ActivePage();
    auto *t = KindCast<TCDLText>(p->ActiveFrame);
    ASSERT_TRUE(t);
    EXPECT_EQ(main->Panels()->ShownFrame(), t);
    EXPECT_EQ(Rollup(0)->Content()->objectName(), QStringLiteral("rObjektContainer"));
    EXPECT_EQ(Rollup(1)->Content()->objectName(), QStringLiteral("rColorPanel"));
    EXPECT_EQ(Rollup(2)->Content()->objectName(), QStringLiteral("rCoordsPanel"));
    auto *memo = main->findChild<QPlainTextEdit *>(QStringLiteral("mText"));
    ASSERT_TRUE(memo);
    EXPECT_TRUE(memo->hasFocus());
    QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("Live 2027"));
    QApplication::sendEvent(memo, &k);
    EXPECT_EQ(t->Values, QStringList{QStringLiteral("Live 2027")});
    EXPECT_TRUE(p->Modified);

    main->SetLanguage(2);
    EXPECT_EQ(main->findChild<QGroupBox *>(QStringLiteral("rText"))->title(), QStringLiteral("Text"));
    EXPECT_EQ(main->findChild<QGroupBox *>(QStringLiteral("rSchriftart"))->title(), QStringLiteral("Font"));

    // The document goes: nothing is shown and nothing written any more.
    child->Closing = true;
    child->parentWidget()->close();
    Process();
    EXPECT_FALSE(main->Panels()->ShownFrame());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Rollup(i)->Content()) << i;
    QApplication::sendEvent(memo, &k);
}

TEST_F(PanelsWindowTest, ShowingChangesOnRequestAddsItsButton)
{
    main->SetApplyImmediately(true);
    ClickTool("sbRechteck");
    auto *apply = main->findChild<QWidget *>(QStringLiteral("rZuweisen"));
    ASSERT_TRUE(apply);
    EXPECT_TRUE(apply->isHidden());
    main->SetApplyImmediately(false);
    EXPECT_FALSE(apply->isHidden());
    EXPECT_GE(Rollup(0)->FullHeight(), apply->geometry().bottom() + TRollup::CaptionHeight);
}
