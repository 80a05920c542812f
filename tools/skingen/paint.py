"""Paints every picture of the skin from the window descriptions.

Each window is painted three times, once per state: in the `over` picture every
region shows its hovered look, in `down` its pressed or selected look. The
program copies one region's rectangle at a time from those pictures onto the
`normal` one, so a look is always clipped to its own rectangle.
"""
import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import windows as W
from canvas import SS, Canvas, mix, shade, font

HI = (0, 198, 255)      # highlight of the program (0xFFC600)
ACCENT = (7, 188, 255)  # accent of the program (0xFFBC07)
WHITE = (255, 255, 255)
LIST_BG = (0x16, 0x16, 0x16)
LIST_SEL = (0x5D, 0x5D, 0x5D)

CHROME = dict(
    header_top=(30, 33, 39), header_bottom=(17, 19, 23),
    metal_top=(126, 133, 141), metal_bottom=(92, 99, 107),
    plate_top=(204, 209, 215), plate_bottom=(158, 164, 171), plate_edge=(74, 80, 88),
    glyph_dark=(38, 42, 48),
)

# Content backgrounds of the three image variants of the main and LED pages.
THEMES = [
    dict(name="graphite", bg_top=(27, 30, 35), bg_bottom=(15, 17, 20), card=(29, 32, 38),
         card_edge=(50, 56, 64), mouse_top=(74, 79, 87), mouse_bottom=(34, 37, 42),
         mouse_edge=(104, 111, 121), chip=(62, 67, 75)),
    dict(name="black", bg_top=(12, 12, 13), bg_bottom=(4, 4, 5), card=(17, 17, 19),
         card_edge=(38, 38, 42), mouse_top=(44, 44, 47), mouse_bottom=(14, 14, 15),
         mouse_edge=(78, 78, 84), chip=(20, 20, 22)),
    dict(name="midnight", bg_top=(16, 27, 48), bg_bottom=(7, 12, 24), card=(18, 29, 50),
         card_edge=(36, 60, 98), mouse_top=(226, 230, 236), mouse_bottom=(160, 167, 177),
         mouse_edge=(240, 244, 248), chip=(30, 52, 96)),
]
PLAIN = THEMES[0]

STATES = ("normal", "over", "down")


# ---------------------------------------------------------------------------
# glyphs (language-neutral drawings used inside buttons)
# ---------------------------------------------------------------------------
def glyph(c, kind, cx, cy, size, color, width=1.6):
    s = size / 2.0
    if kind == "min":
        c.line([(cx - s, cy + s * 0.15), (cx + s, cy + s * 0.15)], color, width)
    elif kind == "close":
        c.line([(cx - s, cy - s), (cx + s, cy + s)], color, width)
        c.line([(cx - s, cy + s), (cx + s, cy - s)], color, width)
    elif kind == "check":
        c.line([(cx - s, cy), (cx - s * 0.25, cy + s * 0.7), (cx + s, cy - s * 0.7)], color, width)
    elif kind == "chev_down":
        c.line([(cx - s, cy - s * 0.45), (cx, cy + s * 0.45), (cx + s, cy - s * 0.45)], color, width)
    elif kind == "chev_right":
        c.line([(cx - s * 0.45, cy - s), (cx + s * 0.45, cy), (cx - s * 0.45, cy + s)], color, width)
    elif kind == "power":
        c.d.arc(c.box(cx - s, cy - s, 2 * s, 2 * s), start=-60, end=240, fill=color,
                width=max(1, c.s(width)))
        c.line([(cx, cy - s * 1.15), (cx, cy - s * 0.1)], color, width)
    elif kind == "globe":
        c.circle(cx, cy, s, outline=color, width=width)
        c.ellipse(cx - s * 0.45, cy - s, s * 0.9, 2 * s, outline=color, width=width * 0.8)
        c.line([(cx - s, cy), (cx + s, cy)], color, width * 0.8)
    elif kind in ("import", "export"):
        # a tray with an arrow going in or out
        c.line([(cx - s, cy + s * 0.2), (cx - s, cy + s), (cx + s, cy + s), (cx + s, cy + s * 0.2)],
               color, width)
        if kind == "import":
            c.line([(cx, cy - s), (cx, cy + s * 0.45)], color, width)
            c.line([(cx - s * 0.45, cy), (cx, cy + s * 0.45), (cx + s * 0.45, cy)], color, width)
        else:
            c.line([(cx, cy + s * 0.45), (cx, cy - s)], color, width)
            c.line([(cx - s * 0.45, cy - s * 0.55), (cx, cy - s), (cx + s * 0.45, cy - s * 0.55)],
                   color, width)
    elif kind == "reset":
        c.d.arc(c.box(cx - s, cy - s, 2 * s, 2 * s), start=-200, end=100, fill=color,
                width=max(1, c.s(width)))
        tip = (cx - s * math.cos(math.radians(20)), cy - s * math.sin(math.radians(20)))
        c.poly([(tip[0] - s * 0.45, tip[1] - s * 0.05), (tip[0] + s * 0.35, tip[1] - s * 0.25),
                (tip[0] + s * 0.05, tip[1] + s * 0.55)], fill=color)
    elif kind == "mouse":
        c.rrect(cx - s * 0.62, cy - s, s * 1.24, s * 2, s * 0.6, outline=color, width=width)
        c.line([(cx, cy - s), (cx, cy - s * 0.2)], color, width)
    elif kind == "dpi":
        c.d.arc(c.box(cx - s, cy - s, 2 * s, 2 * s), start=150, end=390, fill=color,
                width=max(1, c.s(width)))
        c.line([(cx, cy), (cx + s * 0.55, cy - s * 0.55)], color, width)
        c.circle(cx, cy, s * 0.16, fill=color)
    elif kind == "macro":
        c.rrect(cx - s, cy - s * 0.62, 2 * s, s * 1.24, s * 0.2, outline=color, width=width)
        for i in range(3):
            c.rect(cx - s * 0.65 + i * s * 0.55, cy - s * 0.3, s * 0.28, s * 0.22, color)
        c.rect(cx - s * 0.5, cy + s * 0.2, s, s * 0.18, color)
    elif kind == "light":
        c.circle(cx, cy - s * 0.15, s * 0.5, outline=color, width=width)
        c.line([(cx - s * 0.22, cy + s * 0.55), (cx + s * 0.22, cy + s * 0.55)], color, width)
        for a in (-150, -110, -70, -30, 10, 190):
            r0, r1 = s * 0.72, s * 1.0
            ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
            c.line([(cx + ca * r0, cy - s * 0.15 + sa * r0), (cx + ca * r1, cy - s * 0.15 + sa * r1)],
                   color, width * 0.8)
    elif kind == "sound":
        hs = [0.35, 0.75, 1.0, 0.6, 0.85, 0.45, 0.25]
        bw = 2 * s / (len(hs) * 1.6)
        for i, f in enumerate(hs):
            x = cx - s + i * bw * 1.6 + bw * 0.3
            c.rrect(x, cy - s * f, bw, 2 * s * f, bw / 2, fill=color)
    elif kind == "bars":
        for i, f in enumerate((0.4, 0.8, 0.55, 1.0)):
            x = cx - s + i * s * 0.52
            c.rect(x, cy + s - 2 * s * f, s * 0.36, 2 * s * f, color)
    elif kind == "flash":
        c.poly([(cx + s * 0.15, cy - s), (cx - s * 0.55, cy + s * 0.12), (cx - s * 0.02, cy + s * 0.12),
                (cx - s * 0.2, cy + s), (cx + s * 0.55, cy - s * 0.18), (cx + s * 0.02, cy - s * 0.18)],
               fill=color)
    elif kind == "breathe":
        pts = [(cx - s + i * 2 * s / 40, cy - math.sin(i / 40 * 2 * math.pi) * s * 0.6) for i in range(41)]
        c.line(pts, color, width * 1.2)
    elif kind == "record":
        c.circle(cx, cy, s * 0.55, fill=color)
    elif kind == "warning":
        c.poly([(cx, cy - s), (cx + s * 1.1, cy + s * 0.85), (cx - s * 1.1, cy + s * 0.85)], outline=color)
        c.line([(cx, cy - s), (cx + s * 1.1, cy + s * 0.85), (cx - s * 1.1, cy + s * 0.85), (cx, cy - s)],
               color, width)
        c.line([(cx, cy - s * 0.35), (cx, cy + s * 0.3)], color, width * 1.2)
        c.circle(cx, cy + s * 0.58, width * 0.8, fill=color)
    elif kind == "strength":
        c.line([(cx, cy - s), (cx, cy + s)], color, width)
        c.line([(cx - s * 0.5, cy + s * 0.4), (cx, cy + s), (cx + s * 0.5, cy + s * 0.4)], color, width)
        c.line([(cx - s * 0.5, cy - s * 0.2), (cx, cy + s * 0.4), (cx + s * 0.5, cy - s * 0.2)], color, width)
    elif kind == "interval":
        c.circle(cx, cy, s, outline=color, width=width)
        c.line([(cx, cy - s * 0.6), (cx, cy), (cx + s * 0.45, cy + s * 0.3)], color, width)
    elif kind == "repeat":
        c.d.arc(c.box(cx - s, cy - s, 2 * s, 2 * s), start=20, end=320, fill=color, width=max(1, c.s(width)))
        c.poly([(cx + s * 0.95, cy - s * 0.75), (cx + s * 1.15, cy - s * 0.05), (cx + s * 0.45, cy - s * 0.15)],
               fill=color)
    elif kind == "hold":
        c.rrect(cx - s * 0.5, cy - s, s, s * 1.4, s * 0.45, outline=color, width=width)
        c.line([(cx, cy - s), (cx, cy - s * 0.45)], color, width)
        c.line([(cx - s * 0.7, cy + s * 0.7), (cx + s * 0.7, cy + s * 0.7)], color, width)
    elif kind == "count":
        c.line([(cx - s, cy - s * 0.6), (cx - s * 0.2, cy + s * 0.6)], color, width)
        c.line([(cx - s * 0.2, cy - s * 0.6), (cx - s, cy + s * 0.6)], color, width)
        c.text(cx + s * 0.55, cy, "N", "sans-bold", s * 1.5, color, anchor="mm")
    elif kind.startswith("arrow"):
        d = {"arrow_r": 0, "arrow_l": 180}
        if kind in d:
            a = d[kind]
            sign = 1 if a == 0 else -1
            c.line([(cx - s * sign, cy), (cx + s * sign, cy)], color, width)
            c.line([(cx + s * 0.45 * sign, cy - s * 0.5), (cx + s * sign, cy), (cx + s * 0.45 * sign, cy + s * 0.5)],
                   color, width)
        elif kind == "arrow_out":
            c.line([(cx - s, cy), (cx + s, cy)], color, width)
            for sign in (1, -1):
                c.line([(cx + s * 0.5 * sign, cy - s * 0.45), (cx + s * sign, cy), (cx + s * 0.5 * sign, cy + s * 0.45)],
                       color, width)
            c.line([(cx, cy - s * 0.5), (cx, cy + s * 0.5)], color, width * 0.7)
        elif kind == "arrow_in":
            for sign in (1, -1):
                c.line([(cx + s * sign, cy), (cx + s * 0.15 * sign, cy)], color, width)
                c.line([(cx + s * 0.6 * sign, cy - s * 0.45), (cx + s * 0.15 * sign, cy),
                        (cx + s * 0.6 * sign, cy + s * 0.45)], color, width)
    else:
        raise ValueError(kind)


