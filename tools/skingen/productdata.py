"""Configuration files, macro files and game presets of the data root."""

# ---------------------------------------------------------------------------
# macro records in the token-line format of the macro files
# ---------------------------------------------------------------------------
MAX_EVENTS = 275
LEFT, RIGHT, MIDDLE = 240, 241, 242  # mouse buttons as macro files store them
XY, F7, CPI, LED, FA, FB = 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB
PRESS, RELEASE = 1, 2
VK_CTRL, VK_SHIFT, VK_WIN, VK_SPACE = 162, 160, 91, 32


class Macro:
    def __init__(self, name, mode=0, repeat=1, v_adjust=(0, 0)):
        self.name = name
        self.mode = mode
        self.repeat = repeat
        self.events = []          # (file code, sub, x, y, delay)
        self.led_blocks = []      # up to five blocks of 68 bytes
        self.v_adjust = v_adjust

    def add(self, code, sub=0, x=0, y=0, delay=20):
        self.events.append((code, sub, x, y, delay))
        return self

    def key(self, vk, delay_down=20, delay_up=20):
        return self.add(vk, PRESS, delay=delay_down).add(vk, RELEASE, delay=delay_up)

    def led(self, mode_code, colour, duration, delay):
        index = len(self.led_blocks)
        block = [0] * 68
        block[0], block[4], block[5], block[6] = 1, mode_code, colour, duration
        self.led_blocks.append(block)
        return self.add(LED, 13, index, 0, delay)

    def tokens(self):
        name = self.name.encode("utf-16-le")
        if len(name) > 58:
            raise ValueError("macro name too long: " + self.name)
        assert len(self.events) <= MAX_EVENTS and len(self.led_blocks) <= 5
        count = {k: sum(1 for e in self.events if e[0] == k) for k in (XY, F7, CPI, FA, LED, FB)}
        vals = list(name) + [0] * (60 - len(name))
        vals.append(self.mode)
        for v in (self.repeat, len(self.events), count[XY], count[F7], count[CPI], count[FA]):
            vals += [v & 0xFF, v >> 8]
        vals += [count[LED], count[FB], self.v_adjust[0], self.v_adjust[1], 0, 0, 0, 0]
        for k in range(MAX_EVENTS):
            code, sub, x, y, delay = self.events[k] if k < len(self.events) else (0, 0, 0, 0, 0)
            vals += [sub, code, x & 0xFF, x >> 8, y & 0xFF, y >> 8, delay & 0xFF, delay >> 8]
        for b in range(5):
            vals += self.led_blocks[b] if b < len(self.led_blocks) else [0] * 68
        assert len(vals) == 2621
        return "".join("%03d" % v for v in vals)


def macro_file(macros):
    lines = [("Init", [("DAT_VER", "3")]),
             ("Macros", [("macroNum", str(len(macros)))] + [(str(i), m.tokens()) for i, m in enumerate(macros)])]
    return lines


# ---------------------------------------------------------------------------
# the factory library and built-in macros
# ---------------------------------------------------------------------------
def combo(name, *vks):
    m = Macro(name)
    for vk in vks:
        m.add(vk, PRESS, delay=20)
    for vk in reversed(vks):
        m.add(vk, RELEASE, delay=20)
    return m


def library(names):
    """The two factory groups, in every language the same macros."""
    office = [
        combo(names["copy"], VK_CTRL, ord("C")),
        combo(names["paste"], VK_CTRL, ord("V")),
        combo(names["cut"], VK_CTRL, ord("X")),
        combo(names["undo"], VK_CTRL, ord("Z")),
        combo(names["select_all"], VK_CTRL, ord("A")),
        combo(names["snip"], VK_WIN, VK_SHIFT, ord("S")),
    ]
    double = Macro(names["double_click"]).key(LEFT, 40, 60).key(LEFT, 40, 20)
    rapid = Macro(names["rapid_click"], mode=1).key(LEFT, 25, 45)
    hop = Macro(names["bunny_hop"], mode=2).key(VK_SPACE, 30, 170)
    sniper = (Macro(names["sniper"]).add(RIGHT, PRESS, delay=10).add(CPI, 9, 2, 0, 600)
              .add(RIGHT, RELEASE, delay=10).add(CPI, 10, 0, 0, 10))
    flash = (Macro(names["light_flash"], repeat=3).led(2, 1, 3, 400).led(3, 5, 3, 400)
             .led(1, 7, 3, 400))
    games = [double, rapid, hop, sniper, flash]
    return [("office", office), ("games", games)]


