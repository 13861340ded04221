#!/usr/bin/env python3
"""The logo pictures of the logo test, made with ImageMagick from one design,
and the checks of a screenshot against that design.
  logo_pictures.py make FOLDER      writes FOLDER/logo.bmp and FOLDER/logo.gif
  logo_pictures.py bmp SHOT.png     the bitmap logo in the upper right corner
  logo_pictures.py gif SHOT.png N   frame N (0 or 1) of the GIF logo there
A check prints what differs and exits 1."""
import subprocess
import sys
import tempfile

RED, GREEN, BLUE, YELLOW, MAGENTA = (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (255, 0, 255)

# The bitmap: 24 x 16 in four quarters; its bottom-left pixel's colour (magenta)
# is the one a bitmap drawn transparent leaves out.
BMP_W, BMP_H = 24, 16


def bmp_colour(x, y):
    if y < 8:
        return RED if x < 12 else YELLOW
    return MAGENTA if x < 12 else BLUE


# The GIF: 40 x 20, two frames of 4 s each: red with a green left band, then blue.
GIF_W, GIF_H = 40, 20
GIF_DELAY_CS = 400


def gif_colour(frame, x, y):
    if frame == 0:
        return GREEN if x < 10 else RED
    return BLUE


def make(folder):
    # Written from the design as plain PPM files, which convert turns into the two
    # formats, so that the files hold exactly the design's colours.
    with tempfile.TemporaryDirectory() as scratch:
        def ppm(name, colour_of, w, h):
            path = f"{scratch}/{name}.ppm"
            with open(path, "wb") as out:
                out.write(b"P6 %d %d 255\n" % (w, h))
                out.write(bytes(v for y in range(h) for x in range(w) for v in colour_of(x, y)))
            return path
        subprocess.run(["convert", ppm("bmp", bmp_colour, BMP_W, BMP_H), "-type", "TrueColor",
                        f"BMP3:{folder}/logo.bmp"], check=True)
        frames = [ppm(f"gif{frame}", lambda x, y: gif_colour(frame, x, y), GIF_W, GIF_H) for frame in (0, 1)]
        subprocess.run(["convert", "-delay", str(GIF_DELAY_CS), *frames, "-loop", "0", f"GIF:{folder}/logo.gif"],
                       check=True)


def load(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True).stdout
    width, height = map(int, size.split())
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return width, height, lambda x, y: tuple(rgb[(y * width + x) * 3:(y * width + x) * 3 + 3])


def check(wrong):
    if wrong:
        print(f"{len(wrong)} pixels differ, the first: " + "; ".join(wrong[:5]))
        sys.exit(1)


def check_bmp(path):
    width, _, pixel = load(path)
    # "Upper Right": 5 pixels from the right and top edges.
    left, top = width - BMP_W - 5, 5
    wrong = []
    for y in range(BMP_H):
        # The background has horizontal bands: left of the logo, the same row shows
        # what its transparent pixels must show.
        background = pixel(left - 3, top + y)
        for x in range(BMP_W):
            want = bmp_colour(x, y)
            if want == MAGENTA:
                want = background
            got = pixel(left + x, top + y)
            if got != want:
                wrong.append(f"({left + x},{top + y}) is {got}, not {want}")
    check(wrong)
    print(f"the bitmap logo at {left},{top}: its colours, and the background where it is magenta")


def check_gif(path, frame):
    width, _, pixel = load(path)
    # "Upper Right" places the frame, the picture plus 4 pixels on each side.
    left, top = width - (GIF_W + 8) - 5 + 4, 5 + 4
    wrong = []
    for y in range(GIF_H):
        for x in range(GIF_W):
            want, got = gif_colour(frame, x, y), pixel(left + x, top + y)
            if got != want:
                wrong.append(f"({left + x},{top + y}) is {got}, not {want}")
    check(wrong)
    print(f"the GIF logo at {left},{top}: frame {frame + 1}")


if sys.argv[1] == "make":
    make(sys.argv[2])
elif sys.argv[1] == "bmp":
    check_bmp(sys.argv[2])
else:
    check_gif(sys.argv[2], int(sys.argv[3]))
