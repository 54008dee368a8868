#pragma once
// The command table: every command of the main window once, with the object
// names of its menu item and speed button, their texts, its keys, what it
// does and the rules for its enable and check states. Menu items and buttons
// are actions built from it; one pass sets all their states.

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;
class TActiveDocument;
class TCDLPage;

// What the rules look at, gathered once for a pass.
struct TCommandContext
{
    // The active document window and its shown page, or none.
    TActiveDocument *Document = nullptr;
    TCDLPage *Page = nullptr;
    // The clipboard holds something a page takes.
    bool CanPaste = false;
};

using TCommandRule = std::function<bool(const TCommandContext &)>;

struct TCommand
{
    // Object name and caption (text number) of the menu item; none for a
    // button alone.
    const char *Item = nullptr;
    int Text = 0;
    // Object name and hint of the speed button; none for a menu item alone.
    // The hint is also the menu item's status tip.
    const char *Button = nullptr;
    int Hint = 0;
    QList<QKeySequence> Keys = {};
    // None: always enabled.
    TCommandRule Enabled = {};
    // None: a command of a part still to come, shown and never enabled.
    std::function<void()> Run = {};
    // None: not checkable.
    TCommandRule Checked = {};
};

class TCommandTable : public QObject
{
    Q_OBJECT
public:
    // The actions belong to owner; context is asked at every pass.
    TCommandTable(QWidget *owner, std::function<TCommandContext()> context);
    ~TCommandTable() override;

    const TCommand *Add(TCommand command);
    // The items, or the buttons, of the commands in this order; a null
    // command stands for a separator.
    void AddItems(QMenu *menu, std::initializer_list<const TCommand *> commands);
    void AddButtons(QToolBar *bar, std::initializer_list<const TCommand *> commands);

    void UpdateStates();
    void SetupStrings();
    // A menu item or speed button by its object name, for whoever runs a command from elsewhere.
    QAction *Action(const QString &name) const;

private:
    struct TEntry;
    TEntry &entryOf(const TCommand *command) const;
    QAction *bind(TEntry &e, const char *name);
    void run(TEntry &e);

    QWidget *m_owner;
    std::function<TCommandContext()> m_context;
    std::vector<std::unique_ptr<TEntry>> m_entries;
};
