#!/usr/bin/python3
"""Does what a screen reader's user would to one control of a running program.

Usage: atspi.py PID press NAME    presses the control named NAME
       atspi.py PID text NAME     prints the text it holds
       atspi.py PID description NAME  prints its accessible description
Fails when the program or the control cannot be found.
"""
import sys

import pyatspi


def control(pid, name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            found = pyatspi.findDescendant(app, lambda node: node is not None and node.name == name)
            if found is not None:
                return found
    sys.exit(f"atspi: no control named {name!r} in process {pid}")


def main():
    if len(sys.argv) != 4 or sys.argv[2] not in ("press", "text", "description"):
        sys.exit(__doc__)
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
