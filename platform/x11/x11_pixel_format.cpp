#include "platform/x11/x11_pixel_format.h"

#include <bit>

namespace tintwell::platform::x11 {

namespace {

constexpr std::uint64_t kLargest8 = 255;

} // namespace

std::uint32_t PixelValue(const std::uint8_t* bytes, const PixelFormat& format)
{
    std::uint32_t pixel = 0;
    for (int i = 0; i < format.bytesPerPixel; ++i) {
        const int shift = format.mostSignificantFirst ? 8 * (format.bytesPerPixel - 1 - i) : 8 * i;
        pixel |= std::uint32_t{bytes[i]} << shift;
    }
    return pixel;
}

int Channel8(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const std::uint64_t value = (pixel & mask) >> std::countr_zero(mask);
    const std::uint64_t largest = (std::uint64_t{1} << std::popcount(mask)) - 1;
    // value × 255 / largest rounded, halves up, in integers. (Halves never
    // arise: largest is odd, 2 × value × 255 even.)
    return static_cast<int>((2 * value * kLargest8 + largest) / (2 * largest));
}

tintwell::Rgb DecodePixel(const std::uint8_t* bytes, const PixelFormat& format)
{
    const std::uint32_t pixel = PixelValue(bytes, format);
    return {Channel8(pixel, format.redMask), Channel8(pixel, format.greenMask), Channel8(pixel, format.blueMask)};
}

} // namespace tintwell::platform::x11
