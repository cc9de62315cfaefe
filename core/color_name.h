#pragma once

#include "core/rgb.h"

#include <string>
#include <string_view>

namespace tintwell {

struct ColorName {
    std::u16string_view name;
    bool exact = false;
};

// The CSS colour name nearest `colour` by Euclidean distance in Oklab, where
// equal steps look about equally far apart; exact when the name's own colour
// is it. Of names with one colour ("aqua" and "cyan") the first
// alphabetically is given.
ColorName NearestColorName(Rgb color);

// "teal" when exact, "≈ teal" otherwise.
std::u16string ColorNameText(Rgb color);

} // namespace tintwell
