"""The schedule-book motif: a calendar page with binder rings, for the icon and tool images."""

from PIL import Image, ImageDraw

# Colour roles; the 16-colour set keeps to the VGA palette.
FULL_COLOURS = {
    "outline": (60, 60, 70), "page": (255, 255, 255), "shadow": (150, 150, 160),
    "header": (215, 50, 50), "header_light": (245, 120, 110), "ring": (90, 90, 100),
    "day": (150, 150, 150), "sunday": (230, 60, 60), "saturday": (50, 80, 210),
    "seal": (40, 170, 60),
}
VGA_COLOURS = {
    "outline": (0, 0, 0), "page": (255, 255, 255), "shadow": (128, 128, 128),
    "header": (255, 0, 0), "header_light": (255, 0, 0), "ring": (0, 0, 0),
    "day": (128, 128, 128), "sunday": (255, 0, 0), "saturday": (0, 0, 255),
    "seal": (0, 128, 0),
}
TOOL_BACKGROUND = (192, 192, 192)


def _draw_page_32(draw, c):
    draw.rectangle((4, 6, 29, 30), fill=c["shadow"])
    draw.rectangle((2, 4, 27, 28), fill=c["page"], outline=c["outline"])
    draw.rectangle((3, 5, 26, 10), fill=c["header"])
    draw.line((3, 5, 26, 5), fill=c["header_light"])
    for ring_x in (8, 20):
        draw.rectangle((ring_x, 1, ring_x + 2, 7), fill=c["ring"])
        draw.point((ring_x + 1, 7), fill=c["page"])
    columns = (5, 9, 13, 17, 21, 24)
    for row, y in enumerate((13, 17, 21, 25)):
        for column, x in enumerate(columns):
            colour = c["sunday"] if column == 0 else c["saturday"] if column == len(columns) - 1 else c["day"]
            draw.rectangle((x, y, x + 1, y + 1), fill=colour)
    # One day carries a seal: the thing that makes this a schedule book.
    draw.ellipse((11, 15, 18, 22), fill=c["seal"])
    draw.rectangle((13, 17, 16, 20), fill=c["page"])
    draw.rectangle((14, 18, 15, 19), fill=c["seal"])


def _draw_page_16(draw, c):
    draw.rectangle((2, 3, 15, 15), fill=c["shadow"])
    draw.rectangle((1, 2, 14, 14), fill=c["page"], outline=c["outline"])
    draw.rectangle((2, 3, 13, 5), fill=c["header"])
    for ring_x in (4, 10):
        draw.rectangle((ring_x, 0, ring_x + 1, 3), fill=c["ring"])
    columns = (3, 5, 7, 9, 11)
    for y in (7, 9, 11, 13):
        for column, x in enumerate(columns):
            colour = c["sunday"] if column == 0 else c["saturday"] if column == len(columns) - 1 else c["day"]
            draw.point((x, y), fill=colour)
    draw.rectangle((6, 8, 9, 11), fill=c["seal"])


def calendar_picture(size, colours, background):
    """A calendar page of 16 or 32 pixels on a background (None: transparent)."""
    image = Image.new("RGBA", (size, size), background + (255,) if background else (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    (_draw_page_32 if size == 32 else _draw_page_16)(draw, colours)
    return image


def icon_images():
    return [calendar_picture(16, FULL_COLOURS, None), calendar_picture(32, FULL_COLOURS, None)]


def tool_image_256():
    return calendar_picture(32, FULL_COLOURS, TOOL_BACKGROUND).convert("RGB")


def tool_image_16():
    return calendar_picture(32, VGA_COLOURS, TOOL_BACKGROUND).convert("RGB")
