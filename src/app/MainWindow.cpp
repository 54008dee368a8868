#include "MainWindow.h"

#include "AboutBox.h"
#include "ChildWin.h"
#include "ClipboardCommands.h"
#include "FileDialogs.h"
#include "HelpWindow.h"
#include "LanguageDialog.h"
#include "MessageBoxText.h"
#include "OrderForm.h"
#include "QtTranslations.h"
#include "Settings.h"
#include "Strings.h"
#include "WindowPlacement.h"

#include <algorithm>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

TMDIForm::TMDIForm()
{
    setObjectName(QStringLiteral("MDIForm"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIArea"));
    setCentralWidget(m_mdi);
    setAcceptDrops(true);
    setWindowIcon(QIcon(QStringLiteral(":/icons/quelmark.svg")));
    SetMessageBoxOwner(this);
    buildMenus();
    buildToolBars();
    buildEditingCommands();
    buildStatusBar();
    m_clipboard = new TClipboardCommands(this);
    m_about = new TAboutBox(this);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *) {
        if (TChildWin *c = ActiveChild()) {
            PageShown(*c);
            c->Verbose();
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
    RebuildRecentMenu();
    WriteRecentFiles(AppSettings().RecentFiles);
}

// ---- building

QAction *TMDIForm::addCommand(QMenu *menu, const char *name, int text, int hint, const char *button, QToolBar *bar)
{
    auto *a = new QAction(this);
    a->setObjectName(QLatin1String(name));
    const QString key = QLatin1String(button ? button : name);
    if (button)
        a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(key)));
    m_texts[a] = text;
    m_hints[a] = hint;
    if (menu)
        menu->addAction(a);
    if (bar) {
        bar->addAction(a);
        if (QWidget *b = bar->widgetForAction(a))
            b->setObjectName(key);
    }
    m_actions[key] = a;
    m_actions[QLatin1String(name)] = a;
    a->setEnabled(false);
    return a;
}

void TMDIForm::buildMenus()
{
    auto menu = [this](const char *name, int text, bool forDocument) {
        QMenu *m = menuBar()->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        m_menus.append(m);
        m_menuTexts[m] = text;
        if (forDocument)
            m_docMenus.append(m);
        return m;
    };
    auto enable = [this](QAction *a, bool needsDocument, auto slot) {
        a->setEnabled(!needsDocument);
        if (needsDocument)
            m_needDocument.append(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    m_fileMenu = menu("miDatei", 100, false);
    enable(addCommand(m_fileMenu, "miNeu", 102, 200), false, [this] { New(); })->setShortcut(QKeySequence::New);
    enable(addCommand(m_fileMenu, "miOeffnen", 103, 201), false, [this] { Open(); })->setShortcut(QKeySequence::Open);
    enable(addCommand(m_fileMenu, "miSchliessen", 104, 0), true, [this] {
        if (TActiveDocument *d = ActiveDocument())
            d->CloseDocument();
    });
    enable(addCommand(m_fileMenu, "miSpeichern", 105, 202), true, [this] { onChild([](TChildWin *c) { c->Save(); }); })
        ->setShortcut(QKeySequence::Save);
    enable(addCommand(m_fileMenu, "miSpeichernUnter", 106, 0), true,
           [this] { onChild([](TChildWin *c) { c->SaveAs(); }); });
    m_fileMenu->addSeparator();
    addCommand(m_fileMenu, "miDruckerkalibrieren", 107, 0);
    addCommand(m_fileMenu, "miDrucken", 108, 203);
    enable(addCommand(m_fileMenu, "miEtikettenBestellen", 870, 0), false, [this] { TOrderForm(this).exec(); });
    m_fileMenu->addSeparator();
    enable(addCommand(m_fileMenu, "miSprache", 160, 0), false, [this] { ShowLanguageDialog(); });
    addCommand(m_fileMenu, "miPRGSettings", 164, 0);
    m_fileMenu->addSeparator();
    enable(addCommand(m_fileMenu, "miBeenden", 109, 0), false, [this] { close(); });
    m_mruSeparator = m_fileMenu->addSeparator();
    m_mruSeparator->setObjectName(QStringLiteral("NMRU"));

    // Commands of subsystems still to come keep their place and text, disabled.
    QMenu *edit = menu("miBearbeiten", 110, true);
    static const std::pair<const char *, int> kEdit[] = {
        {"miRueckgaengig", 111}, {"miAusschneiden", 112},    {"miKopieren", 113},         {"miEinfuegen", 114},
        {"miLoeschen", 115},     {"miAllesMarkieren", 161},  {"miMarkierungUmkehren", 162}, {"miMarkierungAufheben", 163},
        {"miSelectedLoad", 116},   {"miSelectedSave", 117}, {"miEigenschaften", 118},
    };
    for (const auto &[n, t] : kEdit)
        addCommand(edit, n, t, 0);

    buildArrangeMenu(menu("miAnordnen1", 170, true));

    QMenu *view = menu("miAnsicht", 120, false);
    addCommand(view, "miSeitenansicht", 121, 0);
    view->addSeparator();
    auto *pages = new QActionGroup(this);
    static const char *const kPages[] = {"miCDLabel", "miInlayVorder", "miInlayRueck"};
    for (int i = 0; i < 3; ++i) {
        QAction *a = enable(addCommand(view, kPages[i], 122 + i, 0), true,
                            [this, i] { onChild([i](TChildWin *c) { c->ShowPage(i); }); });
        a->setCheckable(true);
        pages->addAction(a);
    }
    view->addSeparator();
    static const std::pair<const char *, int> kBars[] = {{"miSymbolleiste", 125}, {"miToolleiste", 165},
                                                         {"miAnordnen", 166}};
    for (const auto &[n, t] : kBars)
        enable(addCommand(view, n, t, 0), false, [] {})->setCheckable(true);
    view->addSeparator();
    addCommand(view, "miObjekteigenschaften", 126, 0)->setCheckable(true);
    addCommand(view, "miFarbenRollup", 127, 0)->setCheckable(true);
    addCommand(view, "miCoords", 129, 0)->setCheckable(true);
    QAction *apply = enable(addCommand(view, "miZuweisen", 128, 0), false,
                            [](bool on) { AppSettings().ApplyImmediately = on; });
    apply->setCheckable(true);
    connect(view, &QMenu::aboutToShow, this, [this, apply] {
        apply->setChecked(AppSettings().ApplyImmediately);
        Action(QStringLiteral("miSymbolleiste"))->setChecked(m_symbolleiste->isVisible());
        Action(QStringLiteral("miToolleiste"))->setChecked(m_toolleiste->isVisible());
        Action(QStringLiteral("miAnordnen"))->setChecked(m_anordnenleiste->isVisible());
    });

    QMenu *zoom = menu("miZoom", 190, true);
    enable(addCommand(zoom, "miVergroessern", 191, 0), true, [this] {
        onChild([](TChildWin *c) { c->ZoomIn(); });
    })->setShortcut(QKeySequence::ZoomIn);
    enable(addCommand(zoom, "miVerkleinern", 192, 0), true, [this] {
        onChild([](TChildWin *c) { c->ZoomOut(); });
    })->setShortcut(QKeySequence::ZoomOut);
    zoom->addSeparator();
    auto *levels = new QActionGroup(this);
    for (int tag = 1; tag <= 7; ++tag) {
        const QByteArray n = "miZoom" + QByteArray::number(tag);
        QAction *a = enable(addCommand(zoom, n.constData(), 192 + tag, 0), true,
                            [this, tag] { onChild([tag](TChildWin *c) { c->ZoomTo(tag); }); });
        a->setCheckable(true);
        levels->addAction(a);
    }
    connect(zoom, &QMenu::aboutToShow, this, [this] {
        if (TChildWin *c = ActiveChild())
            Action(QStringLiteral("miZoom%1").arg(c->ActivePage()->Context.ZoomLevel))->setChecked(true);
    });

    QMenu *insert = menu("miEinfuegen1", 130, true);
    static const std::pair<const char *, int> kTools[] = {
        {"miText", 131},      {"miRunderText", 132}, {"miGrafik", 133},  {"miLinie", 134},
        {"miRechteck", 135},  {"miSeriennummer", 136}, {"miBarcode", 137}, {"miKreis", 138},
        {"miEllipse", 139},   {"miVerzeichnis", 145}, {"miScan", 146},
    };
    for (const auto &[n, t] : kTools)
        addCommand(insert, n, t, 0);

    m_windowMenu = menu("miFenster", 140, false);
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
            QAction *a = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(s->windowTitle()));
            a->setCheckable(true);
            a->setChecked(s == m_mdi->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, s] { m_mdi->setActiveSubWindow(s); });
        }
    });
    enable(addCommand(m_windowMenu, "Alleanordnen1", 141, 0), false, [this] { m_mdi->tileSubWindows(); });

    QMenu *help = menu("miHilfe", 150, false);
    enable(addCommand(help, "miHilfethemen", 151, 0), false, [this] { ShowHelp(); })->setShortcut(Qt::Key_F1);
    enable(addCommand(help, "miInfo", 152, 0), false, [this] { m_about->exec(); });
}

