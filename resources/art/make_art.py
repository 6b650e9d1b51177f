#!/usr/bin/env python3
"""Draws every picture Quillobrante ships with.

    python3 resources/art/make_art.py --out DIR

writes
    DIR/data/*.bmp            bitmaps compiled into the resource DLL
    DIR/Data/<THEME>/...      one folder per theme (background, tab, buttons,
                              default program picture, drive icon, Theme.ini)
    DIR/app.ico               the program's own icon
    DIR/sample.ico            the demo drive's sample programs' icon

Everything is drawn from code (signed-distance shapes with analytic
anti-aliasing) using only the standard library, so the output is the same
byte for byte on every run and nobody needs an image editor to change it.
"""

import argparse
import math
import os
import struct

TAU = 2.0 * math.pi
MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------- colours

def mix(c0, c1, t):
    """Linear blend of two colours (3 or 4 channels)."""
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def shade(c, k):
    """k > 0 lightens towards white, k < 0 darkens towards black."""
    if k >= 0:
        return mix(c[:3], WHITE, k) + tuple(c[3:])
    return tuple(v * (1.0 + k) for v in c[:3]) + tuple(c[3:])


def rgba(c, a):
    return (c[0], c[1], c[2], a)


def smoothstep(e0, e1, x):
    t = (x - e0) / (e1 - e0)
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return t * t * (3.0 - 2.0 * t)


# ---------------------------------------------------------------- paints
# A paint is a constant colour or a function (x, y) -> colour; an optional
# fourth channel is opacity 0..1.

def _stops_lookup(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 1.0)
    return stops[-1][1]


def linear(x0, y0, x1, y1, stops):
    dx, dy = x1 - x0, y1 - y0
    k = 1.0 / (dx * dx + dy * dy)

    def paint(x, y):
        return _stops_lookup(stops, ((x - x0) * dx + (y - y0) * dy) * k)
    return paint


def radial(cx, cy, r, stops, sy=1.0):
    def paint(x, y):
        return _stops_lookup(stops, math.hypot(x - cx, (y - cy) / sy) / r)
    return paint


# ---------------------------------------------------------------- shapes
# A shape is a signed distance function in pixels (negative inside) plus a
# bounding box; painting turns the distance into coverage, which gives
# clean anti-aliased edges without supersampling.

BIG = 1.0e9


class Shape:
    __slots__ = ("f", "bb")

    def __init__(self, f, bb):
        self.f = f
        self.bb = bb

    def __or__(self, o):
        f1, f2 = self.f, o.f
        a, b = self.bb, o.bb
        return Shape(lambda x, y: min(f1(x, y), f2(x, y)),
                     (min(a[0], b[0]), min(a[1], b[1]),
                      max(a[2], b[2]), max(a[3], b[3])))

    def __and__(self, o):
        f1, f2 = self.f, o.f
        a, b = self.bb, o.bb
        return Shape(lambda x, y: max(f1(x, y), f2(x, y)),
                     (max(a[0], b[0]), max(a[1], b[1]),
                      min(a[2], b[2]), min(a[3], b[3])))

    def __sub__(self, o):
        f1, f2 = self.f, o.f
        return Shape(lambda x, y: max(f1(x, y), -f2(x, y)), self.bb)

    def grow(self, r):
        f = self.f
        a = self.bb
        return Shape(lambda x, y: f(x, y) - r,
                     (a[0] - r, a[1] - r, a[2] + r, a[3] + r))

    def ring(self, w):
        """A band of width w centred on the outline."""
        f = self.f
        h = w * 0.5
        a = self.bb
        return Shape(lambda x, y: abs(f(x, y)) - h,
                     (a[0] - h, a[1] - h, a[2] + h, a[3] + h))

    def inner_ring(self, w):
        """A band of width w just inside the outline."""
        return self.grow(-w * 0.5).ring(w)

    def moved(self, dx, dy):
        f = self.f
        a = self.bb
        return Shape(lambda x, y: f(x - dx, y - dy),
                     (a[0] + dx, a[1] + dy, a[2] + dx, a[3] + dy))

    def placed(self, ox, oy, angle=0.0, scale=1.0):
        """Maps local coordinates into the picture: rotate, scale, move."""
        f = self.f
        c, s = math.cos(angle), math.sin(angle)
        inv = 1.0 / scale

        def g(x, y):
            px, py = (x - ox) * inv, (y - oy) * inv
            return f(px * c + py * s, -px * s + py * c) * scale
        a = self.bb
        xs, ys = [], []
        for lx, ly in ((a[0], a[1]), (a[2], a[1]), (a[0], a[3]), (a[2], a[3])):
            xs.append(ox + (lx * c - ly * s) * scale)
            ys.append(oy + (lx * s + ly * c) * scale)
        return Shape(g, (min(xs), min(ys), max(xs), max(ys)))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r,
                 (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    def f(x, y):
        dx, dy = (x - cx) / rx, (y - cy) / ry
        k = math.hypot(dx, dy)
        if k < 1e-9:
            return -min(rx, ry)
        g = math.hypot(dx / rx, dy / ry) / k
        return (k - 1.0) / g
    return Shape(f, (cx - rx, cy - ry, cx + rx, cy + ry))


def rbox(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) * 0.5, (y0 + y1) * 0.5
    hx, hy = (x1 - x0) * 0.5 - r, (y1 - y0) * 0.5 - r

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        out = math.hypot(qx if qx > 0 else 0.0, qy if qy > 0 else 0.0)
        return out + min(max(qx, qy), 0.0) - r
    return Shape(f, (x0, y0, x1, y1))


def halfplane(nx, ny, c):
    """Inside where nx*x + ny*y < c (n need not be normalised)."""
    k = 1.0 / math.hypot(nx, ny)
    return Shape(lambda x, y: (nx * x + ny * y - c) * k, (-BIG, -BIG, BIG, BIG))


def _seg_d2(x, y, ax, ay, ex, ey, inv_len2):
    wx, wy = x - ax, y - ay
    t = (wx * ex + wy * ey) * inv_len2
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    dx, dy = wx - ex * t, wy - ey * t
    return dx * dx + dy * dy


def poly(pts):
    pts = [(float(a), float(b)) for a, b in pts]
    edges = []
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        l2 = ex * ex + ey * ey
        edges.append((ax, ay, bx, by, ex, ey, 1.0 / l2 if l2 else 0.0))

    def f(x, y):
        d = BIG
        inside = False
        for ax, ay, bx, by, ex, ey, il in edges:
            dd = _seg_d2(x, y, ax, ay, ex, ey, il)
            if dd < d:
                d = dd
            if (ay > y) != (by > y):
                if x < ex * (y - ay) / ey + ax:
                    inside = not inside
        d = math.sqrt(d)
        return -d if inside else d
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(f, (min(xs), min(ys), max(xs), max(ys)))


def strokes(items, w):
    """Round-capped pen strokes of width w.

    items: ('L', x0, y0, x1, y1) straight line, or
           ('A', cx, cy, r, a0, a1) arc from angle a0 to a1 (radians, a0 < a1,
           measured the way the picture's y axis points)."""
    lines, arcs, pts = [], [], []
    for it in items:
        if it[0] == "L":
            _, ax, ay, bx, by = it
            ex, ey = bx - ax, by - ay
            l2 = ex * ex + ey * ey
            lines.append((ax, ay, ex, ey, 1.0 / l2 if l2 else 0.0))
            pts += [(ax, ay), (bx, by)]
        else:
            _, cx, cy, r, a0, a1 = it
            span = a1 - a0
            e0 = (cx + r * math.cos(a0), cy + r * math.sin(a0))
            e1 = (cx + r * math.cos(a1), cy + r * math.sin(a1))
            arcs.append((cx, cy, r, a0, span, e0, e1))
            pts += [(cx - r, cy - r), (cx + r, cy + r)]
    h = w * 0.5

    def f(x, y):
        d2 = BIG
        for ax, ay, ex, ey, il in lines:
            dd = _seg_d2(x, y, ax, ay, ex, ey, il)
            if dd < d2:
                d2 = dd
        d = math.sqrt(d2)
        for cx, cy, r, a0, span, e0, e1 in arcs:
            dx, dy = x - cx, y - cy
            if span >= TAU - 1e-9 or (math.atan2(dy, dx) - a0) % TAU <= span:
                dd = abs(math.hypot(dx, dy) - r)
            else:
                dd = min(math.hypot(x - e0[0], y - e0[1]),
                         math.hypot(x - e1[0], y - e1[1]))
            if dd < d:
                d = dd
        return d - h
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(f, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))


