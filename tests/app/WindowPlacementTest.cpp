#include "AppFixture.h"
#include "DisplaySession.h"
#include "ScreenFit.h"

#include <QDialog>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

void ExpectAllVisible(const TMDIForm &m)
{
    const QRect view = m.MdiArea()->viewport()->rect();
    for (QMdiSubWindow *s : m.MdiArea()->subWindowList())
        EXPECT_TRUE(s->isMaximized() || view.contains(s->geometry()))
            << s->windowTitle().toStdString() << " at " << s->geometry().x() << "," << s->geometry().y() << " "
            << s->geometry().width() << "x" << s->geometry().height() << " in " << view.width() << "x" << view.height();
}

} // namespace

TEST_F(AppTest, DocumentWindowsCascadeInsideTheAreaAndFitASmallOrNotYetShownOne)
{
    TMDIForm m;
    m.resize(1000, 760);
    m.show();
    Process();
    TCDLDocument().Save(Path(u"opened.CDL"_s));
    for (int i = 0; i < 12; ++i) {
        if (i == 3)
            m.OpenFile(Path(u"opened.CDL"_s));
        else
            m.New();
        Process();
    }
    ExpectAllVisible(m);
    const QList<QMdiSubWindow *> subs = m.MdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 12);
    EXPECT_EQ(subs[0]->pos(), QPoint(0, 0));
    // Each next one steps down and right, so every title bar shows.
    EXPECT_GT(subs[1]->pos().y(), subs[0]->pos().y());
    EXPECT_GT(subs[1]->pos().x(), subs[0]->pos().x());
    EXPECT_GE(subs[0]->width(), 480);

    // A small area, and one not yet shown when the window is created.
    TMDIForm small;
    small.resize(420, 330);
    small.show();
    Process();
    small.New();
    small.New();
    Process();
    ExpectAllVisible(small);

    // Created before the main window shows, visible once it does.
    TMDIForm later;
    later.New();
    later.resize(900, 700);
    later.show();
    Process();
    later.New();
    Process();
    ExpectAllVisible(later);
}

TEST(DisplaySession, AnUnusableScaleIsDroppedAndAWaylandSessionWithX11RunsOnX11)
{
    for (const char *s : {"abc", "1,5", "0", "-2", "100", "nan"})
        EXPECT_FALSE(UsableScaleFactor(s)) << s;
    EXPECT_TRUE(UsableScaleFactor(" 1.25 "));
    std::map<std::string, QByteArray> env{{"WAYLAND_DISPLAY", "wayland-0"}};
    const TEnvironment lookup = [&env](const char *n) { return env[n]; };
    EXPECT_EQ(PreferredPlatform(lookup), "") << "no X11 offered";
    env["DISPLAY"] = ":0";
    EXPECT_EQ(PreferredPlatform(lookup), "xcb;wayland");
    env["QT_QPA_PLATFORM"] = "wayland";
    EXPECT_EQ(PreferredPlatform(lookup), "");
}

// A dialog on a screen lower than its choices keeps its buttons on the
// screen and scrolls the choices; where they fit, nothing scrolls.
TEST(ScreenFit, ATallBodyScrollsAndTheWindowFitsTheScreen)
{
    // A window with room for 200 pixels of choices, which take height.
    auto fitted = [](int height, auto check) {
        QDialog dialog;
        auto *body = new QWidget;
        auto *choices = new QWidget;
        (new QVBoxLayout(body))->addWidget(choices);
        choices->setFixedSize(300, height);
        auto *area = new TScreenFitArea(body, dialog.screen()->availableGeometry().height() - 200, &dialog);
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(area);
        layout->addWidget(new QPushButton(u"OK"_s));
        area->FitWindow();
        dialog.show();
        QCoreApplication::processEvents();
        check(dialog, *area);
    };
    fitted(1000, [](QDialog &d, TScreenFitArea &a) {
        EXPECT_LT(d.height(), 300);
        EXPECT_TRUE(a.verticalScrollBar()->isVisible());
    });
    fitted(100, [](QDialog &, TScreenFitArea &a) {
        EXPECT_GE(a.height(), 100);
        EXPECT_FALSE(a.verticalScrollBar()->isVisible());
    });
}
