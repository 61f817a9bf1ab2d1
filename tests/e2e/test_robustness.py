"""What Windows users meet sooner or later, with the real Korvane.exe: an installation under a
folder named outside code page 932, the end of the session, a neighbour in the clipboard
viewer chain that hangs or dies, a clipboard held open, a flood of copies, a kill in the middle
of saving, and text that code page 932 cannot hold."""

import random
import subprocess
import threading
import time
import unittest
from collections import Counter

import settingsfile
from kvharness import Korvane, KorvaneTestCase, trace, wait_until

WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016


class RobustnessCase(KorvaneTestCase):

    def wait_memory(self, text, timeout=10):
        wait_until(lambda: text in self.korvane.memory_texts(), timeout, f"the memory {text!r}")

    def notepad_beside(self, korvane):
        """Notepad to the right of Korvane's window, its edit field focused and empty."""
        notepad = self.start_notepad()
        notepad.place(korvane["rect"]["right"] + 40, 100, 600, 400)
        edit = self.session.driver("children", notepad.hwnd)["children"][0]
        self.session.click(edit["screen"]["left"] + 50, edit["screen"]["top"] + 50)
        self.wait_foreground(notepad.hwnd, "notepad")
        return notepad

    def click_memory(self, caption):
        panel = next(p for p, _ in self.korvane.memories() if p["text"] == caption)
        self.session.click_centre(panel["screen"])


class UnusualFolderTest(RobustnessCase):

    def test_installation_under_a_folder_named_outside_code_page_932(self):
        # Accented Latin and Hangul: code page 932 has neither.
        self.korvane = Korvane(self.session, self.tmp, "Korvane-J\u00fcrgen-\ud55c\uad6d\uc5b4")
        self.korvane.set_settings(save_unlocked=1, skip_duplicates=1)
        self.korvane.write_memories(["locked one"])
        korvane = self.start_korvane()
        self.assertEqual(self.korvane.memory_texts(), ["locked one"])
        notepad = self.notepad_beside(korvane)
        self.session.copy("captured")
        self.wait_memory("captured")
        self.click_memory("captured")
        wait_until(lambda: notepad.edit()["text"] == "captured", 10, "the pasted text")
        self.stop_korvane()
        self.assertEqual(self.korvane.read_memories(), [b"locked one"])
        self.assertEqual(self.korvane.read_memories("Unlock"), [b"captured"])
        self.assertEqual(len(self.korvane.log_path.read_bytes().splitlines()), 15)


class SessionEndTest(RobustnessCase):

    def test_end_of_the_session_writes_settings_and_memories(self):
        self.korvane.set_settings(save_unlocked=1)
        self.korvane.write_memories(["locked"])
        self.start_korvane()
        self.session.copy("copied before the logoff")
        self.wait_memory("copied before the logoff")
        settings = self.korvane.dir / "Data" / "Setting.dat"
        settings.unlink()

        hwnd = self.korvane.hwnd
        self.assertNotEqual(self.session.driver("send", hwnd, WM_QUERYENDSESSION, 0, 0)["result"],
                            0, "Korvane must not hold the logoff up")
        self.session.driver("send", hwnd, WM_ENDSESSION, 1, 0)
        # Windows ends the process without closing its window.
        self.korvane.kill()
        self.assertTrue(settings.is_file(), "the settings were not written")
        self.assertEqual(settingsfile.parse(settings.read_bytes())[settingsfile.SAVE_UNLOCKED], 1)
        self.assertEqual(self.korvane.read_memories(), [b"locked"])
        self.assertEqual(self.korvane.read_memories("Unlock"), [b"copied before the logoff"])


class HungViewerTest(RobustnessCase):

    def test_a_viewer_behind_us_hanging_30_s_stops_nothing(self):
        viewer = self.start_viewer("hanging", hang_ms=30000)
        korvane = self.start_korvane()
        notepad = self.notepad_beside(korvane)
        self.session.copy("makes it hang")
        wait_until(lambda: any(e["event"] == "hang" for e in viewer.events()), 10,
                   "the viewer behind Korvane to hang in the notification")
        self.wait_memory("makes it hang")

        self.session.copy("while it hangs")
        self.wait_memory("while it hangs", timeout=5)
        started = time.monotonic()
        self.click_memory("while it hangs")
        wait_until(lambda: notepad.edit()["text"] == "while it hangs", 5, "the pasted text")
        trace(f"pasted {time.monotonic() - started:.2f} s after the click")
        self.assertFalse(any(e["event"] == "hang-end" for e in viewer.events()),
                         "the hang was over before Korvane was tried")
        self.assert_painted()
        viewer.kill()


class DeadViewerTest(RobustnessCase):

    def test_a_viewer_in_front_killed_in_the_chain_is_noticed(self):
        self.start_korvane()
        front = self.start_viewer("front")  # joins after Korvane: the chain starts with it
        self.session.copy("before")
        self.wait_memory("before")
        front.kill()
        for text in ("after its death", "and later"):
            started = time.monotonic()
            self.session.copy(text)
            self.wait_memory(text, timeout=5)
            trace(f"{text!r} captured {time.monotonic() - started:.2f} s after the copy")
        self._viewers.remove(front)


