#pragma once

#include "core/color_view.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace fuzzing {

struct MoveSlider {
    tintwell::Slider slider;
    std::int16_t value; // 0..255, what a slider can hold
};

struct TypeText {
    tintwell::Box box;
    std::u16string text; // replaces the box's whole text, as a paste would
};

struct ClickWebSafe {};

using UserAction = std::variant<MoveSlider, TypeText, ClickWebSafe>;

// Reads user actions off fuzz input. An action starts with a byte whose low
// three bits pick what it is (0-1 move a slider, 2-6 type into a box, 7 click
// "Web Safe") and whose upper bits pick the control. A move takes the next
// byte as the position; typing takes a length byte (mod 13) and then one byte
// per character from a small alphabet mostly of digits. Input that runs out
// mid-action ends the action short.
class ActionReader {
public:
    explicit ActionReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::optional<UserAction> Next();

private:
    std::uint8_t Take();

    std::span<const std::uint8_t> m_bytes;
};

// "ScrollG to 17", "type \"1e3\" into txtDecR", "click chkWebSafe"
std::string Describe(const UserAction& action);

} // namespace fuzzing
