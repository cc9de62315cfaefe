#pragma once

#include "core/rgb.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tintwell {

// The colours the user took this session (picked, pasted, dropped), newest
// first, each once, at most kCapacity. Lives only as long as the process.
class RecentColors {
public:
    static constexpr std::size_t kCapacity = 12;

    // Puts `color` first, taking it out of where it was.
    void Add(Rgb color);

    const std::vector<Rgb>& Colors() const { return m_colors; }

    // The newest colour taken that is not `current`: the one a colour is
    // compared with.
    std::optional<Rgb> Before(Rgb current) const;

private:
    std::vector<Rgb> m_colors;
};

} // namespace tintwell
