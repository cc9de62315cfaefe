// A window position read back from the settings store, where anything may
// have been left: reading never fails badly, yields only finite values, agrees
// with a reference reading, and what the program writes reads back.
//
// Input: the first byte picks the locale's separator (low two bits: ".", ",",
// the Arabic decimal separator, ".") and how the rest becomes text (bits 2-3:
// Latin-1, UTF-16LE, TypedText, Latin-1). When the rest holds four bytes or
// more, their bits as a float are also put through a write and read.

#include "fuzz/finding.h"
#include "fuzz/fuzz_text.h"
#include "fuzz/reference_number.h"

#include "core/position_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

using fuzzing::Fail;
using fuzzing::Quoted;
using tintwell::PositionFromText;
using tintwell::PositionText;

namespace {

constexpr std::array<std::u16string_view, 4> kSeparators{u".", u",", u"\u066B", u"."};

// Seven significant digits is the stored form; a float can need nine.
constexpr int kStoredDigits = 7;

std::string Show(float value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}

std::string Show(std::optional<float> value)
{
    return value ? Show(*value) : "nothing";
}

bool Same(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Digits in the shortest text that reads back as exactly this float.
int ShortestDigits(float value)
{
    char buffer[64];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::scientific);
    int digits = 0;
    for (const char* c = buffer; c != result.ptr && *c != 'e'; ++c)
        digits += *c >= '0' && *c <= '9' ? 1 : 0;
    return digits;
}

std::optional<float> Read(std::u16string_view text, std::u16string_view separator)
{
    try {
        return PositionFromText(text, separator);
    } catch (const std::exception& error) {
        Fail("reading " + Quoted(text) + " raised " + error.what());
    } catch (...) {
        Fail("reading " + Quoted(text) + " raised something that is not a std::exception");
    }
}

// The position a text holds by the reference reading: a number that fits a
// finite float, rounded to one.
std::optional<float> Expected(const fuzzing::ReferenceNumber& number)
{
    if (number.reading != fuzzing::Reading::Number || !std::isfinite(number.value) ||
        std::abs(number.value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(number.value);
}

// Digits from the first non-zero one to the exponent, in text PositionText wrote.
int SignificantDigits(std::u16string_view text)
{
    int digits = 0;
    for (const char16_t c : text.substr(0, text.find(u'E'))) {
        if ((c >= u'1' && c <= u'9') || (c == u'0' && digits > 0))
            ++digits;
    }
    return digits;
}

// Seven digits can't tell every float from its neighbours, so a written value
// need only come back as itself when seven digits are enough for it; in any
// case it comes back as its text reads, no further off than rounding to seven
// digits and then to a float can take it.
void CheckWriteAndRead(float value, std::u16string_view separator)
{
    const std::u16string text = PositionText(value, separator);
    const auto what = [&] {
        return Show(value) + " written as " + Quoted(text) + " with separator " + Quoted(separator);
    };
    if (SignificantDigits(text) > kStoredDigits)
        Fail(what() + ": more than seven significant digits");

    const std::optional<float> back = Read(text, separator);
    if (!back)
        Fail(what() + ": does not read back");
    if (const auto expected = Expected(fuzzing::ReadReference(text, separator[0]));
        !expected || !Same(*expected, *back))
        Fail(what() + ": reads back as " + Show(*back) + ", expected " + Show(expected));
    if (ShortestDigits(value) <= kStoredDigits && !Same(*back, value))
        Fail(what() + ": reads back as " + Show(*back));

    const double tolerance = 6e-7 * std::abs(static_cast<double>(value)) +
                             static_cast<double>(std::numeric_limits<float>::denorm_min());
    if (std::abs(static_cast<double>(*back) - static_cast<double>(value)) > tolerance)
        Fail(what() + ": reads back as " + Show(*back) + ", too far off");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::u16string_view separator = kSeparators[data[0] & 3U];
    const auto rest = std::span(data + 1, size - 1);
    const std::u16string text = fuzzing::DecodedText((data[0] >> 2U) & 3U, rest);
    const auto what = [&] { return Quoted(text) + " with separator " + Quoted(separator); };

    const std::optional<float> position = Read(text, separator);
    if (position && !std::isfinite(*position))
        Fail(what() + ": read as " + Show(*position));

    const fuzzing::ReferenceNumber reference = fuzzing::ReadReference(text, separator[0]);
    if (reference.reading != fuzzing::Reading::Unknown) {
        const std::optional<float> expected = Expected(reference);
        if (expected.has_value() != position.has_value() || (expected && !Same(*expected, *position)))
            Fail(what() + ": read as " + Show(position) + ", expected " + Show(expected));
    }

    if (position)
        CheckWriteAndRead(*position, separator);
    if (rest.size() >= sizeof(float)) {
        float bits = 0;
        std::memcpy(&bits, rest.data(), sizeof bits);
        if (std::isfinite(bits))
            CheckWriteAndRead(bits, separator);
    }
    return 0;
}
