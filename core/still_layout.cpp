#include "core/still_layout.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tintwell {

namespace {

// Stills are taken at the largest screen's ratio or at the layout's own, so
// anything far outside these is not a still of this desktop.
constexpr double kSmallestScale = 0.125;
constexpr double kLargestScale = 16.0;
// Fractional scales round a screen's size to whole pixels.
constexpr double kRoundingSlack = 1.0;

int Clamped(double value, int last)
{
    if (!(value >= 0.0))
        return 0;
    return value >= last ? last : static_cast<int>(value);
}

} // namespace

StillLayout::StillLayout(int left, int top, int width, int height, double scale)
    : m_left(left), m_top(top), m_width(width), m_height(height), m_scale(scale)
{
}

std::optional<StillLayout> StillLayout::Fit(std::span<const ScreenArea> screens, int stillWidth, int stillHeight)
{
    if (screens.empty() || stillWidth <= 0 || stillHeight <= 0)
        return std::nullopt;
    long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
    for (const ScreenArea& screen : screens) {
        if (screen.width <= 0 || screen.height <= 0)
            return std::nullopt;
        left = std::min<long long>(left, screen.x);
        top = std::min<long long>(top, screen.y);
        right = std::max<long long>(right, static_cast<long long>(screen.x) + screen.width);
        bottom = std::max<long long>(bottom, static_cast<long long>(screen.y) + screen.height);
    }
    const double scale = static_cast<double>(stillWidth) / static_cast<double>(right - left);
    if (!(scale >= kSmallestScale && scale <= kLargestScale))
        return std::nullopt;
    if (std::abs(static_cast<double>(bottom - top) * scale - stillHeight) > kRoundingSlack)
        return std::nullopt;
    return StillLayout(static_cast<int>(left), static_cast<int>(top), stillWidth, stillHeight, scale);
}

StillPixel StillLayout::PixelAt(double x, double y) const
{
    return {Clamped(std::floor((x - m_left) * m_scale), m_width - 1),
            Clamped(std::floor((y - m_top) * m_scale), m_height - 1)};
}

int StillLayout::PhysicalStep(const ScreenArea& screen) const
{
    const double ratio = screen.pixelRatio > 0.0 ? screen.pixelRatio : 1.0;
    return std::max(1, static_cast<int>(std::lround(m_scale / ratio)));
}

StillLayout::Rect StillLayout::Section(const ScreenArea& screen) const
{
    const int x = Clamped(std::round((screen.x - m_left) * m_scale), m_width);
    const int y = Clamped(std::round((screen.y - m_top) * m_scale), m_height);
    const int right = Clamped(std::round((screen.x + screen.width - m_left) * m_scale), m_width);
    const int bottom = Clamped(std::round((screen.y + screen.height - m_top) * m_scale), m_height);
    return {x, y, right - x, bottom - y};
}

} // namespace tintwell
