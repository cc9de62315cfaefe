#pragma once

#include "core/rgb.h"

#include <cstdint>

// How an X server lays out one pixel of a Z-pixmap image, and the eight-bit
// red, green and blue it stands for. Plain data in, plain data out: no
// toolkit and no server connection, so every depth can be checked anywhere.
namespace tintwell::platform::x11 {

struct PixelFormat {
    int bytesPerPixel = 4;             // 1 to 4
    bool mostSignificantFirst = false; // the server's image byte order
    std::uint32_t redMask = 0;         // the visual's masks
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
};

// The pixel value whose bytes start at `bytes`, in the format's byte order.
std::uint32_t PixelValue(const std::uint8_t* bytes, const PixelFormat& format);

// One channel of a pixel value, by its mask (contiguous, 1 to 16 bits), as
// the nearest of 0..255; 0 for an empty mask.
int Channel8(std::uint32_t pixel, std::uint32_t mask);

// The colour of the pixel whose bytes start at `bytes`.
tintwell::Rgb DecodePixel(const std::uint8_t* bytes, const PixelFormat& format);

} // namespace tintwell::platform::x11
