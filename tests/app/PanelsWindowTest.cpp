#include "AppFixture.h"
#include "KeyboardReach.h"

#include "Page.h"
#include "RollUpContainer.h"
#include "Rollup.h"
#include "Text.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

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

// Wiring only: what the panels do with a frame is the panels' tests' part.
TEST_F(PanelsWindowTest, TheRollUpsShowTheNewTextFrameAndLetItGoWithTheDocument)
{
    main->ApplySettings();
    EXPECT_FALSE(Rollup(0)->Content());
    ClickTool("sbText");
    auto *t = KindCast<TCDLText>(child->ActivePage()->ActiveFrame());
    ASSERT_TRUE(t);
    EXPECT_EQ(main->Panels()->ShownFrame(), t);
    const char *names[] = {"rObjektContainer", "rColorPanel", "rCoordsPanel"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Rollup(i)->Content()->objectName(), QLatin1String(names[i]));
    auto *memo = main->findChild<QPlainTextEdit *>(u"mText"_s);
    ASSERT_TRUE(memo);
    EXPECT_TRUE(memo->hasFocus());
    // The run of typing is an undo step of the page, and the keys go there.
    memo->insertPlainText(u"ab"_s);
    Key(memo, QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ((std::tuple{memo->toPlainText(), child->ActivePage()->Undo.CanRedo()}), std::tuple(QString(), true));
    main->SetLanguage(2);
    EXPECT_EQ(main->findChild<QGroupBox *>(u"rSchriftart"_s)->title(), u"Font"_s);
    for (int i : {0, 2})
        ExpectKeyboardReach(Rollup(i)->Content());

    child->Closing = true;
    child->parentWidget()->close();
    Process();
    EXPECT_FALSE(main->Panels()->ShownFrame());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Rollup(i)->Content()) << i;
}

TEST_F(PanelsWindowTest, ShowingChangesOnRequestAddsItsButton)
{
    main->SetApplyImmediately(true);
    ClickTool("sbRechteck");
    auto *apply = main->findChild<QWidget *>(u"rZuweisen"_s);
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
        auto *grid = main->findChild<QWidget *>(u"ColorGrid"_s);
        main->findChild<QToolButton *>(u"sbFuellung"_s)->click();
        Process();
        const QPoint fillAt = grid->mapTo(Rollup(1), QPoint());
        main->findChild<QToolButton *>(u"sbStift"_s)->click();
        Process();
        EXPECT_EQ(grid->mapTo(Rollup(1), QPoint()), fillAt);
    }
}
