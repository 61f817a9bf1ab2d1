"""Clipboard capture by the real Korvane.exe: a copy made in another program (Wine's notepad.exe)
becomes the newest memory, its caption the first 24 bytes with only the first line drawn, and a
click on it pastes it back at notepad's caret."""

import subprocess
import unittest

from kvharness import KorvaneTestCase, caption_of, cp932, wait_until

LOCKED = ["locked one", "locked two"]
# Two lines, longer than a caption: the caption's 24 bytes take the line break and part of
# the second line.
TWO_LINES = "copy 2\nsecond line of the copy"
COPIED = TWO_LINES.replace("\n", "\r\n")  # as notepad holds it


class CaptureTest(KorvaneTestCase):

    def setUp(self):
        super().setUp()
        self.korvane.write_memories(LOCKED)

    def shown(self):
        return [(panel["text"], toggle["check"] if toggle else None)
                for panel, toggle in self.korvane.memories()]

    def test_copies_become_unlocked_memories_after_the_locked_ones_and_paste_back(self):
        korvane = self.start_korvane()
        notepad = self.start_notepad()
        notepad.place(korvane["rect"]["right"] + 40, 100, 600, 400)

        notepad.copy_typed("first copy")
        wait_until(lambda: len(self.korvane.memories()) == 3, 10, "the first copy as a memory")
        # The shipped settings skip a text that a memory already holds.
        notepad.copy_typed("locked two")
        notepad.copy_typed(TWO_LINES)
        wait_until(lambda: len(self.korvane.memories()) >= 4, 10, "the second copy as a memory")

        caption = caption_of(cp932(COPIED))
        self.assertEqual(caption, "copy 2\r\nsecond line of t")
        self.assertEqual(self.shown(), [("locked one", 1), ("locked two", 1),
                                        ("first copy", 0), (caption, 0)])
        # Four rows of 25 pixels and 45 for the option buttons and the frame.
        self.assertEqual(self.korvane.info()["rect"]["height"], 4 * 25 + 45)
        # Only "copy 2" is drawn: right of it the panel shows its plain face.
        panel, _ = self.korvane.memories()[3]
        self.assert_plain(panel["screen"], 50, 125)

        # The caret at the start of notepad's text, then a click on the memory.
        self.session.xdotool("key", "ctrl+Home")
        wait_until(lambda: notepad.edit()["sel_end"] == 0, 5, "the caret at the start")
        self.session.click_centre(panel["screen"])
        expected = COPIED + COPIED
        wait_until(lambda: notepad.edit()["text"] == expected, 10, "the pasted text")
        edit = notepad.edit()
        self.assertEqual((edit["sel_start"], edit["sel_end"]), (len(COPIED), len(COPIED)),
                         "the caret is not right after the pasted text")
        # The paste put the memory's own text on the clipboard: no memory more.
        self.assertEqual(len(self.korvane.memories()), 4)
        self.stop_korvane()

    def assert_plain(self, screen, left, right):
        """The panel between x offsets left and right, inside its bevel, is one colour."""
        shot = self.screenshot("caption.png")
        box = f"{right - left}x{screen['height'] - 6}+{screen['left'] + left}+{screen['top'] + 3}"
        colours = subprocess.run(["convert", str(shot), "-crop", box, "+repage", "-format", "%k",
                                  "info:"], check=True, capture_output=True, text=True,
                                 timeout=30).stdout
        self.assertEqual(colours.strip(), "1", "the panel draws more than the caption's first line")


if __name__ == "__main__":
    unittest.main()
