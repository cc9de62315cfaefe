#pragma once

#include "core/rgb.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tintwell {

// Pixels read from the screen, row after row, each 0xAARRGGBB; alpha 0
// marks a place beyond the screen's edge. `stride` is pixels per row.
struct PixelGrid {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// The sample sizes offered: the pixel itself, or the square of 3, 5 or 9 around it.
inline constexpr std::array<int, 4> kSampleSizes{1, 3, 5, 9};

// The mean, per channel and rounded half up, of the size × size square centred
// on (x, y), leaving out places outside the grid or with alpha 0; nullopt when
// none is left. `size` is meant to be odd and positive: an even size counts as
// the odd one above it, and one below 1 as 1.
std::optional<Rgb> SampleMean(const PixelGrid& grid, int x, int y, int size);

} // namespace tintwell