# ---------------------------------------------------------------------------
# control looks
# ---------------------------------------------------------------------------
def framed(c, x, y, w, h, r, top, bottom, edge, glow_color=None):
    if glow_color:
        c.glow(lambda d, s: d.rounded_rectangle([s(x + 2), s(y + 2), s(x + w - 2), s(y + h - 2)],
                                                radius=s(r), fill=255), glow_color, 3, 0.8)
    c.vgrad(x + 0.5, y + 0.5, w - 1, h - 1, top, bottom, radius=r)
    c.rrect(x + 0.5, y + 0.5, w - 1, h - 1, r, outline=edge, width=1)


def btn_colors(state, kind="plain"):
    if kind == "primary":
        return {"normal": ((0, 122, 172), (0, 80, 120), (0, 168, 222)),
                "over": ((0, 152, 206), (0, 100, 150), (120, 226, 255)),
                "down": ((0, 74, 108), (0, 56, 84), HI)}[state]
    if kind == "record":
        return {"normal": ((56, 40, 44), (36, 26, 30), (110, 60, 66)),
                "over": ((80, 48, 54), (50, 30, 34), (255, 96, 96)),
                "down": ((150, 24, 32), (96, 14, 20), (255, 80, 80))}[state]
    return {"normal": ((50, 55, 63), (34, 38, 44), (70, 77, 87)),
            "over": ((58, 66, 78), (38, 44, 53), HI),
            "down": ((0, 92, 128), (0, 60, 88), HI)}[state]