def built_in():
    return [
        combo("Copy", VK_CTRL, ord("C")),
        combo("Paste", VK_CTRL, ord("V")),
        combo("Cut", VK_CTRL, ord("X")),
        combo("Undo", VK_CTRL, ord("Z")),
        combo("Select all", VK_CTRL, ord("A")),
        Macro("Double click").key(LEFT, 40, 60).key(LEFT, 40, 20),
    ]


# ---------------------------------------------------------------------------
# game presets: a downward pull repeated while the button is held
# ---------------------------------------------------------------------------
WEAPONS = [
    # name, strength, interval ms, picture
    ("AKM", 8, 100, dict(length=380, stock=96, stock_kind="solid", receiver=120, handguard=70, grip_at=40,
                          mag="curved", mag_at=70)),
    ("M416", 6, 86, dict(length=390, stock=90, stock_kind="skeleton", receiver=120, handguard=90, grip_at=36,
                          mag="straight", mag_at=70, scope=True, foregrip=True)),
    ("SCAR-L", 6, 96, dict(length=384, stock=94, stock_kind="skeleton", receiver=130, handguard=80, grip_at=38,
                            mag="straight", mag_at=76, scope=True)),
    ("M16A4", 7, 75, dict(length=420, stock=100, stock_kind="solid", receiver=110, handguard=110, grip_at=34,
                           mag="straight", mag_at=64, handle=True)),
    ("Beryl M762", 9, 86, dict(length=386, stock=92, stock_kind="skeleton", receiver=120, handguard=84, grip_at=40,
                                mag="curved", mag_at=68, foregrip=True)),
    ("Groza", 7, 80, dict(length=300, stock=110, stock_kind="bullpup", receiver=110, handguard=50, grip_at=0,
                           mag="curved", mag_at=40, scope=True)),
    ("AUG", 5, 85, dict(length=330, stock=104, stock_kind="bullpup", receiver=120, handguard=50, grip_at=10,
                         mag="straight", mag_at=40, scope=True, foregrip=True)),
    ("QBZ", 6, 92, dict(length=320, stock=108, stock_kind="bullpup", receiver=116, handguard=48, grip_at=6,
                         mag="curved", mag_at=36, handle=True)),
    ("UMP45", 4, 92, dict(length=330, stock=86, stock_kind="skeleton", receiver=110, handguard=60, grip_at=34,
                           mag="straight", mag_at=64)),
    ("Vector", 3, 55, dict(length=300, stock=80, stock_kind="skeleton", receiver=120, handguard=40, grip_at=36,
                            mag="long", mag_at=70, scope=True, foregrip=True)),
    ("Tommy Gun", 5, 86, dict(length=380, stock=110, stock_kind="solid", receiver=110, handguard=60, grip_at=30,
                               mag="drum", mag_at=70, foregrip=True)),
    ("DP-28", 4, 109, dict(length=430, stock=110, stock_kind="solid", receiver=110, handguard=110, grip_at=30,
                            mag="pan", mag_at=40)),
]


def presets():
    out = []
    for name, strength, interval, _ in WEAPONS:
        m = Macro(name, mode=2, repeat=1, v_adjust=(1, strength))
        m.add(XY, 6, 1, strength, interval)   # right and down
        m.add(XY, 4, 1, strength, interval)   # left and down: the sideways steps cancel out
        out.append(m)
    return out


# ---------------------------------------------------------------------------
# config.ini and configReset.ini
# ---------------------------------------------------------------------------
KEY_NUM = 8
KEY_MAP = [1, 2, 3, 4, 5, 6, 7, 8]  # device slot of each button


