"""Memory groups with the real Korvane.exe: the popup menu's group submenu and its two commands,
their dialogs driven as a user would (menu keys, the dialogs' buttons and list), and the group
folders under Data read from outside."""

import unittest

import settingsfile

from kvharness import cp932, wait_until
from test_shell import ShellTestCase

DEFAULT = "デフォルト"
NAME_DIALOG = "グループ名"
LIST_DIALOG = "グループ"
WARNING = "警告"
# Downs from the top of the popup menu: the n-th Down selects item n - 1.
GROUP_SUBMENU, MAKE_GROUP, EDIT_GROUPS = 1, 2, 3


class GroupCase(ShellTestCase):

    def write_index(self, names):
        text = "".join(f"{name}\r\n" for name in [str(len(names))] + names)
        (self.korvane.dir / "Data" / "GroupIndex.dat").write_bytes(cp932(text))

    def index(self):
        data = (self.korvane.dir / "Data" / "GroupIndex.dat").read_bytes().decode("cp932")
        lines = data.split("\r\n")
        return lines[1:1 + int(lines[0])]

    def disk(self):
        """Every file under Data with its bytes, and every folder."""
        data = self.korvane.dir / "Data"
        return {str(p.relative_to(data)): (p.read_bytes() if p.is_file() else None)
                for p in sorted(data.rglob("*")) if p.name != "log.txt"}

    def menu_keys(self, *keys):
        self.open_menu()
        self.session.xdotool("key", *keys)

    def switch_to(self, item):
        """Picks the group at that place in the submenu."""
        self.menu_keys(*(["Down"] * GROUP_SUBMENU), "Right", *(["Down"] * item), "Return")
        wait_until(self.menu_gone, 5, "the menu to close")

    def open_dialog(self, downs, caption):
        self.menu_keys(*(["Down"] * downs), "Return")
        return self.session.dialog(caption, self.korvane.info()["pid"])

    def dialog_gone(self, caption):
        wait_until(lambda: self.session.driver("dialog", caption.encode("utf-8").hex(),
                                               self.pid, 0, check=False).get("hwnd") is None,
                   5, f"the dialog {caption} to close")

    def start(self):
        self.start_korvane()
        self.pid = self.korvane.info()["pid"]


class MakeAndSwitchTest(GroupCase):

    def test_a_new_group_takes_the_memories_shown_and_each_group_keeps_its_own(self):
        self.korvane.write_memories(["d1", "d2"])
        self.start()
        dialog = self.open_dialog(MAKE_GROUP, NAME_DIALOG)
        self.screenshot("name-dialog.png")
        self.session.driver("edit-set", dialog["hwnd"], "仕事 用".encode("utf-8").hex())
        self.session.press(dialog, "OK")
        self.dialog_gone(NAME_DIALOG)
        wait_until(lambda: self.index() == [DEFAULT, "仕事 用"], 5, "the index with the new group")

        # The submenu: both groups, the new one checked (looked at on the screenshot).
        self.menu_keys(*(["Down"] * GROUP_SUBMENU), "Right")
        self.session.driver("find", "#32768", 5000, "--class")
        self.screenshot("group-submenu.png")
        self.session.xdotool("key", "Escape", "Escape", "Escape")
        wait_until(self.menu_gone, 5, "the menu to close")

        # Unlocking d1 saves the new group: its folder gets d2 alone; the default group kept
        # the copy it had when the new one was made.
        _, toggle = self.korvane.memories()[0]
        self.session.click_centre(toggle["screen"])
        wait_until(lambda: self.korvane.read_memories("仕事 用") == [b"d2"], 10,
                   "the new group's folder")
        self.assertEqual(self.korvane.read_memories(), [b"d1", b"d2"])

        self.switch_to(0)
        wait_until(lambda: self.korvane.memory_texts() == ["d1", "d2", "d1"], 5,
                   "the default group's memories and the unlocked d1")
        self.switch_to(1)
        wait_until(lambda: self.korvane.memory_texts() == ["d2", "d1"], 5,
                   "the new group's memory and the unlocked d1")
        # A restart shows the default group.
        self.stop_korvane()
        self.start()
        self.assertEqual(self.korvane.memory_texts(), ["d1", "d2"])
        self.stop_korvane()

    def test_a_switch_raises_the_limit_for_the_locked_and_trims_the_unlocked(self):
        self.korvane.set_settings(memory_limit=5)
        self.write_index([DEFAULT, "three", "seven"])
        self.korvane.write_memories([])
        self.korvane.write_memories([f"t{i}" for i in range(3)], "three")
        self.korvane.write_memories([f"s{i}" for i in range(7)], "seven")
        self.start()
        for i in range(4):
            self.session.copy(f"u{i}")
            wait_until(lambda: len(self.korvane.memories()) == i + 1, 10, f"copy u{i}")
        self.switch_to(1)
        wait_until(lambda: self.korvane.memory_texts() == ["t0", "t1", "t2", "u2", "u3"], 5,
                   "three locked and the two newest unlocked")
        self.switch_to(2)
        wait_until(lambda: self.korvane.memory_texts() == [f"s{i}" for i in range(7)], 5,
                   "seven locked and no unlocked")
        self.stop_korvane()
        self.assertEqual(self.stored_settings()[settingsfile.MEMORY_LIMIT], 7)


