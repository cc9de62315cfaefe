#include "tests/support/picker_model.h"

#include "core/web_safe_mode.h"

using namespace tintwell;

PickerModel::PickerModel(std::u16string decimalSeparator) : inputs(state, view, decimalSeparator)
{
    view.onSliderChange = [this](Slider slider) { inputs.SliderChanged(slider); };
    // As the window wires them: a channel's decimal box enters the channel,
    // the combined decimal box the whole colour, and the hexadecimal boxes
    // only refresh; the combined hexadecimal box has no handler.
    view.onBoxChange = [this](Box box) {
        const BoxControl& control = Describe(box);
        if (control.notation == Notation::Decimal)
            return control.channel ? inputs.ChannelTextChanged(*control.channel) : inputs.ColorTextChanged();
        if (control.channel)
            inputs.HexTextChanged();
    };
    view.onCheckBoxClick = [this](CheckBox checkBox) {
        if (checkBox == CheckBox::chkWebSafe)
            WebSafeClicked(view, *this);
    };
}

void PickerModel::Show(std::u16string_view prompt, std::u16string_view title)
{
    messages.emplace_back(prompt, title);
}

void PickerModel::Load()
{
    state.SetColor({0, 0, 0});
}

std::string PickerModel::Mismatch() const
{
    const auto [r, g, b] = state.Color();
    std::string mismatch;
    const auto expect = [&](bool same, const std::string& what) {
        if (!same)
            mismatch += what + "; ";
    };
    expect(!state.bUpdating, "a refresh is still running");
    for (const std::int32_t channel : {r, g, b})
        expect(channel >= 0 && channel <= kMaxChannel, "channel " + std::to_string(channel));
    expect(view.values == std::array<std::int16_t, 3>{static_cast<std::int16_t>(r), static_cast<std::int16_t>(g),
                                                      static_cast<std::int16_t>(b)},
           "sliders");
    const std::array<std::u16string, 8> texts{ChannelDecimalText(r),     ChannelDecimalText(g), ChannelDecimalText(b),
                                              ChannelHexText(r),         ChannelHexText(g),     ChannelHexText(b),
                                              ColorDecimalText(r, g, b), ColorHexText(r, g, b)};
    for (const Box box : kBoxes) {
        const auto i = static_cast<std::size_t>(box);
        expect(view.texts[i] == texts[i], std::string(ControlName(box)) + " shows \"" + Narrow(view.texts[i]) + "\"");
    }
    expect(view.backColor == ColorValue(r, g, b), "swatch");
    return mismatch;
}
