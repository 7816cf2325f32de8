"""The four diary covers, one per colour theme: a bound book with a spine, a band and a title plate.

The calendar shrinks a cover to 10 x 14 with the default stretch mode, which ANDs the
pixels it drops, so dark detail spreads. The shapes therefore sit on the 17 x 15 pixel
blocks of that shrink, and fine detail only sets bits of the colour it lies on
(see _lit), so the AND gives back the plain colour and the detail vanishes cleanly.
"""

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 170, 210
BLOCK_X, BLOCK_Y = 17, 15

# bitmap id -> (cover colour: the theme's heading-bar colour, plate colour: its background colour)
THEMES = {
    179: ((200, 195, 5), (255, 255, 200)),    # cream
    180: ((188, 122, 122), (255, 222, 222)),  # pink
    181: ((50, 50, 150), (222, 222, 255)),    # sky
    242: ((100, 100, 100), (222, 222, 222)),  # light grey
}

# 5 x 7 capitals for the title, one string per row.
LETTERS = {
    "D": ["1110", "1001", "1001", "1001", "1001", "1001", "1110"],
    "I": ["111", "010", "010", "010", "010", "010", "111"],
    "A": ["0110", "1001", "1001", "1111", "1001", "1001", "1001"],
    "R": ["1110", "1001", "1001", "1110", "1010", "1001", "1001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
}


def _shade(colour, factor):
    return tuple(max(0, min(255, round(channel * factor))) for channel in colour)


def _lit(colour, amount):
    """About amount lighter, only by setting bits: its AND with the original is the original."""
    def channel_lit(channel):
        for bit in (128, 64, 32, 16, 8, 4, 2, 1):
            if channel | bit <= channel + amount:
                channel |= bit
        return channel
    return tuple(channel_lit(channel) for channel in colour)


def _dimmed(colour, amount):
    """About amount darker, only by clearing bits: its AND with the original is itself."""
    def channel_dimmed(channel):
        floor = channel - amount
        for bit in (128, 64, 32, 16, 8, 4, 2, 1):
            if channel & bit and channel - bit >= floor:
                channel &= ~bit
        return channel
    return tuple(channel_dimmed(channel) for channel in colour)


def _blocks(left, top, right, bottom):
    """Pixel rectangle of whole shrink blocks, right and bottom exclusive."""
    return (left * BLOCK_X, top * BLOCK_Y, right * BLOCK_X - 1, bottom * BLOCK_Y - 1)


def _text_width(text, scale):
    return sum((len(LETTERS[letter][0]) + 1) * scale for letter in text) - scale


def _draw_text(draw, text, left, top, scale, colour):
    x = left
    for letter in text:
        rows = LETTERS[letter]
        for row, bits in enumerate(rows):
            for column, bit in enumerate(bits):
                if bit == "1":
                    draw.rectangle((x + column * scale, top + row * scale,
                                    x + (column + 1) * scale - 1, top + (row + 1) * scale - 1), fill=colour)
        x += (len(rows[0]) + 1) * scale


def _stitches(draw, box, colour):
    """A dashed seam just inside a box; lighter than the leather, so it vanishes when shrunk."""
    left, top, right, bottom = box
    for x in range(left, right, 6):
        draw.line((x, top, min(x + 2, right), top), fill=colour)
        draw.line((x, bottom, min(x + 2, right), bottom), fill=colour)
    for y in range(top, bottom, 6):
        draw.line((left, y, left, min(y + 2, bottom)), fill=colour)
        draw.line((right, y, right, min(y + 2, bottom)), fill=colour)


def cover_picture(cover, plate):
    image = Image.new("RGB", (WIDTH, HEIGHT), cover)
    draw = ImageDraw.Draw(image)
    spine = _shade(cover, 0.62)
    band = _shade(cover, 0.78)

    # Leather grain: a few lighter flecks, invisible once shrunk.
    for index in range(140):
        x, y = (index * 37) % WIDTH, (index * 71) % HEIGHT
        draw.point((x, y), fill=_lit(cover, 24))

    draw.rectangle(_blocks(0, 0, 2, 14), fill=spine)
    for y in (22, 187):  # raised bands across the spine
        draw.rectangle((0, y, 2 * BLOCK_X - 6, y + 4), fill=_lit(spine, 64))
    draw.line((2 * BLOCK_X - 3, 0, 2 * BLOCK_X - 3, HEIGHT - 1), fill=_lit(spine, 24))
    _stitches(draw, (2 * BLOCK_X + 5, 5, WIDTH - 6, HEIGHT - 6), _lit(cover, 96))

    # Title plate with a light frame and the word, three block rows high.
    plate_box = _blocks(3, 3, 9, 7)
    draw.rectangle(plate_box, fill=plate)
    draw.rectangle((plate_box[0] + 3, plate_box[1] + 3, plate_box[2] - 3, plate_box[3] - 3),
                   outline=_dimmed(plate, 96))
    scale = 3
    title_left = (plate_box[0] + plate_box[2] + 1 - _text_width("DIARY", scale)) // 2
    _draw_text(draw, "DIARY", title_left, 5 * BLOCK_Y - 7 * scale // 2 + 1, scale, _shade(cover, 0.5))

    # The band that holds the diary shut, near the foot of the cover.
    draw.rectangle(_blocks(2, 10, 10, 12), fill=band)
    draw.line((2 * BLOCK_X, 10 * BLOCK_Y + 2, WIDTH - 1, 10 * BLOCK_Y + 2), fill=_lit(band, 48))
    return image


def cover_pictures():
    """(bitmap id, 170 x 210 RGB picture) for every theme's cover, in id order."""
    return [(bitmap_id, cover_picture(*THEMES[bitmap_id])) for bitmap_id in sorted(THEMES)]
