#!/usr/bin/python3
"""Compares a freshly made response gallery with the committed one: every curve's magnitudes
(curves.csv) within 0.01 dB, and every picture pixel by pixel, allowing a few anti-aliasing
differences.

    compare_gallery.py NEW_DIR COMMITTED_DIR
"""
import csv
import os
import sys

from matplotlib import image

TOLERANCE_DB = 0.01
# A pixel differs when a colour channel moves by more than this (of 1.0); a picture may have
# this share of differing pixels, for the last bits of curves with the Analog stage's noise.
PIXEL_STEP = 24 / 255
DIFFERING_SHARE = 0.002


def read_summary(folder):
    with open(os.path.join(folder, "curves.csv"), newline="") as file:
        rows = list(csv.reader(file))
    return rows[0], {(row[0], row[1]): row[2:] for row in rows[1:]}


def compare_curves(new, committed):
    problems = []
    new_header, new_rows = read_summary(new)
    old_header, old_rows = read_summary(committed)
    if new_header != old_header or new_rows.keys() != old_rows.keys():
        return ["curves.csv lists other curves or frequencies"]
    for key, old in old_rows.items():
        for frequency, a, b in zip(old_header[2:], new_rows[key], old):
            if abs(float(a) - float(b)) > TOLERANCE_DB:
                problems.append(f"{key[0]} '{key[1]}' at {frequency} Hz: {a} dB, committed {b} dB")
    return problems


def compare_pictures(new, committed):
    problems = []
    names = sorted(n for n in os.listdir(committed) if n.endswith(".png"))
    if names != sorted(n for n in os.listdir(new) if n.endswith(".png")):
        return ["the pictures are not the committed ones"]
    for name in names:
        fresh, old = image.imread(os.path.join(new, name)), image.imread(os.path.join(committed, name))
        if fresh.shape != old.shape:
            problems.append(f"{name}: {fresh.shape[1]}x{fresh.shape[0]}, committed {old.shape[1]}x{old.shape[0]}")
            continue
        share = (abs(fresh - old) > PIXEL_STEP).any(axis=2).mean()
        if share > DIFFERING_SHARE:
            problems.append(f"{name}: {share:.2%} of the pixels differ")
    return problems


def compare(new, committed):
    problems = compare_curves(new, committed) + compare_pictures(new, committed)
    for problem in problems:
        print(problem)
    print("gallery matches the committed one" if not problems else
          f"gallery differs from {committed} in {len(problems)} places; if the change is intended, copy "
          f"the PNGs and curves.csv of {new} there")
    return not problems


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(0 if compare(sys.argv[1], sys.argv[2]) else 1)
