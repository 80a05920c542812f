"""Measures every text against the place the program draws it in.

The program draws with Arial (Latin) and Microsoft YaHei (Chinese) at 9.2 pt
(size 2 at 96 dpi, 12.3 px); Liberation Sans has Arial's metrics and CJK
glyphs are one em wide in both YaHei and Droid Sans Fallback, so the widths
measured here are close to the ones on screen.
"""
import windows as W
from canvas import font
from productdata import WEAPONS
from texts import LANGUAGES, NATIVE_NAMES, PRODUCT_CN, PRODUCT_EN, T

SIZE2 = 9.2 * 96 / 72
SIZE3 = 9.7 * 96 / 72


def width(text, px=SIZE2):
    total = 0.0
    for ch in text:
        name = "cjk" if ord(ch) >= 0x2E80 else "ui"
        total += font(name, 64).getlength(ch) * px / 64
    return total


def regions_of(fname):
    return {r.num: r for r in W.SKIN_FILES[fname][1]}


def check():
    bad = []

    def need(text, room, where, px=SIZE2):
        if text and width(text, px) > room:
            bad.append("%s: %r is %.0f px wide, room %d" % (where, text, width(text, px), room))

    for idx, (folder, lang) in LANGUAGES.items():
        t = T[lang]
        for fname, texts in t["skin"].items():
            regs = regions_of(fname)
            for num, text in texts.items():
                r = regs[num]
                room = r.w - 4
                if fname == "skin_main.ini" and num in (14, 15, 16):
                    room = r.w + 4          # caption under the icon, between its neighbours
                elif fname == "skin_main.ini" and num == 46:
                    room = 170
                elif fname == "skin_sound.ini":
                    room = r.w + 24
                elif fname == "LBWarning.ini":
                    continue                # stored, never drawn
                px = SIZE3 if (fname == "skin_main.ini" and num == 11) else SIZE2
                need(text, room, "%s %s %d" % (folder, fname, num), px)
        fun = t["fun"]
        for b in range(1, 33):
            if b in fun and b not in (7, 8, 9, 10, 11):
                need(fun[b][:16], W.LABEL_W - 26, "%s function %d on a button label" % (folder, b))
        for k, v in t["special"].items():
            need(v, W.LABEL_W - 26, "%s function %d on a button label" % (folder, k))
            need(v, W.MENUS["menu2"]["w"] - 16, "%s more-functions menu" % folder)
        for i in range(1, 12):
            need(fun[i], W.MENUS["menu1"]["w"] - 28, "%s button menu row %d" % (folder, i))
        for i in list(range(12, 18)) + list(range(19, 33)):
            need(fun[i], W.MENUS["menu2"]["w"] - 16, "%s sub-menu entry %d" % (folder, i))
        for i in range(19, 23):
            need(fun[i], 166 - 30, "%s profile selector" % folder)
        need(NATIVE_NAMES[idx], 160 - 26, "%s language selector" % folder)
        for i in range(1, 15):
            need(t["led"][i], 220 - 30, "%s effect %d" % (folder, i - 1))
        for i in (2, 4, 6, 5):
            need(t["led"][i], 130 - 24, "%s reaction type" % folder)
        for i in (15, 3, 4, 7, 8):
            need(t["led"][i], W.MENUS["menu"]["w"] - 8, "%s lighting mode menu" % folder)
        dm = t["devmac"]
        for i in (1, 2, 3, 4, 5, 6, 7, 19):
            need(dm[i], W.MENUS["MacMenu\\MacG"]["w"] - 8, "%s library menu %d" % (folder, i))
        for i in (32, 17, 19, 18, 16, 27, 28):
            need(dm[i], W.MENUS["MacMenu\\MacR"]["w"] - 8, "%s macro menu %d" % (folder, i))
        for i in (10, 11, 12, 13, 14, 15, 17):
            need(dm[i], W.MENUS["MacMenu\\Insert"]["w"] - 28, "%s insert menu %d" % (folder, i))
        for i in (20, 21, 22):
            need(dm[i], W.MENUS["MacMenu\\Insert2th"]["w"] - 34, "%s insert sub-menu %d" % (folder, i))
        for i in (23, 24, 25, 26):
            need(dm[i], W.MENUS["MacMenu\\Insert3th"]["w"] - 8, "%s move sub-menu %d" % (folder, i))
        need(dm[39], 206 - 40, "%s record button" % folder)
        need(dm[40], 206 - 40, "%s record button" % folder)
        product = PRODUCT_CN if idx == 0 else PRODUCT_EN
        for k, v in t["tip"].items():
            text = v + product if k == 1 else v
            need(text, 368, "%s TipText %d" % (folder, k))
        o = t["other"]
        need(o[6] + " " + t["led"][5], 206 - 10, "%s value list mode row" % folder)
        need(o[9] + "255*122" + o[12], 206 - 10, "%s value list duration row" % folder)
        for name in t["groups"].values():
            need(name, W.MENUS["menu2"]["w"] - 16, "%s group list" % folder)
        for name in t["macros"].values():
            need(name, W.MENUS["menu2"]["w"] - 8, "%s macro choice menu" % folder)
        need(t["shortcut"][1], 206 - 8, "%s shortcut key box" % folder)
        need(t["shortcut"][2], 206 - 8, "%s shortcut modifier box" % folder)
        # texts that the data depends on to parse back
        if len(o[12]) != 2:
            bad.append("%s: the pause unit must be two characters (the duration row drops 6)" % folder)
        if not o[9].endswith(":") or o[9].count(":") != 1:
            bad.append("%s: the duration label must end in its only colon" % folder)
        if ":" in o[6] and not o[6].endswith(":"):
            bad.append("%s: mode label" % folder)
    for name, *_ in WEAPONS:
        need(name, 160 - 8, "weapon list")
    return bad
