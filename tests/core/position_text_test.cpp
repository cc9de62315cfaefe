#include "core/position_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

using tintwell::PositionFromText;
using tintwell::PositionText;

namespace {

struct TextCase {
    float twips;
    std::u16string separator;
    std::u16string text;
};

class PositionTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(PositionTextTest, WritesAtMostSevenDigitsWithTheLocalesSeparator)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(PositionText(c.twips, c.separator), c.text);
}

TEST_P(PositionTextTest, ReadsBackWhatItWrote)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(PositionFromText(c.text, c.separator), c.twips);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Positions, PositionTextTest,
    testing::Values(TextCase{1500.0F, u".", u"1500"},
                    TextCase{0.0F, u".", u"0"},
                    TextCase{-300.0F, u".", u"-300"},
                    TextCase{1000.0F, u",", u"1000"},
                    TextCase{1500.5F, u".", u"1500.5"},
                    TextCase{1500.5F, u",", u"1500,5"},
                    TextCase{1234567.0F, u".", u"1234567"},
                    TextCase{1e8F, u".", u"1E+08"},
                    TextCase{13.09091F, u".", u"13.09091"}));
// clang-format on

struct ReadCase {
    std::u16string text;
    std::u16string separator;
    std::optional<float> twips;
};

class PositionFromTextTest : public testing::TestWithParam<ReadCase> {};

TEST_P(PositionFromTextTest, AcceptsOnlyFiniteSinglePrecisionNumbers)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(PositionFromText(c.text, c.separator), c.twips);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Texts, PositionFromTextTest,
    testing::Values(ReadCase{u" 1500 ", u".", 1500.0F},
                    ReadCase{u"1e30", u".", 1e30F},
                    ReadCase{u"1e39", u".", std::nullopt},
                    ReadCase{u"-1e39", u".", std::nullopt},
                    ReadCase{u"1e999", u".", std::nullopt},
                    ReadCase{u"", u".", std::nullopt},
                    ReadCase{u"abc", u".", std::nullopt},
                    ReadCase{u"nan", u".", std::nullopt},
                    ReadCase{u"1500,5", u".", std::nullopt},
                    ReadCase{u"1500.5", u",", std::nullopt}));
// clang-format on

} // namespace
