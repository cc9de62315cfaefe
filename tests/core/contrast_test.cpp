#include "core/contrast.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

struct ContrastCase {
    Rgb one;
    Rgb other;
    double ratio; // as WCAG's understanding documents and common checkers give it
    ContrastLevel level;
};

class ContrastTest : public ::testing::TestWithParam<ContrastCase> {};

TEST_P(ContrastTest, MatchesThePublishedRatioAndLevel)
{
    const ContrastCase& c = GetParam();
    EXPECT_NEAR(ContrastRatio(c.one, c.other), c.ratio, 0.005);
    EXPECT_NEAR(ContrastRatio(c.other, c.one), c.ratio, 0.005) << "the order of the two does not matter";
    EXPECT_EQ(LevelOf(ContrastRatio(c.one, c.other)), c.level);
}

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Published, ContrastTest,
    ::testing::Values(ContrastCase{kBlack, kWhite, 21.0, ContrastLevel::AAA},
                      ContrastCase{kWhite, kWhite, 1.0, ContrastLevel::Fails},
                      // #767676 is the lightest grey that passes AA on white.
                      ContrastCase{{0x76, 0x76, 0x76}, kWhite, 4.54, ContrastLevel::AA},
                      ContrastCase{{0x77, 0x77, 0x77}, kWhite, 4.48, ContrastLevel::AALarge},
                      ContrastCase{{0x59, 0x59, 0x59}, kWhite, 7.0, ContrastLevel::AAA},
                      ContrastCase{{0xFF, 0x00, 0x00}, kWhite, 4.0, ContrastLevel::AALarge},
                      ContrastCase{{0x00, 0x00, 0xFF}, kWhite, 8.59, ContrastLevel::AAA},
                      ContrastCase{{0x00, 0x80, 0x00}, kWhite, 5.14, ContrastLevel::AA},
                      ContrastCase{{0xFF, 0xFF, 0x00}, kBlack, 19.56, ContrastLevel::AAA},
                      ContrastCase{{0x94, 0x94, 0x94}, kWhite, 3.03, ContrastLevel::AALarge},
                      // 2.995: short of 3, as checkers say when they show "2.99".
                      ContrastCase{{0x95, 0x95, 0x95}, kWhite, 2.995, ContrastLevel::Fails}));
// clang-format on

TEST(ContrastLevelTest, EachLevelStartsAtItsThreshold)
{
    EXPECT_EQ(LevelOf(2.999), ContrastLevel::Fails);
    EXPECT_EQ(LevelOf(3.0), ContrastLevel::AALarge);
    EXPECT_EQ(LevelOf(4.5), ContrastLevel::AA);
    EXPECT_EQ(LevelOf(7.0), ContrastLevel::AAA);
}

} // namespace
} // namespace tintwell