def draw_look(c, reg, state, theme, ctx):
    """Draws region reg in the given state on canvas c (full window coordinates)."""
    x, y, w, h = reg.x, reg.y, reg.w, reg.h
    look = reg.look
    kind, _, arg = look.partition(":")

    if kind in ("label", "message", "overlay", "soundpanel", "swatch", "picture", "value_plain"):
        return
    if kind == "value":
        c.rrect(x + 0.5, y + 0.5, w - 1, h - 1, 4, fill=(15, 17, 20), outline=(44, 49, 56))
        return
    if kind == "winbtn":
        if state != "normal":
            col = (200, 40, 48) if (arg == "close" and state == "over") else \
                  (150, 24, 30) if arg == "close" else (60, 66, 76) if state == "over" else (0, 92, 128)
            c.rrect(x, y, w, h, 5, fill=col)
        glyph(c, arg, x + w / 2, y + h / 2, 11, WHITE if state != "normal" else (190, 196, 204), 1.6)
        return
    if kind == "button":
        variant = {"primary": "primary", "ok": "primary", "record": "record"}.get(arg, "plain")
        if arg == "toggle" and state == "down":
            variant = "plain"
        top, bottom, edge = btn_colors(state, variant)
        framed(c, x, y, w, h, 6, top, bottom, edge, HI if (state == "over" and variant == "primary") else None)
        c.line([(x + 7, y + 1.5), (x + w - 7, y + 1.5)], mix(top, WHITE, 0.25), 1)
        if arg == "record":
            col = (255, 70, 70) if state != "normal" else (220, 60, 60)
            glyph(c, "record", x + 20, y + h / 2, 16, col)
        elif arg == "menu":
            glyph(c, "chev_right", x + w - 18, y + h / 2, 10, WHITE if state != "normal" else (170, 178, 188))
        elif arg == "ok":
            glyph(c, "check", x + w / 2, y + h / 2, 16, WHITE, 2.4)
        elif arg == "exit":
            glyph(c, "power", x + w / 2, y + h / 2, 18, WHITE, 2.2)
        elif arg == "level" and state == "down":
            c.rect(x + 10, y + h - 4, w - 20, 2, HI)
        elif arg == "toggle" and state == "down":
            c.rect(x + 12, y + h - 5, w - 24, 2, HI)
        return
    if kind == "dropdown":
        if arg == "inset":
            top, bottom, edge = (18, 20, 24), (12, 13, 16), {"normal": (46, 51, 58), "over": HI, "down": HI}[state]
        else:
            top, bottom = {"normal": ((38, 42, 49), (26, 29, 34)), "over": ((46, 52, 61), (30, 34, 40)),
                           "down": ((0, 70, 100), (0, 48, 70))}[state]
            edge = (66, 73, 83) if state == "normal" else HI
        framed(c, x, y, w, h, 5, top, bottom, edge)
        if arg != "bare":
            glyph(c, "chev_down", x + w - 14, y + h / 2, 9, HI if state != "normal" else (160, 168, 178), 1.6)
        return
    if kind == "tab":
        icon = {"buttons": "mouse", "dpi": "dpi", "macro": "macro", "light": "light"}[arg]
        if state == "normal":
            framed(c, x, y, w, h, 6, CHROME["plate_top"], CHROME["plate_bottom"], CHROME["plate_edge"])
            c.line([(x + 6, y + 1.5), (x + w - 6, y + 1.5)], (236, 239, 242), 1)
            glyph(c, icon, x + 22, y + h / 2, 18, CHROME["glyph_dark"], 1.7)
        elif state == "over":
            framed(c, x, y, w, h, 6, (36, 116, 162), (18, 66, 102), HI)
            glyph(c, icon, x + 22, y + h / 2, 18, WHITE, 1.7)
        else:
            framed(c, x, y, w, h, 6, (24, 27, 32), (14, 16, 19), (0, 130, 176))
            c.rrect(x + 3, y + 8, 4, h - 16, 2, fill=HI)
            glyph(c, icon, x + 24, y + h / 2, 18, HI, 1.7)
        return
    if kind == "iconbtn":
        on_metal = arg in ("import", "export", "reset")
        if arg == "down":
            top, bottom, edge = btn_colors(state)
            framed(c, x, y, w, h, 5, top, bottom, edge)
            glyph(c, "chev_down", x + w / 2, y + h / 2, 11, WHITE if state != "normal" else (170, 178, 188), 1.8)
            return
        if on_metal:
            if state == "normal":
                framed(c, x + 8, y + 1, w - 16, h - 2, 6, CHROME["plate_top"], CHROME["plate_bottom"],
                       CHROME["plate_edge"])
                col = CHROME["glyph_dark"]
            elif state == "over":
                framed(c, x + 8, y + 1, w - 16, h - 2, 6, (36, 116, 162), (18, 66, 102), HI)
                col = WHITE
            else:
                framed(c, x + 8, y + 1, w - 16, h - 2, 6, (24, 27, 32), (14, 16, 19), HI)
                col = HI
            glyph(c, arg, x + w / 2, y + h / 2, 16, col, 1.7)
        else:
            if state != "normal":
                c.rrect(x, y, w, h, 5, fill=(60, 66, 76) if state == "over" else (0, 92, 128))
            glyph(c, arg, x + w / 2, y + h / 2, 14, WHITE if state != "normal" else (190, 196, 204), 1.4)
        return
    if kind == "keylabel":
        fill = {"normal": (30, 34, 40), "over": (36, 44, 54), "down": (0, 58, 82)}[state]
        edge = {"normal": (62, 69, 79), "over": HI, "down": HI}[state]
        c.rrect(x + 0.5, y + 0.5, w - 1, h - 1, 7, fill=fill, outline=edge)
        bc = {"normal": (70, 78, 89), "over": HI, "down": HI}[state]
        c.circle(x + 17, y + h / 2, 10, fill=bc)
        c.text(x + 17, y + h / 2 + 0.5, arg, "sans-bold", 11, (10, 12, 15) if state != "normal" else WHITE,
               anchor="mm")
        return
    if kind == "mousepart":
        ctx["mouse_part"](c, int(arg), state)
        return
    if kind == "bigicon":
        top, bottom, edge = {"normal": ((38, 43, 50), (24, 27, 32), (62, 69, 79)),
                             "over": ((44, 54, 66), (28, 34, 42), HI),
                             "down": ((0, 86, 120), (0, 52, 76), HI)}[state]
        framed(c, x, y, w, h, 10, top, bottom, edge, HI if state != "normal" else None)
        glyph(c, "sound", x + w / 2, y + h / 2, 40, HI if state == "normal" else WHITE)
        return
    if kind == "chip":
        t = THEMES[int(arg)]
        r = min(w, h) / 2 - 5
        if state == "down":
            c.circle(x + w / 2, y + h / 2, r + 4, outline=HI, width=2)
        elif state == "over":
            c.circle(x + w / 2, y + h / 2, r + 4, outline=(150, 160, 172), width=1.5)
        c.circle(x + w / 2, y + h / 2, r, fill=t["mouse_top"], outline=t["card_edge"], width=1)
        c.d.pieslice(c.box(x + w / 2 - r, y + h / 2 - r, 2 * r, 2 * r), 90, 270, fill=t["bg_top"])
        c.circle(x + w / 2, y + h / 2, r, outline=(120, 128, 138), width=1)
        return
    if kind == "slider":
        draw_slider(c, reg, state, arg)
        return
    if kind == "switch":
        big = arg == "big"
        on = state == "down"
        tr = h / 2
        track = (0, 140, 190) if on else (22, 25, 29)
        edge = HI if state != "normal" else (70, 77, 87)
        c.rrect(x + 0.5, y + 0.5, w - 1, h - 1, tr, fill=track, outline=edge, width=1.2 if big else 1)
        kx = x + w - tr if on else x + tr
        c.circle(kx, y + h / 2, tr - 3, fill=WHITE if on else (120, 128, 138))
        if big:
            glyph(c, "power", x + (tr if on else w - tr), y + h / 2, 10, (200, 240, 255) if on else (90, 98, 108), 1.5)
        return
    if kind == "check":
        edge = HI if state != "normal" else (84, 92, 104)
        if state == "down":
            c.rrect(x + 1.5, y + 1.5, w - 3, h - 3, 4, fill=(0, 150, 200), outline=HI)
            glyph(c, "check", x + w / 2, y + h / 2, min(w, h) * 0.5, WHITE, 2)
        else:
            c.rrect(x + 1.5, y + 1.5, w - 3, h - 3, 4, fill=(18, 20, 24), outline=edge)
        return
    if kind == "radio":
        if arg == "dot":
            cx, cy, r = x + w / 2, y + h / 2, min(w, h) / 2 - 2
        else:
            if state != "normal":
                c.rrect(x + 0.5, y + 0.5, w - 1, h - 1, 6,
                        fill=(34, 40, 48) if state == "over" else (0, 52, 74),
                        outline=HI if state == "over" else (0, 140, 190))
            cx, cy, r = x + 16, y + h / 2, 7
        c.circle(cx, cy, r, fill=(16, 18, 22), outline=HI if state != "normal" else (100, 108, 120), width=1.5)
        if state == "down":
            c.circle(cx, cy, r * 0.5, fill=HI)
        return
    if kind == "toggle":
        sw = Canvas  # noqa: keep the switch look identical to region switches
        sx, sy, sw_, sh = x + w - 46, y + (h - 22) / 2, 44, 22
        from windows import R
        draw_look(c, R(0, "", sx, sy, sw_, sh, "switch"), state, theme, ctx)
        return
    if kind == "ledbar":
        if state == "down":
            c.glow(lambda d, s: d.rectangle([s(x + 2), s(y + 1), s(x + w - 2), s(y + h - 1)], fill=255), HI, 2, 1.2)
            c.rrect(x, y, w, h, h / 2, fill=HI)
        else:
            c.rrect(x, y, w, h, h / 2, fill=(44, 49, 56) if state == "normal" else (70, 90, 110))
        return
    if kind == "display":
        c.rrect(x + 0.5, y + 0.5, w - 1, h - 1, 6, fill=(10, 11, 13), outline=(54, 60, 68))
        c.line([(x + 6, y + 2), (x + w - 6, y + 2)], (4, 4, 5), 1)
        return
    if kind == "pattern":
        icon = ("bars", "flash", "breathe")[int(arg)]
        top, bottom, edge = {"normal": ((38, 43, 50), (24, 27, 32), (62, 69, 79)),
                             "over": ((44, 54, 66), (28, 34, 42), HI),
                             "down": ((0, 86, 120), (0, 52, 76), HI)}[state]
        framed(c, x, y, w, h, 10, top, bottom, edge, HI if state == "down" else None)
        glyph(c, icon, x + w / 2, y + h / 2, 34, WHITE if state != "normal" else HI, 2.2)
        return
    if kind == "meterbar":
        if state == "down":
            mid = y + h / 2
            for i in range(int(h)):
                d = abs((y + i + 0.5) - mid) / (h / 2)
                c.rect(x, y + i, w, 1, mix((120, 235, 255), (0, 120, 200), d))
        return
    if kind == "dirbtn":
        icon = ("arrow_r", "arrow_l", "arrow_out", "arrow_in")[int(arg)]
        top, bottom, edge = btn_colors(state)
        framed(c, x, y, w, h, 6, top, bottom, edge)
        glyph(c, icon, x + w / 2, y + h / 2, 22, WHITE if state != "normal" else (196, 204, 214), 2)
        return
    if kind == "preview":
        ctx["preview"](c, reg, state)
        return
    raise ValueError("unknown look " + look)


