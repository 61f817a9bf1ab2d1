"""The keyboard in the real Korvane.exe's window: the TabOrder setting decides which controls
Tab and Shift+Tab stop at and in which order, the arrows reach every button, lock toggles never
take the focus, and Enter or Space presses a focused option button."""

import unittest

import settingsfile as sf
from kvharness import KorvaneTestCase, wait_until

HINTS = {"コピー": "copy", "貼り付け": "paste", "切り取り": "cut", "元に戻す": "undo",
         "やり直す": "redo", "UnLockメモリ全消去": "erase-all"}
OPTIONS = ["copy", "paste", "cut", "undo", "redo", "erase-all"]
# One memory from the group's files, one copied after start: both tables take part.
LOCKED = "locked memory"
COPIED = "copied memory"
MEMORIES = [LOCKED, COPIED]
# The window itself has the focus, no control.
WINDOW = "window"


class KeyboardCase(KorvaneTestCase):

    def start_with_tab_order(self, tab_order):
        self.korvane.set_entries({sf.TAB_ORDER: tab_order})
        self.korvane.write_memories([LOCKED])
        self.start_korvane()
        self.session.copy(COPIED)
        wait_until(lambda: self.korvane.memory_texts() == MEMORIES, 10, "both memories")
        self.names = {self.korvane.hwnd: WINDOW}
        for child in self.korvane.children():
            if child["class"] == "KorvaneImageButton":
                self.names[child["hwnd"]] = HINTS[child["text"]]
            elif child["class"] == "KorvanePanel":
                self.names[child["hwnd"]] = child["text"]
            else:
                self.names[child["hwnd"]] = f"{child['class']} {child['text']}"

    def focus(self):
        """What has the keyboard focus in the active window (its name here)."""
        answer = self.session.driver("foreground")
        if answer["hwnd"] != self.korvane.hwnd:
            return f"another window: {answer['caption']}"
        return self.names.get(answer["focus"], answer["focus"])

    def activate(self):
        self.activate_window(self.korvane.hwnd, "Korvane")

    def enter_controls(self):
        """Korvane activated and the focus on its first tab stop: where activation puts it, or
        where the first Tab takes it from the window itself."""
        self.activate()
        if self.focus() == WINDOW:
            self.korvane.press_keys("Tab")

    def walk(self, steps):
        """Presses each key and reads the focus after it; the focus seen at each step. Waits for
        the expected focus, so that a slow key is not read as a wrong one."""
        seen = []
        for key, expected in steps:
            self.korvane.press_keys(key)
            try:
                wait_until(lambda: self.focus() == expected, 3, f"{expected} after {key}")
            except AssertionError:
                pass
            seen.append(self.focus())
        return seen

    def step_from(self, focus, key):
        """Presses a key that must move the focus, and waits until it has left `focus`."""
        self.korvane.press_keys(key)
        wait_until(lambda: self.focus() != focus, 3, f"the focus to leave {focus} on {key}")

    def wait_keys_handled(self):
        """Waits until Korvane has handled the keys pressed so far: it takes keys in order, and
        the menu key (Shift+F10) after them opens the popup menu; closed again at once."""
        self.korvane.press_keys("shift+F10")
        self.session.driver("find", "#32768", 5000, "--class")
        self.session.xdotool("key", "Escape")
        wait_until(lambda: self.session.driver("find", "#32768", "--class", check=False)
                   .get("hwnd") is None, 5, "the menu to close")

    def assert_walk(self, start, steps):
        wait_until(lambda: self.focus() == start, 3, f"the focus on {start}")
        self.assertEqual(self.walk(steps), [expected for _, expected in steps])


class TabSequenceTest(KeyboardCase):

    def test_every_group_in_digit_order(self):
        self.start_with_tab_order(1234567)
        self.enter_controls()
        cycle = OPTIONS + MEMORIES
        self.assert_walk("copy", [("Tab", name) for name in cycle[1:] + ["copy"]])
        self.assert_walk("copy", [("shift+Tab", name) for name in reversed(cycle)])
        # The arrows follow the same order, wrapping too.
        self.assert_walk("copy", [("Left", COPIED), ("Right", "copy"), ("Right", "paste"),
                                  ("Down", "cut"), ("Up", "paste"), ("Left", "copy")])
        self.stop_korvane()


