#include "core/channel_inputs.h"

#include "core/run_time_error.h"
#include "tests/support/picker_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tintwell;

namespace {

TEST(ChannelInputsTest, SliderMovesCarryEveryViewAlong)
{
    PickerModel model;
    model.Load();
    std::vector<std::u16string> shown;
    // Drag green up through every position, as the thumb does.
    for (std::int16_t position = 1; position <= 200; ++position) {
        model.view.UserSetsValue(Slider::ScrollG, position);
        ASSERT_EQ(model.Mismatch(), "") << position;
        shown.push_back(model.view.texts[Index(Box::txtDecG)]);
    }
    EXPECT_EQ(model.state.lMasterG, 200);
    EXPECT_EQ(shown.front(), u"1");
    EXPECT_EQ(shown.back(), u"200");
    EXPECT_EQ(model.view.texts[Index(Box::txtHexG)], u"C8");
    EXPECT_EQ(model.view.texts[Index(Box::txtDec)], u"51200");
}

struct TypedCase {
    Channel channel;
    std::u16string typed;
    std::u16string separator;
    std::u16string shown;
    std::int32_t value;
};

class TypedChannelText : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedChannelText, IsCorrectedInPlaceAndBecomesTheChannel)
{
    const TypedCase& c = GetParam();
    PickerModel model(c.separator);
    model.Load();
    model.state.Level(c.channel) = 77; // something the entry must replace
    model.state.UpdateDisplay();

    model.view.UserTypes(BoxOf(c.channel, Notation::Decimal), c.typed);

