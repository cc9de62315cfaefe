#include "core/still_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tintwell;

namespace {

struct Pick {
    const char* name;
    std::vector<ScreenArea> screens;
    int stillWidth;
    int stillHeight;
    double x;
    double y;
    StillPixel pixel;
    // Still pixels that make one physical pixel of the screen picked on.
    int step;
};

class StillLayoutPickTest : public testing::TestWithParam<Pick> {};

TEST_P(StillLayoutPickTest, PointMapsToTheStillPixelThatShowsIt)
{
    const Pick& pick = GetParam();
    const auto layout = StillLayout::Fit(pick.screens, pick.stillWidth, pick.stillHeight);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->PixelAt(pick.x, pick.y), pick.pixel);
    const auto on = std::find_if(pick.screens.begin(), pick.screens.end(), [&](const ScreenArea& s) {
        return pick.x >= s.x && pick.x < s.x + s.width && pick.y >= s.y && pick.y < s.y + s.height;
    });
    ASSERT_NE(on, pick.screens.end());
    EXPECT_EQ(layout->PhysicalStep(*on), pick.step);
    // The centre of the pixel maps back onto that pixel.
    EXPECT_EQ(layout->PixelAt(layout->LayoutX(pick.pixel.x), layout->LayoutY(pick.pixel.y)), pick.pixel);
}

const ScreenArea kPlain{0, 0, 1280, 1024, 1.0};
const ScreenArea kNativeAtTwo{0, 0, 640, 512, 2.0};
// XWayland on an output at scale 2 sees the logical size and a ratio of one.
const ScreenArea kXWaylandAtTwo{0, 0, 640, 512, 1.0};
const ScreenArea kRightAtTwo{1280, 0, 640, 512, 2.0};

INSTANTIATE_TEST_SUITE_P(
    Layouts, StillLayoutPickTest,
    testing::Values(
        Pick{"OneScreen", {kPlain}, 1280, 1024, 10.5, 20.9, {10, 20}, 1},
        Pick{"ScaleTwoNative", {kNativeAtTwo}, 1280, 1024, 10.5, 20.25, {21, 40}, 1},
        Pick{"ScaleTwoOnXWayland", {kXWaylandAtTwo}, 1280, 1024, 10.0, 20.0, {20, 40}, 2},
        // The still is taken at the larger ratio, so the plain screen's
        // pixels come out doubled.
        Pick{"MixedOnThePlainScreen", {kPlain, kRightAtTwo}, 3840, 2048, 1279.9, 1023.9, {2559, 2047}, 2},
        Pick{"MixedOnTheScaledScreen", {kPlain, kRightAtTwo}, 3840, 2048, 1280.5, 3.25, {2561, 6}, 1},
        Pick{"LeftOfTheOrigin", {{-1280, 0, 1280, 1024, 1.0}, kPlain}, 2560, 1024, -1.0, 0.0, {1279, 0}, 1},
        Pick{"BelowAndOffset", {kPlain, {200, 1024, 1280, 1024, 1.0}}, 1480, 2048, 1479.5, 2047.5, {1479, 2047}, 1},
        Pick{"FractionalScale", {{0, 0, 853, 640, 1.5}}, 1280, 960, 852.9, 639.9, {1279, 959}, 1}),
    [](const testing::TestParamInfo<Pick>& param) { return param.param.name; });

struct Refusal {
    const char* name;
    std::vector<ScreenArea> screens;
    int stillWidth;
    int stillHeight;
};

class StillLayoutRefusalTest : public testing::TestWithParam<Refusal> {};

TEST_P(StillLayoutRefusalTest, StillOfNoScreenLayoutIsRefused)
{
    const Refusal& refusal = GetParam();
    EXPECT_FALSE(StillLayout::Fit(refusal.screens, refusal.stillWidth, refusal.stillHeight).has_value());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Stills, StillLayoutRefusalTest,
    testing::Values(Refusal{"OtherShape", {kPlain}, 1280, 1000},
                    Refusal{"OneScreenOfTwo", {kPlain, kRightAtTwo}, 1280, 1024},
                    Refusal{"HugeHeader", {kPlain}, 100000, 100000},
                    Refusal{"Tiny", {kPlain}, 2, 2},
                    Refusal{"Empty", {kPlain}, 0, 0},
                    Refusal{"NoScreens", {}, 1280, 1024},
                    Refusal{"ScreenWithoutArea", {{0, 0, 0, 1024, 1.0}}, 1280, 1024}),
    [](const testing::TestParamInfo<Refusal>& param) { return param.param.name; });
// clang-format on

TEST(StillLayoutTest, PointsOffTheStillTakeItsNearestPixel)
{
    const auto layout = StillLayout::Fit(std::vector{kPlain}, 1280, 1024);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->PixelAt(-5.0, 5000.0), (StillPixel{0, 1023}));
}

TEST(StillLayoutTest, SectionIsTheStillPartOfEachScreen)
{
    const std::vector screens{kPlain, kRightAtTwo};
    const auto layout = StillLayout::Fit(screens, 3840, 2048);
    ASSERT_TRUE(layout.has_value());
    const auto left = layout->Section(screens[0]);
    const auto right = layout->Section(screens[1]);
    EXPECT_EQ((std::vector{left.x, left.y, left.width, left.height}), (std::vector{0, 0, 2560, 2048}));
    EXPECT_EQ((std::vector{right.x, right.y, right.width, right.height}), (std::vector{2560, 0, 1280, 1024}));
}

} // namespace
