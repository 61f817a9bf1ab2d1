"""Takes docs/screenshot.png: the real Korvane.exe under Wine with a few memories.

    KORVANE_WIN_DIR=build/win/Korvane python3 tests/e2e/readme_screenshot.py docs/screenshot.png
"""

import subprocess
import sys
import tempfile
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, str(Path(__file__).resolve().parent))

import kvharness  # noqa: E402

LOCKED = [
    "こんにちは、世界",
    "会議は午後3時から第2会議室で行います",
    "https://example.com/korvane",
    "住所：東京都千代田区1-2-3\n電話：03-1234-5678",
]
COPIED = ["Korvane multi-clipboard", "コピーした文章"]
MARGIN = 12


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    session = kvharness.acquire()
    korvane = kvharness.Korvane(session, Path(tempfile.mkdtemp(dir=session.root)))
    korvane.write_memories(LOCKED)
    session.clear_clipboard()
    korvane.start()
    korvane.wait_window()
    for text in COPIED:
        session.copy(text)
        # Each copy its own clipboard change: the next waits until this one is a memory.
        kvharness.wait_until(lambda: korvane.memory_texts()[-1:] == [text], 10, f"{text!r} shown")
    kvharness.wait_until(lambda: not korvane.unpainted_controls(), 5, "every control painted")
    rect = session.driver("info", korvane.hwnd)["rect"]
    full = session.screenshot(session.root / "full.png")
    subprocess.run(
        ["convert", str(full), "-crop",
         f"{rect['width'] + 2 * MARGIN}x{rect['height'] + 2 * MARGIN}"
         f"+{rect['left'] - MARGIN}+{rect['top'] - MARGIN}", "+repage", sys.argv[1]],
        check=True)
    code = korvane.close()
    print(f"{sys.argv[1]} written; Korvane.exe ended with {code}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
