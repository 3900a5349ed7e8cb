#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads Runewright as Orca does: through the accessibility bus (AT-SPI), with real keys.

Starts a private X display, the accessibility bus and the program on this D-Bus session (run it
under dbus-run-session), then checks that every input and button of the nine pages has
a name, none shared and none a value it holds, and counts those with a description; then presses
Tab through the Info page and checks that the status bar says the focused field's description,
and Ctrl+Tab from a list that cannot be typed into.

    screen_reader.py PROGRAM
"""
import glob
import os
import subprocess
import sys
import time

import pyatspi

INPUTS = {"spin button", "check box", "combo box", "text", "push button"}


def fail(message):
    sys.exit(f"screen_reader: {message}")


def wait_for(what, find, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail(f"no {what} after {seconds} s")


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        # A list's popup and edit field belong to the list; the tab bar's scroll buttons are
        # no part of the form.
        if child.getRoleName() not in ("combo box", "page tab list"):
            yield from descendants(child)


def values(node):
    """What a screen reader reads as the input's value or values."""
    role = node.getRoleName()
    if role == "combo box":
        return {item.name for item in descendants_of_lists(node)}
    if role == "spin button":
        return {str(int(node.queryValue().currentValue))}
    if role == "text":
        text = node.queryText()
        return {text.getText(0, text.characterCount)}
    return set()


def descendants_of_lists(box):
    for child in box:
        if child is not None and child.getRoleName() == "list":
            yield from (item for item in child if item is not None)


def focused(app):
    for node in descendants(app):
        if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRoleName() in INPUTS:
            return node
    return None


def status_bar(app):
    return next((node for node in descendants(app) if node.getRoleName() == "status bar"), None)


def key(window, keys):
    subprocess.run(["xdotool", "key", "--window", window, keys], check=True)
    time.sleep(0.3)


def private_display():
    """An Xvfb on a display number it picks itself, which no other test can take first."""
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                               # no reset when the accessibility bus launcher, its first client, leaves
                               "-noreset"],
                              pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as chosen:
        number = chosen.readline().strip()
    if not number:
        fail("Xvfb did not start")
    os.environ["DISPLAY"] = ":" + number
    return server


def main():
    program = sys.argv[1]
    server = private_display()
    launcher = next(iter(glob.glob("/usr/libexec/at-spi-bus-launcher") +
                         glob.glob("/usr/lib/*/at-spi2-core/at-spi-bus-launcher")), None)
    if not launcher:
        fail("no at-spi-bus-launcher (at-spi2-core)")
    bus = subprocess.Popen([launcher, "--launch-immediately"])
    # The program asks the session bus for the accessibility bus once, as it starts.
    wait_for("accessibility bus", lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
        capture_output=True).returncode == 0)
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    runewright = subprocess.Popen([program], env=environment)
    try:
        app = wait_for("Runewright on the accessibility bus",
                       lambda: runewright.poll() is None and application(runewright.pid)
                       or runewright.poll() is not None and fail(f"the program exited with status {runewright.returncode}"))
        inputs = wait_for("inputs", lambda: [node for node in descendants(app) if node.getRoleName() in INPUTS])
        names, problems, described = {}, [], 0
        for node in inputs:
            name, role = node.name, node.getRoleName()
            if not name:
                problems.append(f"a {role} without a name")
            elif name in names:
                problems.append(f'two inputs read as "{name}"')
            elif name in values(node):
                problems.append(f'a {role} read only by its value "{name}"')
            names[name] = role
            described += bool(node.description)
        print(f"screen_reader: {len(inputs)} inputs and buttons, {len(inputs) - len(problems)} named well, "
              f"{described} described")
        for problem in problems:
            print(f"  {problem}")
        if len(inputs) != 82 or problems or described != 55:
            fail("want 82 inputs and buttons, each named once and not by a value, and 55 described")

        window = subprocess.run(["xdotool", "search", "--sync", "--pid", str(runewright.pid), "--name", "^Runewright$"],
                                capture_output=True, text=True, check=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        bar = status_bar(app)
        frame = next(node for node in app if node is not None and node.getRoleName() == "frame")
        wait_for("an active window", lambda: frame.getState().contains(pyatspi.STATE_ACTIVE))
        if bar.name:
            fail(f'the window opens with "{bar.name}" in the status bar')
        tabs = 11  # through the Info page
        for _ in range(tabs):
            key(window, "Tab")
            field = focused(app)
            if field is None:
                fail("Tab left no input focused")
            said = bar.name or ""
            if said != (field.description or ""):
                fail(f'Tab to "{field.name}": the status bar says "{said}", not "{field.description}"')
        print(f"screen_reader: {tabs} Tabs, the status bar said each field's description")

        key(window, "ctrl+Tab")
        first = focused(app)
        if first is None or first.getRoleName() != "combo box":
            fail(f"Ctrl+Tab to the Data page left focus on {first.name if first else 'nothing'}, not its first list")
        key(window, "ctrl+Tab")
        after = focused(app)
        if after is None or after.name != "Bard":
            fail(f'Ctrl+Tab from the list "{first.name}" focused {after.name if after else "nothing"}, not Bard')
        print(f'screen_reader: Ctrl+Tab from the list "{first.name}" turned to the Classes page')
    finally:
        runewright.terminate()
        runewright.wait()
        bus.terminate()
        bus.wait()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
