#!/usr/bin/env python3
"""Writes a cabinet with one stored (uncompressed) folder, entry names taken as given.

Usage: make_cabinet.py OUT NAME=SOURCE [NAME=SOURCE ...]
Used for entries a cabinet tool refuses to write (absolute names, ".." parts).
"""
import struct
import sys


def checksum(data, seed):
    """The cabinet data block checksum (XOR of little-endian words, odd tail bytes reversed)."""
    whole = len(data) // 4 * 4
    for i in range(0, whole, 4):
        seed ^= struct.unpack_from("<I", data, i)[0]
    tail = 0
    for byte in data[whole:]:
        tail = (tail << 8) | byte
    return seed ^ tail


def block(body):
    sizes = struct.pack("<HH", len(body), len(body))
    return struct.pack("<I", checksum(sizes, checksum(body, 0))) + sizes + body


def main():
    out, pairs = sys.argv[1], [a.split("=", 1) for a in sys.argv[2:]]
    files = [(name.encode("latin-1"), open(src, "rb").read()) for name, src in pairs]
    data = b"".join(body for _, body in files)
    blocks = [data[i:i + 32768] for i in range(0, len(data), 32768)] or [b""]

    header_size, folder_size = 36, 8
    file_entries = b""
    offset = 0
    for name, body in files:
        file_entries += struct.pack("<IIHHHH", len(body), offset, 0, 0x21, 0, 0x20) + name + b"\0"
        offset += len(body)
    data_start = header_size + folder_size + len(file_entries)
    data_blocks = b"".join(block(b) for b in blocks)
    total = data_start + len(data_blocks)

    header = b"MSCF" + struct.pack("<IIIIIBBHHHHH", 0, total, 0, header_size + folder_size, 0, 3, 1,
                                   1, len(files), 0, 0x1234, 0)
    folder = struct.pack("<IHH", data_start, len(blocks), 0)
    with open(out, "wb") as f:
        f.write(header + folder + file_entries + data_blocks)


if __name__ == "__main__":
    main()
