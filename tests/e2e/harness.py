"""Drive the real program from outside, as a user would.

Every session starts its own Xvfb on a free display (Xvfb picks the number and
reports it through -displayfd), its own D-Bus session bus for the accessibility
layer, and openbox as the window manager. Every process started here is ended by
its PID (D-Bus by its process group, which also holds the services it activated)
on every way out: the context managers, atexit, SIGTERM/SIGINT/SIGHUP, and
PR_SET_PDEATHSIG for the case that this process itself is killed.

Only the standard library is used; the accessibility tree is read by
atspi_agent.py, which runs under /usr/bin/python3 with pyatspi.
"""

import atexit
import ctypes
import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SYSTEM_PYTHON = "/usr/bin/python3"
TOOL_TIMEOUT = 20  # seconds for one call of an X tool

# --------------------------------------------------------------------------
# Process bookkeeping

_live = []  # (Popen, kill_group) in start order


def _prctl(option, value):
    return ctypes.CDLL(None, use_errno=True).prctl(option, value, 0, 0, 0)


# Processes that a D-Bus daemon starts (the accessibility bus and registry) are
# not our children; as a subreaper we inherit them when their parent ends, and
# can reap them by PID.
PR_SET_CHILD_SUBREAPER = 36
_prctl(PR_SET_CHILD_SUBREAPER, 1)


def _group_members(pgid):
    members = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if int(fields[2]) == pgid:
                members.append(int(entry))
    return members


def _reap(pids, timeout):
    """Kill and reap the given PIDs that were not started through Popen."""
    deadline = time.monotonic() + timeout
    for pid in pids:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            continue
        while time.monotonic() < deadline:
            try:
                if os.waitpid(pid, os.WNOHANG)[0]:
                    break
            except ChildProcessError:
                break  # not ours to reap (its own parent will)
            time.sleep(0.02)


def _die_with_parent():
    # Runs in the child between fork and exec: SIGKILL it when we die.
    PR_SET_PDEATHSIG = 1
    _prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def spawn(args, env, group=False, **kwargs):
    """Start a tracked child. group=True puts it (and whatever it starts) in a
    process group of its own, which stop() ends as a whole."""
    proc = subprocess.Popen(args, env=env, preexec_fn=_die_with_parent,
                            start_new_session=group, **kwargs)
    _live.append((proc, group))
    return proc


def _signal(proc, group, sig):
    try:
        if group:
            os.killpg(proc.pid, sig)
        else:
            proc.send_signal(sig)
    except (ProcessLookupError, PermissionError):
        pass


def stop(proc, grace=3.0):
    """End a tracked child by its PID (or its group) and reap it."""
    entry = next((e for e in _live if e[0] is proc), None)
    group = entry[1] if entry else False
    members = _group_members(proc.pid) if group else []
    if proc.poll() is None or group:
        _signal(proc, group, signal.SIGTERM)
        try:
            proc.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            pass
        # Group members may outlive the leader; the group id stays valid while any remain.
        _signal(proc, group, signal.SIGKILL)
        proc.wait()
    _reap([pid for pid in members if pid != proc.pid], timeout=2.0)
    for pipe in (proc.stdin, proc.stdout, proc.stderr):
        if pipe:
            try:
                pipe.close()
            except OSError:
                pass
    if entry:
        _live.remove(entry)


def stop_all():
    while _live:
        stop(_live[-1][0], grace=1.0)


def _on_signal(signum, _frame):
    stop_all()
    sys.stderr.write(f"e2e: ended by signal {signum}, started processes stopped\n")
    os._exit(128 + signum)


atexit.register(stop_all)
for _sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
    signal.signal(_sig, _on_signal)


# --------------------------------------------------------------------------
# Waiting

