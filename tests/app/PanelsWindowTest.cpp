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
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>

namespace {

class PanelsWindowTest : public OneDocumentTest
{
protected:
    void ClickTool(const char *tool)
    {
        Trigger(*main, tool);
        Click(page, page->rect().center());
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
    auto *t = KindCast<TCDLText>(p->ActiveFrame());
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

TEST_F(PanelsWindowTest, InEveryLanguageTheRollUpsStandApartShowWholeTextsAndKeepTheColourGrid)
{
    // Placed in German, as at the first start before the language is chosen.
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    Process();
    main->ApplySettings();
    for (int language : {1, 2, 3, 4}) {
        main->SetLanguage(language);
        for (const char *tool : {"sbSerNo", "sbRText", "sbRechteck"}) {
            SCOPED_TRACE(std::to_string(language) + tool);
            ClickTool(tool);
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    const QRect caption(Rollup(j)->pos(), QSize(Rollup(j)->width(), TRollup::CaptionHeight));
                    EXPECT_TRUE(i == j || !Rollup(i)->geometry().intersects(caption)) << i << " covers " << j;
                }
                for (QWidget *w : Rollup(i)->findChildren<QWidget *>()) {
                    auto *b = qobject_cast<QAbstractButton *>(w);
                    if (!w->isVisible()
                        || !(qobject_cast<QLabel *>(w) || qobject_cast<QGroupBox *>(w) || (b && b->text().size() > 1)))
                        continue;
                    EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
                    EXPECT_LE(w->mapTo(Rollup(i), QPoint(w->width(), 0)).x(), Rollup(i)->width());
                }
            }
        }
        // A click where a colour was for the pen takes it for the fill too.
        auto *grid = main->findChild<QWidget *>(QStringLiteral("ColorGrid"));
        main->findChild<QToolButton *>(QStringLiteral("sbFuellung"))->click();
        Process();
        const QPoint fillAt = grid->mapTo(Rollup(1), QPoint());
        main->findChild<QToolButton *>(QStringLiteral("sbStift"))->click();
        Process();
        EXPECT_EQ(grid->mapTo(Rollup(1), QPoint()), fillAt);
    }
}
