#include "core/channel_state.h"

#include "core/run_time_error.h"
#include "tests/support/fake_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

using namespace tintwell;

namespace {

// A model over the double, with every change event wired to UpdateDisplay the
// way the window's handlers end.
struct Refresh {
    Refresh()
    {
        view.onSliderChange = [this](Slider) { Changed(); };
        view.onBoxChange = [this](Box) { Changed(); };
    }

    void Set(std::int32_t red, std::int32_t green, std::int32_t blue)
    {
        state.lMasterR = red;
        state.lMasterG = green;
        state.lMasterB = blue;
    }

    void Changed()
    {
        flagSeenInEvents.push_back(state.bUpdating);
        state.UpdateDisplay();
    }

    FakeView view;
    ChannelState state{view};
    std::vector<bool> flagSeenInEvents;
};

TEST(ChannelStateTest, RefreshWritesEveryViewOnceInTheFixedOrder)
{
    Refresh r;
    r.Set(255, 128, 0);
    r.state.UpdateDisplay();

    // clang-format off
    const std::vector<std::string> expected{
        "ScrollR.Value=255",  "ScrollG.Value=128",  "ScrollB.Value=0",
        "txtDecR.Text=255",   "txtDecG.Text=128",   "txtDecB.Text=0",
        "txtHexR.Text=FF",    "txtHexG.Text=80",    "txtHexB.Text=00",
        "txtDec.Text=33023",
        "txtHexB.Text?",      "txtHexG.Text?",      "txtHexR.Text?",
        "txtHex.Text=0080FF",
        "txtDec.Text?",
        "shapeColorDemo.BackColor=33023",
    };
    // clang-format on
    EXPECT_EQ(r.view.log, expected);
}

struct ShownCase {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
    std::vector<std::u16string> texts; // in Box order
    std::int32_t backColor;
};

class RefreshShowsChannels : public testing::TestWithParam<ShownCase> {};

TEST_P(RefreshShowsChannels, InEveryBoxAndTheSwatch)
{
    const ShownCase& c = GetParam();
    Refresh r;
    r.view.texts.fill(u"stale");
    r.Set(c.red, c.green, c.blue);
    r.state.UpdateDisplay();

    for (const Box box : kBoxes)
        EXPECT_EQ(r.view.texts[static_cast<std::size_t>(box)], c.texts[static_cast<std::size_t>(box)])
            << ControlName(box);
    EXPECT_EQ(r.view.values,
              (std::array<std::int16_t, 3>{static_cast<std::int16_t>(c.red), static_cast<std::int16_t>(c.green),
                                           static_cast<std::int16_t>(c.blue)}));
    EXPECT_EQ(r.view.backColor, c.backColor);
    EXPECT_FALSE(r.state.bUpdating);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Colors, RefreshShowsChannels,
    testing::Values(
        ShownCase{0, 0, 0, {u"0", u"0", u"0", u"00", u"00", u"00", u"0", u"000000"}, 0},
        ShownCase{255, 128, 0,
                  {u"255", u"128", u"0", u"FF", u"80", u"00", u"33023", u"0080FF"}, 33023},
        ShownCase{0, 0, 255,
                  {u"0", u"0", u"255", u"00", u"00", u"FF", u"16711680", u"FF0000"}, 16711680},
        ShownCase{1, 2, 3, {u"1", u"2", u"3", u"01", u"02", u"03", u"197121", u"030201"}, 197121},
        ShownCase{255, 255, 255,
                  {u"255", u"255", u"255", u"FF", u"FF", u"FF", u"16777215", u"FFFFFF"},
                  16777215}));
// clang-format on

TEST(ChannelStateTest, NestedCallsFromChangeEventsWriteNothing)
{
    Refresh r;
    r.Set(12, 34, 56);
    r.state.UpdateDisplay();

    // Every view changed, so each write raised an event inside it; each event
    // saw the flag up and its nested refresh wrote nothing.
    ASSERT_FALSE(r.flagSeenInEvents.empty());
    EXPECT_TRUE(std::all_of(r.flagSeenInEvents.begin(), r.flagSeenInEvents.end(), [](bool flag) { return flag; }));
    for (const auto& [control, count] : r.view.writeCounts)
        EXPECT_EQ(count, 1) << control;
    EXPECT_EQ(r.view.writeCounts.size(), 12U);
    EXPECT_FALSE(r.state.bUpdating);
}

TEST(ChannelStateTest, CallWhileUpdatingTouchesNoControlAndLeavesTheFlagUp)
{
    Refresh r;
    r.Set(1, 2, 3);
    r.state.bUpdating = true;
    r.state.UpdateDisplay();
    EXPECT_TRUE(r.view.log.empty());
    EXPECT_TRUE(r.state.bUpdating);
}

TEST(ChannelStateTest, CombinedViewsAreReadBackFromTheBoxesJustWritten)
{
    Refresh r;
    // Hex boxes that keep lower case, and a combined decimal box that keeps
    // only its first four characters, as a box with a length limit would.
    r.view.keepText = [](Box box, const std::u16string& text) {
        std::u16string kept = text;
        if (box == Box::txtHexR || box == Box::txtHexG || box == Box::txtHexB)
            std::transform(kept.begin(), kept.end(), kept.begin(),
                           [](char16_t c) { return static_cast<char16_t>(std::tolower(c)); });
        if (box == Box::txtDec)
            kept.resize(std::min<std::size_t>(kept.size(), 4));
        return kept;
    };
    r.Set(255, 128, 0);
    r.state.UpdateDisplay();
    EXPECT_EQ(r.view.texts[static_cast<std::size_t>(Box::txtHex)], u"0080ff");
    EXPECT_EQ(r.view.backColor, 3302);
}

TEST(ChannelStateTest, UnreadableCombinedDecimalIsATypeMismatch)
{
    Refresh r;
    r.view.keepText = [](Box box, const std::u16string& text) { return box == Box::txtDec ? u"n/a" : text; };
    try {
        r.state.UpdateDisplay();
        FAIL() << "the swatch took an unreadable colour";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch);
    }
}

struct OverflowCase {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
    std::size_t writesBeforeError;
};

class RefreshOverflow : public testing::TestWithParam<OverflowCase> {};

TEST_P(RefreshOverflow, IsARunTimeErrorAtTheFirstBadStep)
{
    const OverflowCase& c = GetParam();
    Refresh r;
    r.Set(c.red, c.green, c.blue);
    try {
        r.state.UpdateDisplay();
        FAIL() << "no overflow";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
    }
    EXPECT_EQ(r.view.log.size(), c.writesBeforeError);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Channels, RefreshOverflow,
    testing::Values(OverflowCase{32768, 0, 0, 0},      // red does not fit a slider
                    OverflowCase{0, 0, -32769, 2},     // nor does blue, after two sliders
                    OverflowCase{0, 32767, 32767, 9})); // the packed value overflows

TEST(ChannelStateTest, WidestSliderPositionsStillFit)
{
    Refresh r;
    r.Set(32767, -32768, 0);
    // clang-format on
    r.state.UpdateDisplay();
    EXPECT_EQ(r.view.values[0], 32767);
    EXPECT_EQ(r.view.values[1], -32768);
}

} // namespace
