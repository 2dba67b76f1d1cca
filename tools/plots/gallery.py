#!/usr/bin/python3
"""Measures QX71's curves with qx71-response and draws the gallery: one PNG per topic, the CSV
files behind them in data/, and curves.csv, every curve's magnitude at third-octave frequencies
(what the gallery test compares).

    gallery.py --tool qx71-response --plugin QX71.so --out DIR [--compare COMMITTED_DIR]
"""
import argparse
import concurrent.futures
import csv
import math
import os
import subprocess
import sys

import compare_gallery
import response_plot

POINTS = 400
# The Analog stage's noise would show as a ripple of about 0.01 dB; a 40 dB louder impulse keeps
# it out of the pictures (see qx71-response --help).
NOISY_SETTING, NOISY_LEVEL = "Analog=1", "40"
# Third-octave frequencies from 20 Hz to 20.5 kHz.
SUMMARY_FREQUENCIES = [20 * 2 ** (k / 3) for k in range(31)]

STEPS7 = ["0.1428571", "0.2857143", "0.4285714", "0.5714286", "0.7142857", "0.8571429", "1"]
PASS_STEPS = ["0.2", "0.4", "0.6", "0.8", "1"]
# 1/3 as a single-precision float is 0.33333334; 0.3333333 would still select 6 dB/oct.
SLOPES = [("6 dB/oct", "0"), ("12 dB/oct", "0.33333334"), ("18 dB/oct", "0.6666667"), ("24 dB/oct", "1")]
PLUS12, MINUS12 = "0.8333333", "0.1666667"


def band(prefix, frequencies, bell_mode):
    """One bell (+12 dB, type A, BW centre) per frequency step of a band."""
    mode = [f"{prefix} Mode=1"] if bell_mode else []
    return [(label, [f"{prefix} Freq={step}", f"{prefix} Gain={PLUS12}"] + mode)
            for label, step in zip(frequencies, STEPS7)]


def shelf_and_bell(prefix, step):
    curves = []
    for gain_label, gain in (("+12", PLUS12), ("-12", MINUS12)):
        base = [f"{prefix} Freq={step}", f"{prefix} Gain={gain}"]
        curves += [(f"shelf A {gain_label} dB", base),
                   (f"shelf B {gain_label} dB", base + [f"{prefix} Type=1"]),
                   (f"bell {gain_label} dB", base + [f"{prefix} Mode=1"])]
    return curves


def pass_filter(name, slope_name, frequencies):
    return [(f"{slope}", [(label, [f"{name}={step}", f"{slope_name}={value}"])
                          for label, step in zip(frequencies, PASS_STEPS)]) for slope, value in SLOPES]


MID_16K = ["MF Freq=0.5714286"]
CONSOLE = ["HF Freq=0.5714286", "HF Gain=0.75", "HF Mode=1", "MF Freq=0.4285714", "MF Gain=0.4", "MF Type=1",
           "LF Freq=0.2857143", "LF Gain=0.25", "Hi-Pass=0.4", "Hi Slope=0.6666667", "Lo-Pass=0.2",
           "Lo Slope=0.33333334", "Analog=1"]

