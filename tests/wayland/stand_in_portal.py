#!/usr/bin/python3
"""A desktop's screenshot and global shortcuts back end for
xdg-desktop-portal, standing in for a real desktop's picker and key bindings
so the front end can be tested without one.

Usage: stand_in_portal.py REPLY...
Answers the Nth PickColor with the Nth REPLY, the last one for every call
after. REPLY is one of: colour (red 255,128,0), cancel, malformed (a colour
of the wrong D-Bus type), fail (the back end could not pick). A Screenshot
is answered with the URI in STAND_IN_STILL, or fails without it.

Every shortcut asked for is bound, and written to the output as "bound
SESSION ID=TRIGGER". The test presses one with its own method,
org.tintwell.StandInPortal.Activate(ID, TIMES), which sends Activated for it
TIMES times in a row in every open session.
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
GLOBAL_SHORTCUTS = "org.freedesktop.impl.portal.GlobalShortcuts"
SESSION = "org.freedesktop.impl.portal.Session"

RESPONSES = {
    "colour": (0, {"color": dbus.Struct((1.0, 128 / 255, 0.0), signature="ddd")}),
    "cancel": (1, {}),
    "malformed": (0, {"color": dbus.Struct((1.0, 0.5), signature="dd")}),
    "fail": (2, {}),
}
OTHER = 2


class Session(dbus.service.Object):
    """A global shortcuts session, which the front end closes when its
    program goes."""

    def __init__(self, bus, path, sessions):
        super().__init__(bus, path)
        self.path = path
        self.sessions = sessions
        self.shortcuts = dbus.Array([], signature="(sa{sv})")
        sessions[path] = self

    @dbus.service.method(SESSION, in_signature="", out_signature="")
    def Close(self):
        self.sessions.pop(self.path, None)
        self.remove_from_connection()


class StandIn(dbus.service.Object):
    def __init__(self, bus, replies):
        super().__init__(dbus.service.BusName(BUS_NAME, bus, do_not_queue=True), PATH)
        self.replies = replies
        self.calls = 0
        self.sessions = {}
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

    @dbus.service.method(GLOBAL_SHORTCUTS, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session_handle, app_id, options):
        session = Session(self.connection, session_handle, self.sessions)
        # The 1.16 front end passes these on to the program, and trips over
        # their absence.
        return dbus.UInt32(0), dbus.Dictionary({"shortcuts": session.shortcuts}, signature="sv")

    @dbus.service.method(GLOBAL_SHORTCUTS, in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session_handle, shortcuts, parent_window, options):
        session = self.sessions.get(session_handle)
        if session is None:
            return dbus.UInt32(OTHER), dbus.Dictionary({}, signature="sv")
        # Bound as asked; a real desktop may let the user choose other keys.
        session.shortcuts = dbus.Array(
            [(name, {"description": props.get("description", ""),
                     "trigger_description": props.get("preferred_trigger", "")})
             for name, props in shortcuts],
            signature="(sa{sv})")
        print("bound", session_handle,
              *(f"{name}={props.get('preferred_trigger', '')}" for name, props in shortcuts), flush=True)
        return dbus.UInt32(0), dbus.Dictionary({"shortcuts": session.shortcuts}, signature="sv")

    @dbus.service.method(GLOBAL_SHORTCUTS, in_signature="oo", out_signature="ua{sv}")
    def ListShortcuts(self, handle, session_handle):
        session = self.sessions.get(session_handle)
        if session is None:
            return dbus.UInt32(OTHER), dbus.Dictionary({}, signature="sv")
        return dbus.UInt32(0), dbus.Dictionary({"shortcuts": session.shortcuts}, signature="sv")

    @dbus.service.signal(GLOBAL_SHORTCUTS, signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.method(BUS_NAME, in_signature="su", out_signature="")
    def Activate(self, shortcut_id, times):
        timestamp = GLib.get_monotonic_time() // 1000
        for path in list(self.sessions):
            for _ in range(times):
                self.Activated(dbus.ObjectPath(path), shortcut_id, dbus.UInt64(timestamp),
                               dbus.Dictionary({}, signature="sv"))


def main():
    replies = sys.argv[1:]
    if not replies or any(reply not in RESPONSES for reply in replies):
        sys.exit(__doc__)
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    stand_in = StandIn(dbus.SessionBus(), replies)
    stand_in.loop.run()


if __name__ == "__main__":
    main()
