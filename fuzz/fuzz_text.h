#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace fuzzing {

// Ways of turning fuzz input into the UTF-16 text the program reads.

// What a user might type, one byte per character: ASCII as it is; 0x80..0xDF
// a character that passes for a digit, sign, separator, blank or exponent in
// some script; 0xE0..0xFF takes the next two bytes as any code unit at all.
std::u16string TypedText(std::span<const std::uint8_t> bytes);

// One code unit per byte, as Latin-1.
std::u16string Latin1Text(std::span<const std::uint8_t> bytes);

// Little-endian UTF-16, lone surrogates and all; an odd last byte is dropped.
std::u16string Utf16Text(std::span<const std::uint8_t> bytes);

// One of the above, chosen by `how`: 1 UTF-16, 2 typed, anything else Latin-1.
std::u16string DecodedText(unsigned how, std::span<const std::uint8_t> bytes);

} // namespace fuzzing
