#include "Rollup.h"
#include "AppFixture.h"
#include "RollUpContainer.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

// Found by the test framework beside the type.
static void PrintTo(const TRollupPlace &p, std::ostream *os)
{
    *os << '(' << p.X << ", " << p.Y << (p.Visible ? ") shown" : ") hidden") << (p.RolledDown ? " down" : " up");
}

namespace {

// A lender with one panel of the given size, as the property container has.
struct TLender
{
    QWidget holder;
    QWidget *panel;
    explicit TLender(QSize size, const char *name = "pnlLent") : panel(new QWidget(&holder))
    {
        panel->setObjectName(QLatin1String(name));
        panel->resize(size);
    }
};

// Counts the panel's changes of parent.
class TParentChanges : public QObject
{
public:
    explicit TParentChanges(QWidget *w) { w->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::ParentChange)
            ++Count;
        return false;
    }
};

QToolButton *Button(TRollup &r, const char *name) { return r.findChild<QToolButton *>(QLatin1String(name)); }

// Presses the button on the widget, moves by delta with it held, releases.
void Drag(QWidget *w, Qt::MouseButton button, QPoint delta)
{
    const QPoint start(20, 8);
    Mouse(w, QEvent::MouseButtonPress, start, button, button);
    // The window may follow the first move; the event positions are where
    // the pointer is on the screen, so they are computed once.
    const QPoint globalStart = w->mapToGlobal(start);
    for (int step = 1; step <= 2; ++step) {
        const QPoint global = globalStart + delta * step / 2;
        QMouseEvent e(QEvent::MouseMove, QPointF(w->mapFromGlobal(global)), QPointF(global), Qt::NoButton, button,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    const QPoint end = globalStart + delta;
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(w->mapFromGlobal(end)), QPointF(end), button, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

// A lent panel sits in the window's body while shown and goes back to its
// lender alive and hidden when the window is emptied, freed or another takes
// it; a deleted one is let go.
TEST_F(AppTest, RollupSizesToItsContentAndNeverKeepsOrDestroysABorrowedPanel)
{
    auto *r = new TRollup;
    r->show();
    QWidget *body = r->findChild<QWidget *>(u"pnlRollup"_s);
    TLender small(QSize(200, 100)), tall(QSize(220, 300), "pnlTall");
    const auto expect = [&](const char *step, QSize size, bool down, TLender *shown, TLender *back = nullptr) {
        SCOPED_TRACE(step);
        EXPECT_EQ((std::tuple{r->size(), r->IsRolledDown()}), std::tuple(size, down));
        EXPECT_EQ((std::tuple{Button(*r, "sbUp")->isHidden(), Button(*r, "sbDown")->isHidden(), r->Content()}),
                  std::tuple(!down, down, shown ? shown->panel : nullptr));
        if (shown) {
            EXPECT_EQ((std::tuple{shown->panel->parentWidget(), shown->panel->isVisible()}), std::tuple(body, down));
        }
        if (back) {
            EXPECT_EQ((std::tuple{back->panel->parentWidget(), back->panel->isHidden()}),
                      std::tuple(&back->holder, true));
        }
    };
    EXPECT_EQ(r->height(), TRollup::CaptionHeight);
    r->SetContent(small.panel);
    EXPECT_EQ(small.panel->pos(), QPoint(3, 22));
    expect("lent", QSize(208, 125), true, &small);
    Button(*r, "sbUp")->click();
    expect("rolled up", QSize(208, 25), false, &small);
    // A taller content while rolled up: still rolled up, the full height waits.
    r->SetContent(tall.panel);
    expect("taller while up", QSize(228, 25), false, &tall, &small);
    Button(*r, "sbDown")->click();
    EXPECT_EQ(r->FullHeight(), 325);
    expect("rolled down", QSize(228, 325), true, &tall);

    // The lender resized its panel (it shows more fields now).
    TParentChanges changes(tall.panel);
    tall.panel->resize(180, 140);
    r->SetContent(tall.panel);
    EXPECT_EQ(changes.Count, 0);
    expect("same panel again", QSize(188, 165), true, &tall);
    r->SetContent(nullptr);
    EXPECT_EQ(r->FullHeight(), 25);
    // Rolling down an empty window shows the caption bar only.
    r->SetRolledDown(false);
    r->SetRolledDown(true);
    EXPECT_EQ(r->height(), 25);
    tall.holder.show();
    EXPECT_FALSE(tall.panel->isVisible());

    r->SetContent(small.panel);
    delete r;
    EXPECT_EQ(small.holder.findChild<QWidget *>(u"pnlLent"_s), small.panel);
    EXPECT_TRUE(small.panel->isHidden());

    TRollup first, second;
    first.show();
    first.SetContent(small.panel);
    second.SetContent(small.panel);
    EXPECT_EQ((std::tuple{first.Content(), first.height(), second.size()}), std::tuple(nullptr, 25, QSize(208, 125)));
    // Emptying the first again must not take it out of the second.
    first.SetContent(nullptr);
    EXPECT_EQ(small.panel->window(), &second);
    second.SetContent(nullptr);
    EXPECT_EQ(small.panel->parentWidget(), &small.holder);

    first.SetContent(small.panel);
    delete small.panel;
    EXPECT_EQ((std::tuple{first.Content(), first.height()}), std::tuple(nullptr, 25));
    // Another panel takes the place without touching the deleted one.
    first.SetContent(tall.panel);
    EXPECT_EQ(first.size(), QSize(188, 165));
}

TEST_F(AppTest, RollupCaptionDragsWithTheLeftButtonOnlyAndCloseOnlyHides)
{
    TRollup r;
    TLender lender(QSize(200, 100));
    r.SetContent(lender.panel);
    r.move(100, 100);
    r.show();
    Process();
    const QPoint start = r.pos();
    auto *header = r.findChild<QWidget *>(u"pnlHeader"_s);
    auto *title = r.findChild<QWidget *>(u"lblTitle"_s);
    ASSERT_TRUE(header && title);

    Drag(header, Qt::RightButton, QPoint(40, 30));
    EXPECT_EQ(r.pos(), start);
    Drag(header, Qt::LeftButton, QPoint(40, 30));
    EXPECT_EQ(r.pos(), start + QPoint(40, 30));
    Drag(title, Qt::LeftButton, QPoint(-10, 5));
    EXPECT_EQ(r.pos(), start + QPoint(30, 35));
    // A move without the button held after the drag ended leaves it there.
    Mouse(header, QEvent::MouseMove, QPoint(60, 9), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(r.pos(), start + QPoint(30, 35));

    Button(r, "sbClose")->click();
    EXPECT_EQ((std::tuple{r.isHidden(), r.Content(), r.height()}), std::tuple(true, lender.panel, 125));
}

TEST_F(AppTest, RollupStaysAboveItsOwnerAndItsCaptionShowsWhetherItIsActive)
{
    TShownMainWindow m;
    TRollup *r = m.ObjectRollup();
    r->show();
    EXPECT_EQ(r->windowFlags() & (Qt::Tool | Qt::WindowStaysOnTopHint), Qt::Tool); // dialogs may cover it
    auto *header = r->findChild<QWidget *>(u"pnlHeader"_s);
    QApplication::setActiveWindow(r);
    Process();
    ASSERT_TRUE(r->isActiveWindow());
    EXPECT_EQ(header->palette().color(QPalette::Window), r->palette().color(QPalette::Highlight));
    QApplication::setActiveWindow(&m);
    Process();
    EXPECT_NE(header->palette().color(QPalette::Window), r->palette().color(QPalette::Highlight));
}

TEST_F(AppTest, ViewMenuTogglesTheRollupsAndChecksThemByVisibility)
{
    TShownMainWindow m;
    const std::pair<const char *, TRollup *> items[] = {{"miObjekteigenschaften", m.ObjectRollup()},
                                                        {"miFarbenRollup", m.ColorRollup()},
                                                        {"miCoords", m.CoordsRollup()}};
    for (const auto &[item, r] : items) {
        QAction *a = m.Action(QLatin1String(item));
        ASSERT_TRUE(r->isHidden()) << item;
        EXPECT_FALSE(a->isChecked()) << item;
        Trigger(m, item);
        EXPECT_EQ((std::tuple{r->isVisible(), a->isChecked()}), std::tuple(true, true)) << item;
        // Closed by its own button: the check mark follows when the menu opens.
        Button(*r, "sbClose")->click();
        m.CommandStatesChanged();
        EXPECT_FALSE(a->isChecked()) << item;
        Trigger(m, item);
        Trigger(m, item);
        EXPECT_TRUE(r->isHidden()) << item;
    }
    EXPECT_EQ((std::tuple{m.ObjectRollup()->Title(), m.ColorRollup()->Title(), m.CoordsRollup()->Title()}),
              std::tuple(u"Objekteigenschaften"_s, u"Farben Rollup"_s, u"Koordinaten"_s));
    m.SetLanguage(2);
    EXPECT_EQ(m.CoordsRollup()->Title(), u"Coordinates"_s);
    EXPECT_EQ(Button(*m.ColorRollup(), "sbUp")->toolTip(), u"Roll up"_s);
}

TEST_F(AppTest, ShowChangesImmediatelyTogglesTheSettingAndTellsIt)
{
    TShownMainWindow m;
    QList<bool> told;
    QObject::connect(&m, &TMDIForm::applyImmediatelyChanged, [&](bool on) { told.append(on); });
    ASSERT_TRUE(AppSettings().ApplyImmediately);
    QAction *a = m.Action(u"miZuweisen"_s);
    EXPECT_TRUE(a->isChecked());
    Trigger(m, "miZuweisen");
    EXPECT_EQ((std::tuple{AppSettings().ApplyImmediately, a->isChecked()}), std::tuple(false, false));
    Trigger(m, "miZuweisen");
    EXPECT_EQ((std::tuple{a->isChecked(), told}), std::tuple(true, (QList<bool>{false, true})));

    // Settings that say off are told once when applied; the same again is not.
    TIniFile(SettingsFilePath()).WriteBool(u"MISC"_s, u"DISPLAY_CHANGES_IMMEDIATELY"_s, false);
    ReadSettingsMain(AppSettings());
    m.ApplySettings();
    m.ApplySettings();
    EXPECT_EQ((std::tuple{told, a->isChecked()}), std::tuple((QList<bool>{false, true, false}), false));
}

TEST_F(AppTest, RollupPlacesVisibilityAndRollStateComeBackAtTheNextStart)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint base = screen.topLeft();
    TIniFile ini(SettingsFilePath());
    const auto misc = u"MISC"_s;
    ini.WriteInteger(misc, u"ROX"_s, base.x() + 30);
    ini.WriteInteger(misc, u"ROY"_s, base.y() + 40);
    ini.WriteBool(misc, u"RFV"_s, false);
    ini.WriteBool(misc, u"RCD"_s, false);
    {
        TShownMainWindow m;
        ReadSettingsMain(AppSettings());
        m.ApplySettings();
        EXPECT_EQ((std::tuple{m.ObjectRollup()->pos(), m.ObjectRollup()->isVisible(), m.ObjectRollup()->IsRolledDown(),
                              m.ColorRollup()->isHidden()}),
                  std::tuple(base + QPoint(30, 40), true, true, true));
        EXPECT_FALSE(m.Action(u"miFarbenRollup"_s)->isChecked());
        // Missing keys: beside the object window at the right edge, the
        // coordinates below the colours, none covering another.
        const QPoint corner = m.MdiArea()->mapToGlobal(QPoint(m.MdiArea()->width(), 0));
        EXPECT_EQ(m.ColorRollup()->y(), corner.y() + 8);
        EXPECT_LT(m.ColorRollup()->x(), corner.x() - m.Panels()->ObjectPanelWidth() - 16);
        EXPECT_EQ((std::tuple{m.CoordsRollup()->isVisible(), m.CoordsRollup()->IsRolledDown(), m.CoordsRollup()->x()}),
                  std::tuple(true, false, m.ColorRollup()->x()));
        EXPECT_GT(m.CoordsRollup()->y(), m.ColorRollup()->y() + TRollup::CaptionHeight);

        m.ObjectRollup()->move(base + QPoint(50, 70));
        m.ObjectRollup()->SetRolledDown(false);
        Trigger(m, "miFarbenRollup");
        m.ColorRollup()->move(base + QPoint(10, 300));
        Trigger(m, "miCoords");
        ASSERT_TRUE(m.close());
    }
    EXPECT_EQ((std::tuple{ini.ReadInteger(misc, u"ROX"_s, 0), ini.ReadInteger(misc, u"ROD"_s, 1),
                          ini.ReadInteger(misc, u"RFV"_s, 0), ini.ReadInteger(misc, u"RCV"_s, 1)}),
              std::tuple(base.x() + 50, 0, 1, 0));

    AppSettings() = TSettings();
    TShownMainWindow m;
    ReadSettingsMain(AppSettings());
    m.ApplySettings();
    EXPECT_EQ(m.ObjectRollup()->pos(), base + QPoint(50, 70));
    EXPECT_EQ((std::tuple{m.ObjectRollup()->IsRolledDown(), m.ColorRollup()->pos(), m.ColorRollup()->isVisible(),
                          m.CoordsRollup()->isHidden(), m.CoordsRollup()->IsRolledDown()}),
              std::tuple(false, base + QPoint(10, 300), true, true, false));
}

TEST_F(AppTest, ClosingBeforeTheSettingsWereAppliedKeepsTheRollupPlaces)
{
    // Closed while the splash window is still up: the windows were never placed.
    AppSettings().RollupProps = {30, 40, true, false};
    TShownMainWindow m;
    ASSERT_TRUE(m.close());
    TSettings back;
    ReadSettingsMain(back);
    EXPECT_EQ(back.RollupProps, (TRollupPlace{30, 40, true, false}));
}

TEST_F(AppTest, ARollupOrToolBarStoredOffEveryScreenComesBackBesideTheMainWindow)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    TIniFile ini(SettingsFilePath());
    const auto misc = u"MISC"_s;
    ini.WriteInteger(u"Symbolleiste"_s, u"FLOATING"_s, 1);
    ini.WriteInteger(u"Symbolleiste"_s, u"X"_s, screen.right() + 50000);
    ini.WriteInteger(u"Symbolleiste"_s, u"Y"_s, -40000);
    // A screen that is gone; one partly off the left edge; one below the bottom.
    ini.WriteInteger(misc, u"ROX"_s, screen.right() + 2000);
    ini.WriteInteger(misc, u"ROY"_s, 60);
    ini.WriteInteger(misc, u"RFX"_s, screen.left() - 50);
    ini.WriteInteger(misc, u"RFY"_s, 84);
    ini.WriteInteger(misc, u"RCX"_s, 440);
    ini.WriteInteger(misc, u"RCY"_s, screen.bottom() - 5);
    TMDIForm m;
    m.setGeometry(screen.adjusted(0, 0, -100, -100));
    m.show();
    Process();
    ReadSettingsMain(AppSettings());
    m.ApplySettings();

    TRollup *r = m.ObjectRollup();
    const QPoint clientTopRight = m.MdiArea()->mapToGlobal(QPoint(m.MdiArea()->width(), 0));
    EXPECT_EQ(r->x() + r->SizeFor(QSize(m.Panels()->ObjectPanelWidth(), 0)).width(), clientTopRight.x() - 8);
    EXPECT_EQ(r->y(), clientTopRight.y() + 8);
    EXPECT_TRUE(m.MdiArea()->rect().contains(m.MdiArea()->mapFromGlobal(r->geometry().center())));

    EXPECT_EQ(m.ColorRollup()->pos(), QPoint(screen.left(), 84));
    const QToolBar *bar = m.findChild<QToolBar *>(u"Symbolleiste"_s);
    EXPECT_TRUE(bar->isFloating() && screen.contains(bar->pos()));
    // Room for it filled.
    EXPECT_EQ(m.CoordsRollup()->y() + m.CoordsRollup()->SizeFor(m.Panels()->CoordsPanelSize()).height(),
              screen.bottom() + 1);
    // One moved partly off is kept on the screen at its size in the new language.
    m.ColorRollup()->move(screen.right() - 20, 84);
    m.SetLanguage(3);
    EXPECT_EQ(m.ColorRollup()->x() + m.ColorRollup()->SizeFor(m.Panels()->ColorPanelSize()).width(),
              screen.right() + 1);
}

TEST(ToolWindowPlacement, PlacesAreKeptOnTheScreenTheyAreMostOn)
{
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QSize w(228, 300);
    const QPoint fallback(1600, 40);
    EXPECT_EQ(PlaceToolWindow({440, 60}, w, screens, fallback), QPoint(440, 60));
    EXPECT_EQ(PlaceToolWindow({-50, 60}, w, screens, fallback), QPoint(0, 60));
    // Mostly on the second screen: pulled onto it, not back onto the first.
    EXPECT_EQ((std::tuple{PlaceToolWindow({1900, 900}, w, screens, fallback),
                          PlaceToolWindow({5000, 60}, w, screens, fallback),
                          PlaceToolWindow({100, -400}, w, screens, fallback)}),
              std::tuple(QPoint(1920, 724), fallback, fallback));
    // A fallback off every screen still ends on one.
    EXPECT_EQ(PlaceToolWindow({5000, 60}, w, screens, {-900, -900}), QPoint(0, 0));
    EXPECT_EQ(PlaceToolWindow({5000, 60}, w, {}, fallback), QPoint(5000, 60));
}