def draw_slider(c, reg, state, arg):
    x, y, w, h = reg.x, reg.y, reg.w, reg.h
    if arg == "dpi":
        gy = y + 25
        n = 23
        for i in range(n):
            tx = x + (i + 1) * w / n - 0.5
            big = i in (0, 3, 7, 11, 15, 22)
            col = HI if state == "down" else (92, 100, 112)
            c.rect(tx - 0.5, y + (1 if big else 4), 1.2, 8 if big else 5, col)
    elif arg == "led":
        gy = y + 7
    else:
        gy = y + 12
    gh = 6
    if state == "down":
        c.glow(lambda d, s: d.rounded_rectangle([s(x), s(gy - gh / 2), s(x + w), s(gy + gh / 2)], radius=s(3),
                                                fill=255), HI, 3, 0.9)
        c.hgrad(x, gy - gh / 2, w, gh, (0, 110, 170), HI)
        c.line([(x, gy - gh / 2 + 0.5), (x + w, gy - gh / 2 + 0.5)], (150, 235, 255), 1)
    else:
        c.rrect(x, gy - gh / 2, w, gh, 3, fill=(12, 13, 15), outline=(58, 64, 72) if state == "normal" else HI)


# ---------------------------------------------------------------------------
# the mouse seen from above
# ---------------------------------------------------------------------------
MOUSE_TOP, MOUSE_BOTTOM = 114, 510
SPLIT_Y = 262  # end of the two main buttons


MOUSE_PROFILE = [  # (relative length from the front, half width)
    (0.0, 0.0), (0.012, 30), (0.04, 50), (0.09, 61), (0.16, 67), (0.26, 69), (0.4, 66),
    (0.5, 64), (0.6, 67), (0.72, 73), (0.82, 74), (0.9, 68), (0.95, 56), (0.98, 38),
    (0.995, 18), (1.0, 0.0)]


def mouse_half_width(t):
    """Half width of the body at relative length t (0 = front, 1 = back)."""
    pts = MOUSE_PROFILE
    for (t0, w0), (t1, w1) in zip(pts, pts[1:]):
        if t0 <= t <= t1:
            f = (t - t0) / (t1 - t0)
            f = (1 - math.cos(f * math.pi)) / 2
            return w0 + (w1 - w0) * f
    return 0.0


def mouse_outline(cx=W.MOUSE_CX, top=MOUSE_TOP, bottom=MOUSE_BOTTOM):
    n = 120
    right, left = [], []
    for i in range(n + 1):
        t = i / n
        yy = top + t * (bottom - top)
        hw = mouse_half_width(t)
        right.append((cx + hw, yy))
        left.append((cx - hw, yy))
    return right + left[::-1]


class MouseArt:
    def __init__(self, theme):
        self.t = theme
        self.base = None

    _body = None

    @classmethod
    def body_mask(cls, c):
        if cls._body is None or cls._body.size != c.img.size:
            m = c.mask()
            d = ImageDraw.Draw(m)
            cx = W.MOUSE_CX
            d.ellipse(c.box(cx - 62, MOUSE_TOP, 124, 250), fill=255)
            d.ellipse(c.box(cx - 74, 262, 148, MOUSE_BOTTOM - 262), fill=255)
            d.rectangle(c.box(cx - 60, 200, 120, 180), fill=255)
            m = m.filter(ImageFilter.GaussianBlur(c.s(12))).point(lambda v: 255 if v > 118 else 0)
            cls._body = m
        return cls._body

    def outline_mask(self, c, width=1.2):
        body = self.body_mask(c)
        inner = body.filter(ImageFilter.MinFilter(2 * int(c.s(width) / 2) + 1))
        return ImageChops.subtract(body, inner)

    def part_mask(self, c, b):
        m = c.mask()
        d = ImageDraw.Draw(m)
        cx = W.MOUSE_CX
        if b in (0, 1):
            x0, x1 = (cx - 90, cx - 10) if b == 0 else (cx + 10, cx + 90)
            d.rectangle([c.s(x0), c.s(MOUSE_TOP), c.s(x1), c.s(SPLIT_Y)], fill=255)
            return ImageChops.multiply(m, self.body_mask(c))
        rx, ry, rw, rh = W.MOUSE_PARTS[b]
        if b == 2:
            d.rounded_rectangle(c.box(cx - 6, ry + 4, 12, rh - 8), radius=c.s(6), fill=255)
        elif b in (5, 6):
            d.rounded_rectangle(c.box(cx - 6, ry + 3, 12, rh - 6), radius=c.s(3), fill=255)
        else:
            d.rounded_rectangle(c.box(rx + 2, ry + 2, rw + 6, rh - 4), radius=c.s(5), fill=255)
        return m

    def draw_base(self, c):
        t = self.t
        cx = W.MOUSE_CX
        # shadow and stage light
        c.glow(lambda d, s: d.ellipse([s(cx - 120), s(MOUSE_BOTTOM - 30), s(cx + 120), s(MOUSE_BOTTOM + 18)],
                                      fill=255), (0, 0, 0), 10, 1.0)
        c.glow_mask(self.body_mask(c), (0, 120, 170), 16, 0.35)
        # side buttons sit under the body edge
        for b in (3, 4, 7):
            rx, ry, rw, rh = W.MOUSE_PARTS[b]
            c.rrect(rx + 2, ry + 2, rw + 6, rh - 4, 5, fill=shade(t["mouse_bottom"], 1.1), outline=t["mouse_edge"])
        body = self.body_mask(c)
        c.vgrad(cx - 90, MOUSE_TOP, 180, MOUSE_BOTTOM - MOUSE_TOP, t["mouse_top"], t["mouse_bottom"], mask=body)
        # a soft highlight down the middle of the shell
        hl = c.mask()
        ImageDraw.Draw(hl).ellipse(c.box(cx - 34, MOUSE_TOP + 150, 68, 240), fill=70)
        hl = ImageChops.multiply(hl.filter(ImageFilter.GaussianBlur(c.s(18))), body)
        c.fill_mask(hl, WHITE)
        c.fill_mask(self.outline_mask(c), t["mouse_edge"])
        # seams of the main buttons and the groove
        c.line([(cx - 74, SPLIT_Y + 6), (cx - 30, SPLIT_Y - 2), (cx + 30, SPLIT_Y - 2), (cx + 74, SPLIT_Y + 6)],
               shade(t["mouse_bottom"], 0.55), 1.6)
        c.line([(cx, MOUSE_TOP + 6), (cx, 134)], shade(t["mouse_bottom"], 0.55), 1.6)
        c.rrect(cx - 9, 136, 18, 130, 6, fill=shade(t["mouse_bottom"], 0.5))
        # wheel
        c.rrect(cx - 6, 140, 12, 60, 6, fill=(26, 28, 31), outline=(70, 76, 84))
        for i in range(11):
            c.line([(cx - 4, 146 + i * 5), (cx + 4, 146 + i * 5)], (54, 58, 64), 1)
        # DPI buttons
        for b in (5, 6):
            rx, ry, rw, rh = W.MOUSE_PARTS[b]
            c.rrect(cx - 6, ry + 3, 12, rh - 6, 3, fill=(32, 35, 39), outline=(80, 86, 95))
        c.text(cx, 222, "+", "sans-bold", 10, (150, 158, 168), anchor="mm")
        c.text(cx, 248, "\u2212", "sans-bold", 10, (150, 158, 168), anchor="mm")
        # the lit emblem on the palm rest
        self.emblem(c, cx, 410, HI)
        # cable
        c.line([(cx, MOUSE_TOP), (cx, MOUSE_TOP - 20), (cx + 6, MOUSE_TOP - 44), (cx + 2, 66)], (36, 39, 44), 3)

    @staticmethod
    def emblem(c, cx, cy, color, size=1.0):
        pts = [(cx - 16 * size, cy - 12 * size), (cx, cy + 2 * size), (cx + 16 * size, cy - 12 * size),
               (cx + 16 * size, cy - 4 * size), (cx, cy + 10 * size), (cx - 16 * size, cy - 4 * size)]
        c.glow(lambda d, s: d.polygon([(s(px), s(py)) for px, py in pts], fill=255), color, 5, 1.2)
        c.poly(pts, fill=mix(color, WHITE, 0.35))

    def part(self, c, b, state):
        if state == "normal":
            return
        m = self.part_mask(c, b)
        col = (0, 150, 205) if state == "over" else HI
        layer_alpha = m.point(lambda v: int(v * (0.45 if state == "over" else 0.75)))
        c.fill_mask(layer_alpha, col)
        edge = m.filter(ImageFilter.FIND_EDGES).point(lambda v: 255 if v > 40 else 0)
        c.fill_mask(edge, mix(col, WHITE, 0.4))
        if state == "down":
            g = m.filter(ImageFilter.GaussianBlur(c.s(4)))
            c.fill_mask(g.point(lambda v: int(v * 0.5)), HI)