class HeldClipboardTest(RobustnessCase):

    def test_a_copy_held_open_for_300_ms_is_not_lost(self):
        self.korvane.set_settings(memory_limit=9, skip_duplicates=0)
        self.start_korvane()
        texts = [f"held {i}" for i in range(6)]
        for text in texts:
            self.session.driver("clip-hold", text.encode("utf-8").hex(), 300)
            self.wait_memory(text, timeout=5)
        self.assertEqual(self.korvane.memory_texts(), texts)


class FloodTest(RobustnessCase):

    def test_copies_every_10_ms_reach_the_viewer_behind_and_close_stays_quick(self):
        self.korvane.set_settings(memory_limit=5, skip_duplicates=0, save_unlocked=1)
        viewer = self.start_viewer("behind")
        self.start_korvane()
        flood = {}
        thread = threading.Thread(target=lambda: flood.update(
            self.session.driver("copy-flood", 10, 30000, timeout=90)))
        thread.start()
        try:
            wait_until(lambda: len(viewer.texts()) > 1000, 40, "a thousand copies",
                       interval=1)
            # Served means the shut-down has begun: it writes the settings first. (Leaving
            # the notification area takes Wine two seconds here, with or without a flood.)
            settings = self.korvane.dir / "Data" / "Setting.dat"
            settings.unlink()
            started = time.monotonic()  # the driver's own start counts too: an upper bound
            self.session.driver("close", self.korvane.hwnd)
            wait_until(settings.is_file, 10, "the shut-down to write the settings",
                       interval=0.02)
            served = time.monotonic() - started
            trace(f"WM_CLOSE served {served:.2f} s after it was posted, during the flood")
            code = self.korvane.process.wait(timeout=15)
        finally:
            thread.join()
        self.assertEqual(code, 0)
        self.assertLess(served, 2.0, "WM_CLOSE was not served within 2 s during the flood")
        copies = flood["copies"]
        trace(f"{copies} copies")
        # One notification per copy (the viewer reads the clipboard when it hears of it).
        flooded = lambda: sum(1 for t in viewer.texts() if t and t.startswith("flood "))
        wait_until(lambda: flooded() >= copies, 60,
                   f"the viewer behind Korvane to hear all {copies} copies")
        # Nothing read twice: without the duplicate test, a twice-read copy would show twice.
        kept = self.korvane.read_memories("Unlock")
        self.assertEqual(len(kept), len(set(kept)), f"a copy kept twice: {kept}")


class KillDuringSavesTest(RobustnessCase):

    def test_killed_at_random_moments_while_saving_nothing_is_lost_or_doubled(self):
        self.korvane.set_entries({settingsfile.SAVE_ON_LOCK: 1, settingsfile.SAVE_UNLOCKED: 1,
                                  settingsfile.MEMORY_LIMIT: 9})
        self.korvane.write_memories(["L1", "L2", "L3"])
        self.korvane.write_memories(["U1", "U2", "U3"], "Unlock")
        expected = Counter(["L1", "L2", "L3", "U1", "U2", "U3"])
        rng = random.Random(9)
        clicks = 0
        while clicks < 200:
            self.start_korvane()
            self.assertEqual(Counter(self.korvane.memory_texts()), expected)
            # Two lock toggles far apart, in turn (the same spot twice would be a double
            # click): each click locks or unlocks a memory, and each change is saved.
            toggles = [t["screen"] for _, t in self.korvane.memories()]
            a, b = toggles[0], toggles[-1]
            chain = []
            for _ in range(40):  # more than the longest round needs
                for t in (a, b):
                    chain += ["mousemove", t["left"] + 10, t["top"] + 10, "click", "1",
                              "sleep", "0.04"]
            kill_at = rng.uniform(0.3, 4.0)
            clicker = subprocess.Popen(["xdotool", *map(str, chain)], env=self.session.env,
                                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            started = time.monotonic()
            time.sleep(kill_at)  # the kill is the event here: a random moment of the saves
            self.korvane.kill()
            clicks += int((time.monotonic() - started) / 0.06)
            clicker.kill()
            clicker.wait()
            trace(f"killed after {kill_at:.2f} s, about {clicks} saves so far")
        self.start_korvane()
        self.assertEqual(Counter(self.korvane.memory_texts()), expected)


class UnicodeTextTest(RobustnessCase):

    def test_text_outside_code_page_932_pastes_back_exactly(self):
        text = "caf\u00e9 \U0001F600 \ud55c\uad6d\uc5b4 \u65e5\u672c\u8a9e"
        korvane = self.start_korvane()
        notepad = self.notepad_beside(korvane)
        notepad.set_text(text)
        wait_until(lambda: notepad.edit()["text"] == text, 5, "the text in notepad")
        self.session.xdotool("key", "ctrl+a", "ctrl+c")
        caption = "caf? ?? ??? \u65e5\u672c\u8a9e"  # no look-alikes, such as "cafe"
        self.wait_memory(caption)
        self.session.xdotool("key", "ctrl+a", "BackSpace")
        wait_until(lambda: notepad.edit()["text"] == "", 5, "an empty notepad")
        self.click_memory(caption)
        wait_until(lambda: notepad.edit()["text"] == text, 10, "the text pasted back")


if __name__ == "__main__":
    unittest.main()
