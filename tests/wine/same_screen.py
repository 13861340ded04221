#!/usr/bin/env python3
"""Checks that two pictures of the same setup page, one painted on the hosted
machine and one captured from the screen under wine, agree where the two
painters must agree: the wizard panel lies in the same rectangle, and the
background outside it is the same pixel for pixel except in the rows of text
(the two draw text in different fonts). The page's background has horizontal
bands, so a pixel that differs from its row's leftmost pixel is not background.
The wizard panel is found by its raised bevel: a white (button highlight) left
and top edge, a grey (button shadow) right and bottom edge, the panel centred
on the screen.
  same_screen.py HOSTED.png CAPTURED.png"""
import subprocess
import sys

WHITE = bytes((255, 255, 255))
SHADOW = bytes((128, 128, 128))


def load(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True).stdout
    width, height = map(int, size.split())
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return width, height, rgb


def fail(message):
    sys.exit(f"FAIL: {message}")


def panel(name, width, height, rgb):
    pixel = lambda x, y: rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]
    row, column = height // 2, width // 2
    left = next((x for x in range(width) if pixel(x, row) != pixel(0, row)), None)
    right = next((x for x in range(width - 1, -1, -1) if pixel(x, row) != pixel(0, row)), None)
    if left is None or left >= column or right <= column:
        fail(f"{name}: no panel across the middle of the screen")
    top = next((y for y in range(height) if pixel(left, y) != pixel(0, y)), None)
    bottom = next(y for y in range(height - 1, -1, -1) if pixel(left, y) != pixel(0, y))
    if pixel(left, row) != WHITE or pixel(column, top) != WHITE:
        fail(f"{name}: the panel's left and top edges at {left}, {top} are not the white of a raised bevel")
    if pixel(right, row) != SHADOW or pixel(column, bottom) != SHADOW:
        fail(f"{name}: the panel's right and bottom edges at {right}, {bottom} are not the grey of a raised bevel")
    return left, top, right + 1, bottom + 1


def text_rows(width, height, rgb, rect):
    """The rows outside the panel with something on them besides the background."""
    left, top, right, bottom = rect
    rows = set()
    for y in range(height):
        start = y * width * 3
        line = rgb[start:start + width * 3]
        first = line[0:3]
        inside = top <= y < bottom
        for x in range(width):
            if inside and left <= x < right:
                continue
            if line[x * 3:x * 3 + 3] != first:
                rows.add(y)
                break
    return rows


def bands(rows):
    count, previous = 0, None
    for y in sorted(rows):
        if previous is None or y != previous + 1:
            count += 1
        previous = y
    return count


hosted_path, captured_path = sys.argv[1], sys.argv[2]
hosted, captured = load(hosted_path), load(captured_path)
if hosted[:2] != captured[:2]:
    fail(f"the pictures are {hosted[0]} x {hosted[1]} and {captured[0]} x {captured[1]}")
width, height = hosted[:2]
hosted_panel = panel("hosted", *hosted)
captured_panel = panel("wine", *captured)
print(f"wizard panel: hosted {hosted_panel}, wine {captured_panel}")
if hosted_panel != captured_panel:
    fail("the wizard panel is not in the same rectangle")

hosted_text = text_rows(*hosted, hosted_panel)
captured_text = text_rows(*captured, captured_panel)
print(f"lines of text outside the panel: hosted {bands(hosted_text)}, wine {bands(captured_text)}")
if bands(hosted_text) != bands(captured_text):
    fail("the two pictures do not have the same lines of text")

left, top, right, bottom = hosted_panel
skipped = hosted_text | captured_text
compared, differing = 0, []
for y in range(height):
    if y in skipped:
        continue
    for x in range(width):
        if top <= y < bottom and left <= x < right:
            continue
        at = (y * width + x) * 3
        compared += 1
        if hosted[2][at:at + 3] != captured[2][at:at + 3]:
            differing.append((x, y, tuple(hosted[2][at:at + 3]), tuple(captured[2][at:at + 3])))
print(f"background pixels compared: {compared}, differing: {len(differing)}")
if compared < width * height // 2:
    fail("less than half of the screen is background to compare")
if differing:
    fail("the background differs, first at " + ", ".join(f"{x},{y} hosted {h} wine {w}" for x, y, h, w in differing[:5]))
