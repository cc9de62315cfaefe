#include "core/web_safe_mode.h"

#include "tests/support/picker_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tintwell;

namespace {

void SetColor(PickerModel& model, std::int16_t red, std::int16_t green, std::int16_t blue)
{
    model.view.UserSetsValue(Slider::ScrollR, red);
    model.view.UserSetsValue(Slider::ScrollG, green);
    model.view.UserSetsValue(Slider::ScrollB, blue);
}

const std::u16string& HexShown(const PickerModel& model)
{
    return model.view.texts[static_cast<std::size_t>(Box::txtHex)];
}

TEST(WebSafeModeTest, CheckingSnapsRedThenGreenThenBlueRefreshingEachTime)
{
    PickerModel model;
    model.Load();
    SetColor(model, 100, 200, 30);

    std::vector<std::u16string> hexAfterEachSnap;
    const auto handler = model.view.onSliderChange;
    model.view.onSliderChange = [&](Slider slider) {
        handler(slider);
        if (!model.state.bUpdating)
            hexAfterEachSnap.push_back(HexShown(model));
    };
    model.view.UserSetsCheckBox(CheckBox::chkWebSafe, 1);

    EXPECT_EQ(hexAfterEachSnap, (std::vector<std::u16string>{u"1EC866", u"1ECC66", u"33CC66"}));
    EXPECT_EQ(model.state.lMasterR, 102);
    EXPECT_EQ(model.state.lMasterG, 204);
    EXPECT_EQ(model.state.lMasterB, 51);
    EXPECT_EQ(model.view.smallChanges, (std::array<std::int16_t, 3>{51, 51, 51}));
    EXPECT_EQ(model.Mismatch(), "");
}

TEST(WebSafeModeTest, ArrowStepsAreSetBeforeAnySliderMoves)
{
    PickerModel model;
    model.Load();
    SetColor(model, 1, 1, 1);
    model.view.log.clear();
    model.view.UserSetsCheckBox(CheckBox::chkWebSafe, 1);
    const std::vector<std::string> start(model.view.log.begin(), model.view.log.begin() + 6);
    EXPECT_EQ(start, (std::vector<std::string>{"chkWebSafe.Value?", "ScrollR.SmallChange=51", "ScrollG.SmallChange=51",
                                               "ScrollB.SmallChange=51", "ScrollR.Value?", "ScrollR.Value=0"}));
}

TEST(WebSafeModeTest, UncheckingRestoresFineStepsAndKeepsTheColor)
{
    PickerModel model;
    model.Load();
    SetColor(model, 100, 200, 30);
    model.view.UserSetsCheckBox(CheckBox::chkWebSafe, 1);
    model.view.UserTypes(Box::txtDecG, u"17"); // typed values are never rounded
    model.view.UserSetsCheckBox(CheckBox::chkWebSafe, 0);

    EXPECT_EQ(model.view.smallChanges, (std::array<std::int16_t, 3>{1, 1, 1}));
    EXPECT_EQ(model.state.lMasterR, 102);
    EXPECT_EQ(model.state.lMasterG, 17);
    EXPECT_EQ(model.state.lMasterB, 51);
    EXPECT_EQ(model.Mismatch(), "");
}

TEST(WebSafeModeTest, AlreadyWebSafeColorMovesNoSlider)
{
    PickerModel model;
    model.Load();
    SetColor(model, 255, 153, 0);
    int moves = 0;
    const auto handler = model.view.onSliderChange;
    model.view.onSliderChange = [&](Slider slider) {
        ++moves;
        handler(slider);
    };
    model.view.UserSetsCheckBox(CheckBox::chkWebSafe, 1);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(HexShown(model), u"0099FF");
}

TEST(WebSafeModeTest, SliderOutsideTheChannelRangeShowsTheMessageAndSnapsToZero)
{
    PickerModel model;
    model.Load();
    model.view.values[1] = 300; // no control can hold this; the model copes
    model.view.UserSetsCheckBox(CheckBox::chkWebSafe, 1);
    ASSERT_EQ(model.messages.size(), 1U);
    EXPECT_EQ(model.messages[0].first, u"RoundToWebSafe()");
    EXPECT_EQ(model.messages[0].second, u"CASE ELSE");
    EXPECT_EQ(model.state.lMasterG, 0);
    EXPECT_EQ(model.Mismatch(), "");
}

} // namespace
