#!/usr/bin/env python3
"""Draws the 16 x 16 toolbar and menu glyphs: writes resources/glyphs/NN.png, one per used index,
and NN@2x.png, the same art at 32 x 32 with every pixel doubled, which Qt picks on screens scaled
to 200 % so that the glyphs stay sharp there instead of being blurred up.

Each glyph is pixel art in the table below ('.' is transparent); standard library only.
Run: python3 scripts/draw_glyphs.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources", "glyphs")

PALETTE = {
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "d": (96, 96, 96),
    "g": (160, 160, 160),
    "s": (200, 200, 200),
    "y": (224, 176, 32),
    "Y": (255, 232, 128),
    "b": (32, 64, 160),
    "n": (150, 100, 40),
    "c": (200, 230, 255),
    "r": (180, 20, 20),
    "G": (20, 140, 40),
}

GLYPHS = {
    0: [  # blank page
        "................",
        "...kkkkkkkk.....",
        "...kwwwwwwkk....",
        "...kwwwwwwkwk...",
        "...kwwwwwwkkkk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kkkkkkkkkkk..",
        "................",
    ],
    1: [  # opening folder
        "................",
        "................",
        ".kkkk...........",
        "kYYYYk..........",
        "kYYYYYkkkkkkk...",
        "kYYYYYYYYYYYk...",
        "kYYkkkkkkkkkkkk.",
        "kYkyyyyyyyyyyyk.",
        "kYkyyyyyyyyyyk..",
        "kkyyyyyyyyyyyk..",
        "kkyyyyyyyyyyk...",
        "kyyyyyyyyyyyk...",
        "kkkkkkkkkkkk....",
        "................",
        "................",
        "................",
    ],
    2: [  # diskette
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbsssssssssbk.",
        ".kbbssdssssssbk.",
        ".kbbssdssssssbk.",
        ".kbbssdssssssbk.",
        ".kbbsssssssssbk.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
    ],
    3: [  # printer
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwddddwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kssssssssssssk.",
        ".ksssssssssGssk.",
        ".kssssssssssssk.",
        ".kddddddddddddk.",
        ".kdkwwwwwwwwkdk.",
        "..kkwddddddwkk..",
        "....kwwwwwwk....",
        "....kkkkkkkk....",
        "................",
        "................",
    ],
    4: [  # curved arrow
        "................",
        "................",
        "....k...........",
        "...kk...........",
        "..kbkkkkkkk.....",
        ".kbbbbbbbbbkk...",
        "..kbkkkkkkkbbk..",
        "...kk......kbbk.",
        "....k.......kbk.",
        "............kbk.",
        "............kbk.",
        "...........kbbk.",
        ".........kkbbk..",
        ".........kkkk...",
        "................",
        "................",
    ],
    5: [  # scissors
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kkk.......",
        ".......k........",
        "......k.k.......",
        "....rrr.rrr.....",
        "...r..r.r..r....",
        "...r..r.r..r....",
        "...r..r.r..r....",
        "....rr...rr.....",
        "................",
        "................",
    ],
    6: [  # two overlapping pages
        "..kkkkkkkk......",
        "..kwwwwwwk......",
        "..kwddddwk......",
        "..kwwwwwwk......",
        "..kwddkkkkkkkk..",
        "..kwwwkwwwwwwk..",
        "..kwddkwddddwk..",
        "..kwwwkwwwwwwk..",
        "..kkkkkwddddwk..",
        "......kwwwwwwk..",
        "......kwddddwk..",
        "......kwwwwwwk..",
        "......kwddddwk..",
        "......kwwwwwwk..",
        "......kkkkkkkk..",
        "................",
    ],
    7: [  # clipboard with a page
        ".....kkkkkk.....",
        "..nnnkssssknnn..",
        ".nnnnkkkkkknnnn.",
        ".nnwwwwwwwwwwnn.",
        ".nnwddddddddwnn.",
        ".nnwwwwwwwwwwnn.",
        ".nnwddddddwwwnn.",
        ".nnwwwwwwwwwwnn.",
        ".nnwddddddddwnn.",
        ".nnwwwwwwwwwwnn.",
        ".nnwdddddwwwwnn.",
        ".nnwwwwwwwwwwnn.",
        ".nnnnnnnnnnnnnn.",
        "................",
        "................",
        "................",
    ],
    8: [  # magnifying glass
        "................",
        "....kkkkk.......",
        "...kcccccK......",
        "..kcwwccccK.....",
        "..kcwcccccK.....",
        "..kccccccck.....",
        "..kccccccck.....",
        "...kccccck......",
        "....kkkkkkk.....",
        "..........kk....",
        "...........kkk..",
        "............kkk.",
        ".............kk.",
        "................",
        "................",
        "................",
    ],
    10: [  # black cross
        "................",
        "................",
        "..kk.......kk...",
        "..kkk.....kkk...",
        "...kkk...kkk....",
        "....kkk.kkk.....",
        ".....kkkkk......",
        "......kkk.......",
        ".....kkkkk......",
        "....kkk.kkk.....",
        "...kkk...kkk....",
        "..kkk.....kkk...",
        "..kk.......kk...",
        "................",
        "................",
        "................",
    ],
}


def png(rows):
    size = len(rows)
    raw = b""
    for row in rows:
        raw += b"\x00"
        for ch in row:
            if ch == ".":
                raw += bytes((0, 0, 0, 0))
            else:
                r, g, b = PALETTE["k" if ch == "K" else ch]
                raw += bytes((r, g, b, 255))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    os.makedirs(OUT, exist_ok=True)
    for index, rows in GLYPHS.items():
        assert len(rows) == 16, index
        for row in rows:
            assert len(row) == 16, (index, row)
        with open(os.path.join(OUT, "%02d.png" % index), "wb") as f:
            f.write(png(rows))
        doubled = ["".join(ch * 2 for ch in row) for row in rows for _ in (0, 1)]
        with open(os.path.join(OUT, "%02d@2x.png" % index), "wb") as f:
            f.write(png(doubled))


if __name__ == "__main__":
    main()
