#!/usr/bin/env python3
"""Prints the version of a Windows program from its version resource.

Usage: peversion.py PROGRAM.EXE
Prints the FileVersion string ("1.0.0") and fails unless the fixed
FILEVERSION (1,0,0,0) and the ProductVersion string say the same.
"""
import struct
import sys


def string_value(data, key):
    """The value of the StringFileInfo entry KEY, or None."""
    needle = (key + "\0").encode("utf-16-le")
    at = data.find(needle)
    while at >= 6:
        start = at - 6  # wLength, wValueLength, wType precede the key
        _, words, kind = struct.unpack_from("<HHH", data, start)
        if kind == 1:  # text
            value = start + ((6 + len(needle) + 3) & ~3)
            raw = data[value:value + 2 * words].decode("utf-16-le")
            return raw.split("\0", 1)[0]
        at = data.find(needle, at + 1)
    return None


def main():
    data = open(sys.argv[1], "rb").read()
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    if fixed < 0:
        sys.exit("%s: no version resource" % sys.argv[1])
    ms, ls = struct.unpack_from("<II", data, fixed + 8)
    quad = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    text = string_value(data, "FileVersion")
    product = string_value(data, "ProductVersion")
    expected = "%d.%d.%d" % quad[:3]
    if text != expected or product != text or quad[3] != 0:
        sys.exit("%s: FileVersion %r, ProductVersion %r, FILEVERSION %s disagree"
                 % (sys.argv[1], text, product, ",".join(map(str, quad))))
    print(text)


if __name__ == "__main__":
    main()
