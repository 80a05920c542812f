#!/usr/bin/env python3
"""Writes the data root (skins/) from the descriptions in this folder.

    python3 tools/skingen/generate.py            regenerate skins/ in place
    python3 tools/skingen/generate.py --check    rebuild into a temporary folder and
                                                 compare byte for byte with skins/
    python3 tools/skingen/generate.py --out DIR  write somewhere else

Needs Python 3 with Pillow (Debian python3-pil) and the fonts named in
tools/install-deps.sh. Output is deterministic: same input, same bytes.
"""
import argparse
import io
import os
import shutil
import sys
import tempfile

try:
    from PIL import Image
except ImportError:  # a Python without Pillow earlier on PATH: use the system one
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
REPO = os.path.dirname(os.path.dirname(HERE))

import paint  # noqa: E402
import productdata as P  # noqa: E402
import textfit  # noqa: E402
import windows as W  # noqa: E402
from texts import LANGUAGES, NATIVE_NAMES, PRODUCT_CN, PRODUCT_EN, T  # noqa: E402

JPEG_OPTS = dict(format="JPEG", quality=90, subsampling=0, optimize=True)


# ---------------------------------------------------------------------------
# file encodings
# ---------------------------------------------------------------------------
def ini_value(v):
    # The profile functions trim blanks around a value; quotes keep them.
    if v != v.strip():
        return '"%s"' % v
    return v


def ini_text(sections):
    out = []
    for name, keys in sections:
        out.append("[%s]" % name)
        out += ["%s=%s" % (k, ini_value(v)) for k, v in keys]
        out.append("")
    return "\r\n".join(out)


def utf16(sections):
    return b"\xff\xfe" + ini_text(sections).encode("utf-16-le")


def ascii_ini(sections):
    return ini_text(sections).encode("ascii")


def jpeg(img):
    buf = io.BytesIO()
    img.convert("RGB").save(buf, **JPEG_OPTS)
    return buf.getvalue()


def png(img):
    buf = io.BytesIO()
    img.save(buf, format="PNG", optimize=False, compress_level=9)
    return buf.getvalue()


# ---------------------------------------------------------------------------
# skin INI files and language texts
# ---------------------------------------------------------------------------
def check_field(text, where):
    if "," in text:
        raise SystemExit("%s: a text with a comma would be cut by the field splitter: %r" % (where, text))


def region_entry(r, text):
    check_field(text, r.label)
    return "%s,%d,%d,%d,%d,%s,0" % (r.label, r.x, r.y, r.w, r.h, text)


def rect_entry(label, rect):
    x, y, w, h = rect
    return "%s,%d,%d,%d,%d,,0" % (label, x, y, w, h)


def skin_files(lang):
    t = T[lang]
    files = {}
    for fname, (_, regions, count) in W.SKIN_FILES.items():
        texts = t["skin"].get(fname, {})
        unknown = set(texts) - {r.num for r in regions}
        if unknown:
            raise SystemExit("%s/%s: texts for undefined regions %s" % (lang, fname, sorted(unknown)))
        keys = []
        for r in sorted(regions, key=lambda r: r.num):
            assert 0 <= r.num < count, (fname, r.num)
            keys.append((str(r.num), region_entry(r, texts.get(r.num, ""))))
        secs = [("BUTTONPOS", keys)]
        if fname == "skin_main.ini":
            fun = [("0", "")]
            for i in range(1, 48):
                name = t["fun"].get(i, "")
                check_field(name, "function %d" % i)
                fun.append((str(i), name))
            for k in range(30000, 30005):
                fun.append((str(k), t["special"].get(k, "")))
            secs.append(("FUN_STRING", fun))
        if fname == "skin_mac.ini":
            secs.append(("EDIT", [(str(i), rect_entry("edit%d" % i, r)) for i, r in sorted(W.MACRO_EDITS.items())]))
            names = {1: "library_list", 2: "event_list", 3: "value_list"}
            secs.append(("MACRODISPLAY", [(str(i), rect_entry(names[i], r)) for i, r in sorted(W.MACRO_LISTS.items())]))
        if fname == "skin_gun.ini":
            names = {0: "strength", 1: "repeat", 2: "interval"}
            secs.append(("EDIT", [(str(i), rect_entry(names[i], r)) for i, r in sorted(W.GUN_EDITS.items())]))
        files[fname] = utf16(secs)
    return files


def language_text(lang):
    t = T[lang]

    def sec(name, entries):
        keys = []
        for k in sorted(entries):
            check_field(entries[k], "%s %s" % (name, k))
            keys.append((str(k), entries[k]))
        return (name, keys)
    other = dict(t["other"])
    for idx, name in NATIVE_NAMES.items():
        other[20 + idx] = name
    return utf16([
        sec("TipText", t["tip"]),
        sec("UniqueName_MouseKey", t["mousekey"]),
        sec("UniqueName_DevMac", t["devmac"]),
        sec("UniqueName_LED", t["led"]),
        sec("UniqueName_Other", other),
        sec("UniqueName_ShortCut", t["shortcut"]),
    ])


