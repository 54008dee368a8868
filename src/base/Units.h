#pragma once
// Model units are 0.1 mm in int32. Lengths are shown to the user and read
// back in the current unit only through the functions here.

#include <QString>
#include <cstdint>
#include <optional>

// The unit as the settings file stores it. The inch keeps its historical
// code 160, but lengths are shown in true inches of 254 model units.
inline constexpr int UnitCodeMillimetre = 10;
inline constexpr int UnitCodeInch = 160;

int UnitCode();
// Any code but 10 means the inch, as the settings file has it.
void SetUnitCode(int code);
inline bool IsInch(int code) { return code != UnitCodeMillimetre; }
// Model units per shown unit: 10 or 254.
int UnitDivisor(int code = UnitCode());
// Decimals shown in input fields: 1 for mm, 2 for inch.
int UnitDecimals(int code = UnitCode());

// 123 -> "12,3"; 5 -> "0,5"; -5 -> "-0,5"; in inches the value is first
// converted to tenths of an inch.
QString FormatLength(int32_t v);

// An input field's text: v in the unit, fixed-point with its decimals and the
// locale's separator ("4,0", "0.16").
QString FormatUnitValue(int32_t v, int code = UnitCode());
// A typed decimal in the unit, with the locale's separator, a point or a
// comma, truncated to model units; nothing for text that is not a number or
// a length beyond +-limit.
std::optional<int32_t> ParseUnitValue(const QString &text, int code = UnitCode(), int32_t limit = 1000000);
// The same number as a plain decimal, for callers with their own scaling.
std::optional<double> ParseDecimal(const QString &text);

// Colours are stored with red in the low byte.
using TColor = uint32_t;
inline constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
