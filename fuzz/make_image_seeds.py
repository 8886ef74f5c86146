#!/usr/bin/env python3
"""Writes the seed pictures of the bmp_reader and png_reader fuzz targets into fuzz/corpus/.

One small file for every depth, header kind and compression the BMP reader knows, and one PNG of
every colour type and bit depth (one of them interlaced), so that the fuzzers start from valid
pictures of each kind and mutate from there. Run it again only to change the seeds; the files are
committed.
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "bmp_reader")
PNG_OUT = os.path.join(HERE, "corpus", "png_reader")


def palette(count, core=False):
    entries = []
    for i in range(count):
        b, g, r = (i * 37) & 0xFF, (i * 91 + 17) & 0xFF, (255 - i * 53) & 0xFF
        entries.append(bytes([b, g, r]) if core else bytes([b, g, r, 0]))
    return b"".join(entries)


def pack_rows(width, height, bits, value, top_down=False):
    """Stored rows, each padded to 4 bytes; value(x, y) with y = 0 the top row."""
    rows = []
    for row in range(height):
        y = row if top_down else height - 1 - row
        out = bytearray()
        if bits in (1, 4):
            per_byte = 8 // bits
            for x0 in range(0, width, per_byte):
                byte = 0
                for i in range(per_byte):
                    v = value(x0 + i, y) if x0 + i < width else 0
                    byte |= (v & ((1 << bits) - 1)) << (8 - bits * (i + 1))
                out.append(byte)
        else:
            for x in range(width):
                out += value(x, y).to_bytes(bits // 8, "little")
        while len(out) % 4:
            out.append(0)
        rows.append(bytes(out))
    return b"".join(rows)


def info_header(size, width, height, bits, compression, data_size, colors_used=0, masks=None):
    header = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, data_size, 2835, 2835,
                         colors_used, 0)
    if size >= 108:
        red, green, blue = masks or (0, 0, 0)
        v4 = struct.pack("<IIII", red, green, blue, 0) + struct.pack("<I", 0x73524742) + bytes(36) + bytes(12)
        header += v4
    if size == 124:
        header += struct.pack("<IIII", 4, 0, 0, 0)
    assert len(header) == size
    return header


def bmp(header, table, data):
    offset = 14 + len(header) + len(table)
    file_header = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
    return file_header + header + table + data


def write(name, content, folder=OUT):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(content)


def plain(name, width, height, bits, value, colors=0, top_down=False, header_size=40, compression=0,
          masks=None, extra_table=b""):
    data = pack_rows(width, height, bits, value, top_down)
    table = extra_table + (palette(colors) if colors else b"")
    header = info_header(header_size, width, -height if top_down else height, bits, compression, len(data),
                         colors if colors and colors < (1 << bits) else 0, masks)
    write(name, bmp(header, table, data))


def main():
    os.makedirs(OUT, exist_ok=True)
    plain("pal1_9x3.bmp", 9, 3, 1, lambda x, y: (x + y) % 2, colors=2)
    plain("pal4_5x4.bmp", 5, 4, 4, lambda x, y: (x * 3 + y) % 16, colors=16)
    plain("pal4_used6_5x2.bmp", 5, 2, 4, lambda x, y: (x + y) % 6, colors=6)
    plain("pal8_topdown_7x5.bmp", 7, 5, 8, lambda x, y: (x * 5 + y * 11) % 256, colors=256, top_down=True)
    plain("rgb16_555_3x3.bmp", 3, 3, 16, lambda x, y: (x * 10) << 10 | (y * 10) << 5 | 31)
    plain("rgb16_565_fields_4x3.bmp", 4, 3, 16, lambda x, y: (x * 8) << 11 | (y * 20) << 5 | 7, compression=3,
          extra_table=struct.pack("<III", 0xF800, 0x07E0, 0x001F))
    plain("rgb24_7x5.bmp", 7, 5, 24, lambda x, y: (x * 36) << 16 | (y * 60) << 8 | ((x + y) * 20))
    plain("rgb32_3x2.bmp", 3, 2, 32, lambda x, y: (x * 100) << 16 | (y * 200) << 8 | 50)
    plain("rgb32_v4_fields_3x2.bmp", 3, 2, 32, lambda x, y: (x * 100) | (y * 200) << 10 | 50 << 22,
          header_size=108, compression=3, masks=(0x000003FF, 0x000FFC00, 0x3FF00000))
    plain("rgb24_v5_topdown_2x2.bmp", 2, 2, 24, lambda x, y: 0x102030 * (x + 2 * y + 1), top_down=True,
          header_size=124)

    # Core header (12 bytes, 16-bit sizes) with a 3-byte palette.
    width, height = 6, 3
    data = pack_rows(width, height, 8, lambda x, y: (x + y * width) % 4)
    header = struct.pack("<IHHHH", 12, width, height, 1, 8)
    write("core_pal8_6x3.bmp", bmp(header, palette(256, core=True), data))

    # RLE8: runs, a literal run, a delta, end of line and end of bitmap.
    rle8 = bytes([4, 1, 0, 3, 2, 3, 4, 0, 0, 0,       # row 0: run of 4, literal 2 3 4 (padded), end of line
                  0, 2, 2, 1,                         # delta: right 2, up 1
                  3, 5, 0, 0,                         # row 2 from x 2: run of 3, end of line
                  8, 7, 0, 0,                         # row 3
                  2, 6, 0, 1])                        # row 4, end of bitmap
    header = info_header(40, 8, 6, 8, 1, len(rle8), 8)
    write("rle8_8x6.bmp", bmp(header, palette(8), rle8))

    # RLE4: runs of two alternating indexes, a literal run, end of line and end of bitmap.
    rle4 = bytes([6, 0x12, 0, 0,                      # row 0: 1 2 1 2 1 2
                  0, 4, 0x34, 0x56, 0, 0,             # row 1: literal 3 4 5 6
                  3, 0x77, 0, 0,                      # row 2
                  0, 1])                              # end of bitmap
    header = info_header(40, 6, 4, 4, 2, len(rle4), 8)
    write("rle4_6x4.bmp", bmp(header, palette(8), rle4))


# --- PNG ---

def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_row(width, channels, bits, value, y):
    """One row of samples packed at bits per sample (value(x, y) gives a tuple of channels)."""
    if bits >= 8:
        out = bytearray()
        for x in range(width):
            for sample in value(x, y)[:channels]:
                out += sample.to_bytes(bits // 8, "big")
        return bytes(out)
    out = bytearray()
    acc, used = 0, 0
    for x in range(width):
        acc = (acc << bits) | (value(x, y)[0] & ((1 << bits) - 1))
        used += bits
        if used == 8:
            out.append(acc)
            acc, used = 0, 0
    if used:
        out.append(acc << (8 - used))
    return bytes(out)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png(width, height, color_type, bits, value, palette_entries=0, transparency=b"", interlaced=False):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[color_type]
    raw = bytearray()
    if interlaced:
        for x0, y0, dx, dy in ADAM7:
            xs = list(range(x0, width, dx))
            if not xs:
                continue
            for y in range(y0, height, dy):
                raw.append(0)
                raw += png_row(len(xs), channels, bits, lambda i, yy: value(xs[i], yy), y)
    else:
        for y in range(height):
            raw.append(y % 5)  # every filter type once; the data need not look filtered
            raw += png_row(width, channels, bits, value, y)
    content = b"\x89PNG\r\n\x1a\n"
    content += png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bits, color_type, 0, 0,
                                              1 if interlaced else 0))
    if palette_entries:
        content += png_chunk(b"PLTE", bytes((i * 40) & 0xFF for i in range(3 * palette_entries)))
    if transparency:
        content += png_chunk(b"tRNS", transparency)
    content += png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    content += png_chunk(b"IEND", b"")
    return content


def png_seeds():
    os.makedirs(PNG_OUT, exist_ok=True)
    gray = lambda x, y: (x * 37 + y * 11,) * 4
    colour = lambda x, y: (x * 40 % 256, y * 50 % 256, (x + y) * 20 % 256, 200)
    for bits in (1, 2, 4, 8, 16):
        scale = (1 << bits) - 1
        write(f"gray{bits}_5x3.png", png(5, 3, 0, bits, lambda x, y: ((x + y) % (scale + 1),)), PNG_OUT)
    write("rgb8_4x3.png", png(4, 3, 2, 8, colour), PNG_OUT)
    write("rgb16_2x2.png", png(2, 2, 2, 16, lambda x, y: (x * 30000, y * 20000, 65535, 0)), PNG_OUT)
    write("palette4_6x2_trns.png", png(6, 2, 3, 4, lambda x, y: ((x + y) % 6,), palette_entries=6,
                                       transparency=b"\x00\x80"), PNG_OUT)
    write("palette8_3x3.png", png(3, 3, 3, 8, lambda x, y: ((x * 3 + y) % 9,), palette_entries=9), PNG_OUT)
    write("gray_alpha8_3x2.png", png(3, 2, 4, 8, gray), PNG_OUT)
    write("rgba8_interlaced_9x9.png", png(9, 9, 6, 8, colour, interlaced=True), PNG_OUT)
    write("rgba16_2x1.png", png(2, 1, 6, 16, lambda x, y: (1000, 2000, 3000, 4000)), PNG_OUT)


if __name__ == "__main__":
    main()
    png_seeds()
