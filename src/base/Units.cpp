#include "Units.h"

#include <cstdlib>

namespace {
int g_divisor = 10;
}

int UnitDivisor() { return g_divisor; }

void SetUnitDivisor(int divisor)
{
    // A zero divisor from a damaged settings file would divide by zero below.
    g_divisor = divisor > 0 ? divisor : 10;
}

QString FormatLength(int32_t v)
{
    const int64_t shown = g_divisor == 10 ? int64_t(v) : int64_t(v) * 10 / g_divisor;
    QString s = QString::number(shown);
    const QChar last = s.back();
    s.chop(1);
    // The zero test looks at the shown value, so 0,5 inch keeps its leading zero.
    if (std::abs(shown) < 10)
        return s + QStringLiteral("0,") + last;
    return s + QLatin1Char(',') + last;
}
