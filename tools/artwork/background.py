"""The editor background: a brushed dark-grey panel with the scales, legends and titles that the
controls point at. Every position is derived from the layout geometry."""
import random

from PIL import Image

import paint

import geometry as g
from paint import Canvas, clamp8

L = g.L
W, H = L["editorWidth"], L["editorHeight"]

PANEL = (44, 46, 50)
LEGEND = (214, 214, 208, 255)
LEGEND_OFF = (150, 152, 156, 255)
TITLE = (236, 236, 230, 255)
SUBTLE = (150, 152, 156, 255)
ACCENT = (226, 150, 58, 255)

LEGEND_RADIUS = 50.5
TICK_FROM, TICK_TO = 38.6, 41.6

BANDS = [
    ("HIGH", L["highBandCentre"], L["highBwCentre"], "kHz",
     ["OFF", "1.1", "2.2", "3.9", "5.8", "8.2", "10", "12"]),
    ("MID", L["midBandCentre"], L["midBwCentre"], "kHz",
     ["OFF", "0.22", "0.36", "0.7", "1.6", "3.2", "4.8", "7.2"]),
    ("LOW", L["lowBandCentre"], L["lowBwCentre"], "Hz",
     ["OFF", "35", "45", "60", "110", "220", "300", "400"]),
]
HI_PASS_LEGENDS = ["OFF", "15", "45", "70", "160", "360"]
LO_PASS_LEGENDS = ["OFF", "18", "14", "10", "8", "6"]


def brushed_panel():
    """Horizontal brushing: each row has its own slight brightness, with finer streaks along it
    (drawn per final pixel: the grain stays as fine at every scale)."""
    rng = random.Random(71)
    width, height = W * paint.SCALE, H * paint.SCALE
    picture = Image.new("RGB", (width, height))
    pixels = picture.load()
    for y in range(height):
        row = rng.uniform(-2.2, 2.2)
        streak = 0.0
        shade = 1.03 - 0.06 * y / height
        for x in range(width):
            streak = 0.85 * streak + 0.15 * rng.uniform(-6.0, 6.0)
            v = row + streak
            pixels[x, y] = tuple(clamp8(c * shade + v) for c in PANEL)
    return picture.convert("RGBA")


def ring_point(centre, ring_degrees, radius):
    dx, dy = g.knob_direction(g.ring_to_knob_angle(ring_degrees))
    return centre.x + dx * radius, centre.y + dy * radius


def knob_point(centre, knob_degrees, radius):
    dx, dy = g.knob_direction(knob_degrees)
    return centre.x + dx * radius, centre.y + dy * radius


