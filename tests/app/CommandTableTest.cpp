#include "AppFixture.h"
#include "Mnemonics.h"

#include <QMenu>
#include <QMenuBar>
#include <QSet>

using namespace Qt::StringLiterals;

// What QtTest sends a key through to reach the shortcut map.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject *o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString &text, bool autorep, ushort count);

namespace {

QList<QAction *> CommandActions(TMDIForm &m)
{
    QList<QAction *> r;
    for (QAction *a : m.findChildren<QAction *>())
        if ((a->objectName().startsWith(QLatin1String("mi")) || a->objectName().startsWith(QLatin1String("sb")))
            && !a->objectName().startsWith(QLatin1String("miRecent")))
            r.append(a);
    return r;
}

} // namespace

TEST_F(AppTest, EveryCommandActionHasItsOwnNameAndItsOwnKeys)
{
    TMDIForm m;
    m.New();
    QSet<QString> names;
    QHash<QKeySequence, QString> keys;
    for (QAction *a : CommandActions(m)) {
        EXPECT_FALSE(names.contains(a->objectName())) << a->objectName().toStdString();
        names.insert(a->objectName());
        EXPECT_EQ(m.Action(a->objectName()), a);
        // Qt runs neither of two actions that share a key.
        for (const QKeySequence &k : a->shortcuts()) {
            EXPECT_FALSE(keys.contains(k)) << k.toString().toStdString() << " on " << a->objectName().toStdString()
                                           << " and " << keys.value(k).toStdString();
            keys.insert(k, a->objectName());
        }
    }
    EXPECT_GT(names.size(), 100);
    for (const char *n : {"miRueckgaengig", "miKopieren", "miLoeschen", "miAllesMarkieren", "miHilfethemen"})
        EXPECT_FALSE(m.Action(QLatin1String(n))->shortcuts().isEmpty()) << n;
    EXPECT_TRUE(m.Action(u"miDrucken"_s)->shortcuts().contains(QKeySequence(QKeySequence::Print)));
}

TEST_F(AppTest, ItemAndButtonOfOneCommandKeepInStep)
{
    TShownMainWindow m;
    const std::pair<const char *, const char *> pairs[] = {
        {"miSpeichern", "sbSpeichern"},
        {"miRueckgaengig", "sbUndo"},
        {"miKopieren", "sbKopieren"},
        {"miEinfuegen", "sbEinfuegen"},
        {"miTopMost", "sbSendToFrontMost"},
        {"miSetLeft", "sbOLeft"},
        {"miInlayVorder", "sbAnsichtInlayVorder"},
        {"miVergroessern", "sbZoomIn"},
        {"miText", "sbText"},
    };
    auto inStep = [&](const char *when) {
        for (const auto &[item, button] : pairs) {
            QAction *i = m.Action(QLatin1String(item)), *b = m.Action(QLatin1String(button));
            EXPECT_EQ(i->isEnabled(), b->isEnabled()) << item << " " << when;
            if (i->isCheckable()) {
                EXPECT_EQ(i->isChecked(), b->isChecked()) << item << " " << when;
            }
        }
    };
    inStep("without a document");
    TChildWin *c = m.New();
    inStep("with an empty page");
    TCDLPage &page = *c->ActivePage();
    AddRect(page, -300, 0);
    AddRect(page, 100, 0);
    Trigger(m, "miAllesMarkieren");
    inStep("with a group");
    Trigger(m, "sbAnsichtInlayVorder");
    EXPECT_TRUE(m.Action(u"miInlayVorder"_s)->isChecked());
    inStep("on the second page");
}

TEST_F(AppTest, CheckMarksFollowChangesMadeOutsideTheCommandsWhenTheMenuOpens)
{
    TShownMainWindow m;
    TChildWin *c = m.New();
    // Wheel zoom and a tool bar closed by hand change state behind the menus.
    c->ZoomIn();
    m.findChild<QToolBar *>(u"Anordnenleiste"_s)->hide();
    AppSettings().ApplyImmediately = !AppSettings().ApplyImmediately;
    for (const char *menu : {"miZoom", "miAnsicht"})
        emit m.findChild<QMenu *>(QLatin1String(menu))->aboutToShow();
    EXPECT_TRUE(m.Action(u"miZoom5"_s)->isChecked());
    EXPECT_FALSE(m.Action(u"miZoom4"_s)->isChecked());
    EXPECT_EQ((std::tuple{m.Action(u"miAnordnen"_s)->isChecked(), m.Action(u"miSymbolleiste"_s)->isChecked(),
                          m.Action(u"miZuweisen"_s)->isChecked()}),
              std::tuple(false, true, AppSettings().ApplyImmediately));

    // The toggles act from there.
    Trigger(m, "miAnordnen");
    EXPECT_FALSE(m.findChild<QToolBar *>(u"Anordnenleiste"_s)->isHidden());
    EXPECT_TRUE(m.Action(u"miAnordnen"_s)->isChecked());
}

