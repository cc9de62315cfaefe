// A window in which every pixel's colour says where it is on the screen: at
// root (x, y) red is x & 255, green is y & 255 and blue the constant given.
// A pick that lands one pixel off, or on a scaled coordinate, reads a colour
// that gives the mistake away. With "checker", it is a checkerboard instead,
// white where x + y is odd and black where even, whose means over a square
// differ from any one of its pixels. Prints "ready" once its pixels are on
// the screen; SIGTERM ends it. Plain xcb, so no toolkit scaling can touch it.
// Usage: pixel_chart X Y WIDTH HEIGHT BLUE [checker]
#include "tests/support/root_screen.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void Die(const char* message)
{
    std::fprintf(stderr, "pixel_chart: %s\n", message);
    std::exit(1);
}

std::uint32_t Place(std::uint32_t value, std::uint32_t mask)
{
    return (value << std::countr_zero(mask)) & mask;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6 && !(argc == 7 && std::string_view(argv[6]) == "checker"))
        Die("usage: pixel_chart X Y WIDTH HEIGHT BLUE [checker]");
    const bool checker = argc == 7;
    const int left = std::atoi(argv[1]);
    const int top = std::atoi(argv[2]);
    const int width = std::clamp(std::atoi(argv[3]), 1, 8192);
    const int height = std::clamp(std::atoi(argv[4]), 1, 8192);
    const auto blue = static_cast<std::uint32_t>(std::atoi(argv[5]) & 0xFF);

    const std::optional<RootScreen> root = ConnectToRootScreen();
    if (!root)
        Die("cannot connect to the X server");
    const auto [connection, screen, visual] = *root;
    // The test servers' root visual: 24-bit TrueColor, four bytes a pixel,
    // eight bits a channel, in the server's byte order (checked below).
    if (visual == nullptr || visual->bits_per_rgb_value != 8 || screen->root_depth != 24 ||
        xcb_get_setup(connection)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        Die("needs a 24-bit TrueColor root visual");

    const std::uint32_t white = visual->red_mask | visual->green_mask | visual->blue_mask;

    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t values[] = {1, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, static_cast<std::int16_t>(left),
                      static_cast<std::int16_t>(top), static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, window, 0, nullptr);
    xcb_map_window(connection, window);
    xcb_flush(connection);

    // Strips small enough for one request each.
    const int stripRows = std::max(1,
                                   static_cast<int>(xcb_get_maximum_request_length(connection) * 4 - 64) / (width * 4));
    bool announced = false;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool exposed = (event->response_type & 0x7F) == XCB_EXPOSE &&
                             reinterpret_cast<xcb_expose_event_t*>(event)->count == 0;
        std::free(event);
        if (!exposed)
            continue;
        for (int row = 0; row < height; row += stripRows) {
            const int rows = std::min(stripRows, height - row);
            std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * rows));
            for (int y = 0; y < rows; ++y) {
                for (int x = 0; x < width; ++x) {
                    const auto rootX = static_cast<std::uint32_t>(left + x);
                    const auto rootY = static_cast<std::uint32_t>(top + row + y);
                    pixels[static_cast<std::size_t>(y * width + x)] =
                        checker ? ((rootX + rootY) % 2 == 1 ? white : 0U)
                                : Place(rootX & 0xFF, visual->red_mask) | Place(rootY & 0xFF, visual->green_mask) |
                                      Place(blue, visual->blue_mask);
                }
            }
            xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc, static_cast<std::uint16_t>(width),
                          static_cast<std::uint16_t>(rows), 0, static_cast<std::int16_t>(row), 0, 24,
                          static_cast<std::uint32_t>(pixels.size() * 4),
                          reinterpret_cast<const std::uint8_t*>(pixels.data()));
        }
        if (!announced) {
            // A round trip, so the pixels are on the screen before anyone looks.
            std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
            std::puts("ready");
            std::fflush(stdout);
            announced = true;
        }
    }
    return 0;
}
