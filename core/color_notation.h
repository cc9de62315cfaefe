#pragma once

#include "core/rgb.h"

#include <optional>
#include <string>
#include <string_view>

namespace tintwell {

// The notations in which colours travel between programs: what the clipboard
// and drops carry, and what the copy commands write.

// "#RRGGBB", upper case, as the hexadecimal boxes write their digits.
std::u16string HexNotation(Rgb color);

// "rgb(255, 128, 0)"
std::u16string RgbNotation(Rgb color);

// "hsl(30 100% 50%)" and "oklch(0.732 0.168 55.6)", in CSS Color 4's
// space-separated syntax, each number with as few decimals as still read
// back as `color`. A grey's hue is written 0.
std::u16string HslNotation(Rgb color);
std::u16string OklchNotation(Rgb color);

// The colour a text names, if the whole of it (white space around aside) is
// one of: "#RGB" or "#RRGGBB" in either case; "rgb(r, g, b)" or "rgba(r, g, b,
// a)" with numbers or percentages, the alpha read but ignored; or a CSS colour
// name ("rebeccapurple"). Anything else names no colour: bare numbers and bare
// hexadecimal digits too, which could be RRGGBB or the packed BBGGRR. The text
// is untrusted: any length and content is read in time linear in its length.
std::optional<Rgb> ParseColorNotation(std::u16string_view text);

} // namespace tintwell
