#!/usr/bin/env python3
"""Checks one chart and its rendering: the SVG is well-formed XML with a row
for each area and the time labels repeated down a tall chart, the PNG has
the SVG's size, and its pixels (those of a second, scaled rendering where
one is given) hold the bars.

    check_chart.py chart.svg chart.png [scaled.png scale]
"""
import math
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zlib

SVG = "{http://www.w3.org/2000/svg}"
BAR = (0x4C, 0x78, 0xA8)     # a summary's bars, and after bars without a verdict
BEFORE = (0xA9, 0xB4, 0xC2)  # a comparison's before bars


def fail(message):
    print("FAILED: " + message, file=sys.stderr)
    sys.exit(1)


def size(path):
    """Width and height of a PNG, from its header."""
    data = open(path, "rb").read(24)
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        fail(path + " is not a PNG")
    return struct.unpack(">II", data[16:24])


def pixels(path):
    """Width, height and the rows of RGB(A) pixels of an 8-bit PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail(path + " is not a PNG")
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour not in (2, 6):
                fail("%s: colour type %d, depth %d" % (path, colour, depth))
            step = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride, rows, previous, i = width * step, [], bytearray(width * step), 0
    for _ in range(height):
        kind, line = raw[i], bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            a = line[x - step] if x >= step else 0
            b = previous[x]
            c = previous[x - step] if x >= step else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        previous = line
    return width, height, step, rows


def main(svg_path, png_path, scaled_path=None, scale=1.0):
    try:
        root = ElementTree.parse(svg_path).getroot()
    except ElementTree.ParseError as e:
        fail("%s is not well-formed XML: %s" % (svg_path, e))
    if root.tag != SVG + "svg":
        fail(svg_path + " is not an SVG document")
    width, height = math.ceil(float(root.get("width"))), math.ceil(float(root.get("height")))
    names = [t for t in root.iter(SVG + "text") if t.find(SVG + "title") is not None]
    comparison = "compare" in svg_path
    row = 40 if comparison else 26
    if height < row * len(names):
        fail("%s: %d px for %d areas" % (svg_path, height, len(names)))

    # The time axis' labels above the rows, below them and after every 20
    # rows (12 for a comparison): no more than that many rows apart.
    texts = [t for t in root.iter(SVG + "text") if t.get("text-anchor") == "middle" and t.text]
    first = texts[0].text if texts else None
    ys = sorted(float(t.get("y")) for t in texts if t.text == first)
    most = (12 * 40 if comparison else 20 * 26) + 24
    if len(ys) < 2 or any(b - a > most + 4 for a, b in zip(ys, ys[1:])):
        fail("%s: the time labels are %s px apart, more than %d" %
             (svg_path, [round(b - a) for a, b in zip(ys, ys[1:])], most))

    if size(png_path) != (width, height):
        fail("%s is %dx%d, the SVG %dx%d" % ((png_path,) + size(png_path) + (width, height)))
    png_width, png_height, step, rows = pixels(scaled_path or png_path)
    expected = (math.ceil(width * scale), math.ceil(height * scale))
    if abs(png_width - expected[0]) > 1 or abs(png_height - expected[1]) > 1:
        fail("%s is %dx%d, not %dx%d" % ((scaled_path, png_width, png_height) + expected))
    # Bars and whiskers: at least this many pixels of a bar's colour an area.
    least = int(20 * scale * scale) or 1
    inked = bar = before = 0
    for line in rows:
        for x in range(0, len(line), step):
            rgb = tuple(line[x:x + 3])
            if step == 4 and line[x + 3] < 128:
                continue  # transparent
            if min(rgb) < 200:
                inked += 1
            if rgb == BAR:
                bar += 1
            elif rgb == BEFORE:
                before += 1
    share = inked / float(png_width * png_height)
    if share < 0.02:
        fail("%s is nearly empty: %.1f %% of its pixels inked" % (png_path, 100 * share))
    if bar < least * len(names) // (2 if comparison else 1) or (
            comparison and before < least * len(names)):
        fail("%s lacks bars: %d bar and %d before-bar pixels for %d areas"
             % (png_path, bar, before, len(names)))
    print("%s: %dx%d, %d areas, %.1f %% inked, checked" % (png_path, width, height, len(names),
                                                        100 * share))


if __name__ == "__main__":
    if len(sys.argv) not in (3, 5):
        fail("usage: check_chart.py chart.svg chart.png [scaled.png scale]")
    main(sys.argv[1], sys.argv[2], *([sys.argv[3], float(sys.argv[4])] if len(sys.argv) == 5 else []))