def macro_library(lang):
    t = T[lang]
    files = {}
    groups = P.library(t["macros"])
    names = [t["groups"][g] for g, _ in groups]
    grp = utf16([("MACRO_GROUP_NUM", [("macGrpNum", str(len(names)))]),
                 ("MACRO_GROUP_NAME", [(str(i), names[i] if i < len(names) else "") for i in range(12)])])
    for folder in ("macro", "macroReset"):
        files["%s/macroGrp.ini" % folder] = grp
        for (g, macros), name in zip(groups, names):
            files["%s/%s.dat" % (folder, name)] = ascii_ini(P.macro_file(macros))
    return files


# ---------------------------------------------------------------------------
# the whole data root
# ---------------------------------------------------------------------------
def build():
    files = {}
    pics = {}
    pics.update(paint.build_main_pages())
    pics.update(paint.build_led_pages())
    for st in paint.STATES:
        pics["advanced_%s.jpg" % st] = paint.render_window((W.MAIN_W, W.MAIN_H), W.COMMON + W.ADVANCED_PAGE,
                                                            paint.advanced_background, st, paint.PLAIN, {}).final()
        pics["mac_%s.jpg" % st] = paint.render_window((W.MAIN_W, W.MAIN_H), W.COMMON + W.MACRO_PAGE,
                                                       paint.macro_background, st, paint.PLAIN, {}).final()
    pics["main_mask.jpg"] = Image.new("RGB", (W.MAIN_W, W.MAIN_H), (0, 0, 0))
    pics.update(paint.build_dialogs())
    for name, img in paint.build_menus().items():
        pics[name.replace("\\", "/")] = img
    for i, (_, _, _, spec) in enumerate(P.WEAPONS):
        pics["Gun/%d.jpg" % (i + 1)] = paint.weapon(spec)
    for name, img in pics.items():
        files[name] = jpeg(img)
    files["moveRect.png"] = png(paint.knob())

    cfg = utf16(P.config_sections(PRODUCT_CN, PRODUCT_EN))
    files["config/config.ini"] = cfg
    files["config/configReset.ini"] = cfg
    files["config/constMacro.dat"] = ascii_ini(P.macro_file(P.built_in()))

    presets = ascii_ini(P.macro_file(P.presets()))
    for idx, (folder, lang) in sorted(LANGUAGES.items()):
        fnt = "cjk" if lang == "cn" else "sans"
        lf = {}
        lf["LanguageText.ini"] = language_text(lang)
        lf.update(skin_files(lang))
        lf["zhi.png"] = png(paint.badge(T[lang]["zhi"], fnt))
        lf["ver_normal.jpg"] = jpeg(paint.language_row(T[lang]["ver"], fnt, False))
        lf["ver_over.jpg"] = jpeg(paint.language_row(T[lang]["ver"], fnt, True))
        lf["PUBG.dat"] = presets
        lf.update(macro_library(lang))
        for name, data in lf.items():
            files["%s/%s" % (folder, name)] = data
    return files


def write(files, root):
    if os.path.isdir(root):
        shutil.rmtree(root)
    for rel, data in sorted(files.items()):
        path = os.path.join(root, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def compare(files, root):
    problems = []
    on_disk = set()
    for base, _, names in os.walk(root):
        for n in names:
            on_disk.add(os.path.relpath(os.path.join(base, n), root).replace(os.sep, "/"))
    for rel in sorted(set(files) | on_disk):
        if rel not in on_disk:
            problems.append("missing: " + rel)
        elif rel not in files:
            problems.append("not generated: " + rel)
        else:
            with open(os.path.join(root, *rel.split("/")), "rb") as f:
                if f.read() != files[rel]:
                    problems.append("differs: " + rel)
    return problems


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--check", action="store_true", help="compare with the committed data root")
    ap.add_argument("--out", default=os.path.join(REPO, "skins"))
    args = ap.parse_args()

    overflow = textfit.check()
    if overflow:
        print("texts that do not fit their place:\n  " + "\n  ".join(overflow), file=sys.stderr)
        return 1
    files = build()
    if args.check:
        with tempfile.TemporaryDirectory() as tmp:
            write(files, tmp)  # the same path as a real run, so write() is exercised too
            problems = compare(files, args.out)
        if problems:
            print("skins/ is not up to date with tools/skingen (run generate.py):\n  " +
                  "\n  ".join(problems[:40]), file=sys.stderr)
            return 1
        print("skins/ matches tools/skingen (%d files)" % len(files))
        return 0
    write(files, args.out)
    print("wrote %d files to %s" % (len(files), args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
