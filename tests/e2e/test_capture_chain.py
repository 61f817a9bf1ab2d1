"""The real Korvane.exe in the clipboard viewer chain with other viewers (kvdriver viewer) that
joined before it and so follow it: they are told of every copy, the chain is mended when one of
them leaves, and Korvane's own leaving at exit keeps the rest of the chain."""

import unittest

from kvharness import KorvaneTestCase


class ViewerChainTest(KorvaneTestCase):

    def copy(self, text, viewer):
        self.session.copy(text)
        viewer.wait_text(text)

    def test_viewers_behind_korvane_hear_every_copy_and_may_leave(self):
        # Each joins at the front: the chain is Korvane, second, first.
        first = self.start_viewer("first")
        second = self.start_viewer("second")
        self.start_korvane()

        self.copy("one", first)
        self.assertEqual(self.korvane.memory_texts(), ["one"])
        self.assertIn("one", second.texts())

        # The viewer right after Korvane leaves: Korvane takes its successor and does not pass
        # the removal on (passed on, it would reach the leaving viewer and the first one).
        second.leave()
        self.assertEqual(second.chain_changes(), [])
        self.assertEqual(first.chain_changes(), [])
        self.copy("two", first)
        self.assertEqual(self.korvane.memory_texts(), ["one", "two"])

        self.stop_korvane()
        self.copy("three", first)
        self.assertEqual([t for t in first.texts() if t is not None], ["one", "two", "three"])
        self.assertEqual([t for t in second.texts() if t is not None], ["one"])


if __name__ == "__main__":
    unittest.main()
