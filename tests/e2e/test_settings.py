"""Data\\Setting.dat of the real Korvane.exe: what it reads at start shows in the window, and
the file it writes at exit holds what it read, in the 1210 layout, whatever it was given (an
older version, a damaged file, out-of-range flags or positions)."""

import unittest

import settingsfile as sf
from kvharness import KorvaneTestCase, wait_until

# The harness's screen, 1280x800.
SCREEN_RIGHT = 1280
SCREEN_BOTTOM = 800
# Window sizes without memories: with and without the memory numbers' margin.
WIDTH_NUMBERED = 191
WIDTH_PLAIN = 167
HEIGHT_EMPTY = 45

# A spread of values, most unlike the shipped ones; four lie beyond the options dialog's ranges,
# as a user may set them by hand. Where a setting would change the window under the test
# (auto-hide, a hidden window, growing to the left) it keeps the shipped value.
SPREAD = {
    sf.VERSION: 1210,
    sf.POSITION: (150, 300),
    sf.ALWAYS_ON_TOP: 0,
    sf.AUTO_HIDE: 0,
    sf.HIDDEN_WIDTH: 60,
    sf.WORKSPACE_COLOR: sf.CL_BTN_FACE,
    sf.COPY_BUTTON: 0,
    sf.PASTE_BUTTON: 1,
    sf.CUT_BUTTON: 0,
    sf.ALL_ERASE_BUTTON: 1,
    sf.UNDO_BUTTON: 0,
    sf.REDO_BUTTON: 1,
    sf.MEMORY_LIMIT: 150,
    sf.PER_COLUMN: 6,
    sf.BACK_COLOR: 0xE0FFE0,
    sf.FONT_COLOR: 0x80000008 - (1 << 32),  # the window text system colour
    sf.SELECT_COLOR: 0x80C0FF,
    sf.TAB_ORDER: 7654321,
    # A key code wider than a byte: the entry is 16 bits, not a character.
    sf.HOTKEY: (0x4E7A, 18),
    sf.GROW_LEFT: 0,
    sf.SHOW_PREVIEW: 0,
    sf.PREVIEW_BELOW: 1,
    sf.SAVE_ON_LOCK: 0,
    sf.SAVE_UNLOCKED: 1,
    sf.SHORTCUTS: [0x70, ord("A"), ord("9")],
    sf.HIDE_WAIT: 5000,
    sf.SCROLL_AMOUNT: 400,
    sf.SKIP_DUPLICATES: 0,
    sf.DOUBLE_CLICK: 1,
    sf.MANUAL_MEMORY: 1,
    # Kept across starts, the watch stays off; without the keep flag it would come back on.
    sf.KEEP_WATCH: 1,
    sf.WATCH: 0,
    sf.SHOW_NUMBER: 0,
    sf.LOCK_COLOR: 0xC0C0FF,
    sf.KEEP_HIDDEN: 0,
    sf.HIDDEN: 0,
    sf.TRAY_UNHIDES: 0,
}


class SettingsCase(KorvaneTestCase):
    """Starts Korvane on a settings file of the test's making and reads back what it wrote."""

    maxDiff = None  # a file's difference is shown whole

    @property
    def settings_path(self):
        return self.korvane.dir / "Data" / "Setting.dat"

    def shipped(self):
        """The installation's own file, before a test replaces it."""
        return sf.parse(self.settings_path.read_bytes())

    def start_with(self, data):
        """Korvane started on `data`; its window's (left, top, width, height)."""
        self.settings_path.write_bytes(data)
        self.start_korvane()
        return self.place()

    def place(self):
        rect = self.korvane.info()["rect"]
        return rect["left"], rect["top"], rect["width"], rect["height"]

    def written(self):
        """Korvane closed; the settings file it left."""
        self.stop_korvane()
        return self.settings_path.read_bytes()

    def assertSameFile(self, actual, expected):
        # Line by line first, for a readable difference; then the bytes, for the line ends.
        self.assertEqual(actual.decode("cp932", "replace").splitlines(keepends=True),
                         expected.decode("cp932").splitlines(keepends=True))
        self.assertEqual(actual, expected)

    def move(self, left, top):
        _, _, width, height = self.place()
        self.session.driver("move", self.korvane.hwnd, left, top, width, height)
        wait_until(lambda: self.place()[:2] == (left, top), 5, "the window to move")


