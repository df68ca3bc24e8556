#!/usr/bin/python3
"""Builds the two chess diagram fonts the board view draws with.

    make_fonts.py OUTPUT_DIR

writes OUTPUT_DIR/CHEQ_TT0.TTF (family "Chess Regular", pieces from DejaVu Sans)
and OUTPUT_DIR/merida.ttf (family "Chess Merida", pieces from FreeSerif).

Every glyph is one em square wide and one em high (ascent = em, descent 0), so a
line of glyphs at pixel size N tiles an N x N grid without gaps. Light squares
are blank, dark squares are diagonal hatching; a piece on a dark square sits in
a clear halo cut out of the hatching, so white (outlined) and black (solid)
pieces read the same on both colours. Outlines are flattened to polygons and
combined with Clipper, so the result needs no curve-aware boolean library.
"""

import os
import sys

try:
    import pyclipper
    from fontTools.fontBuilder import FontBuilder
    from fontTools.pens.basePen import BasePen
    from fontTools.pens.ttGlyphPen import TTGlyphPen
    from fontTools.ttLib import TTFont
except ImportError as error:
    sys.exit("make_fonts.py: %s (Debian packages python3-fonttools and python3-pyclipper)" % error)

EM = 2048
PREC = 16  # Clipper works in integers: 1/16 font unit keeps the curves smooth

# Unicode chess symbols: white king..pawn, then black king..pawn.
KING, QUEEN, ROOK, BISHOP, KNIGHT, PAWN = range(6)
WHITE_SYMBOL = 0x2654
BLACK_SYMBOL = 0x265A

# Font letters per piece, (dark, light). Must agree with gui/board/font_glyphs.cpp.
REGULAR_PIECES = {
    ("w", ROOK): "Rr", ("w", KNIGHT): "Hh", ("w", BISHOP): "Bb", ("w", QUEEN): "Qq",
    ("w", KING): "Kk", ("w", PAWN): "Pp",
    ("b", ROOK): "Tt", ("b", KNIGHT): "Jj", ("b", BISHOP): "Nn", ("b", QUEEN): "Ww",
    ("b", KING): "Ll", ("b", PAWN): "Oo",
}
MERIDA_PIECES = {
    ("w", ROOK): "Rr", ("w", KNIGHT): "Nn", ("w", BISHOP): "Bb", ("w", QUEEN): "Qq",
    ("w", KING): "Kk", ("w", PAWN): "Pp",
    ("b", ROOK): "Tt", ("b", KNIGHT): "Mm", ("b", BISHOP): "Vv", ("b", QUEEN): "Ww",
    ("b", KING): "Ll", ("b", PAWN): "Oo",
}

FACES = [
    {
        "file": "CHEQ_TT0.TTF",
        "family": "Chess Regular",
        "source": "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        "pieces": REGULAR_PIECES,
        "dark_empty": "+",
        "light_empty": "\u00c7",  # byte 199 in the Windows ANSI code page
        "hatch_lines": 8,
        "frame": "single",
        "frame_chars": {"left": "/", "right": "\\", "top": "-", "bottom": "_"},
        "corner_chars": {},
    },
    {
        "file": "merida.ttf",
        "family": "Chess Merida",
        "source": "/usr/share/fonts/truetype/freefont/FreeSerif.ttf",
        "pieces": MERIDA_PIECES,
        "dark_empty": "+",
        "light_empty": ",",
        "hatch_lines": 10,
        "frame": "double",
        "frame_chars": {"left": "$", "right": "%", "top": '"', "bottom": "("},
        "corner_chars": {"top_left": "!", "top_right": "#", "bottom_left": "/", "bottom_right": ")"},
    },
]


class FlattenPen(BasePen):
    """Collects a glyph outline as closed polygons, curves cut into short lines."""

    def __init__(self, glyphSet=None, steps=10):
        super().__init__(glyphSet)
        self.steps = steps
        self.contours = []
        self.current = []

    def _moveTo(self, pt):
        self.current = [pt]

    def _lineTo(self, pt):
        self.current.append(pt)

    def _qCurveToOne(self, pt1, pt2):
        p0 = self._getCurrentPoint()
        for i in range(1, self.steps + 1):
            t = i / self.steps
            u = 1 - t
            self.current.append((u * u * p0[0] + 2 * u * t * pt1[0] + t * t * pt2[0],
                                 u * u * p0[1] + 2 * u * t * pt1[1] + t * t * pt2[1]))

    def _curveToOne(self, pt1, pt2, pt3):
        p0 = self._getCurrentPoint()
        for i in range(1, self.steps + 1):
            t = i / self.steps
            u = 1 - t
            self.current.append((u ** 3 * p0[0] + 3 * u * u * t * pt1[0] + 3 * u * t * t * pt2[0] + t ** 3 * pt3[0],
                                 u ** 3 * p0[1] + 3 * u * u * t * pt1[1] + 3 * u * t * t * pt2[1] + t ** 3 * pt3[1]))

    def _closePath(self):
        if len(self.current) >= 3:
            self.contours.append(self.current)
        self.current = []

    _endPath = _closePath


