#pragma once

#include "core/color_formats.h"
#include "core/color_view.h"

#include <cstdint>

namespace tintwell {

inline constexpr std::int16_t kFineStep = 1;

// The "Web Safe" box was clicked. Checked: the slider arrows step by 51 and
// each slider, red to blue, snaps to its nearest web-safe level; the sliders'
// own change events carry the new values into the channels. Unchecked: the
// arrows step by 1 again and the colour stays as it is.
void WebSafeClicked(ColorView& view, OkMessageBox& messageBox);

} // namespace tintwell
