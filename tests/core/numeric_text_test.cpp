#include "core/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

using tintwell::ParseNumber;
using tintwell::ToWholeNumber;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ParseCase {
    std::u16string text;
    std::u16string separator;
    std::optional<double> number;
};

class ParseNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheLocalesNumbersAndNothingElse)
{
    const ParseCase& c = GetParam();
    const auto number = ParseNumber(c.text, c.separator);
    ASSERT_EQ(number.has_value(), c.number.has_value());
    if (number) {
        EXPECT_EQ(*number, *c.number);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Numeric, ParseNumberTest,
    testing::Values(ParseCase{u"0", u".", 0.0},
                    ParseCase{u"255", u".", 255.0},
                    ParseCase{u"  42\t", u".", 42.0},
                    ParseCase{u"\u00A042", u".", 42.0},
                    ParseCase{u"+7", u".", 7.0},
                    ParseCase{u"-5", u".", -5.0},
                    ParseCase{u"12.5", u".", 12.5},
                    ParseCase{u"12.", u".", 12.0},
                    ParseCase{u".5", u".", 0.5},
                    ParseCase{u"-.5", u".", -0.5},
                    ParseCase{u"1e2", u".", 100.0},
                    ParseCase{u"1E+2", u".", 100.0},
                    ParseCase{u"2.5e-1", u".", 0.25},
                    ParseCase{u"007", u".", 7.0},
                    ParseCase{u"12,5", u",", 12.5},
                    ParseCase{u"1e999", u".", kInf},
                    ParseCase{u"-1e999", u".", -kInf},
                    ParseCase{u"1e99999999999999999999999", u".", kInf},
                    ParseCase{u"0.0001e999", u".", kInf},
                    ParseCase{u"1e-999", u".", 0.0},
                    ParseCase{u"123456e-99999999999999999999", u".", 0.0},
                    ParseCase{u"0e99999", u".", 0.0},
                    ParseCase{u"10e9223372036854775807", u".", kInf},   // exponent at its limit
                    ParseCase{u".01e-9223372036854775808", u".", 0.0},
                    ParseCase{u"-10e9223372036854775807", u".", -kInf},
                    ParseCase{std::u16string(10000, u'9'), u".", kInf},
                    ParseCase{u"0." + std::u16string(10000, u'0') + u"1", u".", 0.0}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    NotNumeric, ParseNumberTest,
    testing::Values(ParseCase{u"", u".", std::nullopt},
                    ParseCase{u"   ", u".", std::nullopt},
                    ParseCase{u"abc", u".", std::nullopt},
                    ParseCase{u"12a", u".", std::nullopt},
                    ParseCase{u"1 2", u".", std::nullopt},
                    ParseCase{u"-", u".", std::nullopt},
                    ParseCase{u".", u".", std::nullopt},
                    ParseCase{u"+-1", u".", std::nullopt},
                    ParseCase{u"1e", u".", std::nullopt},
                    ParseCase{u"1e+", u".", std::nullopt},
                    ParseCase{u"e5", u".", std::nullopt},
                    ParseCase{u"1.2.3", u".", std::nullopt},
                    ParseCase{u"12,5", u".", std::nullopt},  // English reads no comma
                    ParseCase{u"12.5", u",", std::nullopt},  // German reads no point
                    ParseCase{u"1,000", u".", std::nullopt},
                    ParseCase{u"inf", u".", std::nullopt},
                    ParseCase{u"-infinity", u".", std::nullopt},
                    ParseCase{u"nan", u".", std::nullopt},
                    ParseCase{u"0x1F", u".", std::nullopt},
                    ParseCase{u"\u0661\u0662", u".", std::nullopt},
                    ParseCase{u"\uFF11", u".", std::nullopt},
                    ParseCase{u"1\n", u".", std::nullopt},
                    ParseCase{std::u16string(u"1\0", 2), u".", std::nullopt}));
// clang-format on

struct WholeCase {
    double number;
    std::int32_t whole;
};

class ToWholeNumberTest : public testing::TestWithParam<WholeCase> {};

TEST_P(ToWholeNumberTest, RoundsToNearestWithHalvesToEven)
{
    EXPECT_EQ(ToWholeNumber(GetParam().number), GetParam().whole);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ToWholeNumberTest,
    testing::Values(WholeCase{0.0, 0}, WholeCase{-0.0, 0}, WholeCase{0.4, 0},
                    WholeCase{0.5, 0}, WholeCase{1.5, 2}, WholeCase{12.5, 12},
                    WholeCase{13.5, 14}, WholeCase{254.5, 254}, WholeCase{254.51, 255},
                    WholeCase{16777214.5, 16777214}, WholeCase{kInf, 2147483647},
                    WholeCase{-kInf, -2147483647 - 1},
                    WholeCase{std::nan(""), 0}));
// clang-format on

} // namespace