# ---------------------------------------------------------------------------
# window backgrounds
# ---------------------------------------------------------------------------
def card(c, x, y, w, h, theme, title_bar=False):
    c.rrect(x, y, w, h, 8, fill=theme["card"], outline=theme["card_edge"])
    if title_bar:
        c.line([(x + 12, y + 34), (x + w - 12, y + 34)], theme["card_edge"], 1)


def chrome(c, content_theme):
    """Header, sidebar and content background of the main window."""
    Wd, Hd = W.MAIN_W, W.MAIN_H
    c.vgrad(W.SIDEBAR_W, W.HEADER_H, Wd - W.SIDEBAR_W, Hd - W.HEADER_H,
            content_theme["bg_top"], content_theme["bg_bottom"])
    # sidebar: brushed gunmetal
    c.vgrad(0, W.HEADER_H, W.SIDEBAR_W, Hd - W.HEADER_H, CHROME["metal_top"], CHROME["metal_bottom"])
    from canvas import noise_texture
    tex = noise_texture(W.SIDEBAR_W, Hd - W.HEADER_H, 7, 10)
    region = c.img.crop((0, c.s(W.HEADER_H), c.s(W.SIDEBAR_W), c.s(Hd)))
    region = ImageChops.overlay(region, Image.merge("RGB", (tex, tex, tex)))
    c.img.paste(region, (0, c.s(W.HEADER_H)))
    c.rect(W.SIDEBAR_W - 2, W.HEADER_H, 2, Hd - W.HEADER_H, (48, 52, 58))
    c.rect(W.SIDEBAR_W - 3, W.HEADER_H, 1, Hd - W.HEADER_H, (150, 157, 165))
    # the profile well in the sidebar
    c.rrect(6, 298, 178, 80, 8, fill=(24, 27, 31), outline=(60, 65, 72))
    c.line([(7, 299.5), (183, 299.5)], (12, 13, 15), 1)
    # header
    c.vgrad(0, 0, Wd, W.HEADER_H, CHROME["header_top"], CHROME["header_bottom"])
    c.rect(0, W.HEADER_H - 2, Wd, 1, (6, 7, 8))
    c.hgrad(0, W.HEADER_H - 1, Wd, 1, (0, 60, 90), HI)
    c.hgrad(Wd * 0.55, W.HEADER_H - 1, Wd * 0.45, 1, HI, (0, 60, 90))
    MouseArt.emblem(c, 34, 30, HI, 0.9)
    # window frame
    c.rect(0, 0, Wd, 1, (70, 76, 84))
    c.rect(0, Hd - 1, Wd, 1, (8, 9, 10))
    c.rect(0, 0, 1, Hd, (70, 76, 84))
    c.rect(Wd - 1, 0, 1, Hd, (8, 9, 10))


def outer_frames(c, regions, color):
    """Frames around regions that the program fills or covers whole."""
    for r in regions:
        if r.look in ("swatch", "picture"):
            c.rrect(r.x - 2.5, r.y - 2.5, r.w + 5, r.h + 5, 3, outline=color, width=1)


def render_window(size, regions, background, state, theme, ctx):
    c = Canvas(*size)
    background(c)
    live = [r for r in regions if r.w > 0 and r.h > 0]
    if state == "normal":
        for r in live:
            draw_look(c, r, "normal", theme, ctx)
        return c
    # Regions never overlap and keep their looks near their rectangles, so one
    # layer serves all of them; each region then takes only its own rectangle.
    layer = c.copy()
    for r in live:
        draw_look(layer, r, state, theme, ctx)
    for r in live:
        c.paste(layer.crop(r.x, r.y, r.w, r.h), r.x, r.y)
    return c


# ---------------------------------------------------------------------------
# pages of the main window
# ---------------------------------------------------------------------------
def common_regions():
    return W.COMMON


def main_page_background(theme, art):
    def bg(c):
        chrome(c, theme)
        cx = W.MOUSE_CX
        c.glow(lambda d, s: d.ellipse([s(cx - 170), s(150), s(cx + 170), s(480)], fill=255),
               mix(theme["bg_top"], (0, 90, 130), 0.6), 60, 0.9)
        card(c, 800, 70, 184, 500, theme)
        c.line([(812, 430), (972, 430)], theme["card_edge"], 1)
        # leader lines from the labels to the parts
        for b, (lx, ly) in W.BUTTON_LABELS.items():
            px, py, pw, ph = W.MOUSE_PARTS[b]
            ty = ly + W.LABEL_H / 2
            if lx < cx:
                sx = lx + W.LABEL_W
                ex, ey = px + pw * (0.35 if b == 0 else 0.5), py + ph / 2
                if b == 0:
                    ey = ty
                pts = [(sx, ty), (sx + 14, ty), (ex - 10 if b != 0 else ex, ey)]
            else:
                sx = lx
                ex, ey = px + pw * (0.65 if b == 1 else 0.5), py + ph / 2
                if b == 1:
                    ey = ty
                pts = [(sx, ty), (sx - 14, ty), (ex + 10 if b != 1 else ex, ey)]
            col = mix(theme["card_edge"], HI, 0.35)
            c.line(pts, col, 1)
            c.circle(pts[-1][0], pts[-1][1], 2.2, fill=HI)
        art.draw_base(c)
    return bg


