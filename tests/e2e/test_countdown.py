"""One whole countdown cycle with a one-minute interval: counting, the reminder
at the 60th tick, ticks going on while it is open, a second zero with the
reminder still open, closing it, and stopping. Takes a little over two minutes."""

import time
import unittest

import harness
from harness import XSession, wait_equal, wait_for
from program import (IDLE_CAPTION, REMINDER_TITLE, CaptionWatch, Running, reminder_frame_at,
                     time_texts_between)

SIZE = (1920, 1080)
ABOVE = "_NET_WM_STATE_ABOVE"
SKIP_TASKBAR = "_NET_WM_STATE_SKIP_TASKBAR"
HIDDEN = "_NET_WM_STATE_HIDDEN"


class CountdownCycle(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.screen = cls.enterClassContext(XSession(*SIZE))
        cls.a11y = cls.screen.accessibility()

    def time_label(self, app):
        window = app.window(REMINDER_TITLE)
        labels = window.find_all(role="label") if window else []
        return labels[0]["name"] if len(labels) == 1 else labels

    def test_whole_cycle(self):
        screen = self.screen
        frames = screen.map_log()
        self.addCleanup(frames.close)
        app = Running(self, screen, self.a11y)
        watch = CaptionWatch(app)

        # Start with a one-minute interval.
        app.set_minutes("1")
        app.click("start")
        started = time.monotonic()
        wait_equal(lambda: (app.enabled("start"), app.enabled("stop")), (False, True), 5,
                   "开始 disabled and 停止 enabled after 开始")

        # Count down once a second until the 60th tick opens the reminder.
        reminder = watch.until(lambda: app.reminders(), 90, "the reminder window")[0]
        opened_by = time.time()
        elapsed = time.monotonic() - started
        counted = watch.seconds()
        self.assertEqual(counted[0], 0, "the caption changed before the first tick")
        counted = counted[1:]
        self.assertNotIn(None, counted, "a caption not of the form 剩余时间：N秒")
        self.assertEqual(counted[:1], [59], "first tick")
        self.assertEqual(counted[-1:], [1], "caption when the reminder opened")
        self.assertEqual(counted, sorted(set(counted), reverse=True), "the caption did not count down")
        self.assertGreaterEqual(len(counted), 55, f"too few steps between 59 and 1: {counted}")
        self.assertGreater(elapsed, 58, "the reminder came before the 60th tick of a one-second timer")
        self.assertLess(elapsed, 80, "the reminder came long after the 60th tick")
        # The window opened after the last read that still showed 2 seconds or more.
        opened_after = max(t for s, t in watch.reads if s is not None and s >= 2)

        # The reminder: centred outer frame from its first map, on top, no task-bar entry.
        state = screen.wm_state(reminder)
        self.assertIn(ABOVE, state)
        self.assertIn(SKIP_TASKBAR, state)
        self.assertEqual(screen.title(reminder), REMINDER_TITLE)
        frame = wait_for(lambda: frames.frame_of(reminder), 5, "the reminder's frame")
        self.assertEqual(frames.maps(frame)[:1], [reminder_frame_at(*SIZE)], "outer frame at its first map")
        self.assertEqual(screen.frame_geometry(reminder), reminder_frame_at(*SIZE), "outer frame now")
        self.assertNotIn(ABOVE, screen.wm_state(app.main), "the main window took the reminder's band")

        first_text = wait_for(lambda: self.time_label(app), 10, "the reminder's time label")
        self.assertIn(first_text, time_texts_between(opened_after, opened_by),
                      "the reminder does not show the local time of its opening")
        client = screen.client_geometry(reminder)
        path = screen.screenshot(harness.artifact(f"reminder-{SIZE[0]}x{SIZE[1]}.png"))
        problem = harness.glyph_problem(screen.pixels(path, harness.Rect(client.x + 2, client.y + 2,
                                                                          client.w - 4, client.h - 4)))
        self.assertIsNone(problem, f"the reminder's text in {path}")

        # Ticks go on with the next interval; the main window takes no clicks.
        mark = len(watch.changes) - 1
        watch.changed(2, 10, "the caption to go on changing")
        self.assertEqual(watch.seconds(mark)[:3], [1, 59, 58], "after the zero the next interval counts on")
        app.click("stop")
        app.click("onTop")
        mark = len(watch.changes)
        watch.changed(2, 10, "the caption to go on changing after clicks on the main window")
        self.assertTrue(all(s and s > 0 for s in watch.seconds(mark)), watch.seconds(mark))
        self.assertFalse(app.checked(), "the on-top box took a click while the reminder was open")
        self.assertNotIn(ABOVE, screen.wm_state(app.main))
        self.assertEqual(app.reminders(), [reminder])

        # Activating the disabled main window (its caption clicked, a task bar) hands the
        # activation back to the reminder, as a modal window keeps it.
        screen.activate(app.main)
        time.sleep(0.5)  # let the window manager carry the request out first
        wait_equal(screen.active_window, reminder, 5, "the reminder to take the activation back")

        # Esc and Enter leave the reminder open.
        screen.activate(reminder)
        wait_equal(screen.active_window, reminder, 5, "the reminder to be active")
        screen.key("Escape")
        screen.key("Return")
        watch.changed(1, 5, "the next tick")
        self.assertEqual(app.reminders(), [reminder], "Esc or Enter closed the reminder")

        # Minimised and left open, it comes back at the second zero: still one window, same text.
        screen.minimise(reminder)
        wait_for(lambda: HIDDEN in screen.wm_state(reminder), 5, "the reminder to be minimised")
        mark = len(watch.changes)
        watch.until(lambda: 1 in watch.seconds(mark) and watch.seconds(mark)[-1] != 1, 75, "the second zero")
        self.assertEqual(watch.seconds(mark)[-2:], [1, 59], "the second interval ended")
        self.assertEqual(app.reminders(), [reminder], "a second reminder window or a new one")
        self.assertEqual(self.time_label(app), first_text, "the reminder's time changed at the second zero")
        with self.subTest("an open minimised reminder is restored at the next zero"):
            wait_for(lambda: HIDDEN not in screen.wm_state(reminder) and screen.is_viewable(reminder), 5,
                     "the reminder to be restored")

        # Closing the reminder makes the main window usable at once: 停止 brings it back to idle.
        screen.close_window(reminder)
        wait_equal(lambda: app.reminders(), [], 10, "the reminder to close")
        app.click("stop")
        wait_equal(lambda: (app.remaining(), app.enabled("start"), app.enabled("stop")),
                   (IDLE_CAPTION, True, False), 5, "idle after 停止")
        time.sleep(2.5)  # no tick may come any more
        self.assertEqual(app.remaining(), IDLE_CAPTION, "the caption changed after 停止")
        self.assertEqual(app.reminders(), [])

        screen.close_window(app.main)
        self.assertEqual(app.exit_status(timeout=15), 0)


if __name__ == "__main__":
    harness.main()
