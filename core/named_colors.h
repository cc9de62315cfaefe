#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tintwell {

struct NamedColor {
    std::u16string_view name;
    std::int32_t rgb; // 0xRRGGBB
};

inline constexpr std::size_t kNamedColorCount = 148;

// The CSS colour names, lower case and sorted by name, so a name can be found
// by binary search. Names that share a colour ("aqua" and "cyan", "gray" and
// "grey") each have their own entry; "transparent" is no colour and is left out.
std::span<const NamedColor, kNamedColorCount> NamedColors();

} // namespace tintwell
