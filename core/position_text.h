#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tintwell {

// A window position in twips as the settings store holds it: the
// single-precision value in decimal with at most seven significant digits,
// no separator for a whole number ("1500") and the locale's decimal
// separator for a fraction ("1500,5" in German).
std::u16string PositionText(float twips, std::u16string_view decimalSeparator);

// The position a stored text holds, read the way PositionText writes it;
// nothing for text that is not a number or does not fit a finite
// single-precision value.
std::optional<float> PositionFromText(std::u16string_view text, std::u16string_view decimalSeparator);

} // namespace tintwell
