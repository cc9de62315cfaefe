#include "core/color_notation.h"

#include "core/color_formats.h"
#include "core/numeric_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
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

struct NamedColor {
    std::u16string_view name;
    std::int32_t rgb; // 0xRRGGBB
};

// The CSS colour names, sorted for the binary search.
constexpr std::array<NamedColor, 148> kNamedColors{{
    {u"aliceblue", 0xF0F8FF}, {u"antiquewhite", 0xFAEBD7}, {u"aqua", 0x00FFFF},
    {u"aquamarine", 0x7FFFD4}, {u"azure", 0xF0FFFF}, {u"beige", 0xF5F5DC}, {u"bisque", 0xFFE4C4},
    {u"black", 0x000000}, {u"blanchedalmond", 0xFFEBCD}, {u"blue", 0x0000FF},
    {u"blueviolet", 0x8A2BE2}, {u"brown", 0xA52A2A}, {u"burlywood", 0xDEB887},
    {u"cadetblue", 0x5F9EA0}, {u"chartreuse", 0x7FFF00}, {u"chocolate", 0xD2691E},
    {u"coral", 0xFF7F50}, {u"cornflowerblue", 0x6495ED}, {u"cornsilk", 0xFFF8DC},
    {u"crimson", 0xDC143C}, {u"cyan", 0x00FFFF}, {u"darkblue", 0x00008B}, {u"darkcyan", 0x008B8B},
    {u"darkgoldenrod", 0xB8860B}, {u"darkgray", 0xA9A9A9}, {u"darkgreen", 0x006400},
    {u"darkgrey", 0xA9A9A9}, {u"darkkhaki", 0xBDB76B}, {u"darkmagenta", 0x8B008B},
    {u"darkolivegreen", 0x556B2F}, {u"darkorange", 0xFF8C00}, {u"darkorchid", 0x9932CC},
    {u"darkred", 0x8B0000}, {u"darksalmon", 0xE9967A}, {u"darkseagreen", 0x8FBC8F},
    {u"darkslateblue", 0x483D8B}, {u"darkslategray", 0x2F4F4F}, {u"darkslategrey", 0x2F4F4F},
    {u"darkturquoise", 0x00CED1}, {u"darkviolet", 0x9400D3}, {u"deeppink", 0xFF1493},
    {u"deepskyblue", 0x00BFFF}, {u"dimgray", 0x696969}, {u"dimgrey", 0x696969},
    {u"dodgerblue", 0x1E90FF}, {u"firebrick", 0xB22222}, {u"floralwhite", 0xFFFAF0},
    {u"forestgreen", 0x228B22}, {u"fuchsia", 0xFF00FF}, {u"gainsboro", 0xDCDCDC},
    {u"ghostwhite", 0xF8F8FF}, {u"gold", 0xFFD700}, {u"goldenrod", 0xDAA520}, {u"gray", 0x808080},
    {u"green", 0x008000}, {u"greenyellow", 0xADFF2F}, {u"grey", 0x808080}, {u"honeydew", 0xF0FFF0},
    {u"hotpink", 0xFF69B4}, {u"indianred", 0xCD5C5C}, {u"indigo", 0x4B0082}, {u"ivory", 0xFFFFF0},
    {u"khaki", 0xF0E68C}, {u"lavender", 0xE6E6FA}, {u"lavenderblush", 0xFFF0F5},
    {u"lawngreen", 0x7CFC00}, {u"lemonchiffon", 0xFFFACD}, {u"lightblue", 0xADD8E6},
    {u"lightcoral", 0xF08080}, {u"lightcyan", 0xE0FFFF}, {u"lightgoldenrodyellow", 0xFAFAD2},
    {u"lightgray", 0xD3D3D3}, {u"lightgreen", 0x90EE90}, {u"lightgrey", 0xD3D3D3},
    {u"lightpink", 0xFFB6C1}, {u"lightsalmon", 0xFFA07A}, {u"lightseagreen", 0x20B2AA},
    {u"lightskyblue", 0x87CEFA}, {u"lightslategray", 0x778899}, {u"lightslategrey", 0x778899},
    {u"lightsteelblue", 0xB0C4DE}, {u"lightyellow", 0xFFFFE0}, {u"lime", 0x00FF00},
    {u"limegreen", 0x32CD32}, {u"linen", 0xFAF0E6}, {u"magenta", 0xFF00FF}, {u"maroon", 0x800000},
    {u"mediumaquamarine", 0x66CDAA}, {u"mediumblue", 0x0000CD}, {u"mediumorchid", 0xBA55D3},
    {u"mediumpurple", 0x9370DB}, {u"mediumseagreen", 0x3CB371}, {u"mediumslateblue", 0x7B68EE},
    {u"mediumspringgreen", 0x00FA9A}, {u"mediumturquoise", 0x48D1CC},
    {u"mediumvioletred", 0xC71585}, {u"midnightblue", 0x191970}, {u"mintcream", 0xF5FFFA},
    {u"mistyrose", 0xFFE4E1}, {u"moccasin", 0xFFE4B5}, {u"navajowhite", 0xFFDEAD},
    {u"navy", 0x000080}, {u"oldlace", 0xFDF5E6}, {u"olive", 0x808000}, {u"olivedrab", 0x6B8E23},
    {u"orange", 0xFFA500}, {u"orangered", 0xFF4500}, {u"orchid", 0xDA70D6},
    {u"palegoldenrod", 0xEEE8AA}, {u"palegreen", 0x98FB98}, {u"paleturquoise", 0xAFEEEE},
    {u"palevioletred", 0xDB7093}, {u"papayawhip", 0xFFEFD5}, {u"peachpuff", 0xFFDAB9},
    {u"peru", 0xCD853F}, {u"pink", 0xFFC0CB}, {u"plum", 0xDDA0DD}, {u"powderblue", 0xB0E0E6},
    {u"purple", 0x800080}, {u"rebeccapurple", 0x663399}, {u"red", 0xFF0000},
    {u"rosybrown", 0xBC8F8F}, {u"royalblue", 0x4169E1}, {u"saddlebrown", 0x8B4513},
    {u"salmon", 0xFA8072}, {u"sandybrown", 0xF4A460}, {u"seagreen", 0x2E8B57},
    {u"seashell", 0xFFF5EE}, {u"sienna", 0xA0522D}, {u"silver", 0xC0C0C0}, {u"skyblue", 0x87CEEB},
    {u"slateblue", 0x6A5ACD}, {u"slategray", 0x708090}, {u"slategrey", 0x708090},
    {u"snow", 0xFFFAFA}, {u"springgreen", 0x00FF7F}, {u"steelblue", 0x4682B4}, {u"tan", 0xD2B48C},
    {u"teal", 0x008080}, {u"thistle", 0xD8BFD8}, {u"tomato", 0xFF6347}, {u"turquoise", 0x40E0D0},
    {u"violet", 0xEE82EE}, {u"wheat", 0xF5DEB3}, {u"white", 0xFFFFFF}, {u"whitesmoke", 0xF5F5F5},
    {u"yellow", 0xFFFF00}, {u"yellowgreen", 0x9ACD32},
}};
// Also catches a missing entry, which would be left empty at the end.
static_assert(std::ranges::is_sorted(kNamedColors, {}, &NamedColor::name));

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

