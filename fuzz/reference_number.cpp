#include "fuzz/reference_number.h"

#include <locale.h>
#include <stdlib.h>

#include <string>

namespace fuzzing {

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u00A0';
}

bool IsOtherSpace(char16_t c)
{
    return c == u'\u1680' || (c >= u'\u2000' && c <= u'\u200B') || c == u'\u2028' || c == u'\u2029' || c == u'\u202F' ||
           c == u'\u205F' || c == u'\u3000' || c == u'\uFEFF';
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// strtod in the "C" locale whatever the process's locale, so '.' is the point.
double CLocaleStrtod(const std::string& plain)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(plain.c_str(), nullptr, cLocale);
}

} // namespace

ReferenceNumber ReadReference(std::u16string_view text, char16_t separator)
{
    for (const char16_t c : text) {
        if (IsOtherSpace(c) && c != separator)
            return {Reading::Unknown};
    }

    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;

    std::string plain;
    std::size_t pos = first;
    const auto takeDigits = [&] {
        const std::size_t start = pos;
        while (pos < last && IsDigit(text[pos]))
            plain += static_cast<char>(text[pos++]);
        return pos - start;
    };
    const auto isSign = [](char16_t c) { return c == u'+' || c == u'-'; };

    if (pos < last && isSign(text[pos]))
        plain += static_cast<char>(text[pos++]);
    std::size_t digits = takeDigits();
    if (pos < last && text[pos] == separator) {
        ++pos;
        plain += '.';
        digits += takeDigits();
    }
    if (digits == 0)
        return {Reading::NotNumber};
    if (pos < last && (text[pos] == u'e' || text[pos] == u'E')) {
        plain += static_cast<char>(text[pos++]);
        if (pos < last && isSign(text[pos]))
            plain += static_cast<char>(text[pos++]);
        if (takeDigits() == 0)
            return {Reading::NotNumber};
    }
    if (pos != last)
        return {Reading::NotNumber};
    return {Reading::Number, CLocaleStrtod(plain)};
}

} // namespace fuzzing
