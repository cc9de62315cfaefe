#pragma once

#include <cstdint>

namespace tintwell {

// A whole colour as its three channels, each 0..255.
struct Rgb {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

} // namespace tintwell
