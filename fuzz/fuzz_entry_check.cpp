// Typing into a decimal box: whatever the text, the box settles at a number
// in range, that number becomes the colour, and every view agrees.
//
// Input: the first byte picks the box (low two bits: txtDecR, txtDecG,
// txtDecB, txtDec) and the locale's separator (bit 2: "." or ","); the rest
// is the text, decoded by TypedText.

#include "fuzz/expected_entry.h"
#include "fuzz/finding.h"
#include "fuzz/fuzz_text.h"

#include "core/channel_inputs.h"
#include "core/color_formats.h"
#include "tests/support/picker_model.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>

using namespace tintwell;
using fuzzing::Channels;
using fuzzing::Fail;
using fuzzing::Quoted;
using fuzzing::ToString;

namespace {

constexpr std::array kEntryBoxes{Box::txtDecR, Box::txtDecG, Box::txtDecB, Box::txtDec};

// Distinct and non-zero, so an entry that leaves a channel alone or writes
// the wrong one shows.
constexpr std::array<std::int16_t, 3> kStartColor{77, 128, 200};

Channels ChannelsOf(const PickerModel& model)
{
    return {model.state.lMasterR, model.state.lMasterG, model.state.lMasterB};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Box box = kEntryBoxes[data[0] & 3U];
    const std::u16string separator = (data[0] & 4U) != 0 ? u"," : u".";
    const std::u16string text = fuzzing::TypedText(std::span(data + 1, size - 1));
    const auto what = [&] {
        return Quoted(text) + " typed into " + std::string(ControlName(box)) + " with separator " + Quoted(separator);
    };

    PickerModel model(separator);
    try {
        model.Load();
        for (const Slider slider : kSliders)
            model.view.UserSetsValue(slider, kStartColor[static_cast<std::size_t>(slider)]);
    } catch (const std::exception& error) {
        Fail(std::string("setting up the start colour raised ") + error.what());
    }
    const Channels before = ChannelsOf(model);

    try {
        model.view.UserTypes(box, text);
    } catch (const std::exception& error) {
        Fail(what() + ": raised " + error.what());
    } catch (...) {
        Fail(what() + ": raised something that is not a std::exception");
    }

    const Channels after = ChannelsOf(model);
    for (const std::int32_t channel : after) {
        if (channel < 0 || channel > kMaxChannel)
            Fail(what() + ": channels " + ToString(after));
    }
    if (const std::string mismatch = model.Mismatch(); !mismatch.empty())
        Fail(what() + ": views disagree with the channels: " + mismatch);

    const std::u16string shown = model.view.texts[static_cast<std::size_t>(box)];
    const std::u16string settled = box == Box::txtDec ? ColorDecimalText(after[0], after[1], after[2])
                                                      : ChannelDecimalText(after[static_cast<std::size_t>(box)]);
    if (shown != settled)
        Fail(what() + ": the box shows " + Quoted(shown) + ", its value is " + Quoted(settled));

    if (const auto expected = fuzzing::ColorAfterTyping(box, text, separator[0], before);
        expected && *expected != after)
        Fail(what() + ": colour " + ToString(after) + ", expected " + ToString(*expected));

    if (!model.messages.empty())
        Fail(what() + ": a message box was shown");
    return 0;
}
