#include "MainWindow.h"

#include "AboutBox.h"
#include "ChildWin.h"
#include "ClipboardCommands.h"
#include "CommandTable.h"
#include "HelpWindow.h"
#include "LanguageDialog.h"
#include "MessageBoxText.h"
#include "Mnemonics.h"
#include "OrderForm.h"
#include "PanelRollups.h"
#include "PrintCommand.h"
#include "QtTranslations.h"
#include "RollUpContainer.h"
#include "Rollup.h"
#include "Settings.h"
#include "Strings.h"
#include "SvgIcon.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <algorithm>
#include <utility>

TMDIForm::TMDIForm()
{
    setObjectName(QStringLiteral("MDIForm"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIArea"));
    setCentralWidget(m_mdi);
    setAcceptDrops(true);
    setWindowIcon(SvgIcon(QStringLiteral(":/icons/quelmark.svg")));
    SetMessageBoxOwner(this);
    m_clipboard = new TClipboardCommands(this);
    connect(m_clipboard, &TClipboardCommands::pasteOfferChanged, this, &TMDIForm::updateCommandStates);
    m_about = new TAboutBox(this);
    const std::pair<TRollup **, const char *> rollups[] = {
        {&m_rollupProps, "RollupProps"}, {&m_rollupColors, "RollupColors"}, {&m_rollupCoords, "RollupCoords"}};
    for (const auto &[r, name] : rollups) {
        *r = new TRollup(this);
        (*r)->setObjectName(QLatin1String(name));
    }
    m_toldApplyImmediately = AppSettings().ApplyImmediately;
    m_print = std::make_unique<TPrintCommand>(*this);
    m_panelHost = std::make_unique<TMainPanelHost>(this, [this](TMainPanelHost::TWhich w, QWidget *p) {
        TRollup *r[] = {m_rollupProps, m_rollupColors, m_rollupCoords};
        r[w]->SetContent(p);
    });
    buildMenusAndBars();
    buildCommands();
    for (TRollup *r : {m_rollupProps, m_rollupColors, m_rollupCoords})
        r->SetDocumentKeys({Action(QStringLiteral("miRueckgaengig")), Action(QStringLiteral("miRedo"))});
    buildStatusBar();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *) {
        if (TChildWin *c = ActiveChild()) {
            PageShown(*c);
        } else {
            updateCommandStates();
            tellShownFrame();
            ShowStatus(QString());
        }
    });
    SetupStrings();
    RebuildRecentMenu();
    updateCommandStates();
}

TMDIForm::~TMDIForm()
{
    // The document windows go first, while this window's lists still exist.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (QMdiSubWindow *s : m_mdi->subWindowList())
        delete s;
    // A closed one may still wait for its deferred delete.
    for (TChildWin *c : findChildren<TChildWin *>())
        delete c;
    // The panels go while the roll-up windows that borrow them still exist.
    delete std::exchange(m_panels, nullptr);
    RebuildRecentMenu();
    WriteRecentFiles(AppSettings().RecentFiles);
}

// ---- building

QMenu *TMDIForm::addMenu(const char *name, int text, bool forDocument)
{
    QMenu *m = menuBar()->addMenu(QString());
    m->setObjectName(QLatin1String(name));
    m_menus.append(m);
    m_menuTexts[m] = text;
    if (forDocument)
        m_docMenus.append(m);
    // Check marks show the state when the menu opens.
    connect(m, &QMenu::aboutToShow, this, &TMDIForm::updateCommandStates);
    return m;
}

QToolBar *TMDIForm::addBar(const char *name, Qt::ToolBarArea area)
{
    auto *b = new QToolBar(this);
    b->setObjectName(QLatin1String(name));
    b->setIconSize(QSize(20, 20));
    addToolBar(area, b);
    return b;
}

