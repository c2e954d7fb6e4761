"""Closing the main window while it counts, the reminder at another screen size,
and a close request to the main window while the reminder is open."""

import time
import unittest

import harness
from harness import Rect, XSession, relative, wait_equal, wait_for
from program import (IDLE_CAPTION, MAIN_TITLE, REMINDER_TITLE, CaptionWatch, Running, reminder_frame_at,
                     time_texts_between)

SIZE = (1366, 768)


class ClosingWhileCounting(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.screen = cls.enterClassContext(XSession(*SIZE))
        cls.a11y = cls.screen.accessibility()

    def start_counting(self, app, minutes=None):
        if minutes is not None:
            app.set_minutes(minutes)
        app.click("start")
        wait_equal(lambda: (app.enabled("start"), app.enabled("stop")), (False, True), 5,
                   "开始 disabled and 停止 enabled after 开始")

    def test_tab_cycle_while_counting_is_stop_and_on_top(self):
        app = Running(self, self.screen, self.a11y)
        self.start_counting(app)
        seen = []
        for _ in range(4):
            before = app.focused()
            self.screen.key("Tab")
            seen.append(wait_for(lambda: app.focused() != before and app.focused(), 5, "the focus to move on Tab"))
        self.assertEqual(set(seen), {("push button", "停止"), ("check box", "置顶")}, seen)
        self.assertEqual(seen[0::2], seen[:1] * 2, seen)

    def test_closing_the_main_window_while_counting_ends_with_status_0(self):
        app = Running(self, self.screen, self.a11y)
        self.start_counting(app)  # four minutes
        watch = CaptionWatch(app)
        watch.until(lambda: watch.seconds()[-1] is not None and watch.seconds()[-1] <= 238, 10, "two ticks")
        self.screen.close_window(app.main)
        seen = []
        wait_for(lambda: seen.extend(app.reminders()) or app.proc.poll() is not None, 15,
                 "the program to end")
        self.assertEqual(app.proc.returncode, 0)
        self.assertEqual(seen, [], "a reminder appeared")

    def test_reminder_and_a_close_request_to_the_main_window(self):
        screen = self.screen
        frames = screen.map_log()
        self.addCleanup(frames.close)
        app = Running(self, screen, self.a11y)
        watch = CaptionWatch(app)
        self.start_counting(app, "1")
        reminder = watch.until(lambda: app.reminders(), 90, "the reminder window")[0]
        opened_by = time.time()
        opened_after = max(t for s, t in watch.reads if s is not None and s >= 2)

        frame = wait_for(lambda: frames.frame_of(reminder), 5, "the reminder's frame")
        self.assertEqual(frames.maps(frame)[:1], [reminder_frame_at(*SIZE)], "outer frame at its first map")
        self.assertTrue({"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"} <= screen.wm_state(reminder),
                        screen.wm_state(reminder))
        window = wait_for(lambda: app.window(REMINDER_TITLE), 10, "the reminder's accessible")
        label = window.find(role="label")
        self.assertIn(label["name"], time_texts_between(opened_after, opened_by))
        self.assertEqual(relative(label, window), Rect(-1, -1, 195, 73), "the time label's rectangle")

        # A close request from outside while the reminder is open: the program
        # neither crashes nor hangs, and the main window stays while the reminder is open.
        screen.close_window(app.main)
        watch.changed(3, 10, "the caption to go on changing after the close request")
        self.assertIsNone(app.proc.poll(), "the program ended while the reminder was open")
        self.assertEqual(screen.windows_titled(MAIN_TITLE, pid=app.pid), [app.main],
                         "the main window went away under the open reminder")
        self.assertEqual(app.reminders(), [reminder])

        # After the reminder closes, the request is either carried out (the
        # program ends with status 0) or was refused (the main window works on).
        screen.close_window(reminder)
        wait_equal(lambda: app.reminders(), [], 10, "the reminder to close")
        try:
            app.click("stop")
        except RuntimeError:
            pass  # the main window is already gone; the wait below tells how it ended
        wait_for(lambda: app.proc.poll() is not None or app.remaining() == IDLE_CAPTION, 10,
                 "the program to end, or the main window to stop on 停止")
        if app.proc.poll() is None:
            screen.close_window(app.main)
        self.assertEqual(app.exit_status(timeout=15), 0)


if __name__ == "__main__":
    harness.main()
