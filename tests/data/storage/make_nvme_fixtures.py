#!/usr/bin/env python3
"""Writes the NVMe fixtures of this folder.

A 1 TB NVMe disk at 45 degrees Celsius (318 kelvin) whose spare has fallen
below its threshold and whose reliability is degraded (critical warning
0x05), with a data-units-read counter past 64 bits, its Identify Controller
structure, and a health log page cut short. Run it from any directory; it
rewrites the .bin files next to itself.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def counter(value):
    return value.to_bytes(16, "little")


def health():
    p = bytearray(512)
    p[0] = 0x05                        # spare below threshold, reliability degraded
    p[1:3] = struct.pack("<H", 318)    # composite temperature, kelvin
    p[3] = 7                           # available spare, percent
    p[4] = 10                          # its threshold
    p[5] = 104                         # percentage used may pass 100
    p[32:48] = counter(2**64 + 5)      # data units read
    p[48:64] = counter(1234567)        # data units written
    p[112:128] = counter(1021)         # power cycles
    p[128:144] = counter(8760)         # power-on hours
    p[144:160] = counter(37)           # unsafe shutdowns
    p[160:176] = counter(2)            # media and data integrity errors
    p[176:192] = counter(12)           # error information log entries
    return bytes(p)


def identify():
    d = bytearray(4096)
    d[0:2] = struct.pack("<H", 0x144D)  # PCI vendor
    d[4:24] = b"S4EWNX0R123456".ljust(20)
    d[24:64] = b"CORVANE NV-1000 NVMe 1TB".ljust(40)
    d[64:72] = b"2B2QEXM7"
    return bytes(d)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


write("nvme_health.bin", health())
write("nvme_health_truncated.bin", health()[:500])
write("nvme_identify.bin", identify())
