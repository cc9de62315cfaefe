// A row of square swatches, each filled with one pixel value the server
// stores as it is, at whatever depth the screen has: each swatch is given as
// red:green:blue in the root visual's own levels (0..31 for a 5-bit
// channel, 0..1023 for a 10-bit one), placed by the visual's masks. The
// server fills the squares itself, so no image encoding of ours is involved.
// The window is named "pixel_swatches", for `xwd -name`. Prints "ready"
// once they are on the screen; SIGTERM ends it.
// Usage: pixel_swatches X Y SIZE RED:GREEN:BLUE...
#include "tests/support/root_screen.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int kLargestSize = 1024;
constexpr char kName[] = "pixel_swatches";

[[noreturn]] void Die(const char* message)
{
    std::fprintf(stderr, "pixel_swatches: %s\n", message);
    std::exit(1);
}

std::uint32_t Place(unsigned long level, std::uint32_t mask)
{
    if (mask == 0 || level > (mask >> std::countr_zero(mask)))
        Die("a level is beyond its channel's mask");
    return static_cast<std::uint32_t>(level) << std::countr_zero(mask);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5)
        Die("usage: pixel_swatches X Y SIZE RED:GREEN:BLUE...");
    const int left = std::atoi(argv[1]);
    const int top = std::atoi(argv[2]);
    const int size = std::clamp(std::atoi(argv[3]), 1, kLargestSize);

    const std::optional<RootScreen> root = ConnectToRootScreen();
    if (!root)
        Die("cannot connect to the X server");
    const auto [connection, screen, visual] = *root;
    if (visual == nullptr || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR)
        Die("needs a TrueColor root visual");

    std::vector<std::uint32_t> pixels;
    for (int i = 4; i < argc; ++i) {
        char* rest = argv[i];
        const unsigned long red = std::strtoul(rest, &rest, 0);
        const unsigned long green = *rest == ':' ? std::strtoul(rest + 1, &rest, 0) : 0;
        const unsigned long blue = *rest == ':' ? std::strtoul(rest + 1, &rest, 0) : 0;
        if (*rest != '\0')
            Die("a swatch is RED:GREEN:BLUE");
        pixels.push_back(Place(red, visual->red_mask) | Place(green, visual->green_mask) |
                         Place(blue, visual->blue_mask));
    }

    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t values[] = {1, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, static_cast<std::int16_t>(left),
                      static_cast<std::int16_t>(top),
                      static_cast<std::uint16_t>(size * static_cast<int>(pixels.size())),
                      static_cast<std::uint16_t>(size), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(std::strlen(kName)), kName);
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, window, 0, nullptr);
    xcb_map_window(connection, window);
    xcb_flush(connection);

    bool announced = false;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool exposed = (event->response_type & 0x7F) == XCB_EXPOSE &&
                             reinterpret_cast<xcb_expose_event_t*>(event)->count == 0;
        std::free(event);
        if (!exposed)
            continue;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            xcb_change_gc(connection, gc, XCB_GC_FOREGROUND, &pixels[i]);
            const xcb_rectangle_t square{static_cast<std::int16_t>(static_cast<int>(i) * size), 0,
                                         static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(size)};
            xcb_poly_fill_rectangle(connection, window, gc, 1, &square);
        }
        if (!announced) {
            // A round trip, so the squares are on the screen before anyone looks.
            std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
            std::puts("ready");
            std::fflush(stdout);
            announced = true;
        }
    }
    return 0;
}
