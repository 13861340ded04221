#!/usr/bin/env python3
"""Counts the lines of dark text inside a rectangle of a screenshot and checks
that none is cut off: every line of the text the caller shows has a capital
and a descender, so each whole line's ink is equally tall, and a clipped line
is shorter or missing. Reads the rectangle's pixels as 8-bit grey from
ImageMagick.
  text_lines.py SCREENSHOT LEFT TOP RIGHT BOTTOM EXPECTED_LINES"""
import subprocess
import sys

shot, left, top, right, bottom, expected = sys.argv[1], *map(int, sys.argv[2:7])
width, height = right - left, bottom - top
grey = subprocess.run(
    ["convert", shot, "-crop", f"{width}x{height}+{left}+{top}", "+repage",
     "-colorspace", "Gray", "-depth", "8", "gray:-"],
    check=True, capture_output=True).stdout
if len(grey) != width * height:
    sys.exit(f"FAIL: the rectangle {left},{top}-{right},{bottom} is not on the screenshot")
# Text is drawn in the window text colour (black) on the dialog face (light grey).
inked = [any(grey[y * width + x] < 96 for x in range(width)) for y in range(height)]
bands = []
for y, ink in enumerate(inked):
    if ink and (y == 0 or not inked[y - 1]):
        bands.append([y, y])
    elif ink:
        bands[-1][1] = y
print(f"text rows {height}, lines at {bands}")
if len(bands) != expected:
    sys.exit(f"FAIL: {len(bands)} lines of text seen, {expected} expected")
tall = bands[0][1] - bands[0][0]
for first, last in bands[1:]:
    if last - first != tall:
        sys.exit(f"FAIL: a line's ink is {last - first + 1} rows tall, the first line's {tall + 1}: it is clipped")