void TMDIForm::buildToolBars()
{
    auto bar = [this](const char *name, Qt::ToolBarArea area) {
        auto *b = new QToolBar(this);
        b->setObjectName(QLatin1String(name));
        b->setIconSize(QSize(20, 20));
        addToolBar(area, b);
        return b;
    };
    m_symbolleiste = bar("Symbolleiste", Qt::TopToolBarArea);
    m_toolleiste = bar("Toolleiste", Qt::LeftToolBarArea);
    m_anordnenleiste = bar("Anordnenleiste", Qt::TopToolBarArea);

    auto button = [this](QToolBar *b, const char *name, int hint) {
        return addCommand(nullptr, name, 0, hint, name, b);
    };
    auto docButton = [this, &button](QToolBar *b, const char *name, int hint, auto slot) {
        QAction *a = button(b, name, hint);
        m_needDocument.append(a);
        connect(a, &QAction::triggered, this, slot);
    };
    QToolBar *s = m_symbolleiste;
    connect(button(s, "sbNeu", 200), &QAction::triggered, this, [this] { New(); });
    Action(QStringLiteral("sbNeu"))->setEnabled(true);
    connect(button(s, "sbOeffnen", 201), &QAction::triggered, this, [this] { Open(); });
    Action(QStringLiteral("sbOeffnen"))->setEnabled(true);
    docButton(s, "sbSpeichern", 202, [this] { onChild([](TChildWin *c) { c->Save(); }); });
    button(s, "sbDrucken", 203);
    button(s, "sbSansicht", 204);
    s->addSeparator();
    button(s, "sbAusschneiden", 205);
    button(s, "sbKopieren", 206);
    button(s, "sbEinfuegen", 207);
    button(s, "sbUndo", 111);
    button(s, "sbProperties", 118);
    s->addSeparator();
    auto *pages = new QActionGroup(this);
    pages->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    static const char *const kPages[] = {"sbAnsichtCDLabel", "sbAnsichtInlayVorder", "sbAnsichtInlayRueck"};
    for (int i = 0; i < 3; ++i) {
        docButton(s, kPages[i], 217 + i, [this, i] { onChild([i](TChildWin *c) { c->ShowPage(i); }); });
        Action(QLatin1String(kPages[i]))->setCheckable(true);
        pages->addAction(Action(QLatin1String(kPages[i])));
    }
    s->addSeparator();
    docButton(s, "sbZoomIn", 245, [this] { onChild([](TChildWin *c) { c->ZoomIn(); }); });
    docButton(s, "sbZoomOut", 246, [this] { onChild([](TChildWin *c) { c->ZoomOut(); }); });
    docButton(s, "sbStandardZoom", 247, [this] { onChild([](TChildWin *c) { c->StandardZoom(); }); });

    static const std::pair<const char *, int> kTools[] = {
        {"sbEdit", 208},     {"sbText", 209},  {"sbRText", 210},   {"sbLinie", 212},
        {"sbRechteck", 213}, {"sbKreis", 249}, {"sbEllipse", 250}, {"sbBarcode", 229},
        {"sbSerNo", 214},    {"sbDIR", 228},   {"sbBild", 211},    {"sbScan", 248},
    };
    for (const auto &[n, h] : kTools)
        button(m_toolleiste, n, h)->setCheckable(true);

    buildArrangeBar();

    const std::pair<const char *, QToolBar *> kToggles[] = {
        {"miSymbolleiste", m_symbolleiste}, {"miToolleiste", m_toolleiste}, {"miAnordnen", m_anordnenleiste}};
    for (const auto &[n, b] : kToggles)
        connect(Action(QLatin1String(n)), &QAction::triggered, b, &QToolBar::setVisible);
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
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        QAction *a = it.key();
        const int hint = m_hints.value(a);
        a->setText(it.value() ? GetText(it.value()) : GetText(hint));
        const QString tip = hint ? GetText(hint) : QString();
        a->setToolTip(tip.isEmpty() ? a->text().remove(QLatin1Char('&')) : tip);
        a->setStatusTip(tip);
    }
    m_symbolleiste->setWindowTitle(GetText(125));
    m_toolleiste->setWindowTitle(GetText(165));
    m_anordnenleiste->setWindowTitle(GetText(166));
    SetupStrings2();
}