class SettingsFileTest(SettingsCase):

    def test_a_file_of_every_entry_is_written_back_byte_for_byte(self):
        composed = sf.compose(SPREAD)
        # Memory numbers off: the narrow window.
        self.assertEqual(self.start_with(composed), (300, 150, WIDTH_PLAIN, HEIGHT_EMPTY))
        self.assertSameFile(self.written(), composed)

    def test_any_non_zero_flag_is_written_as_1(self):
        flags = [sf.ALWAYS_ON_TOP, sf.COPY_BUTTON, sf.SHOW_PREVIEW, sf.SAVE_ON_LOCK,
                 sf.SKIP_DUPLICATES, sf.DOUBLE_CLICK, sf.KEEP_WATCH, sf.WATCH, sf.SHOW_NUMBER,
                 sf.TRAY_UNHIDES]
        stored = dict(SPREAD)
        stored.update({flag: 5 for flag in flags})
        stored[sf.SAVE_ON_LOCK] = -1
        expected = dict(SPREAD)
        expected.update({flag: 1 for flag in flags})

        # The memory numbers' flag read as set: the wide window.
        self.assertEqual(self.start_with(sf.compose(stored)),
                         (300, 150, WIDTH_NUMBERED, HEIGHT_EMPTY))
        self.assertSameFile(self.written(), sf.compose(expected))

    def test_a_version_1000_file_is_written_as_1210_with_the_later_entries(self):
        old = sf.compose(SPREAD, first=sf.POSITION, last=sf.LAST_OF_1000)
        self.assertEqual(self.start_with(old), (300, 150, WIDTH_PLAIN, HEIGHT_EMPTY))
        expected = dict(SPREAD)
        expected.update({
            sf.DOUBLE_CLICK: 0, sf.MANUAL_MEMORY: 0, sf.KEEP_WATCH: 1, sf.WATCH: 1,
            sf.SHOW_NUMBER: 0, sf.LOCK_COLOR: SPREAD[sf.BACK_COLOR], sf.KEEP_HIDDEN: 1,
            sf.HIDDEN: 0, sf.TRAY_UNHIDES: 0,
        })
        self.assertSameFile(self.written(), sf.compose(expected))

    def test_a_file_cut_short_keeps_what_was_read_and_the_shipped_rest(self):
        shipped = self.shipped()
        full = sf.compose(SPREAD)
        # Inside the first character of entry 14's label: a lone lead byte ends the file.
        cut = full.index(sf.label_line(sf.PER_COLUMN).encode("cp932")) + len("/////") + 1
        self.assertEqual(self.start_with(full[:cut]), (300, 150, WIDTH_NUMBERED, HEIGHT_EMPTY))
        self.assertTrue(self.korvane.info()["visible"])

        expected = dict(shipped)
        expected.update({entry: SPREAD[entry] for entry in range(sf.VERSION, sf.PER_COLUMN)})
        self.assertSameFile(self.written(), sf.compose(expected))


class WindowPlacementTest(SettingsCase):

    def stored_position(self):
        """(Top, Left) as written at exit."""
        return sf.parse(self.written())[sf.POSITION]

    def test_a_moved_window_starts_where_it_was_left(self):
        # The bottom edge on the screen's: the window fits and must not be pushed up.
        top = SCREEN_BOTTOM - HEIGHT_EMPTY
        self.start_korvane()
        self.move(1000, top)
        self.assertEqual(self.stored_position(), (top, 1000))

        self.start_korvane()
        self.assertEqual(self.place()[:2], (1000, top))
        self.stop_korvane()

    def test_a_window_growing_left_keeps_its_right_edge(self):
        settings = self.shipped()
        settings.update({sf.GROW_LEFT: 1, sf.POSITION: (200, 600)})
        self.assertEqual(self.start_with(sf.compose(settings)),
                         (600 - WIDTH_NUMBERED, 200, WIDTH_NUMBERED, HEIGHT_EMPTY))
        self.move(500, 400)
        self.assertEqual(self.stored_position(), (400, 500 + WIDTH_NUMBERED))

        self.start_korvane()
        self.assertEqual(self.place()[:2], (500, 400))
        self.stop_korvane()

    def test_a_position_off_the_screen_is_brought_back(self):
        shipped = self.shipped()
        cases = [
            # (Top, Left) stored, grows left, (Left, Top) shown
            ((SCREEN_BOTTOM + 1, SCREEN_RIGHT + 1), 0, (200, 100)),
            ((-30, -50), 0, (0, 0)),
            # The stored right edge is tested before the window is moved by its width; a
            # bottom below the screen's is moved up.
            ((SCREEN_BOTTOM - 10, SCREEN_RIGHT + 1), 1,
             (200 - WIDTH_NUMBERED, SCREEN_BOTTOM - HEIGHT_EMPTY)),
        ]
        for position, grow_left, (left, top) in cases:
            with self.subTest(stored=position, grow_left=grow_left):
                settings = dict(shipped)
                settings.update({sf.POSITION: position, sf.GROW_LEFT: grow_left})
                shown = self.start_with(sf.compose(settings))[:2]
                stored = self.stored_position()  # closes Korvane before anything can fail
                self.assertEqual(shown, (left, top))
                self.assertEqual(stored, (top, left + WIDTH_NUMBERED if grow_left else left))


if __name__ == "__main__":
    unittest.main()
