#pragma once
// Model units are 0.1 mm in int32. Lengths are shown to the user through one
// formatter that honours the process-wide unit divisor (10 mm, 160 inch).

#include <QString>
#include <cstdint>

int UnitDivisor();
void SetUnitDivisor(int divisor);

// 123 -> "12,3"; 5 -> "0,5"; -5 -> "-0,5"; with divisor 160 the value is
// first converted to tenths of the display unit.
QString FormatLength(int32_t v);

// Colours are stored with red in the low byte.
using TColor = uint32_t;
inline constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