def build_main_pages():
    """Returns {file name: Image} for the main page in its three image variants."""
    out = {}
    for vi, theme in enumerate(THEMES):
        art = MouseArt(theme)
        ctx = {"mouse_part": art.part}
        bg = main_page_background(theme, art)
        regions = W.COMMON + W.MAIN_PAGE
        suffix = ("", "_dark", "_dark2")[[0, 1, 2].index(vi)]
        for st in STATES:
            out["main_%s%s.jpg" % (st, suffix)] = render_window((W.MAIN_W, W.MAIN_H), regions, bg, st, theme, ctx).final()
    return out


def advanced_background(c):
    t = PLAIN
    chrome(c, t)
    card(c, 206, 62, 778, 252, t)
    card(c, 206, 322, 384, 196, t)
    card(c, 606, 322, 378, 196, t)
    outer_frames(c, W.ADVANCED_PAGE, (80, 88, 99))


def macro_background(c):
    t = PLAIN
    chrome(c, t)
    for i, (x, y, w, h) in W.MACRO_LISTS.items():
        c.rrect(x - 3, y - 3, w + 6, h + 6, 5, fill=LIST_BG, outline=t["card_edge"])
        c.rect(x, y, w, h, LIST_BG)
    ex, ey, ew, eh = W.MACRO_EDITS[2]
    c.rrect(ex - 3, ey - 3, ew + 6, eh + 6, 4, fill=(0, 0, 0), outline=(80, 88, 99))
    c.rect(ex, ey, ew, eh, (0, 0, 0))
    c.line([(778, 438.5), (984, 438.5)], t["card_edge"], 1)


def led_background(theme):
    def bg(c):
        chrome(c, theme)
        card(c, 206, 106, 384, 474, theme)
        card(c, 606, 106, 378, 474, theme)
        c.line([(216, 408.5), (580, 408.5)], theme["card_edge"], 1)
        c.line([(216, 292.5), (580, 292.5)], theme["card_edge"], 1)
        c.line([(216, 180.5), (580, 180.5)], theme["card_edge"], 1)
        outer_frames(c, W.LED_PAGE, (80, 88, 99))
    return bg


def preview_look(theme):
    def draw(c, reg, state):
        x, y, w, h = reg.x, reg.y, reg.w, reg.h
        cx, cy = x + w / 2, y + h / 2 + 2
        c.rrect(x + 0.5, y + 0.5, w - 1, h - 1, 8, fill=(14, 16, 19), outline=theme["card_edge"])
        pts = [(cx - 36, cy + 16), (cx - 40, cy - 4), (cx - 20, cy - 20), (cx + 20, cy - 20), (cx + 40, cy - 4),
               (cx + 36, cy + 16)]
        col = HI if state == "down" else (70, 78, 90)
        if state == "down":
            c.glow(lambda d, s: d.line([(s(px), s(py)) for px, py in pts], fill=255, width=s(4)), HI, 6, 1.4)
        c.line(pts, col, 2.2)
        MouseArt.emblem(c, cx, cy - 2, col if state == "down" else (60, 66, 76), 0.55)
    return draw


def build_led_pages():
    out = {}
    for vi, theme in enumerate(THEMES):
        suffix = ("", "_dark", "_dark2")[vi]
        ctx = {"preview": preview_look(theme)}
        bg = led_background(theme)
        regions = W.COMMON + W.LED_PAGE
        pics = {}
        for st in STATES:
            pics[st] = render_window((W.MAIN_W, W.MAIN_H), regions, bg, st, theme, ctx)
            out["led_%s%s.jpg" % (st, suffix)] = pics[st].final()
        # controls that do not apply to the current effect
        null = pics["normal"].copy()
        for r in W.LED_PAGE:
            if r.num in (81, 82, 83, 84, 85, 45, 49, 50):
                not_available(null, r, theme)
        out["led_null%s.jpg" % suffix] = null.final()
        if vi == 0:
            snd = pics["normal"].copy()
            sound_panel(snd, [r for r in W.LED_PAGE if r.num == 88][0], theme)
            out["new_down.jpg"] = snd.final()
    return out


def not_available(c, r, theme):
    box = (c.s(r.x), c.s(r.y), c.s(r.x + r.w), c.s(r.y + r.h))
    part = c.img.crop(box)
    grey = part.convert("L").convert("RGB")
    dim = Image.blend(grey, Image.new("RGB", part.size, theme["card"]), 0.72)
    d = ImageDraw.Draw(dim)
    step = c.s(10)
    for k in range(-part.size[1], part.size[0], step):
        d.line([(k, part.size[1]), (k + part.size[1], 0)], fill=mix(theme["card"], (0, 0, 0), 0.25), width=c.s(1))
    c.img.paste(dim, box[:2])


def sound_panel(c, r, theme):
    x, y, w, h = r.x, r.y, r.w, r.h
    c.rrect(x, y, w, h, 8, fill=mix(theme["card"], (0, 0, 0), 0.2), outline=(0, 120, 165))
    cx = x + w / 2
    n = 41
    bw = 10
    for i in range(n):
        f = 0.25 + 0.75 * abs(math.sin(i * 0.55) * math.cos(i * 0.17)) * (1 - abs(i - n / 2) / (n / 1.6))
        bh = 260 * max(0.08, f)
        bx = cx - n * (bw + 5) / 2 + i * (bw + 5)
        by = y + 60 + (300 - bh) / 2
        c.glow(lambda d, s, bx=bx, by=by, bh=bh: d.rectangle([s(bx), s(by), s(bx + bw), s(by + bh)], fill=255),
               HI, 5, 0.5)
        for j in range(int(bh)):
            d = abs(j - bh / 2) / (bh / 2)
            c.rect(bx, by + j, bw, 1, mix((140, 240, 255), (0, 110, 190), d))
    c.line([(x + 40, y + 210), (x + w - 40, y + 210)], (0, 90, 130), 1)


# ---------------------------------------------------------------------------
# dialogs
# ---------------------------------------------------------------------------
def dialog_frame(c, w, h, icon=None):
    c.vgrad(0, 0, w, h, (30, 33, 39), (16, 18, 21))
    c.hgrad(0, 0, w, 2, (0, 60, 90), HI)
    c.rect(0, 0, 1, h, (70, 76, 84))
    c.rect(w - 1, 0, 1, h, (8, 9, 10))
    c.rect(0, h - 1, w, 1, (8, 9, 10))
    if icon:
        glyph(c, icon, 30, 28, 20, HI, 2)


