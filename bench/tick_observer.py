"""Times countdown ticks from outside the programs, through the accessibility layer.

    /usr/bin/python3 tick_observer.py [--repaintlog PATH] TICKS MINUTES PROGRAM...

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

With --repaintlog (bench/repaintlog.c), the windows are also set side by side, so that none
hides another's drawing, and each run gets "repaints": [[server ms, received s], ...], every
drawing into its window from just before the first press on, as the X server timed it.
"""

import json
import os
import re
import signal
import subprocess
import sys
import threading
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


def log_repaints(repaintlog, pids):
    """Sets the windows of pids side by side, starts repaintlog on them and gives its process
    and the list each window's [server ms, received s] pairs are added to."""
    windows = []
    for i, pid in enumerate(pids):
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True, timeout=30).stdout.split()
        windows.append(found[0])
        if i > 0:  # the programs open at the same place
            subprocess.run(["xdotool", "windowmove", "--sync", found[0], str(2 + 260 * i), "256"],
                           timeout=30)
    repaints = [[] for _ in windows]
    log = subprocess.Popen([repaintlog, *windows], stdout=subprocess.PIPE,
                           stdin=subprocess.DEVNULL, text=True)

    def read():
        for line in log.stdout:
            index, server_ms, received_ms = line.split()
            repaints[int(index)].append([int(server_ms), float(received_ms) / 1000])

    threading.Thread(target=read, daemon=True).start()
    time.sleep(0.5)  # the moves have been drawn
    for r in repaints:
        r.clear()
    return log, repaints


def main():
    args = sys.argv[1:]
    repaintlog = None
    if args[0] == "--repaintlog":
        repaintlog, args = args[1], args[2:]
    ticks, minutes, programs = int(args[0]), args[1], args[2:]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    procs = [subprocess.Popen([p], env=env, stdin=subprocess.DEVNULL) for p in programs]
    log = None
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
        if repaintlog:
            log, repaints = log_repaints(repaintlog, [proc.pid for proc in procs])
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
        if log:
            for run, r in zip(runs, repaints):
                run["repaints"] = list(r)
        print(json.dumps({"runs": runs}), flush=True)
    finally:
        if log:
            log.terminate()
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
