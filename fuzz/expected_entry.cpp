#include "fuzz/expected_entry.h"

#include "fuzz/reference_number.h"

#include "core/color_formats.h"

#include <cmath>

namespace fuzzing {

namespace {

// Written out rather than left to nearbyint, which the program itself uses.
std::int32_t RoundHalfToEven(double number)
{
    const double floor = std::floor(number);
    const double fraction = number - floor;
    const auto whole = static_cast<std::int32_t>(floor);
    if (fraction > 0.5)
        return whole + 1;
    if (fraction < 0.5)
        return whole;
    return whole % 2 == 0 ? whole : whole + 1;
}

std::optional<std::int32_t> SettledEntry(std::u16string_view text, char16_t separator, std::int32_t limit)
{
    const ReferenceNumber number = ReadReference(text, separator);
    switch (number.reading) {
    case Reading::Unknown:
        return std::nullopt;
    case Reading::NotNumber:
        return 0;
    case Reading::Number:
        break;
    }
    if (number.value < 0)
        return 0;
    if (number.value > limit)
        return limit;
    return RoundHalfToEven(number.value);
}

} // namespace

std::string ToString(const Channels& channels)
{
    return "(" + std::to_string(channels[0]) + ", " + std::to_string(channels[1]) + ", " + std::to_string(channels[2]) +
           ")";
}

std::optional<Channels> ColorAfterTyping(tintwell::Box box, std::u16string_view text, char16_t separator,
                                         Channels before)
{
    using tintwell::Box;
    switch (box) {
    case Box::txtDecR:
    case Box::txtDecG:
    case Box::txtDecB: {
        const auto value = SettledEntry(text, separator, tintwell::kMaxChannel);
        if (!value)
            return std::nullopt;
        before[static_cast<std::size_t>(box)] = *value; // the boxes share the channels' order
        return before;
    }
    case Box::txtDec: {
        const auto value = SettledEntry(text, separator, tintwell::kMaxColorValue);
        if (!value)
            return std::nullopt;
        return Channels{*value % 256, *value / 256 % 256, *value / 65536};
    }
    case Box::txtHexR:
    case Box::txtHexG:
    case Box::txtHexB:
    case Box::txtHex:
        break;
    }
    return before;
}

} // namespace fuzzing
