#include "tests/support/fake_view.h"

using tintwell::Box;
using tintwell::CheckBox;
using tintwell::ControlName;
using tintwell::Index;
using tintwell::Slider;

std::string Narrow(const std::u16string& text)
{
    std::string narrow;
    for (const char16_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

FakeView::FakeView()
{
    texts.fill(u"0");
}

std::int16_t FakeView::Value(Slider slider) const
{
    log.push_back(std::string(ControlName(slider)) + ".Value?");
    return values[Index(slider)];
}

void FakeView::SetValue(Slider slider, std::int16_t value)
{
    Wrote(ControlName(slider), "Value", std::to_string(value));
    if (values[Index(slider)] == value)
        return;
    values[Index(slider)] = value;
    if (onSliderChange)
        onSliderChange(slider);
}

void FakeView::SetSmallChange(Slider slider, std::int16_t step)
{
    Wrote(ControlName(slider), "SmallChange", std::to_string(step));
    smallChanges[Index(slider)] = step;
}

std::u16string FakeView::Text(Box box) const
{
    log.push_back(std::string(ControlName(box)) + ".Text?");
    return texts[Index(box)];
}

void FakeView::SetText(Box box, const std::u16string& text)
{
    Wrote(ControlName(box), "Text", Narrow(text));
    const std::u16string kept = keepText ? keepText(box, text) : text;
    if (texts[Index(box)] == kept)
        return;
    texts[Index(box)] = kept;
    if (onBoxChange)
        onBoxChange(box);
}

std::int16_t FakeView::Value(CheckBox checkBox) const
{
    log.push_back(std::string(ControlName(checkBox)) + ".Value?");
    return checkBoxes[Index(checkBox)];
}

void FakeView::SetBackColor(std::int32_t colorValue)
{
    Wrote(tintwell::kSwatchName, "BackColor", std::to_string(colorValue));
    backColor = colorValue;
}

void FakeView::UserSetsValue(Slider slider, std::int16_t value)
{
    if (values[Index(slider)] == value)
        return;
    values[Index(slider)] = value;
    if (onSliderChange)
        onSliderChange(slider);
}

void FakeView::UserTypes(Box box, const std::u16string& text)
{
    if (texts[Index(box)] == text)
        return;
    texts[Index(box)] = text;
    if (onBoxChange)
        onBoxChange(box);
}

void FakeView::UserSetsCheckBox(CheckBox checkBox, std::int16_t value)
{
    if (checkBoxes[Index(checkBox)] == value)
        return;
    checkBoxes[Index(checkBox)] = value;
    if (onCheckBoxClick)
        onCheckBoxClick(checkBox);
}

void FakeView::Wrote(std::string_view control, std::string_view property, const std::string& value)
{
    std::string entry(control);
    log.push_back(entry.append(".").append(property).append("=").append(value));
    ++writeCounts[std::string(control)];
}
