"""Damaged button pictures under the real Korvane.exe: once a Lock.bmp cut short or an option
picture whose header claims more pixels than the file holds crashed the program at every start.
Now a bad Lock.bmp leaves the lock toggles plain without a word, a bad option picture is named
in an error box, and the start-up goes on to watch the clipboard."""

import struct
import unittest

from kvharness import KorvaneTestCase, caption_of, cp932, wait_until

TEXT = "copied past damaged pictures"
TYPED = "typed "


class DamagedBitmapsTest(KorvaneTestCase):

    def damage_pictures(self):
        data = self.korvane.dir / "Data"
        lock = data / "Lock.bmp"
        lock.write_bytes(lock.read_bytes()[:40])
        # The info header's width and height, at 18 and 22.
        paste = bytearray((data / "Paste.bmp").read_bytes())
        struct.pack_into("<ii", paste, 18, 30000, 30000)
        (data / "Paste.bmp").write_bytes(bytes(paste))

    def dismiss_error_box(self):
        """Waits for Korvane's error box, clicks its OK button and returns the box's text."""
        box = self.session.driver("find", "#32770", 30000, "--class", timeout=40)
        self.assertEqual(box["caption"], "Korvane")
        children = self.session.driver("children", box["hwnd"])["children"]
        text = "\n".join(c["text"] for c in children if c["class"] == "Static")
        ok = next(c for c in children if c["class"] == "Button")
        self.session.click_centre(ok["screen"])
        wait_until(lambda: not any(w["hwnd"] == box["hwnd"] and w["visible"]
                                   for w in self.session.windows()), 10, "the box to close")
        return text

    def test_start_capture_and_paste_with_damaged_pictures(self):
        self.damage_pictures()
        self.korvane.start()
        text = self.dismiss_error_box()
        self.assertIn("Paste.bmp", text)
        self.assertNotIn("Lock.bmp", text)
        korvane = self.korvane.wait_window()
        wait_until(lambda: self.korvane.log_path.read_bytes().endswith(b"Refresh()\r\n"), 5,
                   "the start-up to finish")
        self.assertEqual(len(self.korvane.option_buttons()), 6, "a button without its picture")

        notepad = self.start_notepad()
        # Side by side: without a window manager a click reaches whichever X window is on top.
        notepad.place(korvane["rect"]["right"] + 40, 100, 600, 400)
        notepad.copy_typed(TEXT)
        wait_until(lambda: self.korvane.memory_texts() == [caption_of(cp932(TEXT))], 10,
                   "the copy as a memory")
        self.assert_painted()  # the lock toggle draws a plain face

        notepad.type_new(TYPED)
        self.wait_foreground(notepad.hwnd, "notepad")
        panel, _ = self.korvane.memories()[0]
        self.session.click_centre(panel["screen"])
        wait_until(lambda: notepad.edit()["text"] == TYPED + TEXT, 10, "the pasted memory")
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
