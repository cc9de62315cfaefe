// Colour notations from the clipboard or a drop: reading any text never
// fails badly, agrees with a reference reading, and what the copy commands
// write reads back as the same colour.
//
// Input: the first byte picks how the rest becomes text (low two bits:
// Latin-1, UTF-16LE, TypedText, Latin-1).

#include "fuzz/finding.h"
#include "fuzz/fuzz_text.h"
#include "fuzz/reference_notation.h"

#include "core/color_notation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <vector>

using fuzzing::Fail;
using fuzzing::Judgement;
using fuzzing::Quoted;
using fuzzing::ReferenceColor;
using fuzzing::ReferenceReading;
using tintwell::Rgb;

namespace {

constexpr std::size_t kCssNameCount = 148;

// A double can't tell on which side of a half a number within a hair of it
// falls, so there either whole number will do.
constexpr long double kHalfStep = 0.5L;
constexpr long double kRoundingSlack = kHalfStep + 1e-9L;

constexpr std::int32_t kMaxChannel = 255;

// CSS's gamut mapping keeps a colour's Oklab lightness and hue and gives up
// chroma until clipping what is left moves it less than this (deltaEOK)...
constexpr long double kJustNoticeable = 0.02L;
// ...or a little more when the search stops on a step just past it.
constexpr long double kLastStep = 0.002L;

std::string Show(std::optional<Rgb> color)
{
    return color ? "(" + std::to_string(color->red) + ", " + std::to_string(color->green) + ", " +
                       std::to_string(color->blue) + ")"
                 : "nothing";
}

std::optional<Rgb> Read(std::u16string_view text)
{
    try {
        return tintwell::ParseColorNotation(text);
    } catch (const std::exception& error) {
        Fail("reading " + Quoted(text) + " raised " + error.what());
    } catch (...) {
        Fail("reading " + Quoted(text) + " raised something that is not a std::exception");
    }
}

// The Oklab lightness a whole colour may stand for: each channel anywhere
// within half a step of its own. Lightness grows with every channel, so the
// lowest and highest corners bound it.
std::array<long double, 2> LightnessRange(Rgb color)
{
    const std::array channels{color.red, color.green, color.blue};
    ReferenceColor low{}, high{};
    for (std::size_t i = 0; i < channels.size(); ++i) {
        low[i] = std::max(channels[i] - kHalfStep, 0.0L);
        high[i] = std::min(channels[i] + kHalfStep, static_cast<long double>(kMaxChannel));
    }
    return {fuzzing::ReferenceLightness(low), fuzzing::ReferenceLightness(high)};
}

bool Agree(std::optional<Rgb> color, const std::optional<ReferenceReading>& expected)
{
    if (!color && expected && expected->mayBeRefused)
        return true;
    if (!color || !expected)
        return color.has_value() == expected.has_value();
    const std::array channels{color->red, color->green, color->blue};
    for (const std::int32_t channel : channels) {
        if (channel < 0 || channel > kMaxChannel)
            return false;
    }
    switch (expected->judgement) {
    case Judgement::Exact:
        for (std::size_t i = 0; i < channels.size(); ++i) {
            if (std::fabs(channels[i] - expected->color[i]) > kRoundingSlack + expected->slack)
                return false;
        }
        return true;
    case Judgement::Lightness: {
        const auto [low, high] = LightnessRange(*color);
        return high >= expected->lowLightness - kJustNoticeable - kLastStep &&
               low <= expected->highLightness + kJustNoticeable + kLastStep;
    }
    case Judgement::Accepted:
        break;
    }
    return true;
}

void CheckWritten(Rgb color, const std::u16string& written)
{
    const std::optional<Rgb> back = Read(written);
    if (back != color || !Agree(color, fuzzing::ReadNotationReference(written)))
        Fail(Show(color) + " written as " + Quoted(written) + " reads back as " + Show(back));
}

void CheckReading(const std::u16string& text)
{
    const std::optional<Rgb> color = Read(text);
    if (!Agree(color, fuzzing::ReadNotationReference(text)))
        Fail(Quoted(text) + ": read as " + Show(color) + ", not as the reference reads it");
    if (color) {
        CheckWritten(*color, tintwell::HexNotation(*color));
        CheckWritten(*color, tintwell::RgbNotation(*color));
        CheckWritten(*color, tintwell::HslNotation(*color));
        CheckWritten(*color, tintwell::OklchNotation(*color));
    }
}

} // namespace

// The fuzzer would hardly ever spell out a name such as "papayawhip", so every
// name is read once before it starts. The program's table holds 148 too, so
// passing this makes the two tables the same.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::vector<std::string> names = fuzzing::ReferenceNames();
    if (names.size() != kCssNameCount)
        Fail("the reference knows " + std::to_string(names.size()) + " names");
    for (const std::string& name : names)
        CheckReading(std::u16string(name.begin(), name.end()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    CheckReading(fuzzing::DecodedText(data[0] & 3U, std::span(data + 1, size - 1)));
    return 0;
}
