#!/usr/bin/python3
"""Uses Mivo on Wayland as a screen reader would, over the accessibility bus: checks that the ROM it was
started with, if any, is shown, ticks "Force PAL timing", presses "View Syntax" and checks the line shown,
then presses "Run/Play".

    wayland-story.py ZSNES_PATH [ROM_PATH]

Weston's headless backend takes no input, so the accessibility bus is the one way in from outside.
Needs python3-gi and gir1.2-atspi-2.0; Mivo must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on the same
session bus.
"""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# Debian 12's Atspi marks get_action_name deprecated but has not got its successor yet.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def fail(message):
    sys.exit("wayland-story: " + message)


def until(what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = what()
        if found:
            return found
        time.sleep(0.1)
    return None


def nodes(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from nodes(child)


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            return app
    return None


def control(app, role, name):
    for node in nodes(app):
        if node.get_role_name() == role and node.get_name().replace("&", "") == name:
            return node
    fail(f"no {role} named {name!r}")


def act(node, action):
    for i in range(Atspi.Action.get_n_actions(node)):
        if Atspi.Action.get_action_name(node, i) == action:
            Atspi.Action.do_action(node, i)
            return
    fail(f"{node.get_name()!r} has no action {action!r}")


def shows(app, text):
    return until(lambda: any(n.get_role_name() == "label" and n.get_name() == text for n in nodes(app)))


def main():
    zsnes = sys.argv[1]
    app = until(lambda: application("mivo"))
    if app is None:
        fail("Mivo did not appear on the accessibility bus")
    if len(sys.argv) > 2 and not shows(app, sys.argv[2]):
        fail(f"the Rom Name line does not show {sys.argv[2]!r}")
    act(control(app, "check box", "Force PAL timing"), "Toggle")
    act(control(app, "push button", "View Syntax"), "Press")
    expected = zsnes + " -u"
    if not shows(app, expected):
        fail(f"the window does not show the line {expected!r}")
    act(control(app, "push button", "Run/Play"), "Press")


if __name__ == "__main__":
    main()
