"""Korvane.exe's speed against minimal Win32 programs that do only the measured part of its work,
under Wine on a private Xvfb display and Wine prefix. It prints numbers and asserts nothing; it is
not part of the test command.

    python3 bench/run_bench.py [--runs N] [WINDOWS_BUILD_FOLDER]   (default build/win)

The Windows build must have made Korvane/Korvane.exe, tests/e2e/driver/kvdriver.exe and
bench/bench_viewer.exe, bench/bench_window.exe. The stopwatch is kvdriver's (time-start,
time-copy): it runs inside the prefix, so that starting a Wine process per look does not count.

  start    process start -> visible window: Korvane.exe vs bench_window.exe
  copy     copy -> the new memory button shows its caption: Korvane.exe, while its window
           fills up to the memory limit and once it is full
           vs copy -> bench_viewer.exe has read the text (and shows its start as its title)
  10 MB    the same copy with a text of 10 MB (target: under 100 ms for Korvane)
  preview  mouse onto a memory -> its preview window visible, for a text of 100 bytes and
           one of 10 MB (aim: under 50 ms both), timed by kvdriver time-preview
  99       a full window of 99 memories (MemoryLimit 99, SaveUnlocked on, 99 unlocked memories
           on disk, 20 to a column, numbers shown, all option buttons) against the same settings
           with none: start -> visible window (target: at 99 <= 1.5 x at 0); and copy -> the
           notification forwarded to the next viewer in the chain (bench_viewer.exe behind
           Korvane shows the copied text) at the limit of 99 and at a limit of 5 (target: at
           99 <= 1.3 x at 5), each also against bench_viewer.exe alone; for a copy made
           while the chain is idle and for one made as soon as the copy before it has reached
           the viewer (Korvane may still be taking that one)
  slide    the slide into the top edge of a window 170 high with steps of 10 (17 steps every
           5 ms: 85 ms at best): the interval between steps (median, 95th percentile) and the
           whole slide, watched by kvdriver time-slide from inside the prefix
"""

import argparse
import os
import statistics
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

import kvharness  # noqa: E402
import settingsfile  # noqa: E402

TARGET_RATIO = 1.3
BIG_CHARS = 10 * 1024 * 1024  # one byte each in code page 932
BIG_TARGET_MS = 100
# The shipped memory limit: after this many copies the window is full and each copy also drops
# the oldest memory.
MEMORY_LIMIT = 10
# The large window: its memory limit, a column of 20, and the small one it is compared with.
LARGE_LIMIT = 99
SMALL_LIMIT = 5
LARGE_PER_COLUMN = 20
START_TARGET = 1.5
# How kvdriver time-copy pads a text up to the size asked for.
FILLER_START = "0123456789 the quick brown fox"


def median_ms(values):
    return statistics.median(values) if values else float("nan")


