#!/usr/bin/python3
"""A desktop's screenshot back end for xdg-desktop-portal, standing in for a
real desktop's picker so the front end can be tested without one.

Usage: stand_in_portal.py REPLY...
Answers the Nth PickColor with the Nth REPLY, the last one for every call
after. REPLY is one of: colour (red 255,128,0), cancel, malformed (a colour
of the wrong D-Bus type), fail (the back end could not pick). A Screenshot
is answered with the URI in STAND_IN_STILL, or fails without it.
"""
import os
import sys
import urllib.parse

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

BUS_NAME = "org.tintwell.StandInPortal"
PATH = "/org/freedesktop/portal/desktop"
SCREENSHOT = "org.freedesktop.impl.portal.Screenshot"
ACCESS = "org.freedesktop.impl.portal.Access"

RESPONSES = {
    "colour": (0, {"color": dbus.Struct((1.0, 128 / 255, 0.0), signature="ddd")}),
    "cancel": (1, {}),
    "malformed": (0, {"color": dbus.Struct((1.0, 0.5), signature="dd")}),
    "fail": (2, {}),
}
OTHER = 2


class StandIn(dbus.service.Object):
    def __init__(self, bus, replies):
        super().__init__(dbus.service.BusName(BUS_NAME, bus, do_not_queue=True), PATH)
        self.replies = replies
        self.calls = 0
        self.loop = GLib.MainLoop()

    @dbus.service.method(SCREENSHOT, in_signature="ossa{sv}", out_signature="ua{sv}")
    def PickColor(self, handle, app_id, parent_window, options):
        reply = self.replies[min(self.calls, len(self.replies) - 1)]
        self.calls += 1
        response, results = RESPONSES[reply]
        return dbus.UInt32(response), dbus.Dictionary(results, signature="sv")

    @dbus.service.method(SCREENSHOT, in_signature="ossa{sv}", out_signature="ua{sv}")
    def Screenshot(self, handle, app_id, parent_window, options):
        still = os.environ.get("STAND_IN_STILL")
        if not still:
            return dbus.UInt32(OTHER), dbus.Dictionary({}, signature="sv")
        # As if written just now, which a real back end does for each call.
        path = urllib.parse.urlparse(still).path
        if os.path.exists(path):
            os.utime(path)
        return dbus.UInt32(0), dbus.Dictionary({"uri": still}, signature="sv")

    @dbus.service.method(ACCESS, in_signature="osssssa{sv}", out_signature="ua{sv}")
    def AccessDialog(self, handle, app_id, parent_window, title, subtitle, body, options):
        return dbus.UInt32(OTHER), dbus.Dictionary({}, signature="sv")


def main():
    replies = sys.argv[1:]
    if not replies or any(reply not in RESPONSES for reply in replies):
        sys.exit(__doc__)
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    stand_in = StandIn(dbus.SessionBus(), replies)
    stand_in.loop.run()


if __name__ == "__main__":
    main()
