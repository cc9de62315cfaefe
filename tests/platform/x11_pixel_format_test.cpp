#include "platform/x11/x11_pixel_format.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using tintwell::Rgb;
using tintwell::platform::x11::DecodePixel;
using tintwell::platform::x11::PixelFormat;

namespace tintwell {

void PrintTo(const Rgb& color, std::ostream* out)
{
    *out << '(' << color.red << ", " << color.green << ", " << color.blue << ')';
}

} // namespace tintwell

namespace {

// The layouts X servers use at depth 16, 24 and 30, in both byte orders and
// at three and four bytes a pixel, and one with a 16-bit channel, the widest
// a 32-bit pixel leaves room for beside two more.
constexpr bool kLsb = false;
constexpr bool kMsb = true;
constexpr PixelFormat k565Lsb{2, kLsb, 0xF800, 0x07E0, 0x001F};
constexpr PixelFormat k565Msb{2, kMsb, 0xF800, 0x07E0, 0x001F};
constexpr PixelFormat k888Lsb{4, kLsb, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr PixelFormat k888Msb{4, kMsb, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr PixelFormat k888PackedLsb{3, kLsb, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr PixelFormat k888PackedMsb{3, kMsb, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr PixelFormat k101010Lsb{4, kLsb, 0x3FF00000, 0x000FFC00, 0x000003FF};
constexpr PixelFormat k101010Msb{4, kMsb, 0x3FF00000, 0x000FFC00, 0x000003FF};
constexpr PixelFormat k1688Lsb{4, kLsb, 0xFFFF0000, 0x0000FF00, 0x000000FF};
constexpr PixelFormat k1688Msb{4, kMsb, 0xFFFF0000, 0x0000FF00, 0x000000FF};

struct PixelCase {
    std::string name;
    PixelFormat format;
    std::vector<std::uint8_t> bytes;
    Rgb color;
};

void PrintTo(const PixelCase& c, std::ostream* out)
{
    *out << c.name;
}

class DecodePixelTest : public testing::TestWithParam<PixelCase> {};

TEST_P(DecodePixelTest, GivesEachChannelsNearestEightBitLevel)
{
    const PixelCase& c = GetParam();
    EXPECT_EQ(DecodePixel(c.bytes.data(), c.format), c.color);
}

// Each channel's level worked out by hand as value × 255 / largest; the
// comments give the exact quotient where it is not whole.
INSTANTIATE_TEST_SUITE_P(
    Depths, DecodePixelTest,
    testing::Values(
        // 0x083F: 1 (8.23), 1 (4.05), 31.
        PixelCase{"depth16_smallest_levels_lsb", k565Lsb, {0x3F, 0x08}, {8, 4, 255}},
        // 0xA40B: 20 (164.52), 32 (129.52), 11 (90.48).
        PixelCase{"depth16_near_halves_msb", k565Msb, {0xA4, 0x0B}, {165, 130, 90}},
        // 0x83F4: 16 (131.61), 31 (125.48), 20 (164.52).
        PixelCase{"depth16_mid_levels_lsb", k565Lsb, {0xF4, 0x83}, {132, 125, 165}},
        PixelCase{"depth16_largest_msb", k565Msb, {0xFF, 0xFF}, {255, 255, 255}},
        // The byte above depth 24 is no channel's, whatever it holds.
        PixelCase{"depth24_lsb", k888Lsb, {0x7F, 0xAB, 0x12, 0xFF}, {0x12, 0xAB, 0x7F}},
        PixelCase{"depth24_msb", k888Msb, {0xFF, 0x12, 0xAB, 0x7F}, {0x12, 0xAB, 0x7F}},
        PixelCase{"depth24_three_bytes_lsb", k888PackedLsb, {0x7F, 0xAB, 0x12}, {0x12, 0xAB, 0x7F}},
        PixelCase{"depth24_three_bytes_msb", k888PackedMsb, {0x12, 0xAB, 0x7F}, {0x12, 0xAB, 0x7F}},
        // 0x00280BFF, two stray bits above: 2 (0.4985), 514 (128.12), 1023.
        PixelCase{"depth30_lsb", k101010Lsb, {0xFF, 0x0B, 0x28, 0xC0}, {0, 128, 255}},
        // 0x3FCFF403: 1020 (254.25), 1021 (254.501, the nearest to a half
        // above), 3 (0.75); cutting to eight bits would give 255, 255, 0.
        PixelCase{"depth30_msb", k101010Msb, {0x3F, 0xCF, 0xF4, 0x03}, {254, 255, 1}},
        // 0x201005FF: 513 (127.87), 1 (0.25), 511 (127.38).
        PixelCase{"depth30_mid_levels_lsb", k101010Lsb, {0xFF, 0x05, 0x10, 0x20}, {128, 0, 127}},
        // 0x800001FE: 32768 (127.502), 1, 254.
        PixelCase{"sixteen_bit_channel_just_above_half_lsb", k1688Lsb, {0xFE, 0x01, 0x00, 0x80}, {128, 1, 254}},
        // 0x7FFF0000: 32767 (127.498).
        PixelCase{"sixteen_bit_channel_just_below_half_msb", k1688Msb, {0x7F, 0xFF, 0x00, 0x00}, {127, 0, 0}}),
    [](const testing::TestParamInfo<PixelCase>& row) { return row.param.name; });

} // namespace
