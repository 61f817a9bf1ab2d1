"""Pasting with the real Korvane.exe: a click on a memory pastes it into the window the user
worked in before (Wine's notepad.exe here) and leaves it on the clipboard."""

import unittest

from kvharness import KorvaneTestCase, wait_until

TEXTS = ["貼り付けテスト paste", "second memory"]
TYPED = "typed "


class PasteTest(KorvaneTestCase):

    def setUp(self):
        super().setUp()
        self.korvane.write_memories(TEXTS)

    def test_click_pastes_into_the_previous_window_at_the_caret(self):
        korvane = self.start_korvane()
        notepad = self.start_notepad()
        # Side by side: without a window manager a click reaches whichever X window is on top.
        right = korvane["rect"]["right"]
        notepad.place(right + 40, 100, 600, 400)

        edit = self.session.driver("children", notepad.hwnd)["children"][0]
        self.session.click(edit["screen"]["left"] + 50, edit["screen"]["top"] + 50)
        self.session.type_text(TYPED)
        wait_until(lambda: notepad.edit()["text"] == TYPED, 10, "the typed text in notepad")
        self.wait_foreground(notepad.hwnd, "notepad")

        panel, _ = self.korvane.memories()[0]
        self.session.click_centre(panel["screen"])

        expected = TYPED + TEXTS[0]
        try:
            wait_until(lambda: notepad.edit()["text"] == expected, 10, "the pasted text")
        except AssertionError:
            self.assertEqual(notepad.edit()["text"], expected)
        edit = notepad.edit()
        self.assertEqual((edit["sel_start"], edit["sel_end"]), (len(expected), len(expected)),
                         "the caret is not after the pasted text")
        self.assertEqual(self.session.clipboard_text(), TEXTS[0])
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
