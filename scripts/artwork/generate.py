#!/usr/bin/env python3
"""Draws both programs' artwork: the line icons and logos (SVG), the logos as
multi-size ICO files, and the small PNG images the style sheets point at.

The outputs are committed; run this again after changing a drawing here:

    scripts/artwork/generate.py

Needs python3, rsvg-convert (Debian package librsvg2-bin) and ImageMagick's
convert. Every drawing sits on a 24x24 grid with 2 px strokes, round caps and
round joins, so the sets read as one family.
"""

import math
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WRENPOST_IMAGES = os.path.join(ROOT, "debugger", "resources", "image")
WRENPOST_QSS = os.path.join(ROOT, "debugger", "resources", "qss")
CRATEFORGE_ICONS = os.path.join(ROOT, "packager", "resources", "icons")
CRATEFORGE_QSS = os.path.join(ROOT, "packager", "resources", "qss")

ACCENT = "#00b688"
TEXT = "#34495e"
ICO_SIZES = (16, 24, 32, 48, 64, 128, 256)

# Side-menu greys: Wrenpost's menu is dark (#333333), Crateforge's is white.
WRENPOST_IDLE = "#999999"
CRATEFORGE_IDLE = "#8e99a4"
TITLE_BAR = "#5d6d7e"


def fmt(value):
    text = "%.2f" % value
    text = text.rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def svg(body, size=24, view=24):
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n'
        "%s</svg>\n" % (size, size, view, view, body)
    )


def stroked(colour, inner, width=2):
    return (
        '<g fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
        'stroke-linejoin="round">\n%s</g>\n' % (colour, fmt(width), inner)
    )


# ---------------------------------------------------------------- line icons

def icon_client(c):
    # A monitor on its stand with an outgoing arrow on the screen.
    return stroked(c,
        '  <rect x="3" y="4" width="18" height="12" rx="2"/>\n'
        '  <path d="M12 16v4M8 20h8"/>\n'
        '  <path d="M8.5 10h6.5M12.5 7.5 15 10l-2.5 2.5"/>\n')


def icon_server(c):
    # Two rack units, each with a status light and a drive slot.
    return stroked(c,
        '  <rect x="3.5" y="3.5" width="17" height="7" rx="1.5"/>\n'
        '  <rect x="3.5" y="13.5" width="17" height="7" rx="1.5"/>\n'
        '  <path d="M12 7h5M12 17h5"/>\n') + (
        '<g fill="%s">\n'
        '  <circle cx="7.5" cy="7" r="1.2"/>\n'
        '  <circle cx="7.5" cy="17" r="1.2"/>\n'
        '</g>\n' % c)


def icon_udp(c):
    # A point source sending waves to both sides.
    return stroked(c,
        '  <path d="M8.46 8.46a5 5 0 0 0 0 7.08M15.54 8.46a5 5 0 0 1 0 7.08"/>\n'
        '  <path d="M5.64 5.64a9 9 0 0 0 0 12.72M18.36 5.64a9 9 0 0 1 0 12.72"/>\n') + (
        '<circle cx="12" cy="12" r="2" fill="%s"/>\n' % c)


def icon_serial(c):
    # A nine-pin D connector seen from the front.
    pins = []
    for i in range(5):
        pins.append((7 + 2.5 * i, 10.5))
    for i in range(4):
        pins.append((8.25 + 2.5 * i, 13.75))
    dots = "".join('  <circle cx="%s" cy="%s" r="0.95"/>\n' % (fmt(x), fmt(y)) for x, y in pins)
    return stroked(c,
        '  <path d="M3.5 7.5h17a1 1 0 0 1 .96 1.27l-2.1 7.5a1 1 0 0 1-.96.73H5.6a1 1 0 0 1-.96-.73l-2.1-7.5A1 1 0 0 1 3.5 7.5z"/>\n'
        '  <path d="M9 17v2.5M15 17v2.5"/>\n') + '<g fill="%s">\n%s</g>\n' % (c, dots)


def icon_house(c):
    return stroked(c,
        '  <path d="M3.5 11 12 4l8.5 7"/>\n'
        '  <path d="M6 9.5V19a1 1 0 0 0 1 1h10a1 1 0 0 0 1-1V9.5"/>\n'
        '  <path d="M10 20v-5.5h4V20"/>\n')


