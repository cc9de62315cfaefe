#!/usr/bin/python3
"""Does what a screen reader's user would to one control of a running program.

Usage: atspi.py PID press NAME    presses the control named NAME
       atspi.py PID text NAME     prints the text it holds
       atspi.py PID description NAME  prints its accessible description
       atspi.py PID windows       prints the title of each window it shows
       atspi.py PID tooltip [SECONDS]  prints the text of the tool tip it
                                  shows, waiting up to SECONDS for one
       atspi.py PID centre NAME   prints where the middle of the control
                                  named NAME is on the screen, as X Y
Fails when the program or the control cannot be found.
"""
import sys
import time

import pyatspi


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    sys.exit(f"atspi: no program with process {pid}")


def control(pid, name):
    found = pyatspi.findDescendant(application(pid), lambda node: node is not None and node.name == name)
    if found is None:
        sys.exit(f"atspi: no control named {name!r} in process {pid}")
    return found


def on_screen(pid, name):
    found = pyatspi.findDescendant(application(pid), lambda node: node is not None and node.name == name
                                   and node.getState().contains(pyatspi.STATE_SHOWING))
    if found is None:
        sys.exit(f"atspi: no control named {name!r} on the screen in process {pid}")
    return found


def showing(pid):
    return [window for window in application(pid)
            if window is not None and window.getState().contains(pyatspi.STATE_SHOWING)]


def main():
    if len(sys.argv) == 3 and sys.argv[2] == "windows":
        for window in showing(int(sys.argv[1])):
            print(window.name)
        return
    if len(sys.argv) in (3, 4) and sys.argv[2] == "tooltip":
        # A tool tip is gone again after a while: looking for it here, and
        # not in a new process each time, does not miss it on a busy machine.
        deadline = time.monotonic() + float(sys.argv[3] if len(sys.argv) == 4 else 0)
        while True:
            tips = [window.name for window in showing(int(sys.argv[1]))
                    if window.getRole() == pyatspi.ROLE_TOOL_TIP]
            if tips or time.monotonic() >= deadline:
                break
            time.sleep(0.1)
        print("\n".join(tips))
        return
    if len(sys.argv) != 4 or sys.argv[2] not in ("press", "text", "description", "centre"):
        sys.exit(__doc__)
    if sys.argv[2] == "centre":
        box = on_screen(int(sys.argv[1]), sys.argv[3]).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x + box.width // 2, box.y + box.height // 2)
        return
    node = control(int(sys.argv[1]), sys.argv[3])
    if sys.argv[2] == "press":
        actions = node.queryAction()
        names = [actions.getName(i).lower() for i in range(actions.nActions)]
        if "press" not in names:
            sys.exit(f"atspi: {sys.argv[3]!r} cannot be pressed, only {names}")
        actions.doAction(names.index("press"))
    elif sys.argv[2] == "description":
        print(node.description)
    else:
        print(node.queryText().getText(0, -1))


if __name__ == "__main__":
    main()
