#!/usr/bin/python3
"""Builds EPHEMERI.TTF, the glyph font of the tables.

The font is DejaVu Sans Mono cut down to the Windows-1252 repertoire, with the
astrological symbols added (from DejaVu Sans where the mono face lacks them,
the sextile and the semisextile, sesquiquadrate and quincunx drawn here). Each single-byte glyph code reaches its symbol both
through the Windows-1252 character of the byte (so a saved file shows its
symbols in any editor set to this font) and through the Unicode symbol (so
copied text carries the real symbols). The two forms draw the same outline
from two glyphs, so that a PDF maps each glyph back to one character and
printed text searches and copies as the symbols. Every glyph has the same advance, so
table columns line up on screen and on paper.

    make_glyph_font.py --mono DejaVuSansMono.ttf --sans DejaVuSans.ttf --out EPHEMERI.TTF
"""
import argparse
import copy
import math
import sys

from fontTools import subset
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

FAMILY = "EPHEMERI"

# Glyph code (byte) -> the symbol it draws.
GLYPH_CODES = {code: 0x2648 + code - 192 for code in range(192, 204)}
GLYPH_CODES.update({
    224: 0x2609, 236: 0x2295, 233: 0x263D,
    225: 0x263F, 226: 0x2640, 227: 0x2642, 228: 0x2643,
    229: 0x2644, 230: 0x2645, 231: 0x2646, 232: 0x2647,
    234: 0x260A,
    161: 0x260C, 162: 0x26B9, 163: 0x25A1, 164: 0x25B3, 165: 0x260D,
    166: 0x2225, 177: 0x22D5,
    167: 0x26BA, 168: 0x2220, 169: 0x26BC, 170: 0x26BB,
    156: 0x211E, 171: ord("D"),
    152: ord("N"), 154: ord("S"),
    186: 0x00B0, 146: 0x2032,
    # Chiron, Ceres, Pallas, Juno, Vesta, Lilith
    172: 0x26B7, 174: 0x26B3, 175: 0x26B4, 178: 0x26B5, 179: 0x26B6, 180: 0x26B8,
})

SEXTILE = 0x26B9
SEMISEXTILE = 0x26BA
QUINCUNX = 0x26BB
SESQUIQUADRATE = 0x26BC

def cp1252_char(code):
    """The code point of a byte read as Windows-1252 (undefined bytes as themselves)."""
    try:
        return ord(bytes([code]).decode("cp1252"))
    except UnicodeDecodeError:
        return code


def glyph_name(cp):
    return "uni%04X" % cp


def add_glyph(font, name, glyph, advance):
    order = font.getGlyphOrder()
    if name not in order:
        font.setGlyphOrder(order + [name])
    glyf = font["glyf"]
    glyf.glyphs[name] = glyph
    if name not in glyf.glyphOrder:
        glyf.glyphOrder.append(name)
    glyph.recalcBounds(glyf)
    font["hmtx"].metrics[name] = (advance, getattr(glyph, "xMin", 0))


def copy_scaled(mono, sans, cp, advance):
    """The symbol of the proportional face, scaled to fit one cell and centred in it."""
    sans_glyphs = sans.getGlyphSet()
    source = sans.getBestCmap()[cp]
    bounds_pen = TTGlyphPen(sans_glyphs)
    sans_glyphs[source].draw(bounds_pen)
    probe = bounds_pen.glyph()
    probe.recalcBounds(sans["glyf"])
    width = probe.xMax - probe.xMin
    margin = advance * 0.06
    scale = min(1.0, (advance - 2 * margin) / width) if width else 1.0
    # Centre on the cell; keep the height of the symbol around its own middle.
    mid_y = (probe.yMin + probe.yMax) / 2
    dx = advance / 2 - scale * (probe.xMin + probe.xMax) / 2
    dy = mid_y - scale * mid_y
    pen = TTGlyphPen(None)
    sans_glyphs[source].draw(TransformPen(pen, (scale, 0, 0, scale, dx, dy)))
    add_glyph(mono, glyph_name(cp), pen.glyph(), advance)


def bars(segments, half_width, past_ends):
    """A glyph of straight bars, each from one end to the other, that may cross;
    with past_ends each reaches half its width beyond its ends, so that the
    corners where bars meet close."""
    pen = TTGlyphPen(None)
    for (x0, y0), (x1, y1) in segments:
        length = math.hypot(x1 - x0, y1 - y0)
        ux, uy = (x1 - x0) / length, (y1 - y0) / length
        nx, ny = -uy * half_width, ux * half_width
        reach = half_width if past_ends else 0
        ax, ay = x0 - ux * reach, y0 - uy * reach
        bx, by = x1 + ux * reach, y1 + uy * reach
        corners = [(ax - nx, ay - ny), (ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny)]
        # TrueType outer contours run clockwise.
        pen.moveTo(tuple(round(v) for v in corners[0]))
        for corner in corners[1:]:
            pen.lineTo(tuple(round(v) for v in corner))
        pen.closePath()
    glyph = pen.glyph()
    glyph.flags[0] |= 0x40  # OVERLAP_SIMPLE: the bars cross
    return glyph