class Bench:

    def __init__(self, build, runs):
        self.build = build
        self.runs = runs
        self.session = kvharness.acquire()
        self.korvane = kvharness.Korvane(
            self.session, Path(tempfile.mkdtemp(prefix="bench-", dir=self.session.root)))
        self.window_exe = kvharness.windows_path(build / "bench" / "bench_window.exe")
        self.viewer_exe = build / "bench" / "bench_viewer.exe"

    def time_start(self, exe, caption):
        answer = self.session.driver("time-start", exe, caption, 30000, timeout=60)
        if answer.get("exit") != 0:
            raise kvharness.HarnessError(f"{exe} ended with {answer.get('exit')}")
        return answer["ms"]

    def start_times(self):
        korvane_exe = kvharness.windows_path(self.korvane.exe)
        korvane, bare = [], []
        # The first start of each only warms the caches; alternating keeps the two comparable.
        for run in range(self.runs + 1):
            k = self.time_start(korvane_exe, "Korvane")
            b = self.time_start(self.window_exe, "KvBenchWindow")
            if run > 0:
                korvane.append(k)
                bare.append(b)
        return korvane, bare

    def copy_times(self, hwnd, label, runs, chars=0):
        """Copies `runs` distinct texts to the clipboard, one by one; for each, the time until
        the window shows it and the time the copy itself took."""
        times = []
        for run in range(runs):
            text = f"{label} {run:03d} "
            caption = text if chars == 0 else (text + FILLER_START)[:24]
            answer = self.session.driver("time-copy", hwnd, caption.encode("utf-8").hex(),
                                         text.encode("utf-8").hex(), chars, 60000, timeout=120)
            times.append((answer["ms"], answer["copy_ms"]))
        return times

    def with_korvane(self, measure):
        self.session.clear_clipboard()
        self.korvane.start()
        try:
            hwnd = self.korvane.wait_window()["hwnd"]
            return measure(hwnd)
        finally:
            self.korvane.close(timeout=60)

    def with_bare_viewer(self, measure):
        self.session.clear_clipboard()
        process = self.session.wine(self.viewer_exe)
        try:
            # Its title follows the clipboard: found by its class.
            hwnd = self.session.driver("find", "KvBenchViewer", 30000, "--class",
                                       timeout=60)["hwnd"]
            try:
                return measure(hwnd)
            finally:
                self.session.driver("close", hwnd, check=False)
                process.wait(timeout=60)
        finally:
            if process.poll() is None:
                process.kill()


    def installation(self, memories, limit):
        """A Korvane installation of its own, as a user who keeps many memories sets it up:
        the unlocked memories saved, numbered, 20 to a column, every option button shown, and
        `memories` unlocked memories on disk."""
        korvane = kvharness.Korvane(
            self.session, Path(tempfile.mkdtemp(prefix="bench-", dir=self.session.root)))
        korvane.set_settings(position=(20, 20), per_column=LARGE_PER_COLUMN, memory_limit=limit,
                             save_unlocked=1, show_numbers=1)
        korvane.set_entries({entry: 1 for entry in (
            settingsfile.COPY_BUTTON, settingsfile.PASTE_BUTTON, settingsfile.CUT_BUTTON,
            settingsfile.UNDO_BUTTON, settingsfile.REDO_BUTTON, settingsfile.ALL_ERASE_BUTTON)})
        korvane.write_memories([f"saved memory {i:02d} with a longer text" for i in
                                range(memories)], group="Unlock")
        return korvane

    def large_start_times(self, empty, full):
        """Start -> visible window of both installations and of bench_window.exe, alternating;
        the first round warms up."""
        times = {"0": [], "99": [], "bare": []}
        for run in range(self.runs + 1):
            self.session.clear_clipboard()
            at0 = self.time_start(kvharness.windows_path(empty.exe), "Korvane")
            at99 = self.time_start(kvharness.windows_path(full.exe), "Korvane")
            bare = self.time_start(self.window_exe, "KvBenchWindow")
            if run > 0:
                times["0"].append(at0)
                times["99"].append(at99)
                times["bare"].append(bare)
        return times

    def forward_pairs(self, hwnd, label, runs):
        """For each run, a copy made while the chain is idle, and one made as soon as another
        copy has reached the window (a viewer in front of it may still be busy with that one):
        the time until the window shows each. The first run warms up."""
        idle, burst = [], []
        for run in range(runs + 1):
            text = f"{label} {run:03d} "
            answer = self.session.driver("time-copy", hwnd, text.encode("utf-8").hex(),
                                         text.encode("utf-8").hex(), 0, 60000, timeout=120)
            lead = f"{label} lead {run:03d}"
            text = f"{label} next {run:03d}"
            after = self.session.driver("time-copy-after", hwnd, lead.encode("utf-8").hex(),
                                        text.encode("utf-8").hex(), text.encode("utf-8").hex(),
                                        60000, timeout=120)
            if run > 0:
                idle.append(answer["ms"])
                burst.append(after["ms"])
        return idle, burst

    def forward_times(self, korvane, label, runs):
        """bench_viewer.exe joins the chain first, Korvane in front of it: the copies' times
        until the viewer behind Korvane has been told and shows the text."""
        self.session.clear_clipboard()
        process = self.session.wine(self.viewer_exe)
        try:
            viewer = self.session.driver("find", "KvBenchViewer", 30000, "--class",
                                         timeout=60)["hwnd"]
            korvane.start()
            try:
                korvane.wait_window(timeout=120)
                return self.forward_pairs(viewer, label, runs)
            finally:
                korvane.close(timeout=60)
                self.session.driver("close", viewer, check=False)
                process.wait(timeout=60)
        finally:
            if process.poll() is None:
                process.kill()

    def slide_times(self, runs):
        """For each run a fresh start at the top edge, made active, then another window takes
        the activation: the times of the steps of the slide-in that follows, in ms after the
        activation moved."""
        self.korvane.set_settings(position=(0, 300), per_column=10, memory_limit=10)
        self.korvane.set_entries({settingsfile.AUTO_HIDE: 1, settingsfile.HIDDEN_WIDTH: 3,
                                  settingsfile.SCROLL_AMOUNT: 10})
        self.korvane.write_memories([f"memory {i}" for i in range(5)])
        other = self.session.wine(self.window_exe)
        slides = []
        try:
            other_hwnd = self.session.driver("find", "KvBenchWindow", 30000, timeout=60)["hwnd"]
            for _ in range(runs + 1):
                self.session.clear_clipboard()
                self.korvane.start()
                try:
                    hwnd = self.korvane.wait_window()["hwnd"]
                    self.session.driver("activate", hwnd)
                    kvharness.wait_until(
                        lambda: self.session.driver("foreground")["hwnd"] == hwnd, 10,
                        "Korvane to be active")
                    answer = self.session.driver("time-slide", hwnd, other_hwnd, 5000,
                                                 timeout=60)
                    slides.append([us / 1000 for us in answer["changes"]])
                finally:
                    self.korvane.close(timeout=60)
        finally:
            self.session.driver("close", other_hwnd, check=False)
            other.wait(timeout=60)
        return slides[1:]  # the first warms up

    def preview_times(self, runs):
        """Korvane started with a memory of 100 bytes and one of 10 MB; for each run and each,
        the mouse goes onto the workspace, then onto the memory: the time until its preview
        window shows, in ms."""
        short = ("preview " * 13)[:100]
        big = ("0123456789 the quick brown fox jumps over the lazy dog " * 200000)[:BIG_CHARS]
        self.korvane.set_settings(position=(100, 100), per_column=10, memory_limit=10)
        self.korvane.set_entries({settingsfile.SHOW_PREVIEW: 1})
        self.korvane.write_memories([short, big])
        self.session.clear_clipboard()
        self.korvane.start()
        times = {"100 bytes": [], "10 MB": []}
        try:
            hwnd = self.korvane.wait_window(timeout=120)["hwnd"]
            rect = self.korvane.info()["rect"]
            panels = [panel["screen"] for panel, _ in self.korvane.memories()]
            for run in range(runs + 1):
                for name, panel in zip(times, panels):
                    self.session.xdotool("mousemove", rect["left"] + 2, rect["top"] + 2)
                    kvharness.wait_until(
                        lambda: not self.session.driver("preview", hwnd)["previews"], 10,
                        "the preview to close")
                    x = panel["left"] + 40 + run % 5
                    answer = self.session.driver("time-preview", hwnd, x, panel["top"] + 8,
                                                 5000, timeout=60)
                    if run > 0:  # the first warms up
                        times[name].append(answer["us"] / 1000)
        finally:
            self.korvane.close(timeout=60)
        return times


