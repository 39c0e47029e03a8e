#!/usr/bin/python3
"""Draw the game's placeholder pictures (flat shapes, dark outlines) into assets/images/.
Run from the repository root: tools/make_placeholder_images.py"""
import math
import os
import random
from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
OUT = "assets/images"

INK = (35, 25, 20, 255)
SKIN, SKIN_BACK = (240, 190, 150, 255), (215, 160, 120, 255)
VEST, SHORTS = (40, 110, 220, 255), (25, 45, 110, 255)
BRICK, MORTAR = (178, 70, 45), (215, 200, 180, 255)
PAPER, PAPER_DARK = (245, 230, 190, 255), (215, 185, 130, 255)
WOOD, METAL = (160, 110, 60, 255), (165, 170, 180, 255)
WHITE, RED, GOLD = (255, 255, 255, 255), (210, 40, 35, 255), (245, 195, 50, 255)
GREEN = (60, 160, 70, 255)


class Pic:
    """A w x h picture drawn at `ss` times its size (times `zoom`), box-filtered down."""

    def __init__(self, w, h, zoom=1.0, ss=4):
        self.size = (round(w * zoom), round(h * zoom))
        self.k = zoom * ss
        self.im = Image.new("RGBA", (self.size[0] * ss, self.size[1] * ss), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.im)

    def _xy(self, pts):
        return [(x * self.k, y * self.k) for x, y in pts]

    def _box(self, b):
        return [b[0] * self.k, b[1] * self.k, b[2] * self.k - 1, b[3] * self.k - 1]

    def _w(self, width):
        return max(1, round(width * self.k))

    def poly(self, pts, fill, line=1.2):
        self.d.polygon(self._xy(pts), fill=fill)
        if line:
            self.line(pts + pts[:1], INK, line)

    def ellipse(self, box, fill, line=1.2):
        self.d.ellipse(self._box(box), fill=fill, outline=INK if line else None,
                       width=self._w(line) if line else 0)

    def rect(self, box, fill, line=1.2, r=0):
        self.d.rounded_rectangle(self._box(box), radius=r * self.k, fill=fill,
                                 outline=INK if line else None,
                                 width=self._w(line) if line else 0)

    def line(self, pts, colour, width):
        self.d.line(self._xy(pts), fill=colour, width=self._w(width), joint="curve")
        for x, y in pts:  # round caps
            r = width / 2
            self.d.ellipse(self._box((x - r, y - r, x + r, y + r)), fill=colour)

    def limb(self, pts, colour, width=3.0, line=1.0):
        self.line(pts, INK, width + 2 * line)
        self.line(pts, colour, width)

    def text(self, xy, s, size, fill, stroke=0, anchor="mm"):
        font = ImageFont.truetype(FONT, round(size * self.k))
        self.d.text(self._xy([xy])[0], s, font=font, fill=fill, anchor=anchor,
                    stroke_width=self._w(stroke) if stroke else 0, stroke_fill=INK)

    def image(self):
        return self.im.convert("RGBa").resize(self.size, Image.BOX).convert("RGBA")


