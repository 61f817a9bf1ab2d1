"""The preview and the keyboard with the real Korvane.exe: the mouse on a memory opens a window
with its whole text next to the cursor, the focus moves a highlight and the preview with it,
Enter pastes the focused memory and a direct-paste key the memory of its number, into Wine's
notepad as the window the user worked in."""

import unittest

import settingsfile as sf
from kvharness import KorvaneTestCase, wait_until

# Locked memories from the group's files: numbers 1 to 3.
TEXTS = ["first memory", "second memory", "三行の\r\nメモリ & more\r\nthird line"]
SELECT = (0xFF, 0xFF, 0xC0)   # MemorySelectColor 0xC0FFFF as the screen shows it


class PreviewCase(KorvaneTestCase):

    def start(self, entries=None, texts=TEXTS, position=(100, 100)):
        self.korvane.set_settings(position=position)
        self.korvane.set_entries({sf.SHOW_PREVIEW: 1, **(entries or {})})
        self.korvane.write_memories(texts)
        self.start_korvane()
        self.window = self.korvane.info()["rect"]
        self.notepad = self.start_notepad()
        # Beside the window: without a window manager a click reaches the X window on top.
        left = self.window["right"] + 40 if self.window["right"] < 700 else 40
        self.notepad.place(left, 100, 500, 300)
        self.notepad.type_new("typed ")
        self.wait_foreground(self.notepad.hwnd, "notepad")

    def previews(self):
        return self.korvane.previews()

    def wait_previews(self, count, what):
        wait_until(lambda: len(self.previews()) == count, 5, what)
        return self.previews()

    def memory(self, number):
        return self.korvane.memories()[number - 1]

    def pointer_to(self, x, y):
        self.session.xdotool("mousemove", x, y)

    def highlighted(self, number):
        panel, _ = self.memory(number)
        screen = panel["screen"]
        colour = self.session.screen_colours(self.window)
        return colour(screen["left"] + 4, screen["top"] + 4) == SELECT


class MousePreviewTest(PreviewCase):

    def test_the_mouse_on_a_memory_opens_its_whole_text_and_off_it_closes(self):
        self.start()
        foreground = self.session.driver("foreground")["hwnd"]
        panel, lock = self.memory(3)
        x, y = panel["screen"]["left"] + 40, panel["screen"]["top"] + 8
        self.pointer_to(x, y)
        [preview] = self.wait_previews(1, "the preview of memory 3")
        self.assertEqual((preview["rect"]["left"], preview["rect"]["top"]), (x + 5, y + 20))
        self.assertEqual(preview["text"], TEXTS[2])
        self.assertTrue(preview["topmost"])
        self.screenshot("preview.png")
        # Within the same button: the same window stays.
        self.pointer_to(x + 30, y + 3)
        self.assertEqual(self.previews(), [preview])
        # Onto its lock toggle: closed; back onto the button and onto the workspace: closed.
        self.pointer_to(lock["screen"]["left"] + 10, lock["screen"]["top"] + 10)
        self.wait_previews(0, "the preview closed over the lock toggle")
        self.pointer_to(x, y)
        self.wait_previews(1, "the preview again")
        self.pointer_to(self.window["left"] + 3, self.window["top"] + 3)
        self.wait_previews(0, "the preview closed over the workspace")
        self.assertEqual(self.session.driver("foreground")["hwnd"], foreground,
                         "the preview took the activation")
        self.stop_korvane()

    def test_below_the_window_and_back_onto_the_screen(self):
        self.start({sf.PREVIEW_BELOW: 1})
        panel, _ = self.memory(1)
        x, y = panel["screen"]["left"] + 40, panel["screen"]["top"] + 8
        self.pointer_to(x, y)
        [preview] = self.wait_previews(1, "the preview of memory 1")
        self.assertEqual((preview["rect"]["left"], preview["rect"]["top"]),
                         (x + 5, self.window["bottom"] + 5))
        self.stop_korvane()

    def test_near_the_screens_corner_it_stays_on_the_screen(self):
        long_line = "a long line that runs wider than what is left of the screen " * 3
        texts = [long_line + "\r\n" + "\r\n".join(f"line {i}" for i in range(80))]
        # In the bottom-right corner of the 1280 x 800 screen.
        self.start(texts=texts, position=(800 - 70, 1280 - 180))
        panel, _ = self.memory(1)
        self.pointer_to(panel["screen"]["left"] + 60, panel["screen"]["top"] + 8)
        [preview] = self.wait_previews(1, "the preview")
        rect = preview["rect"]
        self.assertLessEqual(rect["right"], 1280)
        self.assertLessEqual(rect["bottom"], 800)
        self.assertGreaterEqual(rect["left"], 0)
        self.assertGreaterEqual(rect["top"], 0)
        self.stop_korvane()