# file name, title, panels [(panel title, [(label, --set values)])], options for the drawing
TOPICS = [
    ("band-low", "Low band, bell, +12 dB at each frequency (type A, BW centre)",
     [(None, band("LF", ["35 Hz", "45 Hz", "60 Hz", "110 Hz", "220 Hz", "300 Hz", "400 Hz"], True))],
     {"legend_location": "upper right"}),
    ("band-mid", "Mid band, +12 dB at each frequency (type A, BW centre)",
     [(None, band("MF", ["220 Hz", "360 Hz", "700 Hz", "1.6 kHz", "3.2 kHz", "4.8 kHz", "7.2 kHz"], False))], {}),
    ("band-high", "High band, bell, +12 dB at each frequency (type A, BW centre)",
     [(None, band("HF", ["1.1 kHz", "2.2 kHz", "3.9 kHz", "5.8 kHz", "8.2 kHz", "10 kHz", "12 kHz"], True))], {}),
    ("bell-bandwidth", "Mid band at 1.6 kHz, ±12 dB: the BW knob at 0, 0.5 and 1",
     [(None, [(f"BW {bw}, {label} dB", MID_16K + [f"MF Gain={gain}", f"MF BW={bw}"])
              for label, gain in (("+12", PLUS12), ("-12", MINUS12)) for bw in ("0", "0.5", "1")])],
     {"db_range": (-18, 18)}),
    ("type-a-b", "Mid band at 1.6 kHz: type A and type B at +12, -12 and -18 dB",
     [(None, [(f"type {kind}, {label} dB", MID_16K + [f"MF Gain={gain}", f"MF Type={1 if kind == 'B' else 0}"])
              for label, gain in (("+12", PLUS12), ("-12", MINUS12), ("-18", "0")) for kind in ("A", "B")])],
     {"db_range": (-24, 18)}),
    ("high-shelf-bell", "High band at 3.9 kHz: shelf type A, shelf type B and bell",
     [(None, shelf_and_bell("HF", "0.4285714"))], {"db_range": (-18, 18)}),
    ("low-shelf-bell", "Low band at 110 Hz: shelf type A, shelf type B (corner 300 Hz) and bell",
     [(None, shelf_and_bell("LF", "0.5714286"))], {"db_range": (-18, 18), "legend_location": "lower right"}),
    ("high-pass", "High-pass filter: five frequencies, four slopes",
     pass_filter("Hi-Pass", "Hi Slope", ["15 Hz", "45 Hz", "70 Hz", "160 Hz", "360 Hz"]),
     {"db_range": (-48, 6), "columns": 2, "legend_location": "lower right"}),
    ("low-pass", "Low-pass filter: five frequencies, four slopes",
     pass_filter("Lo-Pass", "Lo Slope", ["18 kHz", "14 kHz", "10 kHz", "8 kHz", "6 kHz"]),
     {"db_range": (-48, 6), "columns": 2, "legend_location": "lower left"}),
    ("analog", "Analog stage alone", [(None, [("Analog on", ["Analog=1"])])],
     {"db_range": (-3, 1), "phase": True}),
    ("console", "A console setting: high-pass 45 Hz 18 dB/oct, low shelf 45 Hz -9 dB, mid 700 Hz -3.6 dB (B),\n"
     "high bell 5.8 kHz +9 dB, low-pass 18 kHz 12 dB/oct, Analog on",
     [(None, [("", CONSOLE)])], {"db_range": (-24, 12), "phase": True}),
]


def measure(tool, plugin, settings, path):
    arguments = [tool, "--plugin", plugin, "--points", str(POINTS), "--out", path]
    if NOISY_SETTING in settings:
        arguments += ["--level", NOISY_LEVEL]
    for setting in settings:
        arguments += ["--set", setting]
    result = subprocess.run(arguments, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{' '.join(arguments)} failed: {result.stderr.strip()}")
    return path


def magnitude_at(curve, frequency):
    """The left magnitude at frequency, interpolated on the log-frequency axis."""
    frequencies, magnitudes = curve["frequency_hz"], curve["left_magnitude_db"]
    for index in range(1, len(frequencies)):
        if frequencies[index] >= frequency:
            t = math.log(frequency / frequencies[index - 1]) / math.log(frequencies[index] / frequencies[index - 1])
            return magnitudes[index - 1] * (1 - t) + magnitudes[index] * t
    raise ValueError(f"{frequency} Hz is beyond the curve")


def main():
    parser = argparse.ArgumentParser(description="Measures and draws the response gallery of QX71.")
    parser.add_argument("--tool", required=True, help="the qx71-response executable")
    parser.add_argument("--plugin", required=True, help="the QX71 plug-in binary")
    parser.add_argument("--out", required=True, help="folder for the PNGs, curves.csv and data/")
    parser.add_argument("--compare", metavar="DIR", help="afterwards compare with the gallery in DIR")
    options = parser.parse_args()
    data = os.path.join(options.out, "data")
    os.makedirs(data, exist_ok=True)

    jobs = {}
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for name, _, panels, _ in TOPICS:
            for p, (_, curves) in enumerate(panels):
                for c, (_, settings) in enumerate(curves):
                    path = os.path.join(data, f"{name}-{p}-{c}.csv")
                    jobs[path] = pool.submit(measure, options.tool, options.plugin, settings, path)
        for job in jobs.values():
            job.result()

    with open(os.path.join(options.out, "curves.csv"), "w", newline="") as file:
        summary = csv.writer(file, lineterminator="\n")
        summary.writerow(["topic", "curve"] + [f"{f:.1f}" for f in SUMMARY_FREQUENCIES])
        for name, title, panels, drawing in TOPICS:
            drawn = []
            for p, (panel_title, curves) in enumerate(panels):
                measured = []
                for c, (label, _) in enumerate(curves):
                    curve = response_plot.read_curve(os.path.join(data, f"{name}-{p}-{c}.csv"))
                    measured.append((label, curve))
                    summary.writerow([name, " / ".join(filter(None, [panel_title, label])) or title.split(":")[0]] +
                                     [f"{magnitude_at(curve, f):.4f}" for f in SUMMARY_FREQUENCIES])
                drawn.append((panel_title, measured))
            response_plot.draw(os.path.join(options.out, f"{name}.png"), drawn, title, **drawing)
    print(f"gallery: {len(TOPICS)} pictures of {len(jobs)} curves in {options.out}")
    if options.compare:
        sys.exit(0 if compare_gallery.compare(options.out, options.compare) else 1)


if __name__ == "__main__":
    main()