class Panel:
    """Collects the vector layer (drawn supersampled) and the text (drawn at final size, hinted)."""

    def __init__(self):
        self.art = Canvas(W, H)
        self.texts = []

    def text(self, xy, text, size, colour, bold=False, anchor="mm"):
        self.texts.append((xy, text, size, colour, bold, anchor))

    def tick(self, centre, knob_degrees, r_from, r_to, width, colour):
        self.art.radial_bar(centre.x, centre.y, g.knob_direction(knob_degrees), r_from, r_to, width, colour)

    def knob_shadow(self, centre, radius):
        for i in range(7):
            self.art.disc(centre.x, centre.y + 2.0, radius + 3.5 - i * 0.6, (0, 0, 0, 12 + 6 * i))

    def click_ring(self, centre):
        """The recessed track between the selector knob and the ring's edge, where legends sit."""
        r = L["ringRadius"]
        self.art.disc(centre.x, centre.y + 0.8, r, (255, 255, 255, 18))
        self.art.disc(centre.x, centre.y, r, (10, 10, 12, 120))
        self.art.disc(centre.x, centre.y, r - 1.0, (24, 25, 28, 255))
        self.art.disc(centre.x, centre.y, r - 1.4, (30, 31, 34, 255))

    def readout_window(self, rect):
        self.art.rounded_rect(rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1.6, 2.2, (255, 255, 255, 22))
        self.art.rounded_rect(rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1, 2.2, (6, 6, 8, 255))
        self.art.rounded_rect(rect.left, rect.top, rect.right, rect.bottom, 1.6, (16, 17, 19, 255))

    def groove(self, y):
        self.art.polygon([(6, y - 1), (W - 6, y - 1), (W - 6, y), (6, y)], (10, 10, 12, 200))
        self.art.polygon([(6, y), (W - 6, y), (W - 6, y + 1), (6, y + 1)], (255, 255, 255, 28))

    def faceplate_edge(self):
        """A dark outline with a faint bevel just inside it, so the panel reads as one plate."""
        for inset, colour in ((0, (0, 0, 0, 200)), (1, (255, 255, 255, 26)), (2, (0, 0, 0, 40))):
            left, top, right, bottom = inset, inset, W - inset, H - inset
            for edge in ((left, top, right, top + 1), (left, bottom - 1, right, bottom),
                         (left, top + 1, left + 1, bottom - 1), (right - 1, top + 1, right, bottom - 1)):
                self.art.polygon([(edge[0], edge[1]), (edge[2], edge[1]), (edge[2], edge[3]), (edge[0], edge[3])],
                                 colour)

    def title(self, x, y, text):
        """Section title with a short amber rule under it."""
        self.text((x, y), text, 11, TITLE, bold=True)
        self.art.rounded_rect(x - 9, y + 7.5, x + 9, y + 9, 0.7, ACCENT[:3] + (200,))

    def screw(self, x, y):
        self.art.disc(x, y + 0.6, 4.2, (255, 255, 255, 30))
        self.art.disc(x, y, 4.2, (12, 12, 14, 255))
        self.art.disc(x, y, 3.5, (112, 114, 120, 255))
        self.art.disc(x, y - 0.5, 2.8, (134, 136, 142, 255))
        self.art.radial_bar(x, y, g.knob_direction(35.0), -3.2, 3.2, 1.0, (30, 30, 34, 255))

    def render(self):
        picture = brushed_panel()
        picture.alpha_composite(self.art.render())
        for xy, text, size, colour, bold, anchor in self.texts:
            paint.text(picture, xy, text, size, colour, bold, anchor)
        return picture


def band_section(panel, title, centre, bw_centre, unit, legends):
    panel.click_ring(centre)
    panel.knob_shadow(centre, 36.5)
    for position, legend in enumerate(legends):
        ring_degrees = g.band_position_ring_angle(position)
        panel.tick(centre, g.ring_to_knob_angle(ring_degrees), TICK_FROM, TICK_TO, 1.3, LEGEND)
        colour = LEGEND_OFF if position == 0 else LEGEND
        panel.text(ring_point(centre, ring_degrees, LEGEND_RADIUS), legend, 9, colour, bold=position == 0)
    # The unit sits in the free part of the ring, after the last legend.
    panel.text(ring_point(centre, 265.0, LEGEND_RADIUS - 1.0), unit, 8, SUBTLE, bold=True)
    side_knob_scale(panel, bw_centre, ["\u2013", "+"], 10)
    panel.text((bw_centre.x, bw_centre.y + 34), "BW", 8, SUBTLE, bold=True)
    panel.title(bw_centre.x, centre.y - 70 + 13, title)


