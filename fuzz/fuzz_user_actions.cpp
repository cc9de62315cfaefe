// Sequences of what a user does with the window: move sliders, type into any
// box, click "Web Safe". After every action each view shows the colour, the
// colour is what the action should have made it, and the slider steps match
// the web-safe box.
//
// Input: the first byte's low bit picks the locale's separator ("." or ",");
// the rest is read by ActionReader.

#include "fuzz/expected_entry.h"
#include "fuzz/finding.h"
#include "fuzz/user_actions.h"

#include "core/color_formats.h"
#include "core/web_safe_mode.h"
#include "tests/support/picker_model.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <variant>

using namespace tintwell;
using fuzzing::Channels;
using fuzzing::ClickWebSafe;
using fuzzing::Fail;
using fuzzing::MoveSlider;
using fuzzing::Quoted;
using fuzzing::ToString;
using fuzzing::TypeText;
using fuzzing::UserAction;

namespace {

// Long enough for any interplay of controls; short enough to stay fast.
constexpr int kMaxActions = 200;

bool IsWebSafe(std::int32_t channel)
{
    return channel % kWebSafeStep == 0;
}

// Nearest multiple of 51; 51 is odd, so there are no ties.
std::int32_t NearestWebSafe(std::int32_t channel)
{
    return (channel + kWebSafeStep / 2) / kWebSafeStep * kWebSafeStep;
}

class Session {
public:
    Session(std::u16string separator, std::span<const std::uint8_t> actions)
        : m_model(separator), m_separator(separator[0]), m_actions(actions)
    {
    }

    void Run()
    {
        Guarded([] { return std::string("the start-up refresh"); }, [this] { m_model.Load(); });
        CheckViews();
        fuzzing::ActionReader reader(m_actions);
        while (m_done < kMaxActions) {
            const std::optional<UserAction> action = reader.Next();
            if (!action)
                break;
            ++m_done;
            Perform(*action);
            CheckViews();
            if (std::holds_alternative<ClickWebSafe>(*action) && WebSafeChecked() &&
                !std::ranges::all_of(Color(), IsWebSafe))
                Report("checking Web Safe left the colour at " + ToString(Color()));
            // The view double logs every access; only the latest action's matter.
            m_model.view.log.clear();
        }
    }

private:
    void Perform(const UserAction& action)
    {
        // Whether the action must end in a refresh of every view, and the
        // colour it must leave where that can be told without the program.
        bool refresh = false;
        std::optional<Channels> expected = Color();

        if (const auto* move = std::get_if<MoveSlider>(&action)) {
            auto& channel = (*expected)[Index(move->slider)];
            refresh = channel != move->value;
            channel = move->value;
        } else if (const auto* typing = std::get_if<TypeText>(&action)) {
            refresh = typing->box != Box::txtHex && m_model.view.texts[Index(typing->box)] != typing->text;
            if (refresh)
                expected = fuzzing::ColorAfterTyping(typing->box, typing->text, m_separator, *expected);
        } else if (!WebSafeChecked()) {
            refresh = !std::ranges::all_of(*expected, IsWebSafe);
            std::ranges::transform(*expected, expected->begin(), NearestWebSafe);
        }

        Guarded([&] { return fuzzing::Describe(action); },
                [&] {
                    if (const auto* move = std::get_if<MoveSlider>(&action))
                        m_model.view.UserSetsValue(move->slider, move->value);
                    else if (const auto* typing = std::get_if<TypeText>(&action))
                        m_model.view.UserTypes(typing->box, typing->text);
                    else
                        m_model.view.UserSetsCheckBox(CheckBox::chkWebSafe, WebSafeChecked() ? 0 : 1);
                });

        if (refresh)
            m_hexAsTyped.reset();
        if (const auto* typing = std::get_if<TypeText>(&action); typing && typing->box == Box::txtHex)
            m_hexAsTyped = typing->text;

        if (expected && Color() != *expected)
            Report("colour " + ToString(Color()) + ", expected " + ToString(*expected));
    }

    void CheckViews()
    {
        const PickerModel& model = m_model;
        if (model.state.bUpdating)
            Report("bUpdating still set");
        for (const std::int32_t channel : Color()) {
            if (channel < 0 || channel > kMaxChannel)
                Report("colour " + ToString(Color()));
        }

        // The combined hexadecimal box takes no input: what the user typed
        // there stays until the next refresh, and nothing else may differ.
        std::u16string& hexShown = m_model.view.texts[Index(Box::txtHex)];
        const std::u16string hexExpected = m_hexAsTyped.value_or(ColorHexText(Color()[0], Color()[1], Color()[2]));
        if (hexShown != hexExpected)
            Report("txtHex shows " + Quoted(hexShown) + ", expected " + Quoted(hexExpected));
        const std::u16string typed = hexShown;
        hexShown = ColorHexText(Color()[0], Color()[1], Color()[2]);
        const std::string mismatch = model.Mismatch();
        hexShown = typed;
        if (!mismatch.empty())
            Report("views disagree with the channels: " + mismatch);

        const std::int16_t step = WebSafeChecked() ? static_cast<std::int16_t>(kWebSafeStep) : kFineStep;
        for (const Slider slider : kSliders) {
            if (model.view.smallChanges[Index(slider)] != step)
                Report(std::string(ControlName(slider)) + " steps by " +
                       std::to_string(model.view.smallChanges[Index(slider)]));
        }
        if (!model.messages.empty())
            Report("a message box was shown");
    }

    template <class Describe, class Action>
    void Guarded(Describe describe, Action action) const
    {
        try {
            action();
        } catch (const std::exception& error) {
            Report(describe() + " raised " + error.what());
        } catch (...) {
            Report(describe() + " raised something that is not a std::exception");
        }
    }

    // Fails with the actions so far, decoded again: cheaper than keeping them.
    [[noreturn]] void Report(const std::string& what) const
    {
        std::string history = "separator " + Quoted(std::u16string(1, m_separator)) + ", after:";
        fuzzing::ActionReader reader(m_actions);
        for (int i = 0; i < m_done; ++i) {
            if (const std::optional<UserAction> action = reader.Next())
                history += "\n  " + fuzzing::Describe(*action);
        }
        Fail(what + "\n" + history);
    }

    Channels Color() const { return {m_model.state.lMasterR, m_model.state.lMasterG, m_model.state.lMasterB}; }

    bool WebSafeChecked() const { return m_model.view.checkBoxes[Index(CheckBox::chkWebSafe)] == 1; }

    PickerModel m_model;
    char16_t m_separator;
    std::span<const std::uint8_t> m_actions;
    std::optional<std::u16string> m_hexAsTyped;
    int m_done = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    Session session((data[0] & 1U) != 0 ? u"," : u".", std::span(data + 1, size - 1));
    session.Run();
    return 0;
}