void TMDIForm::updateCommandStates()
{
    const bool any = ActiveChild() != nullptr;
    for (QAction *a : m_needDocument)
        a->setEnabled(any);
    for (QMenu *m : m_docMenus)
        m->menuAction()->setVisible(any);
    updateArrangeStates();
    UpdateEditCommands();
    if (m_clipboard)
        m_clipboard->UpdateStates(ActiveChild());
}

template <typename F> void TMDIForm::onChild(F f)
{
    if (TChildWin *c = ActiveChild())
        f(c);
}

// ---- documents

TActiveDocument *TMDIForm::ActiveDocument() const { return ActiveChild(); }

TChildWin *TMDIForm::ActiveChild() const
{
    // A closed window lingers in the list until it is deleted; it never counts.
    if (QMdiSubWindow *s = m_mdi->activeSubWindow())
        if (auto *c = qobject_cast<TChildWin *>(s->widget()); c && !c->Closing)
            return c;
    const QList<TChildWin *> all = Children();
    return all.isEmpty() ? nullptr : all.last();
}

QList<TChildWin *> TMDIForm::Children() const
{
    QList<TChildWin *> r;
    for (QMdiSubWindow *s : m_mdi->subWindowList())
        if (auto *c = qobject_cast<TChildWin *>(s->widget()); c && !c->Closing)
            r.append(c);
    return r;
}

