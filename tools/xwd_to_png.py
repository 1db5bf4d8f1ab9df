#!/usr/bin/env python3
"""Converts an X window dump (xwd) of a true-colour window into a PNG.

Usage: xwd_to_png.py INPUT.xwd OUTPUT.png

Only the standard library: the machine needs no image package for one
screenshot. Handles the ZPixmap dumps xwd writes for 24- and 32-bit visuals
with 8-bit channels, which is what Xvfb at depth 24 gives.
"""

import struct
import sys
import zlib

HEADER_FIELDS = 25  # CARD32 fields of the XWD version 7 header, always big-endian
ZPIXMAP = 2
XWD_VERSION = 7


class XwdError(Exception):
    pass


def parse_header(data):
    if len(data) < HEADER_FIELDS * 4:
        raise XwdError("file too short for an xwd header")
    fields = struct.unpack(">%dI" % HEADER_FIELDS, data[: HEADER_FIELDS * 4])
    names = (
        "header_size file_version pixmap_format pixmap_depth pixmap_width "
        "pixmap_height xoffset byte_order bitmap_unit bitmap_bit_order "
        "bitmap_pad bits_per_pixel bytes_per_line visual_class red_mask "
        "green_mask blue_mask bits_per_rgb colormap_entries ncolors "
        "window_width window_height window_x window_y window_bdrwidth"
    ).split()
    header = dict(zip(names, fields))
    if header["file_version"] != XWD_VERSION:
        raise XwdError("not an xwd version 7 file")
    if header["pixmap_format"] != ZPIXMAP:
        raise XwdError("only ZPixmap dumps are supported")
    return header


def channel_byte(mask, bytes_per_pixel, lsb_first):
    """Index inside a pixel of the byte that holds the channel, or an error
    when the channel is not one whole byte."""
    for index in range(bytes_per_pixel):
        if mask == 0xFF << (8 * index):
            return index if lsb_first else bytes_per_pixel - 1 - index
    raise XwdError("channel mask 0x%x is not one byte" % mask)


def rgb_rows(data, header):
    bpp = header["bits_per_pixel"]
    if bpp not in (24, 32):
        raise XwdError("only 24- and 32-bit pixels are supported, got %d" % bpp)
    step = bpp // 8
    lsb_first = header["byte_order"] == 0
    offsets = [
        channel_byte(header[m], step, lsb_first)
        for m in ("red_mask", "green_mask", "blue_mask")
    ]
    width, height = header["pixmap_width"], header["pixmap_height"]
    stride = header["bytes_per_line"]
    start = header["header_size"] + header["ncolors"] * 12
    if stride < width * step or len(data) < start + stride * height:
        raise XwdError("pixel data shorter than the header says")
    for y in range(height):
        row = data[start + y * stride : start + y * stride + width * step]
        rgb = bytearray(width * 3)
        for channel, offset in enumerate(offsets):
            rgb[channel::3] = row[offset::step]
        yield bytes(rgb)


def png_chunk(kind, payload):
    body = kind + payload
    return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))


def write_png(path, width, height, rows):
    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", ihdr))
        out.write(png_chunk(b"IDAT", zlib.compress(raw, 6)))
        out.write(png_chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 3:
        print("usage: xwd_to_png.py INPUT.xwd OUTPUT.png", file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        data = f.read()
    try:
        header = parse_header(data)
        rows = list(rgb_rows(data, header))
    except XwdError as e:
        print("xwd_to_png: %s: %s" % (argv[1], e), file=sys.stderr)
        return 1
    write_png(argv[2], header["pixmap_width"], header["pixmap_height"], rows)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
