"""Locked memories of the real Korvane.exe: shown from their files, unlocked with the toggle,
written back at exit and shown again at the next start."""

import unittest

from kvharness import KorvaneTestCase, caption_of, cp932, stored_text, wait_until

# Japanese, and cut by the 24-byte caption in the middle of a double-byte character;
# longer than 24 bytes; with a line break.
TEXTS = [
    "x日本語の長いメモを途中で切る",
    "The quick brown fox jumps over the lazy dog",
    "first line\nsecond line",
]

BST_CHECKED = 1
# From the shipped settings: memory numbers shown, and the colour of a locked memory.
MARGIN = 20
LOCKED_COLOUR = "#C0DEFF"


def near(colour, expected, tolerance=8):
    """Screen colours come back slightly rounded (#C0DEFF reads as #C0E0FF)."""
    return all(abs(int(colour[i:i + 2], 16) - int(expected[i:i + 2], 16)) <= tolerance
               for i in (1, 3, 5))


def as_loaded(text):
    """The text as Korvane holds it after reading its file (line breaks as CR LF)."""
    return stored_text(cp932(text).replace(b"\n", b"\r\n"))


def expected_panel(row):
    return {"left": MARGIN, "top": 40 + 25 * row, "width": 130, "height": 20}


def expected_toggle(row):
    return {"left": MARGIN + 131, "top": 40 + 25 * row, "width": 20, "height": 20}


def box(rect):
    return {key: rect[key] for key in ("left", "top", "width", "height")}


class LockedMemoriesTest(KorvaneTestCase):

    def setUp(self):
        super().setUp()
        self.korvane.write_memories(TEXTS)

    def shown(self):
        """[(caption, check, panel box, toggle box)] of the visible memories, top to bottom."""
        rows = []
        for panel, toggle in self.korvane.memories():
            self.assertIsNotNone(toggle, f"no lock toggle beside the memory {panel['text']!r}")
            rows.append((panel["text"], toggle["check"], box(panel["rect"]), box(toggle["rect"])))
        return rows

    def assert_shown(self, texts, checks):
        expected = [(caption_of(as_loaded(text)), check, expected_panel(row), expected_toggle(row))
                    for row, (text, check) in enumerate(zip(texts, checks))]
        self.assertEqual(self.shown(), expected)

    def test_files_become_locked_buttons_in_file_order(self):
        self.start_korvane()
        self.assert_shown(TEXTS, [BST_CHECKED] * 3)
        self.stop_korvane()

    def test_unlocked_memory_moves_after_the_locked_ones(self):
        self.start_korvane()
        _, toggle = self.korvane.memories()[0]
        self.session.click_centre(toggle["screen"])

        moved_caption = caption_of(as_loaded(TEXTS[0]))
        wait_until(lambda: [p["text"] for p, _ in self.korvane.memories()][-1:] == [moved_caption],
                   10, "the unlocked memory to move to the end")
        self.screenshot("unlocked.png")
        self.assert_shown([TEXTS[1], TEXTS[2], TEXTS[0]], [BST_CHECKED, BST_CHECKED, 0])
        # Inside the bevel, left of the caption: the panel's own colour.
        colours = [self.session.driver("pixel", panel["screen"]["left"] + 3,
                                       panel["screen"]["top"] + 10)["rgb"]
                   for panel, _ in self.korvane.memories()]
        self.assertTrue(near(colours[0], LOCKED_COLOUR) and near(colours[1], LOCKED_COLOUR),
                        f"locked memories in {colours[:2]}, not {LOCKED_COLOUR}")
        self.assertFalse(near(colours[2], LOCKED_COLOUR),
                         f"the unlocked memory kept the lock colour ({colours[2]})")
        self.stop_korvane()


class MemoryFilesTest(KorvaneTestCase):

    def setUp(self):
        super().setUp()
        self.korvane.write_memories(TEXTS)

    def test_exit_writes_the_locked_memories_back_and_restart_shows_them(self):
        self.start_korvane()
        self.stop_korvane()
        self.assertEqual(self.korvane.read_memories(), [as_loaded(t) for t in TEXTS])

        self.start_korvane()
        captions = [(p["text"], t["check"] if t else None) for p, t in self.korvane.memories()]
        self.assertEqual(captions, [(caption_of(as_loaded(t)), BST_CHECKED) for t in TEXTS])
        self.stop_korvane()

    def test_an_unlocked_memory_leaves_the_group_at_exit(self):
        self.start_korvane()
        _, toggle = self.korvane.memories()[0]
        self.session.click_centre(toggle["screen"])
        wait_until(lambda: [t["check"] for _, t in self.korvane.memories() if t][-1:] == [0],
                   10, "the toggle to come up")
        self.stop_korvane()
        self.assertEqual(self.korvane.read_memories(), [as_loaded(t) for t in TEXTS[1:]])


if __name__ == "__main__":
    unittest.main()