// "r, g, b" with an optional ", a", or "r g b" with an optional "/ a". The
// alpha must be a well-formed component but is not kept.
std::optional<Rgb> ParseRgbArguments(std::u16string_view arguments)
{
    const std::vector<std::u16string_view> tokens = Tokens(arguments);
    const bool commas = tokens.size() > 1 && tokens[1] == u",";
    const std::size_t colorTokens = commas ? 2 * kChannelCount - 1 : kChannelCount;
    if (tokens.size() != colorTokens && tokens.size() != colorTokens + 2)
        return std::nullopt;

    std::array<std::int32_t, kChannelCount + 1> components{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const bool separatorPlace = commas ? i % 2 == 1 : i == kChannelCount;
        if (separatorPlace) {
            if (tokens[i] != (commas ? u"," : u"/"))
                return std::nullopt;
            continue;
        }
        const auto channel = ComponentChannel(tokens[i]);
        if (!channel)
            return std::nullopt;
        components[count++] = *channel;
    }
    return Rgb{components[0], components[1], components[2]};
}

// "rgb(...)" or its alias "rgba(...)", the name in any case and the
// parenthesis right after it.
std::optional<Rgb> ParseRgbFunction(std::u16string_view text)
{
    const std::size_t open = text.find(u'(');
    if (open == std::u16string_view::npos || !text.ends_with(u')'))
        return std::nullopt;
    std::u16string name(text.substr(0, open));
    std::ranges::transform(name, name.begin(), LowerAscii);
    if (name != u"rgb" && name != u"rgba")
        return std::nullopt;
    return ParseRgbArguments(text.substr(open + 1, text.size() - open - 2));
}

std::optional<Rgb> ParseName(std::u16string_view text)
{
    std::u16string lower(text);
    std::ranges::transform(lower, lower.begin(), LowerAscii);
    const auto found = std::ranges::lower_bound(kNamedColors, lower, {}, &NamedColor::name);
    if (found == kNamedColors.end() || found->name != lower)
        return std::nullopt;
    constexpr std::int32_t kByte = 0x100;
    return Rgb{found->rgb / kByte / kByte, found->rgb / kByte % kByte, found->rgb % kByte};
}

} // namespace

std::u16string HexNotation(Rgb colour)
{
    return u"#" + ChannelHexText(colour.red) + ChannelHexText(colour.green) +
           ChannelHexText(colour.blue);
}

std::u16string RgbNotation(Rgb colour)
{
    return u"rgb(" + ChannelDecimalText(colour.red) + u", " + ChannelDecimalText(colour.green) +
           u", " + ChannelDecimalText(colour.blue) + u")";
}

std::optional<Rgb> ParseColorNotation(std::u16string_view text)
{
    text = TrimWhere(text, &IsSpace);
    if (text.size() > kMaxNotationLength ||
        !std::ranges::all_of(text, [](char16_t c) { return c <= kLastAscii; }))
        return std::nullopt;
    if (text.starts_with(u'#'))
        return ParseHexDigits(text.substr(1));
    if (text.find(u'(') != std::u16string_view::npos)
        return ParseRgbFunction(text);
    return ParseName(text);
}

} // namespace tintwell
