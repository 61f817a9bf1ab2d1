"""The ways to the window with the real Korvane.exe: the tray icon in Wine's notification area,
the popup menu it opens, and the activation hotkey pressed on the X side."""

import unittest

import settingsfile
from kvharness import KorvaneTestCase, driver_path, end_process, wait_until, windows_path

TRAY_ID = 100
WS_EX_TOPMOST = 0x8
VK_F12 = 0x7B
MOD_CONTROL = 2

# The menu's items as the keyboard walks them (separators are passed over): the n-th Down
# selects item n-1.
MENU_KEYS = {
    "watch": 5,       # クリップボードの監視
    "on_top": 6,      # 常に前面に表示
    "help": 8,        # ヘルプ
    "exit": 9,        # プログラムの終了
}


class ShellTestCase(KorvaneTestCase):

    def tray_icon(self):
        """Our icon in Wine's own notification area window (there is no other tray here)."""
        tray = self.session.driver("find", "__winex11_standalone_tray", 10000, "--class")
        icons = self.session.driver("children", tray["hwnd"])["children"]
        self.assertEqual(len(icons), 1, "one icon in the notification area: ours")
        return icons[0]["screen"]

    def click_tray(self, button):
        icon = self.tray_icon()
        x, y = (icon["left"] + icon["right"]) // 2, (icon["top"] + icon["bottom"]) // 2
        self.session.move_pointer(x, y)
        self.session.xdotool("click", button)
        return x, y

    def open_menu(self):
        """A right press on the tray icon; returns the open menu window and where it was asked."""
        at = self.click_tray(3)
        menu = self.session.driver("find", "#32768", 5000, "--class")
        return menu, at

    def menu_gone(self):
        return self.session.driver("find", "#32768", "--class", check=False).get("hwnd") is None

    def choose(self, item):
        self.open_menu()
        self.session.xdotool("key", *(["Down"] * MENU_KEYS[item]), "Return")
        wait_until(self.menu_gone, 5, "the menu to close")

    def topmost(self, hwnd):
        return bool(int(self.session.driver("info", hwnd)["exstyle"], 16) & WS_EX_TOPMOST)

    def configure(self, changes):
        """Changes entries of the installation's settings file (settingsfile numbers)."""
        path = self.korvane.dir / "Data" / "Setting.dat"
        settings = settingsfile.parse(path.read_bytes())
        settings.update(changes)
        path.write_bytes(settingsfile.compose(settings))

    def stored_settings(self):
        return settingsfile.parse((self.korvane.dir / "Data" / "Setting.dat").read_bytes())

    def active_notepad(self):
        notepad = self.start_notepad()
        notepad.place(400, 200, 500, 300)
        self.activate_window(notepad.hwnd, "notepad")
        return notepad

    def press_in(self, notepad, key):
        """A key pressed while notepad is active. Without a window manager X sends keys to the
        window under the pointer, so the pointer rests on notepad."""
        rect = self.session.driver("info", notepad.hwnd)["rect"]
        self.session.xdotool("mousemove", (rect["left"] + rect["right"]) // 2,
                             (rect["top"] + rect["bottom"]) // 2)
        self.session.xdotool("key", key)


class TrayTest(ShellTestCase):

    def test_icon_lives_from_start_to_exit_and_its_right_press_opens_the_menu(self):
        korvane = self.start_korvane()
        self.assertTrue(self.session.driver("tray", korvane["hwnd"], TRAY_ID)["present"])

        menu, (x, y) = self.open_menu()
        # Opened on the press, at the cursor, by our window, which came to the foreground.
        self.assertEqual(menu["pid"], korvane["pid"])
        self.assertEqual((menu["rect"]["left"], menu["rect"]["top"]), (x, y))
        self.assertEqual(self.session.driver("foreground")["hwnd"], korvane["hwnd"])
        # Thirteen items: nine of them text, 20 pixels high or so, and four separator lines.
        self.assertGreater(menu["rect"]["height"], 9 * 16 + 4 * 5)
        self.screenshot("popup-menu.png")
        self.session.xdotool("key", "Escape")
        wait_until(self.menu_gone, 5, "the menu to close")

        self.stop_korvane()
        self.assertFalse(self.session.driver("tray", korvane["hwnd"], TRAY_ID)["present"])

    def test_left_press_shows_the_window_and_unhides_with_the_setting(self):
        for unhides in (True, False):
            with self.subTest(unhides=unhides):
                self.configure({settingsfile.HIDDEN: 1, settingsfile.KEEP_HIDDEN: 1,
                                settingsfile.TRAY_UNHIDES: int(unhides)})
                korvane = self.start_korvane()
                self.assertFalse(self.session.driver("hide", korvane["hwnd"])["visible"])

                self.click_tray(1)
                wait_until(lambda: self.session.driver("info", korvane["hwnd"])["visible"], 5,
                           "the window to show")
                self.wait_foreground(korvane["hwnd"], "Korvane")
                self.assertTrue(self.menu_gone(), "a left press opens no menu")
                self.stop_korvane()
                self.assertEqual(self.stored_settings()[settingsfile.HIDDEN], 0 if unhides else 1)


class MenuTest(ShellTestCase):

    def test_always_on_top_twice_returns_to_the_normal_band(self):
        self.configure({settingsfile.ALWAYS_ON_TOP: 0})
        korvane = self.start_korvane()
        self.assertFalse(self.topmost(korvane["hwnd"]))
        self.choose("on_top")
        wait_until(lambda: self.topmost(korvane["hwnd"]), 5, "the window to be topmost")
        self.choose("on_top")
        wait_until(lambda: not self.topmost(korvane["hwnd"]), 5, "the window to leave the band")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.ALWAYS_ON_TOP], 0)

    def test_watching_off_stops_capture_while_the_chain_still_hears_and_exit_saves(self):
        behind = self.start_viewer("behind")  # joins first, so it follows Korvane
        self.start_korvane()
        self.session.copy("before")
        wait_until(lambda: self.korvane.memory_texts() == ["before"], 10, "the first memory")

        self.choose("watch")
        self.session.copy("unseen")
        # Korvane captures before it passes a copy on: once the viewer behind it has heard
        # of the copy, Korvane is done with it.
        behind.wait_text("unseen")
        self.assertEqual(self.korvane.memory_texts(), ["before"])

        self.choose("watch")
        self.session.copy("after")
        # Nor was "unseen" taken late, on a second look at the clipboard: it would stand
        # before "after".
        wait_until(lambda: self.korvane.memory_texts() == ["before", "after"], 10,
                   "capture to be on again")
        behind.wait_text("after")

        # Off again, then "プログラムの終了": the program ends normally and writes its settings.
        self.choose("watch")
        self.choose("exit")
        code = self.korvane.process.wait(timeout=15)
        self.assertEqual(code, 0)
        self.assertEqual(self.stored_settings()[settingsfile.WATCH], 0)

    def test_help_opens_the_help_window(self):
        korvane = self.start_korvane()
        self.choose("help")
        help_window = self.session.driver("find", "Korvane ヘルプ", 10000)
        self.assertEqual(help_window["pid"], korvane["pid"])
        self.screenshot("help.png")
        self.session.driver("close", help_window["hwnd"])
        wait_until(lambda: self.session.driver("find", "Korvane ヘルプ", check=False)
                   .get("hwnd") is None, 5, "the help window to close")
        self.stop_korvane()

    def test_right_click_on_the_window_opens_the_menu_there(self):
        self.korvane.write_memories(["locked"])
        self.start_korvane()
        panel, _ = self.korvane.memories()[0]
        x, y = panel["screen"]["left"] + 20, panel["screen"]["top"] + 5
        self.session.move_pointer(x, y)
        self.session.xdotool("click", 3)
        menu = self.session.driver("find", "#32768", 5000, "--class")
        self.assertEqual((menu["rect"]["left"], menu["rect"]["top"]), (x, y))
        self.session.xdotool("key", "Escape")
        wait_until(self.menu_gone, 5, "the menu to close")
        self.stop_korvane()