class FocusTest(PreviewCase):

    def test_tab_moves_the_highlight_and_the_preview_and_enter_pastes(self):
        self.start({sf.TAB_ORDER: 1})   # memories only take Tab
        self.activate_window(self.korvane.hwnd, "Korvane")
        # Activated: the focus on memory 1, highlighted, its preview at the button's corner.
        wait_until(lambda: self.highlighted(1), 5, "memory 1 highlighted")
        panel, _ = self.memory(1)
        [preview] = self.wait_previews(1, "the preview of memory 1")
        self.assertEqual((preview["rect"]["left"], preview["rect"]["top"]),
                         (panel["screen"]["left"] + 5, panel["screen"]["top"] + 20))
        self.korvane.press_keys("Tab")
        wait_until(lambda: self.highlighted(2), 5, "memory 2 highlighted")
        self.assertFalse(self.highlighted(1))
        [preview] = self.wait_previews(1, "the preview of memory 2")
        self.assertEqual(preview["text"], TEXTS[1])
        # Enter pastes memory 2 into notepad, which becomes active again.
        self.korvane.press_keys("Return")
        wait_until(lambda: self.notepad.edit()["text"] == "typed " + TEXTS[1], 10,
                   "memory 2 pasted by Enter")
        self.wait_previews(0, "no preview once another program is active")
        self.stop_korvane()


class DirectPasteTest(PreviewCase):

    def test_a_key_pastes_its_numbers_memory_with_or_without_shift(self):
        # Entries: memory 1 on F2, memory 2 on "2", memory 4 (none) on "4".
        self.start({sf.SHORTCUTS: [0x71, 0x32, 0, 0x34]})
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.korvane.press_keys("shift+2")
        wait_until(lambda: self.notepad.edit()["text"] == "typed " + TEXTS[1], 10,
                   "memory 2 pasted with Shift held, as plain Ctrl+V")
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.korvane.press_keys("4")   # no memory 4: nothing, Korvane stays active
        self.korvane.press_keys("F2")
        wait_until(lambda: self.notepad.edit()["text"] == "typed " + TEXTS[1] + TEXTS[0], 10,
                   "memory 1 pasted by F2")
        self.stop_korvane()


class SlidInTest(PreviewCase):

    def test_no_preview_on_the_strip(self):
        self.start({sf.AUTO_HIDE: 1, sf.HIDDEN_WIDTH: 5, sf.SCROLL_AMOUNT: 0},
                   position=(300, 0))
        self.activate_window(self.korvane.hwnd, "Korvane")
        self.activate_window(self.notepad.hwnd, "notepad")
        wait_until(lambda: self.korvane.info()["rect"]["width"] == 5, 5, "the strip")
        # Over the strip, where memory 1 would be: the window slides out, no preview on the way.
        self.pointer_to(2, 300 + 50)
        wait_until(lambda: self.korvane.info()["rect"]["width"] == self.window["width"], 5,
                   "the window slid out")
        self.assertEqual(self.previews(), [])
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
