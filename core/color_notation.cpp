#include "core/color_notation.h"

#include "core/color_formats.h"
#include "core/color_spaces.h"
#include "core/named_colors.h"
#include "core/numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace tintwell {

namespace {

// No notation comes near this; a longer text is refused unread, which also
// bounds everything done after trimming.
constexpr std::size_t kMaxNotationLength = 256;
constexpr double kMaxPercent = 100.0;
constexpr char16_t kLastAscii = 0x7F;
constexpr std::int32_t kHexBase = 16;
constexpr std::size_t kChannelCount = 3;
constexpr std::size_t kHexDigitsPerChannel = 2;

// Pasted text often ends in a line break, which a typed box never holds.
bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\u00A0';
}

bool IsSeparator(char16_t c)
{
    return c == u',' || c == u'/';
}

char16_t LowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

std::optional<std::int32_t> HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    const char16_t lower = LowerAscii(c);
    if (lower >= u'a' && lower <= u'f')
        return lower - u'a' + 10;
    return std::nullopt;
}

// "RRGGBB", or "RGB" with each digit standing for two of itself (F80 is FF8800).
std::optional<Rgb> ParseHexDigits(std::u16string_view digits)
{
    if (digits.size() != kChannelCount && digits.size() != kHexDigitsPerChannel * kChannelCount)
        return std::nullopt;
    const std::size_t perChannel = digits.size() / kChannelCount;
    std::array<std::int32_t, kChannelCount> channels{};
    for (std::size_t channel = 0; channel < kChannelCount; ++channel) {
        for (std::size_t place = 0; place < kHexDigitsPerChannel; ++place) {
            const auto digit = HexDigit(digits[channel * perChannel + place % perChannel]);
            if (!digit)
                return std::nullopt;
            channels[channel] = channels[channel] * kHexBase + *digit;
        }
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

// A number is the channel itself, a percentage a share of the full channel.
// Either clamps to its range, and halves round up as browsers round them.
std::optional<std::int32_t> ComponentChannel(std::u16string_view token)
{
    const bool percent = token.ends_with(u'%');
    if (percent)
        token.remove_suffix(1);
    const std::optional<double> number = ParseNumber(token, u".");
    if (!number)
        return std::nullopt;
    // Times 255 before dividing by 100 keeps 50% at exactly 127.5.
    const double channel = percent ? std::clamp(*number, 0.0, kMaxPercent) * kMaxChannel / kMaxPercent
                                   : std::clamp(*number, 0.0, double{kMaxChannel});
    return static_cast<std::int32_t>(std::round(channel));
}

// Each ',' and '/' on its own, and the runs between them and white space.
std::vector<std::u16string_view> Tokens(std::u16string_view text)
{
    std::vector<std::u16string_view> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsSpace(text[pos])) {
            ++pos;
            continue;
        }
        std::size_t end = pos + 1;
        if (!IsSeparator(text[pos])) {
            while (end < text.size() && !IsSpace(text[end]) && !IsSeparator(text[end]))
                ++end;
        }
        tokens.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return tokens;
}

// One component of CSS Color 4's functions: `none` (0), a number, or a
// percentage of `hundredPercent`; a hue may also be an angle in deg, grad,
// rad or turn, a bare number being degrees.
std::optional<double> Component(std::u16string_view token, double hundredPercent, bool hue = false)
{
    std::u16string lower(token);
    std::ranges::transform(lower, lower.begin(), LowerAscii);
    if (lower == u"none")
        return 0.0;
    double scale = 1;
    std::u16string_view number = lower;
    constexpr std::array<std::pair<std::u16string_view, double>, 4> kAngles{
        {{u"deg", 1.0}, {u"grad", 360.0 / 400.0}, {u"rad", 180.0 / 3.14159265358979323846}, {u"turn", 360.0}}};
    if (number.ends_with(u'%')) {
        if (hue)
            return std::nullopt;
        number.remove_suffix(1);
        scale = hundredPercent / kMaxPercent;
    } else if (hue) {
        // "grad" before "rad", which it ends with.
        for (const auto& [unit, degrees] : kAngles) {
            if (number.ends_with(unit)) {
                number.remove_suffix(unit.size());
                scale = degrees;
                break;
            }
        }
    }
    const std::optional<double> value = ParseNumber(number, u".");
    if (!value || !std::isfinite(*value * scale))
        return std::nullopt;
    return *value * scale;
}

// A colour in or beyond sRGB, brought into it by CSS's gamut mapping. One so
// far beyond that a double overflows on its way to Oklab names no colour, as
// a number beyond a double names none: its lightness, which decides between
// white and black, is lost.
std::optional<Rgb> Mapped(Srgb color)
{
    if (InGamut(color))
        return ToRgb(color);
    const Oklab oklab = ToOklab(color);
    if (!std::isfinite(oklab.l) || !std::isfinite(oklab.a) || !std::isfinite(oklab.b))
        return std::nullopt;
    return ToRgb(MapIntoGamut(ToOklch(oklab)));
}

// A function's arguments: three components, "a b c" with an optional
// "/ alpha", or for the legacy functions "a, b, c" with an optional
// ", alpha". The alpha is not kept, but each function says what a
// well-formed one is.
struct Arguments {
    std::array<std::u16string_view, 3> components;
    std::optional<std::u16string_view> alpha;
};

std::optional<Arguments> SplitArguments(std::u16string_view arguments, bool legacy)
{
    const std::vector<std::u16string_view> tokens = Tokens(arguments);
    const bool commas = legacy && tokens.size() > 1 && tokens[1] == u",";
    const std::size_t colorTokens = commas ? 2 * kChannelCount - 1 : kChannelCount;
    if (tokens.size() != colorTokens && tokens.size() != colorTokens + 2)
        return std::nullopt;
    Arguments split;
    std::size_t count = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const bool separatorPlace = commas ? i % 2 == 1 : i == kChannelCount;
        if (separatorPlace) {
            if (tokens[i] != (commas ? u"," : u"/"))
                return std::nullopt;
            continue;
        }
        if (IsSeparator(tokens[i][0]))
            return std::nullopt;
        if (count < split.components.size())
            split.components[count] = tokens[i];
        else
            split.alpha = tokens[i];
        ++count;
    }
    return split;
}

