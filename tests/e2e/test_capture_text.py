"""Copies from outside notepad reach the real Korvane.exe intact: one made by an X program, and
a Japanese text copied as Unicode, kept and saved as its code page 932 bytes."""

import unittest

from kvharness import KorvaneTestCase, caption_of, cp932, wait_until

# Characters where code page 932 differs from plain Shift_JIS (full-width tilde and minus, an NEC
# special character) and half-width katakana of one byte; byte 24 falls inside a character.
JAPANESE = "日本語～①－ｶﾅﾅ漢字のテキスト、長めの一行"
X_TEXT = "copied on the X side"


class UnicodeCaptureTest(KorvaneTestCase):

    def test_x_copy_and_japanese_copy_keep_their_text(self):
        self.start_korvane()

        # The X side has been seen announcing one copy twice; a memory holds a text once.
        self.copy_from_x(X_TEXT)
        wait_until(lambda: self.korvane.memories(), 10, "the X copy as a memory")
        self.assertEqual(self.korvane.memory_texts(), [X_TEXT])

        self.session.copy(JAPANESE)
        expected = caption_of(cp932(JAPANESE))
        # Byte 24 is the lead byte of a character: the caption ends before it.
        self.assertEqual(len(cp932(expected)), 23)
        wait_until(lambda: len(self.korvane.memories()) == 2, 10, "the Japanese copy as a memory")
        self.assertEqual(self.korvane.memory_texts(), [X_TEXT, expected])

        # Locking saves the group at once (shipped settings): the file holds the cp932 bytes.
        _, toggle = self.korvane.memories()[1]
        self.session.click_centre(toggle["screen"])
        wait_until(lambda: self.korvane.read_memories() == [cp932(JAPANESE)], 10,
                   "the locked memory in Data\\デフォルト")
        memory_file = self.korvane.group_dir() / "memory0.dat"
        self.assertEqual(memory_file.read_bytes(), cp932(JAPANESE))
        self.assertEqual(self.korvane.memory_texts(), [expected, X_TEXT])
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
