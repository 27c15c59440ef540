#!/usr/bin/env python3
"""Draws the program's pictures (plain shapes and soft colours) into code/companion/Resource/files.

Standard library only: shapes are signed distance functions, so every edge is anti-aliased
without a drawing library. Run it again after changing a picture and commit the results.
Usage: scripts/make_pictures.py
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "code", "companion", "Resource", "files")

# The house accent is a cyan; a button's three states: at rest, under the pointer, pressed.
ACCENT = (27, 190, 218)
ACCENT_STATES = ((27, 190, 218), (86, 212, 234), (12, 146, 172))
GREY_STATES = ((236, 240, 244), (222, 232, 240), (200, 212, 224))
INK = (93, 102, 117)
WHITE = (255, 255, 255)
CLOSE_RED = (226, 72, 72)


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(map(float, fill)) for _ in range(w * h)]

    def blend(self, i, color, alpha):
        if alpha <= 0.0:
            return
        d = self.px[i]
        out_a = alpha + d[3] / 255.0 * (1.0 - alpha)
        for c in range(3):
            d[c] = (color[c] * alpha + d[c] * d[3] / 255.0 * (1.0 - alpha)) / out_a
        d[3] = out_a * 255.0

    def paint(self, sdf, color, opacity=1.0, box=None):
        """Fills where sdf(x, y) < 0; color is an RGB tuple or a function of (x, y)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0) - 1), max(0, int(y0) - 1)
        x1, y1 = min(self.w, int(math.ceil(x1)) + 1), min(self.h, int(math.ceil(y1)) + 1)
        for y in range(y0, y1):
            for x in range(x0, x1):
                px, py = x + 0.5, y + 0.5
                cover = min(1.0, max(0.0, 0.5 - sdf(px, py)))
                if cover > 0.0:
                    col = color(px, py) if callable(color) else color
                    self.blend(y * self.w + x, col, cover * opacity)

    def png(self):
        raw = bytearray()
        for y in range(self.h):
            raw.append(0)
            for x in range(self.w):
                raw.extend(max(0, min(255, int(round(v)))) for v in self.px[y * self.w + x])
        return png_file(self.w, self.h, 8, 6, bytes(raw))

    def mask_png(self):
        """1-bit black and white: black where the picture is covered, for a QBitmap mask."""
        raw = bytearray()
        for y in range(self.h):
            raw.append(0)
            row = 0
            for x in range(self.w):
                white = self.px[y * self.w + x][3] < 128.0
                row = (row << 1) | (1 if white else 0)
                if x % 8 == 7:
                    raw.append(row)
                    row = 0
            if self.w % 8:
                raw.append(row << (8 - self.w % 8))
        return png_file(self.w, self.h, 1, 0, bytes(raw))


def png_file(w, h, depth, color_type, raw):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", w, h, depth, color_type, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def ico_file(canvases):
    """Windows icon with 32-bit DIB entries; the AND mask stays clear, the alpha channel rules."""
    head = struct.pack("<HHH", 0, 1, len(canvases))
    offset = 6 + 16 * len(canvases)
    entries, images = b"", b""
    for cv in canvases:
        mask_row = ((cv.w + 31) // 32) * 4
        dib = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        for y in reversed(range(cv.h)):
            for x in range(cv.w):
                r, g, b, a = (max(0, min(255, int(round(v)))) for v in cv.px[y * cv.w + x])
                dib += bytes((b, g, r, a))
        dib += b"\0" * (mask_row * cv.h)
        entries += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, 0, 0, 1, 32, len(dib), offset + len(images))
        images += dib
    return head + entries + images


# Signed distance functions: negative inside.
def rrect(x0, y0, x1, y1, r):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(x, y):
        qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def segment(ax, ay, bx, by, r):
    def d(x, y):
        vx, vy, wx, wy = bx - ax, by - ay, x - ax, y - ay
        t = max(0.0, min(1.0, (wx * vx + wy * vy) / (vx * vx + vy * vy or 1.0)))
        return math.hypot(wx - vx * t, wy - vy * t) - r
    return d


def polyline(points, r):
    parts = [segment(*points[i], *points[i + 1], r) for i in range(len(points) - 1)]
    return lambda x, y: min(p(x, y) for p in parts)


def polygon(points):
    def d(x, y):
        best, inside = float("inf"), False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            best = min(best, segment(ax, ay, bx, by, 0.0)(x, y))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -best if inside else best
    return d


