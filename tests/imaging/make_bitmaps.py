#!/usr/bin/env python3
"""Writes the test bitmaps of the imaging tests (deterministic; run from anywhere).

Every picture follows a formula that imaging_test_data.h repeats, so the tests know each
pixel's colour without reading it from the code under test.
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bitmaps")


def stride(bits, width):
    return ((bits * width + 31) // 32) * 4


def header(width, height, bits, compression=0, clr_used=0, size_image=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, size_image,
                       2835, 2835, clr_used, 0)


def table(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)


def pack_row(values, bits, width):
    out = bytearray(stride(bits, width))
    for x, v in enumerate(values):
        if bits == 1:
            out[x // 8] |= (v & 1) << (7 - x % 8)
        elif bits == 4:
            out[x // 2] |= (v & 15) << (4 if x % 2 == 0 else 0)
        elif bits == 8:
            out[x] = v
        elif bits == 16:
            struct.pack_into("<H", out, 2 * x, v)
        elif bits == 24:
            r, g, b = v
            out[3 * x:3 * x + 3] = bytes((b, g, r))
        elif bits == 32:
            struct.pack_into("<I", out, 4 * x, v)
    return bytes(out)


def rows(width, height, bits, pixel):
    # Stored bottom row first, as in every bottom-up bitmap file.
    return b"".join(pack_row([pixel(x, y) for x in range(width)], bits, width)
                    for y in reversed(range(height)))


def write(name, dib):
    # A .bmp file: the 14-byte file header, then the packed DIB the resource will hold.
    bits, clr_used = struct.unpack_from("<H", dib, 14)[0], struct.unpack_from("<I", dib, 32)[0]
    colours = (clr_used or (1 << bits)) if bits <= 8 else 0
    data = b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, 14 + 40 + 4 * colours) + dib
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


# The formulas (kept in step with imaging_test_data.h).
def c1(i):
    return [(0x12, 0x34, 0x56), (0xFE, 0xDC, 0xBA)][i]


def p1(x, y):
    return 1 if (x + 2 * y) % 3 == 0 else 0


def c4(i):
    return (i * 16 + 1, 255 - i * 8, i * 5 + 3)


def p4(x, y):
    return (x * 3 + y * 5) % 16


def c8(i):
    return (i, (i * 7) & 255, 255 - i)


def p8(x, y):
    return (x * 31 + y * 17) % 256


def p16(x, y):  # 5-5-5 channel values
    return ((x * 7 + y) % 32, (y * 9 + x * 2) % 32, (31 - x * 3 - y) % 32)


def v16(x, y):
    r, g, b = p16(x, y)
    return (r << 10) | (g << 5) | b


def p24(x, y):
    return (x * 30 + y, y * 30 + x, 200 - x * 10 - y)


def p32(x, y):
    return 0x00010203 * (x + 1) + 0x00400000 * y + 0x0000000F


def c236(i):
    return ((i * 3) & 255, i, 255 - i)


def p236(x, y):
    return (x * 23 + y * 7) % 236


def main():
    os.makedirs(OUT, exist_ok=True)
    write("b01.bmp", header(13, 5, 1) + table([c1(i) for i in range(2)]) + rows(13, 5, 1, p1))
    write("b04.bmp", header(7, 6, 4) + table([c4(i) for i in range(16)]) + rows(7, 6, 4, p4))
    write("b08.bmp", header(9, 7, 8) + table([c8(i) for i in range(256)]) + rows(9, 7, 8, p8))
    write("b16.bmp", header(5, 4, 16) + rows(5, 4, 16, v16))
    write("b24.bmp", header(6, 3, 24) + rows(6, 3, 24, p24))
    write("b32.bmp", header(4, 3, 32) + rows(4, 3, 32, p32))
    write("b236.bmp", header(10, 4, 8, clr_used=236) + table([c236(i) for i in range(236)]) +
          rows(10, 4, 8, p236))
    # Run-length encoded (BI_RLE8): refused with a message.
    write("rle8.bmp", header(4, 2, 8, compression=1) + table([c8(i) for i in range(256)]) +
          bytes([4, 1, 0, 0, 4, 2, 0, 1]))
    whole24 = header(8, 8, 24) + rows(8, 8, 24, p24)
    # Half the rows missing.
    write("short_rows.bmp", whole24[:40 + 4 * stride(24, 8)])
    # One byte short.
    write("short_byte.bmp", whole24[:-1])
    # More colours than a table can hold.
    write("clr300.bmp", header(4, 2, 8, clr_used=300) + table([c8(i % 256) for i in range(300)]) +
          rows(4, 2, 8, p8))
    # A colour table cut short.
    write("short_table.bmp", header(4, 2, 8) + table([c8(i) for i in range(100)]))
    # Top-down (negative height), zero width, two bits per pixel, huge size, header only.
    write("negative_height.bmp", header(6, -3, 24) + rows(6, 3, 24, p24))
    write("zero_width.bmp", header(0, 3, 24) + rows(6, 3, 24, p24))
    write("bits2.bmp", header(8, 2, 2) + table([c8(i) for i in range(4)]) + bytes(8))
    write("huge.bmp", header(0x7FFFFFFF, 0x7FFFFFFF, 32) + bytes(64))
    write("header_only.bmp", header(6, 3, 24))
    with open(os.path.join(OUT, "thirty.bin"), "wb") as f:
        f.write(bytes(range(30)))


if __name__ == "__main__":
    main()
