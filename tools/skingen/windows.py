"""The geometry of every skinned window: size, regions and their looks.

A region is R(number, label, x, y, w, h, look). The number is what the program
reads; the label goes into field 0 of the skin entry (the program ignores it);
the look tells paint.py how to draw the region in its normal, over and down
state. Region texts live in texts.py, per language, keyed by file and number.

Rectangles are in picture pixels (display scale 1). Regions of one table never
overlap, and every region lies inside its picture; tests/data checks both.
"""
from collections import namedtuple

R = namedtuple("R", "num label x y w h look")

# Main window: one size for all four pages and the warning cover.
MAIN_W, MAIN_H = 1000, 640
SIDEBAR_W = 190
HEADER_H = 56

# --- main window, regions common to all pages (skin_main.ini 0..19) -----------
COMMON = [
    R(0, "minimise", 926, 14, 28, 28, "winbtn:min"),
    R(1, "close", 958, 14, 28, 28, "winbtn:close"),
    R(3, "apply", 846, 588, 140, 38, "button:primary"),
    R(4, "language", 724, 15, 160, 28, "dropdown"),
    R(6, "tab_main", 12, 76, 166, 44, "tab:buttons"),
    R(7, "tab_advanced", 12, 132, 166, 44, "tab:dpi"),
    R(8, "tab_macro", 12, 188, 166, 44, "tab:macro"),
    R(9, "tab_lighting", 12, 244, 166, 44, "tab:light"),
    R(10, "profile", 12, 330, 166, 40, "dropdown:inset"),
    R(11, "title", 60, 12, 330, 32, "label"),
    R(12, "profile_caption", 12, 304, 166, 22, "label"),
    R(14, "import", 8, 538, 54, 34, "iconbtn:import"),
    R(15, "export", 68, 538, 54, 34, "iconbtn:export"),
    R(16, "reset", 128, 538, 54, 34, "iconbtn:reset"),
    R(17, "language_globe", 692, 16, 26, 26, "iconbtn:globe"),
]

# --- main page (skin_main.ini 20..254) ---------------------------------------
# Eight buttons. Button index b: label region 20+b, mouse part 35+b.
MOUSE_CX = 500
LABEL_W, LABEL_H = 176, 34
LEFT_COL, RIGHT_COL = 216, 608
BUTTON_LABELS = {  # b: (column x, y)
    0: (LEFT_COL, 136),   # left click
    1: (RIGHT_COL, 136),  # right click
    2: (RIGHT_COL, 196),  # wheel click
    3: (LEFT_COL, 356),   # side, rear
    4: (LEFT_COL, 296),   # side, front
    5: (RIGHT_COL, 256),  # DPI up (behind the wheel)
    6: (RIGHT_COL, 316),  # DPI down
    7: (LEFT_COL, 196),   # fire key, left edge
}
MOUSE_PARTS = {  # b: rectangle of the part on the drawn mouse
    0: (438, 120, 53, 140),
    1: (509, 120, 53, 140),
    2: (491, 136, 18, 68),
    3: (411, 330, 18, 44),
    4: (419, 282, 18, 44),
    5: (491, 210, 18, 24),
    6: (491, 236, 18, 24),
    7: (420, 196, 18, 40),
}
BUTTON_NAMES = ["left", "right", "middle", "back", "forward", "dpi_up", "dpi_down", "fire"]

MAIN_PAGE = (
    [R(20 + b, "key_%s" % BUTTON_NAMES[b], x, y, LABEL_W, LABEL_H, "keylabel:%d" % (b + 1))
     for b, (x, y) in sorted(BUTTON_LABELS.items())]
    + [R(35 + b, "part_%s" % BUTTON_NAMES[b], *MOUSE_PARTS[b], "mousepart:%d" % b)
       for b in sorted(MOUSE_PARTS)]
    + [
        R(46, "sound_lighting", 845, 116, 100, 84, "bigicon:sound"),
        R(78, "skin_graphite", 832, 474, 36, 36, "chip:0"),
        R(79, "skin_black", 877, 474, 36, 36, "chip:1"),
        R(80, "skin_midnight", 922, 474, 36, 36, "chip:2"),
        R(90, "heading_buttons", 216, 70, 568, 26, "label"),
        R(92, "heading_skin", 806, 444, 178, 24, "label"),
        R(93, "hint_buttons", 216, 590, 568, 30, "label"),
    ]
)

