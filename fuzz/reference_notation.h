#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzing {

// A second reading of colour notations, kept apart from the program's own so
// the two can be compared: the forms are matched by regular expressions,
// numbers are read by strtold, and the names come from a table of their own.
//
// Accepted, as the program documents it: "#RGB", "#RRGGBB", "rgb(...)" or
// "rgba(...)" with three numbers or percentages separated by commas or by
// white space and an optional alpha, or a CSS colour name; white space
// around, nothing past 256 code units once trimmed, nothing beyond ASCII.

// Red, green and blue before rounding to whole channels.
using ReferenceColor = std::array<long double, 3>;

std::optional<ReferenceColor> ReadNotationReference(std::u16string_view text);

// Every colour name the reference knows, in lower case.
std::vector<std::string> ReferenceNames();

} // namespace fuzzing
