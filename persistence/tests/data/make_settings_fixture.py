#!/usr/bin/env python3
"""Writes the settings-file fixtures byte by byte, independently of the C++
encoder, so that the tests compare our output with the format itself."""
import struct
import sys

def text(s):
    units = s.encode("utf-16-le")
    n = len(units) // 2
    out = b"\xff\xfe\xff"
    if n < 0xFF:
        out += bytes([n])
    elif n < 0xFFFE:
        out += b"\xff" + struct.pack("<H", n)
    else:
        out += b"\xff\xff\xff" + struct.pack("<I", n)
    return out + units

def i32(v):
    return struct.pack("<i", v)

def rect(l, t, r, b):
    return struct.pack("<iiii", l, t, r, b)

def settings(version_text="2.11", version_number=21100):
    fields = [
        rect(120, 80, 820, 690),  # windowRect
        i32(0),            # language: Japanese
        i32(3),            # comPort
        i32(9),            # ModelIndex
        i32(9600),         # baudRate
        i32(0),            # baudIndex
        i32(0),            # autoConnect
        i32(1),            # intervalMode
        i32(1),            # totalMode
        i32(4),            # fastIntervalIndex
        i32(1),            # timeDisplayMode
        i32(1),            # intervalHours
        i32(2),            # intervalMinutes
        i32(3),            # intervalSeconds
        i32(5000),         # dataCount
        i32(10),           # recordHours
        i32(20),           # recordMinutes
        i32(30),           # recordSeconds
        i32(0), text("株式会社ヴォルネク"),  # companyOn, companyText
        i32(1), text("Line 4 insulation"),   # titleOn, titleText
        i32(0), text("山田"),                # operatorOn, operatorText
        i32(1), text("2026/12/01"),          # dateOn, dateText
        i32(0), text("23.5"), text("45"),    # tempHumidOn, temperatureText, humidityText
        i32(1), text("memo\r\nsecond line"), # memoOn, memoText
        i32(1),            # dateMode
        i32(1),            # decimalSymbol
        i32(1),            # listSeparator
        text("/home/user/meter"),  # memFolder
        text("run-7"),     # memFileName
        i32(0),            # excelTakeInMode
        i32(1),            # excelUseRecordSetting
        i32(2),            # excelIntervalIndex
    ]
    return text(version_text) + i32(version_number) + b"".join(fields)

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    with open(f"{folder}/settings-2.11.ini", "wb") as f:
        f.write(settings())
    with open(f"{folder}/settings-2.10.ini", "wb") as f:
        f.write(settings("2.10", 21000))
