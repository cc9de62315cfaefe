#pragma once

#include "fuzz/reference_notation.h"

#include <optional>
#include <string>

namespace fuzzing {

// The reference's reading of CSS Color 4's functions other than rgb():
// hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch() and color(srgb ...),
// in a text already trimmed and known to be short ASCII.
std::optional<ReferenceReading> ReadCssFunctionReference(const std::string& text);

} // namespace fuzzing
