"""Auto-hide with the real Korvane.exe: the window slides into the screen edge it touches
when another program becomes active, and out again when the mouse comes onto its strip or
Korvane is activated. The rectangle is read from outside, as the X server shows it.

Without a window manager the activation moves only with SetForegroundWindow (the driver's
`activate`) and with clicks that a program turns into its own activation; Wine then sends
WM_ACTIVATEAPP to the windows of both programs, which is what Korvane reacts to."""

import time
import unittest

import settingsfile
from kvharness import KorvaneTestCase, wait_until

HIDDEN = 5


class AutoHideCase(KorvaneTestCase):

    def start_at(self, top, left, scroll=10, hide_wait=300):
        self.korvane.set_settings(position=(top, left))
        self.korvane.set_entries({settingsfile.AUTO_HIDE: 1, settingsfile.HIDDEN_WIDTH: HIDDEN,
                                  settingsfile.SCROLL_AMOUNT: scroll,
                                  settingsfile.HIDE_WAIT: hide_wait})
        self.korvane.write_memories(["one", "two", "three"])
        korvane = self.start_korvane()
        self.full = korvane["rect"]
        self.notepad = self.start_notepad()
        self.notepad.place(600, 300, 400, 300)
        return korvane

    def rect(self):
        return self.korvane.info()["rect"]

    def wait_rect(self, left, top, width, height, what, timeout=5):
        want = {"left": left, "top": top, "width": width, "height": height}
        try:
            wait_until(lambda: {k: self.rect()[k] for k in want} == want, timeout, what)
        except AssertionError:
            self.assertEqual({k: self.rect()[k] for k in want}, want, what)

    def deactivate(self):
        self.activate_window(self.notepad.hwnd, "notepad")

    def pointer_to(self, x, y):
        self.session.xdotool("mousemove", x, y)


class SlideTest(AutoHideCase):

    def test_in_the_middle_nothing_slides(self):
        self.start_at(300, 300)
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        # Notepad is active, Korvane has heard it: the window is as it was.
        self.assertEqual(self.rect(), self.full)

    def test_at_the_left_edge_it_slides_in_and_the_mouse_brings_it_out(self):
        full = self.start_at(300, 0)["rect"]
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        self.wait_rect(0, 300, HIDDEN, full["height"], "the strip at the left edge")
        self.assertEqual(self.korvane.memories(), [], "buttons shown on the strip")
        self.screenshot("strip.png")
        self.pointer_to(2, 300 + full["height"] // 2)
        self.wait_rect(0, 300, full["width"], full["height"], "the window slid out")
        wait_until(lambda: len(self.korvane.memories()) == 3, 5, "the memories shown again")
        self.screenshot("slid-out.png")
        # Inactive and watched: the mouse leaving starts the slide-in again.
        self.pointer_to(full["width"] + 40, 300)
        self.wait_rect(0, 300, HIDDEN, full["height"], "the strip again", timeout=3)

    def test_watched_the_pixel_beyond_the_corner_is_inside_and_the_next_starts_the_slide(self):
        wait = 1000
        full = self.start_at(300, 0, hide_wait=wait)["rect"]
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        self.wait_rect(0, 300, HIDDEN, full["height"], "the strip at the left edge")
        self.pointer_to(2, 300 + full["height"] // 2)
        self.wait_rect(0, 300, full["width"], full["height"], "the window slid out")
        # Watched now: the column just right of it and the row just below it count as inside.
        right, bottom = full["width"], 300 + full["height"]
        self.pointer_to(right, bottom)
        time.sleep(3 * wait / 1000)
        self.assertEqual(self.rect(), full, "slid in with the cursor on the pixel beyond the corner")
        moved = time.monotonic()
        self.pointer_to(right, bottom + 1)
        wait_until(lambda: self.rect()["width"] < full["width"], 5, "the slide-in to start")
        # One check period at most, and the time one look at the rectangle takes.
        self.assertLess(time.monotonic() - moved, wait / 1000 + 1.0)
        self.wait_rect(0, 300, HIDDEN, full["height"], "the strip again")

    def test_at_the_bottom_its_bottom_stays_on_the_screen(self):
        height = self.start_at(300, 400)["rect"]["height"]
        # Started again where its height puts it on the screen's bottom.
        self.stop_korvane()
        self.korvane.set_settings(position=(800 - height, 400))
        full = self.start_korvane()["rect"]
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        self.wait_rect(400, 800 - HIDDEN, full["width"], HIDDEN, "the strip at the bottom")
        self.pointer_to(450, 798)
        self.wait_rect(400, 800 - height, full["width"], height, "the window slid out upwards")

    def test_a_left_press_on_the_tray_icon_slides_the_strip_out(self):
        full = self.start_at(300, 0)["rect"]
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        self.wait_rect(0, 300, HIDDEN, full["height"], "the strip at the left edge")
        self.session.driver("post", self.korvane.hwnd, 0x0401, 100, 0x0201)
        self.wait_rect(0, 300, full["width"], full["height"], "the window slid out")
        # It took the activation: the next program to take it slides it in again.
        self.wait_foreground(self.korvane.hwnd, "Korvane")
        self.deactivate()
        self.wait_rect(0, 300, HIDDEN, full["height"], "the strip again")

    def test_the_hotkey_slides_the_strip_out(self):
        full = self.start_at(300, 0)["rect"]
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        self.wait_rect(0, 300, HIDDEN, full["height"], "the strip at the left edge")
        # Keys go to the X window under the pointer: it rests on notepad, which is active.
        rect = self.session.driver("info", self.notepad.hwnd)["rect"]
        self.pointer_to((rect["left"] + rect["right"]) // 2, (rect["top"] + rect["bottom"]) // 2)
        self.session.xdotool("key", "ctrl+F12")  # the shipped hotkey
        self.wait_rect(0, 300, full["width"], full["height"], "the window slid out")

    def test_in_the_top_left_corner_it_slides_into_the_top_edge_at_once_with_step_0(self):
        full = self.start_at(0, 0, scroll=0)["rect"]
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        self.wait_rect(0, 0, full["width"], HIDDEN, "the strip at the top")
        # Korvane activated again (as a click on the strip would): out in one step.
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.wait_rect(0, 0, full["width"], full["height"], "the window slid out")
        self.deactivate()
        self.wait_rect(0, 0, full["width"], HIDDEN, "the strip again")


class WindowHiddenTest(AutoHideCase):

    def test_checked_it_hides_when_another_program_is_active_and_a_tray_click_shows_it(self):
        # The tray click leaves the setting checked: the window hides at every deactivation.
        self.korvane.set_entries({settingsfile.KEEP_HIDDEN: 1, settingsfile.HIDDEN: 1,
                                  settingsfile.TRAY_UNHIDES: 0})
        self.start_at(300, 300)
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.deactivate()
        wait_until(lambda: not self.korvane.info()["visible"], 5, "Korvane's window hidden")
        # A left press on the tray icon, as the shell posts it: shown and active again.
        self.session.driver("post", self.korvane.hwnd, 0x0401, 100, 0x0201)
        wait_until(lambda: self.korvane.info()["visible"], 5, "Korvane's window shown")
        self.wait_foreground(self.korvane.hwnd, "Korvane")
        self.deactivate()
        wait_until(lambda: not self.korvane.info()["visible"], 5, "hidden again")


if __name__ == "__main__":
    unittest.main()
