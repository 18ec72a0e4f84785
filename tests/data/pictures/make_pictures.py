#!/usr/bin/env python3
"""Draws the test pictures of this folder (run it here to make them again).

gradient.png: 40 x 24 RGBA, a smooth colour gradient (which JPEG keeps close) whose alpha
falls from left to right, with an opaque white frame one pixel wide; not a power of two.
"""
import struct
import zlib


def png(path, width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


def gradient(width=40, height=24):
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if x in (0, width - 1) or y in (0, height - 1):
                row += [255, 255, 255, 255]
            else:
                row += [x * 255 // (width - 1), y * 255 // (height - 1), 96, 255 - x * 4]
        rows.append(row)
    return rows


if __name__ == "__main__":
    png("gradient.png", 40, 24, gradient())
