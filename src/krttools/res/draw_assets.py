#!/usr/bin/env python3
"""Draws the quick-mouse ladder's images: the cancel icon of the order cells and the move and
cancel cursors shown while an order is dragged. Run from this folder to regenerate them; the
results are committed, so the build needs nothing but the PNGs.

Shapes are rasterised with 8x8 supersampling and composited source-over; no imaging library
is needed.
"""
import math
import struct
import zlib

SAMPLES = 8


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * width for _ in range(height)]

    def fill(self, inside, colour, alpha=1.0):
        """Composites `colour` over every pixel by the share of its samples that `inside` accepts."""
        r, g, b = colour
        for y in range(self.height):
            row = self.pixels[y]
            for x in range(self.width):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                            hits += 1
                if not hits:
                    continue
                a = alpha * hits / (SAMPLES * SAMPLES)
                pr, pg, pb, pa = row[x]
                out = a + pa * (1 - a)
                row[x] = (
                    (r * a + pr * pa * (1 - a)) / out,
                    (g * a + pg * pa * (1 - a)) / out,
                    (b * a + pb * pa * (1 - a)) / out,
                    out,
                )

    def save(self, path):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)
            for r, g, b, a in row:
                raw += bytes((round(r), round(g), round(b), round(a * 255)))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
            out.write(chunk(b"IEND", b""))


def circle(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def stroke(points, width, closed=False):
    pairs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    if not closed:
        pairs = pairs[: len(points) - 1]
    half = width / 2
    return lambda x, y: any(segment_distance(x, y, *a, *b) <= half for a, b in pairs)


def polygon(points):
    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit

    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    return inside


RED = (0xE0, 0x3C, 0x31)
RED_DARK = (0xB0, 0x24, 0x1B)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0x10, 0x10, 0x10)
BLUE = (0x1E, 0x6F, 0xD9)
BLUE_DARK = (0x14, 0x4F, 0xA0)


def cancel_icon(path):
    """16 x 16: a red disc with a white cross, the order cells' cancel button."""
    canvas = Canvas(16, 16)
    canvas.fill(circle(8, 8, 7.4), RED_DARK)
    canvas.fill(circle(8, 8, 6.5), RED)
    canvas.fill(stroke([(5.3, 5.3), (10.7, 10.7)], 1.7), WHITE)
    canvas.fill(stroke([(10.7, 5.3), (5.3, 10.7)], 1.7), WHITE)
    canvas.save(path)


# The pointer arrow shared by both cursors; its tip is the hot spot (1, 1).
ARROW = [(1, 1), (1, 17.5), (5, 13.7), (8, 20.2), (10.6, 19), (7.7, 12.7), (13, 12.7)]


def arrow(canvas):
    canvas.fill(union(polygon(ARROW), stroke(ARROW, 2.0, closed=True)), BLACK)
    canvas.fill(lambda x, y: polygon(ARROW)(x, y) and not stroke(ARROW, 2.0, closed=True)(x, y), WHITE)


def move_cursor(path):
    """32 x 32: the arrow with a blue badge holding an up-down arrow: drop moves the order."""
    canvas = Canvas(32, 32)
    arrow(canvas)
    canvas.fill(rounded_rect(14, 13, 30, 30, 4), WHITE)
    canvas.fill(rounded_rect(15, 14, 29, 29, 3.2), BLUE_DARK)
    canvas.fill(rounded_rect(16, 15, 28, 28, 2.6), BLUE)
    canvas.fill(stroke([(22, 17.2), (22, 25.8)], 1.6), WHITE)
    canvas.fill(polygon([(22, 16.2), (25.2, 19.8), (18.8, 19.8)]), WHITE)
    canvas.fill(polygon([(22, 26.8), (25.2, 23.2), (18.8, 23.2)]), WHITE)
    canvas.save(path)


def cancel_cursor(path):
    """32 x 32: the arrow with a red no-entry badge: drop cancels the order."""
    canvas = Canvas(32, 32)
    arrow(canvas)
    canvas.fill(circle(22, 22, 8.6), WHITE)
    canvas.fill(circle(22, 22, 7.6), RED_DARK)
    canvas.fill(circle(22, 22, 6.8), RED)
    canvas.fill(stroke([(18.6, 18.6), (25.4, 25.4)], 2.0), WHITE)
    canvas.fill(stroke([(25.4, 18.6), (18.6, 25.4)], 2.0), WHITE)
    canvas.save(path)


if __name__ == "__main__":
    cancel_icon("Skins/Default/Trade/close_order.png")
    move_cursor("../ladder/cursors/move_order.png")
    cancel_cursor("../ladder/cursors/cancel_order.png")