# --- advanced page (skin_advance.ini 0..137) ------------------------------------
DPI_SLIDER = (443, 262, 303, 40)
SPEED_SLIDER_W = 150


def _advanced():
    regs = [
        R(43, "heading_dpi", 216, 70, 758, 26, "label"),
        R(66, "dpi_slider", *DPI_SLIDER, "slider:dpi"),
        R(67, "dpi_min", 383, 276, 56, 20, "label"),
        R(68, "dpi_max", 750, 276, 60, 20, "label"),
        R(3, "pointer_caption", 216, 362, 150, 24, "label"),
        R(1, "pointer_slider", 376, 362, SPEED_SLIDER_W, 24, "slider:plain"),
        R(2, "pointer_value", 532, 362, 44, 24, "value"),
        R(20, "wheel_caption", 216, 412, 150, 24, "label"),
        R(18, "wheel_slider", 376, 412, SPEED_SLIDER_W, 24, "slider:plain"),
        R(19, "wheel_value", 532, 412, 44, 24, "value"),
        R(33, "fire_caption", 216, 462, 150, 24, "label"),
        R(31, "fire_slider", 376, 462, SPEED_SLIDER_W, 24, "slider:plain"),
        R(32, "fire_value", 532, 462, 44, 24, "value"),
        R(42, "heading_rate", 616, 356, 358, 24, "label"),
        R(44, "hint_dpi", 216, 590, 568, 30, "label"),
        R(45, "heading_speed", 216, 330, 358, 24, "label"),
    ]
    for i in range(6):
        x0 = 226 + i * 126
        regs += [
            R(60 + i, "dpi_level%d" % (i + 1), x0, 104, 116, 36, "button:level"),
            R(70 + i, "dpi_value%d" % (i + 1), x0, 146, 116, 26, "value"),
            R(77 + i, "dpi_colour%d" % (i + 1), x0 + 18, 180, 80, 20, "swatch"),
            R(47 + i, "dpi_enable%d" % (i + 1), x0 + 38, 212, 40, 24, "switch"),
        ]
    for i in range(4):
        x0 = 616 + i * 90
        regs += [
            R(34 + i, "rate%d" % i, x0, 392, 82, 34, "button:plain"),
            R(38 + i, "rate_led%d" % i, x0 + 6, 430, 70, 6, "ledbar"),
        ]
    return regs


ADVANCED_PAGE = _advanced()

# --- macro page (skin_mac.ini 0..19, EDIT, MACRODISPLAY) -------------------------
MACRO_PAGE = [
    R(14, "library_caption", 206, 68, 240, 24, "label"),
    R(16, "events_caption", 462, 68, 300, 24, "label"),
    R(4, "record", 778, 96, 206, 40, "button:record"),
    R(5, "insert", 778, 144, 206, 36, "button:menu"),
    R(1, "mode_caption", 778, 192, 206, 22, "label"),
    R(6, "mode_held", 778, 218, 206, 30, "radio"),
    R(7, "mode_toggle", 778, 252, 206, 30, "radio"),
    R(8, "mode_count", 778, 286, 140, 30, "radio"),
    R(2, "values_caption", 778, 328, 206, 22, "label"),
    R(13, "gun_presets", 778, 446, 206, 36, "button:plain"),
    R(15, "software_macros", 778, 492, 206, 32, "toggle"),
    R(9, "hint_lists", 206, 590, 556, 30, "label"),
]
MACRO_LISTS = {1: (206, 96, 240, 440), 2: (462, 96, 300, 440), 3: (778, 354, 206, 76)}
MACRO_EDITS = {0: (0, 0, 0, 0), 1: (0, 0, 0, 0), 2: (926, 290, 58, 24)}

