#!/usr/bin/python3
"""Check that every glyph and picture the game loads exists with the right size and pixel format,
that the glyphs fill their fixed-pitch cells without touching their neighbours,
plus the few layout facts the game's code relies on. Run from the repository root; exits 1 on failure.
With --contrast, also prints the text contrast figures over the background."""
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
    "ending.png": (949, 768), "dim.png": (1024, 768),
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
check(len(FILES) == 77, f"expected 77 files, listed {len(FILES)}")


def ink_rows(name):
    box = images[f"assets/fonts/font{name}.png"].getchannel("A").getbbox()
    return box[1], box[3] - 1


# Text is fixed-pitch: cells of the text size abut, so words hold together only if the letters
# fill their cells, and letters stay apart only if the ink of neighbouring cells does not meet.
# At the smallest text (14 px on an 800 by 600 window) 5 px of the 64 px cell is one clear pixel.
MIN_LOWER_CASE_FILL = 0.70   # mean ink width of a-z over the cell width
MIN_LETTER_FILL = 0.5        # each letter and digit
MIN_CLEAR_COLUMNS = 5


def check_glyph_widths():
    widths, lefts, rights = {}, {}, {}
    for g in GLYPHS:
        alpha = images[f"assets/fonts/font{g}.png"].getchannel("A")
        solid = alpha.point(lambda v: 255 if v >= 128 else 0).getbbox()
        widths[g] = solid[2] - solid[0]
        lefts[g], _, rights[g], _ = alpha.getbbox()  # any trace of ink, however faint
    letters = [g for g in GLYPHS if len(g) == 1 and g.isalpha()]
    fill = sum(widths[g] for g in letters) / len(letters) / 64
    check(fill >= MIN_LOWER_CASE_FILL,
          f"glyphs: lower-case ink fills {fill:.0%} of the cell on average, want {MIN_LOWER_CASE_FILL:.0%}")
    for g in GLYPHS:
        if len(g) == 1:
            check(widths[g] >= MIN_LETTER_FILL * 64, f"font{g}: ink only {widths[g]} px wide")
    # The tightest pair: the glyph reaching furthest right followed by the one reaching furthest left.
    right = max(GLYPHS, key=lambda g: rights[g])
    left = min(GLYPHS, key=lambda g: lefts[g])
    gap = (64 - rights[right]) + lefts[left]
    check(gap >= MIN_CLEAR_COLUMNS,
          f"glyphs: only {gap} clear px between font{right} and font{left} in neighbouring cells")
    narrow = min(letters, key=lambda g: widths[g])
    wide = max(letters, key=lambda g: widths[g])
    print(f"glyphs: lower-case ink {fill:.0%} of the cell on average ({narrow} {widths[narrow]} px .. "
          f"{wide} {widths[wide]} px), at least {gap} clear px between cells ({right} then {left})")


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
    check_glyph_widths()

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
            if 0 <= py < 704 and not 508 <= px - py <= 540:  # the finish band crosses the lines
                check(min(track.getpixel((px, py))[:3]) > 200, f"track: no lane line {lane} at ({px}, {py})")
                if lane < 8:
                    r, g, b, _ = track.getpixel((px, py + 31))
                    check(r > 150 and g < 120, f"track: lane {lane} is not track-coloured at ({px}, {py + 31})")
    check(track.getpixel((10, 10))[3] == 0 and track.getpixel((1010, 690))[3] == 0,
          "track: outside the track is not transparent")



def opaque(im, threshold=128):
    """Pixels (x, y) of im whose alpha is at least threshold."""
    a = im.getchannel("A")
    w, h = im.size
    data = a.load()
    return [(x, y) for y in range(h) for x in range(w) if data[x, y] >= threshold]


def mean(values):
    values = list(values)
    return sum(values) / len(values)


# Text drawn straight on the background: the OpenGL drawer tints it black, the software drawer
# leaves the glyphs white. Each box is a text's cells (every character advances by the size).
TEXT_AREAS = {
    "story lines": (40, 10, 1000, 353),            # 13 lines, size 18, at x 40, y 10..335
    "story click to continue": (235, 680, 779, 712),  # size 32
    "title escape to quit": (340, 720, 676, 744),  # size 24
    "race points remaining": (0, 0, 608, 32),      # size 32, the number at x 544
    "race hints": (620, 520, 1024, 624),           # size 24 lines at y 520, 560, 600
}
MIN_BLACK_CONTRAST = 4.5
MIN_WHITE_CONTRAST = 3.5