// rgb()'s arguments: each channel, and the alpha, a number or a percentage.
std::optional<Rgb> ParseRgbArguments(std::u16string_view arguments)
{
    const auto split = SplitArguments(arguments, true);
    if (!split || (split->alpha && !ComponentChannel(*split->alpha)))
        return std::nullopt;
    std::array<std::int32_t, kChannelCount> channels{};
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        const auto channel = ComponentChannel(split->components[i]);
        if (!channel)
            return std::nullopt;
        channels[i] = *channel;
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

// The functions of CSS Color 4 but rgb(), by the name in lower case.
std::optional<Rgb> ParseCssFunction(std::u16string_view name, std::u16string_view arguments)
{
    const bool legacy = name == u"hsl" || name == u"hsla";
    if (name == u"color") {
        // color(srgb r g b), each 0..1 or a percentage.
        const std::vector<std::u16string_view> tokens = Tokens(arguments);
        std::u16string space(tokens.empty() ? std::u16string_view() : tokens[0]);
        std::ranges::transform(space, space.begin(), LowerAscii);
        if (space != u"srgb")
            return std::nullopt;
        arguments.remove_prefix(static_cast<std::size_t>(tokens[0].data() + tokens[0].size() - arguments.data()));
    }
    const auto split = SplitArguments(arguments, legacy);
    if (!split || (split->alpha && !Component(*split->alpha, 1)))
        return std::nullopt;
    const std::array<std::u16string_view, 3>& components = split->components;
    const bool hueFirst = legacy || name == u"hwb";
    const bool hueLast = name == u"lch" || name == u"oklch";
    std::array<double, 3> v{};
    const std::array<double, 3> percent = name == u"lab"     ? std::array{100.0, 125.0, 125.0}
                                          : name == u"lch"   ? std::array{100.0, 150.0, 0.0}
                                          : name == u"oklab" ? std::array{1.0, 0.4, 0.4}
                                          : name == u"oklch" ? std::array{1.0, 0.4, 0.0}
                                          : name == u"color" ? std::array{1.0, 1.0, 1.0}
                                                             : std::array{0.0, 100.0, 100.0};
    for (std::size_t i = 0; i < v.size(); ++i) {
        const bool hue = (hueFirst && i == 0) || (hueLast && i == 2);
        const std::optional<double> value = Component(components[i], percent[i], hue);
        if (!value)
            return std::nullopt;
        v[i] = *value;
    }
    if (legacy)
        return ToRgb(FromHsl(v[0], std::clamp(v[1], 0.0, kMaxPercent) / kMaxPercent,
                             std::clamp(v[2], 0.0, kMaxPercent) / kMaxPercent));
    if (name == u"hwb")
        return ToRgb(FromHwb(v[0], std::clamp(v[1], 0.0, kMaxPercent) / kMaxPercent,
                             std::clamp(v[2], 0.0, kMaxPercent) / kMaxPercent));
    if (name == u"color")
        return Mapped({v[0], v[1], v[2]});
    if (name == u"lab" || name == u"lch") {
        const double lightness = std::clamp(v[0], 0.0, kMaxPercent);
        if (name == u"lab")
            return Mapped(FromLab({lightness, v[1], v[2]}));
        const Oklab polar = FromOklch({lightness, std::max(v[1], 0.0), v[2]});
        return Mapped(FromLab({lightness, polar.a, polar.b}));
    }
    const double lightness = std::clamp(v[0], 0.0, 1.0);
    if (name == u"oklab") {
        // Straight to Oklch, as CSS maps it: by way of sRGB a large chroma
        // cancels the lightness away. A chroma beyond a double maps as the
        // largest one does, only its hue mattering by then.
        Oklch polar = ToOklch({lightness, v[1], v[2]});
        polar.c = std::min(polar.c, std::numeric_limits<double>::max());
        return ToRgb(MapIntoGamut(polar));
    }
    if (name == u"oklch")
        return ToRgb(MapIntoGamut({lightness, std::max(v[1], 0.0), v[2]}));
    return std::nullopt;
}

// A function, the name in any case and the parenthesis right after it.
std::optional<Rgb> ParseFunction(std::u16string_view text)
{
    const std::size_t open = text.find(u'(');
    if (open == std::u16string_view::npos || !text.ends_with(u')'))
        return std::nullopt;
    std::u16string name(text.substr(0, open));
    std::ranges::transform(name, name.begin(), LowerAscii);
    const std::u16string_view arguments = text.substr(open + 1, text.size() - open - 2);
    if (name == u"rgb" || name == u"rgba")
        return ParseRgbArguments(arguments);
    constexpr std::array<std::u16string_view, 8> kFunctions{u"hsl", u"hsla",  u"hwb",   u"lab",
                                                            u"lch", u"oklab", u"oklch", u"color"};
    if (std::ranges::find(kFunctions, name) == kFunctions.end())
        return std::nullopt;
    return ParseCssFunction(name, arguments);
}

std::optional<Rgb> ParseName(std::u16string_view text)
{
    std::u16string lower(text);
    std::ranges::transform(lower, lower.begin(), LowerAscii);
    const auto names = NamedColors();
    const auto found = std::ranges::lower_bound(names, lower, {}, &NamedColor::name);
    if (found == names.end() || found->name != lower)
        return std::nullopt;
    constexpr std::int32_t kByte = 0x100;
    return Rgb{found->rgb / kByte / kByte, found->rgb / kByte % kByte, found->rgb % kByte};
}

// More than any 8-bit colour needs in any of these notations.
constexpr int kMostDecimals = 6;

// `value` with `decimals` decimals, trailing zeros and a bare point dropped;
// always with a point, whatever the locale.
std::string Decimal(double value, int decimals)
{
    std::array<char, 64> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals).ptr;
    std::string written(text.data(), end);
    if (written.find('.') != std::string::npos) {
        written.erase(written.find_last_not_of('0') + 1);
        if (written.ends_with('.'))
            written.pop_back();
    }
    return written == "-0" ? "0" : written;
}

