"""The options dialog of the real Korvane.exe, opened from the tray icon's popup menu and worked
with the X keyboard and mouse: it shows over the topmost window and closes without changing a
setting on Cancel; on OK its pages' settings reach the window, the hotkey and the settings file."""

import unittest

import settingsfile

from kvharness import wait_until
from test_shell import ShellTestCase

OPTIONS = "設定"
OPTIONS_DOWNS = 7  # the n-th Down selects item n - 1: 設定
PAGES = ["動作設定１", "動作設定２", "動作設定３", "メモリ", "色の設定", "表示項目",
         "Tabストップ設定", "バージョン情報"]
NONE = "なし"
COLOR_RED, COLOR_GREEN, COLOR_BLUE = 706, 707, 708  # the colour chooser's fields


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
        # Its arrows stop at the two locked memories.
        self.session.click_centre(limit["screen"])
        self.session.xdotool("key", "--delay", "20", *(["Down"] * 25))
        wait_until(lambda: self.text_of(limit) == "2", 5, "the limit to stop at 2")
        # The page's first field is the limit: the text typed over.
        self.session.driver("edit-set", self.page_hwnd, "5".encode("utf-8").hex())
        self.session.press(dialog, "OK")
        wait_until(self.gone, 5, "the dialog to close")
        wait_until(lambda: self.korvane.memory_texts() == ["L1", "L2", "U7", "U8", "U9"], 5,
                   "the locked memories and the three newest unlocked ones")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.MEMORY_LIMIT], 5)

    def text_of(self, control):
        return next(c["text"] for c in self.session.driver("children", self.page_hwnd)["children"]
                    if c["hwnd"] == control["hwnd"])

    def close_with(self, dialog, caption):
        self.session.press(dialog, caption)
        wait_until(self.gone, 5, "the dialog to close")

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
        # The menu's item shows it: a second check mark beside クリップボードの監視's.
        menu, _ = self.open_menu()
        self.assertEqual(self.check_marks(menu["rect"]), 2)
        self.session.xdotool("key", "Escape")
        wait_until(self.menu_gone, 5, "the menu to close")
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


    def check_marks(self, rect):
        """How many check marks the open menu shows: runs of rows with dark pixels in the
        column left of the captions."""
        colour = self.session.screen_colours(rect)
        marks, inside = 0, False
        for y in range(rect["top"] + 2, rect["bottom"] - 2):
            dark = any(max(colour(x, y)) < 64 for x in range(rect["left"] + 4, rect["left"] + 20))
            marks += dark and not inside
            inside = dark
        return marks

    def test_every_page_shows_its_controls_in_japanese(self):
        self.korvane.write_memories(["one"])
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]
        dialog = self.open_options()
        pages = [c["hwnd"] for c in dialog["controls"] if c["class"] == "#32770"]
        self.assertEqual(len(pages), len(PAGES))
        # One caption of each page, from its first control to its last.
        captions = ["ウインドウを常に手前に表示", "<ショートカットキー>", "ダブルクリックで貼り付ける",
                    "(現在Lockされているメモリ数以下にはなりません)", "ワークスペースの色",
                    "メモリ番号を表示する", "（Tabストップなしの場合→0に設定）", "Version 1.21"]
        rect = dialog["rect"]
        self.session.move_pointer(rect["left"] + 30, rect["top"] + 40)
        for index in reversed(range(len(PAGES))):
            if index < len(PAGES) - 1:
                self.session.xdotool("key", "Left")
            wait_until(lambda: self.visible_page() == pages[index], 5, PAGES[index])
            texts = [c["text"] for c in self.session.driver("children", pages[index])["children"]]
            self.assertIn(captions[index], texts, PAGES[index])
            self.screenshot(f"page-{index}.png")
        self.close_with(dialog, "ｷｬﾝｾﾙ")
        self.stop_korvane()

    def test_keys_pressed_in_the_hotkey_field_and_the_new_hotkey_brings_the_window_forward(self):
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]
        dialog = self.open_options()
        field = next(c for c in self.page(dialog, 1) if c["class"] == "Edit")
        self.assertEqual(field["text"], "Ctrl + F12")
        self.session.click_centre(field["screen"])
        # xdotool's words; each step's text differs from the one before it.
        steps = [
            ("keydown ctrl key a keyup ctrl", "Ctrl + A"),
            ("key a", "Alt + A"),
            ("key F5", "F5"),
            ("key shift+F5", "Shift + F5"),
            ("key ctrl+shift+a", "Shift + A"),
            ("keydown ctrl", "Ctrl + "),
            ("keyup ctrl", NONE),
            ("key q", "Alt + Q"),
            ("key space", NONE),
            ("key ctrl+Prior", "Ctrl + Page Up"),
            ("keydown ctrl keydown space", "Ctrl + "),
            ("keyup space", NONE),
            ("keyup ctrl key alt+Next", "Alt + Page Down"),
            ("key alt", NONE),
            ("key ctrl+End", "Ctrl + End"),
            ("key ctrl+Home", "Ctrl + Home"),
            ("key alt+Left", "Alt + Left"),
            ("key alt+Up", "Alt + Up"),
            ("key alt+Right", "Alt + Right"),
            ("key alt+Down", "Alt + Down"),
            ("key shift+Insert", "Shift + Insert"),
            ("key ctrl+KP_5", "Ctrl + Num5"),
            ("key ctrl+7", "Ctrl + 7"),
            # The hotkey registered now, Ctrl+F12, is the system's while it stays registered.
            ("key shift+F12", "Shift + F12"),
            ("key F9", "F9"),
        ]
        for keys, shown in steps:
            self.session.xdotool(*keys.split())
            wait_until(lambda: self.text_of(field) == shown, 5, f"{keys} to show {shown!r}")
        self.close_with(dialog, "OK")
        notepad = self.active_notepad()
        self.press_in(notepad, "F9")
        self.wait_foreground(self.korvane.hwnd, "Korvane, on F9,")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.HOTKEY], (0x78, 0))

    def grid_rows(self, grid):
        return self.session.driver("grid", grid["hwnd"])

    def test_the_shortcut_grid_takes_keys_and_ok_wants_one_in_every_row(self):
        self.korvane.set_entries({settingsfile.SHORTCUTS: [0x41, 0x42]})
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]
        dialog = self.open_options()
        controls = self.page(dialog, 1)
        grid = next(c for c in controls if c["class"] == "SysListView32")
        count = [c for c in controls if c["class"] == "Edit"][1]
        self.assertEqual(self.grid_rows(grid)["rows"], [["メモリ1", "A"], ["メモリ2", "B"]])
        self.session.click(grid["screen"]["left"] + 90, grid["screen"]["top"] + 10)

        def after(keys, rows, focused, by_code=False):
            if by_code:
                self.session.press_keys_by_code(*keys.split())
            else:
                self.session.xdotool("key", *keys.split())
            wait_until(lambda: self.grid_rows(grid) == {"focused": focused, "rows": rows}, 5,
                       f"{keys}: row {focused} of {rows}")

        after("shift+5", [["メモリ1", "5"], ["メモリ2", "B"]], 0)
        after("Down", [["メモリ1", "5"], ["メモリ2", "B"]], 1)
        # The keypad's 5 with Num Lock on (Num Lock itself, a key without a name, would
        # clear the row before).
        self.session.set_num_lock(True)
        after("KP_5", [["メモリ1", "5"], ["メモリ2", "Num5"]], 1, by_code=True)
        after("Up", [["メモリ1", "5"], ["メモリ2", "Num5"]], 0)
        after("z", [["メモリ1", "Z"], ["メモリ2", "Num5"]], 0)
        after("Delete", [["メモリ1", ""], ["メモリ2", "Num5"]], 0)
        after("7", [["メモリ1", "7"], ["メモリ2", "Num5"]], 0)

        # Two more rows, without keys: OK is refused until they have one.
        self.session.click_centre(count["screen"])
        self.session.set_num_lock(False)  # as it was, in a field that ignores it
        self.session.xdotool("key", "Up", "Up")
        wait_until(lambda: len(self.grid_rows(grid)["rows"]) == 4, 5, "four rows")
        self.assertEqual(self.grid_rows(grid)["rows"][2:], [["メモリ3", ""], ["メモリ4", ""]])
        self.session.press(dialog, "OK")
        warning = self.session.dialog("警告", self.pid)
        self.assertIn("すべてのショートカットキーが設定されていません",
                      [c["text"] for c in warning["controls"]])
        self.session.press(warning, "OK")
        wait_until(lambda: self.session.driver("dialog", "警告".encode("utf-8").hex(), self.pid, 0,
                                               check=False).get("hwnd") is None, 5,
                   "the warning to close")
        self.assertFalse(self.gone(), "the dialog stays open")
        self.session.click(grid["screen"]["left"] + 90, grid["screen"]["top"] + 10)
        after("Down Down c", [["メモリ1", "7"], ["メモリ2", "Num5"], ["メモリ3", "C"],
                              ["メモリ4", ""]], 2)
        after("Down F10", [["メモリ1", "7"], ["メモリ2", "Num5"], ["メモリ3", "C"],
                           ["メモリ4", "F10"]], 3)
        self.close_with(dialog, "OK")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.SHORTCUTS], [0x37, 0x65, 0x43, 0x79])

    def test_a_colour_chosen_in_the_colour_chooser_reaches_the_memory_buttons(self):
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]
        for text in ("one", "two", "three"):
            self.session.copy(text)
        wait_until(lambda: self.korvane.memory_texts() == ["one", "two", "three"], 10,
                   "three memories")
        dialog = self.open_options()
        self.page(dialog, 4)  # 色の設定
        self.click_on_page("変更")  # the memory buttons' background
        # The system's colour chooser, owned by the dialog; its Red, Green and Blue fields.
        chooser = wait_until(lambda: next((w for w in self.session.windows()
                                           if w["owner"] == dialog["hwnd"] and w["visible"]),
                                          None), 5, "the colour chooser")
        chooser = self.session.dialog(chooser["caption"], self.pid)
        for control_id, value in ((COLOR_RED, "200"), (COLOR_GREEN, "40"), (COLOR_BLUE, "90")):
            field = next(c for c in chooser["controls"] if c["id"] == control_id)
            self.session.click_centre(field["rect"])
            self.session.xdotool("key", "End", "BackSpace", "BackSpace", "BackSpace")
            self.session.type_text(value)
        self.session.press(chooser, "OK")
        wait_until(lambda: self.session.driver("dialog", chooser["caption"].encode("utf-8").hex(),
                                               self.pid, 0, check=False).get("hwnd") is None,
                   5, "the chooser to close")
        self.screenshot("colour-page.png")
        self.close_with(dialog, "OK")

        def backgrounds():
            # Right of each caption, inside the button's frame.
            colour = self.session.screen_colours(self.korvane.info()["rect"])
            return [colour(panel["screen"]["right"] - 8, panel["screen"]["top"] + 10)
                    for panel, _ in self.korvane.memories()]

        # Every memory but the one that may have the focus (the selection colour).
        wait_until(lambda: backgrounds().count((200, 40, 90)) >= 2, 5,
                   "the memory buttons in the new colour")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.BACK_COLOR], 200 + 40 * 256 + 90 * 65536)

    def test_tab_stop_numbers_renumber_as_they_are_typed_and_are_packed(self):
        self.korvane.set_entries({settingsfile.TAB_ORDER: 1230000})
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]
        dialog = self.open_options()
        # Copy, paste, cut, undo, redo, erase-all, memories.
        fields = [c for c in self.page(dialog, 6) if c["class"] == "Edit"]

        def numbers():
            texts = {c["hwnd"]: c["text"]
                     for c in self.session.driver("children", self.page_hwnd)["children"]}
            return [texts[f["hwnd"]] for f in fields]

        self.assertEqual(numbers(), ["1", "2", "3", "0", "0", "0", "0"])
        steps = [  # field, typed over its number, all seven after
            (2, "1", ["2", "3", "1", "0", "0", "0", "0"]),
            (6, "1", ["3", "4", "2", "0", "0", "0", "1"]),
            (1, "0", ["3", "0", "2", "0", "0", "0", "1"]),
            (4, "7", ["3", "0", "2", "0", "7", "0", "1"]),
            # Entering at 7 pushes the 7 out of the order.
            (3, "7", ["3", "0", "2", "7", "0", "0", "1"]),
            # 9 is out of range: the field reads 0 and copy leaves the order.
            (0, "9", ["0", "0", "2", "6", "0", "0", "1"]),
        ]
        for index, typed, after in steps:
            self.session.click_centre(fields[index]["screen"])
            # Emptied first, which changes nothing, then the new digit.
            self.session.xdotool("key", "End", "BackSpace")
            self.session.type_text(typed)
            wait_until(lambda: numbers() == after, 5, f"{typed} in field {index}: {after}")
        self.close_with(dialog, "OK")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.TAB_ORDER], 26001)


if __name__ == "__main__":
    unittest.main()