def relative_luminance_table():
    """For each 8-bit sRGB level, its linear light (WCAG 2 relative luminance formula)."""
    def linear(v):
        c = v / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    return [linear(v) for v in range(256)]


def text_contrast(picture, box):
    """WCAG contrast ratios of black text and of white text over every pixel of box:
    ((min black, median black), (min white, median white))."""
    lin = relative_luminance_table()
    region = picture.convert("RGB").crop(box)
    lums = sorted(0.2126 * lin[r] + 0.7152 * lin[g] + 0.0722 * lin[b] for r, g, b in region.getdata())
    darkest, median, lightest = lums[0], lums[len(lums) // 2], lums[-1]
    black = ((darkest + 0.05) / 0.05, (median + 0.05) / 0.05)
    white = (1.05 / (lightest + 0.05), 1.05 / (median + 0.05))
    return black, white


def check_text_contrast(background, report=False):
    for name, box in TEXT_AREAS.items():
        (black_min, black_median), (white_min, white_median) = text_contrast(background, box)
        if report:
            print(f"{name:24} black min {black_min:5.2f} median {black_median:5.2f}   "
                  f"white min {white_min:5.2f} median {white_median:5.2f}")
        check(black_min >= MIN_BLACK_CONTRAST,
              f"background: black text in {name} {box} has contrast {black_min:.2f}, want {MIN_BLACK_CONTRAST}")
        check(white_min >= MIN_WHITE_CONTRAST,
              f"background: white text in {name} {box} has contrast {white_min:.2f}, want {MIN_WHITE_CONTRAST}")


# Where the pictures meet the game's geometry. Screen lanes: runner L's feet follow
# x + y = 674 + 62 L; lane lines lie on x + y = 643 + 62 L; the track is drawn at (50, 40).
if all(images.values()) and not errors:
    img = {path.split("/")[-1].split(".")[0]: im for path, im in images.items()}
    track = img["track"]

    def on_screen(x, y):  # the track's pixel under screen point (x, y)
        return track.getpixel((x - 50, y - 40))

    for lane in range(8):
        # start line: just ahead of each runner's feet at the start, (212 + 31 L, 462 + 31 L)
        fx, fy = 212 + 31 * lane, 462 + 31 * lane
        ahead = [on_screen(fx + d, fy - d) for d in range(0, 8)]
        check(any(min(p[:3]) > 200 for p in ahead), f"track: no start line ahead of lane {lane}'s feet")
        behind = on_screen(fx - 12, fy + 12)
        check(behind[3] == 255 and behind[0] > 150 and behind[1] < 120, f"track: lane {lane} start is not tartan")
        # finish line where lane L's runner reaches x = 580 + 31 L (feet at x + 20)
        fx, fy = 600 + 31 * lane, 74 + 31 * lane
        band = [on_screen(fx + d, fy - d) for d in range(0, 9)]
        check(any(max(p[:3]) < 80 for p in band) or any(max(on_screen(fx + 4 + k, fy - 4 + k)[:3]) < 80
                                                        for k in range(-8, 9)),
              f"track: no chequered finish at lane {lane}")
        check(min(on_screen(fx - 10, fy + 10)[:3]) < 200, f"track: finish band starts too early in lane {lane}")
    # the tray and the hint texts sit on the background, not on the track
    for x, y in ((74, 242), (300, 242), (380, 230), (444, 150), (620, 624), (700, 560), (1000, 520)):
        check(on_screen(x, y)[3] == 0, f"track: covers the tray or the text area at screen ({x}, {y})")

    # The wall: its leading edge crosses lane L near (30 + 31 L, 100 + 31 L); nothing of it
    # lies ahead of that edge (up-right, x - y > -70), and it is solid just behind it in every lane.
    wall = img["wall"]
    ahead = [(x, y) for x, y in opaque(wall, 64) if x - y > -70 + 1.5]
    check(not ahead, f"wall: {len(ahead)} pixels ahead of the leading edge, e.g. {ahead[:3]}")
    for lane in range(8):
        x, y = 30 + 31 * lane, 100 + 31 * lane
        check(wall.getpixel((x - 3, y + 3))[3] == 255, f"wall: not solid behind its edge in lane {lane}")
        check(wall.getpixel((x + 3, y - 3))[3] == 0, f"wall: edge in lane {lane} is not where the crush happens")

    # Runners: feet at the bottom centre of the 40 by 40 frames, heads up and to the right.
    for name in ("hurdler1", "hurdler2"):
        pts = opaque(img[name])
        bottom = max(y for _, y in pts)
        check(bottom >= 37, f"{name}: feet do not reach the ground (lowest row {bottom})")
        feet_x = mean(x for x, y in pts if y >= bottom - 2)
        check(12 <= feet_x <= 28, f"{name}: feet are not under the middle (x {feet_x:.1f})")
        head_x = mean(x for x, y in pts if y <= min(y for _, y in pts) + 6)
        check(head_x > 22, f"{name}: head is not forward, up the track (x {head_x:.1f})")
    for name, ground in (("tripped", 21), ("dead", 26)):  # drawn 15 lower than the runner
        bottom = max(y for _, y in opaque(img[name]))
        check(ground - 3 <= bottom <= ground, f"{name}: does not lie on the ground (lowest row {bottom})")

    # Hurdles at (288 + 31 L + 64 i, 326 + 31 L - 62 i): their feet line is x + y = 56..60 here.
    pts = opaque(img["hurdle"])
    bottom = max(y for _, y in pts)
    foot = mean(x + y for x, y in pts if y >= bottom - 1)
    check(52 <= foot <= 72, f"hurdle: near foot is off the runners' line (x + y {foot:.1f})")
    far_foot = [(x, y) for x, y in pts if x < 20 and 12 <= y <= 22]
    check(far_foot and 25 <= mean(x + y for x, y in far_foot) <= 40,
          "hurdle: far foot is not near the lane's inner line")

    # Traps at (x, y) with x + y = 633 + 62 L: the ground the runners tread is x + y = 41 in a
    # picture drawn at (x, y), 56 in one drawn at (x + 15, y - 30), 61 at (x, y - 20).
    for name, line in (("mud", 41), ("spikesclosed", 41), ("spikesopen", 41), ("mine", 41)):
        centre = mean(x + y for x, y in opaque(img[name]))
        check(abs(centre - line) <= 12, f"{name}: not centred on the lane (x + y {centre:.1f}, want {line})")
    for name, line in (("ghost", 56), ("biffo", 56), ("rakeup", 61)):
        pts = opaque(img[name])
        bottom = max(y for _, y in pts)
        foot = mean(x + y for x, y in pts if y >= bottom - 1)
        check(abs(foot - line) <= 10, f"{name}: does not stand on the lane (x + y {foot:.1f}, want {line})")

    # Hand cursors: the fingertip is at (10, 6), nothing reaches further up or left.
    for name in ("mousehandopen", "mousehandclosed"):
        hand = img[name]
        check(hand.getpixel((10, 6))[3] >= 128, f"{name}: fingertip is not at (10, 6)")
        pts = opaque(hand, 64)
        tip = min(pts, key=lambda p: (p[0] + p[1], p[1]))  # the point furthest up and left
        check(abs(tip[0] - 10) + abs(tip[1] - 6) <= 3, f"{name}: reaches up-left past (10, 6) to {tip}")
        check(min(y for _, y in pts) >= 5, f"{name}: reaches above the fingertip")

    check_text_contrast(images["assets/images/background.jpg"], report="--contrast" in sys.argv[1:])
    check(img["ending"].getchannel("A").getextrema() == (255, 255), "ending: not opaque")
    check(img["gobutton"].crop((20, 20, 108, 70)).getchannel("A").getextrema() == (255, 255),
          "gobutton: face is not solid")
    for name in ("mudicon", "ghosticon", "rakeicon", "biffoicon", "spikesicon", "mineicon", "bigmineicon"):
        icon = img[name]
        check(icon.getchannel("A").getbbox() == (0, 0, 64, icon.height), f"{name}: card does not fill 64 wide")

for e in errors:
    print("FAIL", e)
print(f"{len(FILES)} files checked, {len(errors)} problems")
sys.exit(1 if errors else 0)
