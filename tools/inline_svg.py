#!/usr/bin/python3
"""Print an SVG picture with every <image href="other.svg" .../> replaced by the other picture's
drawing, inlined as a nested <svg>, so that rsvg-convert draws it as sharp vectors at any scale
instead of a scaled-up bitmap. The inlined picture's ids get a prefix so they cannot clash.
Usage: tools/inline_svg.py picture.svg > flat.svg"""
import os
import re
import sys

IMAGE = re.compile(r'<image href="([\w-]+\.svg)" x="([-\d.]+)" y="([-\d.]+)" '
                   r'width="([\d.]+)" height="([\d.]+)"/>')


def inline(path, depth=0):
    text = open(path, encoding="utf-8").read()
    folder = os.path.dirname(path)
    count = [0]

    def nested(m):
        name, x, y, w, h = m.groups()
        inner = inline(os.path.join(folder, name), depth + 1)
        svg = re.search(r"<svg\b[^>]*>(.*)</svg>", inner, re.S)
        view = re.search(r'viewBox="([^"]+)"', inner).group(1)
        count[0] += 1
        prefix = f"i{depth}n{count[0]}-"
        body = re.sub(r'\bid="([^"]+)"', lambda k: f'id="{prefix}{k.group(1)}"', svg.group(1))
        body = re.sub(r'(href="|url\()#([^")]+)', lambda k: f"{k.group(1)}#{prefix}{k.group(2)}", body)
        return (f'<svg x="{x}" y="{y}" width="{w}" height="{h}" viewBox="{view}" '
                f'overflow="visible">{body}</svg>')

    return IMAGE.sub(nested, text)


if __name__ == "__main__":
    sys.stdout.write(inline(sys.argv[1]))