def seg(ax, ay, bx, by, w):
    return strokes([("L", ax, ay, bx, by)], w)


# ---------------------------------------------------------------- canvas

class Canvas:
    """Premultiplied RGBA, channels 0..255, alpha 0..1."""

    def __init__(self, w, h, color=None):
        self.w, self.h = w, h
        n = w * h
        if color is None:
            self.r = [0.0] * n
            self.g = [0.0] * n
            self.b = [0.0] * n
            self.a = [0.0] * n
        else:
            self.r = [float(color[0])] * n
            self.g = [float(color[1])] * n
            self.b = [float(color[2])] * n
            self.a = [1.0] * n

    def copy(self):
        c = Canvas(self.w, self.h)
        c.r, c.g, c.b, c.a = self.r[:], self.g[:], self.b[:], self.a[:]
        return c

    def crop(self, x0, y0, w, h):
        c = Canvas(w, h)
        for y in range(h):
            s = (y0 + y) * self.w + x0
            d = y * w
            c.r[d:d + w] = self.r[s:s + w]
            c.g[d:d + w] = self.g[s:s + w]
            c.b[d:d + w] = self.b[s:s + w]
            c.a[d:d + w] = self.a[s:s + w]
        return c

    def paint(self, shape, fill, blur=0.0, opacity=1.0):
        """Composites fill over the picture wherever shape covers it.

        blur widens the anti-aliasing ramp, which makes soft shadows and
        glows out of ordinary shapes."""
        bb = shape.bb
        pad = blur + 1.0
        x0 = max(0, int(math.floor(bb[0] - pad)))
        y0 = max(0, int(math.floor(bb[1] - pad)))
        x1 = min(self.w, int(math.ceil(bb[2] + pad)))
        y1 = min(self.h, int(math.ceil(bb[3] + pad)))
        f = shape.f
        func = callable(fill)
        if not func:
            cr, cg, cb = fill[0], fill[1], fill[2]
            ca = fill[3] if len(fill) > 3 else 1.0
        inv_blur = 1.0 / blur if blur > 0 else 1.0
        R, G, B, A = self.r, self.g, self.b, self.a
        w = self.w
        for y in range(y0, y1):
            py = y + 0.5
            row = y * w
            for x in range(x0, x1):
                px = x + 0.5
                cov = 0.5 - f(px, py) * inv_blur
                if cov <= 0.0:
                    continue
                if cov > 1.0:
                    cov = 1.0
                if func:
                    c = fill(px, py)
                    cr, cg, cb = c[0], c[1], c[2]
                    ca = c[3] if len(c) > 3 else 1.0
                a = cov * ca * opacity
                if a <= 0.0:
                    continue
                i = row + x
                k = 1.0 - a
                R[i] = cr * a + R[i] * k
                G[i] = cg * a + G[i] * k
                B[i] = cb * a + B[i] * k
                A[i] = a + A[i] * k

    def fill_fn(self, fn):
        """Sets every pixel to the opaque colour fn(x, y)."""
        i = 0
        for y in range(self.h):
            for x in range(self.w):
                c = fn(x, y)
                self.r[i], self.g[i], self.b[i] = c[0], c[1], c[2]
                self.a[i] = 1.0
                i += 1

    def blit(self, src, dx, dy):
        """Composites another canvas over this one."""
        for y in range(src.h):
            ty = y + dy
            if ty < 0 or ty >= self.h:
                continue
            for x in range(src.w):
                tx = x + dx
                if tx < 0 or tx >= self.w:
                    continue
                j = y * src.w + x
                a = src.a[j]
                if a <= 0.0:
                    continue
                i = ty * self.w + tx
                k = 1.0 - a
                self.r[i] = src.r[j] + self.r[i] * k
                self.g[i] = src.g[j] + self.g[i] * k
                self.b[i] = src.b[j] + self.b[i] * k
                self.a[i] = a + self.a[i] * k

    def pixel(self, x, y):
        """Straight (not premultiplied) RGBA at a pixel."""
        i = y * self.w + x
        a = self.a[i]
        if a <= 0.0:
            return (0.0, 0.0, 0.0, 0.0)
        return (self.r[i] / a, self.g[i] / a, self.b[i] / a, a)


# ---------------------------------------------------------------- output

def _byte(v):
    v = int(v + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


_BAYER4 = (0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5)


def opaque_pixels(cv, dither=False):
    """RGB bytes of an opaque canvas.

    Dithering hides 8-bit banding in soft gradients once they are stretched
    over a big window; the 4x4 matrix keeps tiling seamless as long as the
    picture size is a multiple of 4."""
    out = []
    i = 0
    for y in range(cv.h):
        for x in range(cv.w):
            d = (_BAYER4[(y & 3) * 4 + (x & 3)] + 0.5) / 16.0 - 0.5 if dither else 0.0
            out.append((_byte(cv.r[i] + d), _byte(cv.g[i] + d), _byte(cv.b[i] + d)))
            i += 1
    return out


def keyed_pixels(cv, matte):
    """RGB bytes for a picture drawn through a magenta colour key.

    The key is all-or-nothing, so each pixel is either exactly magenta or
    fully opaque. Edge pixels are pre-blended against a mid-dark matte (the
    kind of surface these pictures sit on) instead of against magenta, which
    would leave a pink fringe."""
    out = []
    for i in range(cv.w * cv.h):
        a = cv.a[i]
        if a < 0.5:
            out.append(MAGENTA)
            continue
        k = 1.0 - a
        c = (_byte(cv.r[i] + matte[0] * k), _byte(cv.g[i] + matte[1] * k),
             _byte(cv.b[i] + matte[2] * k))
        if c == MAGENTA:  # cannot happen with these palettes, but never leak the key
            c = (254, 0, 254)
        out.append(c)
    return out


def bmp_bytes(w, h, pixels):
    """24-bit bottom-up BMP with a BITMAPINFOHEADER (what LoadImage and
    windres both take without fuss)."""
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y * w:(y + 1) * w]:
            row += bytes((b, g, r))
        rows.append(bytes(row) + pad)
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return head + info + data


