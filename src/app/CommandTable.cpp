#include "CommandTable.h"

#include "ActiveDocument.h"
#include "PageEditor.h"
#include "Strings.h"
#include "SvgIcon.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

struct TCommandTable::TEntry : TCommand
{
    explicit TEntry(TCommand c) : TCommand(std::move(c)) {}
    QAction *ItemAction = nullptr;
    QAction *ButtonAction = nullptr;
};

TCommandTable::TCommandTable(QWidget *owner, std::function<TCommandContext()> context)
    : QObject(owner), m_owner(owner), m_context(std::move(context))
{
}

TCommandTable::~TCommandTable() = default;

const TCommand *TCommandTable::Add(TCommand command)
{
    m_entries.push_back(std::make_unique<TEntry>(std::move(command)));
    return m_entries.back().get();
}

TCommandTable::TEntry &TCommandTable::entryOf(const TCommand *command) const
{
    // Every command handed out by Add is an entry of this table.
    return *static_cast<TEntry *>(const_cast<TCommand *>(command));
}

QAction *TCommandTable::bind(TEntry &e, const char *name)
{
    auto *a = new QAction(m_owner);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(bool(e.Checked));
    a->setEnabled(false);
    connect(a, &QAction::triggered, this, [this, &e] { run(e); });
    return a;
}

void TCommandTable::AddItems(QMenu *menu, std::initializer_list<const TCommand *> commands)
{
    for (const TCommand *c : commands) {
        if (!c) {
            menu->addSeparator();
            continue;
        }
        TEntry &e = entryOf(c);
        Q_ASSERT(e.Item && !e.ItemAction);
        e.ItemAction = bind(e, e.Item);
        e.ItemAction->setShortcuts(e.Keys);
        menu->addAction(e.ItemAction);
    }
}

void TCommandTable::AddButtons(QToolBar *bar, std::initializer_list<const TCommand *> commands)
{
    for (const TCommand *c : commands) {
        if (!c) {
            bar->addSeparator();
            continue;
        }
        TEntry &e = entryOf(c);
        Q_ASSERT(e.Button && !e.ButtonAction);
        const QString name = QLatin1String(e.Button);
        e.ButtonAction = bind(e, e.Button);
        e.ButtonAction->setIcon(SvgIcon(QStringLiteral(":/icons/%1.svg").arg(name)));
        // A button alone answers the keys itself.
        if (!e.Item)
            e.ButtonAction->setShortcuts(e.Keys);
        bar->addAction(e.ButtonAction);
        if (QWidget *w = bar->widgetForAction(e.ButtonAction))
            w->setObjectName(name);
    }
}

void TCommandTable::run(TEntry &e)
{
    // The states shown may be older than the last change.
    const TCommandContext c = m_context();
    // Whatever command comes between two arrow keys, they are two undo steps.
    if (c.Document)
        c.Document->Editor().EndNudgeRun();
    if (e.Run && (!e.Enabled || e.Enabled(c)))
        e.Run();
    UpdateStates();
}

void TCommandTable::UpdateStates()
{
    const TCommandContext c = m_context();
    for (const auto &e : m_entries) {
        const bool enabled = e->Run && (!e->Enabled || e->Enabled(c));
        const bool checked = e->Checked && e->Checked(c);
        for (QAction *a : {e->ItemAction, e->ButtonAction}) {
            if (!a)
                continue;
            a->setEnabled(enabled);
            if (e->Checked)
                a->setChecked(checked);
        }
    }
}

void TCommandTable::SetupStrings()
{
    for (const auto &e : m_entries) {
        const QString hint = e->Hint ? GetText(e->Hint) : QString();
        if (QAction *a = e->ItemAction) {
            a->setText(GetText(e->Text));
            a->setToolTip(hint.isEmpty() ? a->text().remove(QLatin1Char('&')) : hint);
            a->setStatusTip(hint);
        }
        if (QAction *a = e->ButtonAction) {
            a->setText(hint);
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
    }
}

QAction *TCommandTable::Action(const QString &name) const
{
    for (const auto &e : m_entries)
        for (QAction *a : {e->ItemAction, e->ButtonAction})
            if (a && a->objectName() == name)
                return a;
    return nullptr;
}
