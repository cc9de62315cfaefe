#include "core/color_name.h"

#include "core/color_formats.h"
#include "core/named_colors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace tintwell {

namespace {

constexpr std::int32_t kByte = 0x100;

struct Oklab {
    double l, a, b;
};

// sRGB's transfer function undone, channel by channel; 256 values, so worked
// out once rather than with pow on every call.
using LinearTable = std::array<double, kMaxChannel + 1>;

LinearTable MakeLinearTable()
{
    LinearTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const double c = static_cast<double>(i) / kMaxChannel;
        table[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return table;
}

double Linear(std::int32_t channel)
{
    static const LinearTable table = MakeLinearTable();
    return table[static_cast<std::size_t>(std::clamp(channel, 0, kMaxChannel))];
}

// Björn Ottosson's matrices: linear sRGB to cone responses, then their cube
// roots to lightness and the two opponent axes.
Oklab ToOklab(Rgb color)
{
    const double r = Linear(color.red);
    const double g = Linear(color.green);
    const double b = Linear(color.blue);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Rgb Unpacked(std::int32_t rgb)
{
    return {rgb / kByte / kByte, rgb / kByte % kByte, rgb % kByte};
}

using NamedOklab = std::array<Oklab, kNamedColorCount>;

NamedOklab MakeNamedOklab()
{
    NamedOklab coordinates{};
    const auto names = NamedColors();
    for (std::size_t i = 0; i < kNamedColorCount; ++i)
        coordinates[i] = ToOklab(Unpacked(names[i].rgb));
    return coordinates;
}

} // namespace

ColorName NearestColorName(Rgb color)
{
    static const NamedOklab named = MakeNamedOklab();
    const Oklab target = ToOklab(color);
    std::size_t nearest = 0;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < kNamedColorCount; ++i) {
        const double dl = named[i].l - target.l;
        const double da = named[i].a - target.a;
        const double db = named[i].b - target.b;
        const double distance = dl * dl + da * da + db * db;
        // Strictly nearer only, so of equals the first in the table stays.
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    const NamedColor& name = NamedColors()[nearest];
    return {name.name, Unpacked(name.rgb) == color};
}

std::u16string ColorNameText(Rgb color)
{
    const ColorName name = NearestColorName(color);
    if (name.exact)
        return std::u16string(name.name);
    return u"\u2248 " + std::u16string(name.name);
}

} // namespace tintwell
