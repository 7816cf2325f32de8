"""Writers for uncompressed BMP (24-, 8- and 4-bit) and for .ico files.

Written by hand because PIL has no 4-bit BMP writer and its ICO writer stores
PNG images, which old icon loaders do not read.
"""

import struct

FILE_HEADER_SIZE = 14
INFO_HEADER_SIZE = 40
BI_RGB = 0


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _pack_row(pixels, bits, stride):
    if bits == 24:
        data = b"".join(bytes((b, g, r)) for (r, g, b) in pixels)
    elif bits == 8:
        data = bytes(pixels)
    elif bits == 4:
        padded = list(pixels) + [0] * (len(pixels) % 2)
        data = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
    else:
        raise ValueError("unsupported bit depth %d" % bits)
    return data + b"\0" * (stride - len(data))


def _palette_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)


def _info_header(width, height, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", INFO_HEADER_SIZE, width, height, 1, bits,
                       BI_RGB, image_size, 0, 0, colours, 0)


def bmp_bytes(width, height, bits, rows, palette=None):
    """rows: top row first; RGB triples for 24 bits, palette indices otherwise."""
    stride = _row_stride(width, bits)
    pixel_data = b"".join(_pack_row(row, bits, stride) for row in reversed(rows))
    colours = len(palette) if palette else 0
    table = _palette_bytes(palette) if palette else b""
    offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    return file_header + _info_header(width, height, bits, len(pixel_data), colours) + table + pixel_data


def rgb_rows(image):
    """Top-first RGB rows of a PIL image."""
    rgb = image.convert("RGB")
    width, height = rgb.size
    data = list(rgb.getdata())
    return [data[y * width:(y + 1) * width] for y in range(height)]


def indexed_rows(image):
    """Top-first palette-index rows of a PIL 'P' image."""
    width, height = image.size
    data = list(image.getdata())
    return [data[y * width:(y + 1) * width] for y in range(height)]


def save_24bit(path, image):
    width, height = image.size
    _write(path, bmp_bytes(width, height, 24, rgb_rows(image)))


def save_indexed(path, image, bits):
    """Save a 'P' image as an 8- or 4-bit BMP with exactly 2**bits palette entries."""
    width, height = image.size
    flat = image.getpalette()[:3 * (1 << bits)]
    flat += [0] * (3 * (1 << bits) - len(flat))
    palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    _write(path, bmp_bytes(width, height, bits, indexed_rows(image), palette))


def _icon_image_bytes(image):
    """One 32-bit icon image: BITMAPINFOHEADER of double height, BGRA rows, AND mask."""
    rgba = image.convert("RGBA")
    width, height = rgba.size
    data = list(rgba.getdata())
    rows = [data[y * width:(y + 1) * width] for y in range(height)]
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = _row_stride(width, 1)
    mask = b""
    for row in reversed(rows):
        packed = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                packed[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(packed)
    header = _info_header(width, height * 2, 32, len(colour) + len(mask), 0)
    return header + colour + mask


def save_icon(path, images):
    """Save RGBA PIL images, smallest first, as one .ico file."""
    blobs = [_icon_image_bytes(image) for image in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, blob in zip(images, blobs):
        width, height = image.size
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    _write(path, directory + b"".join(blobs))


def _write(path, data):
    with open(path, "wb") as stream:
        stream.write(data)