def gradient(w, h, stops):
    """Vertical colour gradient through (row, rgb) stops, as an opaque RGBA image."""
    im = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(im)
    for y in range(h):
        for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
            if y0 <= y <= y1:
                t = (y - y0) / max(1, y1 - y0)
                d.line([(0, y), (w, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(c0, c1)))
                break
    return im


def bricks(p, box, course, length, seed):
    """A brick-bonded block filling box, in picture coordinates."""
    x0, y0, x1, y1 = box
    rng = random.Random(seed)
    p.rect(box, MORTAR, line=0)
    rows = round((y1 - y0) / course)
    h = (y1 - y0) / rows
    for row in range(rows):
        x = x0 - (length / 2 if row % 2 else 0)
        while x < x1:
            shade = rng.randint(-18, 18)
            colour = tuple(max(0, min(255, c + shade)) for c in BRICK) + (255,)
            p.rect((max(x0, x) + 1.5, y0 + row * h + 1.5, min(x1, x + length) - 1.5,
                    y0 + (row + 1) * h - 1.5), colour, line=0, r=1)
            x += length
    p.rect(box, None, line=3)


# --- the runner -----------------------------------------------------------

def runner(p, head, neck, hip, back_arm, back_leg, front_leg, front_arm, dead=False):
    p.limb([neck] + back_arm, SKIN_BACK)
    p.limb([hip] + back_leg, SKIN_BACK)
    p.limb([neck, hip], VEST, width=6.5)
    p.limb([hip, hip], SHORTS, width=6.5)
    p.limb([hip] + front_leg, SKIN)
    p.limb([neck] + front_arm, SKIN)
    hx, hy = head
    p.ellipse((hx - 4.5, hy - 4.5, hx + 4.5, hy + 4.5), SKIN)
    if dead:  # crosses for eyes
        for ex in (hx - 1.8, hx + 1.8):
            p.line([(ex - 1, hy - 2), (ex + 1, hy)], INK, 0.7)
            p.line([(ex + 1, hy - 2), (ex - 1, hy)], INK, 0.7)
    else:
        p.ellipse((hx + 1.2, hy - 1.8, hx + 2.8, hy - 0.2), INK, line=0)


def hurdler1(p):
    runner(p, (25, 7), (22, 13), (18, 23),
           [(16, 18), (12, 22)], [(13, 30), (6, 31), (5, 35)],
           [(25, 28), (24, 36), (28, 37)], [(27, 18), (31, 14)])


def hurdler2(p):
    runner(p, (24, 7), (22, 13), (18, 23),
           [(25, 18), (28, 22)], [(21, 30), (19, 37), (23, 37)],
           [(14, 28), (9, 31), (8, 34)], [(17, 18), (15, 14)])


def jumping(p):
    runner(p, (34, 8), (30, 13), (22, 21),
           [(25, 18), (21, 23)], [(14, 22), (8, 28), (7, 32)],
           [(32, 20), (43, 19), (46, 15)], [(37, 15), (43, 12)])


def tripped(p):
    runner(p, (34, 16), (29, 15), (17, 12),
           [(32, 19), (36, 20)], [(10, 8), (4, 4)],
           [(9, 15), (2, 17)], [(33, 20), (38, 20)])


def dead(p):
    p.d.ellipse(p._box((2.5, 8, 11.5, 12.5)), outline=GOLD, width=p._w(1.3))
    runner(p, (7, 20), (12, 21), (21, 21),
           [(14, 16), (16, 12)], [(25, 18), (28.5, 15)],
           [(25, 23), (29.5, 24)], [(15, 25), (19, 25)], dead=True)


# --- hurdles and traps --------------------------------------------------------

def hurdle_bar(p, a, b, thick):
    (ax, ay), (bx, by) = a, b
    p.poly([a, b, (bx, by + thick), (ax, ay + thick)], WHITE)
    for t0, t1 in ((0.2, 0.4), (0.6, 0.8)):
        pts = [(ax + (bx - ax) * t, ay + (by - ay) * t) for t in (t0, t1)]
        p.poly([pts[0], pts[1], (pts[1][0], pts[1][1] + thick), (pts[0][0], pts[0][1] + thick)],
               RED, line=0)
    p.poly([a, b, (bx, by + thick), (ax, ay + thick)], None)


def hurdle(p):
    for x, top, bottom in ((7, 10, 26), (33, 22, 34)):
        p.limb([(x, top), (x, bottom)], METAL, width=2.5)
        p.limb([(x - 4, bottom), (x + 3, bottom)], METAL, width=2)
    hurdle_bar(p, (3, 4), (37, 19), 6)


def hurdleover(p):
    p.limb([(8, 25), (17, 14), (12, 12)], METAL, width=2.5)
    p.limb([(32, 34), (38, 26), (34, 24)], METAL, width=2.5)
    hurdle_bar(p, (3, 23), (37, 30), 4)


def wall(p, happy=False):
    bricks(p, (2, 2, 278, 332), course=24, length=56, seed=7)
    for cx in (100, 180):  # eyes
        p.ellipse((cx - 24, 105, cx + 24, 165), WHITE, line=3)
        p.ellipse((cx - 9 + (4 if happy else 0), 128, cx + 9, 150), INK, line=0)
    if happy:
        p.poly([(70, 215), (210, 215), (185, 255), (140, 268), (95, 255)], (120, 20, 20, 255), line=3)
        p.rect((90, 215, 190, 228), WHITE, line=0)
        for cx in (100, 180):
            p.line([(cx - 26, 92), (cx, 80), (cx + 26, 92)], INK, 7)
    else:
        p.poly([(70, 80), (130, 98), (126, 110), (68, 94)], INK)  # angry brows
        p.poly([(210, 80), (150, 98), (154, 110), (212, 94)], INK)
        p.rect((90, 212, 190, 248), WHITE, line=3, r=6)  # gritted teeth
        p.line([(92, 230), (188, 230)], INK, 2.5)
        for x in range(110, 190, 20):
            p.line([(x, 214), (x, 246)], INK, 2.5)


def biffo(p):
    p.rect((11, 32, 31, 41), WOOD, r=2)
    p.limb([(21, 32), (15, 30), (27, 27.5), (15, 25), (27, 22.5), (21, 20)], METAL, width=1.5)
    p.rect((14, 16, 28, 22), WHITE, r=1)
    p.ellipse((7, 6, 17, 17), RED)  # thumb
    p.ellipse((11, 1, 38, 19), RED)
    p.line([(24, 4), (30, 5)], (255, 140, 130, 255), 2)


def mine(p):
    p.ellipse((3, 19, 39, 37), (60, 65, 55, 255))
    p.ellipse((7, 13, 35, 32), (95, 105, 80, 255))
    p.rect((18, 10, 24, 16), METAL, line=1)
    p.ellipse((16, 4, 26, 12), RED)
    p.line([(19, 6), (22, 6)], (255, 150, 140, 255), 1.3)


def bigmine(p):
    p.ellipse((2, 21, 45, 42), (60, 65, 55, 255))
    p.ellipse((6, 13, 41, 36), (95, 105, 80, 255))
    p.poly([(23.5, 17), (31, 31), (16, 31)], GOLD)
    p.text((23.5, 26.5), "!", 8, INK)
    p.rect((20, 9, 27, 15), METAL, line=1)
    p.ellipse((17, 2, 30, 11), RED)


def star(cx, cy, radii, turn=0.0):
    n = len(radii)
    return [(cx + r * math.cos(2 * math.pi * i / n + turn), cy + r * math.sin(2 * math.pi * i / n + turn))
            for i, r in enumerate(radii)]


def mineexplode(p):
    p.poly(star(17.5, 16.5, [16, 8, 15, 7, 16, 8, 14, 7, 16, 8, 15, 7]), (245, 130, 30, 255))
    p.poly(star(17.5, 16.5, [10, 5, 9, 5, 10, 5, 9, 5, 10, 5, 9, 5], 0.3), (255, 230, 80, 255), line=0)


def ghost(p):
    top = [(17.5 + 15 * math.cos(a), 17 - 15 * math.sin(a))
           for a in (math.pi * i / 16 for i in range(17))]
    hem = [(2.5 + 5 * i, 52 if i % 2 == 0 else 47) for i in range(7)]
    p.poly(top + hem, (245, 245, 255, 225))
    for cx in (12.5, 22.5):
        p.ellipse((cx - 2.5, 13, cx + 2.5, 21), INK, line=0)
    p.ellipse((14, 26, 21, 35), INK, line=0)


def mud(p):
    p.ellipse((1.5, 4, 31.5, 28), (95, 120, 45, 255))
    p.ellipse((7, 10, 16, 16), (70, 92, 35, 255), line=0)
    p.ellipse((17, 17, 26, 23), (70, 92, 35, 255), line=0)
    p.ellipse((19, 8, 25, 11), (150, 175, 85, 255), line=0)
    p.ellipse((9, 19, 13, 22), (130, 155, 70, 255), line=0.8)


def rakedown(p):  # lying flat, seen from above, tines forward
    p.limb([(2, 30), (27, 30)], WOOD, width=3)
    for y in (23, 27, 33, 37):
        p.limb([(29, y), (37, y)], METAL, width=1.5)
    p.limb([(29, 21), (29, 39)], METAL, width=3)


def rakeup(p):  # sprung upright
    for x in (9, 15, 21, 27, 32):
        p.limb([(x, 35), (x, 40)], METAL, width=1.5)
    p.limb([(20.5, 3), (20.5, 33)], WOOD, width=3)
    p.limb([(7, 34), (34, 34)], METAL, width=3)


def spikesopen(p):
    p.poly([(2, 21), (36, 21), (42, 27), (8, 27)], (105, 105, 115, 255))
    for i in range(5):
        x = 7 + 6.5 * i
        p.poly([(x, 23), (x + 3.2, 3), (x + 6.4, 23)], (205, 210, 220, 255))


def spikesclosed(p):
    p.poly([(2, 10), (37, 10), (44, 22), (9, 22)], (105, 105, 115, 255))
    for row, y in enumerate((13.5, 18)):
        for i in range(5):
            x = 9 + row * 3 + 6.5 * i
            p.ellipse((x - 1.3, y - 1, x + 1.3, y + 1), (205, 210, 220, 255), line=0.7)


# --- screens and interface ---------------------------------------------------

def mousearrow():
    """Crisp arrow cursor; its tip (the hot spot) is pixel (10, 6)."""
    shape = [(0, 0), (0, 31), (7, 24), (13, 37), (18, 35), (12, 22), (22, 22)]
    fill = Image.new("L", (64, 49), 0)
    ImageDraw.Draw(fill).polygon([(11 + x, 7 + y) for x, y in shape], fill=255)
    edge = fill.filter(ImageFilter.MaxFilter(3))
    im = Image.new("RGBA", (64, 49), (0, 0, 0, 0))
    im.paste(INK, (0, 0), edge)
    im.paste(WHITE, (0, 0), fill)
    return im


def hand(p, closed):
    if closed:
        parts = [("rect", (13, 24, 51, 57), 10)] + [("circle", (x, 25, 6), 0) for x in (19, 28, 37, 45)]
    else:
        parts = [("rect", (15, 28, 49, 58), 9)]
        fingers = [((19, 30), (16, 10)), ((27, 30), (27, 4)), ((35, 30), (37, 6)), ((43, 32), (47, 13))]
    for grow, colour in ((1.3, INK), (0, SKIN)):
        if not closed:
            for a, b in fingers:
                p.line([a, b], colour, 7 + 2 * grow)
            p.line([(18, 46), (6, 32)], colour, 8 + 2 * grow)  # thumb
        for kind, v, r in parts:
            if kind == "rect":
                p.rect((v[0] - grow, v[1] - grow, v[2] + grow, v[3] + grow), colour, line=0, r=r)
            else:
                x, y, rr = v
                p.ellipse((x - rr - grow, y - rr - grow, x + rr + grow, y + rr + grow), colour, line=0)
    if closed:
        for x in (23.5, 32.5, 41):
            p.line([(x, 24), (x, 31)], INK, 1.2)
        p.limb([(16, 44), (30, 37)], SKIN, width=7, line=1.2)  # thumb across the fist


def story(p):
    p.rect((14, 20, 114, 138), PAPER, line=2.5)
    for y in (6, 125):
        p.rect((6, y, 122, y + 26), PAPER_DARK, line=2.5, r=12)
    p.text((64, 68), "story", 30, (110, 50, 25, 255))
    for y, x1 in ((92, 100), (102, 94), (112, 100)):
        p.line([(28, y), (x1, y)], (180, 150, 110, 255), 2.5)


def gobutton(p):
    p.rect((4, 6, 124, 88), (30, 110, 40, 255), line=3, r=22)
    p.rect((4, 4, 124, 80), GREEN, line=3, r=22)
    p.rect((18, 12, 110, 28), (120, 200, 120, 255), line=0, r=8)
    p.text((64, 44), "go!", 50, WHITE, stroke=2.5)


def title(p):
    bricks(p, (112, 30, 912, 300), course=30, length=80, seed=3)
    p.text((512, 140), "brickwrath", 120, (250, 235, 200, 255), stroke=5)
    p.rect((300, 222, 724, 278), PAPER, line=2.5, r=10)
    p.text((512, 250), "you are wally the wall", 28, (110, 50, 25, 255))
    p.rect((457, 591, 674, 680), (30, 110, 40, 255), line=3, r=16)
    p.rect((457, 591, 674, 672), GREEN, line=3, r=16)
    p.text((565.5, 630), "start", 46, WHITE, stroke=2.5)


def track(p):
    """Lanes run up-right; lines px + py = 553 + 62 L (L = 0..8) separate them."""
    def band(a, b):
        return [(-2000, a + 2000), (a + 2000, -2000), (b + 2000, -2000), (-2000, b + 2000)]
    p.poly(band(553 - 16, 1049 + 16), (185, 80, 60, 255), line=3)
    for lane in range(9):
        c = 553 + 62 * lane
        p.line([(-2000, c + 2000), (c + 2000, -2000)], (250, 250, 245, 255), 4)


def ending():
    im = gradient(949, 768, [(0, (120, 180, 235)), (520, (215, 235, 245)),
                             (521, (110, 170, 70)), (767, (70, 135, 50))])
    rng = random.Random(11)
    p = Pic(949, 768, ss=2)
    for _ in range(90):  # confetti
        x, y = rng.uniform(20, 930), rng.uniform(20, 520)
        colour = rng.choice([RED, GOLD, GREEN, VEST, WHITE])
        p.rect((x, y, x + 9, y + 6), colour, line=0.8, r=1)
    p.text((474.5, 110), "the end", 110, WHITE, stroke=5)
    for sx, hx in ((345, 250), (604, 699)):  # arms raised in triumph
        p.limb([(sx, 380), (hx, 300), (hx, 215)], BRICK + (255,), width=22, line=3)
        p.ellipse((hx - 22, 180, hx + 22, 224), BRICK + (255,), line=3)
    p.poly([(405, 255), (415, 195), (445, 225), (474.5, 180), (504, 225), (534, 195), (544, 255)], GOLD, line=3)
    im.alpha_composite(p.image())
    w = Pic(280, 334, ss=2)
    wall(w, happy=True)
    im.alpha_composite(w.image(), (335, 250))
    d = Pic(32, 27, zoom=3)
    dead(d)
    im.alpha_composite(d.image(), (660, 540))
    return im


def background():
    im = gradient(1024, 768, [(0, (150, 200, 240)), (125, (205, 228, 240)),
                              (140, (125, 180, 85)), (767, (85, 150, 60))])
    stripes = Image.new("L", im.size, 0)
    d = ImageDraw.Draw(stripes)
    for c in range(140, 1800, 160):  # soft mowing stripes along the lanes
        d.polygon([(-900, c + 900), (c + 900, -900), (c + 980, -900), (-900, c + 980)], fill=22)
    d.rectangle((0, 0, 1024, 140), fill=0)
    im.paste((255, 255, 255), (0, 0), stripes.filter(ImageFilter.GaussianBlur(12)))
    return im.convert("RGB")


def icon(draw, w, h, height, price):
    card = Pic(64, height)
    card.rect((1, 1, 63, height - 1), PAPER, line=2, r=8)
    card.rect((12, height - 25, 52, height - 5), GOLD, line=1.5, r=9)
    card.text((32, height - 14.5), str(price), 15, INK)
    im = card.image()
    probe = Pic(w, h)
    draw(probe)
    box = probe.image().getbbox()  # trim the sprite's empty margins before fitting it
    zoom = min(50 / (box[2] - box[0]), (height - 36) / (box[3] - box[1]))
    sprite = Pic(w, h, zoom=zoom)
    draw(sprite)
    s = sprite.image().crop(tuple(round(v * zoom) for v in box))
    im.alpha_composite(s, ((64 - s.width) // 2, 4 + (height - 32 - s.height) // 2))
    return im


SPRITES = {
    "hurdler1": (hurdler1, 40, 40), "hurdler2": (hurdler2, 40, 40), "dead": (dead, 32, 27),
    "tripped": (tripped, 40, 22), "jumping": (jumping, 51, 40), "hurdle": (hurdle, 40, 35),
    "hurdleover": (hurdleover, 40, 36), "biffo": (biffo, 42, 42), "bigmine": (bigmine, 47, 44),
    "mine": (mine, 42, 39), "ghost": (ghost, 35, 56), "mineexplode": (mineexplode, 35, 33),
    "mud": (mud, 33, 31), "rakeup": (rakeup, 41, 41), "rakedown": (rakedown, 41, 41),
    "spikesopen": (spikesopen, 44, 29), "spikesclosed": (spikesclosed, 46, 24),
    "wall": (wall, 280, 334), "story": (story, 128, 157), "gobutton": (gobutton, 128, 92),
    "mousehandopen": (lambda p: hand(p, False), 64, 61),
    "mousehandclosed": (lambda p: hand(p, True), 64, 60),
    "title": (title, 1024, 693), "track": (track, 1024, 704),
}
ICONS = {  # tray icon: trap picture, icon height, price in points
    "mudicon": ("mud", 75, 2), "ghosticon": ("ghost", 80, 3), "rakeicon": ("rakedown", 78, 3),
    "biffoicon": ("biffo", 82, 4), "spikesicon": ("spikesopen", 84, 10),
    "mineicon": ("mine", 78, 10), "bigmineicon": ("bigmine", 117, 10),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, (draw, w, h) in SPRITES.items():
        p = Pic(w, h, ss=2 if w * h > 200000 else 4)
        draw(p)
        p.image().save(os.path.join(OUT, name + ".png"))
    for name, (sprite, height, price) in ICONS.items():
        draw, w, h = SPRITES[sprite]
        icon(draw, w, h, height, price).save(os.path.join(OUT, name + ".png"))
    mousearrow().save(os.path.join(OUT, "mousearrow.png"))
    ending().save(os.path.join(OUT, "ending.png"))
    background().save(os.path.join(OUT, "background.jpg"), quality=90)
    print(f"wrote {len(SPRITES) + len(ICONS) + 3} pictures to {OUT}/")


if __name__ == "__main__":
    main()
