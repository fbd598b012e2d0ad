#!/usr/bin/env python3
"""Writes recording.vdmm byte by byte, independently of the C++ encoder: an
RV7361 recording of four records (DC volts, a dBm record with its
reference impedance, an over reading, a blank one), 1 s apart.  With a
second name, also ranges.vdmm: DC volts in three ranges and an over
reading, whose mean and standard deviation are known (see RANGES); its
summary fields are the first one's."""
import struct
import sys

def text(s):
    units = s.encode("utf-16-le")
    n = len(units) // 2
    assert n < 0xFF
    return b"\xff\xfe\xff" + bytes([n]) + units

def i32(*values):
    return struct.pack("<%di" % len(values), *values)

def when(days, status=0):
    return struct.pack("<id", status, days)

BASE = 46366.5  # 2026-12-10 12:00:00
SECOND = 1 / 86400

def record(function, count, rng, sub_function, sub_count, sub_range, t, setting, flags, has_sub):
    # main and sub readings, the time (status first), reserved, setting,
    # flags, filter, peak, slow, hasSub
    return (i32(function, count, rng, sub_function, sub_count, sub_range) + when(t) +
            i32(0, setting, flags, 0, 0, 1, has_sub))

RECORDING = [
    record(4, 12345, 3, 0, 0, 0, BASE, 0, 0, 0),                  # DCV 1.2345 V
    record(1, -1234, 0, -1, 5000, 2, BASE + SECOND, 15, 0, 1),    # dBm -12.34 at 600 ohm, 50.00 Hz
    record(4, 1000000, 3, 0, 0, 0, BASE + 2 * SECOND, 0, 0, 0),   # over
    record(4, 2000000, 3, 0, 0, 0, BASE + 3 * SECOND, 0, 0, 0),   # blank
]

# 123.45 mV, 1.5000 V, over, 2.500 V: in the 60 V range's units 123.45,
# 1500 and 2500 counts, mean 1.37448333 V, population standard deviation
# 0.97427351 V.
RANGES = [
    record(4, 12345, 2, 0, 0, 0, BASE, 0, 0, 0),
    record(4, 15000, 3, 0, 0, 0, BASE + SECOND, 0, 0, 0),
    record(4, 1000000, 3, 0, 0, 0, BASE + 2 * SECOND, 0, 0, 0),
    record(4, 2500, 4, 0, 0, 0, BASE + 3 * SECOND, 0, 0, 0),
]

def recording(records):
    return b"".join([
        text("Quorvia for RV7300s"), i32(211),
        i32(0, 0, 0, 0, 0, 0, 1, 1048576, 99, 99, 99),  # interval and record settings
        i32(1), text("VORNEK Lab"), i32(1), text("Bench"), i32(1), text("Kato"),
        i32(1), text("2026/12/10"), i32(1), text("23"), text("45"), i32(1), text("memo; one"),
        i32(0), i32(0),                                  # decimal symbol, list separator
        i32(8), text("1.04"), text("23120815"),          # model, firmware, serial
        i32(4), i32(4),                                  # record count, run count
        when(BASE), when(BASE), when(BASE + 3 * SECOND),
        when(BASE + SECOND), when(BASE), when(BASE + SECOND), when(BASE + SECOND),
        text("1.2345 V"), text("-12.34 dBm"), text("50.00 Hz"), text("50.00 Hz"),
        text("2026/12/10,12:00:00"), text("2026/12/10,12:00:03"),
        i32(4), i32(-1), i32(4), text("6V"),
        i32(len(records)), b"".join(records),
        i32(60000, 0, 3, 12345, 3, -1234, 0, 4), text("V"), i32(1, 0),
        i32(7, -3, 2, 5000, 2, 5000, 2, 2), text("Hz"), i32(1, 0),
        i32(10, 1, 1, 1),
    ])

for name, records in zip(sys.argv[1:] or ["recording.vdmm"], [RECORDING, RANGES]):
    with open(name, "wb") as out:
        out.write(recording(records))
