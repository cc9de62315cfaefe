#!/usr/bin/python3
"""Calls the running program's org.freedesktop.Application as strangers may:
names and shapes it does not have, then a thousand picks at once. Each call
must get the answer the table gives, and the flood only replies.
Usage: app_calls.py APP_ID (on the session bus; Debian's python3, for dbus)"""
import sys

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

app_id = sys.argv[1]
DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
path = "/" + app_id.replace(".", "/")
APPLICATION = "org.freedesktop.Application"
INVALID = "org.freedesktop.DBus.Error.InvalidArgs"
UNKNOWN = "org.freedesktop.DBus.Error.UnknownMethod"
empty = dbus.Dictionary({}, signature="sv")
none = dbus.Array([], signature="v")

# (what, method, signature, arguments, the error expected or None)
calls = [
    ("an unknown action", "ActivateAction", "sava{sv}", ["paint", none, empty], INVALID),
    ("an empty action name", "ActivateAction", "sava{sv}", ["", none, empty], INVALID),
    ("a parameter where none is taken", "ActivateAction", "sava{sv}",
     ["pick", dbus.Array([dbus.Int32(3)], signature="v"), empty], INVALID),
    ("a number for the name", "ActivateAction", "iava{sv}", [42, none, empty], UNKNOWN),
    ("the name alone", "ActivateAction", "s", ["pick"], UNKNOWN),
    ("text for the platform data", "Activate", "s", ["token"], UNKNOWN),
    ("a method the interface lacks", "Quit", "", [], UNKNOWN),
    ("a token of another type", "Activate", "a{sv}", [{"activation-token": dbus.Int32(7)}], None),
    ("a token far too long", "Activate", "a{sv}", [{"desktop-startup-id": "x" * 100000}], None),
    ("a file to open", "Open", "asa{sv}", [["file:///etc/passwd"], empty], None),
]
failures = []
for what, method, signature, arguments, expected in calls:
    message = dbus.lowlevel.MethodCallMessage(app_id, path, APPLICATION, method)
    if signature:
        message.append(*arguments, signature=signature)
    try:
        bus.send_message_with_reply_and_block(message, 10000)
        got = None
    except dbus.DBusException as error:
        got = error.get_dbus_name()
    if got != expected:
        failures.append(f"{what}: {got or 'success'}, expected {expected or 'success'}")

# A thousand picks sent before any is answered.
FLOOD = 1000
replies = {"ok": 0, "error": 0}
refusals = set()
loop = GLib.MainLoop()


def answered(kind):
    replies[kind] += 1
    if replies["ok"] + replies["error"] == FLOOD:
        loop.quit()


application = dbus.Interface(bus.get_object(app_id, path, introspect=False), APPLICATION)
for _ in range(FLOOD):
    application.ActivateAction("pick", none, empty, signature="sava{sv}", timeout=60,
                               reply_handler=lambda: answered("ok"),
                               error_handler=lambda error: (refusals.add(error.get_dbus_name()),
                                                            answered("error")))
GLib.timeout_add_seconds(60, loop.quit)
loop.run()
if replies["ok"] != FLOOD:
    failures.append(f"of {FLOOD} picks, {replies['ok']} answered, {replies['error']} refused: {refusals}")

print("\n".join(failures) if failures else "all answered as expected")
sys.exit(1 if failures else 0)
