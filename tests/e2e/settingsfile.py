"""Data\\Setting.dat composed and taken apart in Python, from the entry table alone, so that the
end-to-end tests compare Korvane's file with one it did not write.

Settings are a dict from entry number to value: an int for one-line entries, a (Top, Left) pair
for the position, a (key code, modifier key code) pair for the hotkey and a list of keys for
the direct shortcuts. Their count (entry 25) follows from that list.
"""

import re

VERSION = 1
POSITION = 2
ALWAYS_ON_TOP = 3
AUTO_HIDE = 4
HIDDEN_WIDTH = 5
WORKSPACE_COLOR = 6
COPY_BUTTON = 7
PASTE_BUTTON = 8
CUT_BUTTON = 9
ALL_ERASE_BUTTON = 10
UNDO_BUTTON = 11
REDO_BUTTON = 12
MEMORY_LIMIT = 13
PER_COLUMN = 14
BACK_COLOR = 15
FONT_COLOR = 16
SELECT_COLOR = 17
TAB_ORDER = 18
HOTKEY = 19
GROW_LEFT = 20
SHOW_PREVIEW = 21
PREVIEW_BELOW = 22
SAVE_ON_LOCK = 23
SAVE_UNLOCKED = 24
SHORTCUT_COUNT = 25
SHORTCUTS = 26
HIDE_WAIT = 27
SCROLL_AMOUNT = 28
SKIP_DUPLICATES = 29
DOUBLE_CLICK = 30
MANUAL_MEMORY = 31
KEEP_WATCH = 32
WATCH = 33
SHOW_NUMBER = 34
LOCK_COLOR = 35
KEEP_HIDDEN = 36
HIDDEN = 37
TRAY_UNHIDES = 38

LABELS = {
    VERSION: "バージョン情報",
    POSITION: "Formの位置",
    ALWAYS_ON_TOP: "常に手前に表示",
    AUTO_HIDE: "自動ウインドウ隠れ",
    HIDDEN_WIDTH: "隠れ時ウインドウ幅",
    WORKSPACE_COLOR: "ワークスペースの色",
    COPY_BUTTON: "Copyボタンの有無",
    PASTE_BUTTON: "Pasteボタンの有無",
    CUT_BUTTON: "Cutボタンの有無",
    ALL_ERASE_BUTTON: "AllEraseボタンの有無",
    UNDO_BUTTON: "Undoボタンの有無",
    REDO_BUTTON: "Redoボタンの有無",
    MEMORY_LIMIT: "最大メモリ数",
    PER_COLUMN: "列内メモリ数",
    BACK_COLOR: "メモリ背景色",
    FONT_COLOR: "メモリフォント色",
    SELECT_COLOR: "メモリ選択時色",
    TAB_ORDER: "タブオーダー",
    HOTKEY: "ホットキー",
    GROW_LEFT: "ウインドウの伸びる方向",
    SHOW_PREVIEW: "プレビューの表示",
    PREVIEW_BELOW: "プレビューをウインドウの下に表示する",
    SAVE_ON_LOCK: "Lock設定変更時に保存",
    SAVE_UNLOCKED: "Unlockメモリの保存",
    SHORTCUT_COUNT: "ショートカットの数",
    SHORTCUTS: "ダイレクトショートカット",
    HIDE_WAIT: "自動隠れ時待ち時間",
    SCROLL_AMOUNT: "隠れ時スクロール量",
    SKIP_DUPLICATES: "同一内容は記憶しない",
    DOUBLE_CLICK: "ダブルクリックで貼り付け",
    MANUAL_MEMORY: "手動でメモリ記憶",
    KEEP_WATCH: "「クリップボードの監視」の次起動有効",
    WATCH: "クリップボードの監視",
    SHOW_NUMBER: "メモリ番号の表示",
    LOCK_COLOR: "メモリLock時色",
    KEEP_HIDDEN: "「ウインドウの非表示」の次回起動時有効",
    HIDDEN: "ウインドウの非表示",
    TRAY_UNHIDES: "ウインドウの非表示の左クリック解除",
}
LAST = TRAY_UNHIDES
LAST_OF_1000 = SKIP_DUPLICATES

# The button face system colour as the file holds it: 0x8000000F as a signed 32-bit number.
CL_BTN_FACE = 0x8000000F - (1 << 32)


def label_line(entry):
    return "/////" + LABELS[entry] + "/////"


def _lines(entry, settings):
    if entry == SHORTCUT_COUNT:
        return [label_line(entry), f"{len(settings[SHORTCUTS]):d}"]
    value = settings[entry]
    if entry == POSITION:
        top, left = value
        return [label_line(entry), f"{top:d} {left:d}"]
    if entry == HOTKEY:
        code, modifier = value
        return [label_line(entry), f"{code:d}", f"{modifier:d}"]
    if entry == SHORTCUTS:
        return [line for key in value for line in (label_line(entry), f"{key:d}")]
    return [label_line(entry), f"{value:d}"]


def compose(settings, first=VERSION, last=LAST):
    """The file's bytes for entries first..last (a version-1000 file: first=POSITION,
    last=LAST_OF_1000)."""
    lines = [line for entry in range(first, last + 1) for line in _lines(entry, settings)]
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def parse(data):
    """A complete version-1210 file back into settings; ValueError names the first line that
    does not follow the table."""
    lines = data.decode("cp932").split("\r\n")
    if lines[-1] != "":
        raise ValueError("the file does not end with CR LF")
    lines.pop()
    at = 0

    def take(what):
        nonlocal at
        if at >= len(lines):
            raise ValueError(f"the file ends where {what} belongs")
        at += 1
        return lines[at - 1]

    def label(entry):
        line = take(label_line(entry))
        if line != label_line(entry):
            raise ValueError(f"line {at}: {line!r} where {label_line(entry)!r} belongs")

    def number(entry, text=None):
        if text is None:
            text = take(f"the value of entry {entry}")
        if not re.fullmatch(r"-?(0|[1-9][0-9]*)", text):
            raise ValueError(f"line {at}: {text!r} is not a %d number (entry {entry})")
        return int(text)

    settings = {}
    for entry in range(VERSION, LAST + 1):
        if entry == SHORTCUTS:
            settings[entry] = []
            for _ in range(settings[SHORTCUT_COUNT]):
                label(entry)
                settings[entry].append(number(entry))
            continue
        label(entry)
        if entry == POSITION:
            parts = take("the position").split(" ")
            if len(parts) != 2:
                raise ValueError(f"line {at}: the position is not \"Top Left\"")
            settings[entry] = tuple(number(entry, part) for part in parts)
        elif entry == HOTKEY:
            settings[entry] = (number(entry), number(entry))
        else:
            settings[entry] = number(entry)
    if at != len(lines):
        raise ValueError(f"line {at + 1}: more after the last entry")
    return settings
