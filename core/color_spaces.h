#pragma once

#include "core/rgb.h"

namespace tintwell {

// The colour spaces CSS Color 4 writes colours in, converted to and from
// sRGB in doubles. sRGB components are 0..1 where in gamut; outside it they
// run over, and the gamut mapping brings them back.

struct Srgb {
    double red = 0, green = 0, blue = 0;
};
struct Oklab {
    double l = 0, a = 0, b = 0;
};
struct Oklch {
    double l = 0, c = 0, h = 0; // h in degrees
};
struct Lab {
    double l = 0, a = 0, b = 0; // CIE Lab, D50 white, as CSS's lab()
};

Srgb ToSrgb(Rgb color);
// Rounded to the nearest 8-bit channel, each clamped to 0..255.
Rgb ToRgb(Srgb color);

Oklab ToOklab(Srgb color);
Srgb FromOklab(Oklab color);
Oklch ToOklch(Oklab color);
Oklab FromOklch(Oklch color);
Srgb FromLab(Lab color);
Lab ToLab(Srgb color);

// hsl() and hwb(): hue in degrees, the rest 0..1.
Srgb FromHsl(double hue, double saturation, double lightness);
Srgb FromHwb(double hue, double whiteness, double blackness);
// Hue, saturation and lightness of an in-gamut colour; hue 0 for a grey.
void ToHsl(Srgb color, double& hue, double& saturation, double& lightness);

bool InGamut(Srgb color);

// CSS Color 4's gamut mapping: a colour outside sRGB keeps its Oklch
// lightness and hue and loses chroma until it fits, to within a difference
// no one sees; lightness beyond white or black gives white or black.
Srgb MapIntoGamut(Oklch color);

} // namespace tintwell
