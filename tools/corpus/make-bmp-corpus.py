#!/usr/bin/env python3
"""Writes the seed corpus of the BMP fuzz target: small valid files of every kind the
decoder reads, and broken ones for each way a file can be malformed.

    tools/corpus/make-bmp-corpus.py [output-dir]   (default tests/fuzz/corpus/bmp)
"""
import os
import struct
import sys


def file_header(body_len, pixel_offset):
    return b"BM" + struct.pack("<IHHI", 14 + body_len, 0, 0, pixel_offset)


def bmp(width, height, bits, pixels, palette=(), compression=0, header_size=40,
        masks=(), planes=1, colors_used=None, pixel_offset=None):
    """palette: (r, g, b) tuples; masks: after a 40-byte header or inside a larger one."""
    if header_size == 12:
        header = struct.pack("<IHHHH", 12, width & 0xFFFF, height & 0xFFFF, planes, bits)
        table = b"".join(bytes((b, g, r)) for r, g, b in palette)
    else:
        used = len(palette) if colors_used is None else colors_used
        header = struct.pack("<IiiHHIIiiII", header_size, width, height, planes, bits,
                             compression, len(pixels), 2835, 2835, used, 0)
        if header_size > 40:
            header += b"".join(struct.pack("<I", m) for m in masks)
        header = header.ljust(header_size, b"\0")
        table = b"".join(struct.pack("<I", m) for m in masks) if header_size == 40 else b""
        table += b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + len(header) + len(table) if pixel_offset is None else pixel_offset
    body = header + table
    return file_header(len(body) + len(pixels), offset) + body + pixels


