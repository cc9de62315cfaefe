#pragma once

#include "core/color_view.h"
#include "core/rgb.h"

#include <cstdint>

namespace tintwell {

// The colour: three channels, 0..255, and the one procedure that shows them
// in every view. The window owns one for the life of the process.
class ChannelState {
public:
    explicit ChannelState(ColorView& view) : m_view(view) {}
    ChannelState(const ChannelState&) = delete;
    ChannelState& operator=(const ChannelState&) = delete;

    // Writes the channels to every view, in a fixed order: sliders, decimal
    // boxes, hexadecimal boxes, combined decimal, combined hexadecimal (read
    // back from the boxes just written), swatch (from the combined decimal
    // box). The writes raise the controls' change events, whose handlers call
    // back in here; those nested calls return at once.
    void UpdateDisplay();

    // The whole colour, and taking a whole colour (picked, pasted, dropped or
    // typed as one value): the channels take it as it is, web-safe mode
    // rounding nothing, and one refresh shows it everywhere.
    Rgb Color() const { return {lMasterR, lMasterG, lMasterB}; }
    void SetColor(Rgb color);

    std::int32_t& Level(Channel channel);

    std::int32_t lMasterR = 0;
    std::int32_t lMasterG = 0;
    std::int32_t lMasterB = 0;

    // True only while UpdateDisplay is writing.
    bool bUpdating = false;

private:
    ColorView& m_view;
};

} // namespace tintwell
