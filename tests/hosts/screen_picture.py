#!/usr/bin/env python3
"""Judges a screen dump: is there green text on black across the screen?

Reads what `xwd -root` wrote (a ZPixmap of 24 or 32 bits per pixel on a
TrueColor screen), writes it as a PNG file for people to look at, and
prints what it found: the share of green pixels (text and its smoothed
edges), the share of pixels that are neither green nor black, and the part
of the screen the green covers. Exits 1 unless the green text spans at least
half the width, reaches the bottom eighth of the screen (where the saver
types), and nothing but green and black is on the screen.

    screen_picture.py DUMP.xwd PICTURE.png
"""
import struct
import sys
import zlib


def read_xwd(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    (header_size, _version, pixmap_format, _depth, width, height, _xoffset,
     byte_order, _unit, _bit_order, _pad, bits_per_pixel, bytes_per_line,
     _visual, red_mask, green_mask, blue_mask, _bits_per_rgb, _entries,
     ncolors) = fields[:20]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32):
        sys.exit("screen_picture.py: %s: not a 24- or 32-bit ZPixmap" % path)
    start = header_size + 12 * ncolors
    order = "<" if byte_order == 0 else ">"
    step = bits_per_pixel // 8
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
        if step == 4:
            values = struct.unpack(order + "%dI" % width, line)
        else:
            values = [int.from_bytes(line[i:i + 3], "little" if order == "<" else "big")
                      for i in range(0, len(line), 3)]
        rows.append([(channel(v, red_mask), channel(v, green_mask), channel(v, blue_mask))
                     for v in values])
    return width, height, rows


def channel(value, mask):
    shift = (mask & -mask).bit_length() - 1
    return ((value & mask) >> shift) * 255 // (mask >> shift)


def write_png(path, width, height, rows):
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 6)))
        f.write(chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: screen_picture.py DUMP.xwd PICTURE.png")
    width, height, rows = read_xwd(sys.argv[1])
    write_png(sys.argv[2], width, height, rows)

    green = other = 0
    left, right, top, bottom = width, -1, height, -1
    for y, row in enumerate(rows):
        for x, (r, g, b) in enumerate(row):
            if g > 16 and g >= 2 * max(r, b):  # green, smoothed edges too
                green += 1
                left, right = min(left, x), max(right, x)
                top, bottom = min(top, y), max(bottom, y)
            elif max(r, g, b) > 24:  # neither green nor black
                other += 1
    total = width * height
    span = (right - left + 1) if right >= 0 else 0
    print("screen %dx%d: green %.2f%%, other colours %.2f%%, green from (%d,%d) to (%d,%d)"
          % (width, height, 100.0 * green / total, 100.0 * other / total,
             left, top, right, bottom))
    good = (green > total // 500 and span >= width // 2 and
            bottom >= height - height // 8 and other <= total // 1000)
    sys.exit(0 if good else 1)


if __name__ == "__main__":
    main()
