#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzing {

// A second reading of colour notations, kept apart from the program's own so
// the two can be compared: the forms are matched by regular expressions,
// numbers are read by the C library, the names come from a table of their
// own, and colours are converted by conversions of its own (reference_spaces).
//
// Accepted, as the program documents it: "#RGB", "#RRGGBB", "rgb(...)" or
// "rgba(...)" with three numbers or percentages separated by commas or by
// white space and an optional alpha, a CSS colour name, or one of CSS Color
// 4's hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch() and color(srgb ...)
// with `none`, angles and percentages; white space around, nothing past 256
// code units once trimmed, nothing beyond ASCII.

// Red, green and blue, 0..255 before rounding to whole channels.
using ReferenceColor = std::array<long double, 3>;

// How much of the program's reading the reference can vouch for.
enum class Judgement {
    // Each channel is `color`'s, rounded either way, give or take `slack`.
    Exact,
    // The colour lies beyond sRGB and is mapped into it. Two implementations
    // of CSS's binary search may stop a step apart and so land a whole
    // channel apart, so only what the search keeps is certain: the Oklab
    // lightness, somewhere in lowLightness..highLightness, to within the
    // difference CSS takes as unnoticeable.
    Lightness,
    // A hue turned so many times that a double no longer places it: any
    // colour will do.
    Accepted,
};

struct ReferenceReading {
    Judgement judgement = Judgement::Exact;
    ReferenceColor color{};
    long double slack = 0;
    long double lowLightness = 0;
    long double highLightness = 0;
    // So far beyond sRGB that the program's doubles may overflow on the way
    // to Oklab, whereupon it refuses the colour.
    bool mayBeRefused = false;
};

std::optional<ReferenceReading> ReadNotationReference(std::u16string_view text);

// Oklab lightness of an sRGB colour, its channels 0..255.
long double ReferenceLightness(const ReferenceColor& color);

// Every colour name the reference knows, in lower case.
std::vector<std::string> ReferenceNames();

} // namespace fuzzing