# --- LED page (skin_color.ini 0..102; 80..102 drawn, never hit) -------------------
def _led():
    regs = [
        R(17, "mode_standard", 216, 70, 26, 26, "radio:dot"),
        R(18, "mode_standard_caption", 246, 70, 190, 26, "label"),
        R(19, "mode_sound", 446, 70, 26, 26, "radio:dot"),
        R(20, "mode_sound_caption", 476, 70, 220, 26, "label"),
        R(36, "effect_caption", 216, 112, 220, 22, "label"),
        R(35, "effect", 216, 136, 220, 34, "dropdown"),
        R(14, "preview", 462, 112, 112, 60, "preview"),
        R(37, "brightness_caption", 216, 186, 120, 24, "label"),
        R(40, "brightness_slider", 346, 191, 226, 14, "slider:led"),
        R(39, "speed_caption", 216, 226, 120, 24, "label"),
        R(41, "speed_slider", 346, 231, 226, 14, "slider:led"),
        R(83, "na_speed", 208, 220, 376, 36, "overlay"),
        R(38, "note_brightness", 216, 264, 358, 22, "label"),
        R(82, "na_note", 208, 260, 376, 30, "overlay"),
        R(45, "symmetry", 216, 376, 28, 22, "check"),
        R(30, "symmetry_caption", 250, 376, 200, 22, "label"),
        R(84, "na_direction", 208, 294, 376, 110, "overlay"),
        R(15, "colours_caption", 216, 414, 358, 22, "label"),
        R(85, "na_colours", 208, 410, 376, 82, "overlay"),
        R(98, "note_wave", 216, 496, 358, 20, "label"),
        R(16, "reaction_caption", 616, 112, 358, 22, "label"),
        R(81, "na_reaction", 608, 134, 376, 330, "overlay"),
        R(88, "sound_panel", 206, 106, 778, 474, "soundpanel"),
        R(21, "sound_line1", 216, 520, 768, 24, "label"),
        R(22, "sound_line2", 216, 548, 768, 24, "label"),
    ]
    for i in range(4):
        regs.append(R(47 + i, "direction%d" % i, 216 + i * 90, 300, 82, 40, "dirbtn:%d" % i))
        regs.append(R(31 + i, "direction%d_caption" % i, 216 + i * 90, 344, 82, 22, "label"))
    for k in range(7):
        regs.append(R(k, "colour%d" % (k + 1), 216 + k * 52, 440, 44, 24, "swatch"))
        regs.append(R(7 + k, "cycle%d" % (k + 1), 228 + k * 52, 468, 20, 18, "check"))
    for b in range(8):
        y = 140 + b * 40
        regs.append(R(89 + b, "reaction_key%d" % (b + 1), 616, y, 112, 30, "label"))
        regs.append(R(51 + b, "reaction_on%d" % (b + 1), 734, y + 4, 36, 22, "switch"))
        regs.append(R(66 + b, "reaction_type%d" % (b + 1), 780, y, 130, 30, "dropdown:small"))
    return regs


LED_PAGE = _led()
# Texts of these LED regions are drawn by the program; their pictures stay plain.

# --- dialogs --------------------------------------------------------------------------
WARNING_W, WARNING_H = 400, 200
WARNING = [  # LBWarning.ini: 0..2 modal form, 6..7 status form
    R(0, "ok", 150, 146, 100, 34, "button:ok"),
    R(1, "close", 362, 10, 26, 26, "winbtn:close"),
    R(2, "message", 16, 60, 368, 60, "message"),
    R(6, "exit", 440, 436, 120, 40, "button:exit"),
    R(7, "status_message", 200, 370, 600, 40, "message"),
]

KEYSET_W, KEYSET_H = 360, 200
KEYSET = [
    R(3, "caption", 20, 18, 320, 24, "label"),
    R(0, "key_name", 40, 56, 280, 52, "display"),
    R(1, "ok", 54, 134, 116, 36, "button:primary"),
    R(2, "cancel", 190, 134, 116, 36, "button:plain"),
]

SHORTCUT_W, SHORTCUT_H = 480, 330
SHORTCUT = [
    R(10, "title", 20, 14, 400, 26, "label"),
    R(5, "close", 442, 12, 26, 26, "winbtn:close"),
    R(11, "modifiers_caption", 24, 54, 206, 22, "label"),
    R(12, "key_caption", 250, 54, 206, 22, "label"),
    R(0, "modifiers", 24, 80, 206, 44, "display"),
    R(1, "key", 250, 80, 206, 44, "display"),
    R(6, "ctrl", 24, 144, 98, 36, "button:toggle"),
    R(7, "shift", 132, 144, 98, 36, "button:toggle"),
    R(8, "alt", 250, 144, 98, 36, "button:toggle"),
    R(9, "win", 358, 144, 98, 36, "button:toggle"),
    R(13, "hint", 24, 194, 432, 24, "label"),
    R(4, "clear", 24, 266, 120, 38, "button:plain"),
    R(2, "ok", 200, 266, 120, 38, "button:primary"),
    R(3, "cancel", 336, 266, 120, 38, "button:plain"),
]

