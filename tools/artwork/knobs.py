"""Knob frame strips. Each frame is the knob's static body (lit from above, so the light does not
turn with it) with the parts that turn (knurling, pointer) drawn at that frame's angle."""

from PIL import Image

import geometry as g
import paint
from paint import Canvas, metal_shade

POINTER_WHITE = (236, 232, 220, 255)
GROOVE = (14, 14, 16, 255)


def _soft_shadow(canvas, c, r, strength):
    """A contact shadow a little below the knob, for knobs that sit on another knob."""
    for i in range(6):
        canvas.disc(c, c + 1.2, r + 3.0 - i * 0.5, (0, 0, 0, int(strength * (i + 1) / 6)))


def _rim_light(canvas, c, r):
    """Light catching the upper edge of a round body."""
    canvas.arc(c, c, r, 205, 335, 0.9, (255, 255, 255, 45))
    canvas.arc(c, c, r, 235, 305, 0.9, (255, 255, 255, 55))


def _knurl(canvas, c, angle, count, r_inner, r_outer, colour):
    for i in range(count):
        direction = g.knob_direction(angle + 360.0 * i / count)
        canvas.radial_bar(c, c, direction, r_inner, r_outer, 0.55, colour)


def _pointer(canvas, c, angle, r_from, r_to, width, colour):
    direction = g.knob_direction(angle)
    canvas.radial_bar(c, c, direction, r_from, r_to, width + 1.6, GROOVE)
    canvas.radial_bar(c, c, direction, r_from, r_to - 0.4, width, colour)


class SelectorSkirt:
    """Outer knob of a concentric pair: a knurled skirt whose pointer shows around the inner cap."""

    def __init__(self, size, pointer=POINTER_WHITE):
        self.size = size
        self.c = size / 2.0
        self.pointer = pointer
        self.radius = 36.5
        body = Canvas(size, size)
        body.disc(self.c, self.c, self.radius, (30, 31, 34, 255))
        body.shaded_disc(self.c, self.c, self.radius - 0.8, metal_shade((92, 94, 100), sheen=0.30))
        body.ring(self.c, self.c, self.radius - 4.2, self.radius - 3.6, (40, 41, 45, 200))
        self.body = body

    def frame(self, angle):
        canvas = self.body.copy()
        _knurl(canvas, self.c, angle, 72, self.radius - 3.4, self.radius, (36, 37, 40, 230))
        _rim_light(canvas, self.c, self.radius)
        direction = g.knob_direction(angle)
        # Index wedge reaching over the rim, so the pointer lands on the painted tick.
        tip = self.radius + 1.2
        dx, dy = direction
        nx, ny = -dy, dx
        base = self.radius - 5.0
        canvas.polygon([(self.c + dx * base + nx * 3.2, self.c + dy * base + ny * 3.2),
                        (self.c + dx * tip + nx * 1.0, self.c + dy * tip + ny * 1.0),
                        (self.c + dx * tip - nx * 1.0, self.c + dy * tip - ny * 1.0),
                        (self.c + dx * base - nx * 3.2, self.c + dy * base - ny * 3.2)], GROOVE)
        _pointer(canvas, self.c, angle, 22.0, self.radius + 0.6, 2.6, self.pointer)
        return canvas.render()


class CapKnob:
    """A knob with a knurled body and a coloured, spun face carrying a pointer line."""

    def __init__(self, size, body_radius, face_radius, face, pointer, shadow=0):
        self.size = size
        self.c = size / 2.0
        self.body_radius = body_radius
        self.face_radius = face_radius
        self.pointer = pointer
        body = Canvas(size, size)
        if shadow:
            _soft_shadow(body, self.c, body_radius, shadow)
        body.disc(self.c, self.c, body_radius, (18, 18, 20, 255))
        body.shaded_disc(self.c, self.c, body_radius - 0.7, metal_shade((70, 71, 76), sheen=0.18))
        self.body = body
        face_layer = Canvas(size, size)
        face_layer.disc(self.c, self.c + 0.6, face_radius + 0.6, (0, 0, 0, 120))
        face_layer.shaded_disc(self.c, self.c, face_radius, metal_shade(face, sheen=0.26, ambient=0.66))
        self.face = face_layer

    def frame(self, angle):
        canvas = self.body.copy()
        _knurl(canvas, self.c, angle, 48, self.face_radius + 0.8, self.body_radius, (26, 26, 29, 220))
        _rim_light(canvas, self.c, self.body_radius)
        canvas.paste(self.face)
        _pointer(canvas, self.c, angle, self.face_radius * 0.28, self.body_radius - 0.3, 2.2, self.pointer)
        return canvas.render()


def strip(knob, angles):
    frames = [knob.frame(angle) for angle in angles]
    side = knob.size * paint.SCALE
    picture = Image.new("RGBA", (side, side * len(frames)), (0, 0, 0, 0))
    for index, frame in enumerate(frames):
        picture.paste(frame, (0, index * side))
    return picture


def fine_angles():
    return [g.fine_knob_angle(i) for i in range(g.L["fineKnobFrames"])]


def gain_knob():
    size = g.L["innerKnobSize"]
    return strip(CapKnob(size, 23.5, 18.5, (176, 44, 40), POINTER_WHITE, shadow=70), fine_angles())


def band_selector():
    return strip(SelectorSkirt(g.L["selectorKnobSize"]), g.band_selector_angles())


def hi_pass_knob():
    return strip(SelectorSkirt(g.L["selectorKnobSize"]), g.hi_pass_angles())


def lo_pass_knob():
    size = g.L["innerKnobSize"]
    return strip(CapKnob(size, 23.5, 18.5, (168, 170, 176), (20, 20, 22, 255), shadow=70), g.lo_pass_angles())


def side_knob():
    size = g.L["sideKnobSize"]
    return strip(CapKnob(size, 28.5, 22.5, (52, 92, 150), POINTER_WHITE, shadow=0), fine_angles())
