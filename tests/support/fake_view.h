#pragma once

#include "core/color_view.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A stand-in for the window that behaves like the toolkit where it matters:
// a write that changes a control raises its change event before returning.
// It logs every read and write in order and counts writes per control.
class FakeView final : public tintwell::ColorView {
public:
    FakeView();

    std::int16_t Value(tintwell::Slider slider) const override;
    void SetValue(tintwell::Slider slider, std::int16_t value) override;
    void SetSmallChange(tintwell::Slider slider, std::int16_t step) override;
    std::u16string Text(tintwell::Box box) const override;
    void SetText(tintwell::Box box, const std::u16string& text) override;
    std::int16_t Value(tintwell::CheckBox checkBox) const override;
    void SetBackColor(std::int32_t colorValue) override;

    // The user's side: change a control as a person would, raising its event.
    void UserSetsValue(tintwell::Slider slider, std::int16_t value);
    void UserTypes(tintwell::Box box, const std::u16string& text);
    void UserSetsCheckBox(tintwell::CheckBox checkBox, std::int16_t value);

    std::array<std::int16_t, tintwell::kSliders.size()> values{};
    std::array<std::int16_t, tintwell::kSliders.size()> smallChanges{1, 1, 1};
    std::array<std::u16string, tintwell::kBoxes.size()> texts;
    std::array<std::int16_t, tintwell::kCheckBoxes.size()> checkBoxes{};
    std::int32_t backColor = 0;

    // "ScrollR.Value=255", "txtHexB.Text?" (a read), "shapeColorDemo.BackColor=0" …
    mutable std::vector<std::string> log;
    std::map<std::string, int> writeCounts;

    // Change events, raised inside the write that changed the control.
    std::function<void(tintwell::Slider)> onSliderChange;
    std::function<void(tintwell::Box)> onBoxChange;
    std::function<void(tintwell::CheckBox)> onCheckBoxClick;

    // What a box keeps of a text written to it; by default all of it.
    std::function<std::u16string(tintwell::Box, const std::u16string&)> keepText;

private:
    void Wrote(std::string_view control, std::string_view property, const std::string& value);
};

std::string Narrow(const std::u16string& text);
