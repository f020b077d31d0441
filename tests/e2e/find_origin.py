#!/usr/bin/env python3
"""Prints the position, in a screenshot, of a map window's origin cross: the
pixel where a solid black run of 20 pixels across (the end pixel of a line is not drawn) meets one of 20 down.
Usage: find_origin.py SHOT.ppm"""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit("not an 8-bit P6 image")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1 :]


def main():
    width, height, pixels = read_ppm(sys.argv[1])

    def black(x, y):
        i = (y * width + x) * 3
        return pixels[i : i + 3] == b"\0\0\0"

    for y in range(10, height - 10):
        for x in range(10, width - 10):
            if (
                black(x, y)
                and all(black(x + d, y) for d in range(-10, 10))
                and all(black(x, y + d) for d in range(-10, 10))
            ):
                print(x, y)
                return
    sys.exit("no origin cross in the screenshot")


main()
