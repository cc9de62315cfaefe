#!/usr/bin/python3
"""A user's hands and eyes on a headless gnome-shell: the pointer and the
keyboard through mutter's remote desktop, and the screen through
gnome-shell's own screenshots.

Usage: gnome_remote.py FIFO
Reads one command a line from FIFO, in order, coordinates in the screen's
device pixels:
  move X Y                 moves the pointer there
  press | release | click  the left button
  key KEYSYM               presses and releases a key (an X keysym: 0xff1b)
  look X Y W H FILE        writes the colours of that area to FILE, one
                           RRGGBB a pixel, row by row
  shot FILE                saves the whole screen to FILE, a PNG
Prints "ready" once it can take commands. Mutter ends the remote session
when the monitors change, so start it after setting the scale.
"""
import os
import sys
import tempfile

import dbus
import dbus.mainloop.glib
import gi

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, GLib  # noqa: E402

MUTTER = "org.gnome.Mutter"
LEFT_BUTTON = 0x110  # BTN_LEFT
SHIFT = 0xffe1  # XK_Shift_L


class Remote:
    def __init__(self, bus):
        self.bus = bus
        # gnome-shell takes screenshots only for a few callers; this is one.
        bus.request_name("org.gnome.Screenshot", dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
        desktop = dbus.Interface(bus.get_object(f"{MUTTER}.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop"),
                                 f"{MUTTER}.RemoteDesktop")
        path = desktop.CreateSession()
        self.session = dbus.Interface(bus.get_object(f"{MUTTER}.RemoteDesktop", path),
                                      f"{MUTTER}.RemoteDesktop.Session")
        session_id = bus.get_object(f"{MUTTER}.RemoteDesktop", path).Get(
            f"{MUTTER}.RemoteDesktop.Session", "SessionId", dbus_interface=dbus.PROPERTIES_IFACE)
        # Absolute motion is given in a screen cast stream's coordinates,
        # which are the monitor's device pixels.
        cast = dbus.Interface(bus.get_object(f"{MUTTER}.ScreenCast", "/org/gnome/Mutter/ScreenCast"),
                              f"{MUTTER}.ScreenCast")
        cast_path = cast.CreateSession({"remote-desktop-session-id": session_id})
        cast_session = dbus.Interface(bus.get_object(f"{MUTTER}.ScreenCast", cast_path),
                                      f"{MUTTER}.ScreenCast.Session")
        self.stream = cast_session.RecordMonitor(monitor_connector(bus), {})
        self.session.Start()
        # Mutter makes the session's keyboard and pointer on their first use,
        # and only then does the seat offer them to windows: a key sent
        # before a window has taken the keyboard never reaches it. So both
        # are made now, before any window that will get them starts.
        self.session.NotifyKeyboardKeysym(dbus.UInt32(SHIFT), True)
        self.session.NotifyKeyboardKeysym(dbus.UInt32(SHIFT), False)
        self.session.NotifyPointerMotionRelative(0.0, 0.0)
        self.shell = dbus.Interface(bus.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot"),
                                    "org.gnome.Shell.Screenshot")

    def run(self, words):
        command, args = words[0], words[1:]
        if command == "move":
            self.session.NotifyPointerMotionAbsolute(self.stream, float(args[0]), float(args[1]))
        elif command in ("press", "release", "click"):
            if command != "release":
                self.session.NotifyPointerButton(LEFT_BUTTON, True)
            if command != "press":
                self.session.NotifyPointerButton(LEFT_BUTTON, False)
        elif command == "key":
            self.session.NotifyKeyboardKeysym(dbus.UInt32(int(args[0], 0)), True)
            self.session.NotifyKeyboardKeysym(dbus.UInt32(int(args[0], 0)), False)
        elif command == "look":
            self.look(*map(int, args[:4]), args[4])
        elif command == "shot":
            self.shoot(args[0])
        else:
            raise ValueError(f"unknown command {command!r}")

    def shoot(self, path):
        # The whole screen in device pixels, in either layout, without the
        # pointer.
        done, _ = self.shell.Screenshot(False, False, path)
        if not done:
            raise RuntimeError("gnome-shell took no screenshot")

    def look(self, x, y, width, height, answer):
        with tempfile.NamedTemporaryFile(suffix=".png", dir=os.path.dirname(answer)) as shot:
            self.shoot(shot.name)
            image = GdkPixbuf.Pixbuf.new_from_file(shot.name)
        pixels, stride, channels = image.get_pixels(), image.get_rowstride(), image.get_n_channels()
        rows = []
        for row in range(y, y + height):
            at = row * stride
            rows.append(" ".join(pixels[at + column * channels:at + column * channels + 3].hex()
                                 for column in range(x, x + width)))
        with open(answer + ".tmp", "w") as out:
            out.write("\n".join(rows) + "\n")
        os.rename(answer + ".tmp", answer)


def monitor_connector(bus):
    config = bus.get_object(f"{MUTTER}.DisplayConfig", "/org/gnome/Mutter/DisplayConfig")
    _, monitors, _, _ = config.GetCurrentState(dbus_interface=f"{MUTTER}.DisplayConfig")
    return monitors[0][0][0]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    remote = Remote(dbus.SessionBus())
    # Opened for writing too, so the fifo never reads as ended between the
    # test's writes.
    fifo = os.open(sys.argv[1], os.O_RDWR)
    pending = b""

    def take(*_):
        nonlocal pending
        pending += os.read(fifo, 4096)
        *lines, pending = pending.split(b"\n")
        for line in lines:
            words = line.decode().split()
            try:
                if words:
                    remote.run(words)
            except (dbus.DBusException, ValueError, RuntimeError, GLib.Error) as error:
                print(f"{line.decode()}: {error}", flush=True)
        return True

    GLib.io_add_watch(fifo, GLib.IO_IN, take)
    print("ready", flush=True)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
