#pragma once
// The program's settings file: its place, the values it holds with their
// defaults, and the moments they are read and written. Section and key names
// come from the string table (they are part of the file format). Unreadable
// or missing values give the defaults; a failed write changes nothing.

#include "Units.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

// $QUELMARK_SETTINGS when set, else <XDG config>/quelmark/ZYRELL.INI.
QString SettingsFilePath();
// The working folder, absolute.
QString StartFolder();

// The recently-used documents, most recent first. A path already listed
// keeps its place; when the list is full the oldest falls off.
class TRecentFiles
{
public:
    static constexpr int DefaultMax = 5;
    explicit TRecentFiles(int max = DefaultMax) : m_max(max < 1 ? 1 : max) {}

    void AddRecent(const QString &path);
    // Drops an entry (a file that is gone); false when it was not listed.
    bool Remove(const QString &path) { return m_entries.removeAll(path) > 0; }
    void Clear() { m_entries.clear(); }
    int Count() const { return int(m_entries.size()); }
    int Max() const { return m_max; }
    const QString &At(int i) const { return m_entries.at(i); }
    const QStringList &Entries() const { return m_entries; }
    bool operator==(const TRecentFiles &) const = default;

private:
    int m_max;
    QStringList m_entries;
};

// A roll-up window's screen position and state.
struct TRollupPlace
{
    // No place stored yet: the windows then stand side by side at the main
    // window's right edge, where none covers another.
    static constexpr int Unplaced = -32000;
    int X = Unplaced, Y = Unplaced;
    bool Visible = true;
    bool RolledDown = true;
    bool operator==(const TRollupPlace &) const = default;
};

// Every value of the file that lives in memory while the program runs.
struct TSettings
{
    // LANGUAGE: the language itself is the string table's state.
    bool FirstStart = true;
    // FILES
    TRecentFiles RecentFiles;
    // DIR: absolute folders, at first the one the program started in
    QString CdlDir = StartFolder();
    QString ImageDir = StartFolder();
    QString SelectionDir = StartFolder();
    QString SerialNumberDir = StartFolder();
    // MISC
    TRollupPlace RollupProps, RollupColors, RollupCoords;
    bool SymbolleisteVisible = true;
    bool ToolleisteVisible = true;
    // A file without the key means on: applying only on request dates from
    // machines too slow to repaint while typing.
    bool ApplyImmediately = true;
    bool GridInFront = true;
    TColor GridColor = 0;
    TColor SnapLineColor = 0;
    bool OpenWithPreview = true;
    int ScaleValue = 10; // unit divisor: 10 mm, otherwise inch (160)
    QString ScaleString = QStringLiteral("mm");
    int MoveCursorX = 40, MoveCursorY = 40;
    QString BarcodeFont = QStringLiteral("C39HrP60DmTt"); // at most 40 characters
    QString BarcodeStart = QStringLiteral("!");
    QString BarcodeSpace = QStringLiteral("*");
    // PRINT
    bool PrintDebug = false;
    int CoverFrontX = 0, CoverFrontY = 0, CoverBackX = 0, CoverBackY = 0;
    // DEBUG
    bool InternalDebug = false;
    int PalMode = 0; // only the bit of value 2

    // 1 millimetres, 2 inch.
    int UnitSelector() const { return ScaleValue == 10 ? 1 : 2; }
    bool operator==(const TSettings &) const = default;
};

// An arrow-key step in model units: a whole metre at most.
inline constexpr int MaxCursorStep = 9999;
inline bool ValidCursorStep(int v) { return v >= 1 && v <= MaxCursorStep; }

// The process-wide copy the program works with.
TSettings &AppSettings();

// Before any window: PRINT/DEBUG, DIR, DEBUG, the language (sets the string
// table's language; outside 1..4 means German and a first start), the inlay
// offsets and the recently-used list.
void ReadSettingsEarly(TSettings &s);
// When the main window is shown: MISC without the page-view keys. Sets the
// unit divisor.
void ReadSettingsMain(TSettings &s);
// When the main window closes: DIR and MISC, the keys ReadSettingsMain reads.
bool WriteSettingsMain(const TSettings &s);

void ReadRecentFiles(TRecentFiles &list);
// Replaces the FILES section with CDL1..CDL5, empty for free places.
bool WriteRecentFiles(const TRecentFiles &list);

// Stores the language number; anything outside 1..4 is not written.
bool WriteLanguage(int n);

// A printer's calibration offsets in 0.1 mm, in the section named exactly
// after the printer.
QPoint ReadPrinterOffset(const QString &printerName, int defaultX, int defaultY);
// An offset left out is not written.
bool WritePrinterOffset(const QString &printerName, std::optional<int> x, std::optional<int> y);
// A printer's scale correction in parts per thousand (a printer that feeds
// the paper 0.3 % long needs -3), in the same section; 0 without the keys
// and for values beyond +-MaxPrinterScale.
inline constexpr int MaxPrinterScale = 50;
QPoint ReadPrinterScale(const QString &printerName);
bool WritePrinterScale(const QString &printerName, int x, int y);

// The print dialog's remembered round-trim mode (PRINT/PRINT): 0 direct, 1
// indirect, 2 off; any other stored value reads as 0.
int ReadPrintTrimMode();
bool WritePrintTrimMode(int mode);

// The scanner the person chose last (MISC/SCAN_SOURCE), as SANE names it.
QString ReadScanSource();
bool WriteScanSource(const QString &device);

struct TPageViewPlacement
{
    int X = 100, Y = 100, Width = 400, Height = 300;
    bool Maximized = false;
    bool operator==(const TPageViewPlacement &) const = default;
};
TPageViewPlacement ReadPageView();
// A maximized window stores only that fact and keeps the last normal placement.
bool WritePageView(const TPageViewPlacement &p);

// Moves a window of the given size so that it lies on a screen of the given
// size; when it is larger than the screen its top-left corner stays visible.
QPoint KeepOnScreen(QPoint topLeft, QSize window, QSize screen);

// A tool bar's place, in a section named after the tool bar. Area is the
// edge it docks to (1 left, 2 right, 4 top, 8 bottom); a floating bar keeps
// its screen position.
struct TToolBarPlace
{
    int Area = 4;
    bool Floating = false;
    int X = 0, Y = 0;
    bool Visible = true;
    bool operator==(const TToolBarPlace &) const = default;
};
TToolBarPlace ReadToolBarPlace(const QString &name, const TToolBarPlace &def);
bool WriteToolBarPlace(const QString &name, const TToolBarPlace &p);
