#include "Units.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

TEST(FormatLength, ShowsTenthsOfTheUnit)
{
    const std::tuple<int, int32_t, const char *> rows[] = {
        {10, 0, "0,0"},
        {10, 5, "0,5"},
        {10, -5, "-0,5"},
        {10, 10, "1,0"},
        {10, -10, "-1,0"},
        {10, 123, "12,3"},
        {10, -123, "-12,3"},
        {10, 1200, "120,0"},
        {10, INT32_MAX, "214748364,7"},
        {10, INT32_MIN, "-214748364,8"},
        // The inch keeps its code 160 but is a true inch of 254 units; tenths
        // are truncated toward zero.
        {160, 0, "0,0"},
        {160, 25, "0,0"},
        {160, 254, "1,0"},
        {160, -254, "-1,0"},
        {160, 2566, "10,1"},
        {160, -5080, "-20,0"},
        // Below one inch the shown value, not the model value, decides the leading zero.
        {160, 26, "0,1"},
        {160, 127, "0,5"},
        {160, -127, "-0,5"},
        {160, 253, "0,9"}};
    for (const auto &[divisor, value, shown] : rows) {
        SetUnitCode(divisor);
        EXPECT_EQ(FormatLength(value), QString::fromLatin1(shown)) << value << " / " << divisor;
    }
    SetUnitCode(10);
}

TEST(UnitValue, FieldsShowAndReadTheUnitWithEitherSeparator)
{
    EXPECT_EQ((std::tuple{FormatUnitValue(40, UnitCodeMillimetre), FormatUnitValue(40, UnitCodeInch),
                          ParseUnitValue(u"2,5"_s, UnitCodeMillimetre)}),
              std::tuple(u"4.0"_s, u"0.16"_s, 25));
    EXPECT_EQ(ParseUnitValue(u" 0.3 "_s, UnitCodeMillimetre), 3); // not 2.999...
    EXPECT_EQ(ParseUnitValue(u"1"_s, UnitCodeInch), 254);
    EXPECT_EQ(ParseUnitValue(u"-0,5"_s, UnitCodeInch), -127);
    for (const char *bad : {"", "abc", "1e99", "inf", "1.234.5"})
        EXPECT_EQ(ParseUnitValue(QString::fromLatin1(bad), UnitCodeMillimetre), std::nullopt) << bad;
}

} // namespace
