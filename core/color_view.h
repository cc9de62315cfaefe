#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tintwell {

// The window's controls as the colour model knows them: by name, through the
// few operations it needs. The window binds each name to a real widget.

enum class Slider { ScrollR, ScrollG, ScrollB };

enum class Box { txtDecR, txtDecG, txtDecB, txtHexR, txtHexG, txtHexB, txtDec, txtHex };

enum class CheckBox { chkWebSafe, chkAlwaysOnTop };

inline constexpr std::array kSliders{Slider::ScrollR, Slider::ScrollG, Slider::ScrollB};
inline constexpr std::array kBoxes{Box::txtDecR, Box::txtDecG, Box::txtDecB, Box::txtHexR,
                                   Box::txtHexG, Box::txtHexB, Box::txtDec,  Box::txtHex};

std::string_view ControlName(Slider slider);
std::string_view ControlName(Box box);
std::string_view ControlName(CheckBox checkBox);
inline constexpr std::string_view kSwatchName = "shapeColorDemo";

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

} // namespace tintwell
