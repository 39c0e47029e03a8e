#!/usr/bin/python3
"""Render the 42 text glyphs (64x64 white-on-transparent RGBA cells) into assets/fonts/.
Run from the repository root: tools/make_glyphs.py

Text is fixed-pitch (every cell advances by the text size), so the letters are cut for that pitch:
a monospaced bold face, stretched sideways until a lower-case letter fills most of its cell, as an
arcade font does. Only the widest letters are narrowed to keep clear space to the next cell.

Font: DejaVu Sans Mono Bold, /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf from Debian's
fonts-dejavu-core. Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved; Bitstream Vera is a
trademark of Bitstream, Inc.; DejaVu changes are in the public domain. Licence: the Bitstream Vera
Fonts licence (free; modified glyphs may not be named "Bitstream" or "Vera"), full text in
/usr/share/doc/fonts-dejavu-core/copyright."""
import os
from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"
CELL = 64
SIZE = 55        # the i's dot reaches 46 px above the baseline, descenders 12 px below
WEIGHT = 1       # px of outline added all round: horizontal strokes as dark as the stems at 14 px
BASELINE = 49    # row of the shared baseline in every cell: ink spans rows 3..61
STRETCH = 1.7    # sideways: an n becomes 46 px wide, an o 52 px
MAX_INK = 56     # widest ink, so that neighbouring cells keep 8 px of clear space between them
OVERSAMPLE = 8   # drawn this many times larger, then averaged down: even antialiasing
OUT = "assets/fonts"

NAMES = {c: c for c in "abcdefghijklmnopqrstuvwxyz0123456789"}
NAMES.update({".": "period", ",": "comma", "+": "plus", "-": "minus",
              "!": "exclaim", "?": "question"})


def glyph(font, ch):
    """One cell: ink stretched sideways, centred horizontally, sitting on the shared baseline."""
    k = OVERSAMPLE
    canvas = Image.new("L", (4 * CELL * k, CELL * k), 0)
    origin = 2 * CELL * k
    ImageDraw.Draw(canvas).text((origin, BASELINE * k), ch, font=font, fill=255, anchor="ls",
                                stroke_width=WEIGHT * k, stroke_fill=255)
    left, top, right, bottom = canvas.getbbox()
    if top == 0 or bottom == CELL * k:
        raise SystemExit(f"glyph {ch!r} does not fit in a {CELL}px cell")
    stretch = min(STRETCH, MAX_INK * k / (right - left))
    half = CELL * k / stretch / 2       # half the cell, in the drawing's pixels
    middle = (left + right) / 2
    alpha = canvas.resize((CELL, CELL), Image.BOX, box=(middle - half, 0, middle + half, CELL * k))
    white = Image.new("L", (CELL, CELL), 255)
    return Image.merge("RGBA", (white, white, white, alpha))


def main():
    font = ImageFont.truetype(FONT, SIZE * OVERSAMPLE)
    os.makedirs(OUT, exist_ok=True)
    for ch, name in NAMES.items():
        glyph(font, ch).save(os.path.join(OUT, f"font{name}.png"))
    print(f"wrote {len(NAMES)} glyphs to {OUT}/")


if __name__ == "__main__":
    main()
