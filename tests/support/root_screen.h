#pragma once

#include <xcb/xcb.h>

#include <optional>

// The X server the desktop tests' own clients draw on, in plain xcb: its
// first screen and that screen's root visual.
struct RootScreen {
    xcb_connection_t* connection = nullptr;
    const xcb_screen_t* screen = nullptr;
    const xcb_visualtype_t* visual = nullptr; // null if the server lists none by the root's id
};

// Connects to the server DISPLAY names; none if it cannot.
std::optional<RootScreen> ConnectToRootScreen();
