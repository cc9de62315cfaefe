#include "core/color_name.h"

#include "core/color_formats.h"
#include "core/color_spaces.h"
#include "core/named_colors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace tintwell {

namespace {

constexpr std::int32_t kByte = 0x100;

// The colour spaces' own conversion, so naming and CSS's oklch() agree.
Oklab ToOklab(Rgb color)
{
    return tintwell::ToOklab(ToSrgb(color));
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
