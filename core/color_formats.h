#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tintwell {

class OkMessageBox;

inline constexpr std::int32_t kMaxChannel = 255;
inline constexpr std::int32_t kMaxColorValue = 16777215; // white, 0xFFFFFF
inline constexpr std::int32_t kWebSafeStep = 51;

// `sString` with `sPadChar` put in front of it, again and again, until it is at
// least `iLength` characters long. The whole pad string goes in front each
// time, so the result can overshoot `iLength`; a string already long enough
// is never cut. An empty pad string cannot lengthen anything, so the string
// comes back unchanged.
std::u16string PadString(std::u16string_view sString, std::int16_t iLength, std::u16string_view sPadChar);

// "0" .. "255"
std::u16string ChannelDecimalText(std::int32_t channel);

// Two upper-case hexadecimal digits, "00" .. "FF".
std::u16string ChannelHexText(std::int32_t channel);

// The packed colour reference, red in the low byte: blue * 65536 + green * 256
// + red. Raises an Overflow run-time error rather than wrapping.
std::int32_t ColorValue(std::int32_t red, std::int32_t green, std::int32_t blue);

// "0" .. "16777215"
std::u16string ColorDecimalText(std::int32_t red, std::int32_t green, std::int32_t blue);

// Six digits, blue first: "BBGGRR".
std::u16string ColorHexText(std::int32_t red, std::int32_t green, std::int32_t blue);

// Reads a whole number written in decimal (blanks around it and a sign
// allowed) as a 32-bit value. Raises TypeMismatch for any other text and
// Overflow for a number beyond 32 bits.
std::int32_t TextToInt32(std::u16string_view text);

inline constexpr std::u16string_view kRoundToWebSafePrompt = u"RoundToWebSafe()";
inline constexpr std::u16string_view kRoundToWebSafeTitle = u"CASE ELSE";

// The web-safe level (a multiple of 51) nearest to a channel value. A value
// outside 0..255 has none: the message box says so and the result is 0.
std::int32_t RoundToWebSafe(std::int32_t value, OkMessageBox& messageBox);

} // namespace tintwell