// The three numbers with the fewest decimals in all that `write` still turns
// into a text that `reads` as the colour wanted; among as few, the earlier
// numbers keep more.
std::u16string Shortest(const std::array<double, 3>& numbers,
                        const std::function<std::string(const std::array<std::string, 3>&)>& write,
                        const std::function<bool(const std::array<std::string, 3>&)>& reads)
{
    std::array<std::string, 3> best{Decimal(numbers[0], kMostDecimals), Decimal(numbers[1], kMostDecimals),
                                    Decimal(numbers[2], kMostDecimals)};
    int fewest = 3 * kMostDecimals;
    for (int total = 0; total < fewest; ++total) {
        for (int first = std::min(total, kMostDecimals); first >= 0 && fewest > total; --first) {
            for (int second = std::min(total - first, kMostDecimals); second >= 0; --second) {
                const int third = total - first - second;
                if (third > kMostDecimals)
                    break;
                const std::array<std::string, 3> texts{Decimal(numbers[0], first), Decimal(numbers[1], second),
                                                       Decimal(numbers[2], third)};
                if (reads(texts)) {
                    best = texts;
                    fewest = total;
                    break;
                }
            }
        }
    }
    const std::string written = write(best);
    return {written.begin(), written.end()};
}

// Whether a written notation is read back as `color`.
bool ReadsAs(const std::string& text, Rgb color)
{
    return ParseColorNotation(std::u16string(text.begin(), text.end())) == color;
}

