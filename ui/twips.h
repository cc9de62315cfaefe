#pragma once

#include <QRect>

namespace tintwell::ui {

// The window is laid out in twips (1/1440 inch); 15 make one
// device-independent pixel, and Qt's high-DPI scaling does the rest.
inline constexpr int kTwipsPerPixel = 15;

constexpr int PixelsFromTwips(int twips)
{
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

constexpr QRect RectFromTwips(int left, int top, int width, int height)
{
    return {PixelsFromTwips(left), PixelsFromTwips(top), PixelsFromTwips(width), PixelsFromTwips(height)};
}

} // namespace tintwell::ui
