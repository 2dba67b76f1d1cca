"""Supersampled drawing: shapes are drawn at SS times the final size and averaged down, which gives
clean anti-aliased edges for knob rims, pointers and scale ticks."""
import math
import os

from PIL import Image, ImageDraw, ImageFont

SS = 4
FONT_DIR = "/usr/share/fonts/truetype/liberation2"

# Device pixels per editor pixel of the set being drawn (1, 2 or 3). Every drawing function takes
# editor-pixel coordinates and sizes; only the pictures they make grow with the scale.
SCALE = 1


def set_scale(scale):
    global SCALE
    SCALE = scale


def font(size, bold=False):
    """The face at size editor pixels, rasterized at the current scale."""
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size * SCALE)


def text(picture, xy, label, size, colour, bold=False, anchor="mm"):
    """Hinted text drawn straight onto a final picture at editor-pixel position xy."""
    ImageDraw.Draw(picture).text((xy[0] * SCALE, xy[1] * SCALE), label, font=font(size, bold), fill=colour,
                                 anchor=anchor)


def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


class Canvas:
    """An RGBA picture of w x h editor pixels (w x h x SCALE final pixels), drawn in layers at SS x
    the final resolution.

    Coordinates are editor pixels (floats allowed); every layer is composited source-over."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.k = SS * SCALE
        self.image = Image.new("RGBA", (width * self.k, height * self.k), (0, 0, 0, 0))

    def _layer(self):
        layer = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        return layer, ImageDraw.Draw(layer)

    def _add(self, layer):
        self.image = Image.alpha_composite(self.image, layer)

    def _box(self, cx, cy, r):
        k = self.k
        return [(cx - r) * k, (cy - r) * k, (cx + r) * k - 1, (cy + r) * k - 1]

    def disc(self, cx, cy, r, colour):
        layer, draw = self._layer()
        draw.ellipse(self._box(cx, cy, r), fill=colour)
        self._add(layer)

    def ring(self, cx, cy, r_inner, r_outer, colour):
        layer, draw = self._layer()
        draw.ellipse(self._box(cx, cy, r_outer), fill=colour)
        draw.ellipse(self._box(cx, cy, r_inner), fill=(0, 0, 0, 0))
        self._add(layer)

    def polygon(self, points, colour):
        layer, draw = self._layer()
        draw.polygon([(x * self.k, y * self.k) for x, y in points], fill=colour)
        self._add(layer)

    def rounded_rect(self, left, top, right, bottom, radius, colour):
        layer, draw = self._layer()
        draw.rounded_rectangle([left * self.k, top * self.k, right * self.k - 1, bottom * self.k - 1],
                               radius=radius * self.k, fill=colour)
        self._add(layer)

    def gradient_rounded_rect(self, left, top, right, bottom, radius, top_colour, bottom_colour):
        """A rounded rectangle filled with a vertical gradient from top_colour to bottom_colour."""
        width, height = int((right - left) * self.k), int((bottom - top) * self.k)
        ramp = Image.linear_gradient("L").resize((width, height), Image.BILINEAR)
        fill = Image.composite(Image.new("RGBA", (width, height), bottom_colour),
                               Image.new("RGBA", (width, height), top_colour), ramp)
        mask = Image.new("L", (width, height), 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, width - 1, height - 1], radius=radius * self.k, fill=255)
        layer = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        layer.paste(fill, (int(left * self.k), int(top * self.k)), mask)
        self._add(layer)

    def arc(self, cx, cy, r, start, end, width, colour):
        """A stroke along the circle of radius r (outer edge) from start to end degrees, clockwise
        from 3 o'clock as on screen."""
        layer, draw = self._layer()
        draw.arc(self._box(cx, cy, r), start, end, fill=colour, width=int(width * self.k))
        self._add(layer)

    def radial_bar(self, cx, cy, direction, r_from, r_to, width, colour):
        """A straight bar along a unit direction from radius r_from to r_to, width in pixels."""
        dx, dy = direction
        nx, ny = -dy * width / 2.0, dx * width / 2.0
        x0, y0 = cx + dx * r_from, cy + dy * r_from
        x1, y1 = cx + dx * r_to, cy + dy * r_to
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)

    def shaded_disc(self, cx, cy, r, shade):
        """A disc whose colour at each point comes from shade(nx, ny), nx, ny in [-1, 1] (y down)."""
        size = int(2 * r * self.k)
        texture = Image.new("RGBA", (size, size), (0, 0, 0, 0))
        pixels = texture.load()
        half = size / 2.0
        for py in range(size):
            ny = (py + 0.5 - half) / half
            for px in range(size):
                nx = (px + 0.5 - half) / half
                if nx * nx + ny * ny <= 1.0:
                    pixels[px, py] = shade(nx, ny)
        layer = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        layer.paste(texture, (int(round((cx - r) * self.k)), int(round((cy - r) * self.k))))
        self._add(layer)

    def paste(self, other):
        """Composites another canvas of the same size over this one."""
        self._add(other.image)

    def copy(self):
        twin = Canvas(self.width, self.height)
        twin.image = self.image.copy()
        return twin

    def render(self):
        """The final-size picture; Pillow resamples RGBA premultiplied, so edges keep their colour."""
        return self.image.resize((self.width * SCALE, self.height * SCALE), Image.BOX)


def metal_shade(base, light=1.0, sheen=0.22, ambient=0.72):
    """Shade of a turned metal or plastic cap lit from above: a vertical falloff plus the
    spun-metal sheen that varies with the angle around the centre."""
    def shade(nx, ny):
        vertical = ambient + (1.0 - ambient) * (0.5 - 0.5 * ny)
        angle = math.atan2(ny, nx)
        spun = sheen * (0.5 * math.cos(2.0 * (angle + math.pi / 4)) + 0.075 * math.cos(6.0 * angle))
        k = light * (vertical + spun)
        return (clamp8(base[0] * k), clamp8(base[1] * k), clamp8(base[2] * k), 255)
    return shade


def dome_shade(base, glow=0.0):
    """Shade of a convex lamp lens: brighter towards an upper-left highlight."""
    def shade(nx, ny):
        d = math.hypot(nx + 0.35, ny + 0.4)
        k = 1.15 - 0.55 * min(1.0, d) + glow
        return (clamp8(base[0] * k), clamp8(base[1] * k), clamp8(base[2] * k), 255)
    return shade
