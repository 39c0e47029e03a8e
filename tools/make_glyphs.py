#!/usr/bin/python3
"""Render the 42 text glyphs (64x64 white-on-transparent RGBA cells) into assets/fonts/.
Run from the repository root: tools/make_glyphs.py"""
import os
from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
CELL = 64
SIZE = 56        # ascenders reach 43 px above the baseline, descenders 12 px below
BASELINE = 47    # row of the shared baseline in every cell: ink spans rows 4..58
OUT = "assets/fonts"

NAMES = {c: c for c in "abcdefghijklmnopqrstuvwxyz0123456789"}
NAMES.update({".": "period", ",": "comma", "+": "plus", "-": "minus",
              "!": "exclaim", "?": "question"})


def glyph(font, ch):
    """One cell: ink centred horizontally, sitting on the shared baseline."""
    pad = 2 * CELL
    canvas = Image.new("L", (4 * CELL, 4 * CELL), 0)
    ImageDraw.Draw(canvas).text((pad, pad), ch, font=font, fill=255, anchor="ls")
    left, top, right, bottom = canvas.getbbox()
    x0 = left - (CELL - (right - left)) // 2
    y0 = pad - BASELINE
    if not (x0 <= left and right <= x0 + CELL and y0 <= top and bottom <= y0 + CELL):
        raise SystemExit(f"glyph {ch!r} does not fit in a {CELL}px cell")
    alpha = canvas.crop((x0, y0, x0 + CELL, y0 + CELL))
    white = Image.new("L", (CELL, CELL), 255)
    return Image.merge("RGBA", (white, white, white, alpha))


def main():
    font = ImageFont.truetype(FONT, SIZE)
    os.makedirs(OUT, exist_ok=True)
    for ch, name in NAMES.items():
        glyph(font, ch).save(os.path.join(OUT, f"font{name}.png"))
    print(f"wrote {len(NAMES)} glyphs to {OUT}/")


if __name__ == "__main__":
    main()
