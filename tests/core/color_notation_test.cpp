#include "core/color_notation.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>

using tintwell::HexNotation;
using tintwell::ParseColorNotation;
using tintwell::Rgb;
using tintwell::RgbNotation;

namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20U;

struct ReadCase {
    std::u16string text;
    std::optional<Rgb> color;
};

class ParseColorNotationTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ParseColorNotationTest, ReadsTheColorTheWholeTextNamesAndNothingElse)
{
    EXPECT_EQ(ParseColorNotation(GetParam().text), GetParam().color);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Colors, ParseColorNotationTest,
    testing::Values(ReadCase{u"#f80", Rgb{255, 136, 0}},
                    ReadCase{u"#Ff8000", Rgb{255, 128, 0}},
                    ReadCase{u" \t#fff\r\n", Rgb{255, 255, 255}},
                    ReadCase{u"\u00A0\f#000000\n", Rgb{0, 0, 0}},
                    ReadCase{u"rgb(255, 128, 0)", Rgb{255, 128, 0}},
                    ReadCase{u"RGBA(255,128,0,0.5)", Rgb{255, 128, 0}},
                    ReadCase{u"rgb(255 128 0 / 50%)", Rgb{255, 128, 0}},
                    ReadCase{u"rgba( 1\t2\n3 )", Rgb{1, 2, 3}},
                    ReadCase{u"rgb( 1 ,2 , 3 , 1e999% )", Rgb{1, 2, 3}},
                    ReadCase{u"rgb(1 2 3/-7)", Rgb{1, 2, 3}},
                    ReadCase{u"rgb(10%, 30%, 50%)", Rgb{26, 77, 128}},   // halves round up
                    ReadCase{u"rgb(2.5 0.5 254.5)", Rgb{3, 1, 255}},
                    ReadCase{u"rgb(20%, 127.49, 0.0%)", Rgb{51, 127, 0}},
                    ReadCase{u"rgb(300, -5, 1e999)", Rgb{255, 0, 255}},
                    ReadCase{u"rgb(-1e999 150% -0)", Rgb{0, 255, 0}},
                    ReadCase{u"rgb(-0%, +.5e2%, 1E1)", Rgb{0, 128, 10}},
                    ReadCase{u"RebeccaPurple", Rgb{102, 51, 153}},
                    ReadCase{u"lightGoldenrodYELLOW", Rgb{250, 250, 210}},
                    ReadCase{u"grey", Rgb{128, 128, 128}},
                    ReadCase{u"Gray", Rgb{128, 128, 128}}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Hostile, ParseColorNotationTest,
    testing::Values(ReadCase{std::u16string(4 * kMegabyte, u'7'), std::nullopt},
                    ReadCase{std::u16string(kMegabyte, u' ') + u"#fff" +
                                 std::u16string(kMegabyte, u'\u00A0'),
                             Rgb{255, 255, 255}},
                    ReadCase{u"rgb(" + std::u16string(kMegabyte, u'(') + u"1,2,3" +
                                 std::u16string(kMegabyte, u')') + u")",
                             std::nullopt},
                    ReadCase{u"rgb((1),2,3)", std::nullopt},
                    ReadCase{std::u16string(u"#f\0f", 4), std::nullopt},
                    ReadCase{u"\xD800", std::nullopt},
                    ReadCase{u"r\u0435d", std::nullopt},  // a Cyrillic e
                    ReadCase{u"rgb(\uFF11, 2, 3)", std::nullopt},
                    ReadCase{u"", std::nullopt},
                    ReadCase{u"ff8000", std::nullopt},    // RRGGBB or packed BBGGRR?
                    ReadCase{u"16711680", std::nullopt},
                    ReadCase{u"#12345", std::nullopt},
                    ReadCase{u"#1234", std::nullopt},
                    ReadCase{u"#fff;", std::nullopt},
                    ReadCase{u"transparent", std::nullopt},
                    ReadCase{u"currentColor", std::nullopt},
                    ReadCase{u"rgb (1,2,3)", std::nullopt},
                    ReadCase{u"rgb(1,2)", std::nullopt},
                    ReadCase{u"rgb(1,2,3,4,5)", std::nullopt},
                    ReadCase{u"rgb(1, 2 3)", std::nullopt},
                    ReadCase{u"rgb(1,2,3 / 4)", std::nullopt},
                    ReadCase{u"rgb(1%2%3%)", std::nullopt},
                    ReadCase{u"rgb(5 %, 1, 2)", std::nullopt},
                    ReadCase{u"rgb(1e999, -0, nan)", std::nullopt},
                    ReadCase{u"rgb(none 0 0)", std::nullopt},
                    ReadCase{u"rgb(calc(1), 2, 3)", std::nullopt},
                    ReadCase{u"rgb(1,2,3", std::nullopt},
                    ReadCase{u"rgb(1,2,3) x", std::nullopt}));
// clang-format on

struct WriteCase {
    Rgb color;
    std::u16string hex;
    std::u16string rgb;
};

class ColorNotationWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(ColorNotationWriteTest, WritesUpperCaseHexAndCommaSeparatedRgb)
{
    EXPECT_EQ(HexNotation(GetParam().color), GetParam().hex);
    EXPECT_EQ(RgbNotation(GetParam().color), GetParam().rgb);
}

TEST_P(ColorNotationWriteTest, EachWrittenNotationReadsBackAsTheSameColor)
{
    const Rgb color = GetParam().color;
    EXPECT_EQ(ParseColorNotation(HexNotation(color)), color);
    EXPECT_EQ(ParseColorNotation(RgbNotation(color)), color);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Colors, ColorNotationWriteTest,
    testing::Values(WriteCase{Rgb{0, 0, 0}, u"#000000", u"rgb(0, 0, 0)"},
                    WriteCase{Rgb{255, 128, 0}, u"#FF8000", u"rgb(255, 128, 0)"},
                    WriteCase{Rgb{10, 171, 239}, u"#0AABEF", u"rgb(10, 171, 239)"},
                    WriteCase{Rgb{255, 255, 255}, u"#FFFFFF", u"rgb(255, 255, 255)"}));
// clang-format on

} // namespace

