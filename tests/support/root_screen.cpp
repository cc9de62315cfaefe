#include "tests/support/root_screen.h"

#include "platform/x11/x11_visual.h"

std::optional<RootScreen> ConnectToRootScreen()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return std::nullopt;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return RootScreen{connection, screen, tintwell::platform::x11::VisualOf(*screen, screen->root_visual)};
}
