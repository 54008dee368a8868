#pragma once
// The main window: an MDI frame with menus, three tool bars, the status bar
// and the recently-used list. Commands that need a document act on the
// active document window; the document windows report back as its
// TDocumentHost.

#include "ActiveDocument.h"
#include "Tools.h"

#include <QHash>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class TCDLFrame;
class TCDLPage;
class TChildWin;
class TClipboardCommands;
class TAboutBox;
class TCommandTable;
class TMainPanelHost;
class TRollUpContainer;
class TRollup;
struct TRollupPlace;
struct TSettings;
class TPrintCommand;

class TMDIForm : public QMainWindow, private TDocumentHost
{
    Q_OBJECT
public:
    TMDIForm();
    ~TMDIForm() override;

    int NewCount = 0;

    TChildWin *New();
    void Open();
    // Recent files and the command line: a missing file is reported and
    // leaves the recently-used list.
    void OpenFile(const QString &path);
    void OpenInitialDocument(const QStringList &args);
    TChildWin *ActiveChild() const;
    TActiveDocument *ActiveDocument() const;
    QList<TChildWin *> Children() const;
    // The window holding exactly that full name, other than except.
    TChildWin *FindDocument(const QString &path, const TActiveDocument *except = nullptr) const;
    QMdiArea *MdiArea() const { return m_mdi; }
    // The print command and its dialog.
    TPrintCommand &Printing() const { return *m_print; }

    void SetLanguage(int n);
    void ShowLanguageDialog();
    void ShowHelp();
    void SetupStrings();
    // After ReadSettingsMain: visibility of the tool bars and their places,
    // then the roll-up windows' places (both at once, or apart at the start).
    void ApplySettings();
    void ApplyToolBarSettings();
    void ApplyRollupSettings();

    void RebuildRecentMenu();

    // A menu item or speed button by its object name, for tests, the
    // clipboard peer program and the roll-up windows' undo keys; the window
    // itself holds its commands.
    QAction *Action(const QString &name) const;
    // The three roll-up windows the property panels are shown in: object
    // properties, colours, coordinates. They live as long as this window.
    TRollup *ObjectRollup() const { return m_rollupProps; }
    TRollup *ColorRollup() const { return m_rollupColors; }
    TRollup *CoordsRollup() const { return m_rollupCoords; }
    // The property panels, lent to the three roll-up windows.
    TRollUpContainer *Panels() const;
    // "Show changes immediately": the property panels apply each change at
    // once when on; when off they wait for the person to ask.
    bool ApplyImmediately() const;
    void SetApplyImmediately(bool on);

    // Enable and check states of every command from the present state.
    void CommandStatesChanged() { updateCommandStates(); }

    // The tool bar's drawing tools, one down at a time.
    TTool CurrentTool() const override { return m_tool; }
    // Ignored while the tool's button is disabled.
    void SelectTool(TTool t);
    // Paint order and colours of grid and guide lines from the settings.
    static void ApplyPaintSettings();
    // The program settings dialog (MainWindowSettings.cpp); OK applies at once.
    void ProgramSettings();
    // New program settings: the unit, the paint settings and the steps take
    // effect in every window now.
    void ApplyProgramSettings(const TSettings &s);
    // The grid and background window for d's pages.
    void PageProperties(TActiveDocument &d);

signals:
    // The frame the property panels show: the active frame of the active
    // document's shown page, or none (no document, nothing or a group
    // selected). A frame told here stays alive until the next emission.
    void shownFrameChanged(TCDLPage *page, TCDLFrame *frame);
    // The value of ApplyImmediately changed (by its menu item or the settings).
    void applyImmediatelyChanged(bool on);

protected:
    void closeEvent(QCloseEvent *e) override;
    bool event(QEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    // TDocumentHost
    void ToolUsed() override { SelectTool(TTool::Edit); }
    void ShowStatus(const QString &text) override;
    void ShowPointer(const QString &text) override;
    void CommandStatesChanged(TActiveDocument &) override { updateCommandStates(); }
    void PageShown(TActiveDocument &d) override;
    void ShownFrameChanged(TActiveDocument &d, TCDLPage &page, TCDLFrame *frame) override;
    QWidget *FocusTextInput(TActiveDocument &d, TCDLFrame *frame) override;
    bool IsOpenElsewhere(const QString &path, const TActiveDocument &except) const override;
    void DocumentClosed(TActiveDocument &d) override;
    void DocumentDestroyed(TActiveDocument &d) override;
    // Tells the shown frame of the active document when it is not what was
    // told last (another document or page).
    void tellShownFrame();
    void tell(TActiveDocument *d, TCDLPage *page, TCDLFrame *frame);

    QMenu *addMenu(const char *name, int text, bool forDocument);
    QToolBar *addBar(const char *name, Qt::ToolBarArea area);
    void buildMenusAndBars();
    // The command table, its menu items and speed buttons (MainWindowCommands.cpp).
    void buildCommands();
    void buildStatusBar();
    void updateCommandStates();
    // Runs f on the active document, if there is one.
    std::function<void()> onDocument(std::function<void(TActiveDocument &)> f);
    void openInNewWindow(const QString &path, const QString &caption);
    void showChild(TChildWin *c);
    bool refuseDuplicate(const QString &path);
    bool saveToolBarPlaces();
    // The settings file could not be written: the person learns it, the
    // old file stays.
    void reportUnsavedSettings();
    // MainWindowRollups.cpp: the roll-up windows' places.
    void placeRollups();
    void saveRollupPlaces();
    // After the windows' sizes changed: those at their default place go to
    // the new one, the others are kept on the screen.
    void refitRollups();
    QList<QRect> defaultRollupPlaces() const;
    // Tells applyImmediatelyChanged when the setting differs from what was told.
    void tellApplyImmediately();

    QMdiArea *m_mdi;
    TCommandTable *m_commands = nullptr;
    TTool m_tool = TTool::Edit;
    QList<QMenu *> m_menus;
    QHash<QMenu *, int> m_menuTexts;
    // Hidden while no document is open.
    QList<QMenu *> m_docMenus;
    QMenu *m_fileMenu = nullptr, *m_editMenu = nullptr, *m_arrangeMenu = nullptr, *m_viewMenu = nullptr,
          *m_zoomMenu = nullptr, *m_insertMenu = nullptr, *m_windowMenu = nullptr, *m_helpMenu = nullptr;
    QAction *m_mruSeparator = nullptr;
    QList<QAction *> m_recentItems;
    QToolBar *m_symbolleiste = nullptr, *m_toolleiste = nullptr, *m_anordnenleiste = nullptr;
    QLabel *m_aktPos = nullptr, *m_statuszeile = nullptr, *m_hintPanel = nullptr;
    TAboutBox *m_about = nullptr;
    TClipboardCommands *m_clipboard = nullptr;
    TRollup *m_rollupProps = nullptr, *m_rollupColors = nullptr, *m_rollupCoords = nullptr;
    std::unique_ptr<TMainPanelHost> m_panelHost;
    mutable TRollUpContainer *m_panels = nullptr;
    bool m_toldApplyImmediately;
    bool m_rollupsPlaced = false;
    // Each roll-up window's default place while it stands there.
    std::array<std::optional<QPoint>, 3> m_rollupDefaults;
    std::unique_ptr<TPrintCommand> m_print;
    // What shownFrameChanged told last.
    TActiveDocument *m_toldDocument = nullptr;
    TCDLPage *m_toldPage = nullptr;
    TCDLFrame *m_toldFrame = nullptr;
};
