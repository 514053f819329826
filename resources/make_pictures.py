#!/usr/bin/python3
"""Draws Vandrel's pictures: the two circuit diagrams, the window icons, the
About window's logo and its separator line.

The generated files are committed; this script is only needed to change them.
Regenerate from the top of the source tree with Debian's Python and Pillow:

    apt-get install python3-pil fonts-dejavu-core
    /usr/bin/python3 resources/make_pictures.py

The output depends only on this script, Pillow and the DejaVu fonts, so running
it twice gives the same files.
"""

import math
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# The five colours of the circuit diagrams.
BACKGROUND = (0xE0, 0xE0, 0xE0)
INK = (0x00, 0x84, 0xDE)        # wires, symbols, values, labels, captions
DESIGNATOR = (0xDE, 0x5A, 0x00)  # R1, R3, R4 and the two C
OPAMP_FILL = (0xFF, 0xFF, 0xEF)
SIGN = (0xBD, 0x00, 0x21)       # the - and + at the op-amp inputs
DIAGRAM_COLOURS = [BACKGROUND, INK, DESIGNATOR, OPAMP_FILL, SIGN]

DIAGRAM_SIZE = (395, 197)

# Icon colours.
ICON_BLUE = (0x00, 0x83, 0xD7)
ICON_RED = (0xFF, 0x33, 0x00)


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


# ---------------------------------------------------------------------------
# Circuit diagrams
# ---------------------------------------------------------------------------

# Rows and columns of the schematic, in pixels.
Y_TOP_WIRE = 14     # R3 to the high-pass op-amp's output
Y_GROUND = 170      # ground wire along the bottom
Y_CAPTION = 184     # centre line of the stage captions
Y_SHUNT = 145       # middle of the resistors down to ground

Y_IN = 116          # input wire = buffer's non-inverting input
OPAMP1 = dict(left=110, tip=164, centre=104)   # input buffer
X_INV1 = 100        # vertical wire of the buffer's inverting input
X_OUT1 = 176        # buffer output node (feedback returns here)
Y_FB_C = 24         # feedback capacitor branch
Y_FB_R = 50         # feedback resistor branch (plain wire without gain)

OPAMP2 = dict(left=266, tip=320, centre=92)    # Sallen-Key op-amp
X_C1 = 192
X_JUNCTION = 212    # between the two C, R3 goes up from here
X_C2 = 230
X_R4 = 250
X_INV2 = 256
Y_TIE2 = 38         # inverting input tied to the output over the top
X_OUT2 = 332
X_OUT = 382         # output connector

# Everything right of this column is the same in both diagrams.
COMMON_FROM_X = X_OUT1 + 4


