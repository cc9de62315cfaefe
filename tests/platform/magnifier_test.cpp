#include "platform/picking/magnifier.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using tintwell::platform::magnifier::Placed;
using tintwell::platform::magnifier::Size;
using tintwell::platform::magnifier::ZoomAndSample;

void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.width() << " x " << rect.height() << " at (" << rect.x() << ", " << rect.y() << ')';
}

namespace {

// The most the magnifier ever reads around the hot spot: zoomed all the way
// out, with the widest sample.
int WidestRadius()
{
    ZoomAndSample widest;
    while (widest.ZoomOut()) {}
    while (widest.WidenSample()) {}
    return widest.Radius();
}

// The magnifier's own size.
const int kWidth = Size().width();
const int kHeight = Size().height();
const int kWidest = WidestRadius();
constexpr int kAtEightTimes = 12; // the radius a pick starts with, as the table of keys below checks
constexpr QRect kScreen(0, 0, 1280, 1024);

QRect ReadSquare(QPoint hotSpot, int radius)
{
    return {hotSpot.x() - radius, hotSpot.y() - radius, 2 * radius + 1, 2 * radius + 1};
}

// Which side of the hot spot the magnifier is on.
enum class Side { RightBelow, LeftBelow, RightAbove, LeftAbove };

struct PlacedCase {
    std::string name;
    QPoint hotSpot;
    QRect room;
    int radius = 0;
    Side side = Side::RightBelow;
    bool inRoom = true;
};

void PrintTo(const PlacedCase& c, std::ostream* out)
{
    *out << c.name;
}

class PlacedTest : public testing::TestWithParam<PlacedCase> {};

TEST_P(PlacedTest, KeepsClearOfTheReadSquareOnTheSideWithRoom)
{
    const PlacedCase& c = GetParam();
    const QRect placed = Placed(c.hotSpot, c.room, c.radius);
    EXPECT_EQ(placed.size(), Size());
    EXPECT_FALSE(placed.intersects(ReadSquare(c.hotSpot, c.radius))) << testing::PrintToString(placed);
    EXPECT_EQ(c.room.contains(placed), c.inRoom) << testing::PrintToString(placed);
    const bool right = c.side == Side::RightBelow || c.side == Side::RightAbove;
    const bool below = c.side == Side::RightBelow || c.side == Side::LeftBelow;
    EXPECT_TRUE(right ? placed.left() > c.hotSpot.x() : placed.right() < c.hotSpot.x())
        << testing::PrintToString(placed);
    EXPECT_TRUE(below ? placed.top() > c.hotSpot.y() : placed.bottom() < c.hotSpot.y())
        << testing::PrintToString(placed);
}

// Right of and below the hot spot, unless that would cross the room's edge.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    HotSpots, PlacedTest,
    testing::Values(
        PlacedCase{"middle", {640, 512}, kScreen, kAtEightTimes, Side::RightBelow},
        PlacedCase{"near_the_left_edge", {5, 512}, kScreen, kAtEightTimes, Side::RightBelow},
        PlacedCase{"near_the_top_edge", {640, 5}, kScreen, kAtEightTimes, Side::RightBelow},
        PlacedCase{"near_the_right_edge_flips_left", {1275, 512}, kScreen, kAtEightTimes, Side::LeftBelow},
        PlacedCase{"near_the_bottom_edge_flips_up", {640, 1018}, kScreen, kAtEightTimes, Side::RightAbove},
        PlacedCase{"top_left_corner", {0, 0}, kScreen, kAtEightTimes, Side::RightBelow},
        PlacedCase{"top_right_corner", {1279, 0}, kScreen, kAtEightTimes, Side::LeftBelow},
        PlacedCase{"bottom_left_corner", {0, 1023}, kScreen, kAtEightTimes, Side::RightAbove},
        PlacedCase{"bottom_right_corner", {1279, 1023}, kScreen, kAtEightTimes, Side::LeftAbove},
        PlacedCase{"right_edge_of_a_second_screen", {3195, 540}, {1280, 0, 1920, 1080}, kAtEightTimes,
                   Side::LeftBelow},
        PlacedCase{"widest_radius_in_the_middle", {640, 512}, kScreen, kWidest, Side::RightBelow},
        PlacedCase{"widest_radius_in_the_bottom_right_corner", {1279, 1023}, kScreen, kWidest, Side::LeftAbove},
        // Moved into the room, on the side facing the hot spot.
        PlacedCase{"hot_spot_left_of_the_room", {-50, 512}, kScreen, kAtEightTimes, Side::RightBelow},
        PlacedCase{"hot_spot_beyond_the_bottom_right", {1400, 1100}, kScreen, kAtEightTimes, Side::LeftAbove},
        // Too small for it anywhere: it goes where most of it shows.
        PlacedCase{"room_smaller_than_the_magnifier", {100, 40}, {0, 0, 160, 120}, kAtEightTimes,
                   Side::LeftBelow, false},
        // Large enough, but only by covering a column of the read square,
        // which it must not.
        PlacedCase{"room_one_column_short_of_clearing_the_read_square", {100, 130}, {0, 0, 112 + kWidth, kHeight},
                   kAtEightTimes, Side::RightBelow, false}),
    [](const testing::TestParamInfo<PlacedCase>& row) { return row.param.name; });
