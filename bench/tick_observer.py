"""Times a countdown's ticks from outside the program, through the accessibility layer.

    /usr/bin/python3 tick_observer.py TICKS MINUTES PROGRAM

Run on a D-Bus session of its own (dbus-run-session) on the display to use. Starts PROGRAM with
the accessibility bridge on, writes MINUTES into its edit box and presses its start button (开始).
Each new text of the remaining-time label (剩余时间：N秒) is timed with time.monotonic() when the
name-change signal reaches this process: a filter on a connection of its own to the accessibility
bus stamps it in the thread that reads the socket, before anything else handles it (pyatspi's
own delivery adds some milliseconds of jitter). pyatspi gives the texts, and its listener is
what makes the program send these signals at all. After TICKS texts the program is ended and
one JSON line printed: {"times": [seconds...], "counts": [N...]}.
"""

import json
import os
import re
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

CAPTION = re.compile(r"^剩余时间：(-?\d+)秒$")


def find_app(pid, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid and app.childCount > 0:
                    return app
            except Exception:
                continue  # an application that went away while we looked
        time.sleep(0.2)
    raise SystemExit(f"tick_observer: process {pid} did not show up in the accessibility tree")


def find(root, role, name=None):
    found = pyatspi.findDescendant(
        root, lambda a: a.getRole() == role and (name is None or a.name == name))
    if found is None:
        raise SystemExit(f"tick_observer: no {pyatspi.Role(role)} {name or ''}")
    return found


def stamp_name_changes(path):
    """A connection to the accessibility bus (keep it open) and the list that the receipt times
    of the name-change signals of the object at path are added to."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1,
                                None).unpack()[0]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    received = []

    def stamp(_bus, message, incoming, *_):
        if incoming and message.get_member() == "PropertyChange" and message.get_path() == path:
            now = time.monotonic()
            if message.get_body()[0] == "accessible-name":
                received.append(now)
        return message

    bus.add_filter(stamp, None)
    rule = ("type='signal',interface='org.a11y.atspi.Event.Object',member='PropertyChange',"
            f"path='{path}'")
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "AddMatch", GLib.Variant("(s)", (rule,)), None, Gio.DBusCallFlags.NONE, -1, None)
    return bus, received


def main():
    ticks, minutes, program = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL)
    try:
        app = find_app(proc.pid)
        edit = find(app, pyatspi.ROLE_TEXT)
        start = find(app, pyatspi.ROLE_PUSH_BUTTON, "开始")
        label = find(app, pyatspi.ROLE_LABEL, "剩余时间：0秒")
        _bus, received = stamp_name_changes(label.path)

        counts = []

        def on_name(event):
            match = CAPTION.match(event.source_name or "")  # the name comes with the event
            if match:
                counts.append(int(match.group(1)))
                if len(counts) >= ticks:
                    pyatspi.Registry.stop()

        def give_up():
            pyatspi.Registry.stop()
            return False

        pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
        edit.queryEditableText().setTextContents(minutes)
        start.queryAction().doAction(0)  # Press
        GLib.timeout_add_seconds(ticks + 30, give_up)
        pyatspi.Registry.start()
        if len(received) < len(counts):
            raise SystemExit(f"tick_observer: {len(counts)} texts but {len(received)} signals")
        print(json.dumps({"times": received[:len(counts)], "counts": counts}), flush=True)
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


if __name__ == "__main__":
    main()
