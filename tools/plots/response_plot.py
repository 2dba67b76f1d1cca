#!/usr/bin/python3
"""Draws frequency-response CSV files written by qx71-response as a PNG: one curve or an overlay
of several, magnitude in dB on a log-frequency axis, optionally with a phase panel.

    response_plot.py OUT.png CURVE.csv[=LABEL]... [--title T] [--range LOW HIGH] [--phase]
                     [--channel left|right]
"""
import argparse
import csv
import math

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (the backend is chosen first)
from matplotlib.ticker import FixedLocator, NullFormatter  # noqa: E402

# One look for every picture; the font ships with matplotlib, so pictures match between machines
# with the same packages.
STYLE = {
    "font.family": "DejaVu Sans",
    "font.size": 9,
    "axes.titlesize": 10,
    "axes.labelsize": 9,
    "legend.fontsize": 7.5,
    "lines.linewidth": 1.3,
    "axes.prop_cycle": matplotlib.cycler(color=plt.get_cmap("tab10").colors),
    "savefig.dpi": 80,
}
FREQUENCY_TICKS = [20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000]
MINOR_TICKS = [f * m for f in (10, 100, 1000, 10000) for m in range(2, 10)]
WIDTH_INCHES = 8.0


def read_curve(path):
    """The columns of a qx71-response CSV as lists of floats, keyed by header name."""
    with open(path, newline="") as file:
        rows = list(csv.DictReader(file))
    if not rows or "frequency_hz" not in rows[0]:
        raise ValueError(f"{path} is not a qx71-response CSV file")
    return {key: [float(row[key]) for row in rows] for key in rows[0]}


def broken_at_wraps(frequencies, phases):
    """Both lists with a gap where the phase wraps between +180 and -180, so that no line crosses
    the plot there."""
    xs, ys = frequencies[:1], phases[:1]
    for index in range(1, len(phases)):
        if abs(phases[index] - phases[index - 1]) > 180:
            xs.append(math.nan)
            ys.append(math.nan)
        xs.append(frequencies[index])
        ys.append(phases[index])
    return xs, ys


def frequency_label(hz):
    return f"{hz / 1000:g}k" if hz >= 1000 else f"{hz:g}"


def _format_frequency_axis(axis, top):
    axis.set_xscale("log")
    axis.set_xlim(10, top)
    axis.xaxis.set_major_locator(FixedLocator([f for f in FREQUENCY_TICKS if f <= top]))
    axis.set_xticklabels([frequency_label(f) for f in FREQUENCY_TICKS if f <= top])
    axis.xaxis.set_minor_locator(FixedLocator([f for f in MINOR_TICKS if f <= top]))
    axis.xaxis.set_minor_formatter(NullFormatter())
    axis.grid(True, which="major", color="#c8c8c8", linewidth=0.7)
    axis.grid(True, which="minor", color="#ececec", linewidth=0.5)


def draw(out_png, panels, title=None, db_range=(-30, 30), phase=False, channel="left", columns=1,
         legend_location="upper left"):
    """panels: a list of (panel title or None, [(label, curve from read_curve)]). One magnitude
    plot per panel, in `columns` columns; with phase, each panel gets a phase plot under it."""
    with plt.rc_context(STYLE):
        rows = math.ceil(len(panels) / columns)
        plot_rows = rows * (2 if phase else 1)
        heights = ([3, 1.6] if phase else [3]) * rows
        figure, axes = plt.subplots(plot_rows, columns, squeeze=False, sharex=True,
                                    figsize=(WIDTH_INCHES, 0.4 + 1.2 * sum(heights) / columns ** 0.5),
                                    gridspec_kw={"height_ratios": heights})
        for index, (panel_title, curves) in enumerate(panels):
            row, column = divmod(index, columns)
            magnitude = axes[row * (2 if phase else 1)][column]
            top = max(max(curve["frequency_hz"]) for _, curve in curves)
            for label, curve in curves:
                magnitude.plot(curve["frequency_hz"], curve[f"{channel}_magnitude_db"], label=label)
            _format_frequency_axis(magnitude, top)
            magnitude.set_ylim(*db_range)
            magnitude.set_ylabel("magnitude (dB)")
            if panel_title:
                magnitude.set_title(panel_title)
            if any(label for label, _ in curves):
                magnitude.legend(loc=legend_location, ncol=2 if len(curves) > 5 else 1, framealpha=0.9)
            bottom = magnitude
            if phase:
                bottom = axes[row * 2 + 1][column]
                for label, curve in curves:
                    bottom.plot(*broken_at_wraps(curve["frequency_hz"], curve[f"{channel}_phase_deg"]), label=label)
                _format_frequency_axis(bottom, top)
                bottom.set_ylim(-180, 180)
                bottom.set_yticks([-180, -90, 0, 90, 180])
                bottom.set_ylabel("phase (°)")
            if row == rows - 1:
                bottom.set_xlabel("frequency (Hz)")
        if title:
            figure.suptitle(title, fontsize=11)
        figure.tight_layout()
        # No software version or date in the file: the same curves give the same picture.
        figure.savefig(out_png, metadata={"Software": None}, pil_kwargs={"optimize": True})
        plt.close(figure)


def main():
    parser = argparse.ArgumentParser(description="Draws qx71-response CSV files as one PNG.")
    parser.add_argument("out", help="the PNG file to write")
    parser.add_argument("curves", nargs="+", metavar="CURVE.csv[=LABEL]",
                        help="CSV files written by qx71-response, each with an optional legend label")
    parser.add_argument("--title")
    parser.add_argument("--range", nargs=2, type=float, default=(-30.0, 30.0), metavar=("LOW", "HIGH"),
                        help="magnitude axis in dB (default -30 30)")
    parser.add_argument("--phase", action="store_true", help="add a phase panel")
    parser.add_argument("--channel", choices=("left", "right"), default="left")
    options = parser.parse_args()
    if not options.out.endswith(".png"):
        parser.error("the output must be a .png file")
    curves = []
    for argument in options.curves:
        path, _, label = argument.partition("=")
        try:
            curves.append((label, read_curve(path)))
        except (OSError, ValueError, KeyError) as error:
            parser.error(str(error))
    draw(options.out, [(None, curves)], options.title, tuple(options.range), options.phase, options.channel)


if __name__ == "__main__":
    main()