// clang-format on

// A room with a single place the magnifier fits in clear of the read square.
struct OnlyPlaceCase {
    std::string name;
    QPoint hotSpot;
    QRect room;
    int radius = 0;
    QRect placed;
};

void PrintTo(const OnlyPlaceCase& c, std::ostream* out)
{
    *out << c.name;
}

class PlacedInTightRoomTest : public testing::TestWithParam<OnlyPlaceCase> {};

TEST_P(PlacedInTightRoomTest, TakesTheOnlyPlaceClearOfTheReadSquare)
{
    const OnlyPlaceCase& c = GetParam();
    EXPECT_EQ(Placed(c.hotSpot, c.room, c.radius), c.placed);
}

// 113 is the first column or row past the read square around 100, at
// 100 + 12 + 1; around 12 + the magnifier's width or height, the read square
// leaves exactly that much before it.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rooms, PlacedInTightRoomTest,
    testing::Values(
        OnlyPlaceCase{"right_of_it", {100, 130}, {0, 0, 113 + kWidth, kHeight}, kAtEightTimes,
                      {113, 0, kWidth, kHeight}},
        OnlyPlaceCase{"left_of_it", {12 + kWidth, 130}, {0, 0, 113 + kWidth, kHeight}, kAtEightTimes,
                      {0, 0, kWidth, kHeight}},
        OnlyPlaceCase{"below_it", {97, 100}, {0, 0, kWidth, 113 + kHeight}, kAtEightTimes,
                      {0, 113, kWidth, kHeight}},
        OnlyPlaceCase{"above_it", {97, 12 + kHeight}, {0, 0, kWidth, 113 + kHeight}, kAtEightTimes,
                      {0, 0, kWidth, kHeight}},
        OnlyPlaceCase{"right_of_the_widest", {100, 130}, {0, 0, 101 + kWidest + kWidth, kHeight}, kWidest,
                      {101 + kWidest, 0, kWidth, kHeight}}),
    [](const testing::TestParamInfo<OnlyPlaceCase>& row) { return row.param.name; });
// clang-format on

enum class Key { ZoomIn, ZoomOut, WidenSample, NarrowSample, Reset };

// A key, and the setting after it.
struct Step {
    Key key = Key::Reset;
    bool changed = false;
    int zoom = 0;
    int sampleSize = 0;
    int radius = 0;
};

struct KeysCase {
    std::string name;
    std::vector<Step> steps;
};

void PrintTo(const KeysCase& c, std::ostream* out)
{
    *out << c.name;
}

