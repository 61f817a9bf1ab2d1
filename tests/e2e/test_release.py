"""The release zip as a Windows user gets it: exactly the installation folder, names that
Windows' extractor decodes the same on Japanese and Western systems, a readme Notepad opens, a
version resource and manifest read from outside the program, and the unpacked Korvane.exe
running from a folder named outside code page 932."""

import atexit
import os
import shutil
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
import zipfile
from pathlib import Path

from kvharness import Korvane, KorvaneTestCase, trace, wait_until, win_dir

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "scripts"))
import peresources  # noqa: E402
import release  # noqa: E402

VERSION = "1.21"
README = "はじめにお読みください.txt"
SHIPPED_DATA = ["Setting.dat", "GroupIndex.dat", "デフォルト/index.dat", "Lock.bmp", "Copy.bmp",
                "Paste.bmp", "Cut.bmp", "Undo.bmp", "Redo.bmp", "AllErase.bmp"]
EXPECTED_ENTRIES = sorted(
    ["Korvane/", "Korvane/Korvane.exe", f"Korvane/{README}", "Korvane/Data/",
     "Korvane/Data/デフォルト/", "Korvane/Help/", "Korvane/Help/Korvane.hlp"]
    + [f"Korvane/Data/{name}" for name in SHIPPED_DATA])

MANIFEST_NAMESPACES = {
    "a": "urn:schemas-microsoft-com:asm.v1",
    "c": "urn:schemas-microsoft-com:compatibility.v1",
    "v3": "urn:schemas-microsoft-com:asm.v3",
    "s5": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
    "s16": "http://schemas.microsoft.com/SMI/2016/WindowsSettings",
}
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
# Cyrillic and Hangul: code page 932 has neither.
UNUSUAL_FOLDER = "Корвейн-한국"

_zip = None


def release_zip():
    """The zip made by the release command's own script from this build's Korvane.exe (once
    per process)."""
    global _zip
    if _zip is None:
        out = Path(tempfile.mkdtemp(prefix="korvane-release-"))
        atexit.register(shutil.rmtree, out, True)
        _zip = release.make_release(win_dir() / "Korvane.exe", out)
        trace(f"release zip: {_zip}")
    return _zip


def files_written_since(folder, mtime):
    """The files under folder (its links not followed) changed after mtime."""
    changed = []
    for where, _, files in os.walk(folder):
        for name in files:
            path = Path(where) / name
            if path.lstat().st_mtime > mtime:
                changed.append(str(path.relative_to(folder)))
    return sorted(changed)


class ReleaseZipTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.zip = zipfile.ZipFile(release_zip())
        cls.addClassCleanup(cls.zip.close)
        cls.exe = cls.zip.read("Korvane/Korvane.exe")

    def test_the_zip_holds_exactly_the_installation_folder(self):
        self.assertEqual(Path(self.zip.filename).name, f"Korvane-{VERSION}-win64.zip")
        names = self.zip.namelist()
        self.assertEqual(sorted(names), EXPECTED_ENTRIES)
        self.assertEqual(len(names), len(set(names)), "an entry is in the zip twice")
        self.assertIsNone(self.zip.testzip())
        sources = [(f"Korvane/Data/{name}", REPO / "data" / name) for name in SHIPPED_DATA]
        sources += [("Korvane/Help/Korvane.hlp", REPO / "help" / "Korvane.hlp"),
                    ("Korvane/Korvane.exe", win_dir() / "Korvane.exe")]
        for inside, source in sources:
            with self.subTest(inside):
                self.assertEqual(self.zip.read(inside), source.read_bytes())

    def test_names_outside_ascii_carry_the_utf8_flag(self):
        # Without the flag Windows' extractor reads a name in the OEM code page: 437 or 850 on
        # a Western system, which turns デフォルト into other characters.
        for info in self.zip.infolist():
            with self.subTest(info.filename):
                self.assertEqual(bool(info.flag_bits & 0x800), not info.filename.isascii())
        self.assertIn("Korvane/Data/デフォルト/index.dat", self.zip.namelist())

    def test_readme_opens_in_notepad_on_any_windows(self):
        raw = self.zip.read(f"Korvane/{README}")
        text = raw.decode("cp932")  # strict: a character outside it fails here
        self.assertEqual(raw.count(b"\n"), raw.count(b"\r\n"), "a line ends without CR")
        self.assertEqual(raw.count(b"\r"), raw.count(b"\r\n"), "a CR without LF")
        self.assertFalse(raw.startswith(b"\xef\xbb\xbf"))
        for what, phrase in (("version", f"Korvane {VERSION}"), ("how to start", "Korvane.exe"),
                             ("where its files live", "Data\\Setting.dat"),
                             ("removing it", "削除（アンインストール）"),
                             ("no registry", "レジストリには何も書きません"),
                             ("nothing outside", "フォルダーの外には何も書きません"),
                             ("the hotkey", "Ctrl＋F12")):
            with self.subTest(what):
                self.assertIn(phrase, text)

    def test_version_resource_read_from_outside(self):
        info = peresources.version_info(self.exe)
        self.assertIsNotNone(info, "Korvane.exe has no version resource")
        self.assertEqual(info["file_version"], (1, 21, 0, 0))
        self.assertEqual(info["product_version"], (1, 21, 0, 0))
        self.assertEqual(sorted(info["translations"]), [(0x0000, 1200), (0x0411, 1200)])
        for block, description in (("041104b0", "Korvane マルチクリップボード"),
                                   ("000004b0", "Korvane multi-clipboard")):
            with self.subTest(block):
                strings = info["strings"].get(block, {})
                self.assertEqual(strings.get("ProductName"), "Korvane")
                self.assertEqual(strings.get("ProductVersion"), VERSION)
                self.assertEqual(strings.get("FileVersion"), VERSION)
                self.assertEqual(strings.get("FileDescription"), description)
                self.assertEqual(strings.get("OriginalFilename"), "Korvane.exe")

    def test_manifest_is_embedded(self):
        raw = peresources.manifest(self.exe)
        self.assertIsNotNone(raw, "Korvane.exe has no manifest")
        root = ET.fromstring(raw)

        def find(path):
            return root.findall(path, MANIFEST_NAMESPACES)

        identity = find("a:assemblyIdentity")[0]
        self.assertEqual(identity.get("version"), f"{VERSION}.0.0")
        controls = [a.attrib for a in find("a:dependency/a:dependentAssembly/a:assemblyIdentity")]
        self.assertIn(("Microsoft.Windows.Common-Controls", "6.0.0.0"),
                      [(a.get("name"), a.get("version")) for a in controls])
        self.assertIn(WINDOWS_10_AND_11,
                      [os.get("Id") for os in find("c:compatibility/c:application/c:supportedOS")])
        levels = find("v3:trustInfo/v3:security/v3:requestedPrivileges/"
                      "v3:requestedExecutionLevel")
        self.assertEqual([(e.get("level"), e.get("uiAccess")) for e in levels],
                         [("asInvoker", "false")])
        settings = "v3:application/v3:windowsSettings/"
        self.assertEqual([e.text for e in find(settings + "s5:dpiAware")], ["false"])
        self.assertEqual([e.text for e in find(settings + "s16:dpiAwareness")], ["unaware"])


class UnpackedReleaseTest(KorvaneTestCase):

    def test_unpacked_under_a_folder_outside_cp932_runs_and_keeps_to_its_folder(self):
        with self.assertRaises(UnicodeEncodeError):
            UNUSUAL_FOLDER.encode("cp932")
        parent = self.tmp / UNUSUAL_FOLDER
        with zipfile.ZipFile(release_zip()) as archive:
            archive.extractall(parent)
        self.korvane = Korvane(self.session, self.tmp, f"{UNUSUAL_FOLDER}/Korvane", in_place=True)
        self.assertTrue(self.korvane.group_dir().joinpath("index.dat").is_file())

        started = self.tmp / "started"
        started.touch()
        # Started from the folder above its own: a file named relative to the current folder
        # instead of the executable's would land beside the Korvane folder.
        self.korvane.start(cwd=parent)
        self.korvane.wait_window()
        self.session.copy("解凍したKorvaneで コピー")
        wait_until(lambda: "解凍したKorvaneで コピー" in self.korvane.memory_texts(), 10,
                   "the copy as a memory")
        self.assert_painted()
        self.save_window_picture()
        self.stop_korvane()

        self.assertEqual(sorted(p.name for p in parent.iterdir()), ["Korvane"],
                         "Korvane wrote beside its folder")
        profiles = self.session.prefix / "drive_c" / "users"
        self.assertTrue(profiles.is_dir())
        self.assertEqual(files_written_since(profiles, started.stat().st_mtime), [],
                         "Korvane wrote into the user's profile (AppData, Temp, ...)")
        self.assertEqual(self.korvane.log_path.read_bytes().count(b"\r\n"), 15)
        self.assertIn("デフォルト".encode("cp932"),
                      (self.korvane.dir / "Data" / "GroupIndex.dat").read_bytes())


if __name__ == "__main__":
    unittest.main()