def report(name, korvane, bare):
    k, b = median_ms(korvane), median_ms(bare)
    ratio = k / b if b else float("nan")
    verdict = "ok" if ratio <= TARGET_RATIO else "over target"
    print(f"{name}: Korvane {k:.1f} ms, minimal {b:.1f} ms, ratio {ratio:.2f} "
          f"(target <= {TARGET_RATIO}: {verdict})")
    print(f"    Korvane runs: {[round(x, 1) for x in korvane]}")
    print(f"    minimal runs: {[round(x, 1) for x in bare]}", flush=True)


def report_large(starts, forward, shown):
    """The 99-memory figures, each against its floor program and its small-window twin."""
    s0, s99, bare = (median_ms(starts[k]) for k in ("0", "99", "bare"))
    print(f"start -> visible window: 0 memories {s0:.1f} ms ({s0 / bare:.2f} x floor), "
          f"99 memories {s99:.1f} ms ({s99 / bare:.2f} x floor), bench_window {bare:.1f} ms")
    verdict = "ok" if s99 <= START_TARGET * s0 else "over target"
    print(f"    99 / 0 = {s99 / s0:.2f} (target <= {START_TARGET}: {verdict})")
    for name in ("0", "99", "bare"):
        print(f"    {name} runs: {[round(x, 1) for x in starts[name]]}")
    for kind, what in (("idle", "a copy"), ("burst", "a copy right after another")):
        f5, f99, ff = (median_ms(forward[k][kind]) for k in ("5", "99", "floor"))
        print(f"{what} -> forwarded to the next viewer: at 5 memories {f5:.1f} ms "
              f"({f5 / ff:.2f} x floor), at 99 {f99:.1f} ms ({f99 / ff:.2f} x floor), "
              f"bench_viewer alone {ff:.1f} ms")
        verdict = "ok" if f99 <= TARGET_RATIO * f5 else "over target"
        print(f"    99 / 5 = {f99 / f5:.2f} (target <= {TARGET_RATIO}: {verdict})")
        for name in ("5", "99", "floor"):
            print(f"    {name} runs: {[round(x, 1) for x in forward[name][kind]]}")
    print(f"copy -> the new button shows its caption, 99 memories: "
          f"{median_ms(shown):.1f} ms; runs {[round(x, 1) for x in shown]}", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default=str(ROOT / "build" / "win"))
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--only-large", action="store_true",
                        help="only the 99-memory figures")
    args = parser.parse_args()
    build = Path(args.build).resolve()
    os.environ["KORVANE_WIN_DIR"] = str(build / "Korvane")
    os.environ.pop("KORVANE_E2E_SESSION", None)  # a display and prefix of its own
    os.environ["KORVANE_KVDRIVER"] = str(build / "tests" / "e2e" / "driver" / "kvdriver.exe")
    for path in (build / "Korvane" / "Korvane.exe", Path(os.environ["KORVANE_KVDRIVER"]),
                 build / "bench" / "bench_viewer.exe", build / "bench" / "bench_window.exe"):
        if not path.is_file():
            sys.exit(f"missing {path}: build the Windows build first")

    print(f"starting Xvfb and a Wine prefix; {args.runs} runs each (medians)", flush=True)
    bench = Bench(build, args.runs)

    # The 99-memory window first: its figures are the ones to compare between builds.
    empty = bench.installation(0, LARGE_LIMIT)
    full = bench.installation(LARGE_LIMIT, LARGE_LIMIT)
    small = bench.installation(SMALL_LIMIT, SMALL_LIMIT)
    starts = bench.large_start_times(empty, full)
    forward = {name: {"idle": [], "burst": []} for name in ("5", "99", "floor")}
    # Alternating, so that a slow spell of the machine hits all three. Each text is new: one
    # that Korvane kept from the round before would not be taken again (SkipDuplicates).
    for round_ in range(2):
        for name, times in (
                ("5", bench.forward_times(small, f"small fwd {round_}", args.runs)),
                ("99", bench.forward_times(full, f"large fwd {round_}", args.runs)),
                ("floor", bench.with_bare_viewer(
                    lambda hwnd: bench.forward_pairs(hwnd, f"viewer fwd {round_}", args.runs)))):
            forward[name]["idle"] += times[0]
            forward[name]["burst"] += times[1]
    full.start()
    try:
        hwnd = full.wait_window(timeout=120)["hwnd"]
        shown = [ms for ms, _ in bench.copy_times(hwnd, "large copy", args.runs + 1)[1:]]
    finally:
        full.close(timeout=60)
    report_large(starts, forward, shown)
    if args.only_large:
        return 0

    korvane_start, bare_start = bench.start_times()
    report("start -> visible window", korvane_start, bare_start)

    # Two rounds each, alternating, so that a slow spell of the machine hits both. Korvane's
    # first copies fill its window; from then on each copy is also a drop.
    filling, full, bare_copy = [], [], []
    for _ in range(2):
        times = bench.with_korvane(
            lambda hwnd: bench.copy_times(hwnd, "korvane copy", MEMORY_LIMIT + args.runs))
        filling += [ms for ms, _ in times[1:MEMORY_LIMIT]]  # the very first warms up
        full += [ms for ms, _ in times[MEMORY_LIMIT:]]
        times = bench.with_bare_viewer(
            lambda hwnd: bench.copy_times(hwnd, "viewer copy", args.runs + 1))
        bare_copy += [ms for ms, _ in times[1:]]
    report("copy, 1 to 10 memories", filling, bare_copy)
    report("copy, window full (10)", full, bare_copy)

    big_runs = 3
    korvane_big = bench.with_korvane(
        lambda hwnd: bench.copy_times(hwnd, "korvane big", big_runs + 1, BIG_CHARS))[1:]
    bare_big = bench.with_bare_viewer(
        lambda hwnd: bench.copy_times(hwnd, "viewer big", big_runs + 1, BIG_CHARS))[1:]
    report("10 MB copy", [ms for ms, _ in korvane_big], [ms for ms, _ in bare_big])
    k = median_ms([ms for ms, _ in korvane_big])
    floor = median_ms([copy for _, copy in korvane_big + bare_big])
    print(f"10 MB copy -> button: {k:.1f} ms (target < {BIG_TARGET_MS} ms: "
          f"{'ok' if k < BIG_TARGET_MS else 'over target'}); the copy itself "
          f"(SetClipboardData to CloseClipboard) took {floor:.1f} ms of it")

    for name, times in bench.preview_times(args.runs).items():
        print(f"mouse onto a memory of {name} -> preview shown: median {median_ms(times):.1f} "
              f"ms (aim < 50 ms); runs {[round(x, 1) for x in times]}", flush=True)

    slides = bench.slide_times(args.runs)
    intervals = sorted(b - a for steps in slides for a, b in zip(steps, steps[1:]))
    p95 = intervals[min(len(intervals) - 1, int(0.95 * len(intervals)))] if intervals else 0
    # The whole slide: the first step comes one period after the start.
    whole = [steps[-1] - steps[0] + 5 for steps in slides if steps]
    print(f"slide step interval: median {median_ms(intervals):.1f} ms, 95th percentile "
          f"{p95:.1f} ms (the timer's period: 5 ms); steps per slide "
          f"{sorted({len(steps) for steps in slides})} (17 expected)")
    print(f"whole slide-in, 170 px by 10: median {median_ms(whole):.1f} ms (at best 85 ms); "
          f"runs {[round(x, 1) for x in whole]}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
