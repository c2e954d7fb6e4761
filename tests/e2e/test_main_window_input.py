"""Mouse and keyboard on the main window: the on-top box, focus and Tab, Esc/Enter/F1,
and what a screenshot shows."""

import subprocess
import unittest

import harness
from harness import XSession, wait_equal, wait_for
from program import CONTROLS, IDLE_CAPTION, Running

ABOVE = "_NET_WM_STATE_ABOVE"
LOST = {"UnmapNotify", "MapNotify", "ReparentNotify", "DestroyNotify"}
START = ("push button", "开始")
ON_TOP = ("check box", "置顶")
EDIT = ("text", "")


class OnTopBox(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.screen = cls.enterClassContext(XSession(1920, 1080))
        cls.a11y = cls.screen.accessibility()

    def other_window(self):
        """Another program's window away from the main window; it becomes active."""
        before = set(self.screen.client_list())
        other = self.screen.launch(["xmessage", "-geometry", "+900+100", "another window"],
                                   stderr=subprocess.DEVNULL)
        self.addCleanup(self.screen.end, other)
        wid = wait_for(lambda: set(self.screen.client_list()) - before, 10, "the other window").pop()
        wait_equal(self.screen.active_window, wid, 10, "the other window to become active")
        return wid

    def above(self, wid):
        return ABOVE in self.screen.wm_state(wid)

    def test_clicks_toggle_keep_above_in_place(self):
        app = Running(self, self.screen, self.a11y)
        self.assertFalse(self.above(app.main), "on top at start-up")
        other = self.other_window()
        frame = self.screen.frame_geometry(app.main)
        log = self.screen.structure_log(app.main)
        self.addCleanup(log.close)
        for clicks, on in ((1, True), (2, False), (3, True)):
            with self.subTest(click=clicks):
                app.click("onTop")
                wait_equal(lambda: self.above(app.main), on, 5, f"_NET_WM_STATE_ABOVE after click {clicks}")
                wait_equal(app.checked, on, 5, f"the box checked after click {clicks}")
                self.assertEqual(self.screen.frame_geometry(app.main), frame, "the window moved")
                self.assertTrue(self.screen.is_viewable(app.main), "the window is not mapped")
                if on:
                    order = self.screen.stacking()
                    self.assertGreater(order.index(app.main), order.index(other), "not above the other window")
        lost = [e["kind"] for e in log.events() if e["kind"] in LOST]
        self.assertEqual(lost, [], "the main window was unmapped, re-mapped or re-parented")

    def test_toggling_leaves_another_active_window_active(self):
        # A click into an inactive Qt window activates it by itself, so here the
        # space bar is sent straight to the main window while the other window
        # stays active: any activation now comes from the program.
        app = Running(self, self.screen, self.a11y)
        self.screen.key("Tab")
        wait_equal(app.focused, ON_TOP, 5, "focus on 置顶")
        other = self.other_window()
        # Qt handles losing the focus a little later; a key pressed before that
        # would be cut off by it.
        wait_for(lambda: "active" not in app.window().states, 5, "the program to see its window inactive")
        for on in (True, False, True):
            with self.subTest(on=on):
                self.screen.key_to(app.main, "space")
                wait_equal(lambda: self.above(app.main), on, 5, "_NET_WM_STATE_ABOVE after the space bar")
                self.assertEqual(self.screen.active_window(), other, "the active window changed")
                if on:
                    order = self.screen.stacking()
                    self.assertGreater(order.index(app.main), order.index(other), "not above the other window")

    def test_space_on_the_focused_box_toggles_keep_above(self):
        app = Running(self, self.screen, self.a11y)
        wait_equal(app.focused, START, 5, "focus on 开始")
        self.screen.key("Tab")
        wait_equal(app.focused, ON_TOP, 5, "focus on 置顶")
        for on in (True, False):
            self.screen.key("space")
            wait_equal(lambda: self.above(app.main), on, 5, "_NET_WM_STATE_ABOVE after the space bar")




class FocusAndKeys(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.screen = cls.enterClassContext(XSession(1366, 768))
        cls.a11y = cls.screen.accessibility()

    def setUp(self):
        self.app = Running(self, self.screen, self.a11y)
        self.screen.activate(self.app.main)
        wait_equal(self.screen.active_window, self.app.main, 5, "the main window to be active")

    def focus_after(self, key, expected):
        self.screen.key(key)
        wait_equal(self.app.focused, expected, 5, f"the focus after {key}")

    def test_focus_starts_on_start_and_tab_cycles_between_start_and_on_top(self):
        self.assertEqual(self.app.focused(), START)
        for key, expected in (("Tab", ON_TOP), ("Tab", START), ("shift+Tab", ON_TOP), ("shift+Tab", START)):
            self.focus_after(key, expected)

    def test_minutes_box_takes_focus_only_by_click(self):
        for key, expected in (("Tab", START), ("shift+Tab", ON_TOP)):
            with self.subTest(key=key):
                self.app.click("minutes")
                wait_equal(self.app.focused, EDIT, 5, "the focus after a click into the minutes box")
                self.focus_after(key, expected)

    def test_escape_enter_and_f1_do_nothing(self):
        # Each key is followed by Tab: once the Tab has moved the focus, the key
        # before it has been handled, and the focus shows that it moved nothing.
        clients = set(self.screen.client_list())
        for start, key, after_tab in ((START, "Escape", ON_TOP), (ON_TOP, "Escape", START),
                                      (START, "Return", ON_TOP), (ON_TOP, "Return", START),
                                      (START, "KP_Enter", ON_TOP), (START, "F1", ON_TOP),
                                      (EDIT, "Escape", START), (EDIT, "Return", START)):
            with self.subTest(focus=start, key=key):
                if start == EDIT:
                    self.app.click("minutes")
                elif self.app.focused() != start:
                    self.screen.key("Tab")
                wait_equal(self.app.focused, start, 5, "the focus before the key")
                self.screen.key(key)
                self.focus_after("Tab", after_tab)
                self.assertIsNone(self.app.proc.poll(), "the program ended")
                self.assertEqual(set(self.screen.client_list()), clients, "windows opened or closed")
                window = self.app.window()
                self.assertIn("enabled", self.app.control("start", window).states, "开始 was clicked")
                self.assertNotIn("enabled", self.app.control("stop", window).states)
                self.assertNotIn("checked", self.app.control("onTop", window).states, "置顶 was clicked")
                self.assertEqual(self.app.control("remaining", window)["name"], IDLE_CAPTION)
                self.assertEqual(self.app.control("minutes", window)["text"], "4")
                self.assertNotIn(ABOVE, self.screen.wm_state(self.app.main))


class Screenshot(unittest.TestCase):
    """The Chinese texts are drawn as glyphs, not as empty boxes."""

    @classmethod
    def setUpClass(cls):
        cls.screen = cls.enterClassContext(XSession(800, 600))
        cls.a11y = cls.screen.accessibility()

    def test_chinese_texts_are_drawn_in_their_controls(self):
        app = Running(self, self.screen, self.a11y)
        wait_for(lambda: self.screen.is_viewable(app.main), 5, "the main window on the screen")
        origin = self.screen.client_geometry(app.main)
        path = self.screen.screenshot(harness.artifact("main-window-800x600.png"))
        # Where the text lies inside each control: labels whole; the box's text right of
        # its indicator; the button texts inside the buttons' bevels.
        regions = {"every": (0, 0, 0, 0), "minutesLabel": (0, 0, 0, 0), "remaining": (0, 0, 0, 0),
                   "onTop": (18, 0, 0, 0), "start": (8, 5, -8, -5), "stop": (8, 5, -8, -5)}
        for key, (dx, dy, dw, dh) in regions.items():
            with self.subTest(control=key, screenshot=path):
                rect = CONTROLS[key][2]
                area = harness.Rect(origin.x + rect.x + dx, origin.y + rect.y + dy,
                                    rect.w - dx + dw, rect.h - dy + dh)
                problem = harness.glyph_problem(self.screen.pixels(path, area))
                self.assertIsNone(problem, f"{CONTROLS[key][1]!r} at {area}: {problem}")


if __name__ == "__main__":
    harness.main()
