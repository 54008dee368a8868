#include "Settings.h"

#include "IniFile.h"
#include "Strings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Names from the string table (ids 50..105, see settings.tsv).
struct TNames
{
    QString file, language, files, dir, misc, print, debug;
    QString number, recent;
    QString dirCdl, dirImages, dirSelections, dirSerialNumbers;
    QString rox, roy, rov, rod, rfx, rfy, rfv, rfd, rcx, rcy, rcv, rcd;
    QString applyImmediately, gridInFront, gridColor, snapLineColor, openWithPreview;
    QString scaleValue, scaleString, bcFont, bcStart, bcSpace;
    QString prvx, prvy, prvw, prvh, prvMax;
    QString coverFx, coverFy, coverBx, coverBy, printMode;
    QString internalDebug, palMode;
    QString x, y, xScale, yScale;
    QString scanSource;
};

const TNames &names()
{
    static const TNames n = [] {
        TNames t;
        t.file = LoadText(50);
        t.language = LoadText(51);
        t.files = LoadText(52);
        t.dir = LoadText(53);
        t.misc = LoadText(54);
        t.print = LoadText(55);
        t.debug = LoadText(56);
        t.number = LoadText(60);
        t.recent = LoadText(61);
        t.dirCdl = LoadText(62);
        t.dirImages = LoadText(63);
        t.dirSelections = LoadText(64);
        t.dirSerialNumbers = LoadText(65);
        t.rox = LoadText(66);
        t.roy = LoadText(67);
        t.rov = LoadText(68);
        t.rfx = LoadText(69);
        t.rfy = LoadText(70);
        t.rfv = LoadText(71);
        t.rcx = LoadText(72);
        t.rcy = LoadText(73);
        t.rcv = LoadText(74);
        t.applyImmediately = LoadText(75);
        t.gridInFront = LoadText(76);
        t.gridColor = LoadText(77);
        t.snapLineColor = LoadText(78);
        t.openWithPreview = LoadText(79);
        t.scaleValue = LoadText(80);
        t.scaleString = LoadText(81);
        t.bcFont = LoadText(82);
        t.bcStart = LoadText(83);
        t.bcSpace = LoadText(84);
        t.prvx = LoadText(85);
        t.prvy = LoadText(86);
        t.prvw = LoadText(87);
        t.prvh = LoadText(88);
        t.prvMax = LoadText(89);
        t.coverFx = LoadText(90);
        t.coverFy = LoadText(91);
        t.coverBx = LoadText(92);
        t.coverBy = LoadText(93);
        t.printMode = LoadText(94);
        t.internalDebug = LoadText(98);
        t.palMode = LoadText(99);
        t.x = LoadText(101);
        t.y = LoadText(102);
        t.xScale = LoadText(106);
        t.yScale = LoadText(107);
        t.rod = LoadText(103);
        t.rfd = LoadText(104);
        t.rcd = LoadText(105);
        t.scanSource = LoadText(111);
        return t;
    }();
    return n;
}

// These few have always been spelled in code, not taken from the table.
const QString KeySlv = QStringLiteral("SLV");
const QString KeyTlv = QStringLiteral("TLV");
const QString KeyMoveCursorX = QStringLiteral("MoveCursorX");
const QString KeyMoveCursorY = QStringLiteral("MoveCursorY");
const QString KeyPrintDebug = QStringLiteral("DEBUG");

constexpr int MaxBarcodeFontLength = 40;

TIniText loadSettings() { return TIniFile(SettingsFilePath()).Load().value_or(TIniText()); }

bool updateSettings(const std::function<void(TIniText &)> &edit)
{
    const QString path = SettingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return TIniFile(path).Update(edit);
}

void readRecent(const TIniText &ini, TRecentFiles &list)
{
    const TNames &n = names();
    list.Clear();
    // Oldest first, each added to the front: the stored order comes back.
    for (int place = list.Max(); place >= 1; --place)
        list.AddRecent(ini.ReadString(n.files, n.recent + QString::number(place), QString()));
}

// A roll-up window's keys: left, top, visible, rolled down.
struct TRollupKeys
{
    const QString &x, &y, &v, &d;
};

TRollupPlace readRollup(const TIniText &ini, const TRollupKeys &k, const TRollupPlace &def)
{
    const QString &misc = names().misc;
    return {ini.ReadInteger(misc, k.x, def.X), ini.ReadInteger(misc, k.y, def.Y), ini.ReadBool(misc, k.v, def.Visible),
            ini.ReadBool(misc, k.d, def.RolledDown)};
}

