#!/usr/bin/python3
"""Draws the thirteen editor bitmaps into resources/. The build embeds the committed files; run
this only after changing the artwork or editor/layout_geometry.h."""
import os
import sys

import background
import controls
import knobs
import pngout

RESOURCES = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources"))

# id, file name, PNG kind, drawing function
ARTWORK = [
    (101, "101_background.png", "palette", background.background),
    (102, "102_gain_knob.png", "palette+tRNS", knobs.gain_knob),
    (103, "103_band_selector_knob.png", "palette+tRNS", knobs.band_selector),
    (104, "104_hi_pass_knob.png", "palette+tRNS", knobs.hi_pass_knob),
    (105, "105_lo_pass_knob.png", "palette+tRNS", knobs.lo_pass_knob),
    (106, "106_side_knob.png", "palette+tRNS", knobs.side_knob),
    (107, "107_type_switch.png", "RGBA", controls.type_switch),
    (108, "108_slope_switch.png", "palette+tRNS", controls.slope_switch),
    (109, "109_mode_button.png", "palette+tRNS", controls.mode_button),
    (110, "110_phase_button.png", "palette+tRNS", controls.phase_button),
    (111, "111_section_lamp.png", "palette+tRNS", controls.section_lamp),
    (112, "112_clip_lamp.png", "RGBA", controls.clip_lamp),
    (113, "113_analog_button.png", "palette+tRNS", controls.analog_button),
]


def main(out_dir=RESOURCES):
    os.makedirs(out_dir, exist_ok=True)
    for resource_id, name, kind, draw in ARTWORK:
        pngout.save(draw(), kind, os.path.join(out_dir, name))
        print(resource_id, name)


if __name__ == "__main__":
    main(*sys.argv[1:])
