#pragma once

#include "core/channel_state.h"
#include "core/color_view.h"

#include <string>
#include <string_view>

namespace tintwell {

// What the user's changes to the sliders and boxes do to the colour. Each
// brings the input into range in the control itself, stores it in the
// channels and ends with a refresh of every view.
class ChannelInputs {
public:
    // `decimalSeparator` is the user's locale's, for reading typed numbers.
    ChannelInputs(ChannelState& state, ColorView& view, std::u16string_view decimalSeparator);

    // A slider moved, by the program, a click, a key or a drag.
    void SliderChanged(Slider slider);

    // The decimal box of one channel changed: text that is not a number
    // becomes "0", a number out of 0..255 the nearer limit.
    void ChannelTextChanged(Channel channel);

    // The combined decimal box changed: as a channel box, over 0..16777215,
    // split into the three channels.
    void ColorTextChanged();

    // A channel's hexadecimal box changed; it only shows the colour, so the
    // refresh puts its text back.
    void HexTextChanged();

private:
    // Corrects the box's text into 0..limit, in the box, and returns the
    // number it then holds.
    double CheckEntry(Box box, double limit, const std::u16string& limitText);
    double NumberIn(Box box) const;

    ChannelState& m_state;
    ColorView& m_view;
    std::u16string m_decimalSeparator;
};

} // namespace tintwell
