#include "core/color_formats.h"

#include "core/checked_math.h"
#include "core/color_view.h"
#include "core/numeric_text.h"
#include "core/run_time_error.h"

#include <array>
#include <limits>

namespace tintwell {

namespace {

std::u16string Ascii(std::string_view text)
{
    return {text.begin(), text.end()};
}

} // namespace

std::u16string PadString(std::u16string_view sString, std::int16_t iLength, std::u16string_view sPadChar)
{
    const auto length = static_cast<std::int64_t>(sString.size());
    if (length >= iLength || sPadChar.empty())
        return std::u16string(sString);

    // As many whole pad strings as it takes to reach iLength, all at once.
    const auto padLength = static_cast<std::int64_t>(sPadChar.size());
    const auto repeats = (iLength - length + padLength - 1) / padLength;
    std::u16string result;
    result.reserve(static_cast<std::size_t>(repeats * padLength + length));
    for (std::int64_t i = 0; i < repeats; ++i)
        result += sPadChar;
    result += sString;
    return result;
}

std::u16string ChannelDecimalText(std::int32_t channel)
{
    return Ascii(std::to_string(channel));
}

std::u16string ChannelHexText(std::int32_t channel)
{
    constexpr std::u16string_view digits = u"0123456789ABCDEF";
    // Negative values print as their 32-bit two's complement, as a hex
    // conversion of a 32-bit integer does; channels are never negative.
    auto bits = static_cast<std::uint32_t>(channel);
    std::u16string hex;
    do {
        hex.insert(hex.begin(), digits[bits % 16]);
        bits /= 16;
    } while (bits != 0);
    return PadString(hex, 2, u"0");
}

std::int32_t ColorValue(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    constexpr std::string_view where = "packing the colour value";
    const std::int32_t bluePart = CheckedMultiply(blue, 65536, where);
    const std::int32_t greenPart = CheckedMultiply(green, 256, where);
    return CheckedAdd(CheckedAdd(bluePart, greenPart, where), red, where);
}

std::u16string ColorDecimalText(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return Ascii(std::to_string(ColorValue(red, green, blue)));
}

std::u16string ColorHexText(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return ChannelHexText(blue) + ChannelHexText(green) + ChannelHexText(red);
}

std::int32_t TextToInt32(std::u16string_view text)
{
    constexpr std::string_view where = "reading a whole number";
    text = TrimBlanks(text);

    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        throw RunTimeError(ErrorKind::TypeMismatch, where);

    // Accumulate the magnitude in 64 bits, stopping as soon as it cannot fit.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    bool tooLarge = false;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            throw RunTimeError(ErrorKind::TypeMismatch, where);
        if (!tooLarge) {
            magnitude = magnitude * 10 + (c - u'0');
            tooLarge = magnitude > limit;
        }
    }
    if (tooLarge || (!negative && magnitude == limit))
        throw RunTimeError(ErrorKind::Overflow, where);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t RoundToWebSafe(std::int32_t value, OkMessageBox& messageBox)
{
    struct Band {
        std::int32_t low;
        std::int32_t high;
        std::int32_t level;
    };
    // Each band runs halfway to the next level; tested in this order.
    constexpr std::array<Band, 6> bands{{
        {0, 25, 0},
        {26, 76, 51},
        {77, 127, 102},
        {128, 178, 153},
        {179, 229, 204},
        {230, 255, 255},
    }};
    for (const Band& band : bands) {
        if (value >= band.low && value <= band.high)
            return band.level;
    }
    messageBox.Show(kRoundToWebSafePrompt, kRoundToWebSafeTitle);
    return 0;
}

} // namespace tintwell