def rows(width, height, bits, value):
    """Uncompressed rows, bottom-up, padded to 4 bytes; value(x, y) gives the pixel."""
    stride = (width * bits + 31) // 32 * 4
    out = bytearray()
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            v = value(x, y)
            if bits < 8:
                shift = 8 - bits - (x * bits) % 8
                row[x * bits // 8] |= (v & ((1 << bits) - 1)) << shift
            elif bits == 8:
                row[x] = v
            elif bits == 16:
                row[2 * x:2 * x + 2] = struct.pack("<H", v & 0xFFFF)
            elif bits == 24:
                row[3 * x:3 * x + 3] = struct.pack("<I", v)[:3]
            else:
                row[4 * x:4 * x + 4] = struct.pack("<I", v)
        out += row
    return bytes(out)


def grey_palette(n):
    return [(i * 255 // max(n - 1, 1),) * 3 for i in range(n)]


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "fuzz", "corpus", "bmp")
    os.makedirs(out_dir, exist_ok=True)
    files = {}
    pattern = lambda x, y: x * 7 + y * 3  # noqa: E731

    for bits in (1, 4, 8):
        n = 1 << bits
        files[f"valid-{bits}bpp.bmp"] = bmp(5, 3, bits, rows(5, 3, bits, lambda x, y: pattern(x, y) % n),
                                            grey_palette(n))
    files["valid-8bpp-short-palette.bmp"] = bmp(4, 2, 8, rows(4, 2, 8, lambda x, y: (x + y) % 3),
                                                grey_palette(3))
    files["valid-24bpp.bmp"] = bmp(3, 2, 24, rows(3, 2, 24, lambda x, y: 0x102030 * (x + 1) + y))
    files["valid-24bpp-top-down.bmp"] = bmp(3, -2, 24, rows(3, 2, 24, lambda x, y: 0xFF << (8 * x)))
    files["valid-32bpp.bmp"] = bmp(2, 2, 32, rows(2, 2, 32, lambda x, y: 0x00ABCDEF ^ (x * 0x010101)))
    files["valid-32bpp-bitfields.bmp"] = bmp(2, 1, 32, rows(2, 1, 32, lambda x, y: 0x11223344 + x),
                                             compression=3, masks=(0xFF, 0xFF00, 0xFF0000))
    files["valid-16bpp-555.bmp"] = bmp(3, 1, 16, rows(3, 1, 16, lambda x, y: 0x7C00 >> (5 * x)))
    files["valid-16bpp-565.bmp"] = bmp(3, 1, 16, rows(3, 1, 16, lambda x, y: 0xF800 >> (5 * x)),
                                       compression=3, masks=(0xF800, 0x07E0, 0x001F))
    files["valid-v4-header.bmp"] = bmp(2, 2, 32, rows(2, 2, 32, lambda x, y: x + y), compression=3,
                                       header_size=108, masks=(0xFF0000, 0xFF00, 0xFF, 0))
    files["valid-v5-header.bmp"] = bmp(2, 1, 24, rows(2, 1, 24, lambda x, y: 0x808080), header_size=124)
    files["valid-core-header.bmp"] = bmp(4, 2, 4, rows(4, 2, 4, lambda x, y: x), grey_palette(16),
                                         header_size=12)
    files["valid-empty.bmp"] = bmp(0, 0, 24, b"")
    files["valid-zero-width.bmp"] = bmp(0, 3, 32, b"")
    rle8 = bytes([3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 0, 2, 2, 0, 1])
    files["valid-rle8.bmp"] = bmp(4, 3, 8, rle8, grey_palette(4), compression=1)
    rle4 = bytes([5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 0, 0, 1])
    files["valid-rle4.bmp"] = bmp(6, 2, 4, rle4, grey_palette(8), compression=2)
    # Runs that fill each row up to its padded width, as common image tools write them.
    rle8_padded = bytes([4, 0, 1, 1, 3, 0, 0, 0, 1, 0, 1, 1, 6, 0, 0, 0, 8, 0, 0, 0, 0, 1])
    files["valid-rle8-padded-runs.bmp"] = bmp(5, 3, 8, rle8_padded, grey_palette(2), compression=1)
    rle4_padded = bytes([8, 0x12, 0, 0, 0, 8, 0x21, 0x21, 0x21, 0x21, 0, 1])
    files["valid-rle4-padded-runs.bmp"] = bmp(5, 2, 4, rle4_padded, grey_palette(3), compression=2)

    good = files["valid-24bpp.bmp"]
    files["broken-truncated-header.bmp"] = good[:30]
    files["broken-truncated-pixels.bmp"] = good[:-3]
    files["broken-signature.bmp"] = b"BA" + good[2:]
    files["broken-header-size.bmp"] = good[:14] + struct.pack("<I", 41) + good[18:]
    files["broken-zero-planes.bmp"] = bmp(1, 1, 24, b"\0" * 4, planes=0)
    files["broken-negative-width.bmp"] = bmp(-3, 1, 24, b"\0" * 12)
    files["broken-huge.bmp"] = bmp(16384, 16384, 32, b"")
    files["broken-offset-overflow.bmp"] = bmp(1, 1, 24, b"\0" * 4, pixel_offset=0xFFFFFFF0)
    files["broken-offset-in-header.bmp"] = bmp(1, 1, 24, b"\0" * 4, pixel_offset=20)
    files["broken-compression.bmp"] = bmp(1, 1, 24, b"\0" * 4, compression=4)
    files["broken-palette-too-large.bmp"] = bmp(1, 1, 1, b"\0" * 4, grey_palette(2), colors_used=300)
    files["broken-palette-index.bmp"] = bmp(2, 1, 8, bytes([0, 5, 0, 0]), grey_palette(2))
    files["broken-rle8-run-overflow.bmp"] = bmp(2, 2, 8, bytes([9, 1, 0, 1]), grey_palette(2), compression=1)
    files["broken-rle8-delta.bmp"] = bmp(2, 2, 8, bytes([0, 2, 200, 200, 0, 1]), grey_palette(2), compression=1)
    files["broken-rle8-beyond-padding.bmp"] = bmp(5, 1, 8, bytes([9, 1, 0, 1]), grey_palette(2),
                                                  compression=1)
    files["broken-rle4-beyond-padding.bmp"] = bmp(5, 1, 4, bytes([9, 0x11, 0, 1]), grey_palette(2),
                                                  compression=2)
    files["broken-rle4-no-end.bmp"] = bmp(2, 2, 4, bytes([2, 0x11]), grey_palette(2), compression=2)

    for name, data in sorted(files.items()):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
    print(f"{len(files)} files in {os.path.normpath(out_dir)}")


if __name__ == "__main__":
    main()
