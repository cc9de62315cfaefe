#include "platform/x11/x11_visual.h"

namespace tintwell::platform::x11 {

const xcb_visualtype_t* VisualOf(const xcb_screen_t& screen, xcb_visualid_t id)
{
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem > 0; xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0; xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == id)
                return visuals.data;
        }
    }
    return nullptr;
}

} // namespace tintwell::platform::x11