class Schematic:
    def __init__(self, size):
        self.im = Image.new("RGB", size, BACKGROUND)
        self.d = ImageDraw.Draw(self.im)
        self.d.fontmode = "1"   # no anti-aliasing: only the five colours
        self.value_font = font(10)
        self.small_font = font(10)
        self.designator_font = font(10, bold=True)
        self.caption_font = font(10)

    def wire(self, *points):
        self.d.line(points, fill=INK, width=1)

    def dot(self, x, y):
        self.d.ellipse((x - 2, y - 2, x + 2, y + 2), fill=INK)

    def text(self, xy, s, anchor, fnt=None, fill=INK):
        self.d.text(xy, s, font=fnt or self.value_font, fill=fill,
                    anchor=anchor)

    def ring(self, x, y, r):
        self.d.ellipse((x - r, y - r, x + r, y + r), outline=INK)

    def connector(self, x, y, label):
        """Ring with a centre dot; the label above it."""
        self.ring(x, y, 5)
        self.d.rectangle((x - 1, y - 1, x + 1, y + 1), fill=INK)
        self.text((x, y - 8), label, "ms")

    def resistor_h(self, x0, x1, y, body=24):
        mid = (x0 + x1) // 2
        a, b = mid - body // 2, mid + body // 2
        self.wire((x0, y), (a, y))
        self.wire((b, y), (x1, y))
        pts = [(a, y)]
        step = body / 6
        for i in range(6):
            pts.append((round(a + step * (i + 0.5)), y + (-3 if i % 2 == 0 else 3)))
        pts.append((b, y))
        self.wire(*pts)
        return mid

    def resistor_v(self, x, y0, y1, body=24, mid=None):
        if mid is None:
            mid = (y0 + y1) // 2
        a, b = mid - body // 2, mid + body // 2
        self.wire((x, y0), (x, a))
        self.wire((x, b), (x, y1))
        pts = [(x, a)]
        step = body / 6
        for i in range(6):
            pts.append((x + (3 if i % 2 == 0 else -3), round(a + step * (i + 0.5))))
        pts.append((x, b))
        self.wire(*pts)
        return mid

    def capacitor_h(self, x0, x1, y, xc):
        """Two vertical plates at xc in a horizontal wire."""
        self.wire((x0, y), (xc - 2, y))
        self.wire((xc + 2, y), (x1, y))
        for px in (xc - 3, xc + 2):
            self.d.rectangle((px, y - 6, px + 1, y + 6), fill=INK)

    def opamp(self, left, tip, centre, feed_labels=True):
        half = (tip - left) * 30 // 54
        top, bottom = centre - half, centre + half
        self.d.polygon([(left, top), (left, bottom), (tip, centre)],
                       fill=OPAMP_FILL, outline=INK)
        y_minus, y_plus = centre - 12, centre + 12
        # - and + marks inside the triangle at the inputs.
        self.d.line(((left + 3, y_minus), (left + 7, y_minus)), fill=SIGN)
        self.d.line(((left + 3, y_plus), (left + 7, y_plus)), fill=SIGN)
        self.d.line(((left + 5, y_plus - 2), (left + 5, y_plus + 2)), fill=SIGN)
        self.text((left + 10, centre), "TL072", "lm", self.small_font)
        # Supply pins: short leads to small rings, labels beside them.
        xs = left + 22
        slope = (bottom - centre) / (tip - left)
        y_edge_top = round(top + slope * (xs - left))
        y_edge_bottom = round(bottom - slope * (xs - left))
        y_ring_top, y_ring_bottom = top - 8, bottom + 8
        self.wire((xs, y_edge_top), (xs, y_ring_top + 3))
        self.wire((xs, y_edge_bottom), (xs, y_ring_bottom - 3))
        self.ring(xs, y_ring_top, 3)
        self.ring(xs, y_ring_bottom, 3)
        self.text((xs + 6, y_ring_top), "+15V", "lm", self.small_font)
        self.text((xs + 6, y_ring_bottom), "-15V", "lm", self.small_font)
        return y_minus, y_plus


