"""Editor geometry read from editor/layout_geometry.h, plus the angle laws the controls use.

The header is the single source of the layout numbers; this module only parses it and turns
control angles into screen directions.
"""
import math
import os
import re
from collections import namedtuple

Point = namedtuple("Point", "x y")
Rect = namedtuple("Rect", "left top right bottom")

HEADER = os.path.join(os.path.dirname(__file__), "..", "..", "editor", "layout_geometry.h")

_LINE = re.compile(r"^\s*constexpr\s+(\w+)\s+(\w+)\s*=\s*(\{[^}]*\}|[-+0-9.]+f?)\s*;")


def _number(text):
    text = text.strip().rstrip("f")
    return float(text) if "." in text else int(text)


def parse_layout(text):
    """Returns {name: value} for every constexpr line; Point and Rect values become tuples.

    A constexpr line in any other form is an error, so that no value is silently left out."""
    values = {}
    for line in text.splitlines():
        if not line.strip().startswith("constexpr"):
            continue
        match = _LINE.match(line)
        if not match:
            raise ValueError("layout line not in the plain format: " + line.strip())
        type_name, name, raw = match.groups()
        if raw.startswith("{"):
            numbers = [_number(part) for part in raw.strip("{}").split(",")]
            values[name] = Point(*numbers) if type_name == "Point" else Rect(*numbers)
        else:
            values[name] = _number(raw)
    return values


def load_layout(path=HEADER):
    with open(path, encoding="utf-8") as header:
        return parse_layout(header.read())


L = load_layout()


def knob_direction(degrees):
    """Unit screen vector of a knob angle: counter-clockwise from 3 o'clock, y down on screen."""
    rad = math.radians(degrees)
    return math.cos(rad), -math.sin(rad)


def ring_to_knob_angle(ring_degrees):
    """Click-ring angles run clockwise from straight down; knob angles counter-clockwise from 3 o'clock."""
    return -90.0 - ring_degrees


def fine_knob_angle(frame, frames=None):
    """Angle of frame i of a 101-frame strip: the knob sweep spread evenly, middle frame straight up."""
    frames = frames or L["fineKnobFrames"]
    return L["knobStartAngle"] - L["knobSweepAngle"] * frame / (frames - 1)


def band_position_ring_angle(position):
    """Centre of a band ring position: each spans one step, starting half a step after startAngle."""
    return L["bandStartAngle"] + L["bandStepAngle"] * (position + 0.5)


def filter_sector_ring_angle(sector):
    return L["filterSectorAngle"] * sector


def band_selector_angles():
    return [ring_to_knob_angle(band_position_ring_angle(k)) for k in range(L["bandSelectorFrames"])]


def hi_pass_angles():
    return [ring_to_knob_angle(filter_sector_ring_angle(g)) for g in range(L["hiPassSectors"])]


def lo_pass_angles():
    first = L["hiPassSectors"]
    return [ring_to_knob_angle(filter_sector_ring_angle(first + g))
            for g in range(L["filterSectors"] - first)]
