// The main window's command table, and its menus and tool bars built from it.
// Commands of parts still to come keep their place and text, disabled.

#include "AboutBox.h"
#include "ChildWin.h"
#include "ClipboardCommands.h"
#include "CommandTable.h"
#include "MainWindow.h"
#include "OrderForm.h"
#include "Page.h"
#include "PageEditor.h"
#include "PreviewChild.h"
#include "PrintCommand.h"
#include "Rollup.h"
#include "Settings.h"

#include <QMdiArea>
#include <QMenu>
#include <QToolBar>

namespace {

QList<QKeySequence> Key(QKeySequence::StandardKey k) { return {QKeySequence(k)}; }

bool HasDocument(const TCommandContext &c) { return c.Document != nullptr; }

bool HasSelection(const TCommandContext &c)
{
    return c.Page && (c.Page->ActiveFrame() || !c.Page->Selection().IsEmpty());
}

bool HasActiveFrame(const TCommandContext &c) { return c.Page && c.Page->ActiveFrame(); }

bool CanUndo(const TCommandContext &c) { return c.Page && c.Page->Undo.CanUndo(); }

bool CanRedo(const TCommandContext &c) { return c.Page && c.Page->Undo.CanRedo(); }

bool CanPaste(const TCommandContext &c) { return c.Page && c.CanPaste; }

// The edit tool is there without a document; the others draw on one.
bool ToolEnabled(TTool t, const TActiveDocument *document)
{
    return ToolAvailable(t) && (t == TTool::Edit || document);
}

struct TToolButton
{
    TTool Tool;
    const char *Button;
    int Hint;
};
// Tool-bar order.
constexpr TToolButton kToolButtons[] = {
    {TTool::Edit, "sbEdit", 208},          {TTool::Text, "sbText", 209},
    {TTool::RoundText, "sbRText", 210},    {TTool::Line, "sbLinie", 212},
    {TTool::Rectangle, "sbRechteck", 213}, {TTool::Circle, "sbKreis", 249},
    {TTool::Ellipse, "sbEllipse", 250},    {TTool::Barcode, "sbBarcode", 229},
    {TTool::SerialNumber, "sbSerNo", 214}, {TTool::DirectoryListing, "sbDIR", 228},
    {TTool::Picture, "sbBild", 211},       {TTool::ScannedPicture, "sbScan", 248},
};

// The insert menu's items press the tool buttons, in the menu's order.
struct TInsertItem
{
    const char *Item;
    int Text;
    TTool Tool;
};
constexpr TInsertItem kInsertItems[] = {
    {"miText", 131, TTool::Text},           {"miRunderText", 132, TTool::RoundText},
    {"miGrafik", 133, TTool::Picture},      {"miLinie", 134, TTool::Line},
    {"miRechteck", 135, TTool::Rectangle},  {"miSeriennummer", 136, TTool::SerialNumber},
    {"miBarcode", 137, TTool::Barcode},     {"miKreis", 138, TTool::Circle},
    {"miEllipse", 139, TTool::Ellipse},     {"miVerzeichnis", 145, TTool::DirectoryListing},
    {"miScan", 146, TTool::ScannedPicture},
};

struct TZOrderCommand
{
    const char *Item;
    int Text;
    const char *Button;
    int Hint;
    TRestack Command;
};
constexpr TZOrderCommand kZOrder[] = {
    {"miTopMost", 171, "sbSendToFrontMost", 251, TRestack::ToFront},
    {"miNachVorne", 172, "sbVordergrund", 215, TRestack::OneStepForward},
    {"miNachHinten", 173, "sbHintergrund", 216, TRestack::OneStepBack},
    {"miBottomMost", 174, "sbSendToBackMost", 252, TRestack::ToBack},
};

// Item and button of one command share its tag; the spreading and centring
// tags cross their modes (AlignModeOfTag).
struct TAlignCommand
{
    const char *Item;
    int Text;
    const char *Button;
    int Hint, Tag;
};
constexpr TAlignCommand kAlign[] = {
    {"miSetLeft", 175, "sbOLeft", 230, 1},    {"miSetRight", 176, "sbORight", 231, 2},
    {"miSetTop", 177, "sbOTop", 232, 3},      {"miSetBottom", 178, "sbOBottom", 233, 4},
    {"miCenterH", 179, "sbOCenterH", 234, 8}, {"miCenterV", 180, "sbOCenterV", 235, 7},
    {"miSetH", 181, "sbOHorizontal", 236, 6}, {"miSetV", 182, "sbOVertical", 237, 5},
};

struct TPageCommand
{
    const char *Item;
    int Text;
    const char *Button;
    int Hint;
};
// Tags 0, 1, 2.
constexpr TPageCommand kPages[] = {
    {"miCDLabel", 122, "sbAnsichtCDLabel", 217},
    {"miInlayVorder", 123, "sbAnsichtInlayVorder", 218},
    {"miInlayRueck", 124, "sbAnsichtInlayRueck", 219},
};

} // namespace