def draw_circuit(with_gain):
    s = Schematic(DIAGRAM_SIZE)
    w = s.wire

    # Input connector; its shield goes down to the ground wire, which runs
    # along the bottom to the output connector's shield.
    x_in = 12
    s.connector(x_in, Y_IN, "IN")
    w((x_in, Y_IN + 5), (x_in, Y_GROUND))
    w((x_in, Y_GROUND), (X_OUT, Y_GROUND))

    # Coupling capacitor and the 47k to ground.
    x_node = 58
    s.capacitor_h(x_in + 1, x_node, Y_IN, 36)
    s.text((36, Y_IN + 9), "1.0uf", "mt")
    s.dot(x_node, Y_IN)
    s.resistor_v(x_node, Y_IN, Y_GROUND, mid=Y_SHUNT)
    s.dot(x_node, Y_GROUND)
    s.text((x_node + 6, Y_SHUNT), "47k", "lm")

    # Input buffer.
    y_minus, y_plus = s.opamp(**OPAMP1)
    left1, tip1, centre1 = OPAMP1["left"], OPAMP1["tip"], OPAMP1["centre"]
    assert y_plus == Y_IN
    w((tip1, centre1), (X_OUT1, centre1))
    s.dot(X_OUT1, centre1)
    w((X_INV1, y_minus), (left1, y_minus))

    if with_gain:
        # Input wire hops over the inverting input's wire down to R1.
        w((x_node, Y_IN), (X_INV1 - 5, Y_IN))
        s.d.arc((X_INV1 - 5, Y_IN - 5, X_INV1 + 5, Y_IN + 5), 180, 360, fill=INK)
        w((X_INV1 + 5, Y_IN), (left1, Y_IN))
        # 15k in parallel with 0.01uf from the output back to the inverting
        # input; R1 from the inverting input to ground.
        w((X_INV1, Y_FB_C), (X_INV1, y_minus))
        w((X_OUT1, Y_FB_C), (X_OUT1, centre1))
        x_mid = (X_INV1 + X_OUT1) // 2
        s.capacitor_h(X_INV1, X_OUT1, Y_FB_C, x_mid)
        s.text((x_mid, Y_FB_C - 9), "0.01uf", "ms")
        s.resistor_h(X_INV1, X_OUT1, Y_FB_R)
        s.text((x_mid, Y_FB_R - 6), "15k", "ms")
        s.dot(X_INV1, Y_FB_R)
        s.dot(X_OUT1, Y_FB_R)
        s.dot(X_INV1, y_minus)
        s.resistor_v(X_INV1, y_minus, Y_GROUND, mid=Y_SHUNT)
        s.dot(X_INV1, Y_GROUND)
        s.text((X_INV1 + 6, Y_SHUNT), "R1", "lm", s.designator_font, DESIGNATOR)
        caption = "Input Buffer with gain"
    else:
        # Follower: inverting input straight to the output over the top.
        w((x_node, Y_IN), (left1, Y_IN))
        w((X_INV1, y_minus), (X_INV1, Y_FB_R), (X_OUT1, Y_FB_R),
          (X_OUT1, centre1))
        caption = "Input Buffer"
    s.text((95, Y_CAPTION), caption, "mm", s.caption_font)

    # High-pass stage: C, C in series, R3 from their junction up to the top
    # wire that returns from the output, R4 to ground.
    left2, tip2, centre2 = OPAMP2["left"], OPAMP2["tip"], OPAMP2["centre"]
    y_sig = centre1
    s.capacitor_h(X_OUT1, X_JUNCTION, y_sig, X_C1)
    s.capacitor_h(X_JUNCTION, X_R4, y_sig, X_C2)
    s.text((X_C1, y_sig - 9), "C", "ms", s.designator_font, DESIGNATOR)
    s.text((X_C2, y_sig - 9), "C", "ms", s.designator_font, DESIGNATOR)
    s.dot(X_JUNCTION, y_sig)
    s.resistor_v(X_JUNCTION, Y_TOP_WIRE, y_sig)
    s.text((X_JUNCTION + 6, (Y_TOP_WIRE + y_sig) // 2), "R3", "lm",
           s.designator_font, DESIGNATOR)
    w((X_JUNCTION, Y_TOP_WIRE), (X_OUT2, Y_TOP_WIRE), (X_OUT2, centre2))

    y_minus2, y_plus2 = s.opamp(**OPAMP2)
    assert y_plus2 == y_sig
    w((X_R4, y_sig), (left2, y_sig))
    s.dot(X_R4, y_sig)
    s.resistor_v(X_R4, y_sig, Y_GROUND, mid=Y_SHUNT)
    s.dot(X_R4, Y_GROUND)
    s.text((X_R4 - 6, Y_SHUNT), "R4", "rm", s.designator_font, DESIGNATOR)
    # Unity gain: inverting input tied to the output.
    w((left2, y_minus2), (X_INV2, y_minus2), (X_INV2, Y_TIE2), (X_OUT2, Y_TIE2))
    s.dot(X_OUT2, Y_TIE2)
    w((tip2, centre2), (X_OUT2, centre2))
    s.dot(X_OUT2, centre2)
    s.text(((X_C1 + tip2) // 2, Y_CAPTION), "High-Pass", "mm", s.caption_font)

    # Series 200 ohm to the output connector.
    x_r = s.resistor_h(X_OUT2, X_OUT, centre2, body=20)
    s.text((x_r, centre2 + 6), "200", "mt")
    s.connector(X_OUT, centre2, "OUT")
    w((X_OUT, centre2 + 5), (X_OUT, Y_GROUND))
    return s.im


def save_indexed_gif(im, colours, path):
    """Saves an RGB picture as a GIF with a full 256-entry colour table whose
    first entries are `colours`; fails if any other colour was drawn."""
    used = {c for _, c in im.getcolors(maxcolors=1 << 16)}
    extra = used - set(colours)
    assert not extra, f"{path}: unexpected colours {sorted(extra)}"
    index = {c: i for i, c in enumerate(colours)}
    out = Image.new("P", im.size)
    out.putdata([index[c] for c in im.getdata()])
    table = [v for c in colours for v in c]
    table += list(colours[0]) * (256 - len(colours))
    out.putpalette(table)
    out.save(path, format="GIF", optimize=False)
    with open(path, "rb") as f:
        header = f.read(13)
    assert header[10] & 0x87 == 0x87, f"{path}: colour table is not 256 entries"


# ---------------------------------------------------------------------------
# Icons and the About pictures
# ---------------------------------------------------------------------------

SUPER = 8  # supersampling factor for the smooth strokes of the icons


def stroke_mask(size, draw_fn):
    """Coverage mask (mode L) of strokes drawn by draw_fn at SUPER x scale."""
    big = Image.new("L", (size[0] * SUPER, size[1] * SUPER), 0)
    draw_fn(ImageDraw.Draw(big), SUPER)
    return big.resize(size, Image.BOX)


def layer(size, colour, mask):
    """Solid colour whose alpha is the mask: the strokes keep their exact
    colour and only fade at their edges."""
    im = Image.new("RGBA", size, colour + (0,))
    im.putalpha(mask)
    return im


def polyline(d, pts, k, width):
    scaled = [(x * k, y * k) for x, y in pts]
    d.line(scaled, fill=255, width=round(width * k), joint="curve")
    r = width * k / 2
    for x, y in (scaled[0], scaled[-1]):
        d.ellipse((x - r, y - r, x + r, y + r), fill=255)


def bump_curve(x0, x1, y_base, y_peak, n=64):
    """Rises from the lower left, peaks in the middle, falls to the right."""
    pts = []
    for i in range(n + 1):
        t = i / n
        x = x0 + (x1 - x0) * t
        h = math.sin(math.pi * t) ** 2
        pts.append((x, y_base + (y_peak - y_base) * h))
    return pts


def main_icon():
    size = (32, 32)
    curve = stroke_mask(size, lambda d, k: polyline(
        d, bump_curve(3, 29, 27, 6), k, 2.6))
    line = stroke_mask(size, lambda d, k: polyline(
        d, [(2.5, 15.5), (29.5, 15.5)], k, 2.4))
    im = Image.new("RGBA", size, (0, 0, 0, 0))
    im = Image.alpha_composite(im, layer(size, ICON_BLUE, curve))
    im = Image.alpha_composite(im, layer(size, ICON_RED, line))
    return im


def about_icon():
    """A blue ring with an orange-red "i" in it."""
    size = (32, 32)

    def ring(d, k):
        c, r, w = 16 * k, 13.2 * k, 2.6 * k
        d.ellipse((c - r, c - r, c + r, c + r), outline=255, width=round(w))

    def letter_i(d, k):
        r = 2.0 * k
        d.ellipse((16 * k - r, 9.5 * k - r, 16 * k + r, 9.5 * k + r), fill=255)
        d.rounded_rectangle((14.2 * k, 13.5 * k, 17.8 * k, 24 * k),
                            radius=round(1.2 * k), fill=255)

    face = stroke_mask(size, lambda d, k: d.ellipse(
        (3.5 * k, 3.5 * k, 28.5 * k, 28.5 * k), fill=255))
    im = Image.new("RGBA", size, (0, 0, 0, 0))
    im = Image.alpha_composite(im, layer(size, (0xFF, 0xFF, 0xFF), face))
    im = Image.alpha_composite(im, layer(size, ICON_BLUE, stroke_mask(size, ring)))
    im = Image.alpha_composite(im, layer(size, ICON_RED, stroke_mask(size, letter_i)))
    return im


def logo():
    """Magnitude response of a slightly peaking high-pass on a light
    background: the rising curve, the passband level (blue) and the -3 dB
    level (red)."""
    size = (81, 81)
    paper = (0xF7, 0xF7, 0xF2)
    frame = (0xA0, 0xA0, 0xA0)
    grid = (0xDC, 0xDC, 0xD4)
    blue, red = (0x37, 0x6A, 0xF0), (0xE0, 0x20, 0x10)

    k = SUPER
    big = Image.new("RGB", (size[0] * k, size[1] * k), paper)
    d = ImageDraw.Draw(big)
    for gx in (20, 40, 60):
        d.line(((gx * k, 6 * k), (gx * k, 74 * k)), fill=grid, width=k)
    for gy in (20, 40, 60):
        d.line(((6 * k, gy * k), (74 * k, gy * k)), fill=grid, width=k)
    d.rectangle((3 * k, 3 * k, 77 * k, 77 * k), outline=frame, width=k)

    # Second-order high-pass with Q = 1, 30 px per decade across. The dB
    # scale is stretched near 0 dB so the peak and the -3 dB level (red)
    # stand apart from the passband level (blue).
    y_pass, q = 22, 1.0

    def y_of_db(db):
        return y_pass + 16 * math.asinh(-db / 4)

    y_3db = y_of_db(-3)
    d.line(((7 * k, y_pass * k), (74 * k, y_pass * k)), fill=blue, width=k)
    d.line(((7 * k, y_3db * k), (74 * k, y_3db * k)), fill=red, width=k)
    pts = []
    for i in range(201):
        x = 8 + 65 * i / 200
        f = 10 ** ((x - 40) / 30)          # f / f0
        mag = f * f / math.sqrt((1 - f * f) ** 2 + (f / q) ** 2)
        y = y_of_db(20 * math.log10(mag))
        if y <= 73:
            pts.append((x * k, y * k))
    d.line(pts, fill=blue, width=round(2.6 * k), joint="curve")
    small = big.resize(size, Image.BOX)
    return small.quantize(colors=64, method=Image.Quantize.MEDIANCUT,
                          dither=Image.Dither.NONE)


def separator():
    grey, white = (128, 128, 128), (255, 255, 255)
    im = Image.new("RGB", (748, 2), white)
    ImageDraw.Draw(im).line(((0, 0), (747, 0)), fill=grey)
    return im, [grey, white]


def main():
    for sub in ("circuit", "icons", "about"):
        os.makedirs(os.path.join(HERE, sub), exist_ok=True)
    gain, nogain = draw_circuit(True), draw_circuit(False)
    box = (COMMON_FROM_X, 0) + DIAGRAM_SIZE
    assert gain.crop(box).tobytes() == nogain.crop(box).tobytes(), \
        "the high-pass stages of the two diagrams differ"
    save_indexed_gif(gain, DIAGRAM_COLOURS,
                     os.path.join(HERE, "circuit", "gain.gif"))
    save_indexed_gif(nogain, DIAGRAM_COLOURS,
                     os.path.join(HERE, "circuit", "nogain.gif"))
    main_icon().save(os.path.join(HERE, "icons", "vandrel.png"), optimize=True)
    about_icon().save(os.path.join(HERE, "icons", "about.png"), optimize=True)
    logo().save(os.path.join(HERE, "about", "logo.gif"), optimize=False)
    sep, colours = separator()
    save_indexed_gif(sep, colours, os.path.join(HERE, "about", "separator.gif"))


if __name__ == "__main__":
    main()
