#pragma once

#include "core/channel_inputs.h"
#include "core/channel_state.h"
#include "core/color_formats.h"
#include "core/color_view.h"
#include "tests/support/fake_view.h"

#include <string>
#include <utility>
#include <vector>

// The colour model over the view double, with every control event wired to
// its handler as the window wires them.
class PickerModel final : public tintwell::OkMessageBox {
public:
    explicit PickerModel(std::u16string decimalSeparator = u".");

    void Show(std::u16string_view prompt, std::u16string_view title) override;

    // Runs the start-up refresh: channels at 0, every view filled.
    void Load();

    // Empty when every view shows the channels and no refresh is running;
    // otherwise says what differs.
    std::string Mismatch() const;

    FakeView view;
    tintwell::ChannelState state{view};
    tintwell::ChannelInputs inputs;
    std::vector<std::pair<std::u16string, std::u16string>> messages;
};
