#!/usr/bin/env python3
"""Draws the installer's two icons and writes them as .ico files.

  window.ico  the wizard's window icon: two beamed notes on a blue tile
  page.ico    the picture at the top left of every page: a microphone

Usage: make_icons.py OUT_DIR

Shapes are described in a 64 x 64 design space and rendered with 4 x 4
supersampling into 32-bit images with alpha; the files are rewritten only
when their bytes change, so an unchanged drawing does not relink anything.
"""

import math
import os
import struct
import zlib
import sys

SAMPLES = 4


def ellipse(cx, cy, rx, ry, angle=0.0):
    cos_a, sin_a = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def inside(x, y):
        dx, dy = x - cx, y - cy
        u = dx * cos_a + dy * sin_a
        v = -dx * sin_a + dy * cos_a
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def window_icon():
    """Two beamed eighth notes, white on a blue tile."""
    tile = rounded_rect(2, 2, 62, 62, 11)
    return [
        (tile, lambda x, y: (30, 60 + int(y * 0.9), 150 + int(y), 255)),
        (both(tile, rect(2, 2, 62, 24)), lambda x, y: (255, 255, 255, 28)),
        (ellipse(20, 47, 8.5, 6, -25), (255, 255, 255, 255)),
        (ellipse(43, 42, 8.5, 6, -25), (255, 255, 255, 255)),
        (rect(25, 16, 29.5, 46), (255, 255, 255, 255)),
        (rect(48, 11, 52.5, 41), (255, 255, 255, 255)),
        (polygon([(25, 16), (52.5, 11), (52.5, 19), (25, 24)]), (255, 255, 255, 255)),
    ]


def page_icon():
    """A microphone with a golden grille and a dark handle."""
    grille = ellipse(32, 20, 15, 15)
    return [
        (polygon([(24, 34), (40, 34), (36, 60), (28, 60)]), (48, 48, 58, 255)),
        (rect(27, 40, 37, 43), (120, 120, 135, 255)),
        (grille, lambda x, y: (235, 175 - int(y), 40, 255)),
        (both(grille, lambda x, y: int(x) % 5 == 0 or int(y) % 5 == 0),
         (150, 95, 10, 255)),
        (ellipse(27, 14, 4.5, 3.5, -35), (255, 245, 200, 200)),
    ]


def render(layers, size):
    pixels = []
    scale = 64.0 / size
    step = 1.0 / SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) * step) * scale
                    y = (py + (sy + 0.5) * step) * scale
                    cr = cg = cb = ca = 0.0
                    for shape, colour in layers:
                        if not shape(x, y):
                            continue
                        lr, lg, lb, la = colour(x, y) if callable(colour) else colour
                        la /= 255.0
                        cr = lr * la + cr * (1 - la)
                        cg = lg * la + cg * (1 - la)
                        cb = lb * la + cb * (1 - la)
                        ca = la + ca * (1 - la)
                    r, g, b, a = r + cr, g + cg, b + cb, a + ca
            n = SAMPLES * SAMPLES
            alpha = a / n
            if alpha > 0:
                # The colours above are premultiplied; icons want them straight.
                row.append((round(r / n / alpha), round(g / n / alpha),
                            round(b / n / alpha), round(alpha * 255)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered_rows(rows, adaptive):
    """PNG scan lines, each led by its filter type: 0 (none) throughout, or
    per line the filter whose output has the smallest sum of magnitudes."""
    out = bytearray()
    previous = bytes(len(rows[0]))
    for row in rows:
        best = None
        for kind in (range(5) if adaptive else (0,)):
            line = bytearray()
            for i, x in enumerate(row):
                a = row[i - 4] if i >= 4 else 0
                b = previous[i]
                c = previous[i - 4] if i >= 4 else 0
                guess = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
                line.append((x - guess) & 0xFF)
            cost = sum(v if v < 128 else 256 - v for v in line)
            if best is None or cost < best[0]:
                best = (cost, kind, line)
        out.append(best[1])
        out += best[2]
        previous = row
    return bytes(out)


def png(pixels):
    """One icon image as PNG (RGBA), which Windows reads at any size from
    Vista on: a sixth to a tenth of the uncompressed bitmap's size."""
    size = len(pixels)
    rows = [bytes(c for px in row for c in px) for row in pixels]
    # Flat drawings pack best unfiltered, gradients filtered: keep the smaller.
    data = min((zlib.compress(filtered_rows(rows, adaptive), 9) for adaptive in (False, True)),
               key=len)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', data) + chunk(b'IEND', b''))


def ico(layers, sizes):
    images = [png(render(layers, size)) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b''.join(images)


def write_if_changed(path, data):
    try:
        with open(path, 'rb') as existing:
            if existing.read() == data:
                return
    except FileNotFoundError:
        pass
    with open(path + '.tmp', 'wb') as out:
        out.write(data)
    os.replace(path + '.tmp', path)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_icons.py OUT_DIR')
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    write_if_changed(os.path.join(out_dir, 'window.ico'), ico(window_icon(), [16, 24, 32, 48]))
    write_if_changed(os.path.join(out_dir, 'page.ico'), ico(page_icon(), [32, 48, 64]))


if __name__ == '__main__':
    main()