class TabStopsOffTest(KeyboardCase):

    def test_memories_only_and_the_arrows_reach_every_button(self):
        self.start_with_tab_order(1)
        self.enter_controls()
        self.assert_walk(LOCKED, [("Tab", COPIED), ("Tab", LOCKED), ("shift+Tab", COPIED)])
        seen = set()
        for _ in range(len(OPTIONS) + len(MEMORIES)):
            # The order among buttons off the tab is open, but each arrow moves the focus on.
            self.step_from(self.focus(), "Right")
            seen.add(self.focus())
        # Buttons that are no tab stop are still reached, lock toggles never.
        self.assertEqual(seen, set(OPTIONS + MEMORIES))
        self.stop_korvane()

    def test_two_groups_only_in_their_own_order(self):
        # Redo at place 2, paste at 5: redo first although paste stands left of it.
        self.start_with_tab_order(500200)
        self.enter_controls()
        self.assert_walk("redo", [("Tab", "paste"), ("Tab", "redo"), ("shift+Tab", "paste"),
                                  ("shift+Tab", "redo")])
        self.stop_korvane()

    def test_no_tab_stop_at_all(self):
        self.start_with_tab_order(0)
        self.activate()
        self.assertEqual(self.focus(), WINDOW)
        # Tab has nowhere to go, and the arrows move only a focus that a control has.
        self.korvane.press_keys("Tab", "shift+Tab", "Right", "Down")
        self.wait_keys_handled()
        self.assertEqual(self.focus(), WINDOW)
        self.stop_korvane()


class FocusedButtonKeysTest(KeyboardCase):

    def test_enter_and_space_press_the_focused_option_button(self):
        self.start_with_tab_order(1234567)
        notepad = self.start_notepad()
        notepad.place(self.korvane.info()["rect"]["right"] + 40, 100, 600, 400)
        notepad.type_new("typed ")
        self.wait_foreground(notepad.hwnd, "notepad")

        # From notepad to Korvane by keyboard, as after the activation hotkey: Enter on the
        # paste button pastes the clipboard (the copied memory) into notepad.
        self.enter_controls()
        self.assert_walk("copy", [("Tab", "paste")])
        self.korvane.press_keys("Return")
        wait_until(lambda: notepad.edit()["text"] == "typed " + COPIED, 10,
                   "the clipboard pasted into notepad")

        # Space on erase-all drops the copied memory.
        self.enter_controls()
        for _ in range(len(OPTIONS) + len(MEMORIES)):
            if self.focus() == "erase-all":
                break
            self.step_from(self.focus(), "Tab")
        self.assertEqual(self.focus(), "erase-all")
        self.korvane.press_keys("space")
        wait_until(lambda: self.korvane.memory_texts() == [LOCKED], 10, "the copy erased")
        self.stop_korvane()


class ActivationFocusTest(KeyboardCase):
    """What has the focus when the window becomes active, before any key."""

    def test_first_tab_stop_then_the_last_focused_control(self):
        self.start_with_tab_order(1)
        notepad = self.start_notepad()
        notepad.place(self.korvane.info()["rect"]["right"] + 40, 100, 600, 400)

        # Memories first: activated, the first memory has the focus.
        self.activate()
        with self.subTest("the first tab stop on activation"):
            self.assertEqual(self.focus(), LOCKED)

        # Back in Korvane the focus is where it was left.
        with self.subTest("the last focused control on activation"):
            self.enter_controls()
            self.assert_walk(LOCKED, [("Tab", COPIED)])
            self.activate_window(notepad.hwnd, "notepad")
            self.activate()
            self.assertEqual(self.focus(), COPIED)
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
