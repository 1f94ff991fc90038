#!/usr/bin/env python3
"""Draws the program's icons and cursor and writes its two animation clips, into res/.

Icons are 32x32 with 16 colours (every Windows draws those), the cursor is monochrome, and the
clips are uncompressed 8-bit AVI, which the animation control plays without a codec."""
import math
import os
import struct
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'res')

# The 16 VGA colours, by name.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DRED, GREY, DGREY, RED, YELLOW, BLUE, CYAN, WHITE, DBLUE, DCYAN = 0, 1, 7, 8, 9, 11, 12, 14, 15, 4, 6


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[None] * w for _ in range(h)]  # None = transparent

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)

    def line(self, x0, y0, x1, y1, width, c):
        n = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(n + 1):
            t = i / n
            self.disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c)


def icon_disc():  # 128: the CD
    c = Canvas(32, 32)
    c.disc(16, 16, 15, DGREY)
    c.disc(16, 16, 14, GREY)
    c.disc(16, 16, 11, CYAN)
    c.disc(16, 16, 8, WHITE)
    c.disc(12, 11, 3, WHITE)
    c.disc(16, 16, 5, DGREY)
    c.disc(16, 16, 3, None)
    return c


def icon_close():  # 131: a square with a cross
    c = Canvas(32, 32)
    c.rect(3, 3, 29, 29, DRED)
    c.rect(5, 5, 27, 27, RED)
    c.line(10, 10, 22, 22, 3.5, WHITE)
    c.line(22, 10, 10, 22, 3.5, WHITE)
    return c


def icon_magnifier():  # 139: a magnifying glass
    c = Canvas(32, 32)
    c.line(19, 19, 28, 28, 5, DRED)
    c.disc(13, 13, 11, BLACK)
    c.disc(13, 13, 8.5, CYAN)
    c.disc(10, 10, 2.5, WHITE)
    return c


def icon_runner():  # 142: a running figure
    c = Canvas(32, 32)
    c.disc(20, 5, 3.5, YELLOW)
    for (x0, y0, x1, y1) in [(18, 10, 14, 19), (17, 12, 24, 14), (24, 14, 27, 10), (17, 12, 10, 13),
                             (10, 13, 7, 17), (14, 19, 21, 23), (21, 23, 20, 30), (14, 19, 9, 25),
                             (9, 25, 3, 25)]:
        c.line(x0, y0, x1, y1, 3.2, BLUE)
    return c


def bmp_rows(canvas, fn, bpp):
    """Bottom-up rows of a 1- or 4-bit image, each padded to 4 bytes."""
    out = b''
    for y in reversed(range(canvas.h)):
        bits = [fn(canvas.px[y][x]) for x in range(canvas.w)]
        row = bytearray()
        per = 8 // bpp
        for i in range(0, len(bits), per):
            v = 0
            for j, b in enumerate(bits[i:i + per]):
                v |= b << (8 - bpp * (j + 1))
            row.append(v)
        while len(row) % 4:
            row.append(0)
        out += bytes(row)
    return out


def write_ico(name, canvas):
    xor = bmp_rows(canvas, lambda p: p if p is not None else 0, 4)
    mask = bmp_rows(canvas, lambda p: 1 if p is None else 0, 1)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    hdr = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = hdr + pal + xor + mask
    data = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 22) + image
    open(os.path.join(OUT, name), 'wb').write(data)


def write_cursor(name):  # 134: a pointing hand, hot spot at the fingertip
    c = Canvas(32, 32)
    shape = [(10, 1, 14, 16), (10, 10, 26, 24), (13, 24, 24, 28), (5, 16, 10, 20), (7, 20, 11, 23)]
    for (x0, y0, x1, y1) in shape:
        c.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, BLACK)
    for (x0, y0, x1, y1) in shape:
        c.rect(x0, y0, x1, y1, WHITE)
    for x in (14, 18, 22):
        c.rect(x, 11, x + 1, 17, BLACK)
    c.disc(12, 1.5, 2, WHITE)
    xor = bmp_rows(c, lambda p: 1 if p == WHITE else 0, 1)
    mask = bmp_rows(c, lambda p: 1 if p is None else 0, 1)
    pal = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    hdr = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    image = hdr + pal + xor + mask
    data = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, 12, 0, len(image), 22) + image
    open(os.path.join(OUT, name), 'wb').write(data)


def chunk(fourcc, data):
    pad = b'\0' if len(data) % 2 else b''
    return fourcc + struct.pack('<I', len(data)) + data + pad


def write_avi(name, upload):
    """A sheet of paper travelling between a globe and a folder, 16 frames of 96x32."""
    w, h, frames = 96, 32, 16
    row = (w + 3) // 4 * 4
    movi, index = b'', b''
    for f in range(frames):
        c = Canvas(w, h)
        c.rect(0, 0, w, h, GREY)
        c.disc(12, 16, 10, BLUE)
        c.line(4, 12, 20, 12, 1.5, CYAN)
        c.line(4, 20, 20, 20, 1.5, CYAN)
        c.line(12, 6, 12, 26, 1.5, CYAN)
        c.rect(72, 10, 92, 28, YELLOW)
        c.rect(72, 7, 80, 10, YELLOW)
        t = f / (frames - 1)
        x = int(68 - 44 * t) if upload else int(24 + 44 * t)
        c.rect(x, 8, x + 10, 22, BLACK)
        c.rect(x + 1, 9, x + 9, 21, WHITE)
        pixels = b''.join(bytes(c.px[y][i] for i in range(w)) + b'\0' * (row - w) for y in reversed(range(h)))
        offset = 4 + len(movi)
        movi += chunk(b'00db', pixels)
        index += b'00db' + struct.pack('<III', 0x10, offset, len(pixels))
    size = row * h
    avih = struct.pack('<IIIIIIIIII4I', 100000, size * 10, 0, 0x10, frames, 0, 1, size, w, h, 0, 0, 0, 0)
    strh = b'vids' + b'DIB ' + struct.pack('<IHHIIIIIIIIhhhh', 0, 0, 0, 0, 1, 10, 0, frames, size, 0xFFFFFFFF,
                                          0, 0, 0, w, h)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE) + b'\0' * (4 * 240)
    strf = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, size, 0, 0, 256, 0) + pal
    hdrl = b'hdrl' + chunk(b'avih', avih) + chunk(b'LIST', b'strl' + chunk(b'strh', strh) + chunk(b'strf', strf))
    body = b'AVI ' + chunk(b'LIST', hdrl) + chunk(b'LIST', b'movi' + movi) + chunk(b'idx1', index)
    open(os.path.join(OUT, name), 'wb').write(b'RIFF' + struct.pack('<I', len(body)) + body)


os.makedirs(OUT, exist_ok=True)
write_ico('Autorun.ico', icon_disc())
write_ico('Close.ico', icon_close())
write_ico('Browse.ico', icon_magnifier())
write_ico('LiveUpdate.ico', icon_runner())
write_cursor('Hand.cur')
write_avi('Download.avi', False)
write_avi('Upload.avi', True)
