#!/usr/bin/env python3
"""Draws Portlark's icon and synthesises its two sounds; the outputs are committed, so the
build needs no Python. Run it from anywhere: python3 resources/generate.py"""
import math
import os
import struct
import wave

HERE = os.path.dirname(os.path.abspath(__file__))


def icon():
    """32 x 32, 256 colours: a crosshair over a dark disc, transparent around it."""
    size = 32
    palette = [(0, 0, 0)] * 256
    # Indices: 0 transparent/black, 1 rim, 2..65 disc shades, 66 crosshair, 67 centre dot.
    palette[1] = (240, 200, 40)
    for i in range(64):
        t = i / 63
        palette[2 + i] = (int(20 + 40 * t), int(40 + 60 * t), int(70 + 90 * t))
    palette[66] = (250, 250, 250)
    palette[67] = (230, 40, 30)

    pixels = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]  # 1 = transparent
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > 15.5:
                continue
            mask[y][x] = 0
            if d > 14.0:
                pixels[y][x] = 1
                continue
            # Light from the top left.
            shade = 1 - min(1.0, math.hypot(x - c + 5, y - c + 5) / 22)
            pixels[y][x] = 2 + int(shade * 63)
            on_ring = abs(d - 8.5) < 0.9
            on_cross = (abs(x - c) < 1.0 or abs(y - c) < 1.0) and 3.0 < d < 13.0
            if on_ring or on_cross:
                pixels[y][x] = 66
            if d < 2.0:
                pixels[y][x] = 67

    xor = b"".join(bytes(pixels[y]) for y in reversed(range(size)))
    and_rows = []
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | mask[y][x]
        and_rows.append(struct.pack(">I", bits))
    andmask = b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(xor) + len(andmask),
                         0, 0, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    image = header + pal + xor + andmask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8,
                                                          len(image), 6 + 16)
    with open(os.path.join(HERE, "portlark.ico"), "wb") as f:
        f.write(directory + image)


def sound(name, data_bytes, parts):
    """Plain PCM, 16-bit mono 22050 Hz, exactly data_bytes of samples."""
    rate = 22050
    count = data_bytes // 2
    samples = []
    for n in range(count):
        t = n / rate
        value = 0.0
        for start, length, freq, volume, harmonics in parts:
            if start <= t < start + length:
                local = t - start
                # Short attack, smooth decay: no clicks at either end.
                env = min(1.0, local / 0.01) * math.exp(-3.0 * local / length)
                env *= min(1.0, (start + length - t) / 0.02)
                for k, weight in harmonics:
                    value += volume * weight * env * math.sin(2 * math.pi * freq * k * local)
        samples.append(max(-32767, min(32767, int(value * 32767))))
    path = os.path.join(HERE, name)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(struct.pack("<%dh" % count, *samples))


if __name__ == "__main__":
    icon()
    # A bright rising two-note chime: done.
    sound("ja.wav", 47322, [(0.00, 0.35, 659.25, 0.45, [(1, 1.0), (2, 0.25)]),
                            (0.30, 0.77, 987.77, 0.45, [(1, 1.0), (2, 0.2), (3, 0.05)])])
    # A low falling double buzz: something is missing.
    sound("ho.wav", 38720, [(0.00, 0.38, 233.08, 0.35, [(1, 1.0), (3, 0.35), (5, 0.2)]),
                            (0.42, 0.46, 196.00, 0.35, [(1, 1.0), (3, 0.35), (5, 0.2)])])
