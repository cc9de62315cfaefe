// Another program holding the pointer, as a menu or a drag in some other
// client may: grabs it on the root window, prints "ready" once it holds it,
// and lets go after SECONDS (a fraction is fine), or, without them, only
// when it ends (SIGTERM).
// Usage: pointer_holder [SECONDS]
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

[[noreturn]] void Die(const char* message)
{
    std::fprintf(stderr, "pointer_holder: %s\n", message);
    std::exit(1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2)
        Die("usage: pointer_holder [SECONDS]");
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0)
        Die("cannot connect to the X server");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const auto reply =
        xcb_grab_pointer_reply(connection,
                               xcb_grab_pointer(connection, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                               nullptr);
    const bool held = reply != nullptr && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    if (!held)
        Die("the pointer is held already");
    std::puts("ready");
    std::fflush(stdout);

    if (argc == 2) {
        std::this_thread::sleep_for(std::chrono::duration<double>(std::atof(argv[1])));
        xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        return 0;
    }
    // No events are asked for: this waits until the connection ends.
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection))
        std::free(event);
    return 0;
}
