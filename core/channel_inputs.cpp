#include "core/channel_inputs.h"

#include "core/color_formats.h"
#include "core/numeric_text.h"
#include "core/run_time_error.h"

#include <string>

namespace tintwell {

ChannelInputs::ChannelInputs(ChannelState& state, ColorView& view, std::u16string_view decimalSeparator)
    : m_state(state), m_view(view), m_decimalSeparator(decimalSeparator)
{
}

void ChannelInputs::SliderChanged(Slider slider)
{
    m_state.Level(Describe(slider).channel) = m_view.Value(slider);
    m_state.UpdateDisplay();
}

void ChannelInputs::ChannelTextChanged(Channel channel)
{
    const double number = CheckEntry(BoxOf(channel, Notation::Decimal), kMaxChannel, ChannelDecimalText(kMaxChannel));
    m_state.Level(channel) = ToWholeNumber(number);
    m_state.UpdateDisplay();
}

void ChannelInputs::ColorTextChanged()
{
    const std::int32_t value =
        ToWholeNumber(CheckEntry(Box::txtDec, kMaxColorValue, ColorDecimalText(kMaxChannel, kMaxChannel, kMaxChannel)));
    m_state.SetColor({value % 256, (value / 256) % 256, value / 65536});
}

void ChannelInputs::HexTextChanged()
{
    m_state.UpdateDisplay();
}

double ChannelInputs::CheckEntry(Box box, double limit, const std::u16string& limitText)
{
    // Each step reads the box afresh: a correction raises the box's change
    // event, whose handler may already have settled the text.
    if (!ParseNumber(m_view.Text(box), m_decimalSeparator))
        m_view.SetText(box, u"0");
    if (NumberIn(box) < 0)
        m_view.SetText(box, u"0");
    if (NumberIn(box) > limit)
        m_view.SetText(box, limitText);
    return NumberIn(box);
}

double ChannelInputs::NumberIn(Box box) const
{
    const auto number = ParseNumber(m_view.Text(box), m_decimalSeparator);
    if (!number)
        throw RunTimeError(ErrorKind::TypeMismatch, "reading the number in " + std::string(ControlName(box)));
    return *number;
}

} // namespace tintwell