def shortcut(name, vk, ctrl=False, shift=False, alt=False, win=False):
    pairs = [("Ctrl", "162" if ctrl else ""), ("Shift", "160" if shift else ""),
             ("Alt", "164" if alt else ""), ("Win", "91" if win else ""), (name, str(vk))]
    return "&split&".join(t for p in pairs for t in p)


CONFIGS = [
    # default: the buttons as printed on the mouse
    [1, 2, 3, 4, 5, 16, 17, 12],
    # media: volume and playback on the top buttons
    [1, 2, 3, 4, 5, 26, 27, 31],
    # games: macros of the factory "games" group (group 1)
    [1, 2, 3, 2 * 256 + 2, 2 * 256 + 0, 16, 17, 12],
    # office: copy and paste on the side buttons
    [1, 2, 3, "33," + shortcut("C", 67, ctrl=True), "33," + shortcut("V", 86, ctrl=True), 4, 5, 6],
]

DPI_SET = [1, 3, 7, 11, 15, 22]           # 400, 800, 1600, 3200, 6400, 12800
DPI_RGB = [(0, 15, 15), (15, 0, 15), (15, 15, 0), (0, 0, 15), (15, 0, 0), (0, 15, 0)]
USER_RGB = [(0, 15, 15), (0, 8, 15), (0, 0, 15), (15, 0, 15), (15, 0, 0), (15, 15, 0), (7, 15, 0)]


def config_sections(product_cn, product_en):
    secs = [
        ("Init", [("VER_SEL", "1"), ("CurConfig", "0")]),
        ("PRODUCTNAME", [("PRODUCTNAME_CN", product_cn), ("PRODUCTNAME_EN", product_en)]),
        ("KEYNUM", [("KeyNum", str(KEY_NUM))]),
        ("KEYMAP", [("K%d_MAP" % (i + 1), str(s)) for i, s in enumerate(KEY_MAP)]),
    ]
    for n, codes in enumerate(CONFIGS):
        keys = []
        for b in range(12):
            code = codes[b] if b < len(codes) else 0
            keys += [("K%d" % b, str(code)), ("LED_REACT_EN%d" % b, "1"),
                     ("LEFT_MAC%d%d" % (n, b), "0"), ("MAC_COR%d_%d" % (n, b), "0"),
                     ("LED_REACT_TYPE%d" % b, str(b % 4))]
        keys.append(("WHEEL_STATUS", "0"))
        secs.append(("Config%d" % n, keys))
    share = [("DPI_LEVEL", "2"), ("LED_USER_COLER_EN", "1"), ("CYC_7COL_EN", "127")]
    for i in range(6):
        r, g, b = DPI_RGB[i]
        share += [("DPI_SET%d" % i, str(DPI_SET[i])), ("DPI_SET_EN%d" % i, "1"),
                  ("DPI%d_R" % i, str(r)), ("DPI%d_G" % i, str(g)), ("DPI%d_B" % i, str(b))]
    for i in range(7):
        r, g, b = USER_RGB[i]
        share += [("LED_USER%d_R" % i, str(r)), ("LED_USER%d_G" % i, str(g)), ("LED_USER%d_B" % i, str(b))]
    share += [("LED_TYPE", "3")] + [("LED_TYPE_SW_EN%d" % k, "1") for k in range(10)]
    share += [("LED_CYC_TIME", "3"), ("LED_FEATURE_SCOLOR", "0"), ("LED_FEATURE_SYMMETRY", "0"),
              ("LED_FEATURE_DIREC", "0"), ("LED_BRIGHT", "0"), ("LED_CYCTIME", "3"),
              ("DPI_SPEED", "6"), ("WHEEL_SPEED", "3"), ("USB_SPEED", "3"), ("FIRE_TIME", "50"),
              ("MODE_LIGHT", "0"), ("SOFT_HARD_MAC", "0"),
              ("SoundWaveMode", "2"), ("WaveShowStatu", "1"), ("SoundSpeaker", "50"),
              ("SoundMicroph", "50"), ("SoundBright2", "5")]
    secs.append(("ShareData", share))
    return secs
