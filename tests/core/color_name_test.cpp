#include "core/color_name.h"

#include "core/named_colors.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tintwell;

namespace {

struct Naming {
    const char* name;
    Rgb color;
    std::u16string_view colorName;
    bool exact;
};

class NearestColorNameTest : public testing::TestWithParam<Naming> {};

TEST_P(NearestColorNameTest, NameIsTheNearestInOklab)
{
    const ColorName found = NearestColorName(GetParam().color);
    EXPECT_EQ(found.name, GetParam().colorName);
    EXPECT_EQ(found.exact, GetParam().exact);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Colors, NearestColorNameTest,
    testing::Values(Naming{"Teal", Rgb{0, 128, 128}, u"teal", true},
                    Naming{"White", Rgb{255, 255, 255}, u"white", true},
                    Naming{"AquaBeforeCyan", Rgb{0, 255, 255}, u"aqua", true},
                    Naming{"NearlyTeal", Rgb{0, 128, 129}, u"teal", false},
                    // Sixteen steps of green apart, and both nearest black by
                    // plain RGB distance, the furthest of the three in Oklab.
                    Naming{"DarkGreenBlue", Rgb{8, 48, 36}, u"darkslategray", false},
                    Naming{"DarkBlueGreen", Rgb{8, 32, 36}, u"midnightblue", false}),
    [](const testing::TestParamInfo<Naming>& param) { return param.param.name; });
// clang-format on

TEST(NamedColorsTest, EveryNamedColorIsNamedExactlyByItsFirstName)
{
    const auto names = NamedColors();
    for (const NamedColor& named : names) {
        SCOPED_TRACE(testing::Message() << named.rgb);
        const Rgb color{named.rgb >> 16, (named.rgb >> 8) & 0xFF, named.rgb & 0xFF};
        const auto first = std::ranges::find(names, named.rgb, &NamedColor::rgb);
        EXPECT_EQ(NearestColorName(color).name, first->name);
        EXPECT_TRUE(NearestColorName(color).exact);
    }
}

TEST(ColorNameTextTest, NearNameIsMarkedAsNearlyEqual)
{
    EXPECT_EQ(ColorNameText(Rgb{0, 128, 128}), u"teal");
    EXPECT_EQ(ColorNameText(Rgb{0, 128, 129}), u"\u2248 teal");
}

} // namespace
