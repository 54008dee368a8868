#pragma once
// The main window: an MDI frame with menus, three tool bars, the status bar
// and the recently-used list. Commands that need a document act on the
// active document window; the document windows report back as its
// TDocumentHost.

#include "ActiveDocument.h"
#include "Tools.h"

#include <QHash>
#include <QMainWindow>

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
enum class TRestack;

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

    void SetLanguage(int n);
    void ShowLanguageDialog();
    void ShowHelp();
    void SetupStrings();
    void SetupStrings2() {}
    // After ReadSettingsMain: visibility of the tool bars and their places.
    void ApplySettings();

    void RebuildRecentMenu();

    QAction *Action(const QString &name) const { return m_actions.value(name); }
    // The selection or the shown page changed: refresh what needs them.
    void CommandStatesChanged() { updateCommandStates(); }

    // The tool bar's drawing tools, one down at a time.
    TTool CurrentTool() const override;
    void SelectTool(TTool t);
    // Undo and the selection commands follow the active document's shown page.
    void UpdateEditCommands();
    // Paint order and colours of grid and guide lines from the settings.
    static void ApplyPaintSettings();

signals:
    // The frame the property panels show: the active frame of the active
    // document's shown page, or none (no document, nothing or a group
    // selected). A frame told here stays alive until the next emission.
    void shownFrameChanged(TCDLPage *page, TCDLFrame *frame);

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
    bool IsOpenElsewhere(const QString &path, const TActiveDocument &except) const override;
    void DocumentClosed(TActiveDocument &d) override;
    void DocumentDestroyed(TActiveDocument &d) override;
    // Tells the shown frame of the active document when it is not what was
    // told last (another document or page).
    void tellShownFrame();
    void tell(TActiveDocument *d, TCDLPage *page, TCDLFrame *frame);

    QAction *addCommand(QMenu *menu, const char *name, int text, int hint, const char *button = nullptr,
                        QToolBar *bar = nullptr);
    void buildMenus();
    void buildToolBars();
    void buildStatusBar();
    void buildEditingCommands();
    void updateCommandStates();
    // Align, distribute and z-order (ArrangeCommands.cpp).
    void buildArrangeMenu(QMenu *menu);
    void buildArrangeBar();
    void updateArrangeStates();
    void arrange(int tag);
    void restack(TRestack command);
    TCDLPage *shownPage() const;
    void openInNewWindow(const QString &path, const QString &caption);
    void showChild(TChildWin *c);
    bool refuseDuplicate(const QString &path);
    void saveToolBarPlaces();
    template <typename F> void onChild(F f);

    QMdiArea *m_mdi;
    QHash<QString, QAction *> m_actions;
    QHash<QAction *, int> m_texts, m_hints;
    QList<QMenu *> m_docMenus;
    QList<QAction *> m_needDocument;
    QMenu *m_fileMenu = nullptr, *m_windowMenu = nullptr;
    QList<QMenu *> m_menus;
    QHash<QMenu *, int> m_menuTexts;
    QAction *m_mruSeparator = nullptr;
    QAction *m_tools[ToolCount] = {};
    QList<QAction *> m_recentItems;
    QToolBar *m_symbolleiste = nullptr, *m_toolleiste = nullptr, *m_anordnenleiste = nullptr;
    QLabel *m_aktPos = nullptr, *m_statuszeile = nullptr, *m_hintPanel = nullptr;
    TAboutBox *m_about = nullptr;
    bool m_closing = false;
    TClipboardCommands *m_clipboard = nullptr;
    // What shownFrameChanged told last.
    TActiveDocument *m_toldDocument = nullptr;
    TCDLPage *m_toldPage = nullptr;
    TCDLFrame *m_toldFrame = nullptr;
};
