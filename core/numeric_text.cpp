#include "core/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace tintwell {

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u00A0';
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Scans a run of ASCII digits at `pos`, copying them to `out`.
std::size_t TakeDigits(std::u16string_view text, std::size_t& pos, std::string& out)
{
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        out += static_cast<char>(text[pos++]);
    return pos - start;
}

// For a number too large or too small for a double, in the locale-free form
// ("123.45e-6"): whether it is too large, that is whether its first
// significant digit stands at a non-negative power of ten.
bool IsHuge(const std::string& plain)
{
    const auto mantissaEnd = plain.find('e');
    const std::string mantissa = plain.substr(0, mantissaEnd);
    const auto firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos)
        return false;
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const long long place = static_cast<long long>(point) - static_cast<long long>(firstSignificant) -
                            (firstSignificant < point ? 1 : 0);

    // Half the range of the type is beyond any double and any text's length,
    // so the sum below cannot overflow; an exponent too long to read at all
    // still has its sign.
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 2;
    long long exponent = 0;
    if (mantissaEnd != std::string::npos) {
        const char* first = plain.data() + mantissaEnd + 1;
        const char* last = plain.data() + plain.size();
        if (*first == '+')
            ++first;
        if (std::from_chars(first, last, exponent).ec != std::errc())
            exponent = *first == '-' ? -kLimit : kLimit;
        exponent = std::clamp(exponent, -kLimit, kLimit);
    }
    return place + exponent >= 0;
}

} // namespace

std::u16string_view TrimWhere(std::u16string_view text, bool (*isBlank)(char16_t))
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::u16string_view TrimBlanks(std::u16string_view text)
{
    return TrimWhere(text, &IsBlank);
}

std::optional<double> ParseNumber(std::u16string_view text, std::u16string_view decimalSeparator)
{
    text = TrimBlanks(text);

    // Rewritten in the locale-free form that from_chars reads.
    std::string plain;
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        negative = text[pos++] == u'-';

    std::size_t digits = TakeDigits(text, pos, plain);
    if (!decimalSeparator.empty() && text.substr(pos).starts_with(decimalSeparator)) {
        pos += decimalSeparator.size();
        plain += '.';
        digits += TakeDigits(text, pos, plain);
    }
    if (digits == 0)
        return std::nullopt;

    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        plain += 'e';
        ++pos;
        if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
            plain += static_cast<char>(text[pos++]);
        if (TakeDigits(text, pos, plain) == 0)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;

    double magnitude = 0.0;
    const char* first = plain.data();
    const char* last = first + plain.size();
    const auto [end, error] = std::from_chars(first, last, magnitude);
    if (end != last)
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        magnitude = IsHuge(plain) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

std::int32_t ToWholeNumber(double number)
{
    // Clamped first so the conversion is always defined.
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(number))
        return 0;
    const double whole = std::nearbyint(number < low ? low : (number > high ? high : number));
    return static_cast<std::int32_t>(whole);
}

} // namespace tintwell
