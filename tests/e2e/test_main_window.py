"""The main window as the window manager and the accessibility layer see it,
at several screen sizes (one Xvfb + openbox per size)."""

import unittest

import harness
from harness import XSession, relative, wait_for
from program import CONTROLS, IDLE_CAPTION, MAIN_TITLE, Running, main_frame_at


class MainWindowAtSize(unittest.TestCase):
    size = None  # (width, height), set by the subclasses below

    @classmethod
    def setUpClass(cls):
        cls.screen = cls.enterClassContext(XSession(*cls.size))
        cls.a11y = cls.screen.accessibility()

    def start(self, arguments=()):
        return Running(self, self.screen, self.a11y, arguments)

    def test_first_map_puts_the_outer_frame_in_place(self):
        log = self.screen.map_log()
        self.addCleanup(log.close)
        app = self.start()
        expected = main_frame_at(*self.size)

        frame = wait_for(lambda: log.frame_of(app.main), 5, "the window manager to frame the window")
        maps = log.maps(frame)
        self.assertEqual(maps[:1], [expected], "outer frame at its first map")
        self.assertEqual(len(maps), 1, f"the frame was mapped more than once: {maps}")
        self.assertEqual(self.screen.frame_geometry(app.main), expected, "outer frame measured now")
        moved = [r for r in log.configures_after_first_map(frame) if r != expected]
        self.assertEqual(moved, [], "the frame changed place or size after its first map")
        self.assertEqual(self.screen.title(app.main), MAIN_TITLE)

    def test_fixed_size_with_a_task_bar_entry_and_not_on_top(self):
        app = self.start()
        wid = app.main
        hints = self.screen.normal_hints(wid)
        self.assertIn("minimum", hints, "WM_NORMAL_HINTS has no minimum size")
        self.assertEqual(hints.get("minimum"), hints.get("maximum"), "minimum and maximum size differ")
        actions = self.screen.allowed_actions(wid)
        self.assertTrue({"_NET_WM_ACTION_CLOSE", "_NET_WM_ACTION_MINIMIZE"} <= actions, actions)
        forbidden = {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"}
        self.assertEqual(actions & forbidden, set(), "the window manager may resize or maximise it")

        state = self.screen.wm_state(wid)
        self.assertNotIn("_NET_WM_STATE_SKIP_TASKBAR", state)
        self.assertNotIn("_NET_WM_STATE_ABOVE", state, "on top at start-up")
        self.assertIsNone(self.screen.prop(wid, "WM_TRANSIENT_FOR"), "a transient window loses its task-bar entry")
        window_type = self.screen.prop(wid, "_NET_WM_WINDOW_TYPE")
        self.assertIn(window_type, (None, "_NET_WM_WINDOW_TYPE_NORMAL"))

    def test_controls_texts_places_and_start_states(self):
        app = self.start()
        window = app.window()
        for key, (role, name, rect) in CONTROLS.items():
            with self.subTest(control=key):
                node = app.control(key, window)
                self.assertEqual(relative(node, window), rect)
                if role == "text":
                    self.assertEqual(node["text"], "4")
                else:
                    self.assertEqual(node["name"], name)
        self.assertIn("enabled", app.control("start", window).states)
        self.assertNotIn("enabled", app.control("stop", window).states)
        self.assertNotIn("checked", app.control("onTop", window).states)
        self.assertEqual(app.control("remaining", window)["name"], IDLE_CAPTION)
        self.assertEqual(app.focused(), ("push button", "开始"), "focus at start-up")

    def test_the_toolkits_command_line_options_change_nothing(self):
        app = self.start(["-platform", "offscreen", "-geometry", "400x300+500+500", "-reverse",
                          "-style", "windows", "-title", "other"])
        self.assertEqual(self.screen.frame_geometry(app.main), main_frame_at(*self.size))
        self.assertEqual(self.screen.title(app.main), MAIN_TITLE)
        window = app.window()
        for key, (_, _, rect) in CONTROLS.items():
            with self.subTest(control=key):
                self.assertEqual(relative(app.control(key, window), window), rect)

    def test_window_manager_close_ends_the_process_with_status_0(self):
        app = self.start()
        self.screen.close_window(app.main)
        self.assertEqual(app.exit_status(timeout=15), 0)


SIZES = [(1920, 1080), (1366, 768), (800, 600)]
for _w, _h in SIZES:
    _name = f"MainWindowAt{_w}x{_h}"
    globals()[_name] = type(_name, (MainWindowAtSize,), {"size": (_w, _h)})
del MainWindowAtSize  # the base has no size; only the sized copies run

if __name__ == "__main__":
    harness.main()
