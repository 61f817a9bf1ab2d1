"""Clipboard capture by the real Korvane.exe: a copy made in another program (Wine's notepad.exe)
becomes the newest memory."""

import unittest

from kvharness import KorvaneTestCase, wait_until

LOCKED = ["locked one", "locked two"]


class CaptureTest(KorvaneTestCase):

    def setUp(self):
        super().setUp()
        self.korvane.write_memories(LOCKED)

    def copy_in_notepad(self, notepad, text):
        """Replaces notepad's text with `text`, then selects it all and copies it (Ctrl+A,
        Ctrl+C), as a user would."""
        edit = self.session.driver("children", notepad.hwnd)["children"][0]
        self.session.click(edit["screen"]["left"] + 50, edit["screen"]["top"] + 50)
        self.session.xdotool("key", "ctrl+a", "BackSpace")
        self.session.type_text(text)
        wait_until(lambda: notepad.edit()["text"] == text, 10, "the typed text in notepad")
        self.session.xdotool("key", "ctrl+a", "ctrl+c")

    def shown(self):
        return [(panel["text"], toggle["check"] if toggle else None)
                for panel, toggle in self.korvane.memories()]

    def test_copies_become_unlocked_memories_after_the_locked_ones(self):
        korvane = self.start_korvane()
        notepad = self.start_notepad()
        notepad.place(korvane["rect"]["right"] + 40, 100, 600, 400)

        self.copy_in_notepad(notepad, "first copy")
        wait_until(lambda: len(self.korvane.memories()) == 3, 10, "the first copy as a memory")
        # The shipped settings skip a text that a memory already holds.
        self.copy_in_notepad(notepad, "locked two")
        self.copy_in_notepad(notepad, "second copy")
        wait_until(lambda: len(self.korvane.memories()) >= 4, 10, "the second copy as a memory")

        self.assertEqual(self.shown(), [("locked one", 1), ("locked two", 1),
                                        ("first copy", 0), ("second copy", 0)])
        # Four rows of 25 pixels and 45 for the option buttons and the frame.
        self.assertEqual(self.korvane.info()["rect"]["height"], 4 * 25 + 45)
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