def arc(cx, cy, r, width, start, end):
    """Stroke of a circle from angle start to end (degrees, clockwise from the top)."""
    def d(x, y):
        ang = math.degrees(math.atan2(x - cx, cy - y))
        if (ang - start) % 360.0 <= end - start:
            return abs(math.hypot(x - cx, y - cy) - r) - width / 2
        ends = [(cx + r * math.sin(math.radians(a)), cy - r * math.cos(math.radians(a))) for a in (start, end)]
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2
    return d


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def union(*parts):
    return lambda x, y: min(p(x, y) for p in parts)


def minus(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def vertical(top, bottom, h):
    return lambda x, y: tuple(top[c] + (bottom[c] - top[c]) * y / h for c in range(3))


def lighter(color, amount):
    return tuple(c + (255 - c) * amount for c in color)


# Glyphs, drawn in a 24 x 24 box and scaled by s around the origin (ox, oy).
def glyph(name, s=1.0, ox=0.0, oy=0.0):
    def P(x, y):
        return ox + x * s, oy + y * s

    def seg(a, b, w=2.0):
        return segment(*P(*a), *P(*b), w * s / 2)

    def line(pts, w=2.0):
        return polyline([P(*p) for p in pts], w * s / 2)

    def circ(c, r):
        return circle(*P(*c), r * s)

    def rng(c, r, w=2.0):
        return ring(*P(*c), r * s, w * s)

    def box(x0, y0, x1, y1, r):
        return rrect(*P(x0, y0), *P(x1, y1), r * s)

    def frame(x0, y0, x1, y1, r, w=2.0):
        outer = box(x0, y0, x1, y1, r)
        return lambda x, y: abs(outer(x, y) + w * s / 2) - w * s / 2

    def arcd(c, r, a0, a1, w=2.0):
        return arc(*P(*c), r * s, w * s, a0, a1)

    def poly(pts):
        return polygon([P(*p) for p in pts])

    g = {
        "close": union(seg((7, 7), (17, 17)), seg((17, 7), (7, 17))),
        "close_rim": union(seg((7, 7), (17, 17), 5.0), seg((17, 7), (7, 17), 5.0)),
        "min": seg((6, 15), (18, 15)),
        "left": line([(15, 5), (8, 12), (15, 19)], 2.6),
        "right": line([(9, 5), (16, 12), (9, 19)], 2.6),
        "check": line([(6, 12.5), (10.5, 17), (18, 7)], 2.6),
        "sun": union(circ((12, 12), 4.5), *[seg((12 + 7 * math.sin(a), 12 - 7 * math.cos(a)),
                                                 (12 + 9.5 * math.sin(a), 12 - 9.5 * math.cos(a)))
                                             for a in [i * math.pi / 4 for i in range(8)]]),
        "heart": union(circ((8.5, 9.5), 4.3), circ((15.5, 9.5), 4.3), poly([(4.5, 11.5), (19.5, 11.5), (12, 20)])),
        "band": union(frame(7, 6, 17, 18, 3), box(9, 1.5, 15, 6, 1), box(9, 18, 15, 22.5, 1), seg((12, 9.5), (12, 12.5), 1.6),
                      seg((12, 12.5), (14, 14), 1.6)),
        "bars": union(box(4, 13, 8, 20, 1), box(10, 8, 14, 20, 1), box(16, 4, 20, 20, 1)),
        "sync": union(arcd((12, 12), 7, 20, 160), arcd((12, 12), 7, 200, 340),
                      poly([(17.5, 17.2), (20.5, 11.5), (14, 12.5)]), poly([(6.5, 6.8), (3.5, 12.5), (10, 11.5)])),
        "tasks": union(frame(4, 3, 20, 21, 2), line([(7, 9), (8.5, 10.5), (11, 7.5)], 1.6), seg((13, 9), (17, 9), 1.6),
                       line([(7, 15), (8.5, 16.5), (11, 13.5)], 1.6), seg((13, 15), (17, 15), 1.6)),
        "steps": union(box(5, 4, 10, 14, 2.5), box(5.5, 15, 9.5, 18.5, 2), box(14, 7, 19, 17, 2.5), box(14.5, 18, 18.5, 21.5, 2)),
        "flame": union(circ((12, 15), 5.5), poly([(6.8, 13.5), (12, 2.5), (17.2, 13.5)])),
        "clock": union(rng((12, 12), 8.5), line([(12, 7), (12, 12), (15.5, 14)], 2.0)),
        "distance": union(rng((12, 9.5), 5.5), poly([(7.2, 12), (12, 21), (16.8, 12)]), circ((12, 9.5), 2)),
        "moon": minus(circ((12, 12), 8.5), circ((16, 8.5), 7)),
        "bed": union(box(3, 14, 21, 17, 1), box(3, 8, 5.5, 20, 1), box(18.5, 11, 21, 20, 1), circ((8.5, 11.5), 2.2),
                     box(11, 10, 19, 14, 1.5)),
        "light": union(minus(circ((12, 12), 8.5), circ((15, 9.5), 7.5)), circ((17.5, 6), 1.2)),
        "deep": union(minus(circ((12, 12), 8.5), circ((16.5, 8), 6)), circ((12, 12), 2.5)),
        "calendar": union(frame(3.5, 5, 20.5, 20.5, 2.5), box(3.5, 5, 20.5, 10, 2), seg((8, 3), (8, 7), 2.2),
                          seg((16, 3), (16, 7), 2.2), box(7, 13, 10, 16, 0.5), box(14, 13, 17, 16, 0.5)),
        "question": union(rng((12, 12), 9), arcd((12, 9.5), 3.2, 270, 450, 2.2), seg((12, 12.7), (12, 14.2), 2.2),
                          circ((12, 17.5), 1.4)),
        "update": union(rng((12, 12), 9), seg((12, 17), (12, 8), 2.2), line([(8, 11), (12, 7), (16, 11)], 2.2)),
        "info": union(rng((12, 12), 9), seg((12, 11), (12, 17), 2.2), circ((12, 7.5), 1.4)),
        "chip": union(frame(6, 6, 18, 18, 2), box(9.5, 9.5, 14.5, 14.5, 1), *[seg((x, 2.5), (x, 6), 1.6) for x in (9, 12, 15)],
                      *[seg((x, 18), (x, 21.5), 1.6) for x in (9, 12, 15)], *[seg((2.5, y), (6, y), 1.6) for y in (9, 12, 15)],
                      *[seg((18, y), (21.5, y), 1.6) for y in (9, 12, 15)]),
        "plug": union(box(7, 8, 17, 15, 2.5), seg((10, 3), (10, 8), 2.2), seg((14, 3), (14, 8), 2.2), seg((12, 15), (12, 21), 2.4)),
        "person": union(circ((12, 7.5), 4), box(5, 13, 19, 22, 5.5)),
        "shoe": union(box(4, 11, 20, 17, 3), box(4, 6, 11, 14, 2.5), box(3.5, 17, 20.5, 19.5, 1)),
        "radio": union(circ((12, 12), 2.2), arcd((12, 12), 5.5, 300, 420), arcd((12, 12), 9, 300, 420),
                       arcd((12, 12), 5.5, 120, 240), arcd((12, 12), 9, 120, 240)),
    }
    return g[name]


class Pictures:
    def __init__(self, root):
        self.root = root
        self.written = 0

    def save(self, rel, data):
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)
        self.written += 1

    def button(self, rel_base, w, h, palette, radius, icon=None, icon_color=WHITE, keep=("none", "hover", "press")):
        """Pictures of a rounded button: at rest, under the pointer, pressed (sunk by a pixel)."""
        for state, (name, color) in enumerate(zip(("none", "hover", "press"), palette)):
            if name not in keep:
                continue
            cv = Canvas(w, h)
            sink = 1.0 if state == 2 else 0.0
            if state != 2 and h > 30:
                cv.paint(rrect(1, 2.5, w - 1, h - 0.5, radius), (0, 0, 0), 0.12)
            top, bottom = lighter(color, 0.12), color
            cv.paint(rrect(1, 1 + sink, w - 1, h - 2 + sink, radius), vertical(top, bottom, h))
            if icon:
                s = min(w, h) / 24.0 * 0.8
                ox, oy = (w - 24 * s) / 2, (h - 24 * s) / 2 + sink
                cv.paint(glyph(icon, s, ox, oy), icon_color)
            self.save("%s_%s.png" % (rel_base, name), cv.png())

    def icon(self, rel, size, name, color, disc=None):
        cv = Canvas(size, size)
        if disc:
            cv.paint(circle(size / 2, size / 2, size / 2 - 0.5), disc)
        s = size / 24.0 * (0.72 if disc else 1.0)
        off = (size - 24 * s) / 2
        cv.paint(glyph(name, s, off, off), color)
        self.save(rel, cv.png())

    def background(self, rel, w, h, top, bottom, bubbles):
        cv = Canvas(w, h, (0, 0, 0, 255))
        cv.paint(lambda x, y: -1.0, vertical(top, bottom, h))
        for cx, cy, r, alpha in bubbles:
            cv.paint(circle(cx, cy, r), WHITE, alpha, (cx - r, cy - r, cx + r, cy + r))
        self.save(rel, cv.png())
        return cv

    def figure(self, rel, w, h, color, female):
        """A person on a soft card: a round head, shoulders, and a skirt for the female one."""
        cv = Canvas(w, h)
        cv.paint(rrect(0.5, 0.5, w - 0.5, h - 0.5, 16), lighter(color, 0.85))
        cx, s = w / 2, h / 318.0
        cv.paint(circle(cx, 78 * s, 38 * s), color)
        body = rrect(cx - 55 * s, 128 * s, cx + 55 * s, 230 * s, 30 * s)
        if female:
            body = union(body, polygon([(cx - 45 * s, 190 * s), (cx + 45 * s, 190 * s), (cx + 75 * s, 262 * s), (cx - 75 * s, 262 * s)]))
        cv.paint(body, color)
        cv.paint(union(rrect(cx - 34 * s, 230 * s, cx - 8 * s, 300 * s, 10 * s), rrect(cx + 8 * s, 230 * s, cx + 34 * s, 300 * s, 10 * s)), color)
        self.save(rel, cv.png())

    def wear_spot(self, rel, size, spot):
        """A standing figure with the spot where the band is worn marked by a cyan ring."""
        cv = Canvas(size, size)
        cv.paint(rrect(0.5, 0.5, size - 0.5, size - 0.5, 14), (244, 248, 251))
        s, cx = size / 150.0, size / 2
        body = (176, 188, 200)
        cv.paint(circle(cx, 24 * s, 11 * s), body)
        cv.paint(rrect(cx - 17 * s, 38 * s, cx + 17 * s, 88 * s, 8 * s), body)
        cv.paint(union(segment(cx - 20 * s, 44 * s, cx - 30 * s, 84 * s, 5 * s), segment(cx + 20 * s, 44 * s, cx + 30 * s, 84 * s, 5 * s)), body)
        cv.paint(union(segment(cx - 8 * s, 88 * s, cx - 10 * s, 134 * s, 6 * s), segment(cx + 8 * s, 88 * s, cx + 10 * s, 134 * s, 6 * s)), body)
        spots = {"neck": (0, 36), "wrist": (30, 82), "waist": (0, 82), "ankle": (10, 130)}
        x, y = spots[spot]
        cv.paint(ring(cx + x * s, y * s, 8 * s, 3.5 * s), ACCENT)
        self.save(rel, cv.png())


