#include "core/color_sample.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

using namespace tintwell;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;
// Beyond the screen's edge, whatever colour the reader left there.
constexpr std::uint32_t kOff = 0x00FFFFFF;

struct Sample {
    const char* name;
    int width;
    int stride;
    std::vector<std::uint32_t> pixels;
    int x;
    int y;
    int size;
    std::optional<Rgb> mean;
};

class SampleMeanTest : public testing::TestWithParam<Sample> {};

TEST_P(SampleMeanTest, MeanOfTheSquareLeavesOutPlacesOffTheScreen)
{
    const Sample& sample = GetParam();
    const int height = static_cast<int>(sample.pixels.size()) / sample.stride;
    const PixelGrid grid{sample.pixels.data(), sample.width, height, sample.stride};
    EXPECT_EQ(SampleMean(grid, sample.x, sample.y, sample.size), sample.mean);
}

const std::vector<std::uint32_t> kCheckerboard{kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Grids, SampleMeanTest,
    testing::Values(
        Sample{"SizeOneIsThePixelItself", 3, 3, kCheckerboard, 1, 0, 1, Rgb{0, 0, 0}},
        // 5 white and 4 black: 141.67 of each channel.
        Sample{"SquareAroundThePixel", 3, 3, kCheckerboard, 1, 1, 3, Rgb{142, 142, 142}},
        Sample{"EvenSizeTakesTheOddAbove", 3, 3, kCheckerboard, 1, 1, 2, Rgb{142, 142, 142}},
        Sample{"SizeBelowOneIsThePixel", 3, 3, kCheckerboard, 1, 1, -4, Rgb{255, 255, 255}},
        // Red 0 and 1, green 2 and 3: both means end in .5.
        Sample{"HalvesRoundUp", 2, 2, {0xFF000200, 0xFF010300, kOff, kOff}, 0, 0, 3, Rgb{1, 3, 0}},
        // The padding at the end of each row is no part of the picture.
        Sample{"CornerCountsOnlyTheGrid", 2, 3, {kWhite, kWhite, kBlack, kWhite, kWhite, kBlack}, 0, 0, 9,
               Rgb{255, 255, 255}},
        Sample{"EdgeCountsOnlyTheGrid", 3, 3, std::vector(9, kWhite), 2, 1, 3, Rgb{255, 255, 255}},
        Sample{"OffScreenPlacesLeftOut", 3, 3, {kOff, kOff, kOff, kBlack, kBlack, kBlack, kOff, kOff, kOff}, 1,
               1, 3, Rgb{0, 0, 0}},
        Sample{"NothingOnTheScreen", 3, 3, std::vector(9, kOff), 1, 1, 9, std::nullopt},
        Sample{"CentreFarOffTheGrid", 3, 3, kCheckerboard, -2147483647, 5, 9, std::nullopt}),
    [](const testing::TestParamInfo<Sample>& param) { return param.param.name; });
// clang-format on

} // namespace
