// The arrange menu and tool bar of the main window: align and distribute the
// selection, restack the active frame of the active document's shown page.

#include "Arrange.h"
#include "ChildWin.h"
#include "MainWindow.h"
#include "Page.h"
#include "PageEditor.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

namespace {

struct TAlignItem
{
    const char *Menu, *Button;
    int Text, Hint, Tag;
};
// Menu and button of one command share its tag; the spreading and centring
// tags cross their modes (AlignModeOfTag).
constexpr TAlignItem kAlignItems[] = {
    {"miSetLeft", "sbOLeft", 175, 230, 1},    {"miSetRight", "sbORight", 176, 231, 2},
    {"miSetTop", "sbOTop", 177, 232, 3},      {"miSetBottom", "sbOBottom", 178, 233, 4},
    {"miCenterH", "sbOCenterH", 179, 234, 8}, {"miCenterV", "sbOCenterV", 180, 235, 7},
    {"miSetH", "sbOHorizontal", 181, 236, 6}, {"miSetV", "sbOVertical", 182, 237, 5},
};

struct TZOrderItem
{
    const char *Menu, *Button;
    int Text, Hint;
    TRestack Command;
};
constexpr TZOrderItem kZOrderItems[] = {
    {"miTopMost", "sbSendToFrontMost", 171, 251, TRestack::ToFront},
    {"miNachVorne", "sbVordergrund", 172, 215, TRestack::OneStepForward},
    {"miNachHinten", "sbHintergrund", 173, 216, TRestack::OneStepBack},
    {"miBottomMost", "sbSendToBackMost", 174, 252, TRestack::ToBack},
};

} // namespace

// With no document window the commands do nothing.
TCDLPage *TMDIForm::shownPage() const
{
    const TChildWin *w = ActiveChild();
    return w ? w->ActivePage() : nullptr;
}

void TMDIForm::restack(TRestack command)
{
    if (TChildWin *c = ActiveChild())
        c->Editor().Restack(command);
}

void TMDIForm::buildArrangeMenu(QMenu *menu)
{
    for (const TZOrderItem &z : kZOrderItems)
        connect(addCommand(menu, z.Menu, z.Text, 0), &QAction::triggered, this, [this, c = z.Command] { restack(c); });
    menu->addSeparator();
    for (const TAlignItem &a : kAlignItems) {
        QAction *item = addCommand(menu, a.Menu, a.Text, 0);
        item->setData(a.Tag);
        connect(item, &QAction::triggered, this, [this, item] { arrange(item->data().toInt()); });
    }
}

void TMDIForm::buildArrangeBar()
{
    QToolBar *bar = m_anordnenleiste;
    for (const TZOrderItem &z : kZOrderItems)
        connect(addCommand(nullptr, z.Button, 0, z.Hint, z.Button, bar), &QAction::triggered, this,
                [this, c = z.Command] { restack(c); });
    bar->addSeparator();
    for (const TAlignItem &a : kAlignItems) {
        QAction *button = addCommand(nullptr, a.Button, 0, a.Hint, a.Button, bar);
        button->setData(a.Tag);
        connect(button, &QAction::triggered, this, [this, button] { arrange(button->data().toInt()); });
    }
}

void TMDIForm::arrange(int tag)
{
    const int mode = AlignModeOfTag(tag);
    if (TChildWin *c = ActiveChild(); c && mode >= 0)
        c->Editor().Align(TAlignMode(mode));
}

void TMDIForm::updateArrangeStates()
{
    const TCDLPage *page = shownPage();
    for (const TAlignItem &a : kAlignItems) {
        const bool on = page && CanAlign(*page, TAlignMode(AlignModeOfTag(a.Tag)));
        Action(QLatin1String(a.Menu))->setEnabled(on);
        Action(QLatin1String(a.Button))->setEnabled(on);
    }
    for (const TZOrderItem &z : kZOrderItems) {
        const bool on = page && page->ActiveFrame;
        Action(QLatin1String(z.Menu))->setEnabled(on);
        Action(QLatin1String(z.Button))->setEnabled(on);
    }
}
