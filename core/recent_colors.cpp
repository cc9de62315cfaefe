#include "core/recent_colors.h"

#include <algorithm>

namespace tintwell {

void RecentColors::Add(Rgb color)
{
    const auto seen = std::find(m_colors.begin(), m_colors.end(), color);
    if (seen != m_colors.end())
        m_colors.erase(seen);
    else if (m_colors.size() == kCapacity)
        m_colors.pop_back();
    m_colors.insert(m_colors.begin(), color);
}

std::optional<Rgb> RecentColors::Before(Rgb current) const
{
    const auto other = std::find_if(m_colors.begin(), m_colors.end(), [current](Rgb c) { return c != current; });
    if (other == m_colors.end())
        return std::nullopt;
    return *other;
}

} // namespace tintwell
