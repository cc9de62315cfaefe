#include "core/position_text.h"

#include "core/numeric_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tintwell {

namespace {

constexpr int kSignificantDigits = 7;

} // namespace

std::u16string PositionText(float twips, std::u16string_view decimalSeparator)
{
    char buffer[32];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), twips, std::chars_format::general,
                                      kSignificantDigits);
    std::u16string text;
    for (const char* c = buffer; c != result.ptr; ++c) {
        if (*c == '.')
            text += decimalSeparator;
        else
            text += static_cast<char16_t>(*c == 'e' ? 'E' : *c);
    }
    return text;
}

std::optional<float> PositionFromText(std::u16string_view text, std::u16string_view decimalSeparator)
{
    const std::optional<double> number = tintwell::ParseNumber(text, decimalSeparator);
    if (!number || !std::isfinite(*number) || std::abs(*number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*number);
}

} // namespace tintwell
