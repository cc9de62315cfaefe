#!/usr/bin/python3
"""The server's own pixels at the points given, from an `xwd -root` dump on
stdin, and the colour each should be picked as: every channel at the nearest
of 0..255, value × 255 / largest. Independent of tintwell's own reading: the
masks, byte order and layout are the ones xwd writes down.
Prints "LAYOUT ..." once, then per point "RED:GREEN:BLUE #RRGGBB", the
levels in the visual's own units.
Usage: xwd -root -silent | xwd_pixels.py X,Y...
"""
import math
import struct
import sys
from fractions import Fraction

HEADER_FIELDS = 25  # CARD32 each, most significant byte first
COLOUR_ENTRY_BYTES = 12
MSB_FIRST = 1

dump = sys.stdin.buffer.read()
(header_size, _version, _format, depth, width, height, _xoffset, byte_order,
 _unit, _bit_order, _pad, bits_per_pixel, bytes_per_line, _class,
 red_mask, green_mask, blue_mask, _bits_per_rgb, _entries, colours,
 *_window) = struct.unpack(f">{HEADER_FIELDS}I", dump[:4 * HEADER_FIELDS])
image = dump[header_size + COLOUR_ENTRY_BYTES * colours:]
print(f"LAYOUT depth {depth} bits_per_pixel {bits_per_pixel} "
      f"byte_order {'MSB' if byte_order == MSB_FIRST else 'LSB'} first "
      f"masks {red_mask:#x} {green_mask:#x} {blue_mask:#x}")


def level(pixel, mask):
    shift = (mask & -mask).bit_length() - 1
    return (pixel & mask) >> shift, mask >> shift


def eight_bit(value, largest):
    return math.floor(Fraction(value * 255, largest) + Fraction(1, 2))


for point in sys.argv[1:]:
    x, y = map(int, point.split(","))
    if not (0 <= x < width and 0 <= y < height):
        sys.exit(f"xwd_pixels: {point} is off the screen")
    size = bits_per_pixel // 8
    start = y * bytes_per_line + x * size
    pixel = int.from_bytes(image[start:start + size],
                           "big" if byte_order == MSB_FIRST else "little")
    levels = [level(pixel, mask) for mask in (red_mask, green_mask, blue_mask)]
    print(":".join(str(v) for v, _ in levels),
          "#" + "".join(f"{eight_bit(v, largest):02X}" for v, largest in levels))
