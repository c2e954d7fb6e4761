"""Times countdown ticks from outside the programs, through the accessibility layer.

    /usr/bin/python3 tick_observer.py TICKS MINUTES PROGRAM...

Run on a D-Bus session of its own (dbus-run-session) on the display to use. Starts each PROGRAM
with the accessibility bridge on, writes MINUTES into its edit box and presses its start button
(开始), half a second after the one before, so that the programs count side by side on the same
machine without ticking at the same moment. Each new text of a remaining-time label
(剩余时间：N秒) is timed with time.monotonic() when its name-change signal reaches this process:
a filter on a connection of its own to the accessibility bus stamps it in the thread that reads
the socket, before anything else handles it (pyatspi's own delivery adds milliseconds of
jitter). pyatspi gives the texts, and its listener is what makes the programs send these
signals at all. After TICKS texts of each, the programs are ended and one JSON line printed:
{"runs": [{"times": [seconds...], "counts": [N...]}, ...]}, in the order of the programs.
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


def key_of(accessible):
    """What tells an object apart on the bus: the programs are alike, so their objects can have
    the same path, and only the sender's bus name differs."""
    return accessible.app.bus_name, accessible.path


def stamp_name_changes(received):
    """A connection to the accessibility bus (keep it open) that adds the receipt time of each
    name-change signal of an object whose key (sender, path) is in received to that key's list."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1,
                                None).unpack()[0]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def stamp(_bus, message, incoming, *_):
        if incoming and message.get_member() == "PropertyChange":
            now = time.monotonic()
            times = received.get((message.get_sender(), message.get_path()))
            if times is not None and message.get_body()[0] == "accessible-name":
                times.append(now)
        return message

    bus.add_filter(stamp, None)
    rule = "type='signal',interface='org.a11y.atspi.Event.Object',member='PropertyChange'"
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "AddMatch", GLib.Variant("(s)", (rule,)), None, Gio.DBusCallFlags.NONE, -1, None)
    return bus


def main():
    ticks, minutes, programs = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    procs = [subprocess.Popen([p], env=env, stdin=subprocess.DEVNULL) for p in programs]
    try:
        controls = []  # (edit box, start button, label key) of each program
        for proc in procs:
            app = find_app(proc.pid)
            controls.append((find(app, pyatspi.ROLE_TEXT),
                             find(app, pyatspi.ROLE_PUSH_BUTTON, "开始"),
                             key_of(find(app, pyatspi.ROLE_LABEL, "剩余时间：0秒"))))
        received = {key: [] for _, _, key in controls}
        counts = {key: [] for _, _, key in controls}
        _bus = stamp_name_changes(received)

        def on_name(event):
            match = CAPTION.match(event.source_name or "")  # the name comes with the event
            key = key_of(event.source)
            if match and key in counts:
                counts[key].append(int(match.group(1)))
                if all(len(c) >= ticks for c in counts.values()):
                    pyatspi.Registry.stop()

        def give_up():
            pyatspi.Registry.stop()
            return False

        pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
        for i, (edit, start, _) in enumerate(controls):
            if i > 0:
                time.sleep(0.5)
            edit.queryEditableText().setTextContents(minutes)
            start.queryAction().doAction(0)  # Press
        GLib.timeout_add_seconds(ticks + 30, give_up)
        pyatspi.Registry.start()
        runs = []
        for _, _, key in controls:
            n = min(ticks, len(counts[key]))
            if len(received[key]) < n:
                raise SystemExit(f"tick_observer: {n} texts but {len(received[key])} signals")
            runs.append({"times": received[key][:n], "counts": counts[key][:n]})
        print(json.dumps({"runs": runs}), flush=True)
    finally:
        for proc in procs:
            proc.send_signal(signal.SIGTERM)
        for proc in procs:
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()


if __name__ == "__main__":
    main()
