// The main window's tool buttons and the editing commands of the shown page:
// undo, redo and the selection items.

#include "ChildWin.h"
#include "MainWindow.h"
#include "Page.h"
#include "PageEditor.h"
#include "Settings.h"

#include <QAction>
#include <QActionGroup>

namespace {

// Tool-bar order, as TTool.
const char *const kToolButtons[ToolCount] = {"sbEdit",    "sbText",    "sbRText", "sbLinie", "sbRechteck", "sbKreis",
                                             "sbEllipse", "sbBarcode", "sbSerNo", "sbDIR",   "sbBild",     "sbScan"};

// The insert menu's items press the buttons.
const std::pair<const char *, TTool> kInsertItems[] = {
    {"miText", TTool::Text},       {"miRunderText", TTool::RText},  {"miGrafik", TTool::Bild},
    {"miLinie", TTool::Linie},     {"miRechteck", TTool::Rechteck}, {"miSeriennummer", TTool::SerNo},
    {"miBarcode", TTool::Barcode}, {"miKreis", TTool::Kreis},       {"miEllipse", TTool::Ellipse},
    {"miVerzeichnis", TTool::Dir}, {"miScan", TTool::Scan},
};

} // namespace

void TMDIForm::buildEditingCommands()
{
    auto *group = new QActionGroup(this);
    for (int i = 0; i < ToolCount; ++i) {
        m_tools[i] = Action(QLatin1String(kToolButtons[i]));
        m_tools[i]->setCheckable(true);
        group->addAction(m_tools[i]);
    }
    m_tools[0]->setChecked(true);
    for (const auto &[item, tool] : kInsertItems)
        connect(Action(QLatin1String(item)), &QAction::triggered, this, [this, t = tool] { SelectTool(t); });

    auto onEditor = [this](auto f) {
        return [this, f] {
            if (TChildWin *c = ActiveChild())
                f(c->Editor());
        };
    };
    for (const char *n : {"miRueckgaengig", "sbUndo"})
        connect(Action(QLatin1String(n)), &QAction::triggered, this, [this] {
            if (TChildWin *c = ActiveChild())
                c->UndoLast();
        });
    Action(QStringLiteral("miRueckgaengig"))->setShortcut(QKeySequence::Undo);
    for (const char *n : {"miRedo", "sbRedo"})
        connect(Action(QLatin1String(n)), &QAction::triggered, this, [this] {
            if (TChildWin *c = ActiveChild()) {
                if (c->Editor().Redo())
                    c->RepaintPage();
                c->CommandStatesChanged();
            }
        });
    Action(QStringLiteral("miRedo"))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(Action(QStringLiteral("miAllesMarkieren")), &QAction::triggered, this,
            onEditor([](TPageEditor &e) { e.SelectAll(); }));
    Action(QStringLiteral("miAllesMarkieren"))->setShortcut(QKeySequence::SelectAll);
    connect(Action(QStringLiteral("miMarkierungUmkehren")), &QAction::triggered, this,
            onEditor([](TPageEditor &e) { e.InvertSelection(); }));
    connect(Action(QStringLiteral("miMarkierungAufheben")), &QAction::triggered, this,
            onEditor([](TPageEditor &e) { e.ClearSelection(); }));

    // Whatever command comes between two arrow keys, they are two undo steps.
    for (QAction *a : findChildren<QAction *>())
        connect(a, &QAction::triggered, this, onEditor([](TPageEditor &e) { e.EndNudgeRun(); }));
}

TTool TMDIForm::CurrentTool() const
{
    for (int i = 0; i < ToolCount; ++i)
        if (m_tools[i] && m_tools[i]->isChecked())
            return TTool(i);
    return TTool::Edit;
}

void TMDIForm::SelectTool(TTool t)
{
    QAction *a = m_tools[int(t)];
    if (a && a->isEnabled())
        a->setChecked(true);
}

void TMDIForm::UpdateEditCommands()
{
    TChildWin *c = ActiveChild();
    for (int i = 0; i < ToolCount; ++i)
        if (m_tools[i])
            m_tools[i]->setEnabled((c || i == 0) && ToolAvailable(TTool(i)));
    for (const auto &[item, tool] : kInsertItems)
        Action(QLatin1String(item))->setEnabled(c && ToolAvailable(tool));
    const bool undo = c && c->ActivePage()->Undo.CanUndo();
    Action(QStringLiteral("miRueckgaengig"))->setEnabled(undo);
    Action(QStringLiteral("sbUndo"))->setEnabled(undo);
    const bool redo = c && c->ActivePage()->Undo.CanRedo();
    Action(QStringLiteral("miRedo"))->setEnabled(redo);
    Action(QStringLiteral("sbRedo"))->setEnabled(redo);
    for (const char *n : {"miAllesMarkieren", "miMarkierungUmkehren", "miMarkierungAufheben"})
        Action(QLatin1String(n))->setEnabled(c != nullptr);
}

void TMDIForm::ApplyPaintSettings()
{
    const TSettings &s = AppSettings();
    TPageSettings &p = PageSettings();
    p.GridInFront = s.GridInFront;
    p.GridColor = s.GridColor;
    p.SnapLineColor = s.SnapLineColor;
}
