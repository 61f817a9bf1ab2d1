"""The real Korvane.exe with a full window of 99 memories: after 50 copies, each dropping the
oldest unlocked memory, the window is pixel for pixel the one a fresh start with the same
memories shows."""

import subprocess
import unittest

import settingsfile as sf
from kvharness import KorvaneTestCase, artifacts_dir, caption_of, cp932, wait_until

LIMIT = 99
LOCKED = [f"locked memory {i}" for i in range(3)]
OPTION_BUTTONS = (sf.COPY_BUTTON, sf.PASTE_BUTTON, sf.CUT_BUTTON, sf.UNDO_BUTTON,
                  sf.REDO_BUTTON, sf.ALL_ERASE_BUTTON)


class LargeWindowTest(KorvaneTestCase):

    def window_picture(self, name):
        """Korvane's window as the screen shows it: saved as <name>.png beside the test's other
        evidence, and returned as raw RGB bytes."""
        rect = self.korvane.info()["rect"]
        screen = self.screenshot(f"{name}-screen.png")
        crop = ["-crop", f"{rect['width']}x{rect['height']}+{rect['left']}+{rect['top']}",
                "+repage"]
        picture = artifacts_dir() / self.id() / f"{name}.png"
        subprocess.run(["convert", str(screen), *crop, str(picture)], check=True, timeout=30)
        print(f"window picture: {picture}")
        return subprocess.run(["convert", str(screen), *crop, "rgb:-"], check=True, timeout=30,
                              capture_output=True).stdout

    def seen(self):
        """Every memory's caption, place and lock, in memory order."""
        return [(panel["text"], panel["rect"], toggle and toggle["rect"], toggle and toggle["check"])
                for panel, toggle in self.korvane.memories()]

    def settle(self, newest):
        """Waits until the newest memory shows its caption and every control has painted."""
        newest = caption_of(cp932(newest))
        wait_until(lambda: self.korvane.memory_texts()[-1:] == [newest], 30, f"{newest!r} shown")
        wait_until(lambda: len(self.korvane.memories()) == LIMIT, 10, "99 memories")
        self.assert_painted(timeout=10)

    def test_fifty_copies_at_the_limit_look_like_a_fresh_start(self):
        # Numbered, 20 to a column, every option button; three locked memories among them. The
        # pointer rests away from the window: a preview would cover part of it.
        self.korvane.set_settings(position=(20, 20), per_column=20, memory_limit=LIMIT,
                                  save_unlocked=1, show_numbers=1, skip_duplicates=0)
        self.korvane.set_entries({entry: 1 for entry in OPTION_BUTTONS})
        self.korvane.write_memories(LOCKED)
        saved = [f"saved {i:02d} and a text longer than its caption"
                 for i in range(LIMIT - len(LOCKED))]
        self.korvane.write_memories(saved, group="Unlock")
        self.session.xdotool("mousemove", 1200, 700)
        self.start_korvane()
        self.settle(saved[-1])

        copies = [f"copy {i:02d} and a text longer than its caption" for i in range(50)]
        for text in copies:
            self.session.copy(text)
        self.settle(copies[-1])
        copied = self.window_picture("after-50-copies")
        copied_seen = self.seen()
        self.stop_korvane()  # the memories are saved as they are shown

        # Joining the viewer chain shows Korvane the clipboard as a copy: an empty one.
        self.session.clear_clipboard()
        self.start_korvane()
        self.settle(copies[-1])
        fresh = self.window_picture("fresh-start")
        self.assertEqual(self.seen(), copied_seen)
        self.assertEqual(len(copied), len(fresh))
        differing = sum(a != b for a, b in zip(copied, fresh))
        self.assertEqual(differing, 0, "bytes differing between the two pictures")
        self.stop_korvane()


if __name__ == "__main__":
    unittest.main()
