#!/usr/bin/python3
"""Composites the committed bitmaps the way the editor stacks them (background, then knobs,
switches and lamps at chosen values) into one PNG for review.

Usage: preview.py [output.png] [resources dir]"""
import os
import sys

from PIL import Image, ImageDraw

import geometry as g
from generate import ARTWORK, RESOURCES
from paint import font

L = g.L


def centred_rect(centre, size):
    return centre.x - size // 2, centre.y - size // 2


class Preview:
    def __init__(self, resources):
        names = {resource_id: name for resource_id, name, _, _ in ARTWORK}
        self.bitmaps = {i: Image.open(os.path.join(resources, names[i])).convert("RGBA") for i in names}
        self.picture = self.bitmaps[101].copy()

    def put(self, resource_id, top_left, frame, frame_height):
        strip = self.bitmaps[resource_id]
        tile = strip.crop((0, frame * frame_height, strip.width, (frame + 1) * frame_height))
        self.picture.alpha_composite(tile, (int(top_left[0]), int(top_left[1])))

    def knob(self, resource_id, centre, size, frame):
        self.put(resource_id, centred_rect(centre, size), frame, size)

    def switch(self, resource_id, rect, frame, frame_height=L["switchFrameHeight"]):
        self.put(resource_id, (rect.left, rect.top), frame, frame_height)

    def readout(self, rect, text):
        """The editor's value readout: transparent, centred, Arial-metric 9 px, light grey."""
        draw = ImageDraw.Draw(self.picture)
        draw.text(((rect.left + rect.right) / 2.0, (rect.top + rect.bottom) / 2.0), text, font=font(9),
                  fill=(168, 168, 168, 255), anchor="mm")


def render(resources=RESOURCES):
    p = Preview(resources)
    sel, inner, side = L["selectorKnobSize"], L["innerKnobSize"], L["sideKnobSize"]
    # Frames: band selector position, gain and bandwidth (0..100, 50 = centre).
    bands = [("high", 5, 75, 30), ("mid", 2, 50, 50), ("low", 0, 20, 100)]
    for name, freq, gain, bw in bands:
        p.knob(103, L[name + "BandCentre"], sel, freq)
        p.knob(102, L[name + "BandCentre"], inner, gain)
        p.knob(106, L[name + "BwCentre"], side, bw)
        p.readout(L[name + "GainReadout"], "%2.2f" % (gain / 100.0 * 36 - 18))
        p.readout(L[name + "BwReadout"], "%2.2f" % (bw / 100.0 * 40 - 20))
    p.knob(104, L["filterCentre"], sel, 2)
    p.knob(105, L["filterCentre"], inner, 3)
    p.knob(106, L["outputCentre"], side, 50)
    p.readout(L["outputReadout"], "0.00")
    p.switch(107, L["highTypeSwitch"], 0)
    p.switch(107, L["midTypeSwitch"], 1)
    p.switch(107, L["lowTypeSwitch"], 0)
    p.switch(108, L["loSlopeSwitch"], 1)
    p.switch(108, L["hiSlopeSwitch"], 3)
    p.switch(109, L["highModeButton"], 1)
    p.switch(109, L["lowModeButton"], 0)
    p.switch(110, L["phaseButton"], 0)
    p.switch(113, L["analogButton"], 1)
    lamp = L["lampSize"]
    for name, lit in (("highLamp", 1), ("midLamp", 1), ("lowLamp", 0), ("hiPassLamp", 1), ("loPassLamp", 1)):
        p.switch(111, L[name], lit, lamp)
    p.switch(112, L["peakLamp"], 1, lamp)
    return p.picture


def main(out_path="dist/screenshots/artwork-preview.png", resources=RESOURCES):
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    render(resources).convert("RGB").save(out_path)
    print(out_path)


if __name__ == "__main__":
    main(*sys.argv[1:])
