#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tintwell {

// The number in a text the user typed, if the whole text (blanks around it
// aside) is one as the user's locale writes it: an optional sign, digits with
// an optional decimal separator and fraction, and an optional exponent
// ("12", "-0,5" in a German locale, "1e3", ".5"). Nothing else counts: no
// group separators, "inf", "nan", hexadecimal or non-ASCII digits. A number
// too large for a double reads as an infinity of its sign, one too small as
// zero, so "1e999" is simply over any limit.
std::optional<double> ParseNumber(std::u16string_view text, std::u16string_view decimalSeparator);

// The text without the blanks (spaces, tabs, no-break spaces) around it.
std::u16string_view TrimBlanks(std::u16string_view text);

// The text without the characters around it for which `isBlank` holds.
std::u16string_view TrimWhere(std::u16string_view text, bool (*isBlank)(char16_t));

// A number already clamped to a channel or colour range, as a whole number:
// the nearest one, halves to the even neighbour (12.5 gives 12, 13.5 gives 14).
std::int32_t ToWholeNumber(double number);

} // namespace tintwell
