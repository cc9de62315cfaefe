#include "platform/x11/x11_pixels.h"

#include "platform/x11/x11_pixel_format.h"
#include "platform/x11/x11_visual.h"

#include <QGuiApplication>
#include <QRect>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace tintwell::platform::x11 {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Own(Reply* reply)
{
    return {reply, &std::free};
}

xcb_connection_t* Connection()
{
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The root window and visual of the screen the pointer is on.
struct Root {
    xcb_window_t window = XCB_NONE;
    const xcb_screen_t* screen = nullptr;
};

Root RootOf(xcb_connection_t* connection, xcb_window_t window)
{
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0; xcb_screen_next(&it)) {
        if (it.data->root == window)
            return {window, it.data};
    }
    return {};
}

const xcb_format_t* FormatOf(xcb_connection_t* connection, std::uint8_t depth)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem > 0; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            return it.data;
    }
    return nullptr;
}

} // namespace

bool Available()
{
    return Connection() != nullptr;
}

QImage PixelsAroundPointer(int radius)
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return {};
    const xcb_window_t anyRoot = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto pointer = Own(xcb_query_pointer_reply(connection, xcb_query_pointer(connection, anyRoot), nullptr));
    if (!pointer)
        return {};
    // The root of the screen the pointer is on, and its own coordinates.
    const Root root = RootOf(connection, pointer->root);
    const QRect area(pointer->root_x - radius, pointer->root_y - radius, 2 * radius + 1, 2 * radius + 1);
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (root.screen == nullptr)
        return image;

    // Asking for anything beyond the root window is an error, not a blank.
    const QRect screen(0, 0, root.screen->width_in_pixels, root.screen->height_in_pixels);
    const QRect visible = area.intersected(screen);
    if (visible.isEmpty())
        return image;
    const auto reply = Own(xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root.window, static_cast<std::int16_t>(visible.x()),
                      static_cast<std::int16_t>(visible.y()), static_cast<std::uint16_t>(visible.width()),
                      static_cast<std::uint16_t>(visible.height()), ~0U),
        nullptr));
    const xcb_visualtype_t* visual = reply ? VisualOf(*root.screen, reply->visual) : nullptr;
    const xcb_format_t* format = reply ? FormatOf(connection, reply->depth) : nullptr;
    if (visual == nullptr || format == nullptr || format->bits_per_pixel % 8 != 0 || format->bits_per_pixel > 32)
        return image;

    const int bytesPerPixel = format->bits_per_pixel / 8;
    const int pad = format->scanline_pad / 8;
    const int stride = (visible.width() * bytesPerPixel + pad - 1) / pad * pad;
    if (xcb_get_image_data_length(reply.get()) < stride * visible.height())
        return image;
    const PixelFormat pixelFormat{bytesPerPixel,
                                  xcb_get_setup(connection)->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST,
                                  visual->red_mask, visual->green_mask, visual->blue_mask};
    const std::uint8_t* data = xcb_get_image_data(reply.get());
    for (int y = 0; y < visible.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(visible.y() - area.y() + y));
        for (int x = 0; x < visible.width(); ++x) {
            const tintwell::Rgb color = DecodePixel(data + y * stride + x * bytesPerPixel, pixelFormat);
            line[visible.x() - area.x() + x] = qRgb(color.red, color.green, color.blue);
        }
    }
    return image;
}

void MovePointer(int dx, int dy)
{
    if (xcb_connection_t* connection = Connection()) {
        xcb_warp_pointer(connection, XCB_NONE, XCB_NONE, 0, 0, 0, 0, static_cast<std::int16_t>(dx),
                         static_cast<std::int16_t>(dy));
        xcb_flush(connection);
    }
}

bool InputIsFree(unsigned long window)
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return false;
    const auto grabbed = static_cast<xcb_window_t>(window);
    const auto pointer =
        Own(xcb_grab_pointer_reply(connection,
                                   xcb_grab_pointer(connection, 0, grabbed, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                    XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                                   nullptr));
    const bool pointerFree = pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS;
    if (pointerFree)
        xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    if (!pointerFree)
        return false;
    const auto keyboard = Own(xcb_grab_keyboard_reply(
        connection,
        xcb_grab_keyboard(connection, 0, grabbed, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr));
    const bool keyboardFree = keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS;
    if (keyboardFree)
        xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
    xcb_flush(connection);
    return keyboardFree;
}

} // namespace tintwell::platform::x11
