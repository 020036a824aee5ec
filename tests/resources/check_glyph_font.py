#!/usr/bin/python3
"""Checks the built glyph font: one advance for every mapped glyph, both forms
of every glyph code drawn alike from glyphs of their own (so that a PDF maps
each glyph back to one character), and the family name."""
import sys

from fontTools.ttLib import TTFont

# Glyph code -> symbol, as the tables use them.
EXPECTED = {code: 0x2648 + code - 192 for code in range(192, 204)}
EXPECTED.update({224: 0x2609, 236: 0x2295, 233: 0x263D, 225: 0x263F, 226: 0x2640,
                 227: 0x2642, 228: 0x2643, 229: 0x2644, 230: 0x2645, 231: 0x2646,
                 232: 0x2647, 234: 0x260A, 161: 0x260C, 162: 0x26B9, 163: 0x25A1,
                 164: 0x25B3, 165: 0x260D, 166: 0x2225, 177: 0x22D5, 156: 0x211E,
                 167: 0x26BA, 168: 0x2220, 169: 0x26BC, 170: 0x26BB,
                 171: ord("D"), 152: ord("N"), 154: ord("S"), 186: 0xB0, 146: 0x2032})


def Outline(font, name):
    glyph = font["glyf"][name]
    coordinates, ends, flags = glyph.getCoordinates(font["glyf"])
    return list(coordinates), list(ends), list(flags)


def main(path):
    font = TTFont(path)
    failures = []
    family = font["name"].getDebugName(1)
    if family != "EPHEMERI":
        failures.append("family name is %r" % family)
    if font["post"].isFixedPitch != 1:
        failures.append("not marked fixed pitch")
    for table in font["cmap"].tables:
        cmap = table.cmap
        where = "cmap %d/%d" % (table.platformID, table.platEncID)
        widths = {font["hmtx"][name][0] for name in cmap.values()}
        if len(widths) != 1:
            failures.append("%s: advance widths %s" % (where, sorted(widths)))
        for code, symbol in EXPECTED.items():
            byte_char = bytes([code]).decode("cp1252")
            a, b = cmap.get(ord(byte_char)), cmap.get(symbol)
            if a is None or b is None or a == b or Outline(font, a) != Outline(font, b):
                failures.append("%s: code %d maps %r, U+%04X maps %r" % (where, code, a, symbol, b))
                continue
            glyph = font["glyf"][a]
            if glyph.numberOfContours == 0:
                failures.append("%s: code %d draws nothing" % (where, code))
        # Printable ASCII keeps its own glyphs.
        for cp in range(0x21, 0x7F):
            if cmap.get(cp) is None:
                failures.append("%s: U+%04X unmapped" % (where, cp))
    if {(t.platformID, t.platEncID) for t in font["cmap"].tables} != {(0, 3), (3, 1)}:
        failures.append("cmap subtables: %s" % [(t.platformID, t.platEncID) for t in font["cmap"].tables])
    for f in failures:
        print("FAIL:", f)
    print("%s: %d glyphs, %d failures" % (path, len(font.getGlyphOrder()), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
