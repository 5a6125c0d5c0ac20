"""Writes the PNG images of the stand-in ORVA.EXE's icon: an orange square
with a dark border, at 16, 32 and 48 pixels. icotool makes the .ico from
them. Test code only.

    sample_icon_images.py OUT_DIR
"""

import pathlib
import struct
import sys
import zlib

SIZES = (16, 32, 48)


def png(width, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\0" + bytes(row) for row in rows)  # filter 0 on every row
    header = struct.pack(">IIBBBBB", width, len(rows), 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def square(size):
    border = max(1, size // 16)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            edge = min(x, y, size - 1 - x, size - 1 - y) < border
            row += (60, 40, 20, 255) if edge else (240, 140, 30, 255)
        rows.append(row)
    return png(size, rows)


def main(out_dir):
    out = pathlib.Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)
    for size in SIZES:
        (out / f"orva-{size}.png").write_bytes(square(size))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
