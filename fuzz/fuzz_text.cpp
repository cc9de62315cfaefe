#include "fuzz/fuzz_text.h"

#include <array>

namespace fuzzing {

namespace {

// Random code units almost never hit these, and each is something a reader
// of numbers might wrongly take for part of one.
// clang-format off
constexpr std::array<char16_t, 32> kLookalikes{
    u'\u00A0', u'\u2007', u'\u202F', u'\u3000', u'\uFEFF', u'\u200B', // blanks
    u'\u0660', u'\u0661', u'\u0665', u'\u0669', u'\u06F0', u'\u06F5', // digits
    u'\u0966', u'\uFF10', u'\uFF11', u'\uFF19', u'\u00B2', u'\u2082',
    u'\u066B', u'\u066C', u'\u00B7', u'\uFF0E', u'\uFF0C', u'\u2024', // separators
    u'\u2212', u'\uFF0B', u'\uFF0D', u'\u2010',                       // signs
    u'\uFF45', u'\u0435',                                             // exponents
    char16_t{0xD835}, char16_t{0xDFCE}, // the halves of U+1D7CE, a bold zero
};
// clang-format on

} // namespace

std::u16string TypedText(std::span<const std::uint8_t> bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte < 0x80) {
            text += static_cast<char16_t>(byte);
        } else if (byte < 0xE0 || i + 2 >= bytes.size()) {
            text += kLookalikes[byte % kLookalikes.size()];
        } else {
            text += static_cast<char16_t>(bytes[i + 1] | bytes[i + 2] << 8);
            i += 2;
        }
    }
    return text;
}

std::u16string Latin1Text(std::span<const std::uint8_t> bytes)
{
    return {bytes.begin(), bytes.end()};
}

std::u16string Utf16Text(std::span<const std::uint8_t> bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    return text;
}

std::u16string DecodedText(unsigned how, std::span<const std::uint8_t> bytes)
{
    switch (how) {
    case 1:
        return Utf16Text(bytes);
    case 2:
        return TypedText(bytes);
    default:
        return Latin1Text(bytes);
    }
}

} // namespace fuzzing