def gear_path(cx=12.0, cy=12.0, teeth=8, outer=9.0, inner=6.8, top=0.34, root=0.5):
    # Each tooth: a flat top of angular width `top`, flanks down to the root
    # circle, and a root arc of width `root` (fractions of one tooth pitch).
    pitch = 2 * math.pi / teeth
    points = []
    for i in range(teeth):
        base = i * pitch - math.pi / 2
        half_top = pitch * top / 2
        half_root = pitch * (1 - root) / 2
        for angle, radius in (
            (base - half_root, inner),
            (base - half_top, outer),
            (base + half_top, outer),
            (base + half_root, inner),
        ):
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    d = "M" + " ".join("%s %s" % (fmt(x), fmt(y)) for x, y in points[:1])
    segments = []
    for index in range(len(points)):
        x, y = points[(index + 1) % len(points)]
        # Root segments (from the last point of a tooth to the first of the
        # next) follow the root circle; everything else is straight.
        if index % 4 == 3:
            segments.append("A%s %s 0 0 1 %s %s" % (fmt(inner), fmt(inner), fmt(x), fmt(y)))
        else:
            segments.append("L%s %s" % (fmt(x), fmt(y)))
    return d + "".join(segments) + "z"


def icon_gear(c):
    return stroked(c,
        '  <path d="%s"/>\n'
        '  <circle cx="12" cy="12" r="3"/>\n' % gear_path(), width=1.8)


def icon_nav(c):
    return stroked(c, '  <path d="M5 7h14M5 12h14M5 17h14"/>\n', width=1.8)


def icon_min(c):
    return stroked(c, '  <path d="M6 12h12"/>\n', width=1.8)


def icon_close(c):
    return stroked(c, '  <path d="M6.5 6.5l11 11M17.5 6.5l-11 11"/>\n', width=1.8)


# ---------------------------------------------------------------------- logos

def logo_wrenpost():
    # A swallow, wings spread, over a two-arched bridge, white on an accent tile.
    return (
        '<rect x="1" y="1" width="22" height="22" rx="5.5" fill="%s"/>\n' % ACCENT
        + '<g fill="#ffffff">\n'
          '  <path d="M12 4.2C12.9 4.2 13.4 4.9 13.5 5.9 15.6 6.1 18.4 7.2 20.6 9.5 18.1 8.8 15.8 8.8 13.3 9.4'
          'L13.6 13.3 12 11.3 10.4 13.3 10.7 9.4C8.2 8.8 5.9 8.8 3.4 9.5 5.6 7.2 8.4 6.1 10.5 5.9 10.6 4.9 11.1 4.2 12 4.2z"/>\n'
          '  <path d="M3.5 14.5h17V19h-.5a3.5 3.5 0 0 0-7 0h-2a3.5 3.5 0 0 0-7 0h-.5z"/>\n'
          '</g>\n')


def logo_crateforge():
    # A closed crate in three-quarter view, white on an accent tile.
    return (
        '<rect x="1" y="1" width="22" height="22" rx="5.5" fill="%s"/>\n' % ACCENT
        + stroked("#ffffff",
            '  <path d="M12 4.5 18.8 8.2v7.6L12 19.5l-6.8-3.7V8.2z"/>\n'
            '  <path d="M5.2 8.2 12 12l6.8-3.8M12 12v7.5"/>\n'
            '  <path d="M8.6 6.35l6.8 3.75v2.6"/>\n', width=1.6))


# ------------------------------------------------------- style-sheet images

def sheet_images(theme):
    """The 18 images one style sheet points at, as name -> (size, svg body)."""
    if theme == "light":
        box_bg, box_border = "#ffffff", "#c9ced6"
        off_bg, off_border = "#f5f5f5", "#e0e0e0"
        on_off = "#cccccc"
        arrow, nav = "#999999", TEXT
    else:
        box_bg, box_border = "#2b2b2b", "#5c5c5c"
        off_bg, off_border = "#333333", "#444444"
        on_off = "#555555"
        arrow, nav = "#a0a0a0", "#d6d6d6"

    def box(fill, border):
        return '<rect x="1.5" y="1.5" width="13" height="13" rx="3" fill="%s" stroke="%s"/>\n' % (fill, border)

    tick = '<path d="M4.6 8.2 7 10.6l4.6-4.8" fill="none" stroke="#ffffff" stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round"/>\n'
    dash = '<path d="M5 8h6" fill="none" stroke="#ffffff" stroke-width="1.8" stroke-linecap="round"/>\n'

    def ring(fill, border):
        return '<circle cx="8" cy="8" r="6.5" fill="%s" stroke="%s"/>\n' % (fill, border)

    def dot(colour):
        return '<circle cx="8" cy="8" r="3" fill="%s"/>\n' % colour

    def chevron(d, colour, width=1.6):
        return '<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" stroke-linejoin="round"/>\n' % (
            d, colour, fmt(width))

    return {
        "checkbox_unchecked": (16, box(box_bg, box_border)),
        "checkbox_checked": (16, box(ACCENT, ACCENT) + tick),
        "checkbox_indeterminate": (16, box(ACCENT, ACCENT) + dash),
        "checkbox_unchecked_disabled": (16, box(off_bg, off_border)),
        "checkbox_checked_disabled": (16, box(on_off, on_off) + tick),
        "checkbox_indeterminate_disabled": (16, box(on_off, on_off) + dash),
        "radio_unchecked": (16, ring(box_bg, box_border)),
        "radio_checked": (16, ring(box_bg, ACCENT) + dot(ACCENT)),
        "radio_unchecked_disabled": (16, ring(off_bg, off_border)),
        "radio_checked_disabled": (16, ring(off_bg, off_border) + dot(on_off)),
        "branch_open": (12, chevron("M3 4.5 6 7.5l3-3", arrow)),
        "branch_closed": (12, chevron("M4.5 3 7.5 6l-3 3", arrow)),
        "calendar_prev": (16, chevron("M10 4 6 8l4 4", nav, 1.8)),
        "calendar_next": (16, chevron("M6 4l4 4-4 4", nav, 1.8)),
        "add_top": (12, chevron("M3 7.5 6 4.5l3 3", arrow)),
        "add_bottom": (12, chevron("M3 4.5 6 7.5l3-3", arrow)),
        "add_left": (12, chevron("M7.5 3 4.5 6l3 3", arrow)),
        "add_right": (12, chevron("M4.5 3 7.5 6l-3 3", arrow)),
    }


