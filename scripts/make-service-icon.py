#!/usr/bin/env python3
"""Draws the service icon (a payment card on a report sheet) at 16 and 32 pixels and
writes R_Cards/res/R_Cards.ico with 32-bit images. Run once when the picture changes;
the .ico is committed and compiled into the library."""
import os
import struct


def draw(n):
    px = [[(0, 0, 0, 0)] * n for _ in range(n)]
    s = n / 16.0

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = c

    rect(3, 1, 13, 15, (250, 250, 250, 255))  # report sheet
    for y in (4, 6, 8):
        rect(5, y, 11, y + 0.5 if n > 16 else y + 1, (160, 160, 160, 255))
    rect(1, 8, 15, 14, (40, 90, 170, 255))  # card
    rect(1, 9.5, 15, 11, (20, 30, 60, 255))  # magnetic stripe
    rect(2.5, 12, 6, 13, (240, 200, 60, 255))  # chip
    return px


def dib(n):
    px = draw(n)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for y in range(n - 1, -1, -1) for (r, g, b, a) in px[y])
    stride = ((n + 31) // 32) * 4
    mask = b''
    for y in range(n - 1, -1, -1):
        row = bytearray(stride)
        for x in range(n):
            if px[y][x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    return header + colour + mask


def main():
    sizes = (16, 32)
    images = [dib(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    target = os.path.join(os.path.dirname(__file__), '..', 'R_Cards', 'res', 'R_Cards.ico')
    with open(target, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