void writeRollup(TIniText &ini, const TRollupKeys &k, const TRollupPlace &r)
{
    const QString &misc = names().misc;
    ini.WriteInteger(misc, k.x, r.X);
    ini.WriteInteger(misc, k.y, r.Y);
    ini.WriteBool(misc, k.v, r.Visible);
    ini.WriteBool(misc, k.d, r.RolledDown);
}

// The last folders are kept absolute: "." or a relative folder from an older
// file means the folder the program started in, which the next start need
// not share.
QString absoluteFolder(const QString &folder)
{
    return folder.isEmpty() ? QDir::currentPath() : QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

TColor readColor(const TIniText &ini, const QString &section, const QString &key, TColor def)
{
    const int v = ini.ReadInteger(section, key, int(def));
    return v >= 0 && v <= 0xFFFFFF ? TColor(v) : def;
}

} // namespace

QString StartFolder() { return QDir::currentPath(); }

QString SettingsFilePath()
{
    const QString env = qEnvironmentVariable("QUELMARK_SETTINGS");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/quelmark/")
           + names().file;
}

void TRecentFiles::AddRecent(const QString &path)
{
    if (path.isEmpty() || m_entries.contains(path))
        return;
    if (m_max == 1) {
        m_entries = QStringList{path};
        return;
    }
    if (m_entries.size() >= m_max)
        m_entries.resize(m_max - 1);
    m_entries.prepend(path);
}

TSettings &AppSettings()
{
    static TSettings s;
    return s;
}

void ReadSettingsEarly(TSettings &s)
{
    const TNames &n = names();
    const TIniText ini = loadSettings();
    const TSettings d;

    s.PrintDebug = ini.ReadBool(n.print, KeyPrintDebug, d.PrintDebug);
    s.CdlDir = absoluteFolder(ini.ReadString(n.dir, n.dirCdl, d.CdlDir));
    s.ImageDir = absoluteFolder(ini.ReadString(n.dir, n.dirImages, d.ImageDir));
    s.SelectionDir = absoluteFolder(ini.ReadString(n.dir, n.dirSelections, d.SelectionDir));
    s.SerialNumberDir = absoluteFolder(ini.ReadString(n.dir, n.dirSerialNumbers, d.SerialNumberDir));
    s.InternalDebug = ini.ReadBool(n.debug, n.internalDebug, d.InternalDebug);
    s.PalMode = ini.ReadInteger(n.debug, n.palMode, d.PalMode) & 2;

    const int language = ini.ReadInteger(n.language, n.number, 99) & 0xFFFF;
    s.FirstStart = !SetLanguageState(language);
    if (s.FirstStart)
        SetLanguageState(1);

    s.CoverFrontX = ini.ReadInteger(n.print, n.coverFx, d.CoverFrontX);
    s.CoverFrontY = ini.ReadInteger(n.print, n.coverFy, d.CoverFrontY);
    s.CoverBackX = ini.ReadInteger(n.print, n.coverBx, d.CoverBackX);
    s.CoverBackY = ini.ReadInteger(n.print, n.coverBy, d.CoverBackY);

    readRecent(ini, s.RecentFiles);
}

void ReadSettingsMain(TSettings &s)
{
    const TNames &n = names();
    const TIniText ini = loadSettings();
    const TSettings d;

    s.RollupProps = readRollup(ini, {n.rox, n.roy, n.rov, n.rod}, d.RollupProps);
    s.RollupColors = readRollup(ini, {n.rfx, n.rfy, n.rfv, n.rfd}, d.RollupColors);
    s.RollupCoords = readRollup(ini, {n.rcx, n.rcy, n.rcv, n.rcd}, d.RollupCoords);
    s.SymbolleisteVisible = ini.ReadBool(n.misc, KeySlv, d.SymbolleisteVisible);
    s.ToolleisteVisible = ini.ReadBool(n.misc, KeyTlv, d.ToolleisteVisible);
    s.ApplyImmediately = ini.ReadBool(n.misc, n.applyImmediately, d.ApplyImmediately);
    s.GridInFront = ini.ReadBool(n.misc, n.gridInFront, d.GridInFront);
    s.GridColor = readColor(ini, n.misc, n.gridColor, d.GridColor);
    s.SnapLineColor = readColor(ini, n.misc, n.snapLineColor, d.SnapLineColor);
    s.OpenWithPreview = ini.ReadBool(n.misc, n.openWithPreview, d.OpenWithPreview);

    // Only the two codes are units; anything else would show lengths in a
    // unit nobody chose.
    s.ScaleValue = ini.ReadInteger(n.misc, n.scaleValue, d.ScaleValue);
    if (s.ScaleValue != UnitCodeMillimetre && s.ScaleValue != UnitCodeInch)
        s.ScaleValue = d.ScaleValue;
    SetUnitCode(s.ScaleValue);
    s.ScaleString = ini.ReadString(n.misc, n.scaleString, d.ScaleString);

    s.MoveCursorX = ini.ReadInteger(n.misc, KeyMoveCursorX, d.MoveCursorX);
    s.MoveCursorY = ini.ReadInteger(n.misc, KeyMoveCursorY, d.MoveCursorY);
    if (!ValidCursorStep(s.MoveCursorX))
        s.MoveCursorX = d.MoveCursorX;
    if (!ValidCursorStep(s.MoveCursorY))
        s.MoveCursorY = d.MoveCursorY;
    s.BarcodeFont = ini.ReadString(n.misc, n.bcFont, d.BarcodeFont).left(MaxBarcodeFontLength);
    s.BarcodeStart = ini.ReadString(n.misc, n.bcStart, d.BarcodeStart);
    s.BarcodeSpace = ini.ReadString(n.misc, n.bcSpace, d.BarcodeSpace);
}

