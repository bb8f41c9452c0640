#!/usr/bin/env python3
"""A panel as a screen reader sees it, over AT-SPI from outside the program.

Run inside a private session bus (dbus-run-session; atspi_panel.sh does that):
starts a virtual X display and the accessibility bus, then the panel host
(atspi_host.cpp) on Qt's xcb platform with its AT-SPI bridge on, finds the
panel's tree on the desktop, checks names, roles, descriptions and places of
the keys, presses keys through their Press actions and waits for the radio and
the display to follow. Anything missing fails the check, loudly.

    atspi_panel.py HOST
"""

import os
import queue
import shutil
import subprocess
import sys
import threading
import time

# Generous: the suite runs beside compilers on two cores.
WAIT = 120


def fail(why):
    print("atspi: FAIL: " + why, file=sys.stderr, flush=True)
    sys.exit(1)


def start_display():
    """Xvfb on a free display, told back through a pipe."""
    if not shutil.which("Xvfb"):
        fail("Xvfb is missing (scripts/setup installs xvfb)")
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + WAIT
    while not number.endswith(b"\n"):
        if time.monotonic() > deadline or xvfb.poll() is not None:
            fail("Xvfb did not start")
        chunk = os.read(read_end, 16)
        if not chunk:
            fail("Xvfb did not say its display")
        number += chunk
    os.close(read_end)
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    return xvfb


def start_bus():
    """The accessibility bus on the session bus, as a desktop session starts it."""
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        fail("no session bus: run under dbus-run-session")
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not os.access(launcher, os.X_OK):
        fail(launcher + " is missing (scripts/setup installs at-spi2-core)")
    return subprocess.Popen([launcher, "--launch-immediately"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Host:
    """The panel host, its output lines queued as they come."""

    def __init__(self, path):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1")
        # Under the sanitizers: the X and D-Bus libraries keep their connections to
        # the process end, and libxcb hands strndup strings that are not terminated
        # within the length read (strict string checks take that for an overflow);
        # the panel's own code is checked for both offscreen.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] += ":detect_leaks=0:strict_string_checks=0"
        self.process = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        env=env, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())
        self.lines.put(None)

    def expect(self, want):
        deadline = time.monotonic() + WAIT
        while time.monotonic() < deadline:
            try:
                line = self.lines.get(timeout=1)
            except queue.Empty:
                continue
            if line is None:
                fail("the host ended before saying " + want)
            if line == want:
                return
        fail("the host did not say " + want)

    def stop(self):
        self.process.stdin.close()
        try:
            return self.process.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return "killed"


def poll(what, check):
    """Waits for check, delivering the bus's events meanwhile."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    deadline = time.monotonic() + WAIT
    while time.monotonic() < deadline:
        found = check()
        if found:
            return found
        end = time.monotonic() + 0.2
        while time.monotonic() < end:
            if not context.iteration(False):
                time.sleep(0.02)
    fail(what)


class NameEvents:
    """The names that objects announced as changed, as a screen reader hears them."""

    def __init__(self, pyatspi):
        self.names = []
        pyatspi.Registry.registerEventListener(self._heard, "object:property-change:accessible-name")

    def _heard(self, event):
        try:
            self.names.append(event.source.name)
        except Exception:  # an object gone since: nothing to hear
            pass

    def heard(self, prefix):
        return any(n.startswith(prefix) for n in self.names)


def find_panel(pyatspi, host_name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or app.name != host_name:
            continue
        found = pyatspi.findDescendant(app, lambda a: a is not None and a.name == "IC-756 front panel")
        if found and found.childCount > 0:
            return found
    return None


def press(pyatspi, key):
    action = key.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail("%s has no Press action: %s" % (key.name, names))
    action.doAction(names.index("Press"))


def check_tree(pyatspi, panel):
    names = [panel.getChildAtIndex(i).name for i in range(panel.childCount)]
    if len(names) != 44:
        fail("the IC-756 panel has %d children: %s" % (len(names), names))
    keys = {c.name: c for c in (panel.getChildAtIndex(i) for i in range(panel.childCount))}
    for name in ["Tune down", "Tune up", "SSB", "V/M", "M-CL", "Main step 10 MHz", "Sub step 10 Hz", "1", "0"]:
        if name not in keys:
            fail("no key named %r among %s" % (name, names))
        if keys[name].getRole() != pyatspi.ROLE_PUSH_BUTTON:
            fail("%r is a %s" % (name, keys[name].getRoleName()))
    if not keys["1"].description.startswith("1 (1.8 MHz)"):
        fail("key 1 is described as %r" % keys["1"].description)
    main = panel.getChildAtIndex(0)
    if main.getRole() != pyatspi.ROLE_LABEL or not main.name.startswith("Main "):
        fail("the first child is %s %r" % (main.getRoleName(), main.name))
    # SSB's hot spot is (93, 400) to (151, 424) on the picture.
    whole = panel.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    ssb = keys["SSB"].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    got = (ssb.x - whole.x, ssb.y - whole.y, ssb.width, ssb.height)
    if got != (93, 400, 59, 25):
        fail("SSB lies at %s on the picture" % (got,))
    return keys, main


def main():
    if len(sys.argv) != 2:
        fail("usage: atspi_panel.py HOST")
    xvfb = start_display()
    bus = start_bus()
    host = None
    try:
        try:
            import pyatspi
        except ImportError as e:
            fail("python3-pyatspi is missing (scripts/setup installs it): %s" % e)
        host = Host(sys.argv[1])
        host.expect("ready")
        panel = poll("the panel's tree did not appear on the accessibility bus",
                     lambda: find_panel(pyatspi, os.path.basename(sys.argv[1])))
        keys, display = check_tree(pyatspi, panel)
        events = NameEvents(pyatspi)

        # Keypad 5 puts the main band on 14.2 MHz; the radio takes it and the
        # display reads it back.
        press(pyatspi, keys["5"])
        host.expect("radio 14200000")
        poll("the display did not read 14.200.000: %r" % display.name,
             lambda: display.name.startswith("Main 14.200.000"))
        poll("the display's new text was not announced: %s" % events.names,
             lambda: events.heard("Main 14.200.000"))
        press(pyatspi, keys["Tune up"])
        host.expect("radio 14200010")
        poll("the display did not read 14.200.010: %r" % display.name,
             lambda: display.name.startswith("Main 14.200.010"))
        poll("the display's new text was not announced: %s" % events.names,
             lambda: events.heard("Main 14.200.010"))
        ended = host.stop()
        host = None
        if ended != 0:
            fail("the host ended with %s" % ended)
        print("atspi: the IC-756 panel's tree is there and its Press actions work", flush=True)
    finally:
        if host:
            host.stop()
        for process in (bus, xvfb):
            process.terminate()
            try:
                process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                process.kill()


if __name__ == "__main__":
    main()
