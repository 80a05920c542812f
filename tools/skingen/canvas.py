"""Drawing helpers for the skin pictures.

Everything is drawn on a canvas SS times larger than the picture and scaled
down once at the end, which gives smooth edges with Pillow's plain ImageDraw.
Coordinates given to the helpers are picture pixels (floats allowed).
"""
from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 3  # supersampling factor

FONT_DIRS = {
    "sans": "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "sans-bold": "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "cjk": "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf",
    "ui": "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "ui-bold": "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
}

_font_cache = {}


def font(name, px):
    key = (name, px)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONT_DIRS[name], px)
    return _font_cache[key]


def mix(a, b, t):
    """Linear blend of two RGB tuples, t = 0 gives a."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def shade(c, f):
    return tuple(max(0, min(255, int(round(v * f)))) for v in c)


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.img = Image.new("RGB", (w * SS, h * SS), fill)
        self.d = ImageDraw.Draw(self.img)

    # -- coordinates --------------------------------------------------------
    @staticmethod
    def s(v):
        return int(round(v * SS))

    def box(self, x, y, w, h):
        return [self.s(x), self.s(y), self.s(x + w) - 1, self.s(y + h) - 1]

    # -- plain shapes -------------------------------------------------------
    def rect(self, x, y, w, h, fill):
        self.d.rectangle(self.box(x, y, w, h), fill=fill)

    def rrect(self, x, y, w, h, r, fill=None, outline=None, width=1):
        self.d.rounded_rectangle(self.box(x, y, w, h), radius=self.s(r), fill=fill,
                                 outline=outline, width=max(1, self.s(width)))

    def line(self, pts, fill, width=1):
        self.d.line([(self.s(px), self.s(py)) for px, py in pts], fill=fill,
                    width=max(1, self.s(width)), joint="curve")

    def poly(self, pts, fill=None, outline=None):
        self.d.polygon([(self.s(px), self.s(py)) for px, py in pts], fill=fill, outline=outline)

    def ellipse(self, x, y, w, h, fill=None, outline=None, width=1):
        self.d.ellipse(self.box(x, y, w, h), fill=fill, outline=outline, width=max(1, self.s(width)))

    def circle(self, cx, cy, r, fill=None, outline=None, width=1):
        self.ellipse(cx - r, cy - r, 2 * r, 2 * r, fill, outline, width)

    # -- gradients and masks ------------------------------------------------
    def mask(self):
        return Image.new("L", self.img.size, 0)

    def vgrad(self, x, y, w, h, top, bottom, radius=0, mask=None):
        """Vertical gradient inside a (rounded) rectangle or a given full-size mask."""
        bx = self.box(x, y, w, h)
        gw, gh = max(1, bx[2] - bx[0] + 1), max(1, bx[3] - bx[1] + 1)
        grad = Image.new("RGB", (1, gh))
        for i in range(gh):
            grad.putpixel((0, i), mix(top, bottom, i / max(1, gh - 1)))
        grad = grad.resize((gw, gh))
        if mask is None:
            m = Image.new("L", (gw, gh), 0)
            ImageDraw.Draw(m).rounded_rectangle([0, 0, gw - 1, gh - 1], radius=self.s(radius), fill=255)
        else:
            m = mask.crop((bx[0], bx[1], bx[0] + gw, bx[1] + gh))
        self.img.paste(grad, (bx[0], bx[1]), m)

    def hgrad(self, x, y, w, h, left, right):
        bx = self.box(x, y, w, h)
        gw = max(1, bx[2] - bx[0] + 1)
        grad = Image.new("RGB", (gw, 1))
        for i in range(gw):
            grad.putpixel((i, 0), mix(left, right, i / max(1, gw - 1)))
        grad = grad.resize((gw, bx[3] - bx[1] + 1))
        self.img.paste(grad, (bx[0], bx[1]))

    def glow(self, shape_fn, color, blur, strength=1.0):
        """Soft light around a shape: shape_fn(draw, s) draws the shape in 255 on a mask."""
        m = self.mask()
        shape_fn(ImageDraw.Draw(m), self.s)
        bbox = m.getbbox()
        if not bbox:
            return
        # blur only around the shape: a full-size blur costs seconds per call
        pad = self.s(blur) * 3
        box = (max(0, bbox[0] - pad), max(0, bbox[1] - pad),
               min(m.size[0], bbox[2] + pad), min(m.size[1], bbox[3] + pad))
        part = m.crop(box).filter(ImageFilter.GaussianBlur(self.s(blur)))
        if strength != 1.0:
            part = part.point(lambda v: min(255, int(v * strength)))
        self.img.paste(Image.new("RGB", part.size, color), box[:2], part)

    def glow_mask(self, m, color, blur, strength=1.0):
        bbox = m.getbbox()
        if not bbox:
            return
        pad = self.s(blur) * 3
        box = (max(0, bbox[0] - pad), max(0, bbox[1] - pad),
               min(m.size[0], bbox[2] + pad), min(m.size[1], bbox[3] + pad))
        part = m.crop(box).filter(ImageFilter.GaussianBlur(self.s(blur)))
        if strength != 1.0:
            part = part.point(lambda v: min(255, int(v * strength)))
        self.img.paste(Image.new("RGB", part.size, color), box[:2], part)

    def fill_mask(self, m, color):
        self.img.paste(Image.new("RGB", self.img.size, color), (0, 0), m)

    # -- text (only language-neutral glyphs and the language pictures) ---------
    def text(self, x, y, s, fnt_name, px, fill, anchor="la"):
        f = font(fnt_name, self.s(px))
        self.d.text((self.s(x), self.s(y)), s, font=f, fill=fill, anchor=anchor)

    # -- composition ----------------------------------------------------------
    def crop(self, x, y, w, h):
        return self.img.crop((self.s(x), self.s(y), self.s(x + w), self.s(y + h)))

    def paste(self, im, x, y):
        self.img.paste(im, (self.s(x), self.s(y)))

    def copy(self):
        c = Canvas.__new__(Canvas)
        c.w, c.h = self.w, self.h
        c.img = self.img.copy()
        c.d = ImageDraw.Draw(c.img)
        return c

    def final(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def noise_texture(w, h, seed, amount):
    """Deterministic fine grain (brushed-metal feel) as an L image of picture size * SS."""
    import random
    rnd = random.Random(seed)
    small = Image.new("L", (w, max(1, h // 2)))
    px = small.load()
    for yy in range(small.size[1]):
        row = rnd.randint(-amount, amount)
        for xx in range(w):
            px[xx, yy] = 128 + row + rnd.randint(-amount // 2, amount // 2)
    return small.resize((w * SS, h * SS), Image.BILINEAR)
