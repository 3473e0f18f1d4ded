#!/usr/bin/env python3
"""bursts.py FILE: the sounds in 16-bit mono 48 kHz samples: start, length, pitch, peak."""
import struct
import sys

RATE, WINDOW, QUIET = 48000, 240, 300  # 5 ms windows; quieter is silence
data = open(sys.argv[1], "rb").read()
samples = struct.unpack("<%dh" % (len(data) // 2), data[: len(data) // 2 * 2])
start = None
for w in range(0, len(samples) + WINDOW, WINDOW):
    loud = max(map(abs, samples[w : w + WINDOW]), default=0) > QUIET
    if loud and start is None:
        start = w
    elif not loud and start is not None:
        part = samples[start:w]
        changes = sum((a < 0) != (b < 0) for a, b in zip(part, part[1:]))
        seconds = len(part) / RATE
        print("%.3f %.3f %d %d" % (start / RATE, seconds, changes / seconds, max(map(abs, part))))
        start = None
print("peak", max(map(abs, samples), default=0))
