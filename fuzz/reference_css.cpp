#include "fuzz/reference_css.h"

#include "fuzz/reference_spaces.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzing {

namespace {

constexpr long double kFullChannel = 255;
constexpr long double kFullPercent = 100;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// The first exact value a double rounds to infinity: half a step past the
// largest double. A component the program would hold as infinite is refused.
constexpr long double kDoubleOverflow = 0x1p1024L - 0x1p970L;

// The program turns an angle into degrees in doubles: the unit and the
// product each rounded, a few steps of 2^-53 of the angle in all.
constexpr long double kAngleRounding = 0x1p-51L;
// Beyond this many degrees of doubt a hue is anywhere: a double holds it to
// no better once past some 1e13 degrees.
constexpr long double kLargestHueDoubt = 1e-2L;

// How far the program's sRGB may lie from the reference's for the same
// colour, as 0..1: the two sets of Oklab matrices part at about 1.6e-7; Lab,
// HSL and HWB agree to within rounding.
constexpr long double kOklabRouteSlack = 1e-6L;
constexpr long double kLabRouteSlack = 1e-12L;

// CSS's gamut mapping. A colour within kNearGamut of sRGB reads as itself
// clipped, whether the program counts it in or maps it: mapping it could
// only clip it, or give white or black where clipping would too.
constexpr long double kNearGamut = 1e-5L;
constexpr long double kJustNoticeable = 0.02L;
// How far two implementations' deltaEOK may part for one colour: near black
// the cube root magnifies what little their sRGB differs by.
constexpr long double kDistanceDoubt = 1e-3L;
// Two sets of Oklab matrices agree to about 1e-8 of the cube roots a
// lightness is summed from; for a colour far out the sum cancels.
constexpr long double kMatrixAgreement = 1e-7L;
// Linear light the program's doubles surely carry: a few times this, as its
// matrices sum, is still far short of the largest double.
constexpr long double kSafeLinear = 1e300L;

enum class Space { Hsl, Hwb, Lab, Lch, Oklab, Oklch, Srgb };

// What 100% stands for in each component; 0 marks a hue, which takes an
// angle and no percentage.
struct CssFunction {
    Space space;
    std::string_view pattern;
    std::array<long double, 3> hundredPercent;
    bool commas; // also the legacy form with commas, as hsl() has
};

constexpr std::array<CssFunction, 7> kFunctions{{
    {Space::Hsl, "hsla?\\(", {0, 100, 100}, true},
    {Space::Hwb, "hwb\\(", {0, 100, 100}, false},
    {Space::Lab, "lab\\(", {100, 125, 125}, false},
    {Space::Lch, "lch\\(", {100, 150, 0}, false},
    {Space::Oklab, "oklab\\(", {1, 0.4L, 0.4L}, false},
    {Space::Oklch, "oklch\\(", {1, 0.4L, 0}, false},
    {Space::Srgb, "color\\([ \t\n\r\f]*srgb[ \t\n\r\f]+", {1, 1, 1}, false},
}};

// Each component captures all of itself, alpha too. Written so that no text
// matches in two ways, which would make std::regex backtrack for ages.
std::regex Form(const CssFunction& function, bool commas)
{
    const std::string space = "[ \t\n\r\f]";
    const std::string number = "[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:e[+-]?[0-9]+)?";
    const auto component = [&](long double hundredPercent) {
        return "(none|" + number + (hundredPercent == 0 ? "(?:deg|grad|rad|turn)?" : "%?") + ")";
    };
    const std::string between = commas ? space + "*," + space + "*" : space + "+";
    const std::string alpha = "(?:" + space + "*" + (commas ? "," : "/") + space + "*" + component(1) + ")?";
    return std::regex(std::string(function.pattern) + space + "*" + component(function.hundredPercent[0]) + between +
                          component(function.hundredPercent[1]) + between + component(function.hundredPercent[2]) +
                          alpha + space + "*\\)",
                      std::regex::ECMAScript | std::regex::icase);
}

struct Pattern {
    const CssFunction* function;
    std::regex form;
};

const std::vector<Pattern>& Patterns()
{
    static const std::vector<Pattern> patterns = [] {
        std::vector<Pattern> all;
        for (const CssFunction& function : kFunctions) {
            all.push_back({&function, Form(function, false)});
            if (function.commas)
                all.push_back({&function, Form(function, true)});
        }
        return all;
    }();
    return patterns;
}

std::string Lower(std::string text)
{
    std::ranges::transform(text, text.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

// A number as the program holds it, a double; none if too large for one.
std::optional<long double> Number(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const double value = strtod_l(text.c_str(), nullptr, cLocale);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// `number` times `scale`, unless the program's double product is infinite.
std::optional<long double> Scaled(const std::optional<long double>& number, long double scale)
{
    if (!number || std::fabs(*number * scale) >= kDoubleOverflow)
        return std::nullopt;
    return *number * scale;
}

std::optional<long double> Component(const std::string& token, long double hundredPercent)
{
    const std::string lower = Lower(token);
    if (lower == "none")
        return 0.0L;
    if (lower.ends_with('%'))
        return Scaled(Number(lower.substr(0, lower.size() - 1)), hundredPercent / kFullPercent);
    return Number(lower);
}

struct Hue {
    long double degrees = 0;
    long double doubt = 0; // how far the program's double may lie from it
};

std::optional<Hue> ReadHue(const std::string& token)
{
    const std::string lower = Lower(token);
    if (lower == "none")
        return Hue{};
    struct Unit {
        std::string_view name;
        long double degrees;
    };
    // "grad" before "rad", which it ends with.
    const std::array<Unit, 4> units{{{"turn", 360}, {"grad", 0.9L}, {"rad", 180 / kPi}, {"deg", 1}}};
    for (const Unit& unit : units) {
        if (lower.ends_with(unit.name)) {
            const auto degrees = Scaled(Number(lower.substr(0, lower.size() - unit.name.size())), unit.degrees);
            if (!degrees)
                return std::nullopt;
            // Degrees are exact: the program reduces the very double read.
            return Hue{*degrees, unit.name == "deg" ? 0 : std::fabs(*degrees) * kAngleRounding};
        }
    }
    const auto degrees = Number(lower);
    if (!degrees)
        return std::nullopt;
    return Hue{*degrees, 0};
}

// Where a reading's numbers put the colour: in sRGB, perhaps beyond it, and
// in Oklab when that is what was written.
struct Origin {
    Triple srgb{};
    std::optional<Triple> oklab;
    long double routeSlack = 0;
};

Origin Convert(Space space, const Triple& v)
{
    const auto share = [](long double percent) { return std::clamp(percent, 0.0L, kFullPercent) / kFullPercent; };
    switch (space) {
    case Space::Hsl:
        return {SrgbFromHsl(v[0], share(v[1]), share(v[2])), std::nullopt, 0};
    case Space::Hwb:
        return {SrgbFromHwb(v[0], share(v[1]), share(v[2])), std::nullopt, 0};
    case Space::Lab:
        return {SrgbFromLab({std::clamp(v[0], 0.0L, kFullPercent), v[1], v[2]}), std::nullopt, kLabRouteSlack};
    case Space::Lch:
        return {SrgbFromLab(FromPolar({std::clamp(v[0], 0.0L, kFullPercent), std::max(v[1], 0.0L), v[2]})),
                std::nullopt, kLabRouteSlack};
    case Space::Oklab:
    case Space::Oklch: {
        const Triple oklab = space == Space::Oklab
                                 ? Triple{std::clamp(v[0], 0.0L, 1.0L), v[1], v[2]}
                                 : FromPolar({std::clamp(v[0], 0.0L, 1.0L), std::max(v[1], 0.0L), v[2]});
        return {SrgbFromOklab(oklab), oklab, kOklabRouteSlack};
    }
    case Space::Srgb:
        break;
    }
    return {v, std::nullopt, 0};
}

// CSS's gamut mapping as far as the reference can vouch for its outcome.
ReferenceReading Resolve(const Origin& origin)
{
    const ReferenceOklab oklab = origin.oklab ? ReferenceOklab{*origin.oklab, 0, 0} : OklabFromSrgb(origin.srgb);
    const long double lightness = oklab.lab[0];
    const long double doubt = kMatrixAgreement * oklab.magnitude;
    ReferenceReading reading;
    reading.mayBeRefused = oklab.linear > kSafeLinear;
    reading.lowLightness = std::clamp(lightness - doubt, 0.0L, 1.0L);
    reading.highLightness = std::clamp(lightness + doubt, 0.0L, 1.0L);

    const auto exactly = [&](const Triple& srgb) {
        for (std::size_t i = 0; i < srgb.size(); ++i)
            reading.color[i] = srgb[i] * kFullChannel;
        reading.slack = origin.routeSlack * kFullChannel;
        return reading;
    };
    Triple clipped{};
    long double beyond = 0;
    for (std::size_t i = 0; i < clipped.size(); ++i) {
        clipped[i] = std::clamp(origin.srgb[i], 0.0L, 1.0L);
        beyond = std::max(beyond, std::fabs(origin.srgb[i] - clipped[i]));
    }
    if (beyond <= kNearGamut)
        return exactly(clipped);
    if (lightness - doubt >= 1)
        return exactly({1, 1, 1});
    if (lightness + doubt <= 0)
        return exactly({0, 0, 0});
    if (lightness + doubt < 1 && lightness - doubt > 0) {
        const ReferenceOklab clippedOklab = OklabFromSrgb(clipped);
        const long double distanceDoubt = kDistanceDoubt +
                                          kMatrixAgreement * (oklab.magnitude + clippedOklab.magnitude);
        if (OklabDistance(clippedOklab.lab, oklab.lab) + distanceDoubt < kJustNoticeable)
            return exactly(clipped);
    }
    reading.judgement = Judgement::Lightness;
    return reading;
}

// Of two readings, what both allow.
ReferenceReading Either(ReferenceReading one, const ReferenceReading& other)
{
    one.lowLightness = std::min(one.lowLightness, other.lowLightness);
    one.highLightness = std::max(one.highLightness, other.highLightness);
    one.mayBeRefused = one.mayBeRefused || other.mayBeRefused;
    if (one.judgement != Judgement::Exact || other.judgement != Judgement::Exact) {
        one.judgement = Judgement::Lightness;
        return one;
    }
    one.slack = std::max(one.slack, other.slack);
    for (std::size_t i = 0; i < one.color.size(); ++i)
        one.slack = std::max(one.slack, std::fabs(one.color[i] - other.color[i]));
    return one;
}

} // namespace

std::optional<ReferenceReading> ReadCssFunctionReference(const std::string& text)
{
    std::smatch match;
    for (const auto& [function, form] : Patterns()) {
        if (!std::regex_match(text, match, form))
            continue;
        // The alpha must read as a number, though it is not kept.
        if (match[4].matched && !Component(match[4], 1))
            return std::nullopt;
        Triple v{};
        std::optional<Hue> hue;
        std::size_t huePlace = 0;
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (function->hundredPercent[i] == 0) {
                hue = ReadHue(match[i + 1]);
                if (!hue)
                    return std::nullopt;
                v[i] = hue->degrees;
                huePlace = i;
                continue;
            }
            const auto value = Component(match[i + 1], function->hundredPercent[i]);
            if (!value)
                return std::nullopt;
            v[i] = *value;
        }
        ReferenceReading reading = Resolve(Convert(function->space, v));
        if (!hue || hue->doubt == 0)
            return reading;
        if (hue->doubt > kLargestHueDoubt) {
            reading.judgement = Judgement::Accepted;
            return reading;
        }
        // Wherever in its doubt the program's hue lies.
        for (const long double turned : {hue->degrees - hue->doubt, hue->degrees + hue->doubt}) {
            Triple other = v;
            other[huePlace] = turned;
            reading = Either(reading, Resolve(Convert(function->space, other)));
        }
        return reading;
    }
    return std::nullopt;
}

} // namespace fuzzing
