"""Start-up of the real Korvane.exe: the start-up log, the single instance, the main window."""

import unittest

from kvharness import HarnessError, KorvaneTestCase, wait_until

# One line per start-up step, in order.
LOG_LINES = [
    "Start Soft", "SetTaskTray()", "Open Setting.dat", "OpenInstitution()",
    "LoadCommonImage()", "Init2()", "OpenMemoryGroup()", "CreateMemoryTable()",
    "SetFormSize()", "CreateOptionButton()", "SetControlPosition()", "SetTabOrder()",
    "SetHotKey()", "SetClipboard()", "Refresh()",
]
EXPECTED_LOG = b"".join(line.encode("ascii") + b"\r\n" for line in LOG_LINES)

WS_POPUP = 0x80000000
WS_CAPTION = 0x00C00000
WS_BORDER = 0x00800000
WS_THICKFRAME = 0x00040000
WS_EX_APPWINDOW = 0x00040000


class StartupLogTest(KorvaneTestCase):

    def settled_log(self):
        """log.txt once it reads as expected, or as it stands after 5 s."""
        # The log is complete before the window shows; the wait only covers a slow disk.
        path = self.korvane.log_path
        try:
            wait_until(lambda: path.exists() and path.read_bytes() == EXPECTED_LOG, 5, "log.txt")
        except HarnessError:
            pass
        self.assertTrue(path.exists(), "no log.txt beside Korvane.exe")
        return path.read_bytes()

    def test_each_start_writes_the_fifteen_steps_afresh(self):
        self.start_korvane()
        self.assertEqual(self.settled_log(), EXPECTED_LOG)
        self.stop_korvane()

        # Longer than the real log, so that appending or writing without truncating shows.
        junk = b"junk from an earlier run\r\n" * 40
        self.korvane.log_path.write_bytes(junk)
        self.start_korvane()
        self.assertEqual(self.settled_log(), EXPECTED_LOG)
        self.stop_korvane()


class SingleInstanceTest(KorvaneTestCase):

    def test_second_start_ends_with_1_and_leaves_the_first_alone(self):
        first = self.start_korvane()
        wait_until(lambda: self.korvane.log_path.exists()
                   and self.korvane.log_path.read_bytes().endswith(b"Refresh()\r\n"), 5,
                   "the first instance's log")
        log_before = self.korvane.log_path.read_bytes()
        known_pids = {w["pid"] for w in self.session.windows()}

        second = self.korvane.start_second()
        new_windows = []

        def ended():
            # Every look on the way is kept: a window shown for a moment counts too.
            new_windows.extend(w for w in self.session.windows()
                               if w["visible"] and w["pid"] not in known_pids)
            return second.poll() is not None
        try:
            wait_until(ended, 20, "the second Korvane.exe to end")
        except HarnessError:
            second.kill()
            second.wait(10)
            raise

        self.assertEqual(second.returncode, 1)
        self.assertEqual(new_windows, [], "the second instance showed a window")
        self.assertIsNone(self.korvane.process.poll(), "the first instance ended")
        still = self.session.driver("find", "Korvane", 0, check=False)
        self.assertEqual(still.get("hwnd"), first["hwnd"], "the first instance's window is gone")
        self.assertEqual(self.korvane.log_path.read_bytes(), log_before)
        self.stop_korvane()


class MainWindowTest(KorvaneTestCase):

    def test_borderless_popup_without_taskbar_button(self):
        self.start_korvane()
        info = self.korvane.info()
        style = int(info["style"], 16)
        exstyle = int(info["exstyle"], 16)
        self.assertEqual(info["caption"], "Korvane")
        self.assertTrue(info["visible"])
        self.assertTrue(style & WS_POPUP, f"style {info['style']} is not WS_POPUP")
        for name, bit in (("WS_CAPTION", WS_CAPTION), ("WS_BORDER", WS_BORDER),
                          ("WS_THICKFRAME", WS_THICKFRAME)):
            self.assertFalse(style & bit, f"style {info['style']} has {name}")
        # The taskbar shows unowned visible windows and those with WS_EX_APPWINDOW.
        self.assertNotEqual(info["owner"], 0, "the main window has no owner")
        self.assertFalse(exstyle & WS_EX_APPWINDOW,
                         f"exstyle {info['exstyle']} has WS_EX_APPWINDOW")
        self.assertFalse(info["owner_visible"], "the owner window is visible")
        # Borderless: the client area is the whole window.
        self.assertEqual((info["client"]["width"], info["client"]["height"]),
                         (info["rect"]["width"], info["rect"]["height"]))
        self.stop_korvane()


class SettingsTest(KorvaneTestCase):

    def position_in_settings(self):
        """The "Formの位置" entry of Data\\Setting.dat: the line after its key line."""
        lines = (self.korvane.dir / "Data" / "Setting.dat").read_bytes().split(b"\r\n")
        key = "/////Formの位置/////".encode("cp932")
        return lines[lines.index(key) + 1].decode("ascii")

    def test_window_position_survives_a_restart(self):
        window = self.start_korvane()
        width, height = window["rect"]["width"], window["rect"]["height"]
        self.session.driver("move", self.korvane.hwnd, 420, 310, width, height)
        wait_until(lambda: self.korvane.info()["rect"]["left"] == 420, 5, "the window to move")
        self.stop_korvane()
        self.assertEqual(self.position_in_settings(), "310 420")  # Top, then Left

        window = self.start_korvane()
        self.assertEqual((window["rect"]["left"], window["rect"]["top"]), (420, 310))
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
