/* Input for a headless KWin, which has no input devices of its own: a
 * client of KWin's org_kde_kwin_fake_input that reads one command a line
 * from stdin and prints "done" once KWin has it.
 *   move X Y      the pointer to this point of the layout
 *   button B 1|0  presses or releases the button with this evdev code
 *                 (272 is the left one)
 *   key K 1|0     presses or releases the key with this evdev code
 * KWin takes it from any client only with KWIN_WAYLAND_NO_PERMISSION_CHECKS.
 * Prints "ready" once it is bound, and ends at the end of its input.
 * Usage: fake_input (with WAYLAND_DISPLAY set) */
#include <stdio.h>
#include <string.h>

#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input *fake_input;

static void on_global(void *data, struct wl_registry *registry, uint32_t name,
                      const char *interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        fake_input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
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
        fprintf(stderr, "fake_input: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (fake_input == NULL) {
        fprintf(stderr, "fake_input: the compositor has no org_kde_kwin_fake_input version 4\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake_input, "tintwell tests", "input for a headless desktop");
    if (wl_display_roundtrip(display) < 0) {
        fprintf(stderr, "fake_input: the compositor refused fake input\n");
        return 1;
    }
    printf("ready\n");
    fflush(stdout);

    char line[128];
    while (fgets(line, sizeof line, stdin) != NULL) {
        double x, y;
        unsigned code, state;
        if (sscanf(line, "move %lf %lf", &x, &y) == 2)
            org_kde_kwin_fake_input_pointer_motion_absolute(fake_input, wl_fixed_from_double(x),
                                                            wl_fixed_from_double(y));
        else if (sscanf(line, "button %u %u", &code, &state) == 2)
            org_kde_kwin_fake_input_button(fake_input, code, state);
        else if (sscanf(line, "key %u %u", &code, &state) == 2)
            org_kde_kwin_fake_input_keyboard_key(fake_input, code, state);
        else {
            fprintf(stderr, "fake_input: unknown command: %s", line);
            continue;
        }
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "fake_input: the compositor went away\n");
            return 1;
        }
        printf("done\n");
        fflush(stdout);
    }
    return 0;
}
