"""Buttons, segmented switches and lamps. Every strip holds its frames top to bottom:
off / first position / dark first."""
from PIL import Image

import geometry as g
import paint
from paint import Canvas, dome_shade, metal_shade

FRAME_H = g.L["switchFrameHeight"]
LAMP = g.L["lampSize"]

AMBER = (255, 178, 72, 255)
LABEL_OFF = (178, 178, 176, 255)
LABEL_ON_SEGMENT = (28, 20, 10, 255)


def _text_centre(picture, cx, cy, text, size, colour, bold=True):
    paint.text(picture, (cx, cy), text, size, colour, bold)


def _button_frame(width, label, size, inset, lit):
    """A console push button; when engaged its cap warms up and its label glows amber."""
    canvas = Canvas(width, FRAME_H)
    right = width - inset
    canvas.rounded_rect(inset, 5, right, FRAME_H - 4, 3.5, (0, 0, 0, 150))
    canvas.rounded_rect(inset + 0.5, 5.2, right - 0.5, FRAME_H - 5, 3.0, (10, 10, 12, 255))
    top, bottom = ((118, 88, 50, 255), (72, 52, 28, 255)) if lit else ((92, 94, 99, 255), (54, 55, 59, 255))
    canvas.gradient_rounded_rect(inset + 1.5, 6.2, right - 1.5, FRAME_H - 6, 2.2, top, bottom)
    canvas.rounded_rect(inset + 2.5, 6.6, right - 2.5, 7.4, 0.4, (255, 255, 255, 60))
    picture = canvas.render()
    _text_centre(picture, width / 2.0, FRAME_H / 2.0 - 0.5, label, size, AMBER if lit else LABEL_OFF)
    return picture


def button(label, size=9, inset=4, width=40):
    return _stack([_button_frame(width, label, size, inset, lit) for lit in (False, True)])


def _segment_frame(width, labels, selected):
    """A row of equal segments (one per switch position, matching the click zones); the chosen
    one is lit amber."""
    count = len(labels)
    canvas = Canvas(width, FRAME_H)
    top, bottom = 6.5, FRAME_H - 6.5
    canvas.rounded_rect(0.5, top - 1.2, width - 0.5, bottom + 1.2, 3.0, (0, 0, 0, 150))
    canvas.rounded_rect(1.0, top - 0.8, width - 1.0, bottom + 0.8, 2.6, (10, 10, 12, 255))
    zone = width / float(count)
    for index in range(count):
        left = index * zone + (1.8 if index == 0 else 0.8)
        right = (index + 1) * zone - (1.8 if index == count - 1 else 0.8)
        if index == selected:
            colours = ((255, 186, 88, 255), (214, 128, 36, 255))
        else:
            colours = ((84, 86, 91, 255), (50, 51, 55, 255))
        canvas.gradient_rounded_rect(left, top, right, bottom, 1.6, *colours)
    picture = canvas.render()
    for index, label in enumerate(labels):
        colour = LABEL_ON_SEGMENT if index == selected else LABEL_OFF
        _text_centre(picture, (index + 0.5) * zone, FRAME_H / 2.0 - 0.5, label, 9, colour)
    return picture


def segmented_switch(labels, width):
    return _stack([_segment_frame(width, labels, k) for k in range(len(labels))])


def _lamp_frame(colour, lit):
    c = LAMP / 2.0
    canvas = Canvas(LAMP, LAMP)
    if lit:
        for i in range(8):
            canvas.disc(c, c, 13.5 - i * 0.6, colour[:3] + (10 + 4 * i,))
    canvas.disc(c, c + 0.5, 8.8, (0, 0, 0, 140))
    canvas.shaded_disc(c, c, 8.2, metal_shade((150, 152, 158), sheen=0.35))
    canvas.disc(c, c, 6.3, (8, 8, 8, 255))
    lens = colour if lit else tuple(int(v * 0.22) for v in colour[:3]) + (255,)
    canvas.shaded_disc(c, c, 5.7, dome_shade(lens, glow=0.25 if lit else 0.0))
    canvas.disc(c - 1.8, c - 2.0, 1.6, (255, 255, 255, 150 if lit else 90))
    return canvas.render()


def lamp(colour):
    return _stack([_lamp_frame(colour, lit) for lit in (False, True)])


def _stack(frames):
    width, height = frames[0].size
    picture = Image.new("RGBA", (width, height * len(frames)), (0, 0, 0, 0))
    for index, frame in enumerate(frames):
        picture.paste(frame, (0, index * height))
    return picture


def type_switch():
    return segmented_switch(["A", "B"], 40)


def slope_switch():
    return segmented_switch(["6", "12", "18", "24"], 60)


def mode_button():
    return button("BELL", 8, inset=6)


def phase_button():
    return button("\u00d8", 11)


def analog_button():
    return button("ANALOG", 7, inset=1)


def section_lamp():
    return lamp((96, 255, 120, 255))


def clip_lamp():
    return lamp((255, 58, 40, 255))