GUN_W, GUN_H = 520, 380
GUN = [
    R(10, "title", 20, 14, 300, 26, "label"),
    R(0, "close", 482, 12, 26, 26, "winbtn:close"),
    R(5, "weapon", 24, 56, 160, 34, "dropdown:bare"),
    R(6, "weapon_arrow", 184, 56, 34, 34, "iconbtn:down"),
    R(4, "picture", 24, 104, 472, 150, "picture"),
    R(11, "strength_caption", 40, 268, 94, 22, "label"),
    R(12, "interval_caption", 160, 268, 94, 22, "label"),
    R(13, "repeat_caption", 280, 268, 94, 22, "label"),
    R(9, "mode_held", 384, 266, 112, 26, "radio"),
    R(8, "mode_count", 384, 298, 112, 26, "radio"),
    R(2, "ok", 252, 336, 116, 34, "button:primary"),
    R(1, "cancel", 380, 336, 116, 34, "button:plain"),
    R(7, "weapon_caption", 232, 60, 264, 26, "label"),
]
GUN_EDITS = {0: (34, 296, 90, 24), 1: (274, 296, 90, 24), 2: (154, 296, 90, 24)}

SOUND_W, SOUND_H = 420, 320
SOUND_METER = (30, 70, 360, 110)  # area of the 36 level bars, regions 13..48


def _sound():
    regs = [
        R(9, "switch", 24, 16, 56, 28, "switch:big"),
        R(10, "close", 382, 12, 26, 26, "winbtn:close"),
    ]
    for i, n in enumerate((2, 3, 4)):
        regs.append(R(n, "pattern%d" % (i + 1), 62 + i * 110, 198, 76, 76, "pattern:%d" % i))
    x0, y0, w, h = SOUND_METER
    for i in range(36):
        regs.append(R(13 + i, "level%d" % i, x0 + i * 10, y0, 7, h, "meterbar"))
    return regs


SOUND = _sound()

# --- popup menus: (picture base, width, row height, rows in the mask, rows drawn,
#     rows that open a sub-menu) ------------------------------------------------------
MENUS = {
    "Profile": dict(w=166, h=31, rows=4),
    "menu1": dict(w=176, h=26, rows=15, used=13, arrows=(7, 8, 9, 11, 12, 13)),
    "menu2": dict(w=160, h=24, rows=15),
    "more": dict(w=160, h=24, rows=15),
    "Macro_menu": dict(w=160, h=24, rows=15, arrows="all"),
    "menu": dict(w=130, h=20, rows=15),
    "led_menu": dict(w=220, h=27, rows=15, used=14),
    "MacMenu\\MacG": dict(w=200, h=20, rows=8),
    "MacMenu\\MacR": dict(w=120, h=20, rows=4),
    "MacMenu\\MacR#2": dict(w=120, h=20, rows=2),
    "MacMenu\\Insert": dict(w=150, h=20, rows=7, arrows=(1, 2, 3, 4)),
    "MacMenu\\Insert2th": dict(w=150, h=20, rows=6),
    "MacMenu\\Insert3th": dict(w=150, h=20, rows=4),
}
VER_W, VER_H = 160, 24  # a language's row in the language menu (menu2 row)

ZHI_POS = (378, 535)
ZHI_W, ZHI_H = 244, 30
KNOB_W, KNOB_H = 12, 24

# --- the skin INI files and the tables they hold --------------------------------------
# file name: (picture size, region list, number of regions the reader loads)
SKIN_FILES = {
    "skin_main.ini": ((MAIN_W, MAIN_H), COMMON + MAIN_PAGE, 255),
    "skin_advance.ini": ((MAIN_W, MAIN_H), ADVANCED_PAGE, 138),
    "skin_mac.ini": ((MAIN_W, MAIN_H), MACRO_PAGE, 20),
    "skin_color.ini": ((MAIN_W, MAIN_H), LED_PAGE, 103),
    "mac_color.ini": ((MAIN_W, MAIN_H), [], 11),
    "LBWarning.ini": ((WARNING_W, WARNING_H), WARNING, 13),
    "skin_keyset.ini": ((KEYSET_W, KEYSET_H), KEYSET, 4),
    "skin_gun.ini": ((GUN_W, GUN_H), GUN, 14),
    "skin_shortcut.ini": ((SHORTCUT_W, SHORTCUT_H), SHORTCUT, 14),
    "skin_sound.ini": ((SOUND_W, SOUND_H), SOUND, 50),
}
