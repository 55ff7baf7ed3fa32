#!/usr/bin/env python3
"""Draws the program icon: writes resources/icons/tavlor.svg, its 48 x 48 PNG and tavlor-48@2x.png,
the same at 96 x 96, which Qt picks on screens scaled to 200 %.

All files come from the one list of shapes below, so each PNG is exactly the SVG at its size.
Standard library only: the PNG is rasterised here with 8 x 8 supersampling per pixel.
Run: python3 scripts/draw_icon.py
"""
import os
import struct
import zlib

SIZE = 48
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources", "icons")


def rect(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


# A sheet of paper with a folded corner, a blue header row, a grey header column, grid lines and
# one highlighted current cell; a thin dark outline closes it. Each shape: (points, colour, alpha).
FOLD = 10
PAGE = [(5, 3), (43 - FOLD, 3), (43, 3 + FOLD), (43, 45), (5, 45)]
SHAPES = []
SHAPES.append((PAGE, "#37474f", 1.0))  # outline
SHAPES.append(([(6, 4), (42 - FOLD + 0.4, 4), (42, 4 + FOLD - 0.4), (42, 44), (6, 44)], "#ffffff", 1.0))
SHAPES.append(([(6, 4), (42 - FOLD + 0.4, 4), (42 - FOLD + 0.4, 13), (6, 13)], "#1e6fc2", 1.0))  # header row
SHAPES.append(([(42 - FOLD + 0.4, 4 + FOLD - 0.4 - 0.01), (42, 4 + FOLD - 0.4), (42, 13), (42 - FOLD + 0.4, 13)],
               "#1e6fc2", 1.0))
SHAPES.append((rect(6, 13, 8, 31), "#cfd8dc", 1.0))  # header column
# grid: vertical lines between columns, horizontal lines between rows
for x in (14, 23, 32):
    SHAPES.append((rect(x, 13, 1, 31), "#90a4ae", 1.0))
for y in (20, 27, 34, 41):
    SHAPES.append((rect(6, y, 36, 1), "#90a4ae", 1.0))
for x in (14, 23, 32):
    SHAPES.append((rect(x, 4, 1, 9), "#ffffff", 0.55))  # column separators in the header row
SHAPES.append((rect(23, 27, 10, 8), "#f28c00", 1.0))  # current cell frame
SHAPES.append((rect(25, 29, 6, 4), "#fff3e0", 1.0))
# text marks inside two cells
SHAPES.append((rect(16, 23, 5, 2), "#37474f", 1.0))
SHAPES.append((rect(34, 37, 6, 2), "#37474f", 1.0))
# folded corner
SHAPES.append(([(43 - FOLD, 3), (43 - FOLD, 3 + FOLD), (43, 3 + FOLD)], "#37474f", 1.0))
SHAPES.append(([(43 - FOLD + 1, 4.4), (43 - FOLD + 1, 2 + FOLD), (41.6, 2 + FOLD)], "#e3f2fd", 1.0))


def svg():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
           f'viewBox="0 0 {SIZE} {SIZE}">',
           '  <title>Vorlane Tavlor</title>']
    for pts, colour, alpha in SHAPES:
        p = " ".join(f"{x:g},{y:g}" for x, y in pts)
        op = "" if alpha == 1.0 else f' fill-opacity="{alpha:g}"'
        out.append(f'  <polygon points="{p}" fill="{colour}"{op}/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def inside(pts, x, y):
    result = False
    n = len(pts)
    for i in range(n):
        (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            result = not result
    return result


def raster(scale=1):
    ss = 8
    size = SIZE * scale
    px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]  # premultiplied RGBA
    for pts, colour, alpha in SHAPES:
        pts = [(x * scale, y * scale) for x, y in pts]
        r, g, b = (int(colour[i:i + 2], 16) / 255 for i in (1, 3, 5))
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        for py in range(max(0, int(min(ys))), min(size, int(max(ys)) + 1)):
            for pxl in range(max(0, int(min(xs))), min(size, int(max(xs)) + 1)):
                hits = sum(inside(pts, pxl + (i + 0.5) / ss, py + (j + 0.5) / ss)
                           for i in range(ss) for j in range(ss))
                if not hits:
                    continue
                a = alpha * hits / (ss * ss)
                dr, dg, db, da = px[py][pxl]
                px[py][pxl] = (r * a + dr * (1 - a), g * a + dg * (1 - a), b * a + db * (1 - a), a + da * (1 - a))
    raw = bytearray()
    for row in px:
        raw.append(0)
        for r, g, b, a in row:
            if a > 0:
                r, g, b = r / a, g / a, b / a
            raw.extend(round(v * 255) for v in (r, g, b, a))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "tavlor.svg"), "w", encoding="utf-8") as f:
        f.write(svg())
    with open(os.path.join(OUT, "tavlor-48.png"), "wb") as f:
        f.write(raster())
    with open(os.path.join(OUT, "tavlor-48@2x.png"), "wb") as f:
        f.write(raster(2))