TChildWin *TMDIForm::FindDocument(const QString &path, const TActiveDocument *except) const
{
    for (TChildWin *c : Children())
        if (c != except && !c->FileName().isEmpty() && c->FileName() == path)
            return c;
    return nullptr;
}

void TMDIForm::showChild(TChildWin *c)
{
    QMdiSubWindow *s = m_mdi->addSubWindow(c);
    s->setWindowIcon(QIcon(QStringLiteral(":/icons/document.svg")));
    PlaceDocumentWindow(m_mdi, s);
    c->show();
    m_mdi->setActiveSubWindow(s);
    updateCommandStates();
}

TChildWin *TMDIForm::New()
{
    ++NewCount;
    auto *c = new TChildWin(this, GetText(800) + QString::number(NewCount));
    showChild(c);
    return c;
}

bool TMDIForm::refuseDuplicate(const QString &path)
{
    TChildWin *open = FindDocument(path);
    if (!open)
        return false;
    MessageBoxText(GetText(953), mkWarning, mbOK);
    if (auto *s = qobject_cast<QMdiSubWindow *>(open->parentWidget()))
        m_mdi->setActiveSubWindow(s);
    return true;
}

void TMDIForm::openInNewWindow(const QString &path, const QString &caption)
{
    auto *c = new TChildWin(this, caption);
    if (!c->LoadFromFile(path)) {
        delete c;
        return;
    }
    showChild(c);
}

void TMDIForm::Open()
{
    const QString chosen = AskOpenFileName(this, GetText(801), AppSettings().CdlDir);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (refuseDuplicate(path))
        return;
    AppSettings().CdlDir = QFileInfo(path).absolutePath();
    openInNewWindow(path, QFileInfo(path).fileName());
}

void TMDIForm::OpenFile(const QString &name)
{
    const QString path = QFileInfo(name).absoluteFilePath();
    if (refuseDuplicate(path))
        return;
    if (!QFileInfo::exists(path)) {
        // A dead entry would fail the same way at every click.
        const bool listed = AppSettings().RecentFiles.Remove(name);
        if (AppSettings().RecentFiles.Remove(path) || listed)
            RebuildRecentMenu();
        MessageBoxText(GetText(DocumentText::ReadFailed), mkWarning, mbOK);
        return;
    }
    openInNewWindow(path, QFileInfo(path).fileName());
}

void TMDIForm::OpenInitialDocument(const QStringList &args)
{
    if (!args.isEmpty()) {
        OpenFile(args.first());
        return;
    }
    const QString standard = QDir::current().absoluteFilePath(QStringLiteral("STANDARD.CDL"));
    if (QFileInfo::exists(standard))
        openInNewWindow(standard, QStringLiteral("STANDARD.CDL"));
    else
        New();
}

void TMDIForm::DocumentClosed(TActiveDocument &d)
{
    AppSettings().RecentFiles.AddRecent(d.FileName());
    RebuildRecentMenu();
    // A closed window no longer counts as active.
    tellShownFrame();
    // The window list changes once the sub-window is gone.
    QMetaObject::invokeMethod(this, [this] { updateCommandStates(); }, Qt::QueuedConnection);
}

void TMDIForm::DocumentDestroyed(TActiveDocument &d)
{
    if (&d == m_toldDocument)
        tell(nullptr, nullptr, nullptr);
}

bool TMDIForm::IsOpenElsewhere(const QString &path, const TActiveDocument &except) const
{
    return FindDocument(path, &except) != nullptr;
}

