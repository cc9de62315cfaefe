#include "fuzz/reference_spaces.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace fuzzing {

namespace {

using Matrix = std::array<Triple, 3>;

constexpr long double kDegreesPerTurn = 360;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Chromaticities: sRGB's primaries and D65 white, and the D50 white of CSS's
// lab().
constexpr std::array<long double, 2> kRed{0.64L, 0.33L};
constexpr std::array<long double, 2> kGreen{0.30L, 0.60L};
constexpr std::array<long double, 2> kBlue{0.15L, 0.06L};
constexpr std::array<long double, 2> kD65{0.3127L, 0.3290L};
constexpr std::array<long double, 2> kD50{0.3457L, 0.3585L};

constexpr Matrix kBradford{{{0.8951L, 0.2664L, -0.1614L}, {-0.7502L, 1.7135L, 0.0367L}, {0.0389L, -0.0685L, 1.0296L}}};

// CSS Color 4's XYZ (D65) to LMS, and cube-rooted LMS to Oklab.
constexpr Matrix kXyzToLms{{{0.8190224379967030L, 0.3619062600528904L, -0.1288737815209879L},
                            {0.0329836539323885L, 0.9292868615863434L, 0.0361446663506424L},
                            {0.0481771893596242L, 0.2642395317527308L, 0.6335478284694309L}}};
constexpr Matrix kLmsToOklab{{{0.2104542683093140L, 0.7936177747023054L, -0.0040720430116193L},
                              {1.9779985324311684L, -2.4285922420485799L, 0.4505937096174110L},
                              {0.0259040424655478L, 0.7827717124575296L, -0.8086757549230774L}}};

// CIE's constants for Lab: the cube root holds above (6/29)^3.
constexpr long double kLabDelta = 6.0L / 29.0L;
constexpr long double kLabScale = 116;
constexpr long double kLabOffset = 16;
constexpr long double kLabA = 500;
constexpr long double kLabB = 200;

// sRGB's transfer function, with the sign carried past zero as CSS does.
constexpr long double kLinearEnd = 0.04045L;
constexpr long double kEncodedLinearEnd = 0.0031308L;
constexpr long double kLinearSlope = 12.92L;
constexpr long double kGammaOffset = 0.055L;
constexpr long double kGamma = 2.4L;

Triple Apply(const Matrix& m, const Triple& v)
{
    Triple out{};
    for (std::size_t row = 0; row < out.size(); ++row)
        out[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
    return out;
}

Matrix Times(const Matrix& one, const Matrix& other)
{
    Matrix out{};
    for (std::size_t row = 0; row < out.size(); ++row)
        for (std::size_t column = 0; column < out.size(); ++column)
            for (std::size_t k = 0; k < out.size(); ++k)
                out[row][column] += one[row][k] * other[k][column];
    return out;
}

// By cofactors: all a 3×3 needs.
Matrix Inverse(const Matrix& m)
{
    Matrix cofactors{};
    for (std::size_t row = 0; row < m.size(); ++row) {
        for (std::size_t column = 0; column < m.size(); ++column) {
            const std::size_t r1 = (row + 1) % 3, r2 = (row + 2) % 3;
            const std::size_t c1 = (column + 1) % 3, c2 = (column + 2) % 3;
            cofactors[column][row] = m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1];
        }
    }
    const long double determinant = m[0][0] * cofactors[0][0] + m[0][1] * cofactors[1][0] + m[0][2] * cofactors[2][0];
    for (Triple& row : cofactors)
        for (long double& entry : row)
            entry /= determinant;
    return cofactors;
}

Matrix Diagonal(const Triple& v)
{
    return {{{v[0], 0, 0}, {0, v[1], 0}, {0, 0, v[2]}}};
}

// XYZ of a chromaticity at Y = 1.
Triple Xyz(const std::array<long double, 2>& xy)
{
    return {xy[0] / xy[1], 1, (1 - xy[0] - xy[1]) / xy[1]};
}

// Linear sRGB to XYZ (D65): the primaries scaled so that they add up to white.
const Matrix& LinearToXyz()
{
    static const Matrix matrix = [] {
        const Triple r = Xyz(kRed), g = Xyz(kGreen), b = Xyz(kBlue);
        const Matrix primaries{{{r[0], g[0], b[0]}, {r[1], g[1], b[1]}, {r[2], g[2], b[2]}}};
        return Times(primaries, Diagonal(Apply(Inverse(primaries), Xyz(kD65))));
    }();
    return matrix;
}

const Matrix& XyzToLinear()
{
    static const Matrix matrix = Inverse(LinearToXyz());
    return matrix;
}

// XYZ from a D50 white to D65, by von Kries scaling in Bradford's cone space.
const Matrix& D50ToD65()
{
    static const Matrix matrix = [] {
        const Triple from = Apply(kBradford, Xyz(kD50));
        const Triple to = Apply(kBradford, Xyz(kD65));
        return Times(Inverse(kBradford),
                     Times(Diagonal({to[0] / from[0], to[1] / from[1], to[2] / from[2]}), kBradford));
    }();
    return matrix;
}

long double Encoded(long double linear)
{
    const long double magnitude = std::fabs(linear);
    const long double encoded = magnitude <= kEncodedLinearEnd
                                    ? magnitude * kLinearSlope
                                    : (1 + kGammaOffset) * std::pow(magnitude, 1 / kGamma) - kGammaOffset;
    return std::copysign(encoded, linear);
}

long double Linear(long double encoded)
{
    const long double magnitude = std::fabs(encoded);
    const long double linear = magnitude <= kLinearEnd
                                   ? magnitude / kLinearSlope
                                   : std::pow((magnitude + kGammaOffset) / (1 + kGammaOffset), kGamma);
    return std::copysign(linear, encoded);
}

Triple EncodedFromXyz(const Triple& xyz)
{
    const Triple linear = Apply(XyzToLinear(), xyz);
    return {Encoded(linear[0]), Encoded(linear[1]), Encoded(linear[2])};
}

// Hue in degrees brought into 0..360.
long double NormalHue(long double hue)
{
    const long double turned = std::fmod(hue, kDegreesPerTurn);
    return turned < 0 ? turned + kDegreesPerTurn : turned;
}

// CIE's inverse of Lab's f: a cube above (6/29), a line below.
long double LabInverse(long double f)
{
    return f > kLabDelta ? f * f * f : 3 * kLabDelta * kLabDelta * (f - 4.0L / 29.0L);
}

} // namespace

