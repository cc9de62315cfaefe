#include "core/color_spaces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace tintwell {
namespace {

struct SpaceCase {
    const char* name;
    std::function<Srgb()> convert;
    Rgb expected;
};

class ColorSpacesTest : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(ColorSpacesTest, GiveTheKnownSrgbColour)
{
    SCOPED_TRACE(GetParam().name);
    EXPECT_EQ(ToRgb(GetParam().convert()), GetParam().expected);
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Known, ColorSpacesTest,
    ::testing::Values(SpaceCase{"oklch red", [] { return FromOklab(FromOklch({0.62796, 0.25768, 29.234})); }, kRed},
                      SpaceCase{"oklab red", [] { return FromOklab({0.62796, 0.22486, 0.12585}); }, kRed},
                      SpaceCase{"lab red", [] { return FromLab({54.29, 80.80, 69.89}); }, kRed},
                      SpaceCase{"lab white", [] { return FromLab({100, 0, 0}); }, kWhite},
                      SpaceCase{"lab black", [] { return FromLab({0, 0, 0}); }, Rgb{0, 0, 0}},
                      SpaceCase{"hsl orange", [] { return FromHsl(30, 1, 0.5); }, Rgb{255, 128, 0}},
                      SpaceCase{"hsl hue past a turn", [] { return FromHsl(390, 1, 0.5); }, Rgb{255, 128, 0}},
                      SpaceCase{"hsl negative hue", [] { return FromHsl(-330, 1, 0.5); }, Rgb{255, 128, 0}},
                      SpaceCase{"hwb red", [] { return FromHwb(0, 0, 0); }, kRed},
                      SpaceCase{"hwb whiteness and blackness past 1", [] { return FromHwb(0, 1, 1); },
                                Rgb{128, 128, 128}}));
// clang-format on

// Every eleventh value of each channel, so 24^3 colours, ends included.
template <typename Check>
void ForSampledColours(Check check)
{
    for (std::int32_t r = 0; r <= 255; r += r == 253 ? 2 : 11)
        for (std::int32_t g = 0; g <= 255; g += g == 253 ? 2 : 11)
            for (std::int32_t b = 0; b <= 255; b += b == 253 ? 2 : 11)
                check(Rgb{r, g, b});
}

TEST(ColorSpacesRoundTripTest, EverySampledColourComesBackThroughEachSpace)
{
    ForSampledColours([](Rgb color) {
        const Srgb srgb = ToSrgb(color);
        ASSERT_EQ(ToRgb(FromOklab(FromOklch(ToOklch(ToOklab(srgb))))), color);
        ASSERT_EQ(ToRgb(FromLab(ToLab(srgb))), color);
        double hue = 0, saturation = 0, lightness = 0;
        ToHsl(srgb, hue, saturation, lightness);
        ASSERT_EQ(ToRgb(FromHsl(hue, saturation, lightness)), color);
    });
}

struct GamutCase {
    const char* name;
    Oklch color;
};

class GamutMappingTest : public ::testing::TestWithParam<GamutCase> {};

TEST_P(GamutMappingTest, KeepsLightnessAndHueAndFits)
{
    const Oklch wanted = GetParam().color;
    const Srgb mapped = MapIntoGamut(wanted);
    EXPECT_TRUE(InGamut(mapped));
    const Oklch got = ToOklch(ToOklab(mapped));
    // Within a just noticeable difference of the wanted lightness and hue,
    // with no more chroma than asked for.
    EXPECT_NEAR(got.l, wanted.l, 0.02);
    EXPECT_LE(got.c, wanted.c + 0.02);
    if (got.c > 0.02) {
        EXPECT_NEAR(std::remainder(got.h - wanted.h, 360.0), 0.0, 5.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    OutOfGamut, GamutMappingTest,
    ::testing::Values(GamutCase{"vivid green", {0.7, 0.4, 150}}, GamutCase{"vivid red", {0.6, 0.4, 30}},
                      GamutCase{"vivid blue", {0.45, 0.4, 265}}, GamutCase{"pale yellow", {0.95, 0.3, 100}},
                      GamutCase{"dark magenta", {0.2, 0.3, 330}}, GamutCase{"in gamut", {0.6, 0.1, 200}}));

TEST(GamutMappingEndsTest, LightnessAtOrPastTheEndsIsWhiteOrBlack)
{
    EXPECT_EQ(ToRgb(MapIntoGamut({1.0, 0.3, 40})), (Rgb{255, 255, 255}));
    EXPECT_EQ(ToRgb(MapIntoGamut({1.5, 0.3, 40})), (Rgb{255, 255, 255}));
    EXPECT_EQ(ToRgb(MapIntoGamut({0.0, 0.3, 40})), (Rgb{0, 0, 0}));
    EXPECT_EQ(ToRgb(MapIntoGamut({-0.5, 0.3, 40})), (Rgb{0, 0, 0}));
}

TEST(GamutMappingEndsTest, AColourInGamutIsLeftAsItIs)
{
    ForSampledColours([](Rgb color) { ASSERT_EQ(ToRgb(MapIntoGamut(ToOklch(ToOklab(ToSrgb(color))))), color); });
}

} // namespace
} // namespace tintwell