namespace tintwell {
namespace {

struct WrittenCase {
    Rgb color;
    const char16_t* hsl;
    const char16_t* oklch;
};

class CssNotationTest : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(CssNotationTest, WritesTheFewestDigitsThatReadBack)
{
    EXPECT_EQ(HslNotation(GetParam().color), GetParam().hsl);
    EXPECT_EQ(OklchNotation(GetParam().color), GetParam().oklch);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Written, CssNotationTest,
    ::testing::Values(WrittenCase{{255, 128, 0}, u"hsl(30 100% 50%)", u"oklch(0.732 0.1858 53)"},
                      WrittenCase{{0, 0, 0}, u"hsl(0 0% 0%)", u"oklch(0 0 0)"},
                      WrittenCase{{255, 255, 255}, u"hsl(0 0% 100%)", u"oklch(1 0 0)"},
                      WrittenCase{{128, 128, 128}, u"hsl(0 0% 50%)", u"oklch(0.6 0 0)"},
                      WrittenCase{{255, 0, 0}, u"hsl(0 100% 50%)", u"oklch(0.628 0.2577 29.23)"}));
// clang-format on

} // namespace
} // namespace tintwell

namespace tintwell {
namespace {

struct CssReadCase {
    const char16_t* text;
    std::optional<Rgb> color;
};

class CssColor4Test : public ::testing::TestWithParam<CssReadCase> {};

TEST_P(CssColor4Test, ReadsEachFunctionAsCssDoes)
{
    EXPECT_EQ(ParseColorNotation(GetParam().text), GetParam().color);
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kLime{0, 255, 0};
constexpr Rgb kCyan{0, 255, 255};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Css, CssColor4Test,
    ::testing::Values(CssReadCase{u"hsl(120deg 100% 50%)", kLime}, CssReadCase{u"hsl(120, 100%, 50%)", kLime},
                      CssReadCase{u"HSLA(0.5turn 100% 50% / 0.5)", kCyan},
                      CssReadCase{u"hsl(200grad 100% 50%)", kCyan},
                      CssReadCase{u"hsl(3.14159265rad 100% 50%)", kCyan},
                      CssReadCase{u"hsl(none 0% 50%)", Rgb{128, 128, 128}},
                      CssReadCase{u"hsl(30 100 50)", Rgb{255, 128, 0}},
                      CssReadCase{u"hwb(120 0% 0%)", kLime}, CssReadCase{u"lab(54.29% 80.8 69.89)", kRed},
                      CssReadCase{u"lch(54.29 106.84 40.85)", kRed},
                      CssReadCase{u"oklab(62.796% 0.22486 0.12585)", kRed},
                      CssReadCase{u"oklch(0.628 0.2577 29.23)", kRed},
                      CssReadCase{u"oklch(62.8% 64.4% 29.23deg)", kRed}, CssReadCase{u"color(srgb 1 0 0)", kRed},
                      CssReadCase{u"color(SRGB 100% 50% 0% / 1)", Rgb{255, 128, 0}},
                      // Beyond sRGB: chroma goes, not each channel clipped.
                      // (clipping would give #FF0000): the lightness stays, so a lighter red.
                      CssReadCase{u"color(srgb 1.2 0 0)", Rgb{255, 105, 86}},
                      CssReadCase{u"oklch(1.2 0.3 40)", Rgb{255, 255, 255}},
                      // Oklab maps as Oklch does, not by way of sRGB, which
                      // loses the lightness: 100% is white, and a chroma far
                      // out, even beyond a double, keeps lightness 0.5.
                      CssReadCase{u"oklab(100% 0.22486 0)", Rgb{255, 255, 255}},
                      CssReadCase{u"oklab(0.5 1e10 0)", Rgb{187, 0, 94}},
                      CssReadCase{u"oklab(0.5 1e308 1e308)", Rgb{172, 54, 0}},
                      // Too far out for a double to reach Oklab: not white.
                      CssReadCase{u"color(srgb -1e300 0 0)", std::nullopt},
                      // Refused.
                      CssReadCase{u"hsl(120 100%)", std::nullopt}, CssReadCase{u"lab(50 0 0 0)", std::nullopt},
                      CssReadCase{u"hsl(120% 100% 50%)", std::nullopt},
                      CssReadCase{u"color(display-p3 1 0 0)", std::nullopt},
                      CssReadCase{u"oklch(0.5, 0.1, 30)", std::nullopt}, CssReadCase{u"hwb(1e999 0% 0%)", std::nullopt},
                      CssReadCase{u"lab()", std::nullopt}, CssReadCase{u"color()", std::nullopt}));
// clang-format on

TEST(CssNotationRoundTripTest, EveryWrittenNotationReadsBackAsItsColour)
{
    for (std::int32_t r = 0; r <= 255; r += r == 253 ? 2 : 23)
        for (std::int32_t g = 0; g <= 255; g += g == 253 ? 2 : 23)
            for (std::int32_t b = 0; b <= 255; b += b == 253 ? 2 : 23) {
                const Rgb color{r, g, b};
                ASSERT_EQ(ParseColorNotation(HslNotation(color)), color);
                ASSERT_EQ(ParseColorNotation(OklchNotation(color)), color);
            }
}

} // namespace
} // namespace tintwell