def build_dialogs():
    out = {}
    simple = [
        ("keyset", (W.KEYSET_W, W.KEYSET_H), W.KEYSET, None, True),
        ("combinationKey", (W.SHORTCUT_W, W.SHORTCUT_H), W.SHORTCUT, None, False),
    ]
    for base, size, regions, icon, mask in simple:
        def bg(c, size=size):
            dialog_frame(c, *size)
        for st in STATES:
            out["%s_%s.jpg" % (base, st)] = render_window(size, regions, bg, st, PLAIN, {}).final()
        if mask:
            out["%s_mask.jpg" % base] = Image.new("RGB", size, (0, 0, 0))

    # gun presets
    def gun_bg(c):
        dialog_frame(c, W.GUN_W, W.GUN_H)
        outer_frames(c, W.GUN, (80, 88, 99))
        x, y, w, h = [r for r in W.GUN if r.num == 4][0][2:6]
        c.rect(x, y, w, h, (12, 14, 17))
        for i, (num, (ex, ey, ew, eh)) in enumerate(sorted(W.GUN_EDITS.items())):
            c.rrect(ex - 3, ey - 3, ew + 6, eh + 6, 4, fill=(0, 0, 0), outline=(80, 88, 99))
        # the icon stands in the margin before its caption
        for num, icon in ((11, "strength"), (12, "interval"), (13, "repeat")):
            r = [q for q in W.GUN if q.num == num][0]
            glyph(c, icon, r.x - 8, r.y + r.h / 2, 12, HI, 1.5)
        c.line([(20, 327.5), (W.GUN_W - 20, 327.5)], (50, 56, 64), 1)
    for st in STATES:
        out["gun_%s.jpg" % st] = render_window((W.GUN_W, W.GUN_H), W.GUN, gun_bg, st, PLAIN, {}).final()
    out["gun_mask.jpg"] = Image.new("RGB", (W.GUN_W, W.GUN_H), (0, 0, 0))

    # sound-reactive lighting
    def sound_bg(c):
        dialog_frame(c, W.SOUND_W, W.SOUND_H)
        glyph(c, "sound", W.SOUND_W / 2, 30, 28, HI)
        x0, y0, w, h = W.SOUND_METER
        c.rrect(x0 - 10, y0 - 10, 360 + 17, h + 20, 8, fill=(10, 11, 13), outline=(50, 56, 64))
        for i in range(36):
            c.rect(x0 + i * 10, y0 + h / 2 - 2, 7, 2, (40, 46, 54))
        # caption band: the pattern names are drawn here in dark grey, white or highlight
        c.vgrad(0, 272, W.SOUND_W, W.SOUND_H - 272, (112, 119, 127), (88, 95, 103))
        c.rect(0, 272, W.SOUND_W, 1, (150, 157, 165))
        c.rect(0, W.SOUND_H - 1, W.SOUND_W, 1, (8, 9, 10))
    for st in STATES:
        out["sound_%s.jpg" % st] = render_window((W.SOUND_W, W.SOUND_H), W.SOUND, sound_bg, st, PLAIN, {}).final()
    out["sound_mask.jpg"] = Image.new("RGB", (W.SOUND_W, W.SOUND_H), (0, 0, 0))

    # modal warning
    modal = [r for r in W.WARNING if r.num in (0, 1, 2)]

    def warn_bg(c):
        dialog_frame(c, W.WARNING_W, W.WARNING_H, "warning")
        c.rrect(12, 54, 376, 72, 6, fill=(20, 22, 26), outline=(44, 49, 56))
    for st in ("normal", "over"):
        out["warning_%s.jpg" % st] = render_window((W.WARNING_W, W.WARNING_H), modal, warn_bg, st, PLAIN, {}).final()
    out["warning_mask.jpg"] = Image.new("RGB", (W.WARNING_W, W.WARNING_H), (0, 0, 0))

    # status warning: covers the whole main window while the mouse is away
    status = [r for r in W.WARNING if r.num in (6, 7)]

    def status_bg(c):
        chrome(c, PLAIN)
        c.rect(W.SIDEBAR_W - 3, W.HEADER_H, 3, W.MAIN_H - W.HEADER_H, PLAIN["bg_top"])
        c.vgrad(0, W.HEADER_H, W.MAIN_W, W.MAIN_H - W.HEADER_H, PLAIN["bg_top"], PLAIN["bg_bottom"])
        unplugged(c, W.MAIN_W / 2, 230)
        c.rect(0, 0, 1, W.MAIN_H, (70, 76, 84))
        c.rect(W.MAIN_W - 1, 0, 1, W.MAIN_H, (8, 9, 10))
        c.rect(0, W.MAIN_H - 1, W.MAIN_W, 1, (8, 9, 10))
    for st in ("normal", "over"):
        out["warning2_%s.jpg" % st] = render_window((W.MAIN_W, W.MAIN_H), status, status_bg, st, PLAIN, {}).final()
    out["warning2_mask.jpg"] = Image.new("RGB", (W.MAIN_W, W.MAIN_H), (0, 0, 0))
    return out


def unplugged(c, cx, cy):
    """A small mouse with its cable pulled out of the plug."""
    t = PLAIN
    body = MouseArt.body_mask(c)
    bb = body.getbbox()
    small = body.crop(bb)
    small = small.resize((int(small.size[0] * 0.42), int(small.size[1] * 0.42)), Image.LANCZOS)
    m = c.mask()
    ox, oy = c.s(cx - 60) - small.size[0] // 2, c.s(cy + 20) - small.size[1] // 2
    m.paste(small, (ox, oy))
    c.glow_mask(m, (0, 120, 170), 14, 0.5)
    c.fill_mask(m, t["mouse_top"])
    c.fill_mask(ImageChops.subtract(m, m.filter(ImageFilter.MinFilter(3))), t["mouse_edge"])
    top = oy / SS
    mx = cx - 60
    c.line([(mx - 10, top + 44), (mx, top + 38), (mx + 10, top + 44)], (30, 33, 38), 1.6)
    c.line([(mx, top), (mx, top - 30), (mx + 40, top - 60), (cx + 30, top - 60)], (70, 76, 84), 3)
    c.rrect(cx + 30, top - 70, 26, 20, 3, fill=(90, 97, 106))
    c.rrect(cx + 56, top - 66, 12, 12, 1, fill=(170, 176, 184))
    c.rrect(cx + 96, top - 72, 44, 24, 4, fill=(40, 44, 50), outline=(90, 97, 106))
    for i in range(3):
        c.line([(cx + 74 + i * 6, top - 72), (cx + 80 + i * 6, top - 48)], HI, 1.4)
    MouseArt.emblem(c, mx, cy + 40, HI, 0.6)


# ---------------------------------------------------------------------------
# popup menus
# ---------------------------------------------------------------------------
MENU_BG = ((30, 34, 40), (22, 25, 30))


def menu_picture(spec, state):
    w, h, rows = spec["w"], spec["h"], spec["rows"]
    height = h * rows
    c = Canvas(w, height)
    arrows = spec.get("arrows", ())
    for i in range(rows):
        y = i * h
        top, bottom = MENU_BG
        if state == "over":
            top, bottom = (0, 112, 152), (0, 76, 108)
        elif state == "down":
            top, bottom = (0, 156, 206), (0, 112, 160)
        c.vgrad(0, y, w, h, top, bottom)
        if state != "normal":
            c.rect(0, y, 3, h, HI if state == "over" else WHITE)
        c.rect(0, y + h - 1, w, 1, (12, 13, 16))
        c.rect(0, y, w, 1, mix(top, WHITE, 0.08))
        if arrows == "all" or (i + 1) in arrows:
            glyph(c, "chev_right", w - 12, y + h / 2, max(6, h * 0.32), WHITE if state != "normal" else (150, 160, 172),
                  1.4)
    c.rect(0, 0, w, 1, (0, 130, 176))
    c.rect(0, 0, 1, height, (52, 58, 66))
    c.rect(w - 1, 0, 1, height, (52, 58, 66))
    return c.final()


def build_menus():
    out = {}
    for base, spec in W.MENUS.items():
        digit = ""
        if "#" in base:
            base, digit = base.split("#")
        for st in STATES:
            out["%s_%s%s.jpg" % (base, st, digit)] = menu_picture(spec, st)
        out["%s_mask%s.jpg" % (base, digit)] = Image.new("RGB", (spec["w"], spec["h"] * spec["rows"]), (0, 0, 0))
    return out


