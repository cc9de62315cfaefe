#pragma once

#include <array>

namespace fuzzing {

// A second set of colour conversions, kept apart from the program's own so
// the two can be compared: in long double, with the matrices worked out here
// from the sRGB primaries, the white points and the Bradford cone response,
// and Oklab's two matrices as CSS Color 4 publishes them (the program uses
// Björn Ottosson's original ones, fused with sRGB's).
//
// sRGB is non-linear, 0..1 within the gamut and carried on beyond it.

using Triple = std::array<long double, 3>;

// Hue in degrees, any size; saturation, lightness, whiteness and blackness
// 0..1.
Triple SrgbFromHsl(long double hue, long double saturation, long double lightness);
Triple SrgbFromHwb(long double hue, long double whiteness, long double blackness);

// CIE Lab with a D50 white, as CSS's lab().
Triple SrgbFromLab(const Triple& lab);
Triple SrgbFromOklab(const Triple& oklab);

// Lightness, then a and b from chroma and a hue in degrees, for lch() and
// oklch().
Triple FromPolar(const Triple& lch);

struct ReferenceOklab {
    Triple lab{};
    // The largest of the cube roots the lightness is summed from. Two sets of
    // Oklab matrices agree to about 1e-8 of it, which is all they can agree
    // on for a colour far out, where the sum cancels.
    long double magnitude = 0;
    // The largest linear-light component on the way, which is where a
    // double would overflow first.
    long double linear = 0;
};
ReferenceOklab OklabFromSrgb(const Triple& srgb);

// CSS's deltaEOK.
long double OklabDistance(const Triple& one, const Triple& other);

} // namespace fuzzing
