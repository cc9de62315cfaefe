#pragma once

#include <xcb/xcb.h>

// Finding a screen's visual by its id. Plain xcb, no toolkit: the tests' own
// X clients look up the root visual with it too.
namespace tintwell::platform::x11 {

// The visual `id` among those `screen` allows at any depth; null if none.
const xcb_visualtype_t* VisualOf(const xcb_screen_t& screen, xcb_visualid_t id);

} // namespace tintwell::platform::x11