void TMDIForm::buildMenusAndBars()
{
    m_fileMenu = addMenu("miDatei", 100, false);
    m_editMenu = addMenu("miBearbeiten", 110, true);
    m_arrangeMenu = addMenu("miAnordnen1", 170, true);
    m_viewMenu = addMenu("miAnsicht", 120, false);
    m_zoomMenu = addMenu("miZoom", 190, true);
    m_insertMenu = addMenu("miEinfuegen1", 130, true);
    m_windowMenu = addMenu("miFenster", 140, false);
    m_helpMenu = addMenu("miHilfe", 150, false);
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] {
        // The platform's list of document windows follows the tiling item.
        const QList<QAction *> all = m_windowMenu->actions();
        for (int i = 1; i < all.size(); ++i)
            delete all[i];
        const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
        if (!subs.isEmpty())
            m_windowMenu->addSeparator();
        for (int i = 0; i < subs.size(); ++i) {
            QMdiSubWindow *s = subs[i];
            QAction *a =
                m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(MenuLiteral(s->windowTitle())));
            a->setCheckable(true);
            a->setChecked(s == m_mdi->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, s] { m_mdi->setActiveSubWindow(s); });
        }
    });

    m_symbolleiste = addBar("Symbolleiste", Qt::TopToolBarArea);
    m_toolleiste = addBar("Toolleiste", Qt::LeftToolBarArea);
    m_anordnenleiste = addBar("Anordnenleiste", Qt::TopToolBarArea);
}

void TMDIForm::buildStatusBar()
{
    auto panel = [this](const char *name, int width, int stretch) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        if (width)
            l->setFixedWidth(width);
        statusBar()->addWidget(l, stretch);
        return l;
    };
    statusBar()->setObjectName(QStringLiteral("StatuszeilePanel"));
    statusBar()->setFixedHeight(23);
    m_aktPos = panel("AktPos", 125, 0);
    m_statuszeile = panel("Statuszeile", 0, 1);
    m_hintPanel = panel("HintPanel", 186, 0);
}

void TMDIForm::SetupStrings()
{
    setWindowTitle(LoadText(21));
    for (QMenu *m : m_menus)
        m->setTitle(GetText(m_menuTexts[m]));
    m_commands->SetupStrings();
    m_symbolleiste->setWindowTitle(GetText(125));
    m_toolleiste->setWindowTitle(GetText(165));
    m_anordnenleiste->setWindowTitle(GetText(166));
    m_rollupProps->SetTitle(GetText(950));
    m_rollupColors->SetTitle(GetText(951));
    m_rollupCoords->SetTitle(GetText(1033));
    for (TRollup *r : {m_rollupProps, m_rollupColors, m_rollupCoords})
        r->SetupStrings();
    if (m_panels)
        m_panels->SetupStrings();
    AssignMnemonics(menuBar());
}

void TMDIForm::updateCommandStates()
{
    const bool any = ActiveChild() != nullptr;
    for (QMenu *m : m_docMenus)
        m->menuAction()->setVisible(any);
    m_commands->UpdateStates();
}

std::function<void()> TMDIForm::onDocument(std::function<void(TActiveDocument &)> f)
{
    return [this, f = std::move(f)] {
        if (TActiveDocument *d = ActiveDocument())
            f(*d);
    };
}

TRollUpContainer *TMDIForm::Panels() const
{
    // Built on first use: most of a start's work otherwise, and not needed
    // for the window's first paint.
    if (!m_panels) {
        auto *self = const_cast<TMDIForm *>(this);
        m_panels = new TRollUpContainer(*m_panelHost, self);
        m_panels->hide();
        connect(self, &TMDIForm::shownFrameChanged, m_panels, &TRollUpContainer::ShowFrame);
        connect(self, &TMDIForm::applyImmediatelyChanged, m_panels, [this] { m_panels->ApplyImmediatelyChanged(); });
        // What was told before it existed.
        if (m_toldFrame)
            m_panels->ShowFrame(m_toldPage, m_toldFrame);
    }
    return m_panels;
}

QAction *TMDIForm::Action(const QString &name) const { return m_commands->Action(name); }

void TMDIForm::ApplyPaintSettings()
{
    const TSettings &s = AppSettings();
    TPageSettings &p = PageSettings();
    p.GridInFront = s.GridInFront;
    p.GridColor = s.GridColor;
    p.SnapLineColor = s.SnapLineColor;
}

// ---- language and help

void TMDIForm::SetLanguage(int n)
{
    if (!SetLanguageState(n))
        return;
    ApplyQtTranslations(n);
    if (!WriteLanguage(n))
        reportUnsavedSettings();
    for (TChildWin *c : Children())
        c->SetupStrings();
    SetupStrings();
    // Captions change the roll-up windows' sizes.
    refitRollups();
    m_about->SetupStrings();
    m_print->SetupStrings();
    THelpWindow::Follow(this, LoadText(30 + Language()));
    if (TChildWin *c = ActiveChild())
        c->Verbose();
    else
        ShowStatus(QString());
}

