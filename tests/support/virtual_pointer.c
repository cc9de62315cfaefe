/* Gives a headless wlroots compositor's seat0 a pointer. With no input
 * devices the seat has none, so sway's "seat seat0 cursor set/press/release"
 * do nothing and a picker waiting for a click never gets one. A virtual
 * pointer that merely exists is enough for sway to route those commands.
 * Prints "ready" once the compositor has the pointer, then stays until the
 * compositor goes away or SIGTERM ends it.
 * Usage: virtual_pointer (with WAYLAND_DISPLAY set) */
#include <stdio.h>
#include <string.h>

#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

struct globals {
    struct wl_seat *seat;
    struct zwlr_virtual_pointer_manager_v1 *manager;
};

static void on_global(void *data, struct wl_registry *registry, uint32_t name,
                      const char *interface, uint32_t version)
{
    struct globals *found = data;
    (void)version;
    /* The first seat is seat0, the only one a headless sway has. */
    if (strcmp(interface, wl_seat_interface.name) == 0 && found->seat == NULL)
        found->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        found->manager = wl_registry_bind(registry, name,
                                          &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void on_global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {
    .global = on_global,
    .global_remove = on_global_remove,
};

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "virtual_pointer: cannot connect to the Wayland display\n");
        return 1;
    }
    struct globals found = {0};
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &found);
    wl_display_roundtrip(display);
    if (found.manager == NULL) {
        fprintf(stderr, "virtual_pointer: the compositor has no zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(found.manager, found.seat);
    /* Once this round trip is back the compositor has made the device. */
    if (pointer == NULL || wl_display_roundtrip(display) < 0) {
        fprintf(stderr, "virtual_pointer: the compositor refused the pointer\n");
        return 1;
    }
    printf("ready\n");
    fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