    EXPECT_EQ(model.view.texts[Index(BoxOf(c.channel, Notation::Decimal))], c.shown);
    EXPECT_EQ(model.state.Level(c.channel), c.value);
    EXPECT_EQ(model.Mismatch(), "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Entries, TypedChannelText,
    testing::Values(TypedCase{Channel::Green, u"abc", u".", u"0", 0},
                    TypedCase{Channel::Red, u"", u".", u"0", 0},
                    TypedCase{Channel::Red, u"  ", u".", u"0", 0},
                    TypedCase{Channel::Blue, u"300", u".", u"255", 255},
                    TypedCase{Channel::Blue, u"-5", u".", u"0", 0},
                    TypedCase{Channel::Blue, u"255", u".", u"255", 255},
                    TypedCase{Channel::Blue, u"0", u".", u"0", 0},
                    TypedCase{Channel::Red, u"256", u".", u"255", 255},
                    TypedCase{Channel::Red, u"255.4", u".", u"255", 255},
                    TypedCase{Channel::Red, u"254.5", u".", u"254", 254},
                    TypedCase{Channel::Red, u"12.5", u".", u"12", 12},
                    TypedCase{Channel::Red, u"13.5", u".", u"14", 14},
                    TypedCase{Channel::Red, u"-0.4", u".", u"0", 0},
                    TypedCase{Channel::Green, u" 42 ", u".", u"42", 42},
                    TypedCase{Channel::Green, u"007", u".", u"7", 7},
                    TypedCase{Channel::Green, u"1e2", u".", u"100", 100},
                    TypedCase{Channel::Green, u"1e999", u".", u"255", 255},
                    TypedCase{Channel::Green, u"-1e999", u".", u"0", 0},
                    TypedCase{Channel::Green, u"inf", u".", u"0", 0},
                    TypedCase{Channel::Green, u"nan", u".", u"0", 0},
                    TypedCase{Channel::Green, std::u16string(5000, u'7'), u".", u"255", 255},
                    TypedCase{Channel::Red, u"1,5", u".", u"0", 0},
                    TypedCase{Channel::Red, u"1,5", u",", u"2", 2},
                    TypedCase{Channel::Red, u"1.5", u",", u"0", 0}));
// clang-format on

struct ColorCase {
    std::u16string typed;
    std::u16string shown;
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
};

class TypedColorText : public testing::TestWithParam<ColorCase> {};

TEST_P(TypedColorText, IsCorrectedAndSplitIntoTheChannels)
{
    const ColorCase& c = GetParam();
    PickerModel model;
    model.Load();
    model.view.UserTypes(Box::txtDec, c.typed);

    EXPECT_EQ(model.view.texts[Index(Box::txtDec)], c.shown);
    EXPECT_EQ(model.state.lMasterR, c.red);
    EXPECT_EQ(model.state.lMasterG, c.green);
    EXPECT_EQ(model.state.lMasterB, c.blue);
    EXPECT_EQ(model.Mismatch(), "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Entries, TypedColorText,
    testing::Values(ColorCase{u"65280", u"65280", 0, 255, 0},
                    ColorCase{u"197121", u"197121", 1, 2, 3},
                    ColorCase{u"16777215", u"16777215", 255, 255, 255},
                    ColorCase{u"16777216", u"16777215", 255, 255, 255},
                    ColorCase{u"-1", u"0", 0, 0, 0},
                    ColorCase{u"abc", u"0", 0, 0, 0},
                    ColorCase{u"", u"0", 0, 0, 0},
                    ColorCase{u"255.5", u"256", 0, 1, 0},
                    ColorCase{u"1e999", u"16777215", 255, 255, 255},
                    ColorCase{u"2147483648", u"16777215", 255, 255, 255}));
// clang-format on

TEST(ChannelInputsTest, TypedColorShowsItsHexadecimalBlueFirst)
{
    PickerModel model;
    model.Load();
    model.view.UserTypes(Box::txtDec, u"65280");
    EXPECT_EQ(model.view.texts[Index(Box::txtHex)], u"00FF00");
}

TEST(ChannelInputsTest, TypingIntoAHexBoxPutsItsTextBack)
{
    for (const Box box : {Box::txtHexR, Box::txtHexG, Box::txtHexB}) {
        PickerModel model;
        model.Load();
        model.view.UserTypes(Box::txtDec, u"197121");
        model.view.UserTypes(box, u"ZZ");
        EXPECT_EQ(model.Mismatch(), "") << ControlName(box);
        EXPECT_EQ(model.state.lMasterR, 1);
        EXPECT_EQ(model.state.lMasterG, 2);
        EXPECT_EQ(model.state.lMasterB, 3);
    }
}

TEST(ChannelInputsTest, TypingIntoTheCombinedHexBoxIsLeftAsTyped)
{
    PickerModel model;
    model.Load();
    model.view.UserTypes(Box::txtHex, u"ABCDEF");
    EXPECT_EQ(model.view.texts[Index(Box::txtHex)], u"ABCDEF");
    EXPECT_EQ(model.state.lMasterB, 0);
    model.view.UserSetsValue(Slider::ScrollR, 1);
    EXPECT_EQ(model.view.texts[Index(Box::txtHex)], u"000001");
}

TEST(ChannelInputsTest, AChosenColorIsTakenWholeInOneRefreshEvenInWebSafeMode)
{
    PickerModel model;
    model.Load();
    model.view.UserSetsCheckBox(CheckBox::chkWebSafe, 1);
    model.view.writeCounts.clear();

    model.state.SetColor({255, 128, 1});

    EXPECT_EQ(model.Mismatch(), "");
    EXPECT_EQ(model.view.texts[Index(Box::txtHex)], u"0180FF");
    for (const auto& [control, count] : model.view.writeCounts)
        EXPECT_EQ(count, 1) << control;
}

TEST(ChannelInputsTest, ACorrectionRunsTheHandlerAgainOnTheCorrectedText)
{
    PickerModel model;
    model.Load();
    std::vector<std::u16string> seen;
    const auto handler = model.view.onBoxChange;
    model.view.onBoxChange = [&](Box box) {
        if (box == Box::txtDecB)
            seen.push_back(model.view.texts[Index(box)]);
        handler(box);
    };
    model.view.UserTypes(Box::txtDecB, u"300");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"300", u"255"}));
    EXPECT_EQ(model.state.lMasterB, 255);
}

TEST(ChannelInputsTest, TextThatCannotBeSettledIsATypeMismatch)
{
    // A box that refuses the correction leaves nothing to read as a number.
    PickerModel model;
    model.Load();
    model.view.keepText = [](Box box, const std::u16string& text) { return box == Box::txtDecR ? u"?" : text; };
    try {
        model.view.UserTypes(Box::txtDecR, u"abc");
        FAIL() << "accepted text that is not a number";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch);
        EXPECT_STREQ(error.what(), "Type mismatch: reading the number in txtDecR");
    }
}

} // namespace
