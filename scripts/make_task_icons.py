#!/usr/bin/env python3
"""Writes the 16 x 16 icons of the task dialog's tree (a_qjx/res/task_*.ico):
a coloured tile with a short label in a 3 x 5 pixel font."""
import struct
import sys

# Glyphs, rows top to bottom, 3 bits each ('#' = ink).
FONT = {
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "N": ["#.#", "###", "###", "#.#", "#.#"],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "P": ["##.", "#.#", "##.", "#..", "#.."],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"],
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
}
# File, tile colour (r, g, b), label.
ICONS = [
    ("task_ni", (0, 128, 0), "NI"),
    ("task_ii", (192, 96, 0), "II"),
    ("task_di", (128, 0, 128), "DI"),
    ("task_root", (0, 64, 160), "T"),
    ("task_pdt", (0, 128, 128), "P"),
    ("task_tdt", (96, 96, 0), "T"),
    ("task_data", (160, 0, 0), "D"),
    ("task_parameter", (0, 96, 192), "PA"),
    ("task_ti", (0, 0, 192), "TI"),
]


def pixels(colour, label):
    size = 16
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y in range(1, 15):
        for x in range(1, 15):
            edge = x in (1, 14) or y in (1, 14)
            img[y][x] = (0, 0, 0, 255) if edge else colour + (255,)
    width = len(label) * 4 - 1
    left, top = (size - width) // 2, 5
    for n, ch in enumerate(label):
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    img[top + row][left + n * 4 + col] = (255, 255, 255, 255)
    return img


def ico(img):
    size = len(img)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(img) for (r, g, b, a) in row)
    mask_row = 4  # 16 bits padded to 32
    andmask = b"".join(
        int("".join("1" if px[3] == 0 else "0" for px in row), 2).to_bytes(2, "big") + b"\0\0"
        for row in reversed(img))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    data = header + xor + andmask
    assert len(andmask) == size * mask_row
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), 22) + data


out = sys.argv[1] if len(sys.argv) > 1 else "a_qjx/res"
for name, colour, label in ICONS:
    with open(f"{out}/{name}.ico", "wb") as f:
        f.write(ico(pixels(colour, label)))
