"""Reads the resources of a Windows executable from outside it: the version resource and the
application manifest. Used by the release command (the zip's name comes from the version that
Korvane.exe carries) and by the tests that check the shipped executable.

    python3 scripts/peresources.py Korvane.exe     prints the version blocks and the manifest
"""

import struct
import sys

RT_VERSION = 16
RT_MANIFEST = 24
RESOURCE_DIRECTORY = 2  # index among the optional header's data directories


class NotAnExecutable(ValueError):
    pass


def _u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def _u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def resources(data):
    """Every resource of the PE image `data`, as {(type, name, language): bytes}; a type or name
    given by string is that string, else its number."""
    try:
        if data[:2] != b"MZ":
            raise NotAnExecutable("no MZ header")
        pe = _u32(data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise NotAnExecutable("no PE signature")
        sections = _u16(data, pe + 6)
        optional_size = _u16(data, pe + 20)
        optional = pe + 24
        magic = _u16(data, optional)
        directories = optional + {0x10B: 96, 0x20B: 112}.get(magic, -1)
        if directories < optional:
            raise NotAnExecutable(f"unknown optional header 0x{magic:x}")
        if _u32(data, directories - 4) <= RESOURCE_DIRECTORY:
            return {}
        root_rva = _u32(data, directories + 8 * RESOURCE_DIRECTORY)
        if root_rva == 0:
            return {}
        table = [struct.unpack_from("<8sIIII", data, optional + optional_size + 40 * i)
                 for i in range(sections)]

        def offset(rva):
            for _, virtual_size, address, raw_size, raw in table:
                if address <= rva < address + max(virtual_size, raw_size):
                    return raw + rva - address
            raise NotAnExecutable(f"address 0x{rva:x} is in no section")

        root = offset(root_rva)

        def name_of(field):
            if field & 0x80000000:  # a counted UTF-16 string in the resource section
                at = root + (field & 0x7FFFFFFF)
                return data[at + 2:at + 2 + 2 * _u16(data, at)].decode("utf-16-le")
            return field

        found = {}

        def walk(directory, path):
            count = _u16(data, directory + 12) + _u16(data, directory + 14)
            for i in range(count):
                field, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
                here = path + (name_of(field),)
                if target & 0x80000000:
                    if len(here) < 3:  # type, name, language: never deeper
                        walk(root + (target & 0x7FFFFFFF), here)
                elif len(here) == 3:
                    rva, size = struct.unpack_from("<II", data, root + target)
                    start = offset(rva)
                    found[here] = bytes(data[start:start + size])

        walk(root, ())
        return found
    except struct.error as error:
        raise NotAnExecutable(f"cut short: {error}") from None


def _node(block, at):
    """One node of a version resource: (key, value bytes, value type, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", block, at)
    end = at + length
    if length < 6 or end > len(block):
        raise NotAnExecutable("damaged version resource")
    key_end = at + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
        if key_end >= end:
            raise NotAnExecutable("damaged version resource key")
    key = block[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    # A text value's length counts characters; a binary one's counts bytes.
    value = block[value_at:min(end, value_at + value_length * (2 if kind == 1 else 1))]
    children = []
    child = (value_at + len(value) + 3) & ~3
    while child + 6 <= end:
        node = _node(block, child)
        children.append(node)
        child = (node[4] + 3) & ~3
    return key, value, kind, children, end


def version_info(data):
    """The version resource of the image: {"file_version": (a, b, c, d), "product_version":
    (...), "strings": {"041104b0": {"ProductName": ..., ...}}, "translations": [(lang, cp)]};
    None without one."""
    blocks = [value for (kind, _, _), value in sorted(resources(data).items(), key=str)
              if kind == RT_VERSION]
    if not blocks:
        return None
    try:
        key, fixed, _, children, _ = _node(blocks[0], 0)
        if key != "VS_VERSION_INFO" or len(fixed) < 52 or _u32(fixed, 0) != 0xFEEF04BD:
            raise NotAnExecutable("no VS_FIXEDFILEINFO")
        ms, ls, pms, pls = struct.unpack_from("<IIII", fixed, 8)
        info = {
            "file_version": (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF),
            "product_version": (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF),
            "strings": {},
            "translations": [],
        }
        for name, _, _, tables, _ in children:
            if name == "StringFileInfo":
                for language, _, _, strings, _ in tables:
                    info["strings"][language.lower()] = {
                        k: v.decode("utf-16-le").split("\0", 1)[0]
                        for k, v, _, _, _ in strings}
            elif name == "VarFileInfo":
                for var, value, _, _, _ in tables:
                    if var == "Translation":
                        info["translations"] += [struct.unpack_from("<HH", value, i)
                                                 for i in range(0, len(value) - 3, 4)]
        return info
    except struct.error as error:
        raise NotAnExecutable(f"damaged version resource: {error}") from None


def manifest(data):
    """The application manifest (resource type 24, id 1) as bytes, or None."""
    return next((value for (kind, name, _), value in resources(data).items()
                 if kind == RT_MANIFEST and name == 1), None)


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    with open(argv[1], "rb") as exe:
        data = exe.read()
    info = version_info(data)
    if info is None:
        print("no version resource")
    else:
        print("file version", ".".join(map(str, info["file_version"])))
        print("product version", ".".join(map(str, info["product_version"])))
        print("translations", ", ".join(f"{lang:04x} {cp}" for lang, cp in info["translations"]))
        for language, strings in info["strings"].items():
            print(f"[{language}]")
            for key, value in strings.items():
                print(f"  {key}: {value}")
    found = manifest(data)
    print(found.decode("utf-8") if found else "no manifest")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
