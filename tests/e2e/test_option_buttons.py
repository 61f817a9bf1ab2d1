"""The option buttons of the real Korvane.exe: the five editing buttons act on the window the
user worked in before (Wine's notepad.exe, or a key logger where notepad shows nothing),
erase-all drops the unlocked memories only, and the row shows just the configured buttons,
right-aligned above the first column in both growth directions."""

import unittest

import settingsfile as sf
from kvharness import KeyLogger, KorvaneTestCase, wait_until

COPY = "コピー"
PASTE = "貼り付け"
CUT = "切り取り"
UNDO = "元に戻す"
REDO = "やり直す"
ERASE_ALL = "UnLockメモリ全消去"
ALL_SIX = [COPY, PASTE, CUT, UNDO, REDO, ERASE_ALL]

BUTTON = 25
BUTTON_TOP = 5
# Where the row ends in a window that grows to the right, whatever the memory numbers' margin.
ROW_END_GROWING_RIGHT = 165

VK_CONTROL = 0x11
VK_Y = 0x59


class OptionButtonCase(KorvaneTestCase):

    def button(self, hint):
        return next(b for b in self.korvane.option_buttons() if b["text"] == hint)

    def press(self, hint):
        self.session.click_centre(self.button(hint)["screen"])

    def wait_clicks_handled(self):
        """Waits until Korvane has handled the clicks made so far: it takes them in order, and
        a right click on the first memory after them opens the popup menu; closed at once."""
        panel, _ = self.korvane.memories()[0]
        self.session.move_pointer(panel["screen"]["left"] + 20, panel["screen"]["top"] + 5)
        self.session.xdotool("click", 3)
        self.session.driver("find", "#32768", 5000, "--class")
        self.session.xdotool("key", "Escape")
        wait_until(lambda: self.session.driver("find", "#32768", "--class", check=False)
                   .get("hwnd") is None, 5, "the menu to close")

    def assert_row(self, hints, right_end):
        """The buttons with these hints, and no others, side by side from left to right."""
        buttons = self.korvane.option_buttons()
        self.assertEqual([b["text"] for b in buttons], hints)
        for b in buttons:
            self.assertTrue(b["visible"], b["text"])
            self.assertEqual((b["rect"]["top"], b["rect"]["width"], b["rect"]["height"]),
                             (BUTTON_TOP, BUTTON, BUTTON), b["text"])
        lefts = [b["rect"]["left"] for b in buttons]
        self.assertEqual(lefts, [right_end - BUTTON * (len(buttons) - i)
                                 for i in range(len(buttons))])


class EditingButtonsTest(OptionButtonCase):

    def test_each_shortcut_reaches_the_window_worked_in_before(self):
        korvane = self.start_korvane()
        notepad = self.start_notepad()
        # Side by side: without a window manager a click reaches whichever X window is on top.
        notepad.place(korvane["rect"]["right"] + 40, 100, 600, 400)
        notepad.type_new("alpha beta gamma")

        def use(hint, start, end):
            """Back to notepad, select there, then click the button."""
            self.activate_window(notepad.hwnd, "notepad")
            self.session.driver("select", notepad.hwnd, start, end)
            self.press(hint)

        with self.subTest("copy"):
            use(COPY, 6, 10)
            wait_until(lambda: self.session.clipboard_text() == "beta", 10, "the copied text")
            wait_until(lambda: self.korvane.memory_texts() == ["beta"], 10, "the new memory")
            self.assertEqual(notepad.edit()["text"], "alpha beta gamma")

        with self.subTest("cut"):
            use(CUT, 11, 16)
            wait_until(lambda: notepad.edit()["text"] == "alpha beta ", 10, "the text cut")
            self.assertEqual(self.session.clipboard_text(), "gamma")
            # The newest memory comes last.
            wait_until(lambda: self.korvane.memory_texts() == ["beta", "gamma"], 10,
                       "the cut text as the newest memory")

        with self.subTest("paste"):
            use(PASTE, 6, 6)
            wait_until(lambda: notepad.edit()["text"] == "alpha gammabeta ", 10,
                       "the text pasted at the caret")
            edit = notepad.edit()
            self.assertEqual((edit["sel_start"], edit["sel_end"]), (11, 11))
            # The paste put nothing new on the clipboard.
            self.assertEqual(self.korvane.memory_texts(), ["beta", "gamma"])

        with self.subTest("undo"):
            use(UNDO, 0, 0)
            wait_until(lambda: notepad.edit()["text"] == "alpha beta ", 10, "the paste undone")

        with self.subTest("redo"):
            # Wine's notepad does nothing with Ctrl+Y; a window that logs its keys shows that
            # the shortcut, with Ctrl held, reaches the window worked in before.
            logger = KeyLogger(self.session, self.tmp / "keys.log")
            self.addCleanup(logger.close)
            logger.wait_ready()
            self.session.driver("move", logger.hwnd, korvane["rect"]["right"] + 40, 540, 300,
                                200)
            self.activate_window(logger.hwnd, "the key logger")
            self.press(REDO)
            wanted = [("down", VK_CONTROL, True), ("down", VK_Y, True), ("up", VK_Y, True),
                      ("up", VK_CONTROL, False)]
            try:
                wait_until(lambda: len(logger.keys()) >= len(wanted), 10, "the keys of redo")
            finally:
                self.assertEqual(logger.keys(), wanted)
            self.assertEqual(notepad.edit()["text"], "alpha beta ", "notepad got keys too")

        self.stop_korvane()


