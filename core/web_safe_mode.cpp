#include "core/web_safe_mode.h"

#include "core/checked_math.h"

namespace tintwell {

void WebSafeClicked(ColorView& view, OkMessageBox& messageBox)
{
    if (view.Value(CheckBox::chkWebSafe) == 1) {
        for (const Slider slider : kSliders)
            view.SetSmallChange(slider, static_cast<std::int16_t>(kWebSafeStep));
        for (const Slider slider : kSliders) {
            const std::int32_t level = RoundToWebSafe(view.Value(slider), messageBox);
            view.SetValue(slider, NarrowToInt16(level, "snapping a slider to a web-safe level"));
        }
    } else {
        for (const Slider slider : kSliders)
            view.SetSmallChange(slider, kFineStep);
    }
}

} // namespace tintwell
