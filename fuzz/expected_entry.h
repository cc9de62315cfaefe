#pragma once

#include "core/color_view.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fuzzing {

// Red, green, blue.
using Channels = std::array<std::int32_t, 3>;

// "(r, g, b)", for reports.
std::string ToString(const Channels& channels);

// The colour once the user has replaced the text of `box` with `text`, the
// window having shown `before`; nothing where the reference reader can't
// tell. A decimal box settles at 0 for text that is no number, at the nearer
// limit for a number out of range, otherwise at the nearest whole number,
// halves to even; the hexadecimal boxes leave the colour alone.
std::optional<Channels> ColorAfterTyping(tintwell::Box box, std::u16string_view text, char16_t separator,
                                         Channels before);

} // namespace fuzzing
