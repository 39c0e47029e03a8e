#!/usr/bin/python3
"""Check that every glyph and picture the game loads exists with the right size and pixel format,
plus the few layout facts the game's code relies on. Run from the repository root; exits 1 on failure."""
import sys
from PIL import Image

GLYPHS = [c for c in "abcdefghijklmnopqrstuvwxyz0123456789"] + \
    ["period", "comma", "plus", "minus", "exclaim", "question"]
PICTURES = {
    "hurdler1.png": (40, 40), "hurdler2.png": (40, 40), "dead.png": (32, 27),
    "tripped.png": (40, 22), "jumping.png": (51, 40), "hurdle.png": (40, 35),
    "hurdleover.png": (40, 36), "wall.png": (280, 334), "biffo.png": (42, 42),
    "bigmine.png": (47, 44), "mine.png": (42, 39), "ghost.png": (35, 56),
    "mineexplode.png": (35, 33), "mud.png": (33, 31), "rakeup.png": (41, 41),
    "rakedown.png": (41, 41), "spikesopen.png": (44, 29), "spikesclosed.png": (46, 24),
    "background.jpg": (1024, 768), "title.png": (1024, 693), "story.png": (128, 157),
    "mousearrow.png": (64, 49), "track.png": (1024, 704), "mousehandopen.png": (64, 61),
    "mousehandclosed.png": (64, 60), "gobutton.png": (128, 92), "mudicon.png": (64, 75),
    "ghosticon.png": (64, 80), "rakeicon.png": (64, 78), "biffoicon.png": (64, 82),
    "spikesicon.png": (64, 84), "mineicon.png": (64, 78), "bigmineicon.png": (64, 117),
    "ending.png": (949, 768),
}
FILES = {f"assets/fonts/font{g}.png": (64, 64) for g in GLYPHS}
FILES.update({f"assets/images/{n}": size for n, size in PICTURES.items()})

errors = []


def check(ok, message):
    if not ok:
        errors.append(message)
    return ok


def load(path, size):
    try:
        im = Image.open(path)
        im.load()
    except (OSError, ValueError) as e:
        check(False, f"{path}: cannot read ({e})")
        return None
    want = ("JPEG", "RGB") if path.endswith(".jpg") else ("PNG", "RGBA")
    check((im.format, im.mode) == want, f"{path}: {im.format} {im.mode}, want {want[0]} {want[1]}")
    if path.endswith(".png"):
        with open(path, "rb") as f:
            ihdr = f.read(26)
        check(ihdr[24:26] == b"\x08\x06", f"{path}: PNG is not 8-bit colour type 6 (RGBA)")
    check(im.size == size, f"{path}: {im.size[0]}x{im.size[1]}, want {size[0]}x{size[1]}")
    return im


images = {path: load(path, size) for path, size in FILES.items()}
check(len(FILES) == 76, f"expected 76 files, listed {len(FILES)}")


def ink_rows(name):
    box = images[f"assets/fonts/font{name}.png"].getchannel("A").getbbox()
    return box[1], box[3] - 1


if all(images.values()) and not errors:
    for g in GLYPHS:
        im = images[f"assets/fonts/font{g}.png"]
        r, _, _, a = im.split()
        check(r.getextrema() == (255, 255) and im.getchannel("B").getextrema() == (255, 255),
              f"font{g}: colour is not pure white")
        check(any(a.histogram()[1:255]), f"font{g}: edges are not antialiased")
        left, top, right, bottom = a.getbbox()
        check(left >= 2 and top >= 2 and right <= 62 and bottom <= 62, f"font{g}: ink touches the cell edge")
        check(abs((left + right) - 64) <= 1, f"font{g}: not centred horizontally")
    base = ink_rows("x")[1]
    for g in "aceimnorsuvwxz0123456789bdhkl":
        check(abs(ink_rows(g)[1] - base) <= 1, f"font{g}: not on the shared baseline")
    check(abs(ink_rows("period")[1] - base) <= 1, "fontperiod: not on the baseline")
    for g in ("comma", "g", "j", "p", "q", "y"):
        check(ink_rows(g)[1] > base + 4, f"font{g}: does not descend below the baseline")
    x_mid = (ink_rows("x")[0] + base) / 2
    for g in ("minus", "plus"):
        top, bottom = ink_rows(g)
        check(abs((top + bottom) / 2 - x_mid) <= 4, f"font{g}: not centred on the x-height")

    arrow = images["assets/images/mousearrow.png"].getchannel("A")
    left, top, _, _ = arrow.getbbox()
    check(arrow.getpixel((10, 6)) == 255 and (left, top) == (10, 6), "mousearrow: tip is not at (10, 6)")

    title = images["assets/images/title.png"].getchannel("A")
    check(title.crop((444, 415, 572, 572)).getbbox() is None, "title: covers the story icon's place")
    check(title.crop((470, 600, 660, 670)).getextrema() == (255, 255), "title: start button is not solid")

    track = images["assets/images/track.png"]
    for lane in range(9):  # lane lines px + py = 553 + 62 L are white; lanes between are not
        for px in (400, 500, 600):
            py = 553 + 62 * lane - px
            if 0 <= py < 704:
                check(min(track.getpixel((px, py))[:3]) > 200, f"track: no lane line {lane} at ({px}, {py})")
                if lane < 8:
                    r, g, b, _ = track.getpixel((px, py + 31))
                    check(r > 150 and g < 120, f"track: lane {lane} is not track-coloured at ({px}, {py + 31})")
    check(track.getpixel((10, 10))[3] == 0 and track.getpixel((1010, 690))[3] == 0,
          "track: outside the track is not transparent")

for e in errors:
    print("FAIL", e)
print(f"{len(FILES)} files checked, {len(errors)} problems")
sys.exit(1 if errors else 0)
