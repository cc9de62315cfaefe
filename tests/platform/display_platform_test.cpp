#include "platform/display_platform.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// chosen, Wayland session, X server offered → prefer X11
class DisplayPlatformTest : public testing::TestWithParam<std::tuple<bool, bool, bool, bool>> {};

TEST_P(DisplayPlatformTest, PrefersX11OnlyUnderXWaylandWhenNothingWasChosen)
{
    const auto [chosen, wayland, x11, expected] = GetParam();
    EXPECT_EQ(tintwell::platform::ShouldPreferX11(chosen, wayland, x11), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sessions, DisplayPlatformTest,
                         testing::Values(std::tuple{false, true, true, true},
                                         std::tuple{true, true, true, false},
                                         std::tuple{false, true, false, false},
                                         std::tuple{false, false, true, false},
                                         std::tuple{false, false, false, false}));
// clang-format on

} // namespace
