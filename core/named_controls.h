#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>

namespace tintwell {

// The window's controls as the colour model knows them: by name. Each kind
// has one table, in the order of its enum, saying what every control is
// called and which of the colour's channels it shows; everything else that
// maps a control to a name or a channel reads these tables.

enum class Slider { ScrollR, ScrollG, ScrollB };

enum class Box { txtDecR, txtDecG, txtDecB, txtHexR, txtHexG, txtHexB, txtDec, txtHex };

enum class CheckBox { chkWebSafe, chkAlwaysOnTop };

enum class Channel { Red, Green, Blue };

// A box shows one channel, or the whole colour when it has none.
enum class Notation { Decimal, Hexadecimal };

struct SliderControl {
    std::string_view name;
    Channel channel;
};

struct BoxControl {
    std::string_view name;
    std::optional<Channel> channel;
    Notation notation;
};

struct CheckBoxControl {
    std::string_view name;
};

inline constexpr std::array<SliderControl, 3> kSliderControls{{
    {"ScrollR", Channel::Red},
    {"ScrollG", Channel::Green},
    {"ScrollB", Channel::Blue},
}};

inline constexpr std::array<BoxControl, 8> kBoxControls{{
    {"txtDecR", Channel::Red, Notation::Decimal},
    {"txtDecG", Channel::Green, Notation::Decimal},
    {"txtDecB", Channel::Blue, Notation::Decimal},
    {"txtHexR", Channel::Red, Notation::Hexadecimal},
    {"txtHexG", Channel::Green, Notation::Hexadecimal},
    {"txtHexB", Channel::Blue, Notation::Hexadecimal},
    {"txtDec", std::nullopt, Notation::Decimal},
    {"txtHex", std::nullopt, Notation::Hexadecimal},
}};

inline constexpr std::array<CheckBoxControl, 2> kCheckBoxControls{{
    {"chkWebSafe"},
    {"chkAlwaysOnTop"},
}};

inline constexpr std::string_view kSwatchName = "shapeColorDemo";

// A control's place in its kind's table.
template <typename Control>
    requires std::is_enum_v<Control>
constexpr std::size_t Index(Control control)
{
    return static_cast<std::size_t>(control);
}

// clang-format off
constexpr const SliderControl& Describe(Slider slider) { return kSliderControls[Index(slider)]; }
constexpr const BoxControl& Describe(Box box) { return kBoxControls[Index(box)]; }
constexpr const CheckBoxControl& Describe(CheckBox checkBox) { return kCheckBoxControls[Index(checkBox)]; }

constexpr std::string_view ControlName(auto control) { return Describe(control).name; }
// clang-format on

// Every control of a kind, in table order.
template <typename Control, std::size_t N>
constexpr std::array<Control, N> AllOf()
{
    std::array<Control, N> all{};
    for (std::size_t i = 0; i < N; ++i)
        all[i] = static_cast<Control>(i);
    return all;
}

inline constexpr std::array kSliders = AllOf<Slider, kSliderControls.size()>();
inline constexpr std::array kBoxes = AllOf<Box, kBoxControls.size()>();
inline constexpr std::array kCheckBoxes = AllOf<CheckBox, kCheckBoxControls.size()>();

// The box that shows a channel in a notation.
constexpr Box BoxOf(Channel channel, Notation notation)
{
    for (const Box box : kBoxes)
        if (Describe(box).channel == channel && Describe(box).notation == notation)
            return box;
    return Box::txtHex; // unreachable: every channel has a box in each notation
}

} // namespace tintwell