def wait_for(condition, timeout, what, interval=0.1):
    """Poll condition() until it returns something truthy and return that.
    On timeout fail with `what` and the last value seen."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError(f"timed out after {timeout}s waiting for {what}; last value: {value!r}")
        time.sleep(interval)


def wait_equal(get, expected, timeout, what, interval=0.1):
    """Poll get() until it returns expected; on timeout fail showing the last value."""
    seen = []

    def check():
        seen[:] = [get()]
        return seen[0] == expected

    try:
        wait_for(check, timeout, what, interval)
    except AssertionError:
        raise AssertionError(f"timed out after {timeout}s waiting for {what}: "
                             f"expected {expected!r}, last value {seen[0]!r}") from None


# --------------------------------------------------------------------------
# Geometry

class Rect(tuple):
    """x, y, width, height."""

    def __new__(cls, x, y, w, h):
        return super().__new__(cls, (x, y, w, h))

    x = property(lambda s: s[0])
    y = property(lambda s: s[1])
    w = property(lambda s: s[2])
    h = property(lambda s: s[3])

    def __repr__(self):
        return f"{self.w}x{self.h}+{self.x}+{self.y}"


# --------------------------------------------------------------------------
# The X session

class XSession:
    """Xvfb + D-Bus session + openbox, as a context manager."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self._procs = []
        self.tmp = None
        self.env = None

    # -- lifecycle

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self._stop()
            raise
        return self

    def __exit__(self, *exc):
        self._stop()
        return False

    def _track(self, proc):
        self._procs.append(proc)
        return proc

    def _start(self):
        self.tmp = tempfile.mkdtemp(prefix="vorlo-e2e-")
        os.chmod(self.tmp, 0o700)
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                            "QT_QPA_PLATFORM", "XAUTHORITY", "SESSION_MANAGER")}
        env.update(LC_ALL="C.UTF-8", XDG_RUNTIME_DIR=self.tmp, HOME=env.get("HOME", self.tmp))

        read_end, write_end = os.pipe()
        try:
            self._track(spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset"],
                              env, pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL))
            os.close(write_end)
            write_end = None
            number = self._read_line(read_end, timeout=30, what="Xvfb to report its display")
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        env["DISPLAY"] = ":" + number
        self.env = env

        bus = self._track(spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                env, group=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL))
        address = self._read_line(bus.stdout.fileno(), timeout=30, what="dbus-daemon to report its address")
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        # Ask for the accessibility layer explicitly instead of relying on its default.
        self.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                  "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                  "variant:boolean:true"])

        self._track(spawn(["openbox", "--sm-disable"], env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(self._wm_ready, 30, "openbox to announce itself (_NET_SUPPORTING_WM_CHECK)")

    @staticmethod
    def _read_line(fd, timeout, what):
        deadline = time.monotonic() + timeout
        data = b""
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise AssertionError(f"timed out waiting for {what}")
            chunk = os.read(fd, 256)
            if not chunk:
                raise AssertionError(f"{what}: the process ended first")
            data += chunk
        return data.decode().strip()

    def _wm_ready(self):
        out = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
        match = re.search(r"window id # (0x[0-9a-f]+)", out)
        if not match:
            return None
        # The check window must point at itself (EWMH), and name the WM.
        check = self.run(["xprop", "-id", match.group(1), "_NET_SUPPORTING_WM_CHECK", "_NET_WM_NAME"], check=False)
        return match.group(1) in check and "Openbox" in check

    def _stop(self):
        for proc in reversed(self._procs):
            stop(proc)
        self._procs.clear()
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    def launch(self, args, extra_env=None, **kwargs):
        """Start a process on this display; it is stopped with the session at the latest."""
        env = dict(self.env, **(extra_env or {}))
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        return self._track(spawn(args, env, **kwargs))

    def end(self, proc):
        stop(proc)
        if proc in self._procs:
            self._procs.remove(proc)

    def start_program(self, binary, arguments=()):
        return self.launch([binary, *arguments], extra_env={"QT_QPA_PLATFORM": "xcb",
                                                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})

    # -- X tools

    def run(self, args, check=True):
        res = subprocess.run(args, env=self.env, capture_output=True, text=True,
                             timeout=TOOL_TIMEOUT, stdin=subprocess.DEVNULL)
        if check and res.returncode != 0:
            raise RuntimeError(f"{' '.join(args)} failed ({res.returncode}): {res.stderr.strip()}")
        return res.stdout

    def _window_list(self, prop):
        out = self.run(["xprop", "-root", prop], check=False)
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", out.split("=", 1)[-1])]

    def client_list(self):
        """Managed windows, oldest first."""
        return self._window_list("_NET_CLIENT_LIST")

    def stacking(self):
        """Managed windows, bottom to top."""
        return self._window_list("_NET_CLIENT_LIST_STACKING")

    def active_window(self):
        ids = self._window_list("_NET_ACTIVE_WINDOW")
        return ids[0] if ids and ids[0] else None

    def prop(self, wid, name):
        """Raw xprop text after '=' (or None when the property is missing)."""
        out = self.run(["xprop", "-id", hex(wid), name], check=False)
        if "=" not in out:
            return None
        return out.split("=", 1)[1].strip()

    def title(self, wid):
        out = self.run(["xprop", "-id", hex(wid), "-notype", "_NET_WM_NAME"], check=False)
        match = re.search(r'= "(.*)"\s*$', out, re.S)
        return json.loads(f'"{match.group(1)}"') if match else None

    def pid_of(self, wid):
        value = self.prop(wid, "_NET_WM_PID")
        return int(value) if value else None

    def windows_titled(self, title, pid=None):
        return [w for w in self.client_list()
                if self.title(w) == title and (pid is None or self.pid_of(w) == pid)]

    def find_window(self, title, pid=None, timeout=20):
        """The one managed (mapped by the window manager) window with exactly this title."""
        found = wait_for(lambda: self.windows_titled(title, pid), timeout, f"a window titled {title!r}")
        if len(found) != 1:
            raise AssertionError(f"expected one window titled {title!r}, found {len(found)}")
        return found[0]

    def wm_state(self, wid):
        """Set of _NET_WM_STATE atom names."""
        return set(re.findall(r"_NET_WM_STATE_\w+", self.prop(wid, "_NET_WM_STATE") or ""))

    def allowed_actions(self, wid):
        return set(re.findall(r"_NET_WM_ACTION_\w+", self.prop(wid, "_NET_WM_ALLOWED_ACTIONS") or ""))

    def normal_hints(self, wid):
        """{'minimum': (w, h), 'maximum': (w, h), ...} from WM_NORMAL_HINTS."""
        out = self.run(["xprop", "-id", hex(wid), "WM_NORMAL_HINTS"], check=False)
        hints = {}
        for key, a, b in re.findall(r"program specified (\w+) size: (\d+) by (\d+)", out):
            hints[key] = (int(a), int(b))
        return hints

    def frame_extents(self, wid):
        value = self.prop(wid, "_NET_FRAME_EXTENTS")
        if not value:
            return None
        left, right, top, bottom = (int(v) for v in value.split(","))
        return left, right, top, bottom

    def client_geometry(self, wid):
        out = self.run(["xwininfo", "-id", hex(wid)])
        num = lambda key: int(re.search(key + r":\s+(-?\d+)", out).group(1))
        return Rect(num("Absolute upper-left X"), num("Absolute upper-left Y"), num("Width"), num("Height"))

    def frame_geometry(self, wid):
        """Outer frame, decorations included: the client's place on the screen
        widened by the window manager's _NET_FRAME_EXTENTS."""
        left, right, top, bottom = wait_for(lambda: self.frame_extents(wid), 5, "_NET_FRAME_EXTENTS")
        c = self.client_geometry(wid)
        return Rect(c.x - left, c.y - top, c.w + left + right, c.h + top + bottom)

    def is_viewable(self, wid):
        return "IsViewable" in self.run(["xwininfo", "-id", hex(wid)], check=False)

    def top_level_of(self, wid):
        """The child of the root window that holds wid (the window manager's frame)."""
        while True:
            out = self.run(["xwininfo", "-children", "-id", hex(wid)])
            root = int(re.search(r"Root window id: (0x[0-9a-f]+)", out).group(1), 16)
            parent = int(re.search(r"Parent window id: (0x[0-9a-f]+)", out).group(1), 16)
            if parent == root:
                return wid
            wid = parent

    # -- input

    def click(self, wid, x, y, button=1):
        """Click at client coordinates of wid."""
        # One xdotool call keeps move and click in order on one connection.
        # (mousemove --sync would wait for a motion that never comes when the
        # pointer is already there.)
        self.run(["xdotool", "mousemove", "--window", str(wid), str(x), str(y), "click", str(button)])

    def key(self, *keys):
        """Press keys (xdotool names such as Tab, shift+Tab, Escape, Return) in the focused window."""
        self.run(["xdotool", "key", "--clearmodifiers", *keys])

    def key_to(self, wid, *keys):
        """Send key events straight to wid (XSendEvent), whichever window has the
        focus: the program handles them without its window being activated."""
        self.run(["xdotool", "key", "--window", str(wid), *keys])

    def type_text(self, text):
        self.run(["xdotool", "type", "--clearmodifiers", "--delay", "50", text])

    def activate(self, wid):
        self.run(["wmctrl", "-i", "-a", hex(wid)])

    def close_window(self, wid):
        """Ask the window manager to close wid (as its close box does)."""
        self.run(["wmctrl", "-i", "-c", hex(wid)])

    def minimise(self, wid):
        self.run(["xdotool", "windowminimize", str(wid)])

    def screenshot(self, path):
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        self.run(["import", "-window", "root", path])
        return path

    def pixels(self, path, rect):
        """Grey levels (0..255) of rect in a picture file, as a list of rows."""
        res = subprocess.run(["convert", path, "-crop", f"{rect.w}x{rect.h}+{rect.x}+{rect.y}", "+repage",
                              "-colorspace", "Gray", "-depth", "8", "gray:-"],
                             capture_output=True, timeout=TOOL_TIMEOUT, check=True)
        data = res.stdout
        return [list(data[r * rect.w:(r + 1) * rect.w]) for r in range(rect.h)]

    # -- logs and accessibility

    def map_log(self):
        """Start logging the window manager's frames (children of the root window)."""
        return FrameLog(self)

    def structure_log(self, wid):
        """Start logging structure events (map, unmap, reparent, configure...) of one window."""
        return EventLog(self, ["-id", hex(wid), "-event", "structure"])

    def accessibility(self):
        return Accessibility(self)


# --------------------------------------------------------------------------
# Pictures

def glyph_problem(rows):
    """None when the picture (rows of grey levels) holds drawn text; otherwise
    what is wrong. A glyph missing from the fonts is drawn as an empty box whose
    strong ink lies in two rows, its top and bottom edges (its sides are thin
    and grey); Chinese glyphs spread their strokes over many rows. Measured on
    12-pixel text: drawn glyphs put at most 0.38 of their ink in their two
    fullest rows, boxes 0.49 even among real digits, 1.0 alone."""
    values = [v for row in rows for v in row]
    background = max(set(values), key=values.count)
    contrast = max(abs(v - background) for v in values)
    if contrast < 25:
        return "no text drawn"
    per_row = sorted((sum(abs(v - background) > contrast // 2 for v in row) for row in rows), reverse=True)
    total = sum(per_row)
    share = (per_row[0] + per_row[1]) / max(total, 1)
    if share > 0.45:
        return f"{share:.0%} of the ink in two rows: empty boxes instead of glyphs"
    if total < 20:
        return f"hardly any ink ({total} pixels)"
    return None


# --------------------------------------------------------------------------
# Event logs (xev)

_EVENT_HEAD = re.compile(r"^(\w+) event, serial \d+, synthetic (YES|NO), window (0x[0-9a-f]+),", re.M)


class EventLog:
    """xev running in the background; events() parses what it printed so far."""

    def __init__(self, session, args):
        self.session = session
        self.path = os.path.join(session.tmp, f"xev-{time.monotonic_ns()}.log")
        self._out = open(self.path, "w")
        self.proc = session.launch(["xev", *args, "-event", "property"], stdout=self._out,
                                   stderr=subprocess.DEVNULL)
        # xev prints nothing until its first event: change a property of the
        # watched window and wait until that shows, so no later event is missed.
        target = args[args.index("-id") + 1] if "-id" in args else None
        where = ["-id", target] if target else ["-root"]
        def synced():
            session.run(["xprop", *where, "-f", "_VORLO_E2E_SYNC", "8s", "-set", "_VORLO_E2E_SYNC", "sync"])
            return "_VORLO_E2E_SYNC" in self._text()
        wait_for(synced, 10, "xev to start", interval=0.05)

    def _text(self):
        with open(self.path) as f:
            return f.read()

    def events(self):
        """List of (type, synthetic, fields) where fields holds the numbers xev printed."""
        text = self._text()
        starts = [m.start() for m in _EVENT_HEAD.finditer(text)] + [len(text)]
        events = []
        for a, b in zip(starts, starts[1:]):
            block = text[a:b]
            head = _EVENT_HEAD.match(block)
            fields = {"kind": head.group(1), "synthetic": head.group(2) == "YES"}
            for key in ("window", "parent", "event"):
                for m in re.finditer(rf"\b{key} (0x[0-9a-f]+)", block):
                    fields[key] = int(m.group(1), 16)  # the last mention is the subject window
            m = re.search(r"\((-?\d+),(-?\d+)\), width (\d+), height (\d+)", block)
            if m:
                fields["rect"] = Rect(*(int(v) for v in m.groups()))
            m = re.search(r"border_width (\d+)", block)
            if m:
                fields["border"] = int(m.group(1))
            events.append(fields)
        return events

    def close(self):
        self.session.end(self.proc)
        self._out.close()


class FrameLog(EventLog):
    """Structure events of the root window's children: the window manager's frames."""

    def __init__(self, session):
        super().__init__(session, ["-root", "-event", "substructure"])

    def frame_of(self, client):
        """The frame that client was reparented into (per the log)."""
        for ev in self.events():
            if ev["kind"] == "ReparentNotify" and ev.get("window") == client:
                return ev["parent"]
        return None

    def maps(self, frame):
        """For each MapNotify of frame: the outer rectangle it had at that moment
        (border included), from the last CreateNotify/ConfigureNotify before it."""
        rect, result = None, []
        for ev in self.events():
            if ev.get("window") != frame:
                continue
            if ev["kind"] in ("CreateNotify", "ConfigureNotify") and "rect" in ev:
                r, b = ev["rect"], ev.get("border", 0)
                rect = Rect(r.x, r.y, r.w + 2 * b, r.h + 2 * b)
            elif ev["kind"] == "MapNotify":
                result.append(rect)
        return result

    def configures_after_first_map(self, frame):
        """Outer rectangles of the frame's ConfigureNotify events after its first map."""
        mapped, result = False, []
        for ev in self.events():
            if ev.get("window") != frame:
                continue
            if ev["kind"] == "MapNotify":
                mapped = True
            elif mapped and ev["kind"] == "ConfigureNotify":
                r, b = ev["rect"], ev.get("border", 0)
                result.append(Rect(r.x, r.y, r.w + 2 * b, r.h + 2 * b))
        return result


# --------------------------------------------------------------------------
# Accessibility (AT-SPI through pyatspi in a helper process)

class Node(dict):
    """One accessible: role, name, states, extents (x, y, w, h on the screen),
    text (edit boxes), children."""

    def walk(self):
        yield self
        for child in self["children"]:
            yield from child.walk()

    def find(self, role=None, name=None):
        for node in self.walk():
            if (role is None or node["role"] == role) and (name is None or node["name"] == name):
                return node
        return None

    def find_all(self, role=None, name=None):
        return [n for n in self.walk()
                if (role is None or n["role"] == role) and (name is None or n["name"] == name)]

    @property
    def states(self):
        return set(self["states"])

    @property
    def extents(self):
        return Rect(*self["extents"])


class Accessibility:
    """A long-running /usr/bin/python3 helper with pyatspi on this session's bus."""

    def __init__(self, session):
        self.session = session
        self.proc = session.launch([SYSTEM_PYTHON, os.path.join(HERE, "atspi_agent.py")],
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)

    def _ask(self, request):
        self.proc.stdin.write(json.dumps(request) + "\n")
        self.proc.stdin.flush()
        if not select.select([self.proc.stdout], [], [], TOOL_TIMEOUT)[0]:
            raise AssertionError(f"the AT-SPI helper did not answer {request}")
        line = self.proc.stdout.readline()
        if not line:
            raise AssertionError("the AT-SPI helper ended")
        return json.loads(line)

    def windows(self, pid):
        """Top-level accessibles of the application with this PID ([] if not registered yet)."""
        reply = self._ask({"pid": pid})
        return [self._node(w) for w in reply]

    def window(self, pid, title, timeout=20):
        def look():
            found = [w for w in self.windows(pid) if w["name"] == title]
            return found[0] if found else None
        return wait_for(look, timeout, f"the accessible of window {title!r}", interval=0.2)

    def _node(self, raw):
        raw["children"] = [self._node(c) for c in raw["children"]]
        return Node(raw)

    def close(self):
        self.session.end(self.proc)


def relative(node, window):
    """node's rectangle in the client coordinates of its window."""
    n, w = node.extents, window.extents
    return Rect(n.x - w.x, n.y - w.y, n.w, n.h)


# --------------------------------------------------------------------------
# Running a test module

PROGRAM = None  # path of the program under test, set by main()


def main():
    """Entry of every test module: python3 test_xxx.py <path-to-vorlo> [unittest options]."""
    global PROGRAM
    import unittest
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        sys.stderr.write(f"usage: {sys.argv[0]} <path-to-vorlo> [unittest options]\n")
        sys.exit(2)
    PROGRAM = os.path.abspath(sys.argv[1])
    unittest.main(module="__main__", argv=[sys.argv[0], *sys.argv[2:]], verbosity=2)


def artifact(name):
    """Path for a file kept for people to look at (under the working directory,
    which CTest sets to the build directory of these tests)."""
    folder = os.path.join(os.getcwd(), "e2e-artifacts")
    os.makedirs(folder, exist_ok=True)
    return os.path.join(folder, name)