// What the key reports; Reset reports nothing.
std::optional<bool> Press(ZoomAndSample& setting, Key key)
{
    switch (key) {
    case Key::ZoomIn:
        return setting.ZoomIn();
    case Key::ZoomOut:
        return setting.ZoomOut();
    case Key::WidenSample:
        return setting.WidenSample();
    case Key::NarrowSample:
        return setting.NarrowSample();
    case Key::Reset:
        setting.Reset();
        break;
    }
    return std::nullopt;
}

class ZoomAndSampleTest : public testing::TestWithParam<KeysCase> {};

TEST_P(ZoomAndSampleTest, StartsAtEightTimesAndOnePixelAndStopsAtEitherEnd)
{
    ZoomAndSample setting;
    EXPECT_EQ(setting.Zoom(), 8);
    EXPECT_EQ(setting.SampleSize(), 1);
    EXPECT_EQ(setting.Radius(), kAtEightTimes);
    const std::vector<Step>& steps = GetParam().steps;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "after key " << i + 1);
        const Step& step = steps[i];
        const std::pair before(setting.Zoom(), setting.SampleSize());
        const std::optional<bool> reported = Press(setting, step.key);
        if (reported) {
            EXPECT_EQ(*reported, step.changed);
        }
        EXPECT_EQ(std::pair(setting.Zoom(), setting.SampleSize()) != before, step.changed);
        EXPECT_EQ(setting.Zoom(), step.zoom);
        EXPECT_EQ(setting.SampleSize(), step.sampleSize);
        EXPECT_EQ(setting.Radius(), step.radius);
    }
}

constexpr bool kChanged = true;
constexpr bool kSame = false;

// The radius is the larger of half the view, 192 pixels, over the zoom and
// half the sample.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Keys, ZoomAndSampleTest,
    testing::Values(
        KeysCase{"zooming_in_stops_at_32x",
                 {{Key::ZoomIn, kChanged, 16, 1, 6},
                  {Key::ZoomIn, kChanged, 32, 1, 3},
                  {Key::ZoomIn, kSame, 32, 1, 3}}},
        KeysCase{"zooming_out_stops_at_4x", {{Key::ZoomOut, kChanged, 4, 1, 24}, {Key::ZoomOut, kSame, 4, 1, 24}}},
        KeysCase{"widening_stops_at_9_by_9",
                 {{Key::WidenSample, kChanged, 8, 3, 12},
                  {Key::WidenSample, kChanged, 8, 5, 12},
                  {Key::WidenSample, kChanged, 8, 9, 12},
                  {Key::WidenSample, kSame, 8, 9, 12}}},
        KeysCase{"narrowing_stops_at_one_pixel",
                 {{Key::NarrowSample, kSame, 8, 1, 12},
                  {Key::WidenSample, kChanged, 8, 3, 12},
                  {Key::NarrowSample, kChanged, 8, 1, 12},
                  {Key::NarrowSample, kSame, 8, 1, 12}}},
        KeysCase{"radius_covers_a_sample_wider_than_the_view",
                 {{Key::ZoomIn, kChanged, 16, 1, 6},
                  {Key::ZoomIn, kChanged, 32, 1, 3},
                  {Key::WidenSample, kChanged, 32, 3, 3},
                  {Key::WidenSample, kChanged, 32, 5, 3},
                  {Key::WidenSample, kChanged, 32, 9, 4},
                  {Key::ZoomOut, kChanged, 16, 9, 6}}},
        KeysCase{"reset_returns_from_the_widest_to_8x_and_one_pixel",
                 {{Key::ZoomOut, kChanged, 4, 1, 24},
                  {Key::WidenSample, kChanged, 4, 3, 24},
                  {Key::WidenSample, kChanged, 4, 5, 24},
                  {Key::WidenSample, kChanged, 4, 9, 24},
                  {Key::Reset, kChanged, 8, 1, 12},
                  {Key::Reset, kSame, 8, 1, 12}}}),
    [](const testing::TestParamInfo<KeysCase>& row) { return row.param.name; });
// clang-format on

} // namespace
