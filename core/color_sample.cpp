#include "core/color_sample.h"

#include <algorithm>
#include <cstddef>

namespace tintwell {

namespace {

constexpr std::uint32_t kAlphaMask = 0xFF000000U;
constexpr unsigned kRedShift = 16;
constexpr unsigned kGreenShift = 8;
constexpr std::uint32_t kByteMask = 0xFFU;

std::int32_t HalfUpMean(std::int64_t sum, std::int64_t count)
{
    return static_cast<std::int32_t>((2 * sum + count) / (2 * count));
}

} // namespace

std::optional<Rgb> SampleMean(const PixelGrid& grid, int x, int y, int size)
{
    if (grid.pixels == nullptr || grid.width <= 0 || grid.height <= 0 || grid.stride < grid.width)
        return std::nullopt;
    // Wide enough that a huge size or a centre far off the grid cannot overflow.
    const long long half = std::max(size, 1) / 2;
    const int left = static_cast<int>(std::max(0LL, x - half));
    const int right = static_cast<int>(std::min<long long>(grid.width - 1, x + half));
    const int top = static_cast<int>(std::max(0LL, y - half));
    const int bottom = static_cast<int>(std::min<long long>(grid.height - 1, y + half));

    std::int64_t red = 0, green = 0, blue = 0, count = 0;
    for (int row = top; row <= bottom; ++row) {
        const std::uint32_t* line = grid.pixels +
                                    static_cast<std::ptrdiff_t>(row) * static_cast<std::ptrdiff_t>(grid.stride);
        for (int column = left; column <= right; ++column) {
            const std::uint32_t pixel = line[column];
            if ((pixel & kAlphaMask) == 0)
                continue;
            red += (pixel >> kRedShift) & kByteMask;
            green += (pixel >> kGreenShift) & kByteMask;
            blue += pixel & kByteMask;
            ++count;
        }
    }
    if (count == 0)
        return std::nullopt;
    return Rgb{HalfUpMean(red, count), HalfUpMean(green, count), HalfUpMean(blue, count)};
}

} // namespace tintwell