void TMDIForm::SelectTool(TTool t)
{
    if (!ToolEnabled(t, ActiveDocument()))
        return;
    m_tool = t;
    updateCommandStates();
}

void TMDIForm::buildCommands()
{
    m_commands = new TCommandTable(this, [this] {
        TCommandContext c;
        c.Document = ActiveDocument();
        c.Page = c.Document ? c.Document->ActivePage() : nullptr;
        c.CanPaste = m_clipboard->CanPaste();
        return c;
    });
    TCommandTable &t = *m_commands;
    // Run on the active document, its shown page's editor, the clipboard.
    const auto doc = [this](auto f) { return onDocument([f](TActiveDocument &d) { (d.*f)(); }); };
    const auto editor = [this](auto f) { return onDocument([f](TActiveDocument &d) { (d.Editor().*f)(); }); };
    const auto clipboard = [this](void (TClipboardCommands::*f)(TActiveDocument &)) {
        return onDocument([clip = m_clipboard, f](TActiveDocument &d) { (clip->*f)(d); });
    };

    // clang-format off
    // File
    const TCommand *neu = t.Add({.Item = "miNeu", .Text = 102, .Button = "sbNeu", .Hint = 200,
                                 .Keys = Key(QKeySequence::New), .Run = [this] { New(); }});
    const TCommand *open = t.Add({.Item = "miOeffnen", .Text = 103, .Button = "sbOeffnen", .Hint = 201,
                                  .Keys = Key(QKeySequence::Open), .Run = [this] { Open(); }});
    const TCommand *closeDocument = t.Add({.Item = "miSchliessen", .Text = 104,
                                           .Enabled = HasDocument, .Run = doc(&TActiveDocument::CloseDocument)});
    const TCommand *save = t.Add({.Item = "miSpeichern", .Text = 105, .Button = "sbSpeichern", .Hint = 202,
                                  .Keys = Key(QKeySequence::Save),
                                  .Enabled = HasDocument, .Run = doc(&TActiveDocument::Save)});
    const TCommand *saveAs = t.Add({.Item = "miSpeichernUnter", .Text = 106,
                                    .Enabled = HasDocument, .Run = doc(&TActiveDocument::SaveAs)});
    const TCommand *calibrate =
        t.Add({.Item = "miDruckerkalibrieren", .Text = 107, .Run = [this] { m_print->Calibrate(); }});
    const TCommand *print = t.Add({.Item = "miDrucken", .Text = 108, .Button = "sbDrucken", .Hint = 203,
                                   .Keys = Key(QKeySequence::Print),
                                   .Enabled = HasDocument, .Run = [this] { m_print->Run(); }});
    const TCommand *order = t.Add({.Item = "miEtikettenBestellen", .Text = 870,
                                   .Run = [this] { TOrderForm(this).exec(); }});
    const TCommand *language = t.Add({.Item = "miSprache", .Text = 160, .Run = [this] { ShowLanguageDialog(); }});
    const TCommand *settings = t.Add({.Item = "miPRGSettings", .Text = 164, .Run = [this] { ProgramSettings(); }});
    const TCommand *quit = t.Add({.Item = "miBeenden", .Text = 109, .Run = [this] { close(); }});

    // Edit
    const TCommand *undo = t.Add({.Item = "miRueckgaengig", .Text = 111, .Button = "sbUndo", .Hint = 111,
                                  .Keys = Key(QKeySequence::Undo),
                                  .Enabled = CanUndo, .Run = doc(&TActiveDocument::UndoLast)});
    const TCommand *redo = t.Add({.Item = "miRedo", .Text = 1054, .Button = "sbRedo", .Hint = 1054,
                                  .Keys = {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                                  .Enabled = CanRedo, .Run = doc(&TActiveDocument::RedoLast)});
    const TCommand *cut = t.Add({.Item = "miAusschneiden", .Text = 112, .Button = "sbAusschneiden", .Hint = 205,
                                 .Keys = Key(QKeySequence::Cut),
                                 .Enabled = HasSelection, .Run = clipboard(&TClipboardCommands::Cut)});
    const TCommand *copy = t.Add({.Item = "miKopieren", .Text = 113, .Button = "sbKopieren", .Hint = 206,
                                  .Keys = Key(QKeySequence::Copy),
                                  .Enabled = HasSelection, .Run = clipboard(&TClipboardCommands::Copy)});
    const TCommand *paste = t.Add({.Item = "miEinfuegen", .Text = 114, .Button = "sbEinfuegen", .Hint = 207,
                                   .Keys = Key(QKeySequence::Paste),
                                   .Enabled = CanPaste, .Run = clipboard(&TClipboardCommands::Paste)});
    const TCommand *erase = t.Add({.Item = "miLoeschen", .Text = 115,
                                   .Keys = Key(QKeySequence::Delete),
                                   .Enabled = HasSelection, .Run = clipboard(&TClipboardCommands::Delete)});
    const TCommand *selectAll = t.Add({.Item = "miAllesMarkieren", .Text = 161,
                                       .Keys = Key(QKeySequence::SelectAll),
                                       .Enabled = HasDocument, .Run = editor(&TPageEditor::SelectAll)});
    const TCommand *invert = t.Add({.Item = "miMarkierungUmkehren", .Text = 162,
                                    .Enabled = HasDocument, .Run = editor(&TPageEditor::InvertSelection)});
    const TCommand *deselect = t.Add({.Item = "miMarkierungAufheben", .Text = 163,
                                      .Enabled = HasDocument, .Run = editor(&TPageEditor::ClearSelection)});
    const TCommand *loadSelection = t.Add({.Item = "miSelectedLoad", .Text = 116,
                                           .Enabled = HasDocument, .Run = clipboard(&TClipboardCommands::LoadSelection)});
    const TCommand *saveSelection = t.Add({.Item = "miSelectedSave", .Text = 117,
                                           .Enabled = HasSelection, .Run = clipboard(&TClipboardCommands::SaveSelection)});
    const TCommand *properties = t.Add({.Item = "miEigenschaften", .Text = 118, .Button = "sbProperties", .Hint = 118,
                                        .Enabled = HasDocument,
                                        .Run = onDocument([this](TActiveDocument &d) { PageProperties(d); })});

    // Arrange
    const TCommand *zOrder[std::size(kZOrder)];
    for (size_t i = 0; i < std::size(kZOrder); ++i) {
        const TZOrderCommand &z = kZOrder[i];
        zOrder[i] = t.Add({.Item = z.Item, .Text = z.Text, .Button = z.Button, .Hint = z.Hint,
                           .Enabled = HasActiveFrame,
                           .Run = onDocument([c = z.Command](TActiveDocument &d) { d.Editor().Restack(c); })});
    }
    const TCommand *align[std::size(kAlign)];
    for (size_t i = 0; i < std::size(kAlign); ++i) {
        const TAlignCommand &a = kAlign[i];
        const auto mode = TAlignMode(AlignModeOfTag(a.Tag));
        align[i] = t.Add({.Item = a.Item, .Text = a.Text, .Button = a.Button, .Hint = a.Hint,
                          .Enabled = [mode](const TCommandContext &c) { return c.Page && CanAlign(*c.Page, mode); },
                          .Run = onDocument([mode](TActiveDocument &d) { d.Editor().Align(mode); })});
    }

    // View
    const TCommand *pageView = t.Add({.Item = "miSeitenansicht", .Text = 121, .Button = "sbSansicht", .Hint = 204,
                                      .Enabled = HasDocument,
                                      .Run = onDocument([this](TActiveDocument &d) {
                                          if (const TCDLPage *page = d.ActivePage())
                                              TPreviewChild(*page, d.Caption(), this).Execute(); })});
    const TCommand *pages[std::size(kPages)];
    for (int i = 0; i < int(std::size(kPages)); ++i) {
        const TPageCommand &p = kPages[i];
        pages[i] = t.Add({.Item = p.Item, .Text = p.Text, .Button = p.Button, .Hint = p.Hint,
                          .Enabled = HasDocument,
                          .Run = onDocument([i](TActiveDocument &d) { d.ShowPage(i); }),
                          .Checked = [i](const TCommandContext &c) { return c.Document && c.Document->PageIndex() == i; }});
    }
    const auto barToggle = [&t](const char *item, int text, QToolBar *bar) {
        return t.Add({.Item = item, .Text = text,
                      .Run = [bar] { bar->setVisible(bar->isHidden()); },
                      .Checked = [bar](const TCommandContext &) { return !bar->isHidden(); }});
    };
    const TCommand *symbolleiste = barToggle("miSymbolleiste", 125, m_symbolleiste);
    const TCommand *toolleiste = barToggle("miToolleiste", 165, m_toolleiste);
    const TCommand *anordnenleiste = barToggle("miAnordnen", 166, m_anordnenleiste);
    const auto rollupToggle = [&t](const char *item, int text, TRollup *r) {
        return t.Add({.Item = item, .Text = text,
                      .Run = [r] { r->setVisible(r->isHidden()); },
                      .Checked = [r](const TCommandContext &) { return !r->isHidden(); }});
    };
    const TCommand *objectRollup = rollupToggle("miObjekteigenschaften", 126, m_rollupProps);
    const TCommand *colourRollup = rollupToggle("miFarbenRollup", 127, m_rollupColors);
    const TCommand *coordsRollup = rollupToggle("miCoords", 129, m_rollupCoords);
    const TCommand *applyAtOnce = t.Add({.Item = "miZuweisen", .Text = 128,
                                         .Run = [this] { SetApplyImmediately(!ApplyImmediately()); },
                                         .Checked = [this](const TCommandContext &) { return ApplyImmediately(); }});

    // Zoom
    const TCommand *zoomIn = t.Add({.Item = "miVergroessern", .Text = 191, .Button = "sbZoomIn", .Hint = 245,
                                    .Keys = Key(QKeySequence::ZoomIn),
                                    .Enabled = HasDocument, .Run = doc(&TActiveDocument::ZoomIn)});
    const TCommand *zoomOut = t.Add({.Item = "miVerkleinern", .Text = 192, .Button = "sbZoomOut", .Hint = 246,
                                     .Keys = Key(QKeySequence::ZoomOut),
                                     .Enabled = HasDocument, .Run = doc(&TActiveDocument::ZoomOut)});
    static const char *const kZoomItems[] = {"miZoom1", "miZoom2", "miZoom3", "miZoom4", "miZoom5", "miZoom6", "miZoom7"};
    const TCommand *zoomTo[std::size(kZoomItems)];
    for (int level = 1; level <= int(std::size(kZoomItems)); ++level)
        zoomTo[level - 1] = t.Add({.Item = kZoomItems[level - 1], .Text = 192 + level,
                                   .Enabled = HasDocument,
                                   .Run = onDocument([level](TActiveDocument &d) { d.ZoomTo(level); }),
                                   .Checked = [level](const TCommandContext &c) {
                                       return c.Page && c.Page->Context.ZoomLevel == level; }});
    const TCommand *standardZoom = t.Add({.Button = "sbStandardZoom", .Hint = 247,
                                          .Enabled = HasDocument, .Run = doc(&TActiveDocument::StandardZoom)});

    // Tools and the insert menu
    const TCommand *tools[std::size(kToolButtons)];
    for (size_t i = 0; i < std::size(kToolButtons); ++i) {
        const TTool tool = kToolButtons[i].Tool;
        tools[i] = t.Add({.Button = kToolButtons[i].Button, .Hint = kToolButtons[i].Hint,
                          .Enabled = [tool](const TCommandContext &c) { return ToolEnabled(tool, c.Document); },
                          .Run = [this, tool] { SelectTool(tool); },
                          .Checked = [this, tool](const TCommandContext &) { return m_tool == tool; }});
    }
    const TCommand *insert[std::size(kInsertItems)];
    for (size_t i = 0; i < std::size(kInsertItems); ++i) {
        const TTool tool = kInsertItems[i].Tool;
        insert[i] = t.Add({.Item = kInsertItems[i].Item, .Text = kInsertItems[i].Text,
                           .Enabled = [tool](const TCommandContext &c) { return ToolEnabled(tool, c.Document); },
                           .Run = [this, tool] { SelectTool(tool); }});
    }

    // Window and help
    const TCommand *tile = t.Add({.Item = "Alleanordnen1", .Text = 141, .Run = [this] { m_mdi->tileSubWindows(); }});
    const TCommand *help = t.Add({.Item = "miHilfethemen", .Text = 151, .Keys = {QKeySequence(Qt::Key_F1)},
                                  .Run = [this] { ShowHelp(); }});
    const TCommand *about = t.Add({.Item = "miInfo", .Text = 152, .Run = [this] { m_about->exec(); }});
    // clang-format on

    // The menus
    t.AddItems(m_fileMenu, {neu, open, closeDocument, save, saveAs, nullptr, calibrate, print, order, nullptr, language,
                            settings, nullptr, quit});
    m_mruSeparator = m_fileMenu->addSeparator();
    m_mruSeparator->setObjectName(QStringLiteral("NMRU"));
    t.AddItems(m_editMenu, {undo, redo, cut, copy, paste, erase, selectAll, invert, deselect, loadSelection,
                            saveSelection, properties});
    t.AddItems(m_arrangeMenu, {zOrder[0], zOrder[1], zOrder[2], zOrder[3], nullptr, align[0], align[1], align[2],
                               align[3], align[4], align[5], align[6], align[7]});
    t.AddItems(m_viewMenu, {pageView, nullptr, pages[0], pages[1], pages[2], nullptr, symbolleiste, toolleiste,
                            anordnenleiste, nullptr, objectRollup, colourRollup, coordsRollup, applyAtOnce});
    t.AddItems(m_zoomMenu,
               {zoomIn, zoomOut, nullptr, zoomTo[0], zoomTo[1], zoomTo[2], zoomTo[3], zoomTo[4], zoomTo[5], zoomTo[6]});
    for (const TCommand *c : insert)
        t.AddItems(m_insertMenu, {c});
    t.AddItems(m_windowMenu, {tile});
    t.AddItems(m_helpMenu, {help, about});

    // The tool bars
    t.AddButtons(m_symbolleiste,
                 {neu,  open,       save,    print,    pageView, nullptr,  cut,     copy,   paste,   undo,
                  redo, properties, nullptr, pages[0], pages[1], pages[2], nullptr, zoomIn, zoomOut, standardZoom});
    for (const TCommand *c : tools)
        t.AddButtons(m_toolleiste, {c});
    t.AddButtons(m_anordnenleiste, {zOrder[0], zOrder[1], zOrder[2], zOrder[3], nullptr, align[0], align[1], align[2],
                                    align[3], align[4], align[5], align[6], align[7]});
}
