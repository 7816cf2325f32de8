"""Palettes and the conversion of drawn RGB pictures to indexed ones."""

from PIL import Image

# The sixteen colours every 16-colour Windows display has.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _palette_image(palette):
    holder = Image.new("P", (1, 1))
    flat = [channel for colour in palette for channel in colour]
    holder.putpalette(flat + [0] * (768 - len(flat)))
    return holder


def to_palette(image, palette):
    """Map every pixel to the nearest colour of a fixed palette, without dithering."""
    return image.convert("RGB").quantize(palette=_palette_image(palette), dither=Image.Dither.NONE)


def to_256_colours(image):
    """Indexed copy of a picture: its own colours when 256 or fewer, else a median cut."""
    rgb = image.convert("RGB")
    colours = rgb.getcolors(256)
    if colours is not None:
        palette = sorted(colour for _, colour in colours)
        return to_palette(rgb, palette + [(0, 0, 0)] * (256 - len(palette)))
    return rgb.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
