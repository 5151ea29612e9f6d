#!/usr/bin/env python3
"""Turns a form description template into the final form description text.

Usage: inline-form.py TEMPLATE OUTPUT ARTWORK_DIR

A property whose value is a directive is replaced by the binary data it names,
written in the form description's binary layout: an opening brace, the bytes as
upper-case hex in lines of at most 64 digits, each line indented two spaces
deeper than the property, and the closing brace right after the last digits:

    Picture.Data = {
      424D...
      ...0000}

Directives:
  @file(NAME)    the bytes of ARTWORK_DIR/NAME as they are.
  @bitmap(NAME)  the bytes of the Windows bitmap ARTWORK_DIR/NAME; the file is
                 checked to be a whole, uncompressed bitmap first, so that a
                 broken picture stops the build instead of the program.
A bitmap's Data is the bitmap file itself, from its "BM" signature on.

Every other line is copied unchanged.
"""

import os
import re
import struct
import sys

HEX_DIGITS_PER_LINE = 64
DIRECTIVE = re.compile(r"^(?P<indent> *)(?P<name>[A-Za-z_][\w.]*) = @(?P<kind>file|bitmap)\((?P<path>[^()]+)\)\s*$")


class TemplateError(Exception):
    pass


def checked_bitmap(data, name):
    """The bytes of a Windows bitmap file, refused unless its headers describe them exactly."""
    if len(data) < 14 + 40 or data[:2] != b"BM":
        raise TemplateError("%s is not a Windows bitmap" % name)
    file_size, offset = struct.unpack_from("<I4xI", data, 2)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if file_size != len(data):
        raise TemplateError("%s: the header gives %d bytes, the file has %d" % (name, file_size, len(data)))
    if header_size < 40 or planes != 1 or width <= 0 or height == 0:
        raise TemplateError("%s: unsupported bitmap header" % name)
    if compression != 0 or bits not in (1, 4, 8, 16, 24, 32):
        raise TemplateError("%s: only uncompressed bitmaps are carried" % name)
    stride = (width * bits + 31) // 32 * 4
    if offset + stride * abs(height) > len(data):
        raise TemplateError("%s: the pixel rows run past the end of the file" % name)
    return data


def hex_block(data, indent):
    """The data as the value of a binary property whose name starts at column len(indent)."""
    digits = data.hex().upper()
    lines = [digits[i : i + HEX_DIGITS_PER_LINE] for i in range(0, len(digits), HEX_DIGITS_PER_LINE)]
    inner = indent + "  "
    return "{\n" + "\n".join(inner + line for line in lines) + "}"


def inline(template_text, artwork_dir):
    out = []
    for number, line in enumerate(template_text.splitlines(), 1):
        match = DIRECTIVE.match(line)
        if not match:
            if "@file(" in line or "@bitmap(" in line:
                raise TemplateError("line %d: a directive must be the whole value of a property" % number)
            out.append(line)
            continue
        name = match.group("path").strip()
        path = os.path.join(artwork_dir, name)
        try:
            with open(path, "rb") as source:
                data = source.read()
        except OSError as error:
            raise TemplateError("line %d: cannot read %s: %s" % (number, path, error.strerror))
        if match.group("kind") == "bitmap":
            data = checked_bitmap(data, name)
        if not data:
            raise TemplateError("line %d: %s is empty" % (number, name))
        indent = match.group("indent")
        out.append("%s%s = %s" % (indent, match.group("name"), hex_block(data, indent)))
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 4:
        sys.stderr.write("usage: inline-form.py TEMPLATE OUTPUT ARTWORK_DIR\n")
        return 2
    template, output, artwork_dir = argv[1:]
    try:
        with open(template, "r", encoding="ascii") as source:
            text = inline(source.read(), artwork_dir)
    except (TemplateError, UnicodeDecodeError) as error:
        sys.stderr.write("%s: %s\n" % (template, error))
        return 1
    with open(output + ".tmp", "w", encoding="ascii", newline="\n") as out:
        out.write(text)
    os.replace(output + ".tmp", output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
