#include "core/color_view.h"

namespace tintwell {

std::string_view ControlName(Slider slider)
{
    switch (slider) {
    case Slider::ScrollR:
        return "ScrollR";
    case Slider::ScrollG:
        return "ScrollG";
    case Slider::ScrollB:
        return "ScrollB";
    }
    return {};
}

std::string_view ControlName(Box box)
{
    switch (box) {
    case Box::txtDecR:
        return "txtDecR";
    case Box::txtDecG:
        return "txtDecG";
    case Box::txtDecB:
        return "txtDecB";
    case Box::txtHexR:
        return "txtHexR";
    case Box::txtHexG:
        return "txtHexG";
    case Box::txtHexB:
        return "txtHexB";
    case Box::txtDec:
        return "txtDec";
    case Box::txtHex:
        return "txtHex";
    }
    return {};
}

std::string_view ControlName(CheckBox checkBox)
{
    switch (checkBox) {
    case CheckBox::chkWebSafe:
        return "chkWebSafe";
    case CheckBox::chkAlwaysOnTop:
        return "chkAlwaysOnTop";
    }
    return {};
}

} // namespace tintwell
