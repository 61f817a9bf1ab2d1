"""The options dialog of the real Korvane.exe, opened from the tray icon's popup menu: it shows
over the topmost window, opens on its version page, and closes without changing a setting on
Cancel; the window is topmost again after it either way."""

import unittest

from kvharness import wait_until
from test_shell import ShellTestCase

OPTIONS = "設定"
OPTIONS_DOWNS = 7  # the n-th Down selects item n - 1: 設定


class OptionsTest(ShellTestCase):

    def open_options(self):
        self.open_menu()
        self.session.xdotool("key", *(["Down"] * OPTIONS_DOWNS), "Return")
        return self.session.dialog(OPTIONS, self.korvane.info()["pid"])

    def gone(self):
        return self.session.driver("dialog", OPTIONS.encode("utf-8").hex(),
                                   self.korvane.info()["pid"], 0, check=False).get("hwnd") is None

    def test_cancel_changes_nothing_and_the_window_is_topmost_again(self):
        self.korvane.write_memories(["one"])
        self.start_korvane()
        self.assertTrue(self.topmost(self.korvane.hwnd))
        before = (self.korvane.dir / "Data" / "Setting.dat").read_bytes()
        dialog = self.open_options()
        # Above the main window, which left the topmost band for it.
        self.assertFalse(self.topmost(self.korvane.hwnd))
        self.assertFalse(dialog["owner_enabled"])
        texts = [c["text"] for c in dialog["controls"]]
        for caption in ("OK", "ｷｬﾝｾﾙ", "ヘルプ"):
            self.assertIn(caption, texts)
        self.screenshot("options.png")
        self.session.press(dialog, "ｷｬﾝｾﾙ")
        wait_until(self.gone, 5, "the dialog to close")
        wait_until(lambda: self.topmost(self.korvane.hwnd), 5, "the window topmost again")
        self.stop_korvane()
        after = (self.korvane.dir / "Data" / "Setting.dat").read_bytes()
        self.assertEqual(after, before)


if __name__ == "__main__":
    unittest.main()