class DragTest(ShellTestCase):

    def window_rect(self, hwnd):
        return self.session.driver("info", hwnd)["rect"]

    def dragging(self, hwnd):
        """Whether the window's thread is in the system's move loop."""
        return self.session.driver("gui", hwnd)["move_size"]

    def release(self, hwnd):
        self.session.xdotool("mouseup", 1)
        wait_until(lambda: not self.dragging(hwnd), 5, "the drag to end")

    def test_the_window_is_dragged_by_its_own_area_and_stops_at_the_screen_edge(self):
        korvane = self.start_korvane()
        hwnd = korvane["hwnd"]
        rect = korvane["rect"]
        # The frame's corner: no button there.
        x, y = rect["left"] + 4, rect["top"] + 4
        self.session.move_pointer(x, y)
        self.session.xdotool("mousedown", 1)
        for step in range(1, 6):
            self.session.xdotool("mousemove", x + 40 * step, y + 30 * step)
        # The system's drag: the window follows the pointer while the button is held.
        moved = wait_until(lambda: (lambda r: r if r["left"] == rect["left"] + 200 else None)(
            self.window_rect(hwnd)), 5, "the window to follow")
        self.assertTrue(self.dragging(hwnd), "the window moved without the system's drag")
        self.release(hwnd)
        self.assertEqual(moved["top"], rect["top"] + 150)
        self.assertEqual(self.window_rect(hwnd), moved)

        # Pulled past the left edge, it rests against it.
        x, y = moved["left"] + 4, moved["top"] + 4
        self.session.move_pointer(x, y)
        self.session.xdotool("mousedown", 1)
        for step in range(1, 6):
            self.session.xdotool("mousemove", max(0, x - 100 * step), y)
        wait_until(lambda: self.window_rect(hwnd)["left"] == 0, 5,
                   "the window to stop at the left edge")
        self.release(hwnd)
        self.assertEqual((self.window_rect(hwnd)["left"], self.window_rect(hwnd)["top"]),
                         (0, moved["top"]))
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.POSITION], (moved["top"], 0))