def clip(subject, clip_paths, operation):
    """One Clipper boolean with non-zero filling on both operands."""
    pc = pyclipper.Pyclipper()
    if subject:
        pc.AddPaths(subject, pyclipper.PT_SUBJECT, True)
    if clip_paths:
        pc.AddPaths(clip_paths, pyclipper.PT_CLIP, True)
    if not subject:
        return []
    return pc.Execute(operation, pyclipper.PFT_NONZERO, pyclipper.PFT_NONZERO)


def union(*groups):
    paths = [p for g in groups for p in g]
    return clip(paths, [], pyclipper.CT_UNION) if paths else []


def difference(a, b):
    return clip(a, b, pyclipper.CT_DIFFERENCE) if b else union(a)


def intersection(a, b):
    return clip(a, b, pyclipper.CT_INTERSECTION)


def outline_only(paths):
    """The filled area with every hole closed: the piece's silhouette."""
    pc = pyclipper.Pyclipper()
    pc.AddPaths(paths, pyclipper.PT_SUBJECT, True)
    tree = pc.Execute2(pyclipper.CT_UNION, pyclipper.PFT_NONZERO, pyclipper.PFT_NONZERO)
    return union([child.Contour for child in tree.Childs])


def grow(paths, distance):
    off = pyclipper.PyclipperOffset()
    off.AddPaths(paths, pyclipper.JT_ROUND, pyclipper.ET_CLOSEDPOLYGON)
    return union(off.Execute(distance * PREC))


def rect(x0, y0, x1, y1):
    return [[(x0 * PREC, y0 * PREC), (x1 * PREC, y0 * PREC), (x1 * PREC, y1 * PREC), (x0 * PREC, y1 * PREC)]]


def hatching(lines_per_cell):
    """Stripes along x - y = const: diagonal neighbours (the only dark squares
    that touch) continue each other's lines because their offset keeps x - y,
    or changes it by a multiple of the period."""
    period = EM / lines_per_cell
    width = period * 0.42
    stripes = []
    k = -lines_per_cell - 1
    while k * period < EM + period:
        c0 = k * period
        c1 = c0 + width
        # the band c0 <= x - y <= c1, long enough to cover the cell
        stripes.append([(int((c0 - EM) * PREC), int(-EM * PREC)), (int((c1 - EM) * PREC), int(-EM * PREC)),
                        (int((c1 + 2 * EM) * PREC), int(2 * EM * PREC)), (int((c0 + 2 * EM) * PREC), int(2 * EM * PREC))])
        k += 1
    return intersection(stripes, rect(0, 0, EM, EM))


def load_symbol(font, code):
    glyph_set = font.getGlyphSet()
    name = font.getBestCmap()[code]
    pen = FlattenPen(glyph_set)
    glyph_set[name].draw(pen)
    return pen.contours


def place_pieces(source_path, margin):
    """Both colours of the six symbols, scaled by one factor so their relative
    sizes survive, standing on one base line and centred in the cell."""
    font = TTFont(source_path)
    raw = {}
    for kind in range(6):
        raw[("w", kind)] = load_symbol(font, WHITE_SYMBOL + kind)
        raw[("b", kind)] = load_symbol(font, BLACK_SYMBOL + kind)

    def bounds(contours):
        xs = [p[0] for c in contours for p in c]
        ys = [p[1] for c in contours for p in c]
        return min(xs), min(ys), max(xs), max(ys)

    boxes = {key: bounds(c) for key, c in raw.items()}
    largest = max(max(b[2] - b[0], b[3] - b[1]) for b in boxes.values())
    scale = (EM - 2 * margin) / largest
    tallest = max(b[3] - b[1] for b in boxes.values()) * scale
    base = (EM - tallest) / 2

    placed = {}
    for kind in range(6):
        # Both colours share the white symbol's box so they stand on the same spot.
        x0, y0, x1, y1 = boxes[("w", kind)]
        dx = EM / 2 - (x0 + x1) / 2 * scale
        dy = base - y0 * scale
        for colour in "wb":
            paths = [[(round((x * scale + dx) * PREC), round((y * scale + dy) * PREC)) for x, y in c]
                     for c in raw[(colour, kind)]]
            placed[(colour, kind)] = union(paths)
    return placed