# ---------------------------------------------------------------------------
# small overlays
# ---------------------------------------------------------------------------
def knob():
    c = Canvas(W.KNOB_W, W.KNOB_H)
    img = Image.new("RGBA", c.img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    s = c.s
    glow = Image.new("L", img.size, 0)
    ImageDraw.Draw(glow).rounded_rectangle([s(2), s(2), s(W.KNOB_W - 2), s(W.KNOB_H - 2)], radius=s(4), fill=255)
    glow = glow.filter(ImageFilter.GaussianBlur(s(1.2)))
    img.paste(Image.new("RGBA", img.size, HI + (255,)), (0, 0), glow.point(lambda v: int(v * 0.8)))
    d.rounded_rectangle([s(2), s(1.5), s(W.KNOB_W - 2), s(W.KNOB_H - 1.5)], radius=s(4), fill=(240, 248, 255, 255),
                        outline=HI + (255,), width=s(1))
    for i in range(3):
        yy = W.KNOB_H / 2 - 4 + i * 4
        d.line([(s(4.5), s(yy)), (s(W.KNOB_W - 4.5), s(yy))], fill=(120, 140, 160, 255), width=s(0.8))
    return img.resize((W.KNOB_W, W.KNOB_H), Image.LANCZOS)


def badge(text, fnt_name):
    c = Canvas(W.ZHI_W, W.ZHI_H)
    img = Image.new("RGBA", c.img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    s = c.s
    d.rounded_rectangle([s(1), s(1), s(W.ZHI_W - 1), s(W.ZHI_H - 1)], radius=s(14), fill=(8, 26, 36, 230),
                        outline=HI + (255,), width=s(1.2))
    # a small mouse with its left button lit
    mx, my = 20, W.ZHI_H / 2
    d.rounded_rectangle([s(mx - 6), s(my - 9), s(mx + 6), s(my + 9)], radius=s(6), outline=(220, 240, 255, 255),
                        width=s(1.2))
    d.pieslice([s(mx - 6), s(my - 9), s(mx + 6), s(my + 3)], 180, 270, fill=HI + (255,))
    d.line([(s(mx), s(my - 9)), (s(mx), s(my - 2))], fill=(220, 240, 255, 255), width=s(1))
    f = font(fnt_name, s(13))
    d.text((s(36), s(W.ZHI_H / 2)), text, font=f, fill=(255, 255, 255, 255), anchor="lm")
    return img.resize((W.ZHI_W, W.ZHI_H), Image.LANCZOS)


def language_row(name, fnt_name, over):
    c = Canvas(W.VER_W, W.VER_H)
    top, bottom = ((0, 112, 152), (0, 76, 108)) if over else MENU_BG
    c.vgrad(0, 0, W.VER_W, W.VER_H, top, bottom)
    c.rect(0, W.VER_H - 1, W.VER_W, 1, (12, 13, 16))
    if over:
        c.rect(0, 0, 3, W.VER_H, HI)
    glyph(c, "globe", 18, W.VER_H / 2, 12, WHITE if over else (150, 160, 172), 1.2)
    c.text(34, W.VER_H / 2 + 0.5, name, fnt_name, 13, WHITE, anchor="lm")
    return c.final()


# ---------------------------------------------------------------------------
# weapon pictures
# ---------------------------------------------------------------------------
def weapon(spec, size=(472, 150)):
    """A side view of a rifle built from a few parameters."""
    w, h = size
    c = Canvas(w, h)
    c.vgrad(0, 0, w, h, (26, 30, 36), (10, 11, 13))
    c.glow(lambda d, s: d.ellipse([s(60), s(40), s(w - 60), s(h - 10)], fill=255), (0, 70, 100), 30, 0.6)
    for i in range(0, w, 24):
        c.rect(i, 0, 1, h, (22, 26, 31))
    body = (58, 63, 70)
    dark = (34, 37, 42)
    edge = (120, 128, 138)
    L = spec["length"]
    x0 = (w - L) / 2
    ym = 62
    recv_x = x0 + spec["stock"]
    recv_w = spec["receiver"]
    parts = []
    # stock
    st = spec["stock_kind"]
    if st == "solid":
        parts.append(("poly", [(x0, ym - 6), (recv_x, ym - 10), (recv_x, ym + 14), (x0 + 6, ym + 30), (x0, ym + 30)], dark))
    elif st == "skeleton":
        parts.append(("poly", [(x0, ym - 8), (recv_x, ym - 8), (recv_x, ym + 4), (x0 + 10, ym + 26), (x0, ym + 26)], dark))
        parts.append(("hole", [(x0 + 8, ym), (recv_x - 10, ym), (x0 + 12, ym + 18)]))
    elif st == "none":
        parts.append(("rect", (recv_x - 14, ym - 6, 14, 12), dark))
    else:  # bullpup: stock merged into the receiver
        parts.append(("poly", [(x0, ym - 12), (recv_x + 20, ym - 12), (recv_x + 20, ym + 22), (x0, ym + 26)], body))
    # receiver and handguard
    parts.append(("rrect", (recv_x, ym - 12, recv_w, 26), body))
    hg = spec["handguard"]
    parts.append(("rrect", (recv_x + recv_w - 4, ym - 9, hg, 18), dark))
    # barrel and muzzle
    bx = recv_x + recv_w + hg - 6
    bl = x0 + L - bx
    parts.append(("rect", (bx, ym - 3, bl, 6), (46, 50, 56)))
    parts.append(("rect", (x0 + L - 14, ym - 5, 14, 10), (30, 32, 36)))
    # grip
    gx = recv_x + spec["grip_at"]
    parts.append(("poly", [(gx, ym + 12), (gx + 16, ym + 12), (gx + 8, ym + 42), (gx - 8, ym + 40)], dark))
    # magazine
    mk = spec["mag"]
    mx = recv_x + spec["mag_at"]
    if mk == "curved":
        parts.append(("poly", [(mx, ym + 12), (mx + 20, ym + 12), (mx + 34, ym + 56), (mx + 14, ym + 60)], dark))
    elif mk == "straight":
        parts.append(("poly", [(mx, ym + 12), (mx + 18, ym + 12), (mx + 22, ym + 52), (mx + 4, ym + 54)], dark))
    elif mk == "drum":
        parts.append(("circle", (mx + 14, ym + 30, 22), dark))
    elif mk == "pan":
        parts.append(("ellipse", (mx - 20, ym - 26, 56, 14), dark))
    elif mk == "long":
        parts.append(("poly", [(mx, ym + 12), (mx + 14, ym + 12), (mx + 16, ym + 66), (mx + 2, ym + 66)], dark))
    # sight
    if spec.get("scope"):
        parts.append(("rrect", (recv_x + 10, ym - 28, 70, 12), (40, 44, 50)))
        parts.append(("rect", (recv_x + 30, ym - 16, 8, 6), dark))
    elif spec.get("handle"):
        parts.append(("poly", [(recv_x + 14, ym - 12), (recv_x + 24, ym - 26), (recv_x + 70, ym - 26), (recv_x + 76, ym - 12)], dark))
    else:
        parts.append(("rect", (recv_x + 20, ym - 18, 46, 6), dark))
    if spec.get("foregrip"):
        fx = recv_x + recv_w + hg * 0.5
        parts.append(("rect", (fx, ym + 8, 10, 24), dark))
    for kind, geo, *col in parts:
        col = col[0] if col else None
        if kind == "poly":
            c.poly(geo, fill=col, outline=None)
            c.line(list(geo) + [geo[0]], edge, 0.8)
        elif kind == "rect":
            c.rect(*geo, col)
        elif kind == "rrect":
            c.rrect(*geo, 4, fill=col, outline=edge, width=0.8)
        elif kind == "circle":
            c.circle(*geo, fill=col, outline=edge, width=0.8)
        elif kind == "ellipse":
            c.ellipse(*geo, fill=col, outline=edge, width=0.8)
        elif kind == "hole":
            c.poly(geo, fill=(14, 16, 19))
    # a cyan rim light along the top
    c.line([(recv_x + 4, ym - 12), (recv_x + recv_w - 6, ym - 12)], HI, 1)
    return c.final()