class HotKeyTest(ShellTestCase):

    def test_the_hotkey_brings_the_window_forward(self):
        korvane = self.start_korvane()
        notepad = self.active_notepad()
        self.press_in(notepad, "ctrl+F12")
        self.wait_foreground(korvane["hwnd"], "Korvane, on Ctrl+F12,")
        self.stop_korvane()

    def test_a_hotkey_taken_by_another_program_leaves_korvane_without_one_silently(self):
        log = self.tmp / "holder.log"
        holder = self.session.wine(driver_path(), "hold-hotkey", MOD_CONTROL, VK_F12,
                                   windows_path(log))
        try:
            wait_until(lambda: log.exists() and "registered" in log.read_text(), 15,
                       "the other program to take Ctrl+F12")
            korvane = self.start_korvane()
            # Start-up went on past SetHotKey() to its last step: no error box held it up.
            steps = self.korvane.log_path
            wait_until(lambda: steps.exists() and steps.read_bytes().endswith(b"Refresh()\r\n"),
                       10, "the start-up log's last step")
            self.assertIn(b"SetHotKey()\r\nSetClipboard()\r\n", steps.read_bytes())
            # And no box left behind: the only visible window of the process is ours.
            ours = [w for w in self.session.windows() if w["pid"] == korvane["pid"] and w["visible"]]
            self.assertEqual([(w["hwnd"], w["class"]) for w in ours],
                             [(korvane["hwnd"], "KorvaneMainWindow")])

            notepad = self.active_notepad()
            self.press_in(notepad, "ctrl+F12")
            wait_until(lambda: "hotkey" in log.read_text(), 5, "the holder to get its hotkey")
            self.assertNotEqual(self.session.driver("foreground")["hwnd"], korvane["hwnd"])
            self.stop_korvane()
        finally:
            end_process(holder)


if __name__ == "__main__":
    unittest.main()
