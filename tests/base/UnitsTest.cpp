#include "Units.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

struct LengthCase
{
    int divisor;
    int32_t value;
    const char *shown;
};
void PrintTo(const LengthCase &c, std::ostream *os) { *os << c.value << " / " << c.divisor; }

class FormatLengthTest : public ::testing::TestWithParam<LengthCase>
{
protected:
    void TearDown() override { SetUnitDivisor(10); }
};

TEST_P(FormatLengthTest, ShowsTenthsOfTheUnit)
{
    SetUnitDivisor(GetParam().divisor);
    EXPECT_EQ(FormatLength(GetParam().value), QString::fromLatin1(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Millimetres, FormatLengthTest,
                         ::testing::Values(LengthCase{10, 0, "0,0"}, LengthCase{10, 5, "0,5"},
                                           LengthCase{10, -5, "-0,5"}, LengthCase{10, 10, "1,0"},
                                           LengthCase{10, -10, "-1,0"}, LengthCase{10, 123, "12,3"},
                                           LengthCase{10, -123, "-12,3"}, LengthCase{10, 1200, "120,0"},
                                           LengthCase{10, INT32_MAX, "214748364,7"},
                                           LengthCase{10, INT32_MIN, "-214748364,8"}));

// 160 units make one inch; tenths are truncated toward zero.
INSTANTIATE_TEST_SUITE_P(Inch, FormatLengthTest,
                         ::testing::Values(LengthCase{160, 0, "0,0"}, LengthCase{160, 9, "0,0"},
                                           LengthCase{160, 160, "1,0"}, LengthCase{160, -160, "-1,0"},
                                           LengthCase{160, 1616, "10,1"}, LengthCase{160, -3200, "-20,0"}));

// Below one inch the shown value, not the model value, decides the leading zero.
INSTANTIATE_TEST_SUITE_P(InchBelowOne, FormatLengthTest,
                         ::testing::Values(LengthCase{160, 15, "0,0"}, LengthCase{160, 16, "0,1"},
                                           LengthCase{160, 80, "0,5"}, LengthCase{160, -80, "-0,5"},
                                           LengthCase{160, 159, "0,9"}));

TEST(UnitDivisor, NonPositiveFallsBackToMillimetres)
{
    SetUnitDivisor(0);
    EXPECT_EQ(UnitDivisor(), 10);
    SetUnitDivisor(-160);
    EXPECT_EQ(UnitDivisor(), 10);
    EXPECT_EQ(FormatLength(123), u"12,3"_s);
}

} // namespace
