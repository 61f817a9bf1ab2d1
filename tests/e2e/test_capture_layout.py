"""The real Korvane.exe's window as copies arrive: its size follows the count of memories, a
column at a time, it grows in the configured direction and stays on the 1280 x 800 screen."""

import unittest

from kvharness import KorvaneTestCase, wait_until

PANEL = (130, 20)
TOGGLE_OFFSET = 131


def place(rect):
    return (rect["left"], rect["top"], rect["width"], rect["height"])


class LayoutTestCase(KorvaneTestCase):

    def copy_and_measure(self, count):
        """Copies `count` texts one by one; the window's (left, top, width, height) before the
        first and after each."""
        places = [place(self.korvane.info()["rect"])]
        for n in range(1, count + 1):
            self.session.copy(f"memory {n}")
            wait_until(lambda: len(self.korvane.memories()) == n, 10, f"memory {n}")
            places.append(place(self.korvane.info()["rect"]))
        return places

    def assert_grid(self, expected_lefts, expected_tops):
        """Panels at the given left and top edges in memory order, each with its toggle."""
        memories = self.korvane.memories()
        self.assertEqual([(p["rect"]["left"], p["rect"]["top"]) for p, _ in memories],
                         list(zip(expected_lefts, expected_tops)))
        for panel, toggle in memories:
            self.assertEqual((panel["rect"]["width"], panel["rect"]["height"]), PANEL)
            self.assertIsNotNone(toggle, f"no lock toggle right of {panel['text']!r}")


class GrowRightTest(LayoutTestCase):

    def test_numbered_window_adds_a_column_and_stays_on_screen(self):
        # Near the bottom right corner; memory numbers shown (margin 20), five to a column.
        self.korvane.set_settings(position=(700, 1050), per_column=5, grow_left=0,
                                  show_numbers=1)
        self.start_korvane()
        places = self.copy_and_measure(6)
        self.assertEqual(places, [
            (1050, 700, 191, 45),
            (1050, 700, 191, 70),
            (1050, 700, 191, 95),
            (1050, 680, 191, 120),  # the bottom would pass 800: moved up
            (1050, 655, 191, 145),
            (1050, 630, 191, 170),
            (918, 630, 362, 170),   # a second column; the right edge would pass 1280
        ])
        self.assert_grid([20] * 5 + [191], [40, 65, 90, 115, 140, 40])
        self.assert_painted()
        self.save_window_picture()



class GrowLeftTest(LayoutTestCase):

    def test_unnumbered_window_keeps_its_right_edge_until_the_screen_ends(self):
        # Numbers hidden (margin 8), one memory to a column so each copy adds a column; the
        # stored Left of a window growing to the left is its right edge.
        self.korvane.set_settings(position=(100, 400), per_column=1, grow_left=1,
                                  show_numbers=0)
        self.start_korvane()
        places = self.copy_and_measure(3)
        self.assertEqual(places, [
            (233, 100, 167, 45),
            (233, 100, 167, 70),
            (74, 100, 326, 70),  # right edge still at 400
            (1, 100, 485, 70),   # it would pass the left edge of the screen
        ])
        # Column 0 is the rightmost.
        self.assert_grid([326, 167, 8], [40, 40, 40])
        self.assert_painted()


if __name__ == "__main__":
    unittest.main()
