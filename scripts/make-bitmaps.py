#!/usr/bin/env python3
"""Draws Korvane's button bitmaps and application icon and writes them into the tree.

    python3 scripts/make-bitmaps.py           write data/*.bmp and the .ico
    python3 scripts/make-bitmaps.py --check   read the pictures back as LoadImage would
                                              and fail if a file is malformed or the
                                              tree does not hold exactly what this
                                              script draws

The pictures are drawn here, in code, so that they can be changed by editing a
grid and re-running the script, and so that the shipped files are reproducible
byte for byte. Standard library only: it runs wherever python3 does.
"""

import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The buttons draw the bottom-left pixel's colour transparently, so the
# background is a colour that no picture uses.
MAGENTA = (255, 0, 255)


# --------------------------------------------------------------------------
# Images: rows of (r, g, b) tuples, None where nothing is drawn.

def blank(width, height):
    return [[None] * width for _ in range(height)]


def from_grid(rows, palette):
    """An image from a character grid; '.' is nothing, every other character
    must be in the palette."""
    width = len(rows[0])
    image = []
    for line in rows:
        if len(line) != width:
            raise ValueError("ragged grid row: %r" % line)
        image.append([None if ch == "." else palette[ch] for ch in line])
    return image


def paste(dest, src, left, top):
    for y, row in enumerate(src):
        for x, colour in enumerate(row):
            if colour is not None and 0 <= top + y < len(dest) and 0 <= left + x < len(dest[0]):
                dest[top + y][left + x] = colour


def mirrored(image):
    return [list(reversed(row)) for row in image]


def mapped(image, recolour):
    return [[None if c is None else recolour(c) for c in row] for row in image]


def shifted(image, dx, dy):
    out = blank(len(image[0]), len(image))
    paste(out, image, dx, dy)
    return out


def hstack(images):
    out = blank(sum(len(i[0]) for i in images), len(images[0]))
    left = 0
    for image in images:
        paste(out, image, left, 0)
        left += len(image[0])
    return out


def shapes(width, height, parts, outline, diagonal=True):
    """Rasterises parts [(inside(x, y), colour)] sampled at pixel centres, later
    parts over earlier ones, then rings everything with a one-pixel outline so
    that the shape stays crisp on any button face. Without diagonal, the ring
    only touches edges, which keeps the inside corners of thin strokes open."""
    image = blank(width, height)
    for y in range(height):
        for x in range(width):
            for inside, colour in parts:
                if inside(x + 0.5, y + 0.5):
                    image[y][x] = colour
    ring = []
    for y in range(height):
        for x in range(width):
            if image[y][x] is None and any(
                    0 <= y + dy < height and 0 <= x + dx < width and image[y + dy][x + dx] is not None
                    for dy in (-1, 0, 1) for dx in (-1, 0, 1) if diagonal or not (dx and dy)):
                ring.append((x, y))
    for x, y in ring:
        image[y][x] = outline
    return image


