#!/usr/bin/env python3
"""Mock-up of the Quillobrante window built from the generated pictures, to
judge the art in place before it goes into a build.

    python3 resources/art/make_art.py --out /tmp/art
    python3 resources/art/preview.py --art /tmp/art --out /tmp/preview

For every theme under ART/Data it writes BMPs of a 400 x 300 window with the
background stretched, plus a large 1000 x 700 window with the background
stretched and tiled (the tiled one shows any seam). It reads the files back
from disk, so it also checks that they load.
"""

import argparse
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_art as ma  # noqa: E402


KEY = (255, 0, 255)
TAB_FRAME = (142, 142, 122)
HEAD_H = 25
STATUS_H = 25
TAB_W, TAB_H = 50, 120
CORNER = 8


def read_bmp(path):
    """Loads a 24-bit uncompressed BMP into a list of rows of (r, g, b)."""
    with open(path, "rb") as fh:
        data = fh.read()
    magic, _, _, _, off = struct.unpack_from("<2sIHHI", data, 0)
    size, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    if magic != b"BM" or size != 40 or bpp != 24 or comp != 0 or planes != 1:
        raise ValueError("%s: not a plain 24-bit BMP" % path)
    bottom_up = h > 0
    h = abs(h)
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h):
        src = off + (h - 1 - y if bottom_up else y) * stride
        rows.append([(data[src + 3 * x + 2], data[src + 3 * x + 1], data[src + 3 * x])
                     for x in range(w)])
    return w, h, rows


def read_ini(path):
    vals = {}
    with open(path, "rb") as fh:
        text = fh.read().decode("ascii")
    for line in text.split("\r\n"):
        if "=" in line:
            k, v = line.split("=", 1)
            vals[k] = int(v)
    col = lambda k: (vals[k + "_R"], vals[k + "_G"], vals[k + "_B"])
    return dict(form=col("FORMCOLOR"), bcgr=col("BCGRCOLOR"), head=col("HEADCOLOR"),
                font=col("HEADFONTCOLOR"), shadow=vals["USEDBLFONT"] == 1)


def gloss(c, t):
    """Glassy strip shading: light upper part, a dip about two thirds down."""
    if t < 0.45:
        return ma.mix(ma.shade(c, 0.40), ma.shade(c, 0.24), t / 0.45)
    if t < 0.67:
        return ma.mix(c, ma.shade(c, -0.14), (t - 0.45) / 0.22)
    return ma.mix(ma.shade(c, -0.14), c, (t - 0.67) / 0.33)


class Picture:
    def __init__(self, path):
        self.w, self.h, self.rows = read_bmp(path)

    def put(self, cv, x0, y0, keyed):
        for y in range(self.h):
            for x in range(self.w):
                c = self.rows[y][x]
                if keyed and c == KEY:
                    continue
                tx, ty = x0 + x, y0 + y
                if 0 <= tx < cv.w and 0 <= ty < cv.h:
                    i = ty * cv.w + tx
                    cv.r[i], cv.g[i], cv.b[i] = float(c[0]), float(c[1]), float(c[2])
                    cv.a[i] = 1.0

    def sample(self, u, v):
        """Bilinear sample at picture coordinates (pixel centres at +0.5)."""
        u -= 0.5
        v -= 0.5
        x0 = min(max(int(math.floor(u)), 0), self.w - 1)
        y0 = min(max(int(math.floor(v)), 0), self.h - 1)
        x1, y1 = min(x0 + 1, self.w - 1), min(y0 + 1, self.h - 1)
        fx = min(max(u - x0, 0.0), 1.0)
        fy = min(max(v - y0, 0.0), 1.0)
        a, b = self.rows[y0][x0], self.rows[y0][x1]
        c, d = self.rows[y1][x0], self.rows[y1][x1]
        return tuple((a[k] * (1 - fx) + b[k] * fx) * (1 - fy) + (c[k] * (1 - fx) + d[k] * fx) * fy
                     for k in range(3))


def text(cv, x, y, s, th, bold=False):
    ma.pixel_text(cv, x, y, s, th["font"], bold=bold, shadow=(0, 0, 0) if th["shadow"] else None)


