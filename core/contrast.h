#pragma once

#include "core/rgb.h"

namespace tintwell {

// WCAG 2's contrast between two colours, for text of one on the other.

// The ratio (L1 + 0.05) / (L2 + 0.05) of the lighter's relative luminance to
// the darker's: 1 for a colour against itself, 21 for black against white.
double ContrastRatio(Rgb one, Rgb other);

// The level a ratio reaches for normal text: AAA from 7, AA from 4.5, and
// "AA Large" from 3, which passes for large text only.
enum class ContrastLevel { Fails, AALarge, AA, AAA };
ContrastLevel LevelOf(double ratio);

} // namespace tintwell