class EditTest(GroupCase):

    def test_moves_deletions_and_cancel(self):
        self.write_index([DEFAULT, "a", "b", "c"])
        for name in ("a", "b", "c"):
            self.korvane.write_memories([name + "1"], name)
        self.korvane.write_memories(["d1"])
        (self.korvane.group_dir("c") / "notes.txt").write_bytes(b"the user's own")
        self.start()
        self.switch_to(2)   # b
        wait_until(lambda: self.korvane.memory_texts() == ["b1"], 5, "group b")

        # Cancel after moves and a deletion: nothing changes.
        before = self.disk()
        dialog = self.open_dialog(EDIT_GROUPS, LIST_DIALOG)
        self.screenshot("list-dialog.png")
        [listbox] = [c for c in dialog["controls"] if c["class"].lower() == "listbox"]
        self.assertEqual(listbox["items"], ["a", "b", "c"])
        buttons = {c["text"]: c["enabled"] for c in dialog["controls"] if c["class"] == "Button"}
        self.assertEqual(buttons, {"上へ移動": False, "下へ移動": False, "削除": False,
                                   "OK": True, "ｷｬﾝｾﾙ": True})
        self.assertEqual(self.session.list_click(dialog, 2), 2)
        self.session.press(dialog, "上へ移動")
        self.session.press(dialog, "上へ移動")
        wait_until(lambda: self.list_items(dialog) == ["c", "a", "b"], 5, "c moved to the top")
        self.session.press(dialog, "削除")
        self.session.press(dialog, "ｷｬﾝｾﾙ")
        self.dialog_gone(LIST_DIALOG)
        self.assertEqual(self.disk(), before)

        # a deleted (not current): its folder goes, the others stay, b is still shown.
        dialog = self.open_dialog(EDIT_GROUPS, LIST_DIALOG)
        self.session.list_click(dialog, 0)
        self.session.press(dialog, "削除")
        wait_until(lambda: self.list_items(dialog) == ["b", "c"], 5, "a gone from the list")
        self.assertFalse(any(c["enabled"] for c in self.session.dialog(LIST_DIALOG, self.pid)
                             ["controls"] if c["text"] in ("上へ移動", "下へ移動", "削除")))
        self.session.press(dialog, "OK")
        self.dialog_gone(LIST_DIALOG)
        wait_until(lambda: self.index() == [DEFAULT, "b", "c"], 5, "the index without a")
        self.assertFalse(self.korvane.group_dir("a").exists())
        self.assertEqual(self.korvane.read_memories("b"), [b"b1"])
        self.assertEqual(self.korvane.memory_texts(), ["b1"])

        # b and c deleted, b current: the default group is shown; c's folder keeps the user's
        # file, and with it the folder.
        dialog = self.open_dialog(EDIT_GROUPS, LIST_DIALOG)
        for _ in range(2):
            self.session.list_click(dialog, 0)
            self.session.press(dialog, "削除")
        wait_until(lambda: self.list_items(dialog) == [], 5, "an empty list")
        self.session.press(dialog, "OK")
        self.dialog_gone(LIST_DIALOG)
        wait_until(lambda: self.index() == [DEFAULT], 5, "the default group alone")
        wait_until(lambda: self.korvane.memory_texts() == ["d1"], 5, "the default group shown")
        self.assertFalse(self.korvane.group_dir("b").exists())
        self.assertEqual(sorted(p.name for p in self.korvane.group_dir("c").iterdir()),
                         ["notes.txt"])
        self.stop_korvane()

    def list_items(self, dialog):
        [listbox] = [c for c in self.session.dialog(LIST_DIALOG, self.pid)["controls"]
                     if c["class"].lower() == "listbox"]
        return listbox["items"]


class RefusedNameTest(GroupCase):

    def test_each_refused_name_warns_and_the_disk_stays_as_it_was(self):
        self.korvane.write_memories(["d1"])
        self.start()
        before = self.disk()
        dialog = self.open_dialog(MAKE_GROUP, NAME_DIALOG)
        refusals = {
            DEFAULT: "同じ名前のグループが登録済みです",
            "": "グループ名が未入力です",
            "a\\b": "グループ名に使用できない文字が含まれています",
            "..\\..\\x": "グループ名に使用できない文字が含まれています",
            "..": "この名前はグループ名に使用できません",
            "name.": "この名前はグループ名に使用できません",
            "CON": "この名前はグループ名に使用できません",
            "com1.txt": "この名前はグループ名に使用できません",
            "unlock": "この名前はグループ名に使用できません",
        }
        for name, text in refusals.items():
            with self.subTest(name=name):
                self.session.driver("edit-set", dialog["hwnd"], name.encode("utf-8").hex())
                self.session.press(dialog, "OK")
                box = self.session.dialog(WARNING, self.pid)
                self.assertIn(text, [c["text"] for c in box["controls"]])
                if name == DEFAULT:
                    self.screenshot("warning.png")
                self.session.press(box, "OK")
                self.dialog_gone(WARNING)
                # The name dialog is still open for another try.
                self.session.dialog(NAME_DIALOG, self.pid, timeout=2)
        self.session.press(dialog, "ｷｬﾝｾﾙ")
        self.dialog_gone(NAME_DIALOG)
        self.assertEqual(self.disk(), before)
        self.stop_korvane()
        self.assertEqual(self.index(), [DEFAULT])


if __name__ == "__main__":
    unittest.main()
