#!/usr/bin/python3
"""Redraws the artwork into a temporary folder and compares it with the committed resources/,
so that a change of the layout geometry or the generator cannot go unnoticed without the
bitmaps being regenerated. Every scale's set is checked. Exit status 0 when every picture and the resource script match."""
import os
import sys
import tempfile

from PIL import Image

import generate


def same_pixels(path_a, path_b):
    a, b = Image.open(path_a), Image.open(path_b)
    return a.size == b.size and a.mode == b.mode and a.convert("RGBA").tobytes() == b.convert("RGBA").tobytes()


def main():
    stale = []
    with tempfile.TemporaryDirectory() as fresh:
        generate.main(fresh)
        for _, _, name, _, _ in generate.all_artwork():
            if not same_pixels(os.path.join(fresh, name), os.path.join(generate.RESOURCES, name)):
                stale.append(name)
        with open(os.path.join(fresh, "artwork.rc")) as a, open(os.path.join(generate.RESOURCES, "artwork.rc")) as b:
            if a.read() != b.read():
                stale.append("artwork.rc")
    for name in stale:
        print("out of date: resources/%s (run tools/artwork/generate.py)" % name)
    checked = len(generate.all_artwork()) + 1
    print("%d passed, %d failed" % (checked - len(stale), len(stale)))
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
