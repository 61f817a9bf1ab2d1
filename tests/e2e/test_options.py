"""The options dialog of the real Korvane.exe, opened from the tray icon's popup menu: it shows
over the topmost window, opens on its version page, and closes without changing a setting on
Cancel; the window is topmost again after it either way."""

import unittest

import settingsfile

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

    def page(self, dialog, index):
        """Shows the page at that place of the tab control (from 0; the dialog opens on the
        last), as the arrow keys on the focused tabs do, and answers its controls."""
        rect = dialog["rect"]
        self.session.move_pointer(rect["left"] + 30, rect["top"] + 40)
        self.session.xdotool("key", *(["Left"] * (7 - index)))
        pages = [c for c in self.session.dialog(OPTIONS, self.pid)["controls"]
                 if c["class"] == "#32770"]
        wait_until(lambda: self.visible_page() == pages[index]["hwnd"], 5, f"page {index}")
        self.page_hwnd = pages[index]["hwnd"]
        return self.session.driver("children", self.page_hwnd)["children"]

    def visible_page(self):
        return next((c["hwnd"] for c in self.session.dialog(OPTIONS, self.pid)["controls"]
                     if c["class"] == "#32770" and c["visible"]), None)

    def test_a_lower_limit_keeps_the_newest_unlocked_memories(self):
        self.korvane.set_settings(memory_limit=20)
        self.korvane.write_memories(["L1", "L2"])
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]
        for i in range(10):
            self.session.copy(f"U{i}")
            wait_until(lambda: len(self.korvane.memories()) == 3 + i, 10, f"copy U{i}")
        dialog = self.open_options()
        controls = self.page(dialog, 3)  # メモリ
        self.screenshot("memory-page.png")
        limit = next(c for c in controls if c["class"] == "Edit")
        self.assertEqual(limit["text"], "20")
        # The page's first field is the limit: the text typed over.
        self.session.driver("edit-set", self.page_hwnd, "5".encode("utf-8").hex())
        self.session.press(dialog, "OK")
        wait_until(self.gone, 5, "the dialog to close")
        wait_until(lambda: self.korvane.memory_texts() == ["L1", "L2", "U7", "U8", "U9"], 5,
                   "the locked memories and the three newest unlocked ones")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.MEMORY_LIMIT], 5)

    def click_on_page(self, caption):
        """A click on the shown page's button or check box of that caption."""
        self.session.press({"hwnd": self.page_hwnd}, caption)

    def test_ok_puts_the_window_on_top_and_the_display_items_into_effect(self):
        self.korvane.set_entries({settingsfile.ALWAYS_ON_TOP: 0, settingsfile.SHOW_NUMBER: 0})
        self.korvane.write_memories(["one"])
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]
        narrow = self.korvane.info()["rect"]["width"]
        self.assertFalse(self.topmost(self.korvane.hwnd))
        self.assertEqual(len(self.korvane.option_buttons()), 6)
        # Each opening starts on the version page with the tabs focused.
        dialog = self.open_options()
        self.page(dialog, 0)  # 動作設定１
        self.click_on_page("ウインドウを常に手前に表示")
        self.session.press(dialog, "OK")
        wait_until(self.gone, 5, "the dialog to close")
        wait_until(lambda: self.topmost(self.korvane.hwnd), 5, "the window topmost")
        dialog = self.open_options()
        self.page(dialog, 5)  # 表示項目
        self.screenshot("display-page.png")
        self.click_on_page("コピー")
        self.click_on_page("メモリ番号を表示する")
        self.session.press(dialog, "OK")
        wait_until(self.gone, 5, "the dialog to close")
        # One column: the number margin grows by 12 beside it and 12 at the side.
        wait_until(lambda: self.korvane.info()["rect"]["width"] == narrow + 24, 5,
                   "the window wider by the numbers' margin")
        self.assertEqual([b["text"] for b in self.korvane.option_buttons()],
                         ["貼り付け", "切り取り", "元に戻す", "やり直す", "UnLockメモリ全消去"])
        self.stop_korvane()
        stored = self.stored_settings()
        self.assertEqual((stored[settingsfile.ALWAYS_ON_TOP], stored[settingsfile.SHOW_NUMBER],
                          stored[settingsfile.COPY_BUTTON]), (1, 1, 0))


if __name__ == "__main__":
    unittest.main()
