#pragma once

#include "core/named_controls.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tintwell {

// What the colour model may do with the controls. Writing a value or text
// that differs from the current one raises that control's change event
// before the write returns, as the toolkit does.
class ColorView {
public:
    virtual ~ColorView() = default;

    virtual std::int16_t Value(Slider slider) const = 0;
    virtual void SetValue(Slider slider, std::int16_t value) = 0;
    virtual void SetSmallChange(Slider slider, std::int16_t step) = 0;

    virtual std::u16string Text(Box box) const = 0;
    virtual void SetText(Box box, const std::u16string& text) = 0;

    // 0 unchecked, 1 checked.
    virtual std::int16_t Value(CheckBox checkBox) const = 0;

    // A packed colour value, red in the low byte.
    virtual void SetBackColor(std::int32_t colorValue) = 0;
};

// The plain OK message box through which the colour model speaks to the user;
// the window provides it. Show() returns once the box is dismissed.
class OkMessageBox {
public:
    virtual ~OkMessageBox() = default;
    virtual void Show(std::u16string_view prompt, std::u16string_view title) = 0;
};

} // namespace tintwell