void TMDIForm::ShowLanguageDialog()
{
    TFSprache dlg(this);
    dlg.exec();
    if (dlg.Chosen())
        SetLanguage(dlg.Chosen());
    if (TChildWin *c = ActiveChild())
        c->setFocus();
}

void TMDIForm::ShowHelp() { THelpWindow::Show(this, LoadText(30 + Language())); }

// ---- settings and closing

void TMDIForm::ApplySettings()
{
    ApplyToolBarSettings();
    ApplyRollupSettings();
}

void TMDIForm::ApplyToolBarSettings()
{
    const TSettings &s = AppSettings();
    ApplyPaintSettings();
    const std::pair<QToolBar *, bool> bars[] = {
        {m_symbolleiste, s.SymbolleisteVisible}, {m_toolleiste, s.ToolleisteVisible}, {m_anordnenleiste, true}};
    QList<QRect> screens;
    for (const QScreen *sc : QGuiApplication::screens())
        screens.append(sc->availableGeometry());
    for (const auto &[b, visible] : bars) {
        TToolBarPlace def;
        def.Area = toolBarArea(b);
        def.Visible = visible;
        const TToolBarPlace p = ReadToolBarPlace(b->objectName(), def);
        addToolBar(Qt::ToolBarArea(p.Area), b);
        if (p.Floating) {
            b->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
            // Passed by the window manager, a bar stored off every screen
            // would stay there, out of reach.
            b->move(PlaceToolWindow(QPoint(p.X, p.Y), b->sizeHint(), screens, geometry().topLeft()));
        }
        b->setVisible(p.Visible);
    }
    tellApplyImmediately();
    updateCommandStates();
}

void TMDIForm::ApplyRollupSettings() { placeRollups(); }

bool TMDIForm::ApplyImmediately() const { return AppSettings().ApplyImmediately; }

void TMDIForm::SetApplyImmediately(bool on)
{
    AppSettings().ApplyImmediately = on;
    tellApplyImmediately();
    updateCommandStates();
}

void TMDIForm::tellApplyImmediately()
{
    const bool on = AppSettings().ApplyImmediately;
    if (on == m_toldApplyImmediately)
        return;
    m_toldApplyImmediately = on;
    emit applyImmediatelyChanged(on);
}

bool TMDIForm::saveToolBarPlaces()
{
    bool saved = true;
    for (QToolBar *b : {m_symbolleiste, m_toolleiste, m_anordnenleiste}) {
        TToolBarPlace p;
        p.Area = int(toolBarArea(b));
        p.Floating = b->isFloating();
        p.X = b->pos().x();
        p.Y = b->pos().y();
        p.Visible = !b->isHidden();
        saved = WriteToolBarPlace(b->objectName(), p) && saved;
    }
    AppSettings().SymbolleisteVisible = !m_symbolleiste->isHidden();
    AppSettings().ToolleisteVisible = !m_toolleiste->isHidden();
    return saved;
}

void TMDIForm::reportUnsavedSettings()
{
    MessageBoxText(GetText(1100).arg(QDir::toNativeSeparators(SettingsFilePath())), mkWarning, mbOK);
}

void TMDIForm::closeEvent(QCloseEvent *e)
{
    // The first document that refuses keeps the program running.
    for (QMdiSubWindow *s : m_mdi->subWindowList())
        if (!s->close()) {
            e->ignore();
            return;
        }
    const bool placesSaved = saveToolBarPlaces();
    saveRollupPlaces();
    if (!WriteSettingsMain(AppSettings()) || !placesSaved)
        reportUnsavedSettings();
    e->accept();
}

bool TMDIForm::event(QEvent *e)
{
    if (e->type() == QEvent::StatusTip) {
        m_hintPanel->setText(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

namespace {

QStringList droppedDocuments(const QMimeData *m)
{
    QStringList r;
    for (const QUrl &u : m->urls())
        if (u.isLocalFile() && QFileInfo(u.toLocalFile()).suffix().toUpper() == QLatin1String("CDL"))
            r.append(u.toLocalFile());
    return r;
}

} // namespace

void TMDIForm::dragEnterEvent(QDragEnterEvent *e)
{
    if (!droppedDocuments(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void TMDIForm::dropEvent(QDropEvent *e)
{
    for (const QString &f : droppedDocuments(e->mimeData()))
        OpenFile(f);
    e->acceptProposedAction();
}
