#include "Units.h"

#include <QLocale>
#include <cmath>
#include <cstdlib>

namespace {
int g_code = UnitCodeMillimetre;
constexpr int ModelUnitsPerInch = 254;

// The platform's separators without grouping: a field reads back what it
// shows ("1638.4", not "1,638.4").
QLocale NumberLocale()
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return l;
}
} // namespace

int UnitCode() { return g_code; }

void SetUnitCode(int code) { g_code = IsInch(code) ? UnitCodeInch : UnitCodeMillimetre; }

int UnitDivisor(int code) { return IsInch(code) ? ModelUnitsPerInch : 10; }

int UnitDecimals(int code) { return IsInch(code) ? 2 : 1; }

QString FormatLength(int32_t v)
{
    const int divisor = UnitDivisor();
    const int64_t shown = divisor == 10 ? int64_t(v) : int64_t(v) * 10 / divisor;
    QString s = QString::number(shown);
    const QChar last = s.back();
    s.chop(1);
    // The zero test looks at the shown value, so 0,5 inch keeps its leading zero.
    if (std::abs(shown) < 10)
        return s + QStringLiteral("0,") + last;
    return s + QLatin1Char(',') + last;
}

QString FormatUnitValue(int32_t v, int code)
{
    return NumberLocale().toString(double(v) / UnitDivisor(code), 'f', UnitDecimals(code));
}

std::optional<double> ParseDecimal(const QString &text)
{
    const QLocale l = NumberLocale();
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString t = text.trimmed();
    bool ok = false;
    double v = l.toDouble(t, &ok);
    if (!ok)
        v = c.toDouble(t, &ok);
    if (!ok)
        v = c.toDouble(QString(t).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::optional<int32_t> ParseUnitValue(const QString &text, int code, int32_t limit)
{
    const std::optional<double> typed = ParseDecimal(text);
    if (!typed)
        return std::nullopt;
    // A hair outwards, so that 0,3 mm is 3 units and not 2,9999...
    const double scaled = *typed * UnitDivisor(code);
    const double v = std::trunc(scaled + (scaled < 0 ? -1e-7 : 1e-7));
    if (std::abs(v) > double(limit))
        return std::nullopt;
    return int32_t(v);
}
