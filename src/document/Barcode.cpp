#include "Barcode.h"

#include "BinaryStream.h"
#include "Frame.h"
#include "Page.h"
#include "Settings.h"
#include "Text.h"
#include "TextLayout.h"

#include <QFontDatabase>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <memory>
#include <zint.h>

namespace {

constexpr int kModulesPerChar = 13;

bool Code39Carries(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
           || QStringLiteral(" -.$/+%").contains(c);
}

struct TSymbolDeleter
{
    void operator()(zint_symbol *s) const { ZBarcode_Delete(s); }
};

} // namespace

std::unique_ptr<TCDLText> CreateBarcodeFrame(TCDLPage *page, int32_t x, int32_t y)
{
    auto f = std::make_unique<TCDLText>(page, x, y);
    PrepareBarcode(*f);
    return f;
}

void PrepareBarcode(TCDLText &f)
{
    f.Barcode = true;
    f.FontName = AppSettings().BarcodeFont.left(ShortStringMax);
}

bool BarcodeFontInstalled(const QString &family)
{
    static QHash<QString, bool> cache;
    static int generation = -1;
    if (generation != FontGeneration()) {
        cache.clear();
        generation = FontGeneration();
    }
    auto it = cache.constFind(family);
    if (it == cache.constEnd())
        it = cache.insert(family, QFontDatabase::hasFamily(family));
    return *it;
}

QString Code39Data(const QString &transformed, QString *rejected)
{
    const TSettings &s = AppSettings();
    QString t = transformed;
    if (!s.BarcodeStart.isEmpty()) {
        if (t.startsWith(s.BarcodeStart))
            t.remove(0, s.BarcodeStart.size());
        if (t.endsWith(s.BarcodeStart))
            t.chop(s.BarcodeStart.size());
    }
    if (!s.BarcodeSpace.isEmpty())
        t.replace(s.BarcodeSpace, QStringLiteral(" "));
    t = t.toUpper();
    QString out;
    for (QChar c : t) {
        if (Code39Carries(c))
            out.append(c);
        else if (rejected && !rejected->contains(c))
            rejected->append(c);
    }
    return out;
}

QString BarcodeRejects(const TCDLPage &page)
{
    QString rejected;
    for (const auto &f : page.Frames())
        if (const auto *t = dynamic_cast<const TCDLText *>(f.get()))
            for (QChar c : t->BarcodeRejects())
                if (!rejected.contains(c))
                    rejected.append(c);
    return rejected;
}

// A Code 39 font typically draws its narrow bar 0.06 em wide and its wide
// bars three times that: 16 modules, 0.96 em a character. zint draws wide
// bars twice the narrow (13 modules a character), so its module is made wider
// to keep the font's pitch.
double Code39Module(int32_t fontSize)
{
    constexpr double kPitchEm = 0.96, kModelUnitsPerPoint = 254.0 / 72.0;
    return std::clamp(fontSize, 1, 1 << 20) * kModelUnitsPerPoint * kPitchEm / kModulesPerChar;
}

int32_t Code39Advance(int32_t fontSize) { return int32_t(std::lround(kModulesPerChar * Code39Module(fontSize))); }

bool Code39Draws(QChar ch)
{
    const TSettings &s = AppSettings();
    return Code39Carries(ch.toUpper()) || (!s.BarcodeStart.isEmpty() && ch == s.BarcodeStart.front())
           || (!s.BarcodeSpace.isEmpty() && ch == s.BarcodeSpace.front());
}

TCode39Line Code39Line(const QString &line)
{
    const QString &start = AppSettings().BarcodeStart;
    const bool head = !start.isEmpty() && line.startsWith(start);
    const bool tail = !start.isEmpty() && QStringView(line).mid(head ? start.size() : 0).endsWith(start);
    const QByteArray data = Code39Data(line, nullptr).toLatin1();
    if (data.isEmpty() && !head && !tail)
        return {};
    // zint encodes nothing empty: a lone start or stop character comes from
    // a symbol of one digit.
    const QByteArray encoded = data.isEmpty() ? QByteArrayLiteral("0") : data;
    std::unique_ptr<zint_symbol, TSymbolDeleter> sym(ZBarcode_Create());
    sym->symbology = BARCODE_CODE39;
    sym->show_hrt = 0;
    sym->whitespace_width = 0;
    if (ZBarcode_Encode_and_Buffer_Vector(sym.get(), reinterpret_cast<const unsigned char *>(encoded.constData()),
                                          int(encoded.size()), 0)
            >= ZINT_ERROR
        || !sym->vector || sym->width <= 0 || sym->vector->width <= 0)
        return {};
    const double perModule = sym->vector->width / sym->width;
    const int dataEnd = kModulesPerChar * int(encoded.size() + 1);
    // Module ranges of the symbol the line shows: start, data, stop.
    std::vector<std::pair<int, int>> ranges;
    if (head)
        ranges.emplace_back(0, kModulesPerChar);
    if (!data.isEmpty())
        ranges.emplace_back(kModulesPerChar, dataEnd);
    if (tail)
        ranges.emplace_back(dataEnd, sym->width);
    TCode39Line out;
    for (const auto &[from, to] : ranges) {
        for (const zint_vector_rect *r = sym->vector->rectangles; r; r = r->next) {
            const int x = int(std::lround(r->x / perModule));
            if (x >= from && x < to)
                out.Bars.push_back({out.Modules + x - from, int(std::lround(r->width / perModule))});
        }
        out.Modules += to - from;
    }
    return out;
}