// The textbook piecewise form: p and q the lowest and highest channel, each
// channel a third of a turn from the next.
Triple SrgbFromHsl(long double hue, long double saturation, long double lightness)
{
    const long double q = lightness < 0.5L ? lightness * (1 + saturation)
                                           : lightness + saturation - lightness * saturation;
    const long double p = 2 * lightness - q;
    const auto channel = [&](long double turns) {
        turns -= std::floor(turns);
        if (turns < 1.0L / 6)
            return p + (q - p) * 6 * turns;
        if (turns < 1.0L / 2)
            return q;
        if (turns < 2.0L / 3)
            return p + (q - p) * (2.0L / 3 - turns) * 6;
        return p;
    };
    const long double turns = NormalHue(hue) / kDegreesPerTurn;
    return {channel(turns + 1.0L / 3), channel(turns), channel(turns - 1.0L / 3)};
}

// By way of HSV: the value is what black leaves, the saturation what white
// takes from it; then HSV's six sectors.
Triple SrgbFromHwb(long double hue, long double whiteness, long double blackness)
{
    if (whiteness + blackness >= 1) {
        const long double grey = whiteness / (whiteness + blackness);
        return {grey, grey, grey};
    }
    const long double value = 1 - blackness;
    const long double saturation = 1 - whiteness / value;
    constexpr long double kSectorDegrees = 60;
    long double sectors = NormalHue(hue) / kSectorDegrees;
    // A hue a hair short of a turn can round up to it.
    if (sectors >= kDegreesPerTurn / kSectorDegrees)
        sectors = 0;
    const long double sector = std::floor(sectors);
    const long double f = sectors - sector;
    const long double p = value * (1 - saturation);
    const long double q = value * (1 - saturation * f);
    const long double t = value * (1 - saturation * (1 - f));
    switch (static_cast<int>(sector)) {
    case 0:
        return {value, t, p};
    case 1:
        return {q, value, p};
    case 2:
        return {p, value, t};
    case 3:
        return {p, q, value};
    case 4:
        return {t, p, value};
    default:
        return {value, p, q};
    }
}

Triple SrgbFromLab(const Triple& lab)
{
    const long double fy = (lab[0] + kLabOffset) / kLabScale;
    const long double fx = fy + lab[1] / kLabA;
    const long double fz = fy - lab[2] / kLabB;
    const Triple white = Xyz(kD50);
    const Triple xyz50{LabInverse(fx) * white[0], LabInverse(fy) * white[1], LabInverse(fz) * white[2]};
    return EncodedFromXyz(Apply(D50ToD65(), xyz50));
}

Triple SrgbFromOklab(const Triple& oklab)
{
    static const Matrix toLms = Inverse(kLmsToOklab);
    static const Matrix lmsToXyz = Inverse(kXyzToLms);
    const Triple roots = Apply(toLms, oklab);
    const Triple lms{roots[0] * roots[0] * roots[0], roots[1] * roots[1] * roots[1], roots[2] * roots[2] * roots[2]};
    return EncodedFromXyz(Apply(lmsToXyz, lms));
}

Triple FromPolar(const Triple& lch)
{
    const long double radians = NormalHue(lch[2]) * kPi / (kDegreesPerTurn / 2);
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

ReferenceOklab OklabFromSrgb(const Triple& srgb)
{
    const Triple linear{Linear(srgb[0]), Linear(srgb[1]), Linear(srgb[2])};
    const Triple xyz = Apply(LinearToXyz(), linear);
    const Triple lms = Apply(kXyzToLms, xyz);
    const Triple roots{std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])};
    const auto largest = [](const Triple& v) { return std::max({std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2])}); };
    return {Apply(kLmsToOklab, roots), largest(roots), std::max({largest(linear), largest(xyz), largest(lms)})};
}

long double OklabDistance(const Triple& one, const Triple& other)
{
    const long double l = one[0] - other[0], a = one[1] - other[1], b = one[2] - other[2];
    return std::sqrt(l * l + a * a + b * b);
}

} // namespace fuzzing