# -------------------------------------------------------------------- output

def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def rasterise(svg_path, png_path, size):
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", png_path, svg_path], check=True)


def shrink_png(path):
    # Drop ancillary chunks (time stamps, gamma) so regenerating gives the same bytes.
    subprocess.run(["convert", path, "-strip", "-define", "png:exclude-chunks=date,time", path], check=True)


def write_ico(svg_text, ico_path, scratch):
    source = os.path.join(scratch, "logo.svg")
    write(source, svg_text)
    frames = []
    for size in ICO_SIZES:
        frame = os.path.join(scratch, "logo-%d.png" % size)
        rasterise(source, frame, size)
        shrink_png(frame)
        frames.append(frame)
    subprocess.run(["convert"] + frames + [ico_path], check=True)


def write_sheet_images(folder, theme, scratch):
    os.makedirs(folder, exist_ok=True)
    for name, (size, body) in sheet_images(theme).items():
        source = os.path.join(scratch, "%s-%s.svg" % (theme, name))
        write(source, svg(body, size=size, view=size))
        target = os.path.join(folder, name + ".png")
        rasterise(source, target, size)
        shrink_png(target)


def main():
    for tool in ("rsvg-convert", "convert"):
        if shutil.which(tool) is None:
            sys.exit("generate.py: %s is missing (librsvg2-bin, imagemagick)" % tool)

    side_icons = {"tcpc": icon_client, "tcps": icon_server, "udp": icon_udp, "serial": icon_serial}
    for name, draw in side_icons.items():
        write(os.path.join(WRENPOST_IMAGES, name + ".svg"), svg(draw(WRENPOST_IDLE)))
        write(os.path.join(WRENPOST_IMAGES, name + "-hover.svg"), svg(draw(ACCENT)))

    pages = {"foundation": icon_house, "senior": icon_gear}
    for name, draw in pages.items():
        write(os.path.join(CRATEFORGE_ICONS, name + ".svg"), svg(draw(CRATEFORGE_IDLE)))
        write(os.path.join(CRATEFORGE_ICONS, name + "-hover.svg"), svg(draw(ACCENT)))

    title_bar = {"nav": icon_nav, "min": icon_min, "close": icon_close}
    for folder in (WRENPOST_IMAGES, CRATEFORGE_ICONS):
        for name, draw in title_bar.items():
            write(os.path.join(folder, name + ".svg"), svg(draw(TITLE_BAR)))

    with tempfile.TemporaryDirectory() as scratch:
        logos = ((WRENPOST_IMAGES, logo_wrenpost()), (CRATEFORGE_ICONS, logo_crateforge()))
        for folder, body in logos:
            text = svg(body)
            write(os.path.join(folder, "logo.svg"), text)
            write_ico(text, os.path.join(folder, "logo.ico"), scratch)

        write_sheet_images(os.path.join(WRENPOST_QSS, "default"), "light", scratch)
        write_sheet_images(os.path.join(CRATEFORGE_QSS, "default"), "light", scratch)
        write_sheet_images(os.path.join(CRATEFORGE_QSS, "dark"), "dark", scratch)


if __name__ == "__main__":
    main()
