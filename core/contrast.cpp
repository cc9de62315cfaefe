#include "core/contrast.h"

#include "core/color_formats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace tintwell {

namespace {

// WCAG's own threshold for the sRGB curve (0.03928), not sRGB's 0.04045:
// no 8-bit value falls between them, so every channel gets the same value.
double Linear(std::int32_t channel)
{
    static const std::array<double, kMaxChannel + 1> table = [] {
        std::array<double, kMaxChannel + 1> values{};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double c = static_cast<double>(i) / kMaxChannel;
            values[i] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table[static_cast<std::size_t>(std::clamp(channel, 0, kMaxChannel))];
}

double RelativeLuminance(Rgb color)
{
    return 0.2126 * Linear(color.red) + 0.7152 * Linear(color.green) + 0.0722 * Linear(color.blue);
}

} // namespace

double ContrastRatio(Rgb one, Rgb other)
{
    const double a = RelativeLuminance(one);
    const double b = RelativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

ContrastLevel LevelOf(double ratio)
{
    if (ratio >= 7.0)
        return ContrastLevel::AAA;
    if (ratio >= 4.5)
        return ContrastLevel::AA;
    if (ratio >= 3.0)
        return ContrastLevel::AALarge;
    return ContrastLevel::Fails;
}

} // namespace tintwell