def frame_parts(style):
    """Frame glyph outlines keyed by part. The board touches each frame cell on
    one side; lines lie against that side. Single lines reach one line width
    past their cell so the blank corners of the single style close up."""
    parts = {}
    if style == "single":
        t = 110
        parts["left"] = rect(EM - t, -t, EM, EM + t)
        parts["right"] = rect(0, -t, t, EM + t)
        parts["top"] = rect(0, 0, EM, t)
        parts["bottom"] = rect(0, EM - t, EM, EM)
        return parts
    thick, gap, thin = 120, 110, 50
    d0, d1 = thick + gap, thick + gap + thin
    parts["left"] = union(rect(EM - thick, 0, EM, EM), rect(EM - d1, 0, EM - d0, EM))
    parts["right"] = union(rect(0, 0, thick, EM), rect(d0, 0, d1, EM))
    parts["top"] = union(rect(0, 0, EM, thick), rect(0, d0, EM, d1))
    parts["bottom"] = union(rect(0, EM - thick, EM, EM), rect(0, EM - d1, EM, EM - d0))
    # Corners join the two lines of each edge.
    parts["top_left"] = union(rect(EM - thick, 0, EM, thick), rect(EM - d1, 0, EM - d0, d1), rect(EM - d1, d0, EM, d1))
    parts["top_right"] = union(rect(0, 0, thick, thick), rect(d0, 0, d1, d1), rect(0, d0, d1, d1))
    parts["bottom_left"] = union(rect(EM - thick, EM - thick, EM, EM), rect(EM - d1, EM - d1, EM - d0, EM),
                                 rect(EM - d1, EM - d1, EM, EM - d0))
    parts["bottom_right"] = union(rect(0, EM - thick, thick, EM), rect(d0, EM - d1, d1, EM), rect(0, EM - d1, d1, EM - d0))
    return parts


def to_glyph(paths):
    """TrueType wants outer contours clockwise; Clipper returns them the other way."""
    pen = TTGlyphPen(None)
    for path in paths:
        pts = [(round(x / PREC), round(y / PREC)) for x, y in reversed(path)]
        cleaned = [p for i, p in enumerate(pts) if p != pts[i - 1]]
        if len(cleaned) < 3:
            continue
        pen.moveTo(cleaned[0])
        for p in cleaned[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def glyph_name(ch):
    return "uni%04X" % ord(ch)


def build_face(face, out_dir):
    margin = 150
    halo = 75
    pieces = place_pieces(face["source"], margin)
    hatch = hatching(face["hatch_lines"])

    outlines = {}  # character -> polygons
    for kind in range(6):
        silhouette = outline_only(union(pieces[("w", kind)], pieces[("b", kind)]))
        clear = grow(silhouette, halo)
        for colour in "wb":
            dark, light = face["pieces"][(colour, kind)]
            outlines[light] = pieces[(colour, kind)]
            outlines[dark] = union(difference(hatch, clear), pieces[(colour, kind)])
    outlines[face["dark_empty"]] = hatch
    outlines[face["light_empty"]] = []
    outlines[" "] = []
    frame = frame_parts(face["frame"])
    for part, ch in face["frame_chars"].items():
        outlines[ch] = frame[part]
    for part, ch in face["corner_chars"].items():
        outlines[ch] = frame[part]

    notdef_pen = TTGlyphPen(None)
    for (x0, y0, x1, y1), clockwise in (((200, 200, EM - 200, EM - 200), True), ((300, 300, EM - 300, EM - 300), False)):
        pts = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
        if not clockwise:
            pts.reverse()
        notdef_pen.moveTo(pts[0])
        for p in pts[1:]:
            notdef_pen.lineTo(p)
        notdef_pen.closePath()

    chars = sorted(outlines)
    order = [".notdef"] + [glyph_name(c) for c in chars]
    glyphs = {".notdef": notdef_pen.glyph()}
    for c in chars:
        glyphs[glyph_name(c)] = to_glyph(outlines[c])

    fb = FontBuilder(EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({ord(c): glyph_name(c) for c in chars})
    fb.setupGlyf(glyphs)
    metrics = {}
    for name in order:
        g = fb.font["glyf"][name]
        g.recalcBounds(fb.font["glyf"])
        metrics[name] = (EM, getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=EM, descent=0)
    fb.setupNameTable({
        "familyName": face["family"],
        "styleName": "Regular",
        "uniqueFontIdentifier": face["family"] + " generated",
        "fullName": face["family"],
        "psName": face["family"].replace(" ", "") + "-Regular",
        "version": "Version 1.0",
        "copyright": "Generated by tools/make_fonts.py from " + os.path.basename(face["source"]),
    })
    fb.setupOS2(sTypoAscender=EM, sTypoDescender=0, sTypoLineGap=0,
                usWinAscent=EM, usWinDescent=0, xAvgCharWidth=EM,
                fsType=0, achVendID="KLVO", fsSelection=0x40 | 0x80, version=4)
    fb.setupPost(isFixedPitch=1)
    fb.font["head"].flags |= 1 << 3  # integer scaling: cells stay whole pixels
    # A fixed date keeps the build reproducible.
    fb.font["head"].created = fb.font["head"].modified = 0
    out = os.path.join(out_dir, face["file"])
    tmp = out + ".tmp"
    fb.save(tmp)
    os.replace(tmp, out)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_fonts.py OUTPUT_DIR\n")
        return 2
    os.makedirs(argv[1], exist_ok=True)
    for face in FACES:
        build_face(face, argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