def main():
    p = Pictures(os.path.normpath(ROOT))

    # Window icon: a cyan disc with the band glyph.
    icons = []
    for size in (32, 64):
        cv = Canvas(size, size)
        cv.paint(circle(size / 2, size / 2, size / 2 - 0.5), ACCENT)
        s = size / 24.0 * 0.7
        cv.paint(glyph("band", s, (size - 24 * s) / 2, (size - 24 * s) / 2), WHITE)
        icons.append(cv)
    p.save("icon/logo.ico", ico_file(icons))

    # Line-edit field: its background and the focus mark beside the text.
    cv = Canvas(300, 60)
    cv.paint(rrect(1, 6, 299, 54, 8), (205, 214, 224))
    cv.paint(rrect(2, 7, 298, 53, 7), WHITE)
    p.save("img/edit/edit_bg.png", cv.png())
    p.save("img/edit/focus_none.png", Canvas(5, 60).png())
    cv = Canvas(5, 60)
    cv.paint(rrect(0.5, 10, 4.5, 50, 2), ACCENT)
    p.save("img/edit/focus_on.png", cv.png())

    # Backgrounds.
    cv = Canvas(800, 46)
    cv.paint(lambda x, y: -1.0, lambda x, y: tuple(a + (b - a) * x / 800 for a, b in zip((14, 150, 176), (27, 190, 218))))
    p.save("img/PageTop/top_bg.png", cv.png())
    p.background("img/login/login_bg.png", 800, 554, (238, 247, 251), (212, 236, 245),
                 [(690, 110, 150, 0.35), (90, 470, 120, 0.3), (760, 500, 70, 0.25)])
    p.background("img/register/register_bg.png", 800, 554, (242, 246, 250), (222, 234, 244),
                 [(60, 90, 110, 0.35), (720, 450, 140, 0.3)])
    cv = Canvas(160, 554, (250, 251, 253, 255))
    cv.paint(lambda x, y: -1.0, vertical((252, 253, 254), (240, 244, 248), 554))
    cv.paint(rrect(159, 0, 160, 554, 0), (226, 231, 237))
    p.save("img/PageMenu/menu_bg.png", cv.png())
    cv = Canvas(160, 56, (234, 246, 250, 255))
    p.save("img/PageMenu/item_hover.png", cv.png())
    cv = Canvas(160, 56, (220, 242, 248, 255))
    cv.paint(rrect(0, 8, 4, 48, 1.5), ACCENT)
    p.save("img/PageMenu/item_current.png", cv.png())

    # Masks: the round avatar and the help menu with its pointer near the top right.
    cv = Canvas(61, 61)
    cv.paint(circle(30.5, 30.5, 30), WHITE)
    p.save("img/PageMenu/head_mask.png", cv.mask_png())
    cv = Canvas(181, 280)
    cv.paint(union(rrect(0, 8, 181, 280, 8), polygon([(158, 9), (166, 0), (174, 9)])), WHITE)
    p.save("img/PageAbout/menu_mask.png", cv.mask_png())

    # Default avatar of the navigation column.
    cv = Canvas(61, 61)
    cv.paint(circle(30.5, 30.5, 30), (214, 236, 244))
    cv.paint(glyph("person", 1.6, 11.3, 8.5), lighter(ACCENT, 0.25))
    p.save("img/PageMenu/head.png", cv.png())

    # Buttons, each with its three states. The minimise button sits on the coloured header only.
    for state, bg in zip(("none", "hover", "press"), (None, (255, 255, 255), (255, 255, 255))):
        cv = Canvas(21, 21)
        if bg:
            cv.paint(rrect(0.5, 0.5, 20.5, 20.5, 4), bg, 0.25 if state == "hover" else 0.45)
        cv.paint(glyph("min", 21 / 24.0 * 0.85, 1.6, 1.6 + (0.5 if state == "press" else 0)), WHITE)
        p.save("img/button/min_%s.png" % state, cv.png())
    # The close button sits on the coloured header and on white dialogs alike: a white cross
    # with a dark rim at rest, white on red under the pointer and pressed, seen on either.
    for state, bg in zip(("none", "hover", "press"), (None, CLOSE_RED, lighter(CLOSE_RED, -0.2))):
        cv = Canvas(21, 21)
        sink = 0.5 if state == "press" else 0
        if bg:
            cv.paint(rrect(0.5, 0.5 + sink, 20.5, 20.5, 4), bg)
        else:
            cv.paint(glyph("close_rim", 21 / 24.0 * 0.85, 1.6, 1.6), INK)
        cv.paint(glyph("close", 21 / 24.0 * 0.85, 1.6, 1.6 + sink), WHITE)
        p.save("img/button/close_%s.png" % state, cv.png())
    p.button("img/button/login", 300, 60, ACCENT_STATES, 10)
    p.button("img/button/vc", 110, 60, GREY_STATES, 10)
    p.button("img/button/common", 100, 36, ACCENT_STATES, 8)
    p.button("img/register/done", 100, 36, ACCENT_STATES, 8, keep=("none",))
    p.button("img/DevicePos/done", 100, 36, ACCENT_STATES, 8, keep=("none", "press"))
    p.button("img/register/up", 28, 25, GREY_STATES, 6, "left", INK)
    p.button("img/register/next", 28, 25, ACCENT_STATES, 6, "right", WHITE)
    for name, color in zip(("none", "hover", "press"), ((140, 150, 165), ACCENT, ACCENT_STATES[2])):
        cv = Canvas(24, 24)
        if name == "press":
            cv.paint(rrect(0, 0, 24, 24, 5), ACCENT, 0.15)
        cv.paint(glyph("calendar"), color)
        p.save("img/PageWeek/calendar_%s.png" % name, cv.png())

    # Sex check box: an empty and a ticked circle.
    cv = Canvas(20, 20)
    cv.paint(ring(10, 10, 8, 1.6), (170, 180, 192))
    p.save("img/register/sex_unchecked.png", cv.png())
    cv = Canvas(20, 20)
    cv.paint(circle(10, 10, 9), ACCENT)
    cv.paint(glyph("check", 20 / 24.0 * 0.8, 2, 2), WHITE)
    p.save("img/register/sex_checked.png", cv.png())

    # People: the wizard's sex pictures and the targets page's gender pictures.
    p.figure("img/register/male_info.png", 218, 318, (78, 156, 214), False)
    p.figure("img/register/female_info.png", 218, 318, (226, 120, 160), True)
    p.figure("img/PageTarget/gender_male.png", 120, 175, (78, 156, 214), False)
    p.figure("img/PageTarget/gender_female.png", 120, 175, (226, 120, 160), True)

    # Where the band is worn, and the frame of the chosen spot.
    for spot in ("neck", "wrist", "waist", "ankle"):
        p.wear_spot("img/DevicePos/pos_%s.png" % spot, 150, spot)
    cv = Canvas(150, 150)
    frame = rrect(0.5, 0.5, 149.5, 149.5, 14)
    cv.paint(lambda x, y: abs(frame(x, y) + 1.5) - 1.5, ACCENT)
    cv.paint(circle(132, 18, 11), ACCENT)
    cv.paint(glyph("check", 0.7, 123.6, 9.6), WHITE)
    p.save("img/DevicePos/pos_selected.png", cv.png())

    # Navigation entries: grey when normal, cyan when current.
    for name in ("sun", "heart", "band", "bars", "sync", "tasks"):
        p.icon("img/PageMenu/nav_%s_none.png" % name, 32, name, (140, 150, 165))
        p.icon("img/PageMenu/nav_%s_current.png" % name, 32, name, ACCENT)

    # Card titles, figure rows and help entries.
    p.icon("img/PageToday/title_steps.png", 24, "steps", ACCENT)
    p.icon("img/PageToday/title_sleep.png", 24, "moon", (122, 110, 214))
    for name, glyph_name, color in (("steps", "steps", ACCENT), ("kcal", "flame", (240, 130, 80)),
                                    ("time", "clock", (92, 170, 120)), ("dist", "distance", (78, 156, 214)),
                                    ("sleep_len", "bed", (122, 110, 214)), ("fall_asleep", "moon", (150, 130, 220)),
                                    ("light", "light", (120, 170, 230)), ("deep", "deep", (80, 80, 170))):
        p.icon("img/PageDay/row_%s.png" % name, 24, glyph_name, color)
    for name, glyph_name in (("usage", "question"), ("update", "update"), ("about", "info"),
                             ("firmware", "chip"), ("driver", "plug")):
        p.icon("img/PageAbout/help_%s.png" % name, 22, glyph_name, INK)

    # Week cards' status pictures: a glyph in the top half, the lower half left light for a text.
    for name, glyph_name, color in (("sport", "shoe", ACCENT), ("sleep", "moon", (122, 110, 214))):
        cv = Canvas(140, 140)
        cv.paint(circle(70, 70, 69), (244, 248, 251))
        cv.paint(ring(70, 70, 64, 4), lighter(color, 0.55))
        cv.paint(glyph(glyph_name, 2.6, 39, 10), color)
        p.save("img/PageWeek/%s_status.png" % name, cv.png())

    # BMI dial: a soft disc with a ring going green to orange.
    cv = Canvas(180, 180)
    cv.paint(circle(90, 90, 89), (246, 249, 251))
    cv.paint(arc(90, 90, 78, 10, 220, 500), lambda x, y: (92 + 150 * x / 180, 190 - 60 * x / 180, 120 - 40 * x / 180))
    p.save("img/PageHealth/bmi_bg.png", cv.png())

    # Pairing rows and the busy meter's track and moving arc.
    p.icon("img/PagePairing/row_band.png", 48, "band", (140, 150, 165), (236, 240, 244))
    p.icon("img/PagePairing/row_band_current.png", 48, "band", WHITE, ACCENT)
    cv = Canvas(64, 64)
    cv.paint(ring(32, 32, 26, 6), (222, 232, 240))
    p.save("img/PagePairing/busy_track.png", cv.png())
    cv = Canvas(64, 64)
    cv.paint(arc(32, 32, 26, 6, 0, 90), ACCENT)
    p.save("img/PagePairing/busy_arc.png", cv.png())

    print("%d files in %s" % (p.written, p.root))


if __name__ == "__main__":
    main()
