"""What the tests know about Vorlo's windows, and a handle on one running copy."""

import subprocess
import time

import harness
from harness import Rect, relative, wait_for

MAIN_TITLE = "Vorlo 1.1"
REMINDER_TITLE = "提醒："
MAIN_FRAME_SIZE = (186, 123)
REMINDER_FRAME_SIZE = (200, 100)
IDLE_CAPTION = "剩余时间：0秒"

# The main window's controls: accessible role, accessible name, rectangle in
# client coordinates. The edit box is named by its contents, not its name.
CONTROLS = {
    "onTop": ("check box", "置顶", Rect(126, 34, 44, 20)),
    "remaining": ("label", IDLE_CAPTION, Rect(4, 34, 112, 20)),
    "stop": ("push button", "停止", Rect(95, 62, 80, 30)),
    "start": ("push button", "开始", Rect(6, 62, 80, 30)),
    "minutesLabel": ("label", "分钟提醒。", Rect(94, 6, 55, 20)),
    "minutes": ("text", "", Rect(53, 6, 36, 20)),
    "every": ("label", "每隔", Rect(22, 6, 25, 20)),
}


def main_frame_at(width, height):
    return Rect(2, height // 3, *MAIN_FRAME_SIZE)


def reminder_frame_at(width, height):
    return Rect((width - 200) // 2, (height - 100) // 2, *REMINDER_FRAME_SIZE)


def seconds_in(text):
    """The number in a remaining-time caption, or None for any other text."""
    if text and text.startswith("剩余时间：") and text.endswith("秒"):
        try:
            return int(text[len("剩余时间："):-1])
        except ValueError:
            return None
    return None


def time_text(t):
    """Local time t (struct_time) as the reminder writes it: no leading zeros,
    trailing zero fields of the time of day left out."""
    text = f"{t.tm_year}年{t.tm_mon}月{t.tm_mday}日"
    if t.tm_sec:
        return text + f"{t.tm_hour}时{t.tm_min}分{t.tm_sec}秒"
    if t.tm_min:
        return text + f"{t.tm_hour}时{t.tm_min}分"
    if t.tm_hour:
        return text + f"{t.tm_hour}时"
    return text


def time_texts_between(start, end):
    """Every text the reminder may show when opened between the epoch
    seconds start and end (both read from the clock around the opening)."""
    return {time_text(time.localtime(s)) for s in range(int(start), int(end) + 1)}


class Running:
    """One started copy of the program on a session; ended by the test's cleanup."""

    def __init__(self, test, screen, a11y, arguments=()):
        self.screen, self.a11y = screen, a11y
        self.proc = screen.start_program(harness.PROGRAM, arguments)
        test.addCleanup(screen.end, self.proc)
        self.main = screen.find_window(MAIN_TITLE, pid=self.proc.pid)
        self.pid = self.proc.pid
        a11y.window(self.pid, MAIN_TITLE)  # registered with the accessibility layer

    # -- reading the user interface

    def window(self, title=MAIN_TITLE):
        """Fresh accessible tree of one of the program's windows (None if absent)."""
        found = [w for w in self.a11y.windows(self.pid) if w["name"] == title]
        return found[0] if found else None

    def find_control(self, key, window):
        role, _, rect = CONTROLS[key]
        for node in window.find_all(role=role):
            if relative(node, window)[:2] == rect[:2]:
                return node
        return None

    def control(self, key, window=None):
        """Fresh accessible of a main-window control, found by its place."""
        window = window or self.window()
        if window is None:
            raise AssertionError("the main window is not in the accessibility tree")
        node = self.find_control(key, window)
        if node is None:
            role, _, rect = CONTROLS[key]
            present = [(n["name"], relative(n, window)) for n in window.find_all(role=role)]
            raise AssertionError(f"no {role} at {rect} in the main window; {role}s there: {present}")
        return node

    def remaining(self):
        """The remaining-time caption, or None when the main window is gone."""
        window = self.window()
        node = self.find_control("remaining", window) if window else None
        return node["name"] if node else None

    def reminders(self):
        """The X windows of this copy's reminders."""
        return self.screen.windows_titled(REMINDER_TITLE, pid=self.pid)

    def focused(self):
        """(role, name) of the control of the main window that has the focus."""
        window = self.window()
        for node in window.walk():
            if "focused" in node.states and node is not window:
                return node["role"], node["name"]
        return None

    def enabled(self, key):
        return "enabled" in self.control(key).states

    def checked(self):
        return "checked" in self.control("onTop").states

    # -- acting as a user

    def click(self, key, wid=None):
        rect = CONTROLS[key][2]
        self.screen.click(wid or self.main, rect.x + rect.w // 2, rect.y + rect.h // 2)

    def set_minutes(self, text):
        """Click into the minutes box, select everything and type text."""
        self.click("minutes")
        wait_for(lambda: self.focused() == ("text", ""), 10, "the minutes box to take the focus")
        self.screen.key("ctrl+a")
        self.screen.type_text(text)
        wait_for(lambda: self.control("minutes")["text"] == text, 10, f"the minutes box to read {text!r}")

    def exit_status(self, timeout):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end within {timeout}s") from None


class CaptionWatch:
    """Reads the remaining-time caption again and again. Keeps every read as
    (seconds, wall-clock time just before the read), and the changes."""

    def __init__(self, app):
        self.app = app
        self.reads = []
        self.changes = []

    def poll(self):
        before = time.time()
        text = self.app.remaining()
        if text is None:
            raise AssertionError("the main window's caption cannot be read: is the window gone?")
        seconds = seconds_in(text)
        self.reads.append((seconds, before))
        if not self.changes or self.changes[-1] != seconds:
            self.changes.append(seconds)
        return seconds

    def until(self, condition, timeout, what):
        """Keep reading until condition() is truthy; return its value."""
        def step():
            self.poll()
            return condition()
        return wait_for(step, timeout, what, interval=0.2)

    def seconds(self, since=0):
        """The caption's values (None for other texts), change by change."""
        return self.changes[since:]

    def changed(self, times, timeout, what):
        """Wait until the caption has changed `times` more times."""
        start = len(self.changes)
        return self.until(lambda: len(self.changes) - start >= times, timeout, what)