def window(art, theme, W, H, layout):
    tdir = os.path.join(art, "Data", theme)
    th = read_ini(os.path.join(tdir, "Theme.ini"))
    bg = Picture(os.path.join(tdir, "Background.bmp"))
    BW = W - TAB_W
    body = ma.Canvas(BW, H, th["bcgr"])

    # header and status strips
    for y0 in (0, H - STATUS_H):
        for y in range(HEAD_H):
            c = gloss(th["head"], y / (HEAD_H - 1))
            body.paint(ma.rbox(0, y0 + y, BW, y0 + y + 1), c)
    text(body, 10, 9, "QUILLO (E:)", th, bold=True)

    # work area: frame and background
    top, bottom = HEAD_H, H - STATUS_H
    ax0, ay0, ax1, ay1 = 1, top + 1, BW - 1, bottom - 1
    aw, ah = ax1 - ax0, ay1 - ay0
    for y in range(ay0, ay1):
        for x in range(ax0, ax1):
            if layout == "stretch":
                c = bg.sample((x - ax0 + 0.5) * bg.w / aw, (y - ay0 + 0.5) * bg.h / ah)
            elif layout == "tile":
                c = bg.rows[(y - ay0) % bg.h][(x - ax0) % bg.w]
            elif layout == "once" and x - ax0 < bg.w and y - ay0 < bg.h:
                c = bg.rows[y - ay0][x - ax0]
            else:
                c = th["bcgr"]
            i = y * BW + x
            body.r[i], body.g[i], body.b[i] = c
    body.paint(ma.rbox(0, top, BW, bottom).inner_ring(1.0), th["form"])

    # a few links on the 75-pixel grid
    prog = Picture(os.path.join(tdir, "DefaultProgram.bmp"))
    app = ma.make_app_icon(32)
    drive = ma.make_drive_icon(ma.THEMES[theme], 32) if theme in ma.THEMES else None
    names = ["NOTES", "BROWSER", "QUILLO", "PLAYER", "GAMES", "PORTABLE", "PHOTOS", "TOOLS"]
    cols = max(1, (BW - 10) // 75)
    rows = max(1, (bottom - top - 10) // 75)
    for k, name in enumerate(names[:cols * rows]):
        cx = 8 + (k % cols) * 75
        cy = top + 8 + (k // cols) * 75
        ix, iy = cx + (75 - 32) // 2, cy
        if name == "QUILLO":
            body.blit(app, ix, iy)
        elif name == "PORTABLE" and drive is not None:
            body.blit(drive, ix, iy)
        else:
            prog.put(body, ix, iy, True)
        tw = ma.pixel_text_width(name)
        text(body, cx + (75 - tw) // 2, iy + 38, name, th)

    # drive picture in the bottom-right corner of the work area
    Picture(os.path.join(art, "data", "DT_FLASH.bmp")).put(body, W - 106, H - 56, True)

    # fill gauge and status pictures on the status strip
    sy = H - STATUS_H
    gauge = ma.rbox(8, sy + 7, 118, sy + 18, 2)
    body.paint(gauge, (0, 0, 0, 0.25))
    body.paint(ma.rbox(9, sy + 8, 9 + 108 * 0.42, sy + 17, 1.5),
               ma.linear(0, sy + 8, 0, sy + 17, [(0.0, (255, 255, 255)), (1.0, (206, 214, 224))]))
    body.paint(gauge.inner_ring(1.0), (255, 255, 255, 0.8))
    text(body, 124, sy + 9, "42 %", th)
    for n, name in enumerate(("DT_FIND", "DT_ADD", "DT_DEL")):
        Picture(os.path.join(art, "data", name + ".bmp")).put(body, BW - 70 + n * 20, sy + 5, True)

    # assemble on a plain desktop: rounded body, tab sticking out on the right
    cv = ma.Canvas(W, H, (150, 156, 164))
    cv.paint(ma.rbox(0, 0, BW, H, CORNER), lambda x, y: body.pixel(int(x), int(y)))
    ty = (H - TAB_H) // 2
    tab = ma.Canvas(TAB_W, TAB_H)
    Picture(os.path.join(tdir, "Right.bmp")).put(tab, 0, 0, False)
    Picture(os.path.join(tdir, "CloseButton.bmp")).put(tab, 11, 16, False)
    Picture(os.path.join(tdir, "OptButton.bmp")).put(tab, 11, 76, False)
    shape = ma.rbox(BW - 20, ty, W, ty + TAB_H, CORNER) & ma.halfplane(-1, 0, -BW)
    cv.paint(shape, lambda x, y: tab.pixel(int(x) - BW, int(y) - ty))
    cv.paint(shape.inner_ring(1.0) & ma.halfplane(-1, 0, -(BW + 1)), TAB_FRAME)
    return cv


def main():
    ap = argparse.ArgumentParser(description="Mock window previews of the art.")
    ap.add_argument("--art", required=True, help="folder written by make_art.py")
    ap.add_argument("--out", required=True, help="where to write preview BMPs")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for theme in sorted(os.listdir(os.path.join(args.art, "Data"))):
        for W, H, layout, tag in ((400, 300, "stretch", ""),
                                  (1000, 700, "stretch", "_large"),
                                  (1000, 700, "tile", "_large_tiled")):
            cv = window(args.art, theme, W, H, layout)
            path = os.path.join(args.out, "preview_%s%s.bmp" % (theme, tag))
            ma.save_opaque(path, cv)
            print(path)


if __name__ == "__main__":
    main()
