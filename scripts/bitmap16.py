#!/usr/bin/env python3
"""Writes 16 x 16 RGB bytes (standard input) as a 4-bit bitmap in the 16 standard colours,
each pixel the nearest of them.  Used by make-toolbar-art.sh."""
import struct
import sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
SIZE = 16


def nearest(pixel):
    return min(range(len(PALETTE)), key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE[i], pixel)))


def main():
    data = sys.stdin.buffer.read()
    if len(data) != SIZE * SIZE * 3:
        sys.exit("expected 16 x 16 RGB bytes")
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        indices = [nearest(data[(y * SIZE + x) * 3:(y * SIZE + x) * 3 + 3]) for x in range(SIZE)]
        rows.append(bytes((indices[x] << 4) | indices[x + 1] for x in range(0, SIZE, 2)))  # 8 bytes, 4-aligned
    pixels = b"".join(rows)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    with open(sys.argv[1], "wb") as out:
        out.write(header + info + colours + pixels)


if __name__ == "__main__":
    main()
