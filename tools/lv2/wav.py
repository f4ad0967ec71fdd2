#!/usr/bin/env python3
"""Small WAV helpers for the LV2 host checks, standard library only.

  wav.py noise FILE SECONDS RATE      two channels of seeded noise bursts, 32-bit float
  wav.py compare A B TOLERANCE        largest sample difference; exit 1 above TOLERANCE
                                      or when A is silent
  wav.py peak FILE                    the largest sample magnitude
"""
import random
import struct
import sys


def write_float(path, channels, rate):
    frames = len(channels[0])
    data = b"".join(struct.pack("<%df" % len(channels), *(c[i] for c in channels)) for i in range(frames))
    fmt = struct.pack("<HHIIHH", 3, len(channels), rate, rate * 4 * len(channels), 4 * len(channels), 32)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE")
        f.write(b"fmt " + struct.pack("<I", len(fmt)) + fmt)
        f.write(b"data" + struct.pack("<I", len(data)) + data)


def read(path):
    with open(path, "rb") as f:
        raw = f.read()
    if raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        sys.exit("%s: not a WAV file" % path)
    pos, fmt, data = 12, None, None
    while pos + 8 <= len(raw):
        kind, size = raw[pos:pos + 4], struct.unpack("<I", raw[pos + 4:pos + 8])[0]
        body = raw[pos + 8:pos + 8 + size]
        if kind == b"fmt ":
            fmt = struct.unpack("<HHIIHH", body[:16])
        elif kind == b"data":
            data = body
        pos += 8 + size + (size & 1)
    tag, channels, _, _, _, bits = fmt
    if tag == 0xFFFE:
        tag = struct.unpack("<H", raw[raw.find(b"fmt ") + 8 + 24:][:2])[0]
    if tag == 3 and bits == 32:
        samples = struct.unpack("<%df" % (len(data) // 4), data)
    elif tag == 1 and bits == 16:
        samples = [s / 32768.0 for s in struct.unpack("<%dh" % (len(data) // 2), data)]
    elif tag == 1 and bits == 24:
        samples = [int.from_bytes(data[i:i + 3], "little", signed=True) / 8388608.0
                   for i in range(0, len(data) - 2, 3)]
    else:
        sys.exit("%s: format %d with %d bits not read here" % (path, tag, bits))
    return channels, samples


def main():
    if sys.argv[1] == "noise":
        seconds, rate = float(sys.argv[3]), int(sys.argv[4])
        rng = random.Random(67)
        frames = int(seconds * rate)
        # Bursts with gaps, so echoes are heard apart from the dry signal.
        gate = lambda i: 1.0 if (i // (rate // 8)) % 4 == 0 else 0.0
        left = [gate(i) * (rng.random() - 0.5) for i in range(frames)]
        right = [gate(i) * (rng.random() - 0.5) for i in range(frames)]
        write_float(sys.argv[2], [left, right], rate)
    elif sys.argv[1] == "peak":
        print("%.4f" % max(abs(x) for x in read(sys.argv[2])[1]))
    elif sys.argv[1] == "compare":
        ca, a = read(sys.argv[2])
        cb, b = read(sys.argv[3])
        tolerance = float(sys.argv[4])
        n = min(len(a), len(b))
        worst = max((abs(a[i] - b[i]) for i in range(n)), default=0.0)
        loudest = max((abs(s) for s in a), default=0.0)
        print("compare: %d and %d channels, %d samples, largest difference %.3g, peak %.3g"
              % (ca, cb, n, worst, loudest))
        sys.exit(0 if worst <= tolerance and loudest > 0.01 and ca == cb else 1)


main()
