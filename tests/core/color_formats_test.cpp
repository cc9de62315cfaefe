#include "core/color_formats.h"

#include "core/color_view.h"
#include "core/run_time_error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using namespace tintwell;

namespace {

struct PadCase {
    std::u16string sString;
    std::int16_t iLength;
    std::u16string sPadChar;
    std::u16string expected;
};

class PadStringTest : public testing::TestWithParam<PadCase> {};

TEST_P(PadStringTest, PutsWholePadStringsInFrontUntilLongEnough)
{
    const PadCase& c = GetParam();
    EXPECT_EQ(PadString(c.sString, c.iLength, c.sPadChar), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, PadStringTest,
    testing::Values(PadCase{u"5", 2, u"0", u"05"},
                    PadCase{u"", 2, u"0", u"00"},
                    PadCase{u"AB", 2, u"0", u"AB"},
                    PadCase{u"ABC", 2, u"0", u"ABC"},      // never cut
                    PadCase{u"7", 4, u"ab", u"abab7"},     // may overshoot
                    PadCase{u"7", 3, u"ab", u"ab7"},
                    PadCase{u"", 5, u"xyz", u"xyzxyz"},
                    PadCase{u"7", 0, u"0", u"7"},
                    PadCase{u"7", -3, u"0", u"7"},         // negative length pads nothing
                    PadCase{u"5", 2, u"", u"5"},           // empty pad: unchanged, no hang
                    PadCase{u"", 32767, u"", u""}));
// clang-format on

TEST(PadStringTest, ReachesTheLargestLength)
{
    const std::u16string padded = PadString(u"1", 32767, u"0");
    ASSERT_EQ(padded.size(), 32767U);
    EXPECT_EQ(padded.back(), u'1');
    EXPECT_EQ(padded.find_first_not_of(u'0'), 32766U);
}

struct ChannelTextCase {
    std::int32_t channel;
    std::u16string decimal;
    std::u16string hex;
};

class ChannelTextTest : public testing::TestWithParam<ChannelTextCase> {};

TEST_P(ChannelTextTest, DecimalIsPlainAndHexTextIsTwoUpperCaseDigits)
{
    const ChannelTextCase& c = GetParam();
    EXPECT_EQ(ChannelDecimalText(c.channel), c.decimal);
    EXPECT_EQ(ChannelHexText(c.channel), c.hex);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ChannelTextTest,
                         testing::Values(ChannelTextCase{0, u"0", u"00"},
                                         ChannelTextCase{10, u"10", u"0A"},
                                         ChannelTextCase{15, u"15", u"0F"},
                                         ChannelTextCase{16, u"16", u"10"},
                                         ChannelTextCase{171, u"171", u"AB"},
                                         ChannelTextCase{255, u"255", u"FF"}));
// clang-format on

TEST(ChannelTextTest, EveryChannelHexTextReadsBackAsItsValue)
{
    for (std::int32_t channel = 0; channel <= kMaxChannel; ++channel) {
        const std::u16string hex = ChannelHexText(channel);
        ASSERT_EQ(hex.size(), 2U) << channel;
        EXPECT_EQ(std::stoi(std::string(hex.begin(), hex.end()), nullptr, 16), channel);
    }
}

struct PackCase {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
    std::int32_t value;
    std::u16string decimal;
    std::u16string hex;
};

class ColorValueTest : public testing::TestWithParam<PackCase> {};

TEST_P(ColorValueTest, PacksRedInTheLowByteAndWritesBlueFirst)
{
    const PackCase& c = GetParam();
    EXPECT_EQ(ColorValue(c.red, c.green, c.blue), c.value);
    EXPECT_EQ(ColorDecimalText(c.red, c.green, c.blue), c.decimal);
    EXPECT_EQ(ColorHexText(c.red, c.green, c.blue), c.hex);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ColorValueTest,
    testing::Values(PackCase{0, 0, 0, 0, u"0", u"000000"},
                    PackCase{255, 0, 0, 255, u"255", u"0000FF"},
                    PackCase{0, 255, 0, 65280, u"65280", u"00FF00"},
                    PackCase{0, 0, 255, 16711680, u"16711680", u"FF0000"},
                    PackCase{255, 255, 255, 16777215, u"16777215", u"FFFFFF"},
                    PackCase{1, 2, 3, 197121, u"197121", u"030201"},
                    PackCase{255, 128, 0, 33023, u"33023", u"0080FF"}));
// clang-format on

TEST(ColorValueTest, RaisesOverflowInsteadOfWrapping)
{
    const std::vector<std::pair<std::int32_t, std::int32_t>> greenBlue{
        {0, 32768},     // the blue product alone
        {8388608, 0},   // the green product alone
        {32767, 32767}, // the sum of the two products
    };
    for (const auto& [green, blue] : greenBlue) {
        try {
            ColorValue(0, green, blue);
            ADD_FAILURE() << "no overflow for green " << green << ", blue " << blue;
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Overflow);
        }
    }
    EXPECT_THROW(ColorValue(2147483647, 0, 1), RunTimeError);
    EXPECT_EQ(ColorValue(-2147483647 - 1, 0, 0), -2147483647 - 1);
}

struct WholeNumberCase {
    std::u16string text;
    std::int32_t value;
};

class TextToInt32Test : public testing::TestWithParam<WholeNumberCase> {};

TEST_P(TextToInt32Test, ReadsWholeNumbers)
{
    EXPECT_EQ(TextToInt32(GetParam().text), GetParam().value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, TextToInt32Test,
                         testing::Values(WholeNumberCase{u"0", 0},
                                         WholeNumberCase{u"16777215", 16777215},
                                         WholeNumberCase{u" 42\t", 42},
                                         WholeNumberCase{u"+7", 7},
                                         WholeNumberCase{u"-12", -12},
                                         WholeNumberCase{u"007", 7},
                                         WholeNumberCase{u"2147483647", 2147483647},
                                         WholeNumberCase{u"-2147483648", -2147483647 - 1}));
// clang-format on

TEST(TextToInt32Test, RaisesTypeMismatchOrOverflowForOtherTexts)
{
    const std::vector<std::pair<std::u16string, ErrorKind>> cases{
        {u"", ErrorKind::TypeMismatch},
        {u"  ", ErrorKind::TypeMismatch},
        {u"-", ErrorKind::TypeMismatch},
        {u"abc", ErrorKind::TypeMismatch},
        {u"12a", ErrorKind::TypeMismatch},
        {u"1 2", ErrorKind::TypeMismatch},
        {u"0x10", ErrorKind::TypeMismatch},
        {u"\u0661", ErrorKind::TypeMismatch}, // an Arabic-Indic one
        {u"2147483648", ErrorKind::Overflow},
        {u"-2147483649", ErrorKind::Overflow},
        {std::u16string(10000, u'9'), ErrorKind::Overflow},
    };
    for (const auto& [text, kind] : cases) {
        try {
            TextToInt32(text);
            ADD_FAILURE() << "accepted \"" << std::string(text.begin(), text.end()) << '"';
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.kind(), kind) << std::string(text.begin(), text.end());
        }
    }
}

class RecordingMessageBox final : public OkMessageBox {
public:
    void Show(std::u16string_view prompt, std::u16string_view title) override { shown.emplace_back(prompt, title); }
    std::vector<std::pair<std::u16string, std::u16string>> shown;
};

struct WebSafeCase {
    std::int32_t value;
    std::int32_t level;
};

class RoundToWebSafeTest : public testing::TestWithParam<WebSafeCase> {};

TEST_P(RoundToWebSafeTest, SnapsToTheLevelOfItsBandSilently)
{
    RecordingMessageBox box;
    EXPECT_EQ(RoundToWebSafe(GetParam().value, box), GetParam().level);
    EXPECT_TRUE(box.shown.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    BandEdges, RoundToWebSafeTest,
    testing::Values(WebSafeCase{0, 0}, WebSafeCase{25, 0}, WebSafeCase{26, 51},
                    WebSafeCase{51, 51}, WebSafeCase{76, 51}, WebSafeCase{77, 102},
                    WebSafeCase{102, 102}, WebSafeCase{127, 102}, WebSafeCase{128, 153},
                    WebSafeCase{153, 153}, WebSafeCase{178, 153}, WebSafeCase{179, 204},
                    WebSafeCase{204, 204}, WebSafeCase{229, 204}, WebSafeCase{230, 255},
                    WebSafeCase{255, 255}));
// clang-format on

TEST(RoundToWebSafeTest, EveryChannelLandsOnTheNearestLevel)
{
    RecordingMessageBox box;
    for (std::int32_t value = 0; value <= kMaxChannel; ++value) {
        const std::int32_t level = RoundToWebSafe(value, box);
        EXPECT_EQ(level % kWebSafeStep, 0) << value;
        EXPECT_LE(std::abs(level - value), kWebSafeStep / 2) << value;
    }
    EXPECT_TRUE(box.shown.empty());
}

TEST(RoundToWebSafeTest, OutOfRangeShowsTheOkBoxOnceAndGivesZero)
{
    for (const std::int32_t value : {-1, 256, -2147483647 - 1, 2147483647}) {
        RecordingMessageBox box;
        EXPECT_EQ(RoundToWebSafe(value, box), 0) << value;
        ASSERT_EQ(box.shown.size(), 1U) << value;
        EXPECT_EQ(box.shown[0].first, u"RoundToWebSafe()");
        EXPECT_EQ(box.shown[0].second, u"CASE ELSE");
    }
}

} // namespace
