#pragma once

#include <string_view>

namespace fuzzing {

// A second reading of a number typed or stored as text, kept apart from the
// program's own reader so the two can be compared: the accepted form is
// matched by hand and the value comes from the C library's strtod.
//
// Accepted, as the program documents it: blanks (space, tab, no-break space)
// around an optional sign, digits with an optional separator and fraction
// (at least one digit in all), and an optional exponent.
enum class Reading {
    Number,
    NotNumber,
    Unknown, // holds a Unicode space other than those blanks: either reading is defensible
};

struct ReferenceNumber {
    Reading reading = Reading::Unknown;
    double value = 0.0; // ±infinity beyond a double, as strtod gives it
};

ReferenceNumber ReadReference(std::u16string_view text, char16_t separator);

} // namespace fuzzing