double Number(const std::string& text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

std::u16string HslNotation(Rgb color)
{
    double hue = 0, saturation = 0, lightness = 0;
    ToHsl(ToSrgb(color), hue, saturation, lightness);
    const auto write = [](const std::array<std::string, 3>& n) {
        return "hsl(" + n[0] + " " + n[1] + "% " + n[2] + "%)";
    };
    return Shortest({hue, saturation * kMaxPercent, lightness * kMaxPercent}, write,
                    [&](const std::array<std::string, 3>& n) { return ReadsAs(write(n), color); });
}

std::u16string OklchNotation(Rgb color)
{
    const Oklch oklch = ToOklch(ToOklab(ToSrgb(color)));
    const auto write = [](const std::array<std::string, 3>& n) {
        return "oklch(" + n[0] + " " + n[1] + " " + n[2] + ")";
    };
    // Also within sRGB as written: the gamut mapping would let a chroma far
    // too high read back the same, which a wider screen shows brighter.
    const auto reads = [&](const std::array<std::string, 3>& n) {
        const Srgb back = FromOklab(FromOklch({Number(n[0]), Number(n[1]), Number(n[2])}));
        constexpr double kHalfStep = 0.5 / kMaxChannel;
        const auto near = [](double c) { return c > -kHalfStep && c < 1 + kHalfStep; };
        return near(back.red) && near(back.green) && near(back.blue) && ReadsAs(write(n), color);
    };
    // A grey has no hue to speak of; 0 says so.
    const bool grey = reads({Decimal(oklch.l, kMostDecimals), "0", "0"});
    return Shortest({oklch.l, grey ? 0.0 : oklch.c, grey ? 0.0 : oklch.h}, write, reads);
}

std::u16string HexNotation(Rgb color)
{
    return u"#" + ChannelHexText(color.red) + ChannelHexText(color.green) + ChannelHexText(color.blue);
}

std::u16string RgbNotation(Rgb color)
{
    return u"rgb(" + ChannelDecimalText(color.red) + u", " + ChannelDecimalText(color.green) + u", " +
           ChannelDecimalText(color.blue) + u")";
}

std::optional<Rgb> ParseColorNotation(std::u16string_view text)
{
    text = TrimWhere(text, &IsSpace);
    if (text.size() > kMaxNotationLength || !std::ranges::all_of(text, [](char16_t c) { return c <= kLastAscii; }))
        return std::nullopt;
    if (text.starts_with(u'#'))
        return ParseHexDigits(text.substr(1));
    if (text.find(u'(') != std::u16string_view::npos)
        return ParseFunction(text);
    return ParseName(text);
}

} // namespace tintwell