TEST_F(AppTest, ToolButtonsStayOneDownAndTheDrawingToolsNeedADocument)
{
    TShownMainWindow m;
    QAction *edit = m.Action(u"sbEdit"_s), *text = m.Action(u"sbText"_s);
    EXPECT_EQ((std::tuple{edit->isEnabled(), text->isEnabled()}), std::tuple(true, false));
    m.SelectTool(TTool::Text);
    EXPECT_EQ(m.CurrentTool(), TTool::Edit) << "a disabled button cannot be pressed";

    m.New();
    Trigger(m, "miText");
    EXPECT_EQ((std::tuple{text->isChecked(), edit->isChecked()}), std::tuple(true, false));
    // Clicking the button that is down leaves it down.
    text->trigger();
    Process();
    EXPECT_EQ((std::tuple{text->isChecked(), m.CurrentTool()}), std::tuple(true, TTool::Text));
    Trigger(m, "sbEdit");
    EXPECT_EQ((std::tuple{edit->isChecked(), text->isChecked()}), std::tuple(true, false));
}

// Each menu, and the menu bar, has a mnemonic per item, unique within it, in
// every language, and the words stay as they are; Alt+F opens "File".
TEST_F(AppTest, EveryMenuItemHasItsOwnMnemonicInEachLanguage)
{
    TShownMainWindow m;
    auto unique = [](const QList<QAction *> &actions, const QString &where) {
        QSet<QChar> seen;
        for (QAction *a : actions) {
            if (a->isSeparator())
                continue;
            const QChar c = MnemonicOf(a->text()).toCaseFolded();
            EXPECT_FALSE(c.isNull() || seen.contains(c)) << where.toStdString() << ": " << a->text().toStdString();
            seen.insert(c);
        }
    };
    for (int lang : {1, 2, 3, 4}) {
        m.SetLanguage(lang);
        unique(m.menuBar()->actions(), u"menu bar"_s);
        for (QAction *menu : m.menuBar()->actions())
            unique(menu->menu()->actions(), menu->text());
        EXPECT_EQ(m.Action(u"miSpeichernUnter"_s)->text().remove(u'&'), GetText(106));
    }
    // An item whose letters are all taken makes another one move.
    EXPECT_EQ(WithMnemonics({u"Édition"_s, u"Ab"_s, u"A"_s, u"25%"_s, u"200%"_s, u"?"_s, u"&1 B"_s}),
              QStringList({u"É&dition"_s, u"A&b"_s, u"&A"_s, u"&25%"_s, u"2&00%"_s, u"&?"_s, u"&1 B"_s}));

    m.SetLanguage(2);
    QApplication::setActiveWindow(&m);
    Process();
    EXPECT_TRUE(qt_sendShortcutOverrideEvent(&m, 0, Qt::Key_F, Qt::AltModifier, u"f"_s, false, 1));
    Process();
    EXPECT_TRUE(m.findChild<QMenu *>(u"miDatei"_s)->isVisible());
}

TEST_F(AppTest, SpeedButtonIconsDrawAsQtsOwnSvgIconsInEveryModeAndScale)
{
    TMDIForm m;
    for (QAction *a : CommandActions(m)) {
        if (a->icon().isNull())
            continue;
        const QIcon qt(u":/icons/%1.svg"_s.arg(a->objectName()));
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
            for (const qreal ratio : {1.0, 2.0})
                EXPECT_EQ(a->icon().pixmap(QSize(20, 20), ratio, mode).toImage(),
                          qt.pixmap(QSize(20, 20), ratio, mode).toImage())
                    << a->objectName().toStdString() << " mode " << mode << " ratio " << ratio;
    }
}