def draw_drawn_symbols(mono, advance):
    """The symbols no DejaVu face has, drawn as bars around the middle of "+".

    Sextile: three bars through one centre, upright and at 30 degrees either
    side of level. Semisextile: a V standing on a level bar; quincunx: the
    same upside down. Sesquiquadrate: a square with the semisquare's slanted
    stroke rising from its upper left corner.
    """
    plus = mono.getGlyphSet()
    pen_probe = TTGlyphPen(plus)
    plus["plus"].draw(pen_probe)
    probe = pen_probe.glyph()
    probe.recalcBounds(mono["glyf"])
    cx = advance / 2
    cy = (probe.yMin + probe.yMax) / 2
    u = advance * 0.40
    half_width = advance * 0.045

    def at(x, y):
        return (cx + x * u, cy + y * u)

    rays = []
    for degrees in (90, 30, -30):
        a = math.radians(degrees)
        rays.append((at(-math.cos(a), -math.sin(a)), at(math.cos(a), math.sin(a))))
    # The V's bars meet inside the level bar, the slanted stroke inside the
    # square's corner, so that no end shows past them.
    semisextile = [(at(-0.9, -0.6), at(0.9, -0.6)), (at(0, -0.5), at(-0.75, 0.8)),
                   (at(0, -0.5), at(0.75, 0.8))]
    quincunx = [((x0, 2 * cy - y0), (x1, 2 * cy - y1)) for (x0, y0), (x1, y1) in semisextile]
    sesquiquadrate = [(at(-0.85, -0.95), at(0.45, -0.95)), (at(0.45, -0.95), at(0.45, 0.35)),
                      (at(0.45, 0.35), at(-0.85, 0.35)), (at(-0.85, 0.35), at(-0.85, -0.95)),
                      (at(-0.75, 0.39), at(0.85, 1.05))]
    drawn = {SEXTILE: rays, SEMISEXTILE: semisextile, QUINCUNX: quincunx,
             SESQUIQUADRATE: sesquiquadrate}
    for cp, segments in drawn.items():
        glyph = bars(segments, half_width, past_ends=cp != SEXTILE)
        add_glyph(mono, glyph_name(cp), glyph, advance)
    return set(drawn)


def build(mono_path, sans_path, out_path):
    mono = TTFont(mono_path)
    sans = TTFont(sans_path)
    advance = mono["hmtx"]["a"][0]

    # The Windows-1252 repertoire plus the symbols the mono face already has.
    wanted = set(range(0x20, 0x7F)) | {cp1252_char(b) for b in range(0x80, 0x100)}
    symbols = set(GLYPH_CODES.values())
    mono_cmap = mono.getBestCmap()
    wanted |= {cp for cp in symbols if cp in mono_cmap}
    if "FFTM" in mono:
        del mono["FFTM"]  # a timestamp the subsetter cannot carry
    options = subset.Options()
    options.layout_features = []
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = True
    options.hinting = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(c for c in wanted if c in mono_cmap))
    subsetter.subset(mono)
    for table in ("GPOS", "GSUB", "GDEF", "kern", "hdmx", "LTSH", "VDMX"):
        if table in mono:
            del mono[table]

    cmap = {cp: name for cp, name in mono.getBestCmap().items()}
    sans_cmap = sans.getBestCmap()
    drawn = draw_drawn_symbols(mono, advance)
    for cp in sorted(symbols):
        if cp in cmap:
            continue
        if cp in drawn:
            pass
        elif cp in sans_cmap:
            copy_scaled(mono, sans, cp, advance)
        else:
            sys.exit("make_glyph_font: no source for U+%04X" % cp)
        cmap[cp] = glyph_name(cp)

    # The byte's character reaches a copy of the symbol's glyph: one glyph
    # per character, the same drawing.
    glyf = mono["glyf"]
    for code, cp in sorted(GLYPH_CODES.items()):
        name = "code%03d" % code
        add_glyph(mono, name, copy.deepcopy(glyf[cmap[cp]]), advance)
        cmap[cp1252_char(code)] = name

    tables = []
    for platform, encoding in ((0, 3), (3, 1)):
        sub = CmapSubtable.newSubtable(4)
        sub.platformID, sub.platEncID, sub.language = platform, encoding, 0
        sub.cmap = dict(cmap)
        tables.append(sub)
    mono["cmap"].tables = tables

    # One advance for every glyph.
    hmtx = mono["hmtx"]
    glyf = mono["glyf"]
    for name in mono.getGlyphOrder():
        g = glyf[name]
        g.recalcBounds(glyf)
        hmtx.metrics[name] = (advance, getattr(g, "xMin", 0))
    mono["hhea"].advanceWidthMax = advance
    mono["OS/2"].xAvgCharWidth = advance
    mono["OS/2"].panose.bProportion = 9  # monospaced
    mono["post"].isFixedPitch = 1
    cps = sorted(cmap)
    mono["OS/2"].usFirstCharIndex = min(cps[0], 0xFFFF)
    mono["OS/2"].usLastCharIndex = min(cps[-1], 0xFFFF)

    # The licence asks for a new name; the copyright and licence entries stay.
    name = mono["name"]
    keep = {0, 13, 14}
    name.names = [n for n in name.names if n.nameID in keep]
    for name_id, text in ((1, FAMILY), (2, "Regular"), (3, FAMILY + " 2.00"),
                          (4, FAMILY), (5, "Version 2.00"), (6, FAMILY),
                          (10, "Glyph font of Novarel_SE, built from DejaVu Sans Mono "
                               "and DejaVu Sans.")):
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)

    mono.save(out_path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--mono", required=True)
    parser.add_argument("--sans", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    build(args.mono, args.sans, args.out)


if __name__ == "__main__":
    main()