bool WriteSettingsMain(const TSettings &s)
{
    const TNames &n = names();
    return updateSettings([&](TIniText &ini) {
        ini.WriteString(n.dir, n.dirCdl, absoluteFolder(s.CdlDir));
        ini.WriteString(n.dir, n.dirImages, absoluteFolder(s.ImageDir));
        ini.WriteString(n.dir, n.dirSelections, absoluteFolder(s.SelectionDir));
        ini.WriteString(n.dir, n.dirSerialNumbers, absoluteFolder(s.SerialNumberDir));

        writeRollup(ini, {n.rox, n.roy, n.rov, n.rod}, s.RollupProps);
        writeRollup(ini, {n.rfx, n.rfy, n.rfv, n.rfd}, s.RollupColors);
        writeRollup(ini, {n.rcx, n.rcy, n.rcv, n.rcd}, s.RollupCoords);
        ini.WriteBool(n.misc, KeySlv, s.SymbolleisteVisible);
        ini.WriteBool(n.misc, KeyTlv, s.ToolleisteVisible);
        ini.WriteBool(n.misc, n.applyImmediately, s.ApplyImmediately);
        ini.WriteBool(n.misc, n.gridInFront, s.GridInFront);
        ini.WriteInteger(n.misc, n.gridColor, int(s.GridColor));
        ini.WriteInteger(n.misc, n.snapLineColor, int(s.SnapLineColor));
        ini.WriteBool(n.misc, n.openWithPreview, s.OpenWithPreview);
        ini.WriteInteger(n.misc, n.scaleValue, s.ScaleValue);
        ini.WriteString(n.misc, n.scaleString, s.ScaleString);
        ini.WriteInteger(n.misc, KeyMoveCursorX, s.MoveCursorX);
        ini.WriteInteger(n.misc, KeyMoveCursorY, s.MoveCursorY);
        ini.WriteString(n.misc, n.bcFont, s.BarcodeFont);
        ini.WriteString(n.misc, n.bcStart, s.BarcodeStart);
        ini.WriteString(n.misc, n.bcSpace, s.BarcodeSpace);
    });
}

void ReadRecentFiles(TRecentFiles &list) { readRecent(loadSettings(), list); }

bool WriteRecentFiles(const TRecentFiles &list)
{
    const TNames &n = names();
    return updateSettings([&](TIniText &ini) {
        ini.EraseSection(n.files);
        for (int place = 1; place <= list.Max(); ++place)
            ini.WriteString(n.files, n.recent + QString::number(place),
                            place <= list.Count() ? list.At(place - 1) : QString());
    });
}

bool WriteLanguage(int n)
{
    if (n < 1 || n > 4)
        return false;
    return updateSettings([&](TIniText &ini) { ini.WriteInteger(names().language, names().number, n); });
}

QPoint ReadPrinterOffset(const QString &printerName, int defaultX, int defaultY)
{
    const TIniText ini = loadSettings();
    return {ini.ReadInteger(printerName, names().x, defaultX), ini.ReadInteger(printerName, names().y, defaultY)};
}

