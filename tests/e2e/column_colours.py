#!/usr/bin/env python3
"""Prints the colours, as RRGGBB, one a line, of the pixels of column X from
row Y0 up to (not including) row Y1 of a screenshot.
Usage: column_colours.py SHOT.ppm X Y0 Y1"""
import sys

from ppm import read_ppm


def main():
    width, _, pixels = read_ppm(sys.argv[1])
    x, y0, y1 = (int(a) for a in sys.argv[2:5])
    for y in range(y0, y1):
        i = (y * width + x) * 3
        print(pixels[i : i + 3].hex())


main()
