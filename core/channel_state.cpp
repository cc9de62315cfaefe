#include "core/channel_state.h"

#include "core/checked_math.h"
#include "core/color_formats.h"

#include <array>

namespace tintwell {

namespace {

// Holds the re-entrancy flag up for one refresh. On an exception the flag is
// cleared too, though the error path ends the process anyway.
class UpdatingGuard {
public:
    explicit UpdatingGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~UpdatingGuard() { m_flag = false; }
    UpdatingGuard(const UpdatingGuard&) = delete;
    UpdatingGuard& operator=(const UpdatingGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace

std::int32_t& ChannelState::Level(Channel channel)
{
    static constexpr std::array<std::int32_t ChannelState::*, 3> kLevels{
        &ChannelState::lMasterR, &ChannelState::lMasterG, &ChannelState::lMasterB};
    return this->*kLevels[Index(channel)];
}

void ChannelState::SetColor(Rgb color)
{
    lMasterR = color.red;
    lMasterG = color.green;
    lMasterB = color.blue;
    UpdateDisplay();
}

void ChannelState::UpdateDisplay()
{
    if (bUpdating)
        return;
    const UpdatingGuard guard(bUpdating);

    constexpr std::string_view where = "moving a slider to its channel";
    m_view.SetValue(Slider::ScrollR, NarrowToInt16(lMasterR, where));
    m_view.SetValue(Slider::ScrollG, NarrowToInt16(lMasterG, where));
    m_view.SetValue(Slider::ScrollB, NarrowToInt16(lMasterB, where));

    m_view.SetText(Box::txtDecR, ChannelDecimalText(lMasterR));
    m_view.SetText(Box::txtDecG, ChannelDecimalText(lMasterG));
    m_view.SetText(Box::txtDecB, ChannelDecimalText(lMasterB));

    m_view.SetText(Box::txtHexR, ChannelHexText(lMasterR));
    m_view.SetText(Box::txtHexG, ChannelHexText(lMasterG));
    m_view.SetText(Box::txtHexB, ChannelHexText(lMasterB));

    m_view.SetText(Box::txtDec, ColorDecimalText(lMasterR, lMasterG, lMasterB));

    // The combined views come from what the boxes now hold, not from the
    // channels: each box is read once, in this order.
    std::u16string hex = m_view.Text(Box::txtHexB);
    hex += m_view.Text(Box::txtHexG);
    hex += m_view.Text(Box::txtHexR);
    m_view.SetText(Box::txtHex, hex);

    m_view.SetBackColor(TextToInt32(m_view.Text(Box::txtDec)));
}

} // namespace tintwell
