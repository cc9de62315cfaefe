#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// The q-quantile of `values` (0.5 the median), between neighbours linearly.
inline double Quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(at);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (at - static_cast<double>(below)) * (values[above] - values[below]);
}
