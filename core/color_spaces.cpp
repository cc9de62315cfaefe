#include "core/color_spaces.h"

#include "core/color_formats.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tintwell {

namespace {

constexpr double kDegreesPerTurn = 360.0;

// sRGB's transfer function, carried on past 0 and 1 with the sign kept, as
// CSS extends it.
double ToLinear(double c)
{
    const double magnitude = std::abs(c);
    const double linear = magnitude <= 0.04045 ? magnitude / 12.92 : std::pow((magnitude + 0.055) / 1.055, 2.4);
    return std::copysign(linear, c);
}

double FromLinear(double c)
{
    const double magnitude = std::abs(c);
    const double encoded = magnitude <= 0.0031308 ? magnitude * 12.92 : 1.055 * std::pow(magnitude, 1.0 / 2.4) - 0.055;
    return std::copysign(encoded, c);
}

double Radians(double degrees)
{
    return degrees * std::numbers::pi / (kDegreesPerTurn / 2);
}

double Degrees(double radians)
{
    const double degrees = radians * (kDegreesPerTurn / 2) / std::numbers::pi;
    return degrees < 0 ? degrees + kDegreesPerTurn : degrees;
}

// Hue brought into 0..360.
double NormalHue(double hue)
{
    const double turned = std::fmod(hue, kDegreesPerTurn);
    return turned < 0 ? turned + kDegreesPerTurn : turned;
}

double Clip(double c)
{
    return std::clamp(c, 0.0, 1.0);
}

Srgb Clipped(Srgb color)
{
    return {Clip(color.red), Clip(color.green), Clip(color.blue)};
}

// Oklab's distance, CSS's deltaEOK.
double Difference(Oklab one, Oklab other)
{
    return std::hypot(one.l - other.l, one.a - other.a, one.b - other.b);
}

// Björn Ottosson's matrices, as CSS Color 4 gives them, from and to linear
// sRGB.
Oklab OklabOfLinear(Srgb linear)
{
    const double r = linear.red;
    const double g = linear.green;
    const double b = linear.blue;
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Srgb LinearOfOklab(Oklab color)
{
    const auto cube = [](double x) { return x * x * x; };
    const double l = cube(color.l + 0.3963377774 * color.a + 0.2158037573 * color.b);
    const double m = cube(color.l - 0.1055613458 * color.a - 0.0638541728 * color.b);
    const double s = cube(color.l - 0.0894841775 * color.a - 1.2914855480 * color.b);
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

Srgb Encoded(Srgb linear)
{
    return {FromLinear(linear.red), FromLinear(linear.green), FromLinear(linear.blue)};
}

} // namespace

Srgb ToSrgb(Rgb color)
{
    return {static_cast<double>(color.red) / kMaxChannel, static_cast<double>(color.green) / kMaxChannel,
            static_cast<double>(color.blue) / kMaxChannel};
}

Rgb ToRgb(Srgb color)
{
    const auto channel = [](double c) { return static_cast<std::int32_t>(std::lround(Clip(c) * kMaxChannel)); };
    return {channel(color.red), channel(color.green), channel(color.blue)};
}

Oklab ToOklab(Srgb color)
{
    return OklabOfLinear({ToLinear(color.red), ToLinear(color.green), ToLinear(color.blue)});
}

Srgb FromOklab(Oklab color)
{
    return Encoded(LinearOfOklab(color));
}

Oklch ToOklch(Oklab color)
{
    return {color.l, std::hypot(color.a, color.b), Degrees(std::atan2(color.b, color.a))};
}

Oklab FromOklch(Oklch color)
{
    const double hue = Radians(NormalHue(color.h));
    return {color.l, color.c * std::cos(hue), color.c * std::sin(hue)};
}

// Lab to XYZ (D50), Bradford to D65, then linear sRGB: CSS Color 4's steps.
Srgb FromLab(Lab color)
{
    constexpr double kappa = 24389.0 / 27.0;
    constexpr double epsilon = 216.0 / 24389.0;
    const double fy = (color.l + 16) / 116;
    const double fx = color.a / 500 + fy;
    const double fz = fy - color.b / 200;
    const double x = (std::pow(fx, 3) > epsilon ? std::pow(fx, 3) : (116 * fx - 16) / kappa) * 0.3457 / 0.3585;
    const double y = color.l > kappa * epsilon ? std::pow(fy, 3) : color.l / kappa;
    const double z = (std::pow(fz, 3) > epsilon ? std::pow(fz, 3) : (116 * fz - 16) / kappa) * (1.0 - 0.3457 - 0.3585) /
                     0.3585;
    const double x65 = 0.955473421488075 * x - 0.02309845494876471 * y + 0.06325924320057072 * z;
    const double y65 = -0.0283697093338637 * x + 1.0099953980813041 * y + 0.021041441191917323 * z;
    const double z65 = 0.012314014864481998 * x - 0.020507649298898964 * y + 1.330365926242124 * z;
    return {FromLinear(3.2409699419045226 * x65 - 1.537383177570094 * y65 - 0.4986107602930034 * z65),
            FromLinear(-0.9692436362808796 * x65 + 1.8759675015077202 * y65 + 0.04155505740717559 * z65),
            FromLinear(0.05563007969699366 * x65 - 0.20397695888897652 * y65 + 1.0569715142428786 * z65)};
}

Lab ToLab(Srgb color)
{
    constexpr double kappa = 24389.0 / 27.0;
    constexpr double epsilon = 216.0 / 24389.0;
    const double r = ToLinear(color.red);
    const double g = ToLinear(color.green);
    const double b = ToLinear(color.blue);
    const double x65 = 0.41239079926595934 * r + 0.357584339383878 * g + 0.1804807884018343 * b;
    const double y65 = 0.21263900587151027 * r + 0.715168678767756 * g + 0.07219231536073371 * b;
    const double z65 = 0.01933081871559182 * r + 0.11919477979462598 * g + 0.9505321522496607 * b;
    const double x = (1.0479298208405488 * x65 + 0.022946793341019088 * y65 - 0.05019222954313557 * z65) /
                     (0.3457 / 0.3585);
    const double y = 0.029627815688159344 * x65 + 0.990434484573249 * y65 - 0.01707382502938514 * z65;
    const double z = (-0.009243058152591178 * x65 + 0.015055144896577895 * y65 + 0.7518742899580008 * z65) /
                     ((1.0 - 0.3457 - 0.3585) / 0.3585);
    const auto f = [&](double v) { return v > epsilon ? std::cbrt(v) : (kappa * v + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

Srgb FromHsl(double hue, double saturation, double lightness)
{
    hue = NormalHue(hue);
    const auto channel = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12);
        const double a = saturation * std::min(lightness, 1 - lightness);
        return lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {channel(0), channel(8), channel(4)};
}

Srgb FromHwb(double hue, double whiteness, double blackness)
{
    if (whiteness + blackness >= 1) {
        const double grey = whiteness / (whiteness + blackness);
        return {grey, grey, grey};
    }
    const Srgb pure = FromHsl(hue, 1, 0.5);
    const auto channel = [&](double c) { return c * (1 - whiteness - blackness) + whiteness; };
    return {channel(pure.red), channel(pure.green), channel(pure.blue)};
}

void ToHsl(Srgb color, double& hue, double& saturation, double& lightness)
{
    const double high = std::max({color.red, color.green, color.blue});
    const double low = std::min({color.red, color.green, color.blue});
    const double spread = high - low;
    lightness = (high + low) / 2;
    hue = 0;
    saturation = 0;
    if (spread == 0)
        return;
    saturation = lightness == 0 || lightness == 1 ? 0 : spread / std::min(lightness, 1 - lightness) / 2;
    if (high == color.red)
        hue = (color.green - color.blue) / spread + (color.green < color.blue ? 6 : 0);
    else if (high == color.green)
        hue = (color.blue - color.red) / spread + 2;
    else
        hue = (color.red - color.green) / spread + 4;
    hue *= 60;
}

bool InGamut(Srgb color)
{
    // Within a hair of the edge counts as in, as conversions leave a little.
    constexpr double kSlack = 1e-6;
    const auto in = [](double c) { return c >= -kSlack && c <= 1 + kSlack; };
    return in(color.red) && in(color.green) && in(color.blue);
}

Srgb MapIntoGamut(Oklch color)
{
    // CSS Color 4, "Binary search gamut mapping with local MINDE". The
    // search stays in linear sRGB, where being in gamut and clipping mean
    // the same as in sRGB itself, and only the answer is encoded.
    constexpr double kJustNoticeable = 0.02;
    constexpr double kCloseEnough = 0.0001;
    if (!(color.l < 1))
        return {1, 1, 1};
    if (!(color.l > 0))
        return {0, 0, 0};
    const auto clipped = [](Srgb linear) { return Srgb{Clip(linear.red), Clip(linear.green), Clip(linear.blue)}; };
    const Srgb exact = LinearOfOklab(FromOklch(color));
    if (InGamut(exact) || Difference(OklabOfLinear(clipped(exact)), FromOklch(color)) < kJustNoticeable)
        return Clipped(Encoded(exact));

    double low = 0;
    double high = color.c;
    bool lowInGamut = true;
    Oklch current = color;
    Srgb answer = clipped(exact);
    while (high - low > kCloseEnough) {
        current.c = (low + high) / 2;
        const Srgb candidate = LinearOfOklab(FromOklch(current));
        if (lowInGamut && InGamut(candidate)) {
            low = current.c;
            continue;
        }
        answer = clipped(candidate);
        const double difference = Difference(OklabOfLinear(answer), FromOklch(current));
        if (difference < kJustNoticeable) {
            if (kJustNoticeable - difference < kCloseEnough)
                break;
            lowInGamut = false;
            low = current.c;
        } else {
            high = current.c;
        }
    }
    return Encoded(answer);
}

} // namespace tintwell
