#!/usr/bin/python3
"""Renders the launcher and OSD artwork and the click sound.

Run with Debian's python3 (needs python3-pil and python3-numpy):
    /usr/bin/python3 tools/artwork/make_art.py          # render everything, then check
    /usr/bin/python3 tools/artwork/make_art.py --check  # only check the committed files

The build never runs this; the rendered files are committed. Every picture is
drawn at a multiple of its size and scaled down, so edges stay smooth on a TV.
"""
import math
import os
import random
import struct
import sys
import wave

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ART = os.path.join(ROOT, "launcher", "resources", "art")
OSD = os.path.join(ROOT, "osd", "art")
DING = os.path.join(ROOT, "launcher", "resources", "ding.wav")

FONT_DIRS = ["/usr/share/fonts/truetype/liberation", "/usr/share/fonts/truetype/dejavu"]
BOLD = "LiberationSans-Bold.ttf"
REGULAR = "LiberationSans-Regular.ttf"

# Palette: deep night blue walls, one teal accent, one warm amber accent.
INK = (10, 13, 22)
WALL_TOP = (11, 15, 28)
WALL_LOW = (22, 28, 47)
TEAL = (46, 196, 182)
AMBER = (244, 176, 92)
WHITE = (240, 243, 248)
GREY = (120, 128, 145)
RED = (232, 72, 72)


def font(size, name=BOLD):
    for d in FONT_DIRS:
        p = os.path.join(d, name)
        if os.path.exists(p):
            return ImageFont.truetype(p, size)
    raise SystemExit("font %s not found (apt-get install fonts-liberation)" % name)


# ---------------------------------------------------------------- drawing helpers

class Layer:
    """A transparent drawing layer at `ss` times the target size; coordinates are
    given in target pixels and scaled here."""

    def __init__(self, w, h, ss=4):
        self.w, self.h, self.ss = w, h, ss
        self.img = Image.new("RGBA", (w * ss, h * ss), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def _p(self, pts):
        return [(x * self.ss, y * self.ss) for x, y in pts]

    def _b(self, box):
        x0, y0, x1, y1 = box
        return [x0 * self.ss, y0 * self.ss, x1 * self.ss, y1 * self.ss]

    def rect(self, box, fill=None, outline=None, width=0, radius=0):
        self.d.rounded_rectangle(self._b(box), radius=radius * self.ss, fill=fill,
                                 outline=outline, width=int(round(width * self.ss)))

    def ellipse(self, box, fill=None, outline=None, width=0):
        self.d.ellipse(self._b(box), fill=fill, outline=outline, width=int(round(width * self.ss)))

    def circle(self, cx, cy, r, **kw):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), **kw)

    def poly(self, pts, fill=None, outline=None):
        self.d.polygon(self._p(pts), fill=fill, outline=outline)

    def line(self, pts, fill, width, joint="curve"):
        self.d.line(self._p(pts), fill=fill, width=int(round(width * self.ss)), joint=joint)
        # round caps
        r = width / 2.0
        for x, y in (pts[0], pts[-1]):
            self.circle(x, y, r, fill=fill)

    def arc(self, box, start, end, fill, width):
        self.d.arc(self._b(box), start, end, fill=fill, width=int(round(width * self.ss)))

    def text(self, xy, s, size, fill, anchor="la", name=BOLD):
        self.d.text((xy[0] * self.ss, xy[1] * self.ss), s, font=font(int(size * self.ss), name),
                    fill=fill, anchor=anchor)

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def text_width(s, size, name=BOLD):
    return font(size, name).getlength(s)


def fit_size(s, max_w, size, name=BOLD):
    while size > 6 and text_width(s, size, name) > max_w:
        size -= 1
    return size


def rgba(c, a=255):
    return (c[0], c[1], c[2], int(a))


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def vgrad(w, h, stops):
    """Vertical gradient; stops = [(pos 0..1, rgb), ...]."""
    ys = np.linspace(0.0, 1.0, h)
    out = np.zeros((h, w, 3), np.float32)
    pos = [s[0] for s in stops]
    for c in range(3):
        col = np.interp(ys, pos, [s[1][c] for s in stops])
        out[:, :, c] = col[:, None]
    return out


def add_glow(arr, cx, cy, r, color, strength, sx=1.0, sy=1.0):
    h, w, _ = arr.shape
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d2 = ((xx - cx) / (r * sx)) ** 2 + ((yy - cy) / (r * sy)) ** 2
    g = np.exp(-d2) * strength
    for c in range(3):
        arr[:, :, c] += g * color[c]


def vignette(arr, amount):
    h, w, _ = arr.shape
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt(((xx - w / 2) / (w / 2)) ** 2 + ((yy - h / 2) / (h / 2)) ** 2) / math.sqrt(2)
    arr *= (1.0 - amount * d ** 2)[:, :, None]


def noise(arr, amount, seed):
    # a little grain keeps big gradients from banding after JPEG compression
    rng = np.random.default_rng(seed)
    arr += rng.normal(0.0, amount, arr.shape[:2]).astype(np.float32)[:, :, None]


def to_image(arr):
    return Image.fromarray(np.clip(arr + 0.5, 0, 255).astype(np.uint8), "RGB")


