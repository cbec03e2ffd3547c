#!/usr/bin/env python3
"""Draws the window icon and the toolbar images as PNG files.

Plain Python (zlib only), so anyone can redraw them: run it in this folder.
Shapes are filled with 4x4 supersampling for smooth edges.
"""
import math
import struct
import zlib

SS = 4  # samples per pixel along each axis


def png(path, size, pixels):
    """Writes RGBA rows (lists of (r, g, b, a)) as a PNG file."""
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def inside_polygon(x, y, points):
    hit = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


class Canvas:
    """A square in a 0..1 coordinate space, painted shape over shape."""

    def __init__(self, size):
        self.size = size
        n = size * SS
        self.samples = [[(0, 0, 0, 0)] * n for _ in range(n)]

    def fill(self, test, colour):
        n = self.size * SS
        for sy in range(n):
            y = (sy + 0.5) / n
            row = self.samples[sy]
            for sx in range(n):
                if test((sx + 0.5) / n, y):
                    row[sx] = colour

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        box = (min(xs), max(xs), min(ys), max(ys))
        self.fill(lambda x, y: box[0] <= x <= box[1] and box[2] <= y <= box[3]
                  and inside_polygon(x, y, points), colour)

    def rect(self, x0, y0, x1, y1, colour, radius=0.0):
        def test(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 + 1e-12
        self.fill(test, colour)

    def circle(self, cx, cy, r, colour):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                      (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)

    def pixels(self):
        out = []
        for py in range(self.size):
            row = []
            for px in range(self.size):
                r = g = b = a = 0
                for sy in range(SS):
                    for sx in range(SS):
                        cr, cg, cb, ca = self.samples[py * SS + sy][px * SS + sx]
                        r += cr * ca
                        g += cg * ca
                        b += cb * ca
                        a += ca
                if a:
                    row.append((r // a, g // a, b // a, a // (SS * SS)))
                else:
                    row.append((0, 0, 0, 0))
            out.append(row)
        return out


NAVY = (22, 33, 74, 255)
GOLD = (255, 196, 40, 255)
ORANGE = (255, 120, 30, 255)
RED = (226, 44, 52, 255)
WHITE = (255, 255, 255, 255)
FOLDER = (240, 184, 56, 255)
FOLDER_DARK = (196, 136, 24, 255)
BLUE = (44, 96, 190, 255)
BLUE_DARK = (24, 56, 120, 255)
GREEN = (34, 150, 72, 255)
GREY = (110, 116, 128, 255)


def tavrin(c):
    """A firework burst on a night-blue tile."""
    c.rect(0.03, 0.03, 0.97, 0.97, NAVY, radius=0.18)
    cx, cy = 0.5, 0.46
    for i in range(12):
        angle = i * math.pi / 6
        colour = GOLD if i % 2 == 0 else ORANGE
        inner, outer = (0.12, 0.38) if i % 2 == 0 else (0.14, 0.30)
        c.line(cx + inner * math.cos(angle), cy + inner * math.sin(angle),
               cx + outer * math.cos(angle), cy + outer * math.sin(angle), 0.07, colour)
    c.circle(cx, cy, 0.09, RED)


def folder(c):
    c.polygon([(0.06, 0.22), (0.38, 0.22), (0.46, 0.32), (0.94, 0.32),
               (0.94, 0.86), (0.06, 0.86)], FOLDER_DARK)
    c.polygon([(0.16, 0.44), (0.98, 0.44), (0.88, 0.86), (0.06, 0.86)], FOLDER)


def floppy(c):
    c.polygon([(0.08, 0.08), (0.78, 0.08), (0.92, 0.22), (0.92, 0.92),
               (0.08, 0.92)], BLUE)
    c.rect(0.26, 0.08, 0.70, 0.36, BLUE_DARK)
    c.rect(0.54, 0.12, 0.64, 0.32, (200, 210, 230, 255))
    c.rect(0.20, 0.52, 0.80, 0.92, WHITE)
    c.line(0.28, 0.66, 0.72, 0.66, 0.05, GREY)
    c.line(0.28, 0.80, 0.72, 0.80, 0.05, GREY)


def download(c):
    c.rect(0.42, 0.06, 0.58, 0.52, GREEN)
    c.polygon([(0.20, 0.44), (0.80, 0.44), (0.50, 0.76)], GREEN)
    c.rect(0.08, 0.62, 0.18, 0.94, GREY)
    c.rect(0.82, 0.62, 0.92, 0.94, GREY)
    c.rect(0.08, 0.84, 0.92, 0.94, GREY)


def ico(path, sizes):
    """Writes the program's PNG icons as one Windows .ico (PNG entries)."""
    images = [open(f"tavrin-{size}.png", "rb").read() for size in sizes]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, data in zip(sizes, images):
        side = size % 256  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(header + entries + b"".join(images))


def main():
    for size in (16, 32, 48, 256):
        c = Canvas(size)
        tavrin(c)
        png(f"tavrin-{size}.png", size, c.pixels())
    ico("tavrin.ico", (16, 32, 48, 256))
    for name, draw in (("open", folder), ("save", floppy), ("download", download)):
        for size, suffix in ((16, ""), (32, "@2x")):
            c = Canvas(size)
            draw(c)
            png(f"{name}{suffix}.png", size, c.pixels())


if __name__ == "__main__":
    main()
