#!/usr/bin/env python3
"""Compresses a resource for the programs (the form description with its bitmaps).

Usage: compress-form.py INPUT OUTPUT
       compress-form.py --decode INPUT OUTPUT

The stream layout is the one framework/streaming/LzDecode.h describes: the signature "LZT1",
the decoded size (4 bytes, little-endian), then sequences of a token byte (literal
count in the high half, copy length less 4 in the low half, 15 = more bytes follow),
the literals, and, unless the literals complete the output, a 2-byte distance and the
copy length's extra bytes.

The compressor is a greedy LZ77 matcher with hash chains and one step of lazy
evaluation. Every stream is decoded again before it is written, so a broken stream
stops the build instead of the program.
"""

import os
import struct
import sys

SIGNATURE = b"LZT1"
MIN_COPY = 4
MAX_DISTANCE = 65535
CHAIN_DEPTH = 48  # candidates looked at per position
MAX_DECODED = 64 << 20  # the decoder's limit


class StreamError(Exception):
    pass


def common_length(data, a, b, limit):
    """How many bytes from a and from b are equal, at most limit (a < b)."""
    length = 0
    step = 256
    while length < limit:
        size = min(step, limit - length)
        if data[a + length : a + length + size] == data[b + length : b + length + size]:
            length += size
            step *= 2
        elif size == 1:
            break
        else:
            step = max(1, size // 2)
    return length


def find_copy(data, position, chains):
    """The longest earlier copy of the bytes at position: (length, distance) or (0, 0)."""
    end = len(data)
    if position + MIN_COPY > end:
        return 0, 0
    candidates = chains.get(data[position : position + MIN_COPY])
    if not candidates:
        return 0, 0
    best, best_distance = 0, 0
    limit = end - position
    looked = 0
    for start in reversed(candidates):
        distance = position - start
        if distance > MAX_DISTANCE or looked == CHAIN_DEPTH:
            break
        looked += 1
        # A candidate can only beat the best if it also matches at the best's last byte.
        if best and (best >= limit or data[start + best] != data[position + best]):
            continue
        length = common_length(data, start, position, limit)
        if length > best:
            best, best_distance = length, distance
            if best == limit:
                break
    if best < MIN_COPY:
        return 0, 0
    return best, best_distance


def write_length(out, extra):
    """The bytes after the token of a length whose half in the token is 15."""
    while extra >= 255:
        out.append(255)
        extra -= 255
    out.append(extra)


def write_sequence(out, literals, copy_length, distance):
    literal_half = min(len(literals), 15)
    copy_half = 0 if copy_length == 0 else min(copy_length - MIN_COPY, 15)
    out.append(literal_half << 4 | copy_half)
    if literal_half == 15:
        write_length(out, len(literals) - 15)
    out += literals
    if copy_length:
        out += struct.pack("<H", distance)
        if copy_half == 15:
            write_length(out, copy_length - MIN_COPY - 15)


def compress(data):
    if len(data) > MAX_DECODED:
        raise StreamError("%d bytes are more than the decoder takes" % len(data))
    out = bytearray(SIGNATURE + struct.pack("<I", len(data)))
    chains = {}

    def remember(upto):
        nonlocal indexed
        while indexed < upto and indexed + MIN_COPY <= len(data):
            chains.setdefault(data[indexed : indexed + MIN_COPY], []).append(indexed)
            indexed += 1

    indexed = 0
    position = anchor = 0
    while position < len(data):
        remember(position)
        length, distance = find_copy(data, position, chains)
        if length:
            # Lazy step: a longer copy one byte later is worth one more literal.
            remember(position + 1)
            later, later_distance = find_copy(data, position + 1, chains)
            if later > length + 1:
                position += 1
                length, distance = later, later_distance
        if not length:
            position += 1
            continue
        write_sequence(out, data[anchor:position], length, distance)
        position += length
        anchor = position
        # Long copies of one repeated pattern: index only their tail, the rest adds nothing
        # that the tail does not.
        if position - indexed > 4096:
            indexed = position - 4096
    if anchor < len(data):
        write_sequence(out, data[anchor:], 0, 0)
    return bytes(out)


def decompress(stream):
    """The decoder in Python, as strict as the program's."""
    if stream[:4] != SIGNATURE or len(stream) < 8:
        raise StreamError("no signature")
    (size,) = struct.unpack_from("<I", stream, 4)
    if size > MAX_DECODED:
        raise StreamError("the decoded size is too large")
    out = bytearray()
    pos = 8

    def byte():
        nonlocal pos
        if pos >= len(stream):
            raise StreamError("the stream ends early")
        pos += 1
        return stream[pos - 1]

    def length(half, base):
        value = base + half
        if half == 15:
            while True:
                more = byte()
                value += more
                if more != 255:
                    break
        return value

    while len(out) < size:
        token = byte()
        count = length(token >> 4, 0)
        if count > size - len(out) or pos + count > len(stream):
            raise StreamError("literals past the end")
        out += stream[pos : pos + count]
        pos += count
        if len(out) == size:
            if token & 15:
                raise StreamError("a copy follows the end of the output")
            break
        distance = byte() | byte() << 8
        if distance == 0 or distance > len(out):
            raise StreamError("a copy reaches back before the start")
        copy = length(token & 15, MIN_COPY)
        if copy > size - len(out):
            raise StreamError("a copy past the end")
        for _ in range(copy):
            out.append(out[-distance])
    if pos != len(stream):
        raise StreamError("bytes follow the end of the stream")
    return bytes(out)


def main(argv):
    decode = len(argv) == 4 and argv[1] == "--decode"
    if len(argv) != 3 and not decode:
        sys.stderr.write(__doc__.split("\n\n")[1] + "\n")
        return 2
    source, target = argv[-2:]
    with open(source, "rb") as f:
        data = f.read()
    try:
        if decode:
            result = decompress(data)
        else:
            result = compress(data)
            if decompress(result) != data:
                raise StreamError("the stream does not decode to its input")
    except StreamError as error:
        sys.stderr.write("%s: %s\n" % (source, error))
        return 1
    with open(target + ".tmp", "wb") as f:
        f.write(result)
    os.replace(target + ".tmp", target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
