#!/usr/bin/env python3
"""Prints the position, in a screenshot, of a map window's origin cross: the
pixel where a solid black run of 20 pixels across (the end pixel of a line is not drawn) meets one of 20 down.
Usage: find_origin.py SHOT.ppm"""
import sys

from ppm import read_ppm


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