def over(base, layer):
    """Alpha-composite an RGBA layer over an RGB image."""
    b = base.convert("RGBA")
    b.alpha_composite(layer)
    return b.convert("RGB")


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / float(e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


def calm_edges(img, color=INK, band=(150, 215)):
    """Calms the screen edges where text is drawn: a dark header band across the
    top (title and clock line) and a dark column on the left (menu and first tile
    column). Bands, not boxes, so nothing looks like a smudge."""
    a = np.asarray(img).astype(np.float32)
    h, w, _ = a.shape
    ys = np.arange(h, dtype=np.float32)[:, None]
    xs = np.arange(w, dtype=np.float32)[None, :]
    top = 0.85 * (1.0 - smoothstep(band[0], band[1], ys))
    left = 0.70 * (1.0 - smoothstep(540, 760, xs))
    m = np.maximum(top, left)[:, :, None]
    a = a * (1 - m) + np.array(color, np.float32)[None, None, :] * m
    return to_image(a)


# ---------------------------------------------------------------- icons

def icon(L, name, cx, cy, s, col, bg=None):
    """Draws a glyph centred on (cx, cy) within a box of half-size s."""
    k = s / 10.0  # design grid: -10..10

    def P(x, y):
        return (cx + x * k, cy + y * k)

    if name == "play_pause":
        L.poly([P(-9, -7), P(-9, 7), P(1, 0)], fill=col)
        L.rect((cx + 3 * k, cy - 7 * k, cx + 5.6 * k, cy + 7 * k), fill=col)
        L.rect((cx + 7.4 * k, cy - 7 * k, cx + 10 * k, cy + 7 * k), fill=col)
    elif name == "rewind":
        L.poly([P(0, -7), P(0, 7), P(-9, 0)], fill=col)
        L.poly([P(9, -7), P(9, 7), P(0, 0)], fill=col)
    elif name == "ffwd":
        L.poly([P(0, -7), P(0, 7), P(9, 0)], fill=col)
        L.poly([P(-9, -7), P(-9, 7), P(0, 0)], fill=col)
    elif name == "prev":
        L.rect((cx - 8 * k, cy - 7 * k, cx - 5.4 * k, cy + 7 * k), fill=col)
        L.poly([P(-5, 0), P(3, -7), P(3, 7)], fill=col)
        L.poly([P(2, 0), P(10, -7), P(10, 7)], fill=col)
    elif name == "next":
        L.rect((cx + 5.4 * k, cy - 7 * k, cx + 8 * k, cy + 7 * k), fill=col)
        L.poly([P(5, 0), P(-3, -7), P(-3, 7)], fill=col)
        L.poly([P(-2, 0), P(-10, -7), P(-10, 7)], fill=col)
    elif name == "play":
        L.poly([P(-6, -9), P(-6, 9), P(9, 0)], fill=col)
    elif name == "stop":
        L.rect((cx - 7 * k, cy - 7 * k, cx + 7 * k, cy + 7 * k), fill=col, radius=1.2 * k)
    elif name in ("back", "forward"):
        sgn = -1 if name == "back" else 1
        L.line([P(-8 * sgn, 0), P(3 * sgn, 0)], fill=col, width=3.6 * k)
        L.poly([P(10 * sgn, 0), P(1 * sgn, -8), P(1 * sgn, 8)], fill=col)
    elif name == "disc":
        L.circle(cx, cy, 9.5 * k, fill=col)
        L.circle(cx, cy, 3.2 * k, fill=bg)
        L.arc((cx - 7 * k, cy - 7 * k, cx + 7 * k, cy + 7 * k), 200, 250, fill=bg, width=1.2 * k)
    elif name == "picture":
        L.rect((cx - 10 * k, cy - 8 * k, cx + 10 * k, cy + 8 * k), outline=col, width=2.2 * k, radius=1.5 * k)
        L.poly([P(-7.5, 5.8), P(-2, -1), P(2, 3), P(4.5, 0.5), P(7.8, 5.8)], fill=col)
        L.circle(cx + 4.5 * k, cy - 3.6 * k, 1.8 * k, fill=col)
    elif name == "music":
        L.ellipse((cx - 9 * k, cy + 2.5 * k, cx - 2.5 * k, cy + 8 * k), fill=col)
        L.ellipse((cx + 2.5 * k, cy + 0.5 * k, cx + 9 * k, cy + 6 * k), fill=col)
        L.rect((cx - 4.6 * k, cy - 8 * k, cx - 2.5 * k, cy + 5.5 * k), fill=col)
        L.rect((cx + 6.9 * k, cy - 10 * k, cx + 9 * k, cy + 3.5 * k), fill=col)
        L.poly([P(-4.6, -8), P(9, -10), P(9, -6.2), P(-4.6, -4.2)], fill=col)
    elif name == "video":
        L.rect((cx - 10 * k, cy - 8 * k, cx + 10 * k, cy + 8 * k), fill=col, radius=1.5 * k)
        for i in range(4):
            x = cx - 7.6 * k + i * 5.05 * k
            L.rect((x - 1.1 * k, cy - 6.6 * k, x + 1.1 * k, cy - 5 * k), fill=bg)
            L.rect((x - 1.1 * k, cy + 5 * k, x + 1.1 * k, cy + 6.6 * k), fill=bg)
        L.poly([P(-2.6, -3.4), P(-2.6, 3.4), P(3.6, 0)], fill=bg)
    elif name == "zoom":
        L.circle(cx - 2 * k, cy - 2 * k, 7 * k, outline=col, width=2.4 * k)
        L.line([P(3.2, 3.2), P(8.8, 8.8)], fill=col, width=3.2 * k)
        L.line([P(-5.4, -2), P(1.4, -2)], fill=col, width=2 * k)
        L.line([P(-2, -5.4), P(-2, 1.4)], fill=col, width=2 * k)
    elif name in ("speaker", "speaker_mute"):
        L.poly([P(-9, -3.2), P(-4.5, -3.2), P(1, -8.5), P(1, 8.5), P(-4.5, 3.2), P(-9, 3.2)], fill=col)
        if name == "speaker":
            L.arc((cx - 4 * k, cy - 5 * k, cx + 6 * k, cy + 5 * k), -55, 55, fill=col, width=1.8 * k)
            L.arc((cx - 6 * k, cy - 9 * k, cx + 10 * k, cy + 9 * k), -55, 55, fill=col, width=1.8 * k)
    elif name == "mic":
        L.rect((cx - 3.4 * k, cy - 10 * k, cx + 3.4 * k, cy + 2.6 * k), fill=col, radius=3.4 * k)
        L.arc((cx - 6.4 * k, cy - 6.4 * k, cx + 6.4 * k, cy + 5.2 * k), 0, 180, fill=col, width=1.8 * k)
        L.line([P(0, 5.4), P(0, 8.6)], fill=col, width=1.8 * k)
        L.line([P(-4, 9), P(4, 9)], fill=col, width=1.8 * k)
    elif name == "echo":
        L.circle(cx - 6 * k, cy, 2.6 * k, fill=col)
        for r in (5.5, 10.5):
            L.arc((cx - 6 * k - r * k, cy - r * k, cx - 6 * k + r * k, cy + r * k), -48, 48,
                  fill=col, width=2 * k)
        L.arc((cx - 6 * k - 15.5 * k, cy - 15.5 * k, cx - 6 * k + 15.5 * k, cy + 15.5 * k), -34, 34,
              fill=col, width=2 * k)
    elif name == "magic":
        pts = []
        for i in range(10):
            a = -math.pi / 2 + i * math.pi / 5
            r = 9.5 if i % 2 == 0 else 4.0
            pts.append(P(r * math.cos(a), r * math.sin(a) + 0.6))
        L.poly(pts, fill=col)
    elif name == "keyshift":
        L.poly([P(-8, -2), P(-3.5, -9), P(1, -2)], fill=col)
        L.poly([P(-1, 2), P(3.5, 9), P(8, 2)], fill=col)
        L.rect((cx - 4.6 * k, cy - 2.2 * k, cx - 2.4 * k, cy + 8 * k), fill=col)
        L.rect((cx + 2.4 * k, cy - 8 * k, cx + 4.6 * k, cy + 2.2 * k), fill=col)
    elif name == "vocal":
        # a voice (head and sound waves) with a slash through it
        L.circle(cx - 3.5 * k, cy - 3 * k, 4.2 * k, fill=col)
        L.poly([P(-10, 9), P(-9, 3.6), P(-3.5, 1.6), P(2, 3.6), P(3, 9)], fill=col)
        L.arc((cx - 1 * k, cy - 8 * k, cx + 9 * k, cy + 2 * k), -50, 50, fill=col, width=1.7 * k)
        L.line([P(-9, -9), P(9, 9)], fill=bg, width=4.4 * k)
        L.line([P(-9, -9), P(9, 9)], fill=col, width=2 * k)
    elif name == "reset":
        L.arc((cx - 8 * k, cy - 8 * k, cx + 8 * k, cy + 8 * k), 320, 250, fill=col, width=2.6 * k)
        L.poly([P(-3.2, -12.4), P(3.6, -7.4), P(-3.6, -3.2)], fill=col)
    else:
        raise ValueError(name)


# ---------------------------------------------------------------- launcher: big pictures

def room_base(w, h, tint=(0, 0, 0), seed=1):
    a = vgrad(w, h, [(0.0, WALL_TOP), (0.78, WALL_LOW), (0.80, (14, 16, 25)), (1.0, (7, 8, 12))])
    a += np.array(tint, np.float32)[None, None, :]
    return a


def menu_background():
    W, H = 1920, 1024
    a = room_base(W, H)
    # moonlight from the window and a warm lamp
    add_glow(a, 1420, 520, 380, (40, 70, 120), 0.45, 1.1, 0.8)
    add_glow(a, 1775, 470, 230, AMBER, 0.30)
    add_glow(a, 1775, 900, 260, AMBER, 0.10, 1.4, 0.5)
    img = to_image(a)

    L = Layer(W, H, 2)
    # baseboard
    L.rect((0, 818, W, 822), fill=rgba((30, 37, 58)))
    # rug
    L.ellipse((560, 880, 1660, 1000), fill=rgba((27, 22, 40)))
    L.ellipse((600, 892, 1620, 988), outline=rgba((48, 40, 66)), width=3)
    # curtains
    for x0 in (1112, 1652):
        for i in range(6):
            shade = 24 + (i % 2) * 6
            L.rect((x0 + i * 12, 200, x0 + i * 12 + 13, 818), fill=rgba((shade + 6, shade - 4, shade + 18)))
    L.rect((1090, 190, 1710, 204), fill=rgba((36, 34, 52)), radius=6)
    img = over(img, L.result())

    # window: night sky, moon, quiet skyline
    wx0, wy0, wx1, wy1 = 1190, 232, 1648, 690
    sky = to_image(vgrad(wx1 - wx0, wy1 - wy0, [(0, (12, 22, 48)), (1, (34, 52, 92))]))
    S = Layer(wx1 - wx0, wy1 - wy0, 2)
    rnd = random.Random(7)
    for _ in range(60):
        x, y = rnd.uniform(0, wx1 - wx0), rnd.uniform(0, 260)
        r = rnd.choice((0.8, 1.0, 1.3))
        S.circle(x, y, r, fill=rgba((220, 228, 245), rnd.randint(90, 200)))
    moon = (330, 96)
    halo = Layer(wx1 - wx0, wy1 - wy0, 1)
    halo.circle(moon[0], moon[1], 62, fill=rgba((242, 233, 201), 40))
    sky = over(sky, halo.result().filter(ImageFilter.GaussianBlur(18)))
    S.circle(moon[0], moon[1], 40, fill=rgba((242, 233, 201)))
    S.circle(moon[0] + 14, moon[1] - 8, 34, fill=rgba((12, 22, 48), 0))
    x = 0
    while x < wx1 - wx0:
        bw = rnd.randint(26, 60)
        bh = rnd.randint(60, 170)
        top = (wy1 - wy0) - bh
        S.rect((x, top, x + bw, wy1 - wy0), fill=rgba((9, 14, 30)))
        for wy in range(top + 10, wy1 - wy0 - 8, 14):
            for wxp in range(x + 6, x + bw - 6, 11):
                if rnd.random() < 0.12:
                    S.rect((wxp, wy, wxp + 4, wy + 6), fill=rgba(AMBER, 150))
        x += bw + rnd.randint(2, 8)
    sky = over(sky, S.result())
    img.paste(sky, (wx0, wy0))

    L = Layer(W, H, 2)
    L.rect((wx0 - 16, wy0 - 16, wx1 + 16, wy1 + 16), outline=rgba((30, 36, 56)), width=18)
    L.rect((1412, wy0, 1426, wy1), fill=rgba((30, 36, 56)))
    L.rect((wx0, 454, wx1, 468), fill=rgba((30, 36, 56)))
    L.rect((wx0 - 34, wy1 + 14, wx1 + 34, wy1 + 30), fill=rgba((40, 46, 68)), radius=4)
    # moonlight on the floor
    L.poly([(wx0 + 40, 822), (wx1 - 40, 822), (wx1 + 140, 1024), (wx0 - 60, 1024)],
           fill=rgba((120, 150, 210), 10))
    # picture on the wall: calm abstract shapes
    L.rect((760, 300, 1010, 470), fill=rgba((20, 25, 40)), outline=rgba((44, 50, 72)), width=8)
    L.circle(850, 370, 44, fill=rgba(TEAL, 80))
    L.rect((880, 400, 990, 452), fill=rgba(AMBER, 60), radius=4)
    # sofa
    sofa = (40, 48, 74)
    L.rect((700, 640, 1520, 800), fill=rgba((30, 36, 58)), radius=34)          # back
    L.rect((660, 720, 770, 890), fill=rgba(sofa), radius=30)                   # left arm
    L.rect((1450, 720, 1560, 890), fill=rgba(sofa), radius=30)                 # right arm
    L.rect((740, 770, 1480, 880), fill=rgba((36, 43, 67)), radius=18)          # seat
    L.line([(1110, 780), (1110, 872)], fill=rgba((24, 29, 46)), width=4)
    for cx0, col in ((820, (52, 78, 96)), (1330, (92, 66, 58))):
        L.rect((cx0, 690, cx0 + 120, 790), fill=rgba(col), radius=22)          # cushions
    L.rect((1462, 726, 1552, 736), fill=rgba(AMBER, 40), radius=5)            # lamp light on the arm
    for x in (690, 1520):
        L.rect((x, 888, x + 14, 910), fill=rgba((18, 20, 30)))
    # floor lamp
    L.ellipse((1735, 930, 1815, 952), fill=rgba((34, 34, 42)))
    L.rect((1772, 500, 1778, 942), fill=rgba((46, 44, 52)))
    L.poly([(1740, 430), (1810, 430), (1832, 512), (1718, 512)], fill=rgba((236, 190, 120)))
    L.poly([(1746, 436), (1804, 436), (1822, 506), (1728, 506)], fill=rgba((250, 214, 150)))
    # plant in the corner
    L.rect((560, 820, 630, 900), fill=rgba((44, 38, 46)), radius=8)
    rnd = random.Random(3)
    for i in range(9):
        ang = math.radians(-150 + i * 15 + rnd.uniform(-5, 5))
        ln = rnd.uniform(110, 170)
        tip = (595 + math.cos(ang) * ln, 822 + math.sin(ang) * ln)
        mid = (595 + math.cos(ang) * ln * 0.55, 822 + math.sin(ang) * ln * 0.55)
        nx, ny = -math.sin(ang) * 14, math.cos(ang) * 14
        L.poly([(595, 822), (mid[0] + nx, mid[1] + ny), tip, (mid[0] - nx, mid[1] - ny)],
               fill=rgba((30, 62, 56)))
    img = over(img, L.result())

    a = np.asarray(img).astype(np.float32)
    vignette(a, 0.35)
    noise(a, 1.2, 11)
    img = to_image(a)
    # quiet areas: the menu column and the clock line
    img = calm_edges(img)

    L = Layer(W, H, 2)
    L.rect((100, 926, 112, 958), fill=rgba(TEAL), radius=3)
    L.text((126, 942), "Tessaly", 40, rgba((214, 220, 232), 220), anchor="lm")
    return over(img, L.result())


PAGES = {
    173: ("Game Menu", (10, 0, 18), (150, 90, 230), "gamepad"),
    174: ("Other Program", (0, 8, 10), TEAL, "apps"),
    175: ("Extras", (12, 6, 0), AMBER, "alarm"),
}


def page_picture(rid):
    title, tint, accent, art = PAGES[rid]
    W, H = 1920, 1024
    a = vgrad(W, H, [(0, WALL_TOP), (0.7, WALL_LOW), (1.0, (8, 10, 16))])
    a += np.array(tint, np.float32)[None, None, :]
    add_glow(a, 1480, 640, 460, accent, 0.10)
    img = to_image(a)

    L = Layer(W, H, 2)
    dim = mix((16, 20, 34), accent, 0.22 if art == "gamepad" else 0.28)
    if art == "gamepad":
        cx, cy = 1480, 640
        L.rect((cx - 320, cy - 140, cx + 320, cy + 120), fill=rgba(dim), radius=130)
        L.ellipse((cx - 350, cy - 20, cx - 130, cy + 270), fill=rgba(dim))
        L.ellipse((cx + 130, cy - 20, cx + 350, cy + 270), fill=rgba(dim))
        hole = rgba(mix((16, 20, 34), accent, 0.08))
        L.rect((cx - 250, cy - 45, cx - 130, cy - 5), fill=hole, radius=8)
        L.rect((cx - 210, cy - 85, cx - 170, cy + 35), fill=hole, radius=8)
        for dx, dy in ((160, -25), (215, -80), (215, 30), (270, -25)):
            L.circle(cx + dx, cy + dy, 26, fill=hole)
        L.rect((cx - 70, cy - 40, cx - 15, cy - 22), fill=hole, radius=9)
        L.rect((cx + 15, cy - 40, cx + 70, cy - 22), fill=hole, radius=9)
        L.circle(cx - 90, cy + 70, 42, fill=hole)
        L.circle(cx + 90, cy + 70, 42, fill=hole)
    elif art == "apps":
        x0, y0, s, g = 1180, 360, 150, 40
        for r in range(3):
            for c in range(3):
                x, y = x0 + c * (s + g), y0 + r * (s + g)
                if (r, c) == (1, 1):
                    L.rect((x, y, x + s, y + s), fill=rgba(mix((16, 20, 34), accent, 0.22)), radius=34)
                    icon(L, "play", x + s / 2, y + s / 2, 44, rgba(mix((16, 20, 34), accent, 0.5)))
                else:
                    L.rect((x, y, x + s, y + s), outline=rgba(dim), width=12, radius=34)
    else:
        cx, cy, r = 1480, 620, 250
        L.circle(cx - 190, cy - 230, 70, outline=rgba(dim), width=18)
        L.circle(cx + 190, cy - 230, 70, outline=rgba(dim), width=18)
        L.circle(cx, cy, r + 20, fill=rgba((16, 20, 34)))
        L.circle(cx, cy, r, outline=rgba(dim), width=22)
        for i in range(12):
            ang = math.radians(i * 30)
            L.line([(cx + math.cos(ang) * (r - 50), cy + math.sin(ang) * (r - 50)),
                    (cx + math.cos(ang) * (r - 30), cy + math.sin(ang) * (r - 30))], fill=rgba(dim), width=10)
        L.line([(cx, cy), (cx, cy - 150)], fill=rgba(dim), width=18)
        L.line([(cx, cy), (cx + 110, cy + 60)], fill=rgba(dim), width=18)
        L.circle(cx, cy, 20, fill=rgba(dim))
        L.line([(cx - 170, cy + 230), (cx - 210, cy + 290)], fill=rgba(dim), width=20)
        L.line([(cx + 170, cy + 230), (cx + 210, cy + 290)], fill=rgba(dim), width=20)
    img = over(img, L.result().filter(ImageFilter.GaussianBlur(1)))

    a = np.asarray(img).astype(np.float32)
    vignette(a, 0.35)
    noise(a, 1.2, rid)
    img = to_image(a)
    img = calm_edges(img, band=(168, 184))

    L = Layer(W, H, 2)
    L.rect((100, 180, 1820, 182), fill=rgba(mix((16, 20, 34), accent, 0.35)))
    L.text((100, 118), title, 64, rgba(WHITE), anchor="ls")
    L.rect((100, 140, 220, 148), fill=rgba(accent), radius=4)
    return over(img, L.result())


def start_card():
    W = H = 400
    a = vgrad(W, H, [(0, (16, 24, 46)), (0.7, (12, 17, 32)), (1, (8, 10, 18))])
    add_glow(a, 200, 190, 150, (30, 110, 120), 0.55)
    img = to_image(a)
    L = Layer(W, H, 4)
    L.text((200, 70), "Welcome", 46, rgba(WHITE), anchor="mm")
    L.circle(200, 194, 84, outline=rgba(TEAL, 70), width=16)
    L.circle(200, 194, 78, outline=rgba(TEAL), width=7)
    L.circle(200, 194, 66, fill=rgba((14, 40, 52)))
    icon(L, "play", 206, 194, 40, rgba(WHITE))
    # the countdown caption sits on a plain band at the bottom
    L.rect((0, 304, W, H), fill=rgba((8, 10, 18)))
    L.rect((60, 302, 340, 305), fill=rgba(TEAL, 150), radius=1)
    L.rect((3, 3, W - 3, H - 3), outline=rgba((52, 62, 92)), width=4, radius=18)
    img = over(img, L.result())
    a = np.asarray(img).astype(np.float32)
    noise(a, 1.0, 216)
    return to_image(a)


def list_panel():
    W, H = 399, 500
    # no hard lines: the select dialog lays its first choice over the top edge
    a = vgrad(W, H, [(0, (20, 26, 46)), (0.08, (16, 21, 37)), (0.14, (12, 16, 28)), (1, (8, 10, 18))])
    add_glow(a, 390, 500, 160, (30, 70, 90), 0.35)
    img = to_image(a)
    L = Layer(W, H, 4)
    for r, al in ((120, 26), (85, 20), (50, 16)):
        L.circle(399, 500, r, outline=rgba(TEAL, al), width=5)
    L.rect((1, 1, W - 1, H - 1), outline=rgba((40, 48, 72)), width=2)
    img = over(img, L.result())
    a = np.asarray(img).astype(np.float32)
    noise(a, 1.0, 218)
    return to_image(a)


def folder_icon():
    L = Layer(27, 27, 8)
    L.rect((2, 4, 12, 10), fill=rgba((200, 132, 44)), radius=2)
    L.rect((2, 7, 25, 23), fill=rgba((214, 150, 58)), radius=2.5)
    L.rect((2, 10, 25, 23), fill=rgba(AMBER), radius=2.5)
    L.rect((2, 10, 25, 12), fill=rgba((252, 206, 140)))
    return L.result()


# ---------------------------------------------------------------- launcher: karaoke panel

KARAOKE_ROWS = [  # label, toggle y, bar y (or None), bar count, bar step
    ("Mic Monitor", 45, 90, 20, 10),
    ("Echo", 165, 210, 25, 10),
    ("Magic Voice", 285, None, 0, 0),
    ("Key Shift", 405, 450, 9, 21),
    ("Vocal Cancel", 525, None, 0, 0),
    ("Reset", 591, None, 0, 0),
]
MAGIC_SLOTS = [(30, 337), (110, 337), (218, 337), (30, 365), (110, 365)]
MAGIC_NAMES = ["Voice 1", "Voice 2", "Voice 3", "Voice 4", "Voice 5"]


def karaoke_background():
    W, H = 335, 650
    L = Layer(W, H, 4)
    L.rect((1, 1, W - 1, H - 1), fill=rgba((12, 15, 27), 232), outline=rgba((52, 62, 92), 255),
           width=2, radius=16)
    L.text((W / 2 + 8, 24), "KARAOKE", 20, rgba(TEAL), anchor="mm")
    icon(L, "mic", 100, 24, 9, rgba(TEAL))
    L.rect((20, 38, W - 20, 39.5), fill=rgba((52, 62, 92)))
    for i, (label, ty, by, count, step) in enumerate(KARAOKE_ROWS):
        L.text((84, ty + 20), label, 19, rgba(WHITE), anchor="lm")
        if by is not None:
            for j in range(count):
                x = 30 + step * j
                centre = (i == 1 and j == 12) or (i == 3 and j == 4)
                col = rgba((70, 80, 108)) if centre else rgba((36, 42, 62))
                L.rect((x, by, x + 9, by + 30), fill=col, radius=2)
            end = 30 + step * (count - 1) + 9
            L.text((end + 10, by + 15), "+", 20, rgba(GREY), anchor="lm")
        if i < 5:
            L.rect((20, ty + (112 if i in (0, 1, 3) else 108 if i == 2 else 58), W - 20,
                    ty + (113.5 if i in (0, 1, 3) else 109.5 if i == 2 else 59.5)),
                   fill=rgba((30, 36, 56)))
    for (x, y), name in zip(MAGIC_SLOTS, MAGIC_NAMES):
        L.rect((x, y, x + 20, y + 16), fill=rgba((30, 36, 54)), radius=4)
        L.text((x + 26, y + 8.5), name, 14, rgba((200, 206, 220)), anchor="lm", name=REGULAR)
    return L.result()


TOGGLES = {
    # id: (glyph, on?, muted look)
    222: ("mic", True, False),
    223: ("mic", False, True),
    224: ("echo", True, False),
    225: ("echo", False, False),
    226: ("magic", True, False),
    227: ("magic", False, False),
    230: ("keyshift", True, False),
    231: ("keyshift", False, False),
    232: ("vocal", True, False),
    233: ("vocal", False, False),
}


def toggle_button(glyph, on, muted):
    L = Layer(40, 40, 8)
    if on:
        L.circle(20, 20, 19.2, fill=rgba(TEAL, 70))
        L.circle(20, 20, 17, fill=rgba((24, 150, 140)))
        L.circle(20, 20, 17, outline=rgba((120, 235, 222)), width=1.6)
        icon(L, glyph, 20, 20, 11, rgba(WHITE), bg=rgba((24, 150, 140)))
    elif muted:
        L.circle(20, 20, 17.5, fill=rgba((44, 20, 26)))
        L.circle(20, 20, 17.5, outline=rgba(RED), width=2.2)
        icon(L, glyph, 20, 20, 11, rgba((150, 150, 160)), bg=rgba((44, 20, 26)))
        L.line([(10, 10), (30, 30)], fill=rgba((44, 20, 26)), width=5.5)
        L.line([(10, 10), (30, 30)], fill=rgba(RED), width=3)
    else:
        L.circle(20, 20, 17.5, fill=rgba((26, 30, 44)))
        L.circle(20, 20, 17.5, outline=rgba((86, 94, 116)), width=2)
        icon(L, glyph, 20, 20, 11, rgba((120, 128, 148)), bg=rgba((26, 30, 44)))
    return L.result()


def reset_button():
    L = Layer(40, 40, 8)
    L.circle(20, 20, 17.5, fill=rgba((60, 40, 20)))
    L.circle(20, 20, 17.5, outline=rgba(AMBER), width=2.2)
    icon(L, "reset", 20, 21, 10, rgba(AMBER))
    return L.result()


def magic_slot(selected):
    L = Layer(20, 16, 8)
    if selected:
        L.rect((1, 1, 19, 15), fill=rgba(AMBER), radius=4)
        L.circle(10, 8, 3.2, fill=rgba((60, 36, 10)))
    else:
        L.rect((1, 1, 19, 15), fill=rgba((30, 36, 54)), outline=rgba((100, 108, 130)), width=1.5, radius=4)
    return L.result()


def level_segment():
    img = Image.new("RGBA", (9, 30))
    top, bottom = np.array((140, 240, 200), np.float32), np.array((30, 170, 160), np.float32)
    px = img.load()
    for y in range(30):
        c = top + (bottom - top) * (y / 29.0)
        for x in range(9):
            corner = (x in (0, 8)) and (y in (0, 29))
            px[x, y] = (int(c[0]), int(c[1]), int(c[2]), 120 if corner else 255)
    return img


def row_marker():
    L = Layer(12, 17, 8)
    L.poly([(1, 1.5), (11, 8.5), (1, 15.5)], fill=rgba(AMBER))
    return L.result()


# ---------------------------------------------------------------- OSD pictures

OSD_W, OSD_H = 183, 52
KEY_PICTURES = {
    # resource id: (glyph, caption)
    185: ("disc", "DVD menu"),
    191: ("picture", "pictures"),
    190: ("music", "music"),
    193: ("video", "videos"),
    194: ("rewind", "rewind"),
    192: ("play_pause", "play/pause"),
    187: ("ffwd", "fast forward"),
    189: ("prev", "replay"),
    196: ("stop", "stop"),
    195: ("next", "skip"),
    183: ("back", "back"),
    184: ("forward", "forward"),
    186: ("zoom", "zoom"),
}


def osd_ground(seed):
    a = vgrad(OSD_W, OSD_H, [(0, (24, 29, 44)), (1, (12, 14, 22))])
    # dark diagonal stripes
    yy, xx = np.mgrid[0:OSD_H, 0:OSD_W]
    stripe = ((xx + yy) // 6) % 2 == 0
    a[stripe] += 5.0
    img = to_image(a)
    L = Layer(OSD_W, OSD_H, 4)
    L.rect((0.5, 0.5, OSD_W - 0.5, OSD_H - 0.5), outline=rgba((60, 70, 100)), width=1)
    return over(img, L.result())


def osd_key_picture(glyph, caption):
    img = osd_ground(0)
    L = Layer(OSD_W, OSD_H, 4)
    L.circle(28, 26, 19, fill=rgba(TEAL))
    icon(L, glyph, 28, 26, 11.5, rgba((10, 30, 34)), bg=rgba(TEAL))
    size = fit_size(caption, OSD_W - 58 - 8, 22)
    L.text((58, 27), caption, size, rgba(WHITE), anchor="lm")
    return over(img, L.result())


def osd_volume(lit, muted):
    img = osd_ground(0)
    L = Layer(OSD_W, OSD_H, 4)
    if muted:
        icon(L, "speaker_mute", 18, 26, 12, rgba((170, 174, 186)))
        L.line([(21, 19), (31, 33)], fill=rgba(RED), width=2.6)
        L.line([(31, 19), (21, 33)], fill=rgba(RED), width=2.6)
    else:
        icon(L, "speaker", 18, 26, 12, rgba(WHITE))
    # minus, twenty segments rising left to right, plus
    sign = GREY if not muted else (80, 86, 100)
    L.rect((34, 24.5, 42, 27.5), fill=rgba(sign))
    x0, seg, gap = 46, 4, 2
    for i in range(20):
        x = x0 + i * (seg + gap)
        hgt = 8 + i * 1.15
        if i < lit and not muted:
            col = mix(TEAL, (150, 236, 120), i / 19.0)
        else:
            col = (44, 50, 68)
        L.rect((x, 41 - hgt, x + seg, 41), fill=rgba(col), radius=0.8)
    L.rect((168, 24.5, 178, 27.5), fill=rgba(sign))
    L.rect((171.5, 21, 174.5, 31), fill=rgba(sign))
    return over(img, L.result())


# ---------------------------------------------------------------- click sound

def ding():
    rate, dur = 44100, 0.12
    n = int(rate * dur)
    t = np.arange(n) / rate
    env = np.exp(-t / 0.028) * np.minimum(1.0, t / 0.0015)
    sig = (np.sin(2 * np.pi * 1760 * t) * 0.65 + np.sin(2 * np.pi * 2640 * t) * 0.25
           + np.sin(2 * np.pi * 3520 * t) * 0.10 * np.exp(-t / 0.01))
    out = sig * env
    out[-int(rate * 0.01):] *= np.linspace(1, 0, int(rate * 0.01))
    pcm = np.clip(out * 0.5 * 32767, -32768, 32767).astype("<i2")
    with wave.open(DING, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(pcm.tobytes())


# ---------------------------------------------------------------- output and check

def save_jpeg(img, path):
    img.convert("RGB").save(path, "JPEG", quality=92, progressive=False, optimize=False,
                            subsampling="4:2:0")


def save_png(img, path):
    img.convert("RGBA").save(path, "PNG", optimize=True)


def save_bmp(img, path):
    img.convert("RGB").save(path, "BMP")


def expected():
    """(path, format, mode, size) of every rendered file."""
    e = [(os.path.join(ART, "215.jpg"), "JPEG", "RGB", (1920, 1024)),
         (os.path.join(ART, "216.jpg"), "JPEG", "RGB", (400, 400)),
         (os.path.join(ART, "218.jpg"), "JPEG", "RGB", (399, 500)),
         (os.path.join(ART, "237.png"), "PNG", "RGBA", (27, 27)),
         (os.path.join(ART, "221.png"), "PNG", "RGBA", (335, 650)),
         (os.path.join(ART, "228.png"), "PNG", "RGBA", (20, 16)),
         (os.path.join(ART, "229.png"), "PNG", "RGBA", (20, 16)),
         (os.path.join(ART, "234.png"), "PNG", "RGBA", (9, 30)),
         (os.path.join(ART, "235.png"), "PNG", "RGBA", (12, 17)),
         (os.path.join(ART, "236.png"), "PNG", "RGBA", (40, 40))]
    for rid in PAGES:
        e.append((os.path.join(ART, "%d.jpg" % rid), "JPEG", "RGB", (1920, 1024)))
    for rid in TOGGLES:
        e.append((os.path.join(ART, "%d.png" % rid), "PNG", "RGBA", (40, 40)))
    for rid in range(129, 151):
        e.append((os.path.join(OSD, "%d.bmp" % rid), "BMP", "RGB", (OSD_W, OSD_H)))
    for rid in sorted(KEY_PICTURES):
        e.append((os.path.join(OSD, "%d.jpg" % rid), "JPEG", "RGB", (OSD_W, OSD_H)))
    return e


def check():
    bad = []
    for path, fmt, mode, size in expected():
        if not os.path.exists(path):
            bad.append("missing " + path)
            continue
        with Image.open(path) as im:
            if im.format != fmt or im.mode != mode or im.size != size:
                bad.append("%s: %s %s %s, want %s %s %s" % (path, im.format, im.mode, im.size, fmt, mode, size))
            if fmt == "JPEG" and (im.info.get("progressive") or im.info.get("progression")):
                bad.append(path + ": progressive JPEG")
        if fmt == "BMP":
            with open(path, "rb") as f:
                hdr = f.read(54)
            bpp, compression = struct.unpack("<HI", hdr[28:34])
            if bpp != 24 or compression != 0:
                bad.append("%s: %d bpp, compression %d" % (path, bpp, compression))
    if not os.path.exists(DING):
        bad.append("missing " + DING)
    else:
        with wave.open(DING, "rb") as w:
            p = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype())
            secs = w.getnframes() / float(w.getframerate())
        if p != (1, 2, 44100, "NONE") or secs >= 0.2:
            bad.append("%s: %s, %.3f s" % (DING, p, secs))
    for b in bad:
        print("BAD", b)
    print("%d files checked, %d problems" % (len(expected()) + 1, len(bad)))
    return not bad


def render():
    os.makedirs(ART, exist_ok=True)
    os.makedirs(OSD, exist_ok=True)
    save_jpeg(menu_background(), os.path.join(ART, "215.jpg"))
    for rid in PAGES:
        save_jpeg(page_picture(rid), os.path.join(ART, "%d.jpg" % rid))
    save_jpeg(start_card(), os.path.join(ART, "216.jpg"))
    save_jpeg(list_panel(), os.path.join(ART, "218.jpg"))
    save_png(folder_icon(), os.path.join(ART, "237.png"))
    save_png(karaoke_background(), os.path.join(ART, "221.png"))
    for rid, (glyph, on, muted) in TOGGLES.items():
        save_png(toggle_button(glyph, on, muted), os.path.join(ART, "%d.png" % rid))
    save_png(reset_button(), os.path.join(ART, "236.png"))
    save_png(magic_slot(True), os.path.join(ART, "228.png"))
    save_png(magic_slot(False), os.path.join(ART, "229.png"))
    save_png(level_segment(), os.path.join(ART, "234.png"))
    save_png(row_marker(), os.path.join(ART, "235.png"))
    save_bmp(osd_volume(0, False), os.path.join(OSD, "129.bmp"))
    save_bmp(osd_volume(0, True), os.path.join(OSD, "130.bmp"))
    for rid in range(131, 151):
        save_bmp(osd_volume(151 - rid, False), os.path.join(OSD, "%d.bmp" % rid))
    for rid, (glyph, caption) in KEY_PICTURES.items():
        save_jpeg(osd_key_picture(glyph, caption), os.path.join(OSD, "%d.jpg" % rid))
    ding()


if __name__ == "__main__":
    if "--check" not in sys.argv[1:]:
        render()
    sys.exit(0 if check() else 1)