void TMDIForm::PageShown(TActiveDocument &d)
{
    if (&d != ActiveDocument())
        return;
    const int tag = d.PageIndex();
    static const char *const kPages[] = {"sbAnsichtCDLabel", "sbAnsichtInlayVorder", "sbAnsichtInlayRueck"};
    static const char *const kItems[] = {"miCDLabel", "miInlayVorder", "miInlayRueck"};
    Action(QLatin1String(kPages[tag]))->setChecked(true);
    Action(QLatin1String(kItems[tag]))->setChecked(true);
    updateCommandStates();
    tellShownFrame();
}

void TMDIForm::ShownFrameChanged(TActiveDocument &d, TCDLPage &page, TCDLFrame *frame)
{
    // Only the shown page of the active document is on show.
    if (&d == ActiveDocument() && &page == d.ActivePage())
        tell(&d, &page, frame);
}

void TMDIForm::tellShownFrame()
{
    TActiveDocument *d = ActiveDocument();
    TCDLPage *page = d ? d->ActivePage() : nullptr;
    TCDLFrame *frame = page ? page->ActiveFrame : nullptr;
    // Told frames are kept valid by the pages' notices, so an equal pair
    // here is still what the listeners hold.
    if (d != m_toldDocument || page != m_toldPage || frame != m_toldFrame)
        tell(d, page, frame);
}

void TMDIForm::tell(TActiveDocument *d, TCDLPage *page, TCDLFrame *frame)
{
    m_toldDocument = d;
    m_toldPage = page;
    m_toldFrame = frame;
    emit shownFrameChanged(page, frame);
}

void TMDIForm::RebuildRecentMenu()
{
    // An item may be rebuilt away while its own click runs (its file is gone).
    for (QAction *a : std::as_const(m_recentItems)) {
        m_fileMenu->removeAction(a);
        a->setObjectName(QString());
        a->deleteLater();
    }
    m_recentItems.clear();
    const TRecentFiles &list = AppSettings().RecentFiles;
    for (int i = 0; i < list.Count(); ++i) {
        const QString path = list.At(i);
        auto *a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), m_fileMenu);
        a->setObjectName(QStringLiteral("miRecent%1").arg(i + 1));
        a->setStatusTip(path);
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenFile(path); });
        m_fileMenu->addAction(a);
        m_recentItems.append(a);
    }
    m_mruSeparator->setVisible(list.Count() >= 1);
}

void TMDIForm::ShowStatus(const QString &text) { m_statuszeile->setText(text); }
void TMDIForm::ShowPointer(const QString &text) { m_aktPos->setText(text); }

// ---- language and help

void TMDIForm::SetLanguage(int n)
{
    if (!SetLanguageState(n))
        return;
    ApplyQtTranslations(n);
    WriteLanguage(n);
    for (TChildWin *c : Children())
        c->SetupStrings();
    SetupStrings();
    m_about->SetupStrings();
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
    const TSettings &s = AppSettings();
    ApplyPaintSettings();
    Action(QStringLiteral("miZuweisen"))->setChecked(s.ApplyImmediately);
    const std::pair<QToolBar *, bool> bars[] = {
        {m_symbolleiste, s.SymbolleisteVisible}, {m_toolleiste, s.ToolleisteVisible}, {m_anordnenleiste, true}};
    for (const auto &[b, visible] : bars) {
        TToolBarPlace def;
        def.Area = toolBarArea(b);
        def.Visible = visible;
        const TToolBarPlace p = ReadToolBarPlace(b->objectName(), def);
        addToolBar(Qt::ToolBarArea(p.Area), b);
        if (p.Floating) {
            b->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
            b->move(p.X, p.Y);
        }
        b->setVisible(p.Visible);
    }
}

void TMDIForm::saveToolBarPlaces()
{
    for (QToolBar *b : {m_symbolleiste, m_toolleiste, m_anordnenleiste}) {
        TToolBarPlace p;
        p.Area = int(toolBarArea(b));
        p.Floating = b->isFloating();
        p.X = b->pos().x();
        p.Y = b->pos().y();
        p.Visible = !b->isHidden();
        WriteToolBarPlace(b->objectName(), p);
    }
    AppSettings().SymbolleisteVisible = !m_symbolleiste->isHidden();
    AppSettings().ToolleisteVisible = !m_toolleiste->isHidden();
}

void TMDIForm::closeEvent(QCloseEvent *e)
{
    // The first document that refuses keeps the program running.
    for (QMdiSubWindow *s : m_mdi->subWindowList())
        if (!s->close()) {
            e->ignore();
            return;
        }
    saveToolBarPlaces();
    WriteSettingsMain(AppSettings());
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