bool WritePrinterOffset(const QString &printerName, std::optional<int> x, std::optional<int> y)
{
    bool accepted = false;
    const bool saved = updateSettings([&](TIniText &ini) {
        accepted = (!x || ini.WriteInteger(printerName, names().x, *x))
                   && (!y || ini.WriteInteger(printerName, names().y, *y));
    });
    return accepted && saved;
}

QPoint ReadPrinterScale(const QString &printerName)
{
    const TIniText ini = loadSettings();
    // A correction beyond the limit is a typing slip, not a printer: not believed.
    auto believed = [](int v) { return v >= -MaxPrinterScale && v <= MaxPrinterScale ? v : 0; };
    return {believed(ini.ReadInteger(printerName, names().xScale, 0)),
            believed(ini.ReadInteger(printerName, names().yScale, 0))};
}

bool WritePrinterScale(const QString &printerName, int x, int y)
{
    bool accepted = false;
    const bool saved = updateSettings([&](TIniText &ini) {
        accepted = ini.WriteInteger(printerName, names().xScale, x) && ini.WriteInteger(printerName, names().yScale, y);
    });
    return accepted && saved;
}

int ReadPrintTrimMode()
{
    // Anything outside direct, indirect and off would print unclipped.
    const int mode = loadSettings().ReadInteger(names().print, names().printMode, 0);
    return mode >= 0 && mode <= 2 ? mode : 0;
}

bool WritePrintTrimMode(int mode)
{
    return updateSettings([&](TIniText &ini) { ini.WriteInteger(names().print, names().printMode, mode); });
}

QString ReadScanSource() { return loadSettings().ReadString(names().misc, names().scanSource, {}); }

bool WriteScanSource(const QString &device)
{
    return updateSettings([&](TIniText &ini) { ini.WriteString(names().misc, names().scanSource, device); });
}

TPageViewPlacement ReadPageView()
{
    const TNames &n = names();
    const TIniText ini = loadSettings();
    TPageViewPlacement p;
    p.X = ini.ReadInteger(n.misc, n.prvx, p.X);
    p.Y = ini.ReadInteger(n.misc, n.prvy, p.Y);
    p.Width = ini.ReadInteger(n.misc, n.prvw, p.Width);
    p.Height = ini.ReadInteger(n.misc, n.prvh, p.Height);
    p.Maximized = ini.ReadBool(n.misc, n.prvMax, p.Maximized);
    return p;
}

bool WritePageView(const TPageViewPlacement &p)
{
    const TNames &n = names();
    return updateSettings([&](TIniText &ini) {
        if (!p.Maximized) {
            ini.WriteInteger(n.misc, n.prvx, p.X);
            ini.WriteInteger(n.misc, n.prvy, p.Y);
            ini.WriteInteger(n.misc, n.prvw, p.Width);
            ini.WriteInteger(n.misc, n.prvh, p.Height);
        }
        ini.WriteBool(n.misc, n.prvMax, p.Maximized);
    });
}

QPoint KeepOnScreen(QPoint topLeft, QSize window, QSize screen)
{
    // The upper limit first: a window larger than the screen keeps its
    // top-left corner (and with it the title) on the screen.
    const int x = std::max(0, std::min(topLeft.x(), screen.width() - window.width()));
    const int y = std::max(0, std::min(topLeft.y(), screen.height() - window.height()));
    return {x, y};
}

TToolBarPlace ReadToolBarPlace(const QString &name, const TToolBarPlace &def)
{
    const TIniText ini = loadSettings();
    TToolBarPlace p;
    p.Area = ini.ReadInteger(name, QStringLiteral("AREA"), def.Area);
    if (p.Area != 1 && p.Area != 2 && p.Area != 4 && p.Area != 8)
        p.Area = def.Area;
    p.Floating = ini.ReadBool(name, QStringLiteral("FLOATING"), def.Floating);
    p.X = ini.ReadInteger(name, QStringLiteral("X"), def.X);
    p.Y = ini.ReadInteger(name, QStringLiteral("Y"), def.Y);
    p.Visible = ini.ReadBool(name, QStringLiteral("VISIBLE"), def.Visible);
    return p;
}

bool WriteToolBarPlace(const QString &name, const TToolBarPlace &p)
{
    return updateSettings([&](TIniText &ini) {
        ini.WriteInteger(name, QStringLiteral("AREA"), p.Area);
        ini.WriteBool(name, QStringLiteral("FLOATING"), p.Floating);
        ini.WriteInteger(name, QStringLiteral("X"), p.X);
        ini.WriteInteger(name, QStringLiteral("Y"), p.Y);
        ini.WriteBool(name, QStringLiteral("VISIBLE"), p.Visible);
    });
}