def side_knob_scale(panel, centre, end_legends, legend_size, mid_legend=None):
    panel.knob_shadow(centre, 28.5)
    ticks = 11
    for k in range(ticks):
        angle = g.fine_knob_angle(k, ticks)
        major = k in (0, ticks // 2, ticks - 1)
        panel.tick(centre, angle, 31.4, 35.4 if major else 33.8, 1.3 if major else 1.0, LEGEND if major else SUBTLE)
    # End legends hang just below their ticks, the centre one just above its tick.
    start, end = L["knobStartAngle"], L["knobStartAngle"] - L["knobSweepAngle"]
    for angle, legend in ((start, end_legends[0]), (end, end_legends[1])):
        x, y = knob_point(centre, angle, 38.0)
        panel.text((x, y + 5), legend, legend_size, LEGEND, bold=True)
    if mid_legend:
        panel.text(knob_point(centre, 90.0, 42.0), mid_legend, legend_size, LEGEND, bold=True)


def filter_section(panel):
    centre = L["filterCentre"]
    panel.click_ring(centre)
    panel.knob_shadow(centre, 36.5)
    legends = HI_PASS_LEGENDS + LO_PASS_LEGENDS
    for sector, legend in enumerate(legends):
        ring_degrees = g.filter_sector_ring_angle(sector)
        panel.tick(centre, g.ring_to_knob_angle(ring_degrees), TICK_FROM, TICK_TO, 1.3, LEGEND)
        off = legend == "OFF"
        panel.text(ring_point(centre, ring_degrees, LEGEND_RADIUS), legend, 9, LEGEND_OFF if off else LEGEND, bold=off)
    lo = L["loSlopeSwitch"]
    hi = L["hiSlopeSwitch"]
    panel.text(((lo.left + lo.right) / 2.0, lo.top - 7), "LO-PASS  kHz", 8, TITLE, bold=True)
    panel.text(((hi.left + hi.right) / 2.0, hi.bottom + 7), "HI-PASS  Hz", 8, TITLE, bold=True)
    panel.text((lo.left / 2.0, (lo.top + lo.bottom) / 2.0 - 4), "dB/", 7, SUBTLE, bold=True)
    panel.text((lo.left / 2.0, (lo.top + lo.bottom) / 2.0 + 4), "oct", 7, SUBTLE, bold=True)
    lamp = L["hiPassLamp"]
    panel.text(((lamp.left + lamp.right) / 2.0, lamp.bottom + 7), "HPF", 7, SUBTLE, bold=True)
    lamp = L["loPassLamp"]
    panel.text(((lamp.left + lamp.right) / 2.0 + 19, (lamp.top + lamp.bottom) / 2.0), "LPF", 7, SUBTLE, bold=True)


def output_section(panel):
    centre = L["outputCentre"]
    side_knob_scale(panel, centre, ["-25", "+25"], 9, mid_legend="0")
    panel.title(centre.x, centre.y - 58, "OUTPUT")
    out = L["outputReadout"]
    panel.text((out.right + 7, (out.top + out.bottom) / 2.0), "dB", 7, SUBTLE, bold=True)
    peak = L["peakLamp"]
    panel.text(((peak.left + peak.right) / 2.0, peak.bottom + 7), "CLIP", 7, SUBTLE, bold=True)


def background():
    panel = Panel()
    panel.faceplate_edge()
    for y in (155, 295, 445):
        panel.groove(y)
    for x, y in ((8, 8), (W - 8, 8), (8, H - 8), (W - 8, H - 8)):
        panel.screw(x, y)
    for title, centre, bw_centre, unit, legends in BANDS:
        band_section(panel, title, centre, bw_centre, unit, legends)
    for name in ("highGainReadout", "midGainReadout", "lowGainReadout"):
        rect = L[name]
        panel.readout_window(rect)
        panel.text((rect.right + 7, (rect.top + rect.bottom) / 2.0), "dB", 7, SUBTLE, bold=True)
    for name in ("highBwReadout", "midBwReadout", "lowBwReadout", "outputReadout"):
        panel.readout_window(L[name])
    filter_section(panel)
    output_section(panel)
    panel.text((20, H - 12), "QX71-G", 10, ACCENT, bold=True, anchor="lm")
    panel.text((64, H - 12), "CHANNEL EQUALIZER", 7, SUBTLE, bold=True, anchor="lm")
    return panel.render()
