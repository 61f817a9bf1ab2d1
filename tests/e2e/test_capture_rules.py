"""Which copies the real Korvane.exe keeps: the memory limit drops the oldest unlocked memory,
private and duplicate copies are left out, and watching can be off from the start. A viewer
that joined the chain before Korvane is told of every copy, kept or not; once it has been, Korvane
is done with that copy."""

import unittest

from kvharness import KorvaneTestCase, wait_until

BST_CHECKED = 1


class KorvaneWithViewerTestCase(KorvaneTestCase):

    def start_with_viewer(self):
        self.viewer = self.start_viewer("behind")
        return self.start_korvane()

    def copy(self, text):
        self.session.copy(text)
        self.viewer.wait_text(text)

    def copies_seen_by_viewer(self):
        return [text for text in self.viewer.texts() if text is not None]

    def checks(self):
        return [toggle["check"] for _, toggle in self.korvane.memories()]


class MemoryLimitTest(KorvaneWithViewerTestCase):

    def test_oldest_unlocked_memory_goes_and_locked_ones_fill_the_limit(self):
        self.korvane.set_settings(memory_limit=5)
        self.korvane.write_memories(["locked 1", "locked 2"])
        self.start_with_viewer()
        for i in (1, 2, 3):
            self.copy(f"copy {i}")
        self.assertEqual(self.korvane.memory_texts(),
                         ["locked 1", "locked 2", "copy 1", "copy 2", "copy 3"])

        self.copy("copy 4")
        shown = [(panel["text"], panel["rect"]["top"]) for panel, _ in self.korvane.memories()]
        # Everything after the dropped memory moves up one row and one number.
        self.assertEqual(shown, [("locked 1", 40), ("locked 2", 65), ("copy 2", 90),
                                 ("copy 3", 115), ("copy 4", 140)])
        self.assertEqual(self.korvane.info()["rect"]["height"], 5 * 25 + 45)

        # Down to one unlocked memory: that one goes.
        self.lock(2)
        self.lock(3)
        self.copy("copy 5")
        self.assertEqual(self.korvane.memory_texts(),
                         ["locked 1", "locked 2", "copy 2", "copy 3", "copy 5"])
        self.assertEqual(self.checks(), [BST_CHECKED] * 4 + [0])

        # Locked memories fill the limit: no room for a copy.
        self.lock(4)
        self.copy("copy 6")
        self.assertEqual(self.korvane.memory_texts(),
                         ["locked 1", "locked 2", "copy 2", "copy 3", "copy 5"])
        self.assertEqual(self.checks(), [BST_CHECKED] * 5)

    def lock(self, row):
        _, toggle = self.korvane.memories()[row]
        self.session.click_centre(toggle["screen"])
        wait_until(lambda: self.checks()[row] == BST_CHECKED, 10, f"memory {row} locked")


class CopiesLeftOutTest(KorvaneWithViewerTestCase):

    def test_private_and_duplicate_copies_are_not_kept_but_passed_on(self):
        self.korvane.write_memories(["locked"])
        self.start_with_viewer()

        self.copy("kept one")
        # Marks of a password manager: a copy with any of them is not kept...
        for text, mark, value in [
                ("password 1", "ExcludeClipboardContentFromMonitorProcessing", 0),
                ("password 2", "Clipboard Viewer Ignore", 0),
                ("password 3", "CanIncludeInClipboardHistory", 0),
                # ...except history explicitly allowed.
                ("history allowed", "CanIncludeInClipboardHistory", 1)]:
            self.session.copy_marked(text, mark, value)
            self.viewer.wait_text(text)
        # The shipped settings skip a text that a memory holds, locked or not.
        self.copy("locked")
        self.copy("kept one")
        self.copy("kept two")

        self.assertEqual(self.korvane.memory_texts(),
                         ["locked", "kept one", "history allowed", "kept two"])
        self.assertEqual(self.copies_seen_by_viewer(),
                         ["kept one", "password 1", "password 2", "password 3",
                          "history allowed", "locked", "kept one", "kept two"])


class DuplicatesKeptTest(KorvaneWithViewerTestCase):

    def test_with_skipping_off_every_copy_is_kept(self):
        self.korvane.set_settings(skip_duplicates=0)
        self.korvane.write_memories(["same"])
        self.start_with_viewer()
        for text in ("twice", "twice", "same"):
            self.copy(text)
        self.assertEqual(self.korvane.memory_texts(), ["same", "twice", "twice", "same"])


class WatchingOffTest(KorvaneWithViewerTestCase):

    def test_watching_off_at_start_keeps_nothing_and_passes_every_copy_on(self):
        # Kept for the next start, and off.
        self.korvane.set_settings(keep_watch=1, watch=0)
        self.start_with_viewer()
        self.copy("not watched")
        self.copy("still not watched")
        self.assertEqual(self.korvane.memory_texts(), [])
        self.assertEqual(self.copies_seen_by_viewer(), ["not watched", "still not watched"])


if __name__ == "__main__":
    unittest.main()
