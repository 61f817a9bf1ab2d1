"""Writes the release zip, Korvane-<version>-win64.zip: one folder, Korvane, holding Korvane.exe,
Data with the shipped files, Help with the help file and はじめにお読みください.txt.

    python3 scripts/release.py <Korvane.exe> <output folder>

Data and Help come from the repository (data/, help/), never from a build's installation
folder, which a run may have filled with log.txt and memories. The version in the zip's name
is the one Korvane.exe carries, so the two cannot disagree.

Names: a name outside ASCII is stored in UTF-8 with general purpose bit 11 set (zipfile does
both; an ASCII name reads the same in every code page and goes without). Windows' own extractor
(Explorer's "Extract All" on Windows 10 and 11) decodes a name by that bit: as UTF-8 when it is
set, in the OEM code page when it is clear. The OEM code page is 932 on Japanese Windows but 437
or 850 on Western Windows, so "デフォルト" stored in code page 932 without the bit would come
out there as "âfâtâHâïâg", and Korvane would not find its default group. UTF-8 with the bit
reads the same on both. The Info-ZIP Unicode Path field (0x7075) is left out: it only repeats
the name for tools that ignore the bit, and Windows' extractor reads the bit.
"""

import os
import struct
import sys
import time
import zipfile
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, str(Path(__file__).resolve().parent))

import peresources  # noqa: E402

ROOT = Path(__file__).resolve().parents[1]
FOLDER = "Korvane"
README_NAME = "はじめにお読みください.txt"
README_SOURCE = ROOT / "docs" / README_NAME

MSDOS = 0  # "made by" system: the attributes below are Windows' own, not Unix modes
ATTRIBUTE_DIRECTORY = 0x10
ATTRIBUTE_ARCHIVE = 0x20


class ReleaseError(Exception):
    pass


def version_of(exe_bytes):
    """The product version text of the executable's version resource ("1.21")."""
    info = peresources.version_info(exe_bytes)
    if info is None:
        raise ReleaseError("Korvane.exe has no version resource")
    versions = {strings.get("ProductVersion") for strings in info["strings"].values()}
    if len(versions) != 1 or None in versions:
        raise ReleaseError(f"Korvane.exe's version blocks disagree: {sorted(map(str, versions))}")
    version = versions.pop()
    major, minor = info["product_version"][:2]
    if version != f"{major}.{minor}":
        raise ReleaseError(f"version text {version} is not the fixed version {major}.{minor}")
    return version


def readme_bytes(version):
    """The readme as Notepad on any Windows opens it: code page 932 (a character outside it
    stops the release rather than turning into "?"), CR LF line ends."""
    text = README_SOURCE.read_text(encoding="utf-8").replace("@VERSION@", version)
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as error:
        raise ReleaseError(f"{README_SOURCE.name}: {error}") from None


def installation(exe, data=ROOT / "data", help_folder=ROOT / "help"):
    """The installation as (name inside the zip, bytes or None for a folder), in zip order."""
    exe_bytes = Path(exe).read_bytes()
    if peresources.manifest(exe_bytes) is None:
        raise ReleaseError("Korvane.exe has no embedded manifest")
    version = version_of(exe_bytes)
    entries = [(f"{FOLDER}/", None), (f"{FOLDER}/Korvane.exe", exe_bytes),
               (f"{FOLDER}/{README_NAME}", readme_bytes(version))]
    for source, name in ((Path(data), "Data"), (Path(help_folder), "Help")):
        if not source.is_dir():
            raise ReleaseError(f"no {source}")
        entries.append((f"{FOLDER}/{name}/", None))
        for path in sorted(source.rglob("*")):
            inner = f"{FOLDER}/{name}/{path.relative_to(source).as_posix()}"
            entries.append((inner + "/", None) if path.is_dir() else (inner, path.read_bytes()))
    return version, entries


def write_zip(path, entries, timestamp):
    date_time = time.gmtime(timestamp)[:6]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name, content in entries:
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = MSDOS
            if content is None:
                info.external_attr = ATTRIBUTE_DIRECTORY
                archive.writestr(info, b"")
            else:
                info.external_attr = ATTRIBUTE_ARCHIVE
                info.compress_type = zipfile.ZIP_DEFLATED
                archive.writestr(info, content)


def make_release(exe, out_dir, data=ROOT / "data", help_folder=ROOT / "help", timestamp=None):
    """Writes the zip into out_dir (made if missing); returns its path."""
    version, entries = installation(exe, data, help_folder)
    if timestamp is None:
        # The same build gives the same zip when the time is pinned, as release.sh does.
        timestamp = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
    # A DOS date starts in 1980.
    timestamp = max(timestamp, 315532800 + 86400)
    out_dir = Path(out_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    final = out_dir / f"Korvane-{version}-win64.zip"
    partial = final.with_suffix(".zip.part")
    write_zip(partial, entries, timestamp)
    os.replace(partial, final)
    return final


def main(argv):
    if len(argv) != 3:
        print(__doc__)
        return 2
    try:
        path = make_release(argv[1], argv[2])
    except (ReleaseError, peresources.NotAnExecutable, OSError, struct.error) as error:
        print(f"release: {error}", file=sys.stderr)
        return 1
    print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
