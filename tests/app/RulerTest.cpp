#include "AppFixture.h"

#include "PageWidget.h"
#include "Ruler.h"
#include "Units.h"

#include <QMouseEvent>

TEST(RulerLabelStep, StepsFollowScaleAndUnit)
{
    // 30 px label: 75 px between labels; at 1 px per 0.1 mm that is 7 mm.
    EXPECT_EQ(RulerLabelStep(30, 10, 0.1), 75);
    EXPECT_EQ(RulerLabelStep(30, 10, 1.0), 7);
    EXPECT_EQ(RulerLabelStep(30, 160, 1.0), 1) << "never below one";
    EXPECT_EQ(RulerLabelStep(30, 160, 0.05), 9);
    EXPECT_EQ(RulerLabelStep(31, 10, 0.5), 15) << "Trunc(77.5) = 77 px";
}

TEST_F(AppTest, RulersFollowZoomAndPointerAndCreateGuideLines)
{
    TMDIForm m;
    m.show();
    m.resize(1000, 800);
    m.show();
    TChildWin *c = m.New();
    c->parentWidget()->showMaximized();
    Process();
    TRuler *h = c->HRuler();
    h->repaint();
    const int atStandard = h->LastStep();
    Trigger(m, "miZoom7");
    h->repaint();
    EXPECT_LT(h->LastStep(), atStandard);
    SetUnitDivisor(160);
    h->repaint();
    EXPECT_GE(h->LastStep(), 1);
    SetUnitDivisor(10);

    // Pointer over the page: marks on both rulers, coordinates from Origin.
    TPageWidget *page = c->PageControl();
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 60), page->mapToGlobal(QPointF(50, 60)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(page, &move);
    EXPECT_GE(h->Mark(), 50);
    EXPECT_FALSE(m.findChild<QLabel *>(QStringLiteral("AktPos"))->text().isEmpty());

    // Pressing on the top ruler and releasing over the page makes a horizontal guide line.
    const QPoint inRuler = h->mapFromGlobal(page->mapToGlobal(QPoint(80, 120)));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(inRuler.x(), 5), h->mapToGlobal(QPointF(inRuler.x(), 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(inRuler), h->mapToGlobal(QPointF(inRuler)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(h, &press);
    QApplication::sendEvent(h, &release);
    TCDLPage *p = c->ActivePage();
    ASSERT_EQ(p->SnapLines.Count(), 1);
    EXPECT_TRUE(p->SnapLines.Get(0).Horizontal);
    EXPECT_EQ(p->SnapLines.Get(0).Position, p->Context.ModelY(120));
    EXPECT_TRUE(p->Modified);
}
