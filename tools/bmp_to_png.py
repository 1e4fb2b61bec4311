#!/usr/bin/env python3
"""Writes an uncompressed 24- or 32-bit Windows bitmap as a PNG file: bmp_to_png.py IN.bmp OUT.png.

The Windows screenshots are taken as bitmaps under wine; the README shows PNG files, and this
machine need not have an image converter for that one step."""
import struct
import sys
import zlib


def read_bitmap(path):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits not in (24, 32):
        raise SystemExit(f"{path}: {bits}-bit bitmaps are not supported")
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y
        start = offset + source * stride
        row = bytearray()
        for x in range(width):
            blue, green, red = data[start + x * step:start + x * step + 3]
            row += bytes((red, green, blue))
        rows.append(bytes(row))
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit("usage: bmp_to_png.py IN.bmp OUT.png")
    write_png(sys.argv[2], *read_bitmap(sys.argv[1]))
