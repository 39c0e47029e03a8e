#!/usr/bin/env python3
"""Compares two screenshots of the game: prints the mean absolute difference of each colour channel
(0 to 255) with a rectangle left out (the cursor's), and exits 1 when any is above the limit or the
sizes differ. Usage: compare.py <a.png> <b.png> <limit> <x> <y> <width> <height>"""
import sys

from PIL import Image, ImageChops, ImageDraw


def main():
    first, second, limit = sys.argv[1], sys.argv[2], float(sys.argv[3])
    x, y, width, height = (int(value) for value in sys.argv[4:8])
    a = Image.open(first).convert("RGB")
    b = Image.open(second).convert("RGB")
    if a.size != b.size:
        print(f"sizes differ: {a.size} and {b.size}")
        return 1
    # The same black box over both: that area differs by nothing.
    for picture in (a, b):
        ImageDraw.Draw(picture).rectangle((x, y, x + width - 1, y + height - 1), fill=(0, 0, 0))
    difference = ImageChops.difference(a, b)
    pixels = a.size[0] * a.size[1]
    means = [sum(index * count for index, count in enumerate(channel)) / pixels
             for channel in (difference.histogram()[i * 256:(i + 1) * 256] for i in range(3))]
    print("mean difference per channel (r g b): " + " ".join(f"{mean:.2f}" for mean in means))
    return 0 if all(mean <= limit for mean in means) else 1


if __name__ == "__main__":
    sys.exit(main())
