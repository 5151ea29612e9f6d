#!/usr/bin/env python3
"""Writes the seed corpus of the compressed-resource fuzz target: valid streams made by
tools/build/compress-form.py, and broken ones for each way a stream can be malformed.

    tools/corpus/make-lz-corpus.py [output-dir]   (default tests/fuzz/corpus/lz)
"""
import importlib.util
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
module_spec = importlib.util.spec_from_file_location(
    "compress_form", os.path.join(HERE, "..", "build", "compress-form.py"))
codec = importlib.util.module_from_spec(module_spec)
module_spec.loader.exec_module(codec)


def header(size):
    return codec.SIGNATURE + struct.pack("<I", size)


FORM_SAMPLE = (b"object MainForm: TMainForm\n  Left = 192\n  Picture.Data = {\n"
               + b"    " + b"FF7EF1" * 40 + b"\n" + b"    " + b"EEE8E8" * 40 + b"}\nend\n")

VALID = {
    "valid_empty": b"",
    "valid_one_byte": b"x",
    "valid_text": b"Please install Microsoft .NET Framework 2.0 before installing any program",
    "valid_run": b"A" * 1000,  # one literal, then a copy from distance 1 with long extra bytes
    "valid_form_sample": FORM_SAMPLE,
    "valid_pattern": bytes(range(256)) * 3 + b"end",
}

BROKEN = {
    "broken_no_signature": b"LZT0" + struct.pack("<I", 0),
    "broken_short_header": codec.SIGNATURE + b"\x01\x00",
    "broken_ends_early": header(5),  # no token at all
    "broken_literals_cut": header(5) + bytes([0x50]) + b"abc",
    "broken_literal_past_size": header(2) + bytes([0x30]) + b"abc",
    "broken_distance_zero": header(9) + bytes([0x11]) + b"a" + struct.pack("<H", 0),
    "broken_distance_before_start": header(9) + bytes([0x11]) + b"a" + struct.pack("<H", 2),
    "broken_copy_past_size": header(6) + bytes([0x14]) + b"a" + struct.pack("<H", 1),
    "broken_copy_after_end": header(1) + bytes([0x11]) + b"a",
    "broken_trailing_bytes": header(1) + bytes([0x10]) + b"a" + b"zz",
    "broken_huge_size": header(0xFFFFFFFF) + bytes([0x10]) + b"a",
    "broken_endless_length": header(1000) + bytes([0xF0]) + b"\xff" * 8,
    "broken_distance_cut": header(9) + bytes([0x11]) + b"a" + b"\x01",
    "broken_length_cut": header(40) + bytes([0x1F]) + b"a" + struct.pack("<H", 1),
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "tests", "fuzz", "corpus", "lz")
    os.makedirs(out, exist_ok=True)
    for name, data in VALID.items():
        stream = codec.compress(data)
        assert codec.decompress(stream) == data, name
        with open(os.path.join(out, name + ".lz"), "wb") as f:
            f.write(stream)
    for name, stream in BROKEN.items():
        try:
            codec.decompress(stream)
        except codec.StreamError:
            pass
        else:
            raise SystemExit("%s decodes, but it is meant to be broken" % name)
        with open(os.path.join(out, name + ".lz"), "wb") as f:
            f.write(stream)
    return 0


if __name__ == "__main__":
    sys.exit(main())
