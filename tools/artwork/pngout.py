"""Writes the three PNG kinds the editor's resources use: palette with a tRNS chunk, opaque
palette, and RGBA. Output is deterministic: same picture, same bytes."""
from PIL import Image


def palette_with_transparency(picture):
    """256-colour palette whose entries carry alpha (written as a tRNS chunk)."""
    return picture.convert("RGBA").quantize(colors=256, method=Image.Quantize.LIBIMAGEQUANT,
                                            dither=Image.Dither.NONE)


def opaque_palette(picture):
    return picture.convert("RGB").quantize(colors=256, method=Image.Quantize.LIBIMAGEQUANT,
                                           dither=Image.Dither.FLOYDSTEINBERG)


ENCODERS = {
    "palette+tRNS": palette_with_transparency,
    "palette": opaque_palette,
    "RGBA": lambda picture: picture.convert("RGBA"),
}


def save(picture, kind, path):
    encoded = ENCODERS[kind](picture)
    encoded.save(path, format="PNG", optimize=True)