class EraseAllTest(OptionButtonCase):

    def test_unlocked_memories_go_locked_ones_stay_and_the_window_shrinks(self):
        locked = ["locked one", "locked two"]
        self.korvane.write_memories(locked)
        # Two to a column, so that erasing takes whole columns away; the unlocked table is
        # saved, so that what erase-all left shows on disk too.
        self.korvane.set_settings(per_column=2, save_unlocked=1)
        self.start_korvane()
        with_locked_only = self.korvane.info()["rect"]

        for n, text in enumerate(["u1", "u2", "u3"], start=1):
            self.session.copy(text)
            wait_until(lambda: len(self.korvane.memories()) == 2 + n, 10, f"memory {text}")
        grown = self.korvane.info()["rect"]
        self.assertGreater(grown["width"], with_locked_only["width"])

        self.press(ERASE_ALL)
        wait_until(lambda: self.korvane.memory_texts() == locked, 10, "only the locked memories")
        wait_until(lambda: self.korvane.info()["rect"] == with_locked_only, 5,
                   "the window's size for the locked memories")
        for panel, toggle in self.korvane.memories():
            self.assertEqual(toggle["check"], 1, f"{panel['text']} is no longer locked")
        self.assert_painted()

        # The emptied table takes new copies; with only locked memories the size stays.
        self.session.copy("after")
        wait_until(lambda: self.korvane.memory_texts() == locked + ["after"], 10,
                   "a copy after erase-all")
        self.press(ERASE_ALL)
        wait_until(lambda: self.korvane.memory_texts() == locked, 10, "the copy erased")
        self.press(ERASE_ALL)
        self.wait_clicks_handled()
        self.assertEqual(self.korvane.memory_texts(), locked)
        self.assertEqual(self.korvane.info()["rect"], with_locked_only)

        self.stop_korvane()
        self.assertEqual(self.korvane.read_memories(), [t.encode("cp932") for t in locked])
        self.assertEqual(self.korvane.read_memories("Unlock"), [])


class ButtonRowTest(OptionButtonCase):

    def test_hidden_buttons_are_not_made_and_leave_no_gap(self):
        self.korvane.set_entries({sf.COPY_BUTTON: 0, sf.REDO_BUTTON: 0})
        self.start_korvane()
        self.assert_row([PASTE, CUT, UNDO, ERASE_ALL], ROW_END_GROWING_RIGHT)
        self.stop_korvane()

    def test_without_buttons_the_memories_keep_their_place(self):
        self.korvane.set_entries({flag: 0 for flag in (
            sf.COPY_BUTTON, sf.PASTE_BUTTON, sf.CUT_BUTTON, sf.UNDO_BUTTON, sf.REDO_BUTTON,
            sf.ALL_ERASE_BUTTON)})
        self.korvane.write_memories(["only"])
        self.start_korvane()
        self.assertEqual(self.korvane.option_buttons(), [])
        (panel, _), = self.korvane.memories()
        self.assertEqual(panel["rect"]["top"], 40)
        self.stop_korvane()

    def test_growing_left_the_row_ends_over_the_first_column(self):
        # One memory to a column: each copy adds a column on the left.
        self.korvane.set_settings(position=(300, 900), per_column=1, grow_left=1)
        self.korvane.write_memories(["first column"])
        self.start_korvane()

        def first_column_end():
            _, toggle = self.korvane.memories()[0]
            return toggle["rect"]["right"]

        end = first_column_end()
        self.assertEqual(end, self.korvane.info()["rect"]["width"] - 20)  # the number margin
        self.assert_row(ALL_SIX, end)

        self.session.copy("second column")
        wait_until(lambda: len(self.korvane.memories()) == 2, 10, "the second memory")
        rect = self.korvane.info()["rect"]
        self.assertEqual(rect["right"], 900, "the right edge moved")
        self.assertEqual(self.korvane.memory_texts(), ["first column", "second column"])
        self.assert_row(ALL_SIX, first_column_end())
        self.save_window_picture()
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
