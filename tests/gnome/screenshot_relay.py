#!/usr/bin/python3
"""GNOME's screenshot back end with its colour picker taken away, so that a
program has to pick on a still of the screen: every PickColor fails at once,
as on a desktop that cannot pick, and every Screenshot is passed on to
xdg-desktop-portal-gnome and its answer passed back.

Usage: screenshot_relay.py
Prints each call and its answer.
"""
import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

BUS_NAME = "org.tintwell.ScreenshotRelay"
PATH = "/org/freedesktop/portal/desktop"
SCREENSHOT = "org.freedesktop.impl.portal.Screenshot"
GNOME = "org.freedesktop.impl.portal.desktop.gnome"
OTHER = 2
# GNOME's answer may wait for the user in its access dialog.
GNOME_TIMEOUT = 3600


class Relay(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(dbus.service.BusName(BUS_NAME, bus, do_not_queue=True), PATH)
        self.gnome = dbus.Interface(bus.get_object(GNOME, PATH, introspect=False), SCREENSHOT)

    @dbus.service.method(SCREENSHOT, in_signature="ossa{sv}", out_signature="ua{sv}")
    def PickColor(self, handle, app_id, parent_window, options):
        print("PickColor -> 2", flush=True)
        return dbus.UInt32(OTHER), dbus.Dictionary({}, signature="sv")

    @dbus.service.method(SCREENSHOT, in_signature="ossa{sv}", out_signature="ua{sv}",
                         async_callbacks=("reply", "error"))
    def Screenshot(self, handle, app_id, parent_window, options, reply, error):
        print("Screenshot", dict(options), flush=True)

        def answered(response, results):
            print("Screenshot ->", int(response), dict(results), flush=True)
            reply(response, results)

        def failed(failure):
            print("Screenshot failed:", failure, flush=True)
            error(failure)

        self.gnome.Screenshot(handle, app_id, parent_window, options, reply_handler=answered,
                              error_handler=failed, timeout=GNOME_TIMEOUT)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return dbus.Dictionary({"version": dbus.UInt32(2)} if interface == SCREENSHOT else {}, signature="sv")


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    Relay(dbus.SessionBus())
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
