#!/usr/bin/env python3
"""Writes the SMART sector fixtures of this folder.

A 250 GB disk whose 28-bit sector count is saturated, with twelve attributes,
an empty slot and a stray entry after it (never read), one warning, one
attribute that failed in the past, and 41 degrees Celsius. Run it from any
directory; it rewrites the .bin files next to itself.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def id_text(text, length):
    raw = text.ljust(length).encode("ascii")
    return b"".join(raw[i + 1:i + 2] + raw[i:i + 1] for i in range(0, length, 2))


def identify():
    s = bytearray(512)
    s[0:2] = struct.pack("<H", 0x0040)
    s[20:40] = id_text("CV0123456789", 20)
    s[46:54] = id_text("1.02A", 8)
    s[54:94] = id_text("CORVANE TD-250 SATA", 40)
    s[120:124] = struct.pack("<I", 0x0FFFFFFF)
    s[166:168] = struct.pack("<H", 1 << 10)  # word 83: 48-bit feature set
    s[200:208] = struct.pack("<Q", 488397168)
    return bytes(s)


# id, flags, current, worst, raw, threshold
ROWS = [
    (1, 0x000F, 117, 99, 158312544, 6),
    (3, 0x0003, 97, 96, 0, 0),
    (4, 0x0032, 100, 100, 1234, 20),
    (5, 0x0033, 100, 100, 8, 36),
    (7, 0x000F, 60, 60, 31, 30),
    (9, 0x0032, 93, 93, 6512, 0),
    (10, 0x0013, 100, 100, 0, 97),
    (12, 0x0032, 99, 99, 1402, 20),
    (194, 0x0022, 41, 52, 0x0012_0029, 0),
    (197, 0x0012, 100, 100, 0, 0),
    (198, 0x0010, 100, 100, 0, 0),
    (200, 0x0009, 100, 25, 0, 51),
    (0, 0, 0, 0, 0, 0),
    (5, 0x0033, 1, 1, 9999, 36),
]


def attributes():
    s = bytearray(512)
    s[0:2] = struct.pack("<H", 0x0010)
    for k, (ident, flags, cur, worst, raw, _) in enumerate(ROWS):
        at = 2 + 12 * k
        s[at:at + 11] = struct.pack("<BHBB", ident, flags, cur, worst) + raw.to_bytes(6, "little")
    return bytes(s)


def thresholds():
    s = bytearray(512)
    s[0:2] = struct.pack("<H", 0x0010)
    for k, (ident, _, _, _, _, thresh) in enumerate(ROWS):
        s[2 + 12 * k:4 + 12 * k] = bytes([ident, thresh])
    return bytes(s)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


write("smart_identify.bin", identify())
write("smart_attributes.bin", attributes())
write("smart_thresholds.bin", thresholds())
write("smart_attributes_truncated.bin", attributes()[:500])