def segment(x0, y0, x1, y1, half_width):
    """Inside test for a thick line from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= half_width
    return inside


def annulus(cx, cy, inner, outer, keep=lambda x, y: True):
    return lambda x, y: inner <= math.hypot(x - cx, y - cy) <= outer and keep(x, y)


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s = (side(a, b, x, y), side(b, c, x, y), side(c, a, x, y))
        return all(v >= 0 for v in s) or all(v <= 0 for v in s)
    return inside


def rect(left, top, right, bottom):
    return lambda x, y: left <= x <= right and top <= y <= bottom


# --------------------------------------------------------------------------
# The lock toggle: 4 x (20 x 20) for unlocked, disabled, pressed, locked.

OUTLINE = (40, 32, 24)

LOCK_BODY = [
    "KKKKKKKKKKKKK",
    "KhhhhhhhhhhhK",
    "KhBBBBBBBBBsK",
    "KhBBBKKKBBBsK",
    "KhBBBKKKBBBsK",
    "KhBBBBKBBBBsK",
    "KhBBBBKBBBBsK",
    "KhBBBBKBBBBsK",
    "KhBBBBBBBBBsK",
    "KsssssssssssK",
    "KKKKKKKKKKKKK",
]

# Closed: both legs in the body.
SHACKLE_CLOSED = [
    "..KKKKK..",
    ".KMMMMMK.",
    "KMWKKKKMK",
    "KMK...KWK",
    "KMK...KWK",
    "KMK...KWK",
    "KMK...KWK",
    "KMK...KWK",
    "KMK...KWK",
]

# Open: lifted and swung right about its long leg, so the short leg stands
# free beside the body.
SHACKLE_OPEN = [
    "..KKKKK..",
    ".KMMMMMK.",
    "KMWKKKKMK",
    "KMK...KWK",
    "KMK...KWK",
    "KMK...KKK",
    "KMK......",
    "KMK......",
    "KMK......",
    "KMK......",
]

# Pressed: on its way down, lifted but straight above the body.
SHACKLE_PRESSED = [
    "..KKKKK..",
    ".KMMMMMK.",
    "KMWKKKKMK",
    "KMK...KWK",
    "KMK...KWK",
    "KMK...KWK",
    "KMK...KKK",
    "KMK......",
    "KMK......",
]

SILVER = {"K": (64, 72, 88), "h": (250, 252, 255), "B": (206, 214, 226), "s": (150, 160, 178),
          "M": (140, 148, 164), "W": (228, 232, 240)}
GOLD = {"K": OUTLINE, "h": (255, 240, 150), "B": (240, 190, 30), "s": (180, 120, 0),
        "M": (120, 124, 136), "W": (210, 214, 224)}
PRESSED = {"K": (32, 36, 48), "h": (200, 170, 90), "B": (190, 150, 40), "s": (130, 96, 20),
           "M": (96, 100, 112), "W": (160, 164, 176)}


def padlock(shackle, shackle_left, shackle_top, palette):
    image = blank(20, 20)
    paste(image, from_grid(shackle, palette), shackle_left, shackle_top)
    paste(image, from_grid(LOCK_BODY, palette), 3, 8)
    return image


def greyed(colour):
    # Washed-out grey, as disabled controls look.
    level = sum(colour) // 3
    grey = 128 + level // 2
    return (grey, grey, grey)


def lock_strip():
    unlocked = padlock(SHACKLE_OPEN, 10, 0, SILVER)
    disabled = mapped(unlocked, greyed)
    pressed = shifted(padlock(SHACKLE_PRESSED, 5, 0, PRESSED), 1, 1)
    locked = padlock(SHACKLE_CLOSED, 5, 1, GOLD)
    return hstack([unlocked, disabled, pressed, locked])


# --------------------------------------------------------------------------
# Option buttons: 18 x 18, centred on 25 x 25 buttons.

INK = (24, 32, 56)
PAPER = {"K": INK, "W": (255, 255, 255), "g": (200, 208, 224), "l": (96, 128, 200)}

SHEET = [
    "KKKKKKK...",
    "KWWWWWKK..",
    "KWWWWWKgK.",
    "KWllllKKKK",
    "KWWWWWWWWK",
    "KWllllllWK",
    "KWWWWWWWWK",
    "KWlllllWWK",
    "KWWWWWWWWK",
    "KWllllllWK",
    "KWWWWWWWWK",
    "KKKKKKKKKK",
]


def copy_picture():
    image = blank(18, 18)
    paste(image, from_grid(SHEET, PAPER), 1, 1)
    paste(image, from_grid(SHEET, PAPER), 7, 5)
    return image


CLIPBOARD_18 = [
    "....KKKKKK....",
    "..KKKWWWWKKK..",
    ".KBBKMMMMKBBK.",
    ".KBBKKKKKKBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KBBBBBBBBBBK.",
    ".KKKKKKKKKKKK.",
]
BOARD = {"K": (64, 36, 12), "B": (196, 128, 56), "M": (150, 154, 166), "W": (232, 234, 240)}


def paste_picture():
    image = blank(18, 18)
    paste(image, from_grid(CLIPBOARD_18, BOARD), 0, 0)
    paste(image, from_grid(SHEET, PAPER), 7, 6)
    return image


STEEL = (200, 208, 220)
HANDLE = (220, 40, 40)


def cut_picture():
    # Blades taper from the pivot up to their points; the rings hang below.
    px, py = 9.0, 9.0
    parts = [
        (triangle((3.6, 1.0), (px - 1.2, py + 1.0), (px + 0.8, py - 0.6)), STEEL),
        (triangle((14.4, 1.0), (px + 1.2, py + 1.0), (px - 0.8, py - 0.6)), STEEL),
        (segment(px, py, 11.8, 12.0, 0.8), HANDLE),
        (segment(px, py, 6.2, 12.0, 0.8), HANDLE),
        (annulus(4.6, 13.8, 1.4, 2.9), HANDLE),
        (annulus(13.4, 13.8, 1.4, 2.9), HANDLE),
        (rect(8.4, 8.4, 9.6, 9.6), INK),
    ]
    return shapes(18, 18, parts, INK)


ARROW = (40, 110, 220)


def undo_picture():
    # A hook: the head points back (left) at the top, the shaft turns down
    # round the right and comes back underneath.
    cx, cy = 10.0, 9.5
    parts = [
        (triangle((1.0, 5.0), (6.5, 0.6), (6.5, 9.4)), ARROW),
        (rect(6.0, 3.5, cx, 6.5), ARROW),
        (annulus(cx, cy, 3.0, 6.0, keep=lambda x, y: x >= cx), ARROW),
        (rect(5.0, cy + 3.0, cx, cy + 6.0), ARROW),
    ]
    return shapes(18, 18, parts, INK)


def redo_picture():
    return mirrored(undo_picture())


CROSS = (220, 30, 30)
CROSS_EDGE = (110, 0, 0)


def all_erase_picture():
    image = blank(18, 18)
    paste(image, from_grid(SHEET, PAPER), 1, 0)
    paste(image, from_grid(SHEET, PAPER), 5, 3)
    # The cross leaves the sheets' text showing, so both still read.
    cross = shapes(18, 18, [(segment(9.0, 9.0, 16.0, 16.0, 1.1), CROSS),
                            (segment(16.0, 9.0, 9.0, 16.0, 1.1), CROSS)], CROSS_EDGE,
                   diagonal=False)
    paste(image, cross, 0, 0)
    return image


# --------------------------------------------------------------------------
# The application icon: a clipboard holding a numbered list, as the window does.

ICON_PALETTE = {"K": (56, 32, 12), "B": (196, 128, 56), "b": (150, 92, 36), "h": (226, 166, 96),
                "M": (150, 154, 166), "m": (96, 100, 112), "W": (240, 242, 248),
                "P": (255, 255, 255), "p": (190, 196, 212),
                "N": (40, 96, 210), "n": (255, 255, 255), "G": (240, 180, 20), "L": (130, 140, 160)}

ICON_16 = [
    ".....KKKKKK.....",
    ".KKKKMWWWWMKKKK.",
    ".KhBKMMMMMMKBBK.",
    ".KhPKKKKKKKKPbK.",
    ".KhPPPPPPPPPPbK.",
    ".KhPGGPLLLLPPbK.",
    ".KhPGGPPPPPPPbK.",
    ".KhPPPPPPPPPPbK.",
    ".KhPNNPLLLLLPbK.",
    ".KhPNNPPPPPPPbK.",
    ".KhPPPPPPPPPPbK.",
    ".KhPNNPLLLPPPbK.",
    ".KhPNNPPPPPPPbK.",
    ".KhPPPPPPPPPPbK.",
    ".KhbbbbbbbbbbbK.",
    ".KKKKKKKKKKKKKK.",
]

DIGITS = {
    "1": [".n.", "nn.", ".n.", ".n.", "nnn"],
    "2": ["nn.", "..n", ".n.", "n..", "nnn"],
    "3": ["nn.", "..n", ".n.", "..n", "nn."],
}


def fill(grid, left, top, right, bottom, ch):
    for y in range(top, bottom + 1):
        grid[y][left:right + 1] = [ch] * (right - left + 1)


def icon_32_grid():
    grid = [["."] * 32 for _ in range(32)]
    fill(grid, 1, 1, 30, 31, "K")       # board
    fill(grid, 2, 2, 29, 30, "B")
    fill(grid, 2, 2, 29, 2, "h")
    fill(grid, 2, 2, 2, 30, "h")
    fill(grid, 3, 30, 29, 30, "b")
    fill(grid, 29, 3, 29, 30, "b")
    fill(grid, 6, 4, 25, 30, "K")       # sheet
    fill(grid, 7, 5, 24, 29, "P")
    fill(grid, 11, 0, 20, 4, "K")       # clip
    fill(grid, 12, 1, 19, 1, "W")
    fill(grid, 12, 2, 19, 2, "M")
    fill(grid, 12, 3, 19, 3, "m")
    # One line per memory, numbered as the window numbers them; the first
    # is gold like a locked memory.
    for i, (badge, length) in enumerate((("G", 10), ("N", 10), ("N", 7))):
        top = 6 + 8 * i
        fill(grid, 8, top, 12, top + 6, badge)
        for dy, row in enumerate(DIGITS[str(i + 1)]):
            for dx, ch in enumerate(row):
                if ch == "n":
                    grid[top + 1 + dy][9 + dx] = "n"
        fill(grid, 14, top + 2, 13 + length, top + 3, "L")
    return ["".join(row) for row in grid]


def icon_images():
    return [from_grid(ICON_16, ICON_PALETTE), from_grid(icon_32_grid(), ICON_PALETTE)]


# --------------------------------------------------------------------------
# File formats.

def bmp_bytes(image):
    """An uncompressed 24-bit bottom-up BMP, magenta where nothing is drawn."""
    width, height = len(image[0]), len(image)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(image):
        for colour in row:
            r, g, b = MAGENTA if colour is None else colour
            pixels += bytes((b, g, r))
        pixels += bytes(stride - width * 3)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def ico_bytes(images):
    """An ICO of 32-bit BGRA images, each with the AND mask older readers use."""
    blobs = []
    for image in images:
        width, height = len(image[0]), len(image)
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((width + 31) // 32) * 4
        for row in reversed(image):
            bits = bytearray(mask_stride)
            for x, colour in enumerate(row):
                if colour is None:
                    xor += bytes(4)
                    bits[x // 8] |= 0x80 >> (x % 8)
                else:
                    r, g, b = colour
                    xor += bytes((b, g, r, 255))
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((width, height, info + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for width, height, blob in blobs:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in blobs)


# --------------------------------------------------------------------------
# What goes where.

BITMAPS = [
    ("data/Lock.bmp", lock_strip, (80, 20)),
    ("data/Copy.bmp", copy_picture, (18, 18)),
    ("data/Paste.bmp", paste_picture, (18, 18)),
    ("data/Cut.bmp", cut_picture, (18, 18)),
    ("data/Undo.bmp", undo_picture, (18, 18)),
    ("data/Redo.bmp", redo_picture, (18, 18)),
    ("data/AllErase.bmp", all_erase_picture, (18, 18)),
]
ICON = "src/platform/win32/res/Korvane.ico"


def outputs():
    files = {name: bmp_bytes(draw()) for name, draw, _ in BITMAPS}
    files[ICON] = ico_bytes(icon_images())
    return files


# --------------------------------------------------------------------------
# Checks, run with --check. The readers follow the file formats on their own
# rather than reusing the writers, so a row-order or padding slip in a writer
# shows up as a pixel mismatch instead of cancelling out.

def read_bmp(data):
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    assert magic == b"BM", "not a BMP"
    assert file_size == len(data), "file size field %d, file %d" % (file_size, len(data))
    assert size == 40, "info header of %d bytes; LoadImage wants BITMAPINFOHEADER" % size
    assert height > 0, "top-down rows"
    assert (planes, bits, compression) == (1, 24, 0), "not uncompressed 24-bit"
    stride = (width * 3 + 3) // 4 * 4
    assert offset + stride * height == len(data), "pixel data does not fill the file exactly"
    rows = []
    for y in range(height):
        base = offset + (height - 1 - y) * stride
        rows.append([tuple(reversed(data[base + 3 * x:base + 3 * x + 3])) for x in range(width)])
    return width, height, rows


def read_ico(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind) == (0, 1), "not an icon"
    images = []
    end = 6 + 16 * count
    for i in range(count):
        w, h, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        assert (colours, planes, bits) == (0, 1, 32), "entry %d is not 32-bit" % i
        assert offset >= end and offset + length <= len(data), "entry %d overlaps or overruns" % i
        end = offset + length
        size, bw, bh, bplanes, bbits, compression = struct.unpack_from("<IiiHHI", data, offset)
        assert (size, bw, bh, bplanes, bbits, compression) == (40, w, 2 * h, 1, 32, 0), \
            "image %d header does not match its entry" % i
        mask_stride = (w + 31) // 32 * 4
        assert length == 40 + 4 * w * h + mask_stride * h, "image %d length" % i
        xor = offset + 40
        mask = xor + 4 * w * h
        pixels = []
        for y in range(h):
            row = h - 1 - y
            line = []
            for x in range(w):
                b, g, r, a = data[xor + 4 * (row * w + x):xor + 4 * (row * w + x) + 4]
                masked = data[mask + row * mask_stride + x // 8] & (0x80 >> (x % 8))
                line.append(((r, g, b, a), bool(masked)))
            pixels.append(line)
        images.append(pixels)
    assert end == len(data), "trailing bytes after the last image"
    return images


def check_bitmap(name, draw, size, data):
    image = draw()
    width, height, rows = read_bmp(data)
    assert (width, height) == size, "%dx%d, wanted %dx%d" % (width, height, size[0], size[1])
    assert rows[-1][0] == MAGENTA, "bottom-left pixel is not the transparent colour"
    for y in range(height):
        for x in range(width):
            drawn = image[y][x]
            assert drawn != MAGENTA, "(%d, %d) draws in the transparent colour" % (x, y)
            assert rows[y][x] == (MAGENTA if drawn is None else drawn), "(%d, %d) read back wrong" % (x, y)


def check_lock_frames(data):
    _, _, rows = read_bmp(data)
    frames = [[row[20 * i:20 * i + 20] for row in rows] for i in range(4)]
    for i, frame in enumerate(frames):
        assert frame[-1][0] == MAGENTA, "frame %d's own bottom-left pixel is drawn" % i
        assert any(c != MAGENTA for row in frame for c in row), "frame %d is empty" % i
    for i in range(4):
        for j in range(i + 1, 4):
            assert frames[i] != frames[j], "frames %d and %d are the same picture" % (i, j)


def check_icon(data):
    images = read_ico(data)
    assert [len(i) for i in images] == [16, 32], "wanted 16x16 and 32x32"
    for pixels, drawn in zip(images, icon_images()):
        size = len(pixels)
        for y in range(size):
            for x in range(size):
                (r, g, b, a), masked = pixels[y][x]
                # Older shells draw from the mask, newer from alpha: they must agree.
                assert masked == (a == 0), "%dpx: mask and alpha disagree at (%d, %d)" % (size, x, y)
                want = (0, 0, 0, 0) if drawn[y][x] is None else drawn[y][x] + (255,)
                assert (r, g, b, a) == want, "%dpx: (%d, %d) read back wrong" % (size, x, y)
        assert pixels[size // 2][size // 2][0][3] == 255, "%dpx: centre is transparent" % size


def check_tree(files):
    stale = []
    for name, data in files.items():
        try:
            with open(os.path.join(ROOT, name), "rb") as f:
                if f.read() == data:
                    continue
        except OSError:
            pass
        stale.append(name)
    assert not stale, "out of date, run scripts/make-bitmaps.py: " + ", ".join(stale)


def run_checks():
    files = outputs()
    cases = [(name, lambda n=name, d=draw, s=size: check_bitmap(n, d, s, files[n]))
             for name, draw, size in BITMAPS]
    cases += [
        ("lock frames", lambda: check_lock_frames(files["data/Lock.bmp"])),
        ("icon", lambda: check_icon(files[ICON])),
        ("files in the tree", lambda: check_tree(files)),
    ]
    failed = 0
    for name, case in cases:
        try:
            case()
            print("ok     " + name)
        except (AssertionError, struct.error) as e:
            failed += 1
            print("FAILED %s: %s" % (name, e))
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


def main(argv):
    if argv[1:] == ["--check"]:
        return run_checks()
    if argv[1:]:
        sys.stderr.write(__doc__)
        return 2
    for name, data in outputs().items():
        path = os.path.join(ROOT, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print("wrote %s (%d bytes)" % (name, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
