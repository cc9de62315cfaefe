#include "core/recent_colors.h"

#include <gtest/gtest.h>

#include <vector>

namespace tintwell {
namespace {

Rgb Grey(std::int32_t level)
{
    return {level, level, level};
}

struct RecentCase {
    const char* name;
    std::vector<std::int32_t> added;  // grey levels, oldest first
    std::vector<std::int32_t> listed; // newest first
};

class RecentColorsTest : public ::testing::TestWithParam<RecentCase> {};

TEST_P(RecentColorsTest, ListsNewestFirstEachOnceAtMostTwelve)
{
    SCOPED_TRACE(GetParam().name);
    RecentColors recent;
    for (const std::int32_t level : GetParam().added)
        recent.Add(Grey(level));
    std::vector<Rgb> expected;
    for (const std::int32_t level : GetParam().listed)
        expected.push_back(Grey(level));
    EXPECT_EQ(recent.Colors(), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, RecentColorsTest,
    ::testing::Values(RecentCase{"empty", {}, {}}, RecentCase{"newest first", {1, 2, 3}, {3, 2, 1}},
                      RecentCase{"again moves to the front", {1, 2, 3, 1}, {1, 3, 2}},
                      RecentCase{"the same twice is one", {5, 5}, {5}},
                      RecentCase{"the oldest goes past twelve",
                                 {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
                                 {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}},
                      RecentCase{"a repeat at twelve drops nothing",
                                 {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1},
                                 {1, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}}));
// clang-format on

TEST(RecentColorsBeforeTest, IsTheNewestColourTakenThatIsNotTheCurrentOne)
{
    RecentColors recent;
    EXPECT_EQ(recent.Before(Grey(1)), std::nullopt);
    recent.Add(Grey(1));
    EXPECT_EQ(recent.Before(Grey(1)), std::nullopt);
    EXPECT_EQ(recent.Before(Grey(7)), Grey(1));
    recent.Add(Grey(2));
    EXPECT_EQ(recent.Before(Grey(2)), Grey(1));
    EXPECT_EQ(recent.Before(Grey(7)), Grey(2));
}

} // namespace
} // namespace tintwell
