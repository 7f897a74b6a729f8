#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: Quenlow developers
"""Make the pictures that Quenlow ships: the form backgrounds and the icons.

Every background is drawn here from seeded noise and simple geometry, so the
output is the same on every run. The textures are periodic: each noise lattice
repeats a whole number of times across the tile, so the tiles join without a
seam when a browser repeats them behind a page. ImageMagick's convert writes
the GIF and JPEG files; rsvg-convert (or convert) turns the SVG icons into PNG.

    tools/make-backgrounds.py            regenerate everything under resources/
    tools/make-backgrounds.py --check    only verify the files that are there

The outputs are committed, so a build never needs this script.
"""

import argparse
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.normpath(os.path.join(HERE, "..", "resources"))

MAX_BYTES = 60 * 1024
# Black text on any background must stay easy to read. Relative luminance
# 0.30 against black is a contrast ratio of 7:1; the 1st percentile of every
# tile must clear it, and the average must sit well above.
MIN_LOW_LUMINANCE = 0.30
MIN_MEAN_LUMINANCE = 0.45


# --------------------------------------------------------------------------
# Small helpers


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def fade(t):
    return t * t * t * (t * (t * 6 - 15) + 10)


def smoothstep(e0, e1, v):
    t = clamp((v - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def hexcolour(text):
    text = text.lstrip("#")
    return tuple(int(text[i : i + 2], 16) for i in (0, 2, 4))


def noise_layer(size, px, py, rng):
    """Value noise over a px x py lattice that wraps around: tileable."""
    lattice = [[rng.random() for _ in range(px)] for _ in range(py)]
    cols = []
    for x in range(size):
        f = x * px / size
        i = int(f)
        cols.append((i % px, (i + 1) % px, fade(f - i)))
    out = []
    for y in range(size):
        f = y * py / size
        j = int(f)
        u = fade(f - j)
        r0, r1 = lattice[j % py], lattice[(j + 1) % py]
        row = []
        for i0, i1, t in cols:
            a = r0[i0] + (r0[i1] - r0[i0]) * t
            b = r1[i0] + (r1[i1] - r1[i0]) * t
            row.append(a + (b - a) * u)
        out.append(row)
    return out


def fbm(size, px, py, octaves, rng, gain=0.5):
    """Sum of octaves, each twice the lattice of the last, scaled to 0..1."""
    total = [[0.0] * size for _ in range(size)]
    amp = 1.0
    for _ in range(octaves):
        layer = noise_layer(size, min(px, size), min(py, size), rng)
        for y in range(size):
            trow, lrow = total[y], layer[y]
            for x in range(size):
                trow[x] += lrow[x] * amp
        px, py, amp = px * 2, py * 2, amp * gain
    lo = min(min(r) for r in total)
    hi = max(max(r) for r in total)
    span = (hi - lo) or 1.0
    return [[(v - lo) / span for v in r] for r in total]


def grain(size, rng):
    """Independent per-pixel noise; tileable by nature."""
    return [[rng.random() for _ in range(size)] for _ in range(size)]


def blur_wrap(field, passes=1):
    """3x3 box blur that wraps at the edges, keeping the tile seamless."""
    size = len(field)
    for _ in range(passes):
        out = []
        for y in range(size):
            up, row, dn = field[y - 1], field[y], field[(y + 1) % size]
            out.append(
                [
                    (
                        up[x - 1] + up[x] + up[(x + 1) % size]
                        + row[x - 1] + row[x] + row[(x + 1) % size]
                        + dn[x - 1] + dn[x] + dn[(x + 1) % size]
                    ) / 9.0
                    for x in range(size)
                ]
            )
        field = out
    return field


# --------------------------------------------------------------------------
# The textures. Each returns (size, rows of (r, g, b) floats in 0..255).


def plain_tile():
    size = 32
    c = hexcolour("F6F5F1")
    return size, [[c] * size for _ in range(size)]


def neutral_tile():
    rng = random.Random(11)
    size = 64
    g = grain(size, rng)
    m = fbm(size, 4, 4, 2, rng)
    base = hexcolour("EEEEEB")
    rows = []
    for y in range(size):
        rows.append([tuple(v + (g[y][x] - 0.5) * 4 + (m[y][x] - 0.5) * 4 for v in base) for x in range(size)])
    return size, rows


def marble():
    rng = random.Random(1)
    size = 256
    turb = fbm(size, 3, 3, 5, rng, gain=0.45)
    mottle = fbm(size, 3, 3, 4, rng)
    light, warm, vein = hexcolour("F4F2EE"), hexcolour("E6E1D9"), hexcolour("9E978E")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            phase = 2 * math.pi * (x / size + 2 * y / size) + 6.0 * turb[y][x]
            v = abs(math.sin(phase))
            strength = (1 - v) ** 12 * 0.42 + (1 - v) ** 3 * 0.10
            c = mix(light, warm, mottle[y][x] * 0.8)
            row.append(mix(c, vein, strength))
        rows.append(row)
    return size, rows


def grey_grain():
    """Grey Texture 1: a fine stucco-like grain over soft mottling."""
    rng = random.Random(2)
    size = 192
    fine = blur_wrap(grain(size, rng))
    mottle = fbm(size, 6, 6, 4, rng)
    speck = grain(size, rng)
    lo, hi = hexcolour("C9C8C4"), hexcolour("E4E3DF")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            t = 0.55 * mottle[y][x] + 0.45 * (fine[y][x] - 0.5) * 3 + 0.22
            c = mix(lo, hi, clamp(t))
            if speck[y][x] < 0.015:
                c = mix(c, hexcolour("8E8C88"), 0.35)
            row.append(c)
        rows.append(row)
    return size, rows


def grey_linen():
    """Grey Texture 2: a woven linen, threads crossing over and under."""
    rng = random.Random(3)
    size = 192
    threads = 48  # per tile in each direction: 4 px a thread
    pitch = size / threads
    warp = [0.93 + 0.14 * rng.random() for _ in range(threads)]
    weft = [0.93 + 0.14 * rng.random() for _ in range(threads)]
    fine = grain(size, rng)
    mottle = fbm(size, 3, 3, 3, rng)
    slub_x = fbm(size, 2, 24, 2, rng)
    slub_y = fbm(size, 24, 2, 2, rng)
    lo, hi = hexcolour("C6C7C6"), hexcolour("E2E3E1")
    rows = []
    for y in range(size):
        j = int(y / pitch)
        fy = (y + 0.5) / pitch - j
        row = []
        for x in range(size):
            i = int(x / pitch)
            fx = (x + 0.5) / pitch - i
            if (i + j) % 2 == 0:  # warp thread on top
                shade = warp[i] * (0.75 + 0.25 * math.sin(math.pi * fx)) * (0.9 + 0.2 * slub_x[y][x])
            else:
                shade = weft[j] * (0.75 + 0.25 * math.sin(math.pi * fy)) * (0.9 + 0.2 * slub_y[y][x])
            t = clamp((shade - 0.62) / 0.62 + (mottle[y][x] - 0.5) * 0.2 + (fine[y][x] - 0.5) * 0.12)
            row.append(mix(lo, hi, t))
        rows.append(row)
    return size, rows


def yellow_parchment():
    rng = random.Random(4)
    size = 256
    cloud = fbm(size, 4, 4, 5, rng, gain=0.55)
    fine = blur_wrap(grain(size, rng))
    pale, deep = hexcolour("FBF3CF"), hexcolour("EBD690")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            t = smoothstep(0.2, 0.9, cloud[y][x]) * 0.85 + (fine[y][x] - 0.5) * 0.5
            row.append(mix(pale, deep, clamp(t)))
        rows.append(row)
    return size, rows


def brushed_steel():
    rng = random.Random(5)
    size = 256
    streak = fbm(size, 2, 64, 3, rng)
    hair = noise_layer(size, 4, 256, rng)
    sheen = fbm(size, 2, 2, 2, rng)
    dark, light = hexcolour("B9C1C9"), hexcolour("E7EBEF")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            t = 0.45 * streak[y][x] + 0.25 * hair[y][x] + 0.30 * sheen[y][x]
            row.append(mix(dark, light, clamp((t - 0.2) / 0.6)))
        rows.append(row)
    return size, rows


def sky_clouds():
    """Sky 1: soft cumulus on a clear blue."""
    rng = random.Random(6)
    size = 384  # clouds are large; a bigger tile hides the repeat
    cloud = fbm(size, 4, 4, 7, rng, gain=0.55)
    shade = fbm(size, 6, 6, 3, rng)
    blue, white, grey = hexcolour("A4CCF1"), hexcolour("FFFFFF"), hexcolour("E1E9F2")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            c = smoothstep(0.5, 0.88, cloud[y][x]) * 0.95
            puff = mix(white, grey, shade[y][x] * 0.7)
            row.append(mix(blue, puff, c))
        rows.append(row)
    return size, rows


def sky_wisps():
    """Sky 2: pale blue with high streaks of cirrus."""
    rng = random.Random(7)
    size = 256
    wisp = fbm(size, 2, 8, 5, rng, gain=0.55)
    warp = fbm(size, 3, 3, 2, rng)
    blue, white = hexcolour("B7D8F5"), hexcolour("F7FBFF")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            # Sample the streaks a little displaced so they curve gently.
            sx = (x + int(24 * warp[y][x])) % size
            c = smoothstep(0.5, 0.85, wisp[y][sx])
            row.append(mix(blue, white, c * 0.9))
        rows.append(row)
    return size, rows


def gold_pattern():
    """Cream ground with a gold diamond trellis and small rosettes."""
    rng = random.Random(8)
    size = 256
    period = 64
    sheen = fbm(size, 2, 2, 3, rng)
    cream, cream2 = hexcolour("FCF7E6"), hexcolour("F5ECD0")
    gold, gold_light = hexcolour("D2B063"), hexcolour("EAD6A0")

    def coverage(x, y):
        """0 ground, else how much gold covers the point (x, y)."""
        # Trellis: a pair of thin lines either side of each diagonal.
        line = 0.0
        for k in ((x + y) % period, (x - y) % period):
            d = min(k, period - k) / math.sqrt(2)
            line = max(line, clamp(1.0 - abs(d - 1.6) / 0.6))
        # Small rosettes where the lines cross, larger ones inside the diamonds.
        best = 0.0
        half = period / 2
        for cx, cy, r0 in ((0, 0, 3.5), (half, half, 3.5), (half, 0, 6.0), (0, half, 6.0)):
            dx = (x - cx + half) % period - half
            dy = (y - cy + half) % period - half
            r = math.hypot(dx, dy)
            theta = math.atan2(dy, dx)
            edge = r0 * (0.62 + 0.38 * abs(math.cos(2 * theta)))
            best = max(best, clamp(edge - r + 0.5))
        return line, best

    rows = []
    steps = (0.25, 0.75)  # 2 x 2 supersampling for smooth edges
    for y in range(size):
        row = []
        for x in range(size):
            line = petal = 0.0
            for sy in steps:
                for sx in steps:
                    l, p = coverage(x + sx, y + sy)
                    line += l
                    petal += p
            line /= 4
            petal /= 4
            c = mix(cream, cream2, sheen[y][x] * 0.6)
            c = mix(c, gold_light, petal * 0.8)
            c = mix(c, gold, line * 0.6)
            row.append(c)
        rows.append(row)
    return size, rows


def mellow():
    rng = random.Random(9)
    size = 256
    broad = fbm(size, 2, 2, 3, rng, gain=0.45)
    hue = fbm(size, 2, 2, 2, rng)
    butter, deep, peach = hexcolour("FFF7D2"), hexcolour("F8E08E"), hexcolour("FBE2B8")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            c = mix(butter, deep, smoothstep(0.15, 0.95, broad[y][x]))
            row.append(mix(c, peach, smoothstep(0.55, 1.0, hue[y][x]) * 0.6))
        rows.append(row)
    return size, rows


def brown_paper():
    rng = random.Random(10)
    size = 192
    mottle = fbm(size, 4, 4, 4, rng)
    fibre_a = fbm(size, 48, 3, 2, rng)
    fibre_b = fbm(size, 3, 48, 2, rng)
    fine = blur_wrap(grain(size, rng))
    speck = grain(size, rng)
    dark, light = hexcolour("CDAE82"), hexcolour("E6D0AB")
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            fibres = max(fibre_a[y][x], fibre_b[y][x])
            t = 0.5 * mottle[y][x] + 0.25 * smoothstep(0.55, 0.95, fibres) + (fine[y][x] - 0.5) * 1.2 + 0.15
            c = mix(dark, light, clamp(t))
            if speck[y][x] < 0.01:
                c = mix(c, hexcolour("8A6A45"), 0.4)
            row.append(c)
        rows.append(row)
    return size, rows


# File name, what it is, generator, output options for convert.
GIF = ["+dither", "-colors", "96"]
JPEG = ["-sampling-factor", "4:2:0", "-quality", "84", "-interlace", "none"]
BACKGROUNDS = [
    ("none.gif", "None", plain_tile, GIF),
    ("Background.gif", "Marble", marble, GIF),
    ("Background2.jpg", "Grey Texture 1", grey_grain, JPEG),
    ("Grey.jpg", "Grey Texture 2", grey_linen, JPEG),
    ("yellowTexture.gif", "Yellow Texture", yellow_parchment, GIF),
    ("steelTexture.jpg", "Steel Texture", brushed_steel, JPEG),
    ("Background3.jpg", "Sky 1", sky_clouds, JPEG),
    ("Sky.jpg", "Sky 2", sky_wisps, JPEG),
    ("goldPattern.jpg", "Gold Pattern", gold_pattern, JPEG),
    ("mellow.jpg", "Mellow Yellow", mellow, JPEG),
    ("brownPaper.jpg", "Brown Paper", brown_paper, JPEG),
    # The answers-table page falls back to this one when a form names none.
    ("background.gif", "default", neutral_tile, GIF),
]

# SVG source, PNG output, pixel size.
ICONS = [
    ("quenlow.svg", "quenlow.png", 256),
    ("submit-button.svg", "submit-button.png", 128),
    ("radio-buttons.svg", "radio-buttons.png", 128),
]


# --------------------------------------------------------------------------
# Writing and checking


def find_convert():
    # A wrapper of that name may come first in PATH; the real one is preferred.
    for candidate in ("/usr/bin/convert", shutil.which("convert")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    sys.exit("make-backgrounds: ImageMagick's convert is needed (apt-get install imagemagick)")


def write_ppm(path, size, rows):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (size, size))
        for row in rows:
            f.write(bytes(int(clamp(round(v), 0, 255)) for c in row for v in c))


def read_pixels(convert, path):
    """Decode an image with ImageMagick into (width, height, RGB bytes)."""
    data = subprocess.run([convert, path, "-strip", "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields, at = [], 0
    while len(fields) < 4:
        while data[at : at + 1].isspace():
            at += 1
        end = at
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    at += 1
    if fields[0] != b"P6":
        raise ValueError(f"{path}: unexpected decoder output")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[at : at + width * height * 3]


def linear(c):
    c /= 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


LINEAR = [linear(v) for v in range(256)]


def check_background(convert, path, label):
    """Readable behind black text, seamless when tiled, and small."""
    problems = []
    size = os.path.getsize(path)
    if size > MAX_BYTES:
        problems.append(f"{size} bytes, over {MAX_BYTES}")
    w, h, px = read_pixels(convert, path)
    lum = sorted(
        0.2126 * LINEAR[px[i]] + 0.7152 * LINEAR[px[i + 1]] + 0.0722 * LINEAR[px[i + 2]]
        for i in range(0, len(px), 3)
    )
    low, mean = lum[len(lum) // 100], sum(lum) / len(lum)
    if low < MIN_LOW_LUMINANCE:
        problems.append(f"too dark in places for black text (1st percentile luminance {low:.2f})")
    if mean < MIN_MEAN_LUMINANCE:
        problems.append(f"too dark for black text (mean luminance {mean:.2f})")

    # A seam shows as a jump across the wrap that is larger than the usual
    # step between neighbouring pixels inside the tile.
    def at(x, y):
        i = (y * w + x) * 3
        return px[i] + px[i + 1] + px[i + 2]

    def step(pairs):
        pairs = list(pairs)
        return sum(abs(at(*a) - at(*b)) for a, b in pairs) / len(pairs)

    inner = max(
        step(((w // 2, y), (w // 2 + 1, y)) for y in range(h)),
        step(((x, h // 2), (x, h // 2 + 1)) for x in range(w)),
    )
    across = max(
        step(((w - 1, y), (0, y)) for y in range(h)),
        step(((x, h - 1), (x, 0)) for x in range(w)),
    )
    if across > inner * 1.6 + 3:
        problems.append(f"visible seam when tiled (edge step {across:.1f}, inner step {inner:.1f})")
    note = f"{os.path.basename(path):18} {label:15} {w}x{h} {size:6} bytes  luminance low {low:.2f} mean {mean:.2f}"
    return note, problems


def check_icon(convert, path, pixels):
    w, h, _ = read_pixels(convert, path)
    if (w, h) != (pixels, pixels):
        return [f"{w}x{h}, expected {pixels}x{pixels}"]
    return []


def render_svg(convert, svg, png, pixels):
    rsvg = shutil.which("rsvg-convert")
    if rsvg:
        cmd = [rsvg, "-w", str(pixels), "-h", str(pixels), "-f", "png", "-o", png, svg]
    else:
        cmd = [convert, "-background", "none", "-density", "300", svg, "-resize", f"{pixels}x{pixels}", "-strip", png]
    subprocess.run(cmd, check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true", help="verify the existing files, write nothing")
    parser.add_argument("--resources", default=RESOURCES, help="the resources folder (default: %(default)s)")
    args = parser.parse_args()

    convert = find_convert()
    html = os.path.join(args.resources, "html")
    failed = False

    if not args.check:
        os.makedirs(html, exist_ok=True)
        with tempfile.TemporaryDirectory() as tmp:
            for name, label, make, options in BACKGROUNDS:
                size, rows = make()
                raw = os.path.join(tmp, name + ".ppm")
                write_ppm(raw, size, rows)
                subprocess.run([convert, raw, "-strip", *options, os.path.join(html, name)], check=True)
        for svg, png, pixels in ICONS:
            render_svg(convert, os.path.join(args.resources, svg), os.path.join(args.resources, png), pixels)

    for name, label, _, _ in BACKGROUNDS:
        path = os.path.join(html, name)
        if not os.path.exists(path):
            print(f"MISSING {path}")
            failed = True
            continue
        note, problems = check_background(convert, path, label)
        print(note)
        for p in problems:
            print(f"  FAULT {name}: {p}")
            failed = True
    for _, png, pixels in ICONS:
        path = os.path.join(args.resources, png)
        problems = check_icon(convert, path, pixels) if os.path.exists(path) else ["missing"]
        for p in problems:
            print(f"  FAULT {png}: {p}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