def ico_bytes(canvases):
    """Icon file with one 32-bit BGRA image (plus AND mask) per canvas."""
    images = []
    for cv in canvases:
        w, h = cv.w, cv.h
        xor = bytearray()
        mask = bytearray()
        mstride = ((w + 31) // 32) * 4
        for y in range(h - 1, -1, -1):
            bits = bytearray(mstride)
            for x in range(w):
                r, g, b, a = cv.pixel(x, y)
                ab = _byte(a * 255.0)
                if ab == 0:
                    xor += b"\0\0\0\0"
                    bits[x >> 3] |= 0x80 >> (x & 7)
                else:
                    xor += bytes((_byte(b), _byte(g), _byte(r), ab))
            mask += bits
        hdr = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                          len(xor) + len(mask), 0, 0, 0, 0)
        images.append((w, h, hdr + bytes(xor) + bytes(mask)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, data in images:
        out += struct.pack("<BBBBHHII", w & 255, h & 255, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return bytes(out)


def save(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as fh:
        fh.write(data)


def save_opaque(path, cv, dither=False):
    save(path, bmp_bytes(cv.w, cv.h, opaque_pixels(cv, dither)))


def save_keyed(path, cv, matte):
    save(path, bmp_bytes(cv.w, cv.h, keyed_pixels(cv, matte)))


# ---------------------------------------------------------------- noise

def _hash(n):
    """32-bit integer hash; avoids the random module so the pictures cannot
    change between Python versions."""
    n &= 0xFFFFFFFF
    n = ((n >> 16) ^ n) * 0x45D9F3B & 0xFFFFFFFF
    n = ((n >> 16) ^ n) * 0x45D9F3B & 0xFFFFFFFF
    n = (n >> 16) ^ n
    return n / 4294967295.0


def periodic_noise(gx, gy, seed):
    """Smooth value noise on a gx * gy lattice that wraps around, so a
    picture built from it tiles without a seam. Returns f(u, v) with u, v in
    lattice units."""
    lat = [[_hash(seed * 1000003 + j * 7919 + i * 131) for i in range(gx)] for j in range(gy)]

    def f(u, v):
        i0 = int(math.floor(u))
        j0 = int(math.floor(v))
        fu, fv = u - i0, v - j0
        fu = fu * fu * (3 - 2 * fu)
        fv = fv * fv * (3 - 2 * fv)
        i0 %= gx
        j0 %= gy
        i1 = (i0 + 1) % gx
        j1 = (j0 + 1) % gy
        a = lat[j0][i0] + (lat[j0][i1] - lat[j0][i0]) * fu
        b = lat[j1][i0] + (lat[j1][i1] - lat[j1][i0]) * fu
        return a + (b - a) * fv
    return f


# ---------------------------------------------------------------- pixel font
# 5x7 capitals and digits, for small crisp text (the splash tagline).

FONT5X7 = {
    "A": ".###.|#...#|#...#|#####|#...#|#...#|#...#",
    "B": "####.|#...#|#...#|####.|#...#|#...#|####.",
    "C": ".###.|#...#|#....|#....|#....|#...#|.###.",
    "D": "####.|#...#|#...#|#...#|#...#|#...#|####.",
    "E": "#####|#....|#....|####.|#....|#....|#####",
    "F": "#####|#....|#....|####.|#....|#....|#....",
    "G": ".###.|#...#|#....|#.###|#...#|#...#|.####",
    "H": "#...#|#...#|#...#|#####|#...#|#...#|#...#",
    "I": "###|.#.|.#.|.#.|.#.|.#.|###",
    "J": "..###|...#.|...#.|...#.|...#.|#..#.|.##..",
    "K": "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",
    "L": "#....|#....|#....|#....|#....|#....|#####",
    "M": "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#",
    "N": "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#",
    "O": ".###.|#...#|#...#|#...#|#...#|#...#|.###.",
    "P": "####.|#...#|#...#|####.|#....|#....|#....",
    "Q": ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#",
    "R": "####.|#...#|#...#|####.|#.#..|#..#.|#...#",
    "S": ".####|#....|#....|.###.|....#|....#|####.",
    "T": "#####|..#..|..#..|..#..|..#..|..#..|..#..",
    "U": "#...#|#...#|#...#|#...#|#...#|#...#|.###.",
    "V": "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",
    "W": "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#.",
    "X": "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#",
    "Y": "#...#|#...#|.#.#.|..#..|..#..|..#..|..#..",
    "Z": "#####|....#|...#.|..#..|.#...|#....|#####",
    "0": ".###.|#...#|#..##|#.#.#|##..#|#...#|.###.",
    "1": ".#.|##.|.#.|.#.|.#.|.#.|###",
    "2": ".###.|#...#|....#|...#.|..#..|.#...|#####",
    "3": "#####|...#.|..#..|...#.|....#|#...#|.###.",
    "4": "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.",
    "5": "#####|#....|####.|....#|....#|#...#|.###.",
    "6": "..##.|.#...|#....|####.|#...#|#...#|.###.",
    "7": "#####|....#|...#.|..#..|.#...|.#...|.#...",
    "8": ".###.|#...#|#...#|.###.|#...#|#...#|.###.",
    "9": ".###.|#...#|#...#|.####|....#|...#.|.##..",
    "%": "##...|##..#|...#.|..#..|.#...|#..##|...##",
    "(": "..#|.#.|#..|#..|#..|.#.|..#",
    ")": "#..|.#.|..#|..#|..#|.#.|#..",
    ":": ".|#|.|.|.|#|.",
    ".": ".|.|.|.|.|.|#",
    "-": "....|....|....|####|....|....|....",
    "+": ".....|..#..|..#..|#####|..#..|..#..|.....",
    "/": "....#|...#.|...#.|..#..|.#...|.#...|#....",
    "'": "#|#|.|.|.|.|.",
    " ": "..|..|..|..|..|..|..",
}


def pixel_text_width(text, scale=1, spacing=1):
    w = 0
    for ch in text:
        rows = FONT5X7.get(ch.upper(), FONT5X7[" "]).split("|")
        w += (len(rows[0]) + spacing) * scale
    return w - spacing * scale if text else 0


def pixel_text(cv, x, y, text, color, scale=1, spacing=1, bold=False, shadow=None):
    """Draws 5x7 text with its top-left at (x, y); optional drop shadow."""
    passes = []
    if shadow is not None:
        passes.append((1, 1, shadow))
    passes.append((0, 0, color))
    for ox, oy, col in passes:
        px = x
        for ch in text:
            rows = FONT5X7.get(ch.upper(), FONT5X7[" "]).split("|")
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == "#":
                        for bx in ((0, 1) if bold else (0,)):
                            x0 = px + i * scale + ox + bx
                            y0 = y + j * scale + oy
                            cv.paint(rbox(x0, y0, x0 + scale, y0 + scale), col)
            px += (len(rows[0]) + spacing) * scale + (1 if bold else 0)


# ---------------------------------------------------------------- stroke font
# The product name is set in a rounded geometric face drawn with a round pen.
# Units: baseline 0, x-height 10, ascender 14, y pointing up.

def _arc(cx, cy, r, a0, a1):
    return ("A", cx, cy, r, math.radians(a0), math.radians(a1))


GLYPHS = {
    # name: (strokes, left extent, right extent) in font units
    "Q": ([_arc(7, 7, 7, 0, 360), ("L", 9.6, 3.0, 14.2, -1.6)], 0, 14),
    "u": ([("L", 0, 10, 0, 5), _arc(5, 5, 5, 180, 360), ("L", 10, 10, 10, 0)], 0, 10),
    "i": ([("L", 0, 0, 0, 10), ("L", 0, 13.8, 0, 13.8)], 0, 0),
    "l": ([("L", 0, 0, 0, 14.5)], 0, 0),
    "o": ([_arc(5, 5, 5, 0, 360)], 0, 10),
    "b": ([("L", 0, 0, 0, 14.5), _arc(5, 5, 5, 0, 360)], 0, 10),
    "r": ([("L", 0, 0, 0, 10), _arc(6, 4, 6, 90, 180)], 0, 6.4),
    "a": ([_arc(5, 5, 5, 0, 360), ("L", 10, 10, 10, 0)], 0, 10),
    "n": ([("L", 0, 0, 0, 10), ("L", 0, 5, 0, 5), _arc(5, 5, 5, 0, 180),
           ("L", 10, 5, 10, 0)], 0, 10),
    "t": ([("L", 2.5, 13.5, 2.5, 3.0), _arc(5.5, 3.0, 3.0, 180, 270),
           ("L", -0.5, 10, 5.5, 10)], -0.5, 5.5),
    "e": ([("L", 0, 5, 10, 5), _arc(5, 5, 5, 0, 315)], 0, 10),
}

# Optical spacing corrections (font units) between particular pairs.
KERN = {("r", "a"): -1.2, ("Q", "u"): -0.4, ("t", "e"): -0.4, ("n", "t"): -0.3}


def _glyph_world(name, ox, base, s):
    """Converts a glyph to picture coordinates (y down). Angles flip sign
    with the axis, so arcs swap their ends."""
    items = []
    for it in GLYPHS[name][0]:
        if it[0] == "L":
            _, ax, ay, bx, by = it
            items.append(("L", ox + ax * s, base - ay * s, ox + bx * s, base - by * s))
        else:
            _, cx, cy, r, a0, a1 = it
            items.append(("A", ox + cx * s, base - cy * s, r * s, -a1, -a0))
    return items


def word_layout(text, s, pen, gap):
    """Returns [(glyph, x origin)] and the total width in pixels."""
    x = 0.0
    out = []
    prev = None
    for ch in text:
        _, left, right = GLYPHS[ch]
        if prev is not None:
            x += (gap + KERN.get((prev, ch), 0.0)) * s
        out.append((ch, x - left * s))
        x += (right - left) * s
        prev = ch
    return out, x + pen * s


def draw_word(cv, text, x, base, s, pen, gap, fill, shadow=None):
    layout, width = word_layout(text, s, pen, gap)
    x += pen * s * 0.5
    shapes = [strokes(_glyph_world(ch, x + gx, base, s), pen * s) for ch, gx in layout]
    if shadow is not None:
        dx, dy, blur, col = shadow
        for sh in shapes:
            cv.paint(sh.moved(dx, dy), col, blur=blur)
    for sh in shapes:
        cv.paint(sh, fill)
    return width


# ---------------------------------------------------------------- emblem
# The product mark: a white quill whose nib is a USB plug, on a rounded
# teal-to-blue badge.

BADGE_TOP = (74, 204, 226)
BADGE_BOTTOM = (34, 80, 180)
BADGE_EDGE = (18, 44, 104)


def feather_shapes(L, detail):
    """Feather parts in local coordinates: u along the quill from the plug
    end (0) to the tip (L), v across."""
    u0 = 0.34 * L

    def bend(u):
        t = (u - u0) / (L - u0)
        return -0.05 * L * math.sin(math.pi * max(0.0, min(1.0, t)))

    n = 30
    left, right = [], []
    for i in range(n + 1):
        t = i / n
        u = u0 + t * (L - u0)
        prof = math.sin(math.pi * (t ** 0.72)) ** 0.85
        wl = 0.19 * L * prof
        wr = 0.12 * L * prof
        left.append((u, bend(u) - wl))
        right.append((u, bend(u) + wr))
    vane = poly(left + right[::-1])
    if detail:
        # the little splits that make it read as a feather and not a leaf
        for t, side, depth in ((0.42, -1, 0.55), (0.68, -1, 0.45), (0.56, 1, 0.5)):
            u = u0 + t * (L - u0)
            prof = math.sin(math.pi * (t ** 0.72)) ** 0.85
            wdt = (0.19 if side < 0 else 0.12) * L * prof
            edge_v = bend(u) + side * (wdt + 0.05 * L)
            in_u = u - 0.10 * L
            in_v = bend(in_u) + side * wdt * (1.0 - depth)
            cut = poly([(u - 0.012 * L, edge_v), (u + 0.035 * L, edge_v), (in_u, in_v)])
            vane = vane - cut
    shaft = strokes([("L", 0.20 * L, 0.0, u0, bend(u0))]
                    + [("L", u0 + (L - u0) * i / 8, bend(u0 + (L - u0) * i / 8),
                        u0 + (L - u0) * (i + 1) / 8, bend(u0 + (L - u0) * (i + 1) / 8))
                       for i in range(7)], max(0.028 * L, 0.9))
    calamus = poly([(0.19 * L, -0.045 * L), (u0 + 0.02 * L, -0.02 * L),
                    (u0 + 0.02 * L, 0.02 * L), (0.19 * L, 0.045 * L)])
    plug = rbox(0.0, -0.078 * L, 0.215 * L, 0.078 * L, 0.012 * L)
    holes = None
    if detail:
        h1 = rbox(0.055 * L, -0.052 * L, 0.115 * L, -0.018 * L)
        h2 = rbox(0.055 * L, 0.018 * L, 0.115 * L, 0.052 * L)
        holes = h1 | h2
    return vane, shaft, calamus, plug, holes


def draw_quill(cv, ax, ay, bx, by, detail=True, shadow_col=(10, 30, 70),
               vane_cols=((255, 255, 255), (214, 228, 244)),
               shaft_col=(150, 184, 214), metal=((246, 248, 250), (150, 160, 176)),
               hole_col=(52, 62, 80), edge_col=None):
    """Quill with a USB-plug nib, plug end at (ax, ay), feather tip at (bx, by)."""
    L = math.hypot(bx - ax, by - ay)
    ang = math.atan2(by - ay, bx - ax)
    vane, shaft, calamus, plug, holes = feather_shapes(L, detail)
    place = lambda s: s.placed(ax, ay, ang)
    vane_w, shaft_w, cal_w, plug_w = place(vane), place(shaft), place(calamus), place(plug)
    body = vane_w | cal_w | plug_w
    if shadow_col is not None:
        cv.paint(body.moved(0.02 * L, 0.035 * L), rgba(shadow_col, 0.45), blur=max(1.0, 0.04 * L))
    if edge_col is not None:
        cv.paint(body.grow(1.0), edge_col)
    nx, ny = -math.sin(ang), math.cos(ang)  # across the quill
    mx, my = (ax + bx) * 0.5, (ay + by) * 0.5
    cv.paint(vane_w, linear(mx - nx * 0.2 * L, my - ny * 0.2 * L,
                            mx + nx * 0.15 * L, my + ny * 0.15 * L,
                            [(0.0, vane_cols[0]), (0.55, vane_cols[0]), (1.0, vane_cols[1])]))
    cv.paint(cal_w, vane_cols[0])
    cv.paint(shaft_w, shaft_col)
    cv.paint(plug_w, linear(ax - nx * 0.08 * L, ay - ny * 0.08 * L,
                            ax + nx * 0.08 * L, ay + ny * 0.08 * L,
                            [(0.0, metal[0]), (0.45, metal[0]), (1.0, metal[1])]))
    if holes is not None:
        cv.paint(place(holes), hole_col)


def draw_badge(cv, x, y, size, detail=True):
    s = size
    badge = rbox(x + 0.02 * s, y + 0.02 * s, x + 0.98 * s, y + 0.98 * s, 0.22 * s)
    cv.paint(badge, linear(x, y, x + s, y + s, [(0.0, BADGE_TOP), (1.0, BADGE_BOTTOM)]))
    # soft gloss over the top, kept inside the badge
    gloss = badge & ellipse(x + 0.30 * s, y + 0.02 * s, 0.95 * s, 0.52 * s)
    cv.paint(gloss, linear(x, y, x, y + 0.55 * s,
                           [(0.0, (255, 255, 255, 0.30)), (1.0, (255, 255, 255, 0.04))]))
    edge_w = max(1.0, 0.025 * s)
    cv.paint(badge.inner_ring(edge_w), rgba(BADGE_EDGE, 0.55))
    draw_quill(cv, x + 0.23 * s, y + 0.79 * s, x + 0.82 * s, y + 0.19 * s, detail=detail)


# ---------------------------------------------------------------- splash

def make_logo():
    W, H = 200, 150
    cv = Canvas(W, H, (14, 26, 52))
    # deep night-blue field, lit from behind the badge
    cv.paint(rbox(0, 0, W, H), radial(100, 44, 150, [
        (0.0, (34, 88, 138)), (0.45, (20, 48, 92)), (1.0, (10, 20, 44))], sy=0.85))
    # two faint sweeping arcs give the field some motion
    for cy, r, a in ((260, 230, 0.10), (250, 205, 0.06)):
        cv.paint(circle(100, cy, r).ring(1.2), (150, 220, 255, a))
    # glow behind the badge
    cv.paint(circle(100, 44, 30), (90, 200, 240, 0.22), blur=22)
    # badge with a soft drop shadow
    bs = 58
    bx, by = 100 - bs / 2, 14
    cv.paint(rbox(bx + 2, by + 5, bx + bs - 2, by + bs + 3, 0.22 * bs), (0, 6, 20, 0.55), blur=6)
    draw_badge(cv, bx, by, bs)
    # product name
    s, pen, gap = 1.22, 2.5, 3.0
    _, width = word_layout("Quillobrante", s, pen, gap)
    base = 105
    draw_word(cv, "Quillobrante", (W - width) / 2, base, s, pen, gap,
              linear(0, base - 18, 0, base + 2, [(0.0, (255, 255, 255)), (1.0, (196, 228, 250))]),
              shadow=(1.0, 2.0, 2.5, (0, 8, 24, 0.75)))
    # thin rule and tagline
    cv.paint(rbox(40, 116, 160, 117), linear(40, 0, 160, 0, [
        (0.0, (120, 200, 240, 0.0)), (0.5, (120, 200, 240, 0.55)), (1.0, (120, 200, 240, 0.0))]))
    tag = "PORTABLE DESKTOP"
    tw = pixel_text_width(tag, 1, 2)
    pixel_text(cv, (W - tw) // 2, 125, tag, (150, 198, 232), spacing=2)
    return cv


# ---------------------------------------------------------------- drives
# Drive pictures sit on the work-area background in the bottom-right corner,
# so they all carry a dark outline that separates them from any theme.

OUTLINE = (26, 30, 38)
DRIVE_MATTE = (46, 56, 70)
STATUS_MATTE = (56, 66, 80)


def outlined(cv, shape, fill, edge=OUTLINE, w=1.0):
    cv.paint(shape.grow(w), edge)
    cv.paint(shape, fill)


def draw_stick(cv, cx, cy, scale, angle, body=((70, 150, 226), (28, 74, 156)),
               stripe=None, detail=True):
    """USB stick, connector pointing along +angle; local units are pixels at
    scale 1 (about 29 x 13 units)."""
    P = lambda sh: sh.placed(cx, cy, angle, scale)
    nx, ny = -math.sin(angle), math.cos(angle)
    bshape = P(rbox(-15, -6.5, 5.5, 6.5, 3.0))
    conn = P(rbox(5.0, -4.6, 14.0, 4.6, 0.8))
    cv.paint((bshape | conn).grow(1.0), OUTLINE)
    cv.paint(conn, linear(cx - nx * 4.6 * scale, cy - ny * 4.6 * scale,
                          cx + nx * 4.6 * scale, cy + ny * 4.6 * scale,
                          [(0.0, (246, 248, 252)), (0.5, (214, 220, 228)), (1.0, (140, 148, 162))]))
    if detail:
        cv.paint(P(rbox(8.0, -2.9, 11.0, -1.0)), (60, 68, 84))
        cv.paint(P(rbox(8.0, 1.0, 11.0, 2.9)), (60, 68, 84))
    cv.paint(bshape, linear(cx - nx * 6.5 * scale, cy - ny * 6.5 * scale,
                            cx + nx * 6.5 * scale, cy + ny * 6.5 * scale,
                            [(0.0, shade(body[0], 0.25)), (0.45, body[0]), (1.0, body[1])]))
    # gloss on the upper half of the body
    cv.paint(P(rbox(-13.8, -5.4, 4.4, -0.6, 2.2)), (255, 255, 255, 0.22))
    if stripe is not None:
        cv.paint(P(rbox(1.2, -6.5, 3.2, 6.5)), stripe)
    # lanyard eyelet and activity light
    cv.paint(P(circle(-12.2, 0.0, 1.35)), shade(body[1], -0.5))
    if detail:
        q0 = P(rbox(-9.5, -0.5, -9.5, -0.5)).bb
        q1 = P(rbox(-0.5, 0.5, -0.5, 0.5)).bb
        draw_quill(cv, q0[0], q0[1], q1[0], q1[1], detail=False, shadow_col=None,
                   metal=((236, 240, 246), (190, 198, 210)))


def make_flash():
    cv = Canvas(32, 31)
    draw_stick(cv, 16.0, 15.5, 1.02, math.radians(-36), body=(BADGE_TOP, BADGE_BOTTOM))
    return cv


def _slab(cv, x0, y0, x1, y1, depth, top=((226, 230, 238), (176, 184, 196)),
          front=((164, 170, 182), (100, 106, 118)), led=(70, 230, 96)):
    """A drive box seen slightly from above: a receding top face over a
    front face that carries the activity light."""
    inset = depth * 0.55
    topf = poly([(x0 + inset, y0), (x1 - inset, y0), (x1, y0 + depth), (x0, y0 + depth)])
    frontf = rbox(x0, y0 + depth, x1, y1, 1.5)
    whole = (topf.grow(0.8) | frontf)
    cv.paint(whole.grow(1.0), OUTLINE)
    cv.paint(topf.grow(0.8) & halfplane(0, 1, y0 + depth + 0.5),
             linear(0, y0, 0, y0 + depth, [(0.0, top[0]), (1.0, top[1])]))
    cv.paint(frontf, linear(0, y0 + depth, 0, y1, [(0.0, front[0]), (1.0, front[1])]))
    # crisp light edge where top meets front
    cv.paint(rbox(x0 + 0.5, y0 + depth, x1 - 0.5, y0 + depth + 1.0), (240, 244, 250, 0.9))
    # slot and activity light
    ym = (y0 + depth + y1) * 0.5 + 0.5
    cv.paint(rbox(x0 + 3, ym - 0.8, x0 + (x1 - x0) * 0.55, ym + 0.8, 0.8), (58, 62, 72))
    cv.paint(rbox(x0 + 3, ym + 0.8, x0 + (x1 - x0) * 0.55, ym + 1.6, 0.4), (200, 206, 216, 0.7))
    lx = x1 - 4.0
    cv.paint(circle(lx, ym, 2.3), (30, 70, 40))
    cv.paint(circle(lx, ym, 1.6), radial(lx - 0.5, ym - 0.6, 2.0, [(0.0, shade(led, 0.6)), (1.0, led)]))


def make_hdd():
    cv = Canvas(32, 31)
    _slab(cv, 2.5, 7.0, 29.5, 24.0, 7.0)
    # brushed lid with four screws
    for sx, sy in ((7.2, 8.6), (24.8, 8.6), (5.6, 12.3), (26.4, 12.3)):
        cv.paint(circle(sx, sy, 0.9), (110, 118, 132))
    cv.paint(rbox(10.0, 9.2, 22.0, 11.8, 1.2), linear(0, 9.2, 0, 11.8, [
        (0.0, (120, 170, 226)), (1.0, (50, 104, 176))]))
    return cv


def make_net():
    cv = Canvas(32, 31)
    _slab(cv, 3.5, 2.5, 28.5, 17.5, 6.0)
    # cable down to the network bus
    pipe = rbox(14.5, 17.0, 17.5, 25.0)
    bus = rbox(3.0, 24.0, 29.0, 28.0, 2.0)
    cv.paint((pipe | bus).grow(1.0), OUTLINE)
    green = linear(0, 24, 0, 28, [(0.0, (140, 236, 130)), (1.0, (36, 150, 56))])
    cv.paint(pipe, linear(14.5, 0, 17.5, 0, [(0.0, (150, 160, 172)), (0.5, (226, 230, 236)),
                                             (1.0, (120, 128, 140))]))
    cv.paint(bus, green)
    cv.paint(rbox(4.0, 24.6, 28.0, 25.6, 0.5), (255, 255, 255, 0.45))
    for x in (6.5, 25.5):
        cv.paint(circle(x, 26.0, 1.2), (20, 90, 36))
    return cv


def question_mark(cx, cy, size, w):
    """A '?' drawn with a round pen; size is its height."""
    r = size * 0.26
    top = cy - size * 0.5 + r
    return strokes([
        ("A", cx, top, r, math.radians(180), math.radians(405)),
        ("L", cx + r * math.cos(math.radians(45)), top + r * math.sin(math.radians(45)),
         cx, top + r * 1.45),
        ("L", cx, top + r * 1.45, cx, cy + size * 0.18),
        ("L", cx, cy + size * 0.47, cx, cy + size * 0.47)], w)


def make_unknown():
    cv = Canvas(32, 31)
    _slab(cv, 1.5, 4.5, 26.5, 20.0, 6.5, led=(150, 156, 166))
    badge = circle(22.5, 21.5, 8.0)
    cv.paint(badge.grow(1.0), OUTLINE)
    cv.paint(badge, linear(0, 13.5, 0, 29.5, [(0.0, (255, 214, 90)), (1.0, (226, 140, 16))]))
    cv.paint(ellipse(22.5, 17.6, 5.5, 3.2), (255, 255, 255, 0.35))
    q = question_mark(22.5, 21.8, 11.0, 2.3)
    cv.paint(q.moved(0.0, 0.8), (120, 60, 0, 0.5))
    cv.paint(q, (62, 34, 6))
    return cv


def _hsv(h, s, v):
    h = (h % 1.0) * 6.0
    i = int(h)
    f = h - i
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    return [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i % 6]


def make_cdrom():
    cv = Canvas(32, 31)
    cx, cy, R = 16.0, 15.5, 14.2

    def disc(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        th = math.atan2(dy, dx)
        # rainbow sheen that turns with the angle, and two bright reflections
        rr, gg, bb = _hsv(th / math.pi + r / 40.0, 0.35, 1.0)
        glint = max(0.0, math.cos(2.0 * (th - math.radians(-40)))) ** 6
        base = 196 - 28 * (r / R)
        k = 0.45
        col = (base * (1 - k) + rr * 255 * k * 0.85,
               base * (1 - k) + gg * 255 * k * 0.85,
               base * (1 - k) + bb * 255 * k * 0.85 + 6)
        return mix(col, (255, 255, 255), 0.75 * glint)
    ring = circle(cx, cy, R)
    hole = circle(cx, cy, 2.6)
    cv.paint((ring - hole).grow(0.0), OUTLINE)
    cv.paint(circle(cx, cy, R - 1.0) - circle(cx, cy, 3.6), disc)
    # clear plastic hub and its rim
    cv.paint(circle(cx, cy, 5.6) - hole, (214, 222, 232))
    cv.paint(circle(cx, cy, 5.6).ring(0.9), (150, 160, 176))
    cv.paint(circle(cx, cy, 3.6) - circle(cx, cy, 3.4), (150, 160, 176))
    cv.paint(circle(cx, cy, 3.5).ring(1.0), (120, 128, 142))
    return cv


# ---------------------------------------------------------------- status
# 16 x 16 pictures on the glossy status strip, whatever its colour.

def make_find():
    cv = Canvas(16, 16)
    lens = circle(6.5, 6.5, 4.6)
    handle = seg(10.2, 10.2, 13.6, 13.6, 3.4)
    cv.paint((lens | handle).grow(1.0), OUTLINE)
    cv.paint(handle, linear(9, 13, 13, 9, [(0.0, (70, 52, 40)), (0.5, (160, 120, 84)), (1.0, (80, 58, 42))]))
    cv.paint(lens, linear(2, 2, 11, 11, [(0.0, (216, 222, 232)), (1.0, (120, 128, 142))]))
    glass = circle(6.5, 6.5, 3.1)
    cv.paint(glass, linear(3, 3, 10, 10, [(0.0, (220, 244, 255)), (1.0, (92, 170, 230))]))
    cv.paint(strokes([("A", 6.5, 6.5, 1.9, math.radians(190), math.radians(260))], 1.1),
             (255, 255, 255, 0.95))
    return cv


def make_add():
    cv = Canvas(16, 16)
    plus = rbox(6.0, 2.0, 10.0, 14.0, 1.0) | rbox(2.0, 6.0, 14.0, 10.0, 1.0)
    cv.paint(plus.grow(1.0), (18, 76, 22))
    cv.paint(plus, linear(0, 2, 0, 14, [(0.0, (168, 240, 130)), (0.5, (76, 194, 64)), (1.0, (30, 128, 36))]))
    cv.paint(plus & halfplane(0, 1, 7.6), (255, 255, 255, 0.28))
    return cv


def make_del():
    cv = Canvas(16, 16)
    cross = seg(4.2, 4.2, 11.8, 11.8, 3.8) | seg(11.8, 4.2, 4.2, 11.8, 3.8)
    cv.paint(cross.grow(1.0), (110, 12, 12))
    cv.paint(cross, linear(0, 2, 0, 14, [(0.0, (255, 140, 120)), (0.5, (232, 52, 40)), (1.0, (168, 20, 16))]))
    cv.paint(cross & halfplane(0, 1, 7.5), (255, 255, 255, 0.22))
    return cv


# ---------------------------------------------------------------- themes

THEMES = {
    # Default: bright ocean blue, white captions.
    "MAINTHEME": dict(
        form=(22, 50, 92), bcgr=(38, 90, 150), head=(42, 104, 172), font=(255, 255, 255),
        orb=((120, 196, 246), (28, 92, 178)),
        title=((96, 176, 240), (34, 96, 180)),
        stick=((70, 150, 226), (28, 74, 156)), stripe=None,
    ),
    # Dark brushed graphite with warm amber type.
    "GRAPHITE": dict(
        form=(14, 15, 17), bcgr=(40, 42, 46), head=(66, 69, 76), font=(255, 198, 108),
        orb=((255, 206, 110), (206, 118, 18)),
        title=((255, 196, 96), (214, 124, 24)),
        stick=((112, 116, 126), (44, 46, 52)), stripe=(250, 170, 50),
    ),
}

BG_W, BG_H = 256, 192


def _bump(d, p):
    """Smooth bump of period 1 centred on d == 0, sharpness p."""
    return ((1.0 + math.cos(TAU * d)) * 0.5) ** p


def background_ocean():
    W, H = BG_W, BG_H
    top, bot = (80, 142, 204), (30, 72, 132)
    # (centre, wave height, phase, sharpness, strength, colour, phase of fade)
    ribbons = [
        (0.40, 0.10, 0.3, 14, 0.20, (150, 214, 255), 0.0),
        (0.55, 0.14, 1.9, 24, 0.12, (130, 200, 250), 2.4),
        (0.47, 0.12, 0.9, 700, 0.30, (210, 240, 255), 1.2),
        (0.60, 0.09, 2.6, 1400, 0.22, (210, 240, 255), 3.6),
    ]
    # the ribbons' path and brightness depend on the column only
    cols = []
    for x in range(W):
        u = (x + 0.5) / W
        cols.append([(c0 + amp * math.sin(TAU * u + ph), p, k * (0.55 + 0.45 * math.cos(TAU * u + fph)), col)
                     for c0, amp, ph, p, k, col, fph in ribbons] + [0.05 * math.cos(TAU * u)])
    cv = Canvas(W, H)

    def fn(x, y):
        v = (y + 0.5) / H
        col = cols[x]
        s = 0.5 + 0.5 * math.cos(TAU * (v - 0.14)) + col[-1]
        c = mix(bot, top, max(0.0, min(1.0, s)) ** 1.3)
        for cy, p, k, rc in col[:-1]:
            b = _bump(v - cy, p)
            if b > 1e-4:
                c = mix(c, rc, k * b)
        return c
    cv.fill_fn(fn)
    return cv


def background_graphite():
    W, H = BG_W, BG_H
    rows = periodic_noise(1, H // 2, 11)
    grain = periodic_noise(W // 32, H // 2, 23)
    dark, light = (36, 38, 42), (62, 65, 71)
    cv = Canvas(W, H)

    def fn(x, y):
        u, v = (x + 0.5) / W, (y + 0.5) / H
        glow = (0.5 - 0.5 * math.cos(TAU * u)) * (0.5 - 0.5 * math.cos(TAU * v))
        c = mix(dark, light, glow ** 0.7 * 0.85)
        # brushed-metal streaks running across
        n = 0.6 * rows(0.0, (y + 0.5) / 2.0) + 0.4 * grain((x + 0.5) / 32.0, (y + 0.5) / 2.0) - 0.5
        c = tuple(ch + n * 9.0 for ch in c)
        # a faint diagonal sheen, as if from a window light
        c = mix(c, (190, 200, 214), 0.05 * _bump(u - v - 0.15, 5))
        return c
    cv.fill_fn(fn)
    return cv


TAB_W, TAB_H = 50, 120
CLOSE_AT, OPT_AT = (11, 16), (11, 76)
BTN = 25


def make_tab(th):
    """The vertical tab on the right: shaded like a rounded bar lit from the
    upper left, with a dark seam where it meets the work area."""
    head = th["head"]
    cv = Canvas(TAB_W, TAB_H, head)
    hi, lo = shade(head, 0.34), shade(head, -0.32)

    def fn(x, y):
        u = (x + 0.5) / TAB_W
        v = (y + 0.5) / TAB_H
        if u < 0.08:
            c = mix(shade(head, -0.45), hi, u / 0.08)
        else:
            c = mix(hi, shade(head, 0.12), (u - 0.08) / 0.34) if u < 0.42 else shade(head, 0.12)
            # glassy step a little left of centre, eased over a few pixels
            dark = mix(head, shade(head, -0.14), (u - 0.42) / 0.33) if u < 0.75 else \
                mix(shade(head, -0.14), lo, (u - 0.75) / 0.25)
            c = mix(c, dark, smoothstep(0.38, 0.46, u))
        return shade(c, 0.08 * (1.0 - v) - 0.06 * v)
    cv.fill_fn(fn)
    # engraved grip between the two buttons
    gx = CLOSE_AT[0] + BTN / 2.0
    for gy in (53.5, 58.5, 63.5):
        cv.paint(circle(gx + 0.5, gy + 0.7, 1.3), (255, 255, 255, 0.30))
        cv.paint(circle(gx, gy, 1.3), (0, 0, 0, 0.45))
    # hairline highlight just inside the frame the program draws
    cv.paint(rbox(1, 1, TAB_W - 1, 2), (255, 255, 255, 0.18))
    return cv


def _orb(cv, cx, cy, cols):
    cv.paint(circle(cx, cy + 1.0, 11.0), (0, 0, 0, 0.45), blur=1.6)
    cv.paint(circle(cx, cy, 11.0), shade(cols[1], -0.55))
    cv.paint(circle(cx, cy, 10.0), linear(0, cy - 10, 0, cy + 10, [
        (0.0, cols[0]), (0.55, cols[1]), (1.0, shade(cols[1], -0.15))]))
    # light bouncing back into the lower half
    cv.paint(ellipse(cx, cy + 5.0, 7.0, 4.0), rgba(shade(cols[0], 0.2), 0.35), blur=3.0)
    cv.paint(ellipse(cx, cy - 4.6, 7.4, 4.6), linear(0, cy - 9, 0, cy, [
        (0.0, (255, 255, 255, 0.70)), (1.0, (255, 255, 255, 0.08))]))


def _glyph(cv, shape):
    cv.paint(shape.moved(0.0, 1.0), (0, 0, 0, 0.40), blur=1.2)
    cv.paint(shape, (255, 255, 255))


def make_buttons(th, tab):
    bx, by = CLOSE_AT
    c = tab.copy()
    cx, cy = bx + BTN / 2.0, by + BTN / 2.0
    _orb(c, cx, cy, ((255, 132, 112), (204, 40, 28)))
    _glyph(c, seg(cx - 4.0, cy - 4.0, cx + 4.0, cy + 4.0, 2.6)
           | seg(cx + 4.0, cy - 4.0, cx - 4.0, cy + 4.0, 2.6))
    close = c.crop(bx, by, BTN, BTN)

    bx, by = OPT_AT
    c = tab.copy()
    cx, cy = bx + BTN / 2.0, by + BTN / 2.0
    _orb(c, cx, cy, th["orb"])
    gear = circle(0, 0, 4.6)
    for k in range(8):
        gear = gear | rbox(-1.25, -6.6, 1.25, -3.5, 0.45).placed(0, 0, k * TAU / 8.0)
    gear = (gear - circle(0, 0, 1.9)).placed(cx, cy)
    _glyph(c, gear)
    opt = c.crop(bx, by, BTN, BTN)
    return close, opt


def make_default_program(th):
    cv = Canvas(32, 32)
    win = rbox(2.5, 4.5, 29.5, 27.5, 2.5)
    cv.paint(win.grow(1.0), OUTLINE)
    cv.paint(win, linear(0, 10, 0, 27, [(0.0, (252, 253, 255)), (1.0, (218, 226, 236))]))
    bar = win & halfplane(0, 1, 11.0)
    cv.paint(bar, linear(0, 4.5, 0, 11, [(0.0, th["title"][0]), (1.0, th["title"][1])]))
    cv.paint(bar & halfplane(0, 1, 7.5), (255, 255, 255, 0.30))
    cv.paint(rbox(2.5, 11.0, 29.5, 12.0), (0, 0, 0, 0.25))
    for x in (20.5, 23.5, 26.5):
        cv.paint(circle(x, 7.8, 1.05), (255, 255, 255, 0.9))
    # a few lines of "content"
    for y, x1 in ((15.0, 20.0), (18.5, 25.0), (22.0, 16.0)):
        cv.paint(rbox(6.0, y, x1, y + 1.6, 0.8), (150, 160, 176))
    cv.paint(rbox(21.0, 20.0, 26.0, 25.0, 1.0), th["title"][1])
    return cv


def make_drive_icon(th, size):
    cv = Canvas(size, size)
    k = size / 32.0
    draw_stick(cv, size / 2.0, size / 2.0 + 0.5 * k, 1.08 * k, math.radians(-42),
               body=th["stick"], stripe=th["stripe"], detail=size >= 32)
    return cv


def make_app_icon(size):
    cv = Canvas(size, size)
    draw_badge(cv, 0, 0, size, detail=size >= 32)
    return cv


def make_sample_icon(size):
    """A small application window with a green start mark: the icon of the
    sample programs on the demo drive."""
    s = float(size)
    cv = Canvas(size, size)
    body = rbox(0.06 * s, 0.12 * s, 0.94 * s, 0.90 * s, 0.08 * s)
    cv.paint(body.grow(max(1.0, 0.03 * s)), (28, 44, 70))
    cv.paint(body, linear(0, 0.12 * s, 0, 0.90 * s, [(0.0, (250, 252, 255)), (1.0, (206, 218, 232))]))
    bar = body & halfplane(0, 1, 0.30 * s)
    cv.paint(bar, linear(0, 0.12 * s, 0, 0.30 * s, [(0.0, (96, 160, 226)), (1.0, (36, 92, 170))]))
    mark = poly([(0.38 * s, 0.40 * s), (0.38 * s, 0.80 * s), (0.72 * s, 0.60 * s)])
    cv.paint(mark.grow(max(0.7, 0.02 * s)), (18, 76, 22))
    cv.paint(mark, linear(0, 0.40 * s, 0, 0.80 * s, [(0.0, (168, 240, 130)), (1.0, (30, 128, 36))]))
    return cv


def theme_ini(th):
    lines = ["[COLORS]"]
    for key, col in (("FORMCOLOR", th["form"]), ("BCGRCOLOR", th["bcgr"]),
                     ("HEADCOLOR", th["head"]), ("HEADFONTCOLOR", th["font"])):
        for ch, v in zip("RGB", col):
            lines.append("%s_%s=%d" % (key, ch, v))
    lines += ["[OTHER]", "BG_FILLTYPE=3", "USEDBLFONT=1"]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


BACKGROUNDS = {"MAINTHEME": background_ocean, "GRAPHITE": background_graphite}


def build(out):
    data = os.path.join(out, "data")
    save_opaque(os.path.join(data, "LOGO.bmp"), make_logo())
    for name, maker in (("DT_FLASH", make_flash), ("DT_HDD", make_hdd),
                        ("DT_CDROM", make_cdrom), ("DT_NET", make_net),
                        ("DT_UNKN", make_unknown)):
        save_keyed(os.path.join(data, name + ".bmp"), maker(), DRIVE_MATTE)
    for name, maker in (("DT_FIND", make_find), ("DT_ADD", make_add), ("DT_DEL", make_del)):
        save_keyed(os.path.join(data, name + ".bmp"), maker(), STATUS_MATTE)

    for name, th in THEMES.items():
        d = os.path.join(out, "Data", name)
        save_opaque(os.path.join(d, "Background.bmp"), BACKGROUNDS[name](), dither=True)
        tab = make_tab(th)
        save_opaque(os.path.join(d, "Right.bmp"), tab)
        close, opt = make_buttons(th, tab)
        save_opaque(os.path.join(d, "CloseButton.bmp"), close)
        save_opaque(os.path.join(d, "OptButton.bmp"), opt)
        save_keyed(os.path.join(d, "DefaultProgram.bmp"), make_default_program(th), th["bcgr"])
        save(os.path.join(d, "icon.ico"), ico_bytes([make_drive_icon(th, s) for s in (16, 32, 48)]))
        save(os.path.join(d, "Theme.ini"), theme_ini(th))

    save(os.path.join(out, "app.ico"), ico_bytes([make_app_icon(s) for s in (16, 32, 48)]))
    save(os.path.join(out, "sample.ico"), ico_bytes([make_sample_icon(s) for s in (16, 32)]))


def main():
    ap = argparse.ArgumentParser(description="Draws Quillobrante's pictures.")
    ap.add_argument("--out", required=True, help="output folder")
    args = ap.parse_args()
    build(args.out)


if __name__ == "__main__":
    main()
