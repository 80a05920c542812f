// The shipped data root (skins/), read the way the program reads it: through
// the profile functions of the platform layer, the skin field splitters and
// the macro token lines. Every finding names its file, so one run lists all.
#include "macro/macro_file.h"
#include "platform/platform.h"
#include "tests/data/data_root_check.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace {

using datacheck::PictureSize;

struct Language {
    int index;
    const char* folder;
};
const Language kLanguages[] = {{0, "0_INI_CN"}, {1, "1_INI_EN"}, {6, "6_INI_IT"}};

const Text kMissing = T("\x01missing");

Text root()
{
    return testsupport::sourceDir() + T("\\skins");
}

Text at(const std::string& rel)
{
    Text r = root() + u'\\' + text::fromUtf8(rel);
    for (char16_t& c : r)
        if (c == u'/')
            c = u'\\';
    return r;
}

Text get(const Text& file, const std::string& section, const std::string& key, size_t buffer = 260)
{
    return platform::os().profile->getString(file, T(section), T(key), kMissing, buffer);
}

bool present(const Text& v)
{
    return v != kMissing;
}

std::string utf8(const Text& t)
{
    return text::toUtf8(t);
}

std::optional<PictureSize> picture(const std::string& rel)
{
    auto bytes = platform::os().files->readFile(at(rel));
    if (!bytes)
        return std::nullopt;
    return datacheck::pictureSize(*bytes);
}

// Collects findings so that one run reports every problem of the data root.
struct Findings {
    std::vector<std::string> lines;
    void add(const std::string& s) { lines.push_back(s); }
    std::string report() const
    {
        std::string out;
        for (const auto& l : lines)
            out += "  " + l + "\n";
        return out;
    }
};

int keyNum()
{
    return text::toInt(get(at("config/config.ini"), "KEYNUM", "KeyNum", 15));
}

// --- skin tables ----------------------------------------------------------------

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
    bool overlaps(const Rect& o) const
    {
        return !empty() && !o.empty() && x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
    bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

struct Entry {
    bool defined = false;
    Rect rect;
    Text text;
};

struct Table {
    const char* file;
    const char* section;
    int count;
    bool dialog;     // read by a dialog's reader (needs all six commas)
    int hitCount;    // numbers 0..hitCount-1 are hit-tested against each other
    const char* picture;
};

const Table kTables[] = {
    {"skin_main.ini", "BUTTONPOS", 255, false, 255, "main_mask.jpg"},
    {"skin_advance.ini", "BUTTONPOS", 138, false, 138, "main_mask.jpg"},
    {"skin_mac.ini", "BUTTONPOS", 20, false, 20, "main_mask.jpg"},
    {"skin_mac.ini", "EDIT", 3, false, 0, "main_mask.jpg"},
    {"skin_mac.ini", "MACRODISPLAY", 4, false, 0, "main_mask.jpg"},
    {"skin_color.ini", "BUTTONPOS", 103, false, 80, "main_mask.jpg"},
    {"mac_color.ini", "BUTTONPOS", 11, false, 0, "main_mask.jpg"},
    {"LBWarning.ini", "BUTTONPOS", 13, false, 3, "warning_mask.jpg"},
    {"skin_keyset.ini", "BUTTONPOS", 4, true, 4, "keyset_mask.jpg"},
    {"skin_gun.ini", "BUTTONPOS", 14, true, 14, "gun_mask.jpg"},
    {"skin_gun.ini", "EDIT", 3, true, 0, "gun_mask.jpg"},
    {"skin_shortcut.ini", "BUTTONPOS", 14, true, 14, "combinationKey_normal.jpg"},
    {"skin_sound.ini", "BUTTONPOS", 50, true, 11, "sound_mask.jpg"},
};

std::vector<int> range(int from, int to)
{
    std::vector<int> v;
    for (int i = from; i <= to; ++i)
        v.push_back(i);
    return v;
}

std::vector<int> join(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> v;
    for (const auto& p : parts)
        v.insert(v.end(), p.begin(), p.end());
    return v;
}

// Numbers that the program gives an action or draws something into.
std::vector<int> usedRegions(const std::string& file, const std::string& section)
{
    int k = keyNum();
    if (section == "EDIT")
        return file == "skin_gun.ini" ? range(0, 2) : std::vector<int>{2};
    if (section == "MACRODISPLAY")
        return range(1, 3);
    if (file == "skin_main.ini")
        return join({{0, 1, 3, 4, 6, 7, 8, 9, 10, 11, 14, 15, 16, 17}, range(20, 19 + k), range(35, 34 + k),
                     {46, 78, 79, 80}});
    if (file == "skin_advance.ini")
        return join({{1, 2, 18, 19, 31, 32}, range(34, 41), range(47, 52), range(60, 66), range(70, 75),
                     range(77, 82)});
    if (file == "skin_mac.ini")
        return {4, 5, 6, 7, 8, 13, 15};
    if (file == "skin_color.ini")
        return join({range(0, 14), {17, 19, 35, 40, 41, 45}, range(47, 50), range(51, 50 + k),
                     range(66, 65 + k), range(81, 85), {88}});
    if (file == "LBWarning.ini")
        return {0, 1, 2, 6, 7};
    if (file == "skin_keyset.ini")
        return {0, 1, 2};
    if (file == "skin_gun.ini")
        return {0, 1, 2, 4, 5, 6, 8, 9};
    if (file == "skin_shortcut.ini")
        return {0, 1, 2, 3, 4, 6, 7, 8, 9};
    if (file == "skin_sound.ini")
        return join({{2, 3, 4, 9, 10}, range(13, 48)});
    return {};
}

std::vector<Entry> readTable(const Language& lang, const Table& t, Findings& f)
{
    std::vector<Entry> out(t.count);
    Text file = at(std::string(lang.folder) + "/" + t.file);
    std::string where = std::string(lang.folder) + "/" + t.file + " [" + t.section + "] ";
    for (int n = 0; n < t.count; ++n) {
        Text v = get(file, t.section, std::to_string(n));
        if (!present(v) || v.empty())
            continue;
        int commas = datacheck::commaCount(v);
        bool misread = t.dialog ? commas != 6 : !(commas == 5 || commas == 6);
        if (misread) {
            f.add(where + std::to_string(n) + ": " + std::to_string(commas) + " commas in \"" + utf8(v) + "\"");
            continue;
        }
        auto fields = t.dialog ? datacheck::splitDialog(v) : datacheck::splitMain(v);
        int numbers[4];
        bool ok = true;
        for (int k = 0; k < 4; ++k) {
            const Text& s = fields[k + 1];
            ok = ok && !s.empty() && std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
            numbers[k] = text::toInt(s);
        }
        if (!ok) {
            f.add(where + std::to_string(n) + ": coordinates are not plain numbers: \"" + utf8(v) + "\"");
            continue;
        }
        out[n] = {true, {numbers[0], numbers[1], numbers[2], numbers[3]}, fields[5]};
    }
    return out;
}

// --- findings of each area ------------------------------------------------------------

void checkTables(Findings& f)
{
    std::map<std::string, std::vector<Entry>> reference;
    for (const Language& lang : kLanguages) {
        for (const Table& t : kTables) {
            std::string name = std::string(t.file) + " [" + t.section + "]";
            std::string where = std::string(lang.folder) + "/" + name;
            if (!platform::os().files->exists(at(std::string(lang.folder) + "/" + t.file))) {
                f.add(where + ": file missing");
                continue;
            }
            auto entries = readTable(lang, t, f);
            auto size = picture(t.picture);
            for (int n : usedRegions(t.file, t.section))
                if (!entries[n].defined || entries[n].rect.empty())
                    f.add(where + " " + std::to_string(n) + ": used by the program but empty");
            for (int n = 0; n < t.count; ++n) {
                const Entry& e = entries[n];
                if (!e.defined || e.rect.empty())
                    continue;
                auto pic = size;
                if (std::string(t.file) == "LBWarning.ini" && n >= 6)
                    pic = picture("warning2_mask.jpg");
                if (pic && (e.rect.x < 0 || e.rect.y < 0 || e.rect.x + e.rect.w > pic->width ||
                            e.rect.y + e.rect.h > pic->height))
                    f.add(where + " " + std::to_string(n) + ": outside its picture");
                for (int m = 0; m < n && n < t.hitCount; ++m)
                    if (entries[m].rect.overlaps(e.rect))
                        f.add(where + ": regions " + std::to_string(m) + " and " + std::to_string(n) + " overlap");
            }
            if (std::string(t.file) == "LBWarning.ini" && entries[6].rect.overlaps(entries[7].rect))
                f.add(where + ": regions 6 and 7 overlap");
            auto ref = reference.find(name);
            if (ref == reference.end()) {
                reference[name] = entries;
            } else {
                for (int n = 0; n < t.count; ++n)
                    if (!(ref->second[n].rect == entries[n].rect))
                        f.add(where + " " + std::to_string(n) + ": rectangle differs from the first language");
            }
        }
    }
}

void checkFunctionNames(Findings& f)
{
    for (const Language& lang : kLanguages) {
        Text file = at(std::string(lang.folder) + "/skin_main.ini");
        std::string where = std::string(lang.folder) + "/skin_main.ini [FUN_STRING] ";
        Text zero = get(file, "FUN_STRING", "0", 10);
        // an entry "0" takes position 0, which the more-functions menu never shows
        if (present(zero) && !zero.empty())
            f.add(where + "0: not empty, so the last more-functions row would have no entry");
        std::vector<int> named;
        for (int i = 1; i < 48; ++i) {
            Text v = get(file, "FUN_STRING", std::to_string(i));
            if (present(v) && datacheck::commaCount(v) > 0)
                f.add(where + std::to_string(i) + ": contains a comma");
            bool shown = (i >= 1 && i <= 11) || (i >= 19 && i <= 32) || i == 12 || i == 16 || i == 17;
            if (shown && (!present(v) || v.empty()))
                f.add(where + std::to_string(i) + ": empty");
        }
        // positions of the more-functions entries must run 1..n without gaps
        std::vector<int> positions;
        int skipped = 0;
        for (int i = 12; i <= 18; ++i) {
            Text v = get(file, "FUN_STRING", std::to_string(i));
            if (i == 18 || !present(v) || v.empty()) {
                ++skipped;
                continue;
            }
            positions.push_back(i - 11 - skipped);
        }
        for (int i = 0; i < 5; ++i) {
            Text v = get(file, "FUN_STRING", std::to_string(30000 + i), 20);
            if (!present(v) || v.empty()) {
                ++skipped;
                continue;
            }
            positions.push_back(i + 8 - skipped);
        }
        for (size_t k = 0; k < positions.size(); ++k)
            if (positions[k] != static_cast<int>(k) + 1)
                f.add(where + "more-functions entry " + std::to_string(k + 1) + " lands on row " +
                      std::to_string(positions[k]));
    }
}

struct Needed {
    const char* section;
    std::vector<int> keys;
};

void checkLanguageTexts(Findings& f)
{
    const std::vector<Needed> needed = {
        {"TipText", {1, 2, 3, 5, 6, 7, 8, 9, 20, 21, 23, 24, 29, 30, 31}},
        {"UniqueName_DevMac", join({range(1, 7), range(10, 28), {32, 34, 35, 36, 37, 39, 40, 41, 42}})},
        {"UniqueName_LED", range(1, 15)},
        {"UniqueName_Other", {1, 6, 7, 8, 9, 11, 12, 13, 14, 17, 21, 26}},
        {"UniqueName_ShortCut", {1, 2}},
    };
    const char* sections[] = {"TipText", "UniqueName_MouseKey", "UniqueName_DevMac", "UniqueName_LED",
                              "UniqueName_Other", "UniqueName_ShortCut"};
    for (const Language& lang : kLanguages) {
        Text file = at(std::string(lang.folder) + "/LanguageText.ini");
        std::string where = std::string(lang.folder) + "/LanguageText.ini ";
        for (const char* s : sections) {
            for (int k = 0; k < 50; ++k) {
                Text v = get(file, s, std::to_string(k));
                if (!present(v))
                    continue;
                int c = datacheck::commaCount(v);
                if (c == 1 || c == 2 || c >= 5)
                    f.add(where + "[" + s + "] " + std::to_string(k) + ": the splitter keeps only \"" +
                          utf8(datacheck::languageText(v)) + "\"");
            }
        }
        for (const Needed& n : needed)
            for (int k : n.keys) {
                Text v = get(file, n.section, std::to_string(k));
                if (!present(v) || datacheck::languageText(v).empty())
                    f.add(where + "[" + n.section + "] " + std::to_string(k) + ": empty");
            }
        Text own = get(file, "UniqueName_Other", std::to_string(20 + lang.index));
        if (!present(own) || own.empty())
            f.add(where + "the language's own name is empty");
        // edited pause and duration rows are parsed back by these two texts
        Text unit = get(file, "UniqueName_Other", "12");
        if (unit.size() != 2)
            f.add(where + "pause unit \"" + utf8(unit) + "\" is not two characters");
        Text duration = get(file, "UniqueName_Other", "9");
        if (duration.empty() || duration.back() != u':' ||
            std::count(duration.begin(), duration.end(), u':') != 1)
            f.add(where + "duration label \"" + utf8(duration) + "\" must end in its only colon");
        Text group = get(file, "UniqueName_DevMac", "36", 60);
        if (group.find_first_of(u"\\/:*?\"<>|") != Text::npos)
            f.add(where + "default group name is no file name");
    }
}

void checkPictures(Findings& f)
{
    struct Group {
        std::vector<std::string> names;
        const char* sizeOf;
    };
    std::vector<Group> groups;
    auto states = [](const std::string& base, std::initializer_list<const char*> variants, bool down = true) {
        std::vector<std::string> v;
        for (const char* var : variants) {
            v.push_back(base + "_normal" + var + ".jpg");
            v.push_back(base + "_over" + var + ".jpg");
            if (down)
                v.push_back(base + "_down" + var + ".jpg");
        }
        return v;
    };
    std::vector<std::string> main = states("main", {"", "_dark", "_dark2"});
    for (auto& s : states("led", {"", "_dark", "_dark2"}))
        main.push_back(s);
    for (auto& s : states("advanced", {""}))
        main.push_back(s);
    for (auto& s : states("mac", {""}))
        main.push_back(s);
    for (const char* v : {"led_null.jpg", "led_null_dark.jpg", "led_null_dark2.jpg", "new_down.jpg",
                          "warning2_normal.jpg", "warning2_over.jpg", "warning2_mask.jpg"})
        main.push_back(v);
    groups.push_back({main, "main_mask.jpg"});
    groups.push_back({states("keyset", {""}), "keyset_mask.jpg"});
    groups.push_back({states("combinationKey", {""}), "combinationKey_normal.jpg"});
    groups.push_back({states("gun", {""}), "gun_mask.jpg"});
    groups.push_back({states("sound", {""}), "sound_mask.jpg"});
    groups.push_back({states("warning", {""}, false), "warning_mask.jpg"});
    for (const char* base : {"menu", "menu1", "menu2", "more", "Profile", "led_menu", "Macro_menu", "MacMenu/MacG",
                             "MacMenu/MacR", "MacMenu/Insert", "MacMenu/Insert2th", "MacMenu/Insert3th"})
        groups.push_back({states(base, {""}), nullptr});
    groups.push_back({{"MacMenu/MacR_normal2.jpg", "MacMenu/MacR_over2.jpg", "MacMenu/MacR_down2.jpg"},
                      "MacMenu/MacR_mask2.jpg"});

    for (const Group& g : groups) {
        std::string sizeOf = g.sizeOf ? g.sizeOf : g.names[0].substr(0, g.names[0].find("_normal")) + "_mask.jpg";
        auto ref = picture(sizeOf);
        if (!ref) {
            f.add(sizeOf + ": missing or not a picture");
            continue;
        }
        for (const auto& n : g.names) {
            auto s = picture(n);
            if (!s)
                f.add(n + ": missing or not a picture");
            else if (s->width != ref->width || s->height != ref->height)
                f.add(n + ": " + std::to_string(s->width) + "x" + std::to_string(s->height) + ", but " + sizeOf +
                      " is " + std::to_string(ref->width) + "x" + std::to_string(ref->height));
        }
    }
    // fixed sizes of the two key dialogs
    auto keyset = picture("keyset_mask.jpg");
    if (keyset && (keyset->width != 360 || keyset->height != 200))
        f.add("keyset pictures must be 360x200, the size of the key dialog");
    auto combo = picture("combinationKey_normal.jpg");
    if (combo && (combo->width != 480 || combo->height != 330))
        f.add("combinationKey pictures must be 480x330, the size of the shortcut dialog");
    // rows of the menus
    struct MenuRows {
        const char* mask;
        int rowHeight; // 0: mask height / divisor
        int divisor;
        int rowsNeeded;
    };
    const MenuRows menus[] = {
        {"Profile_mask.jpg", 0, 4, 4}, {"menu1_mask.jpg", 0, 15, 11}, {"menu2_mask.jpg", 0, 15, 12},
        {"menu_mask.jpg", 0, 15, 7}, {"led_menu_mask.jpg", 0, 15, 14}, {"MacMenu/MacG_mask.jpg", 20, 0, 8},
        {"MacMenu/MacR_mask.jpg", 20, 0, 4}, {"MacMenu/MacR_mask2.jpg", 20, 0, 2},
        {"MacMenu/Insert_mask.jpg", 20, 0, 7}, {"MacMenu/Insert2th_mask.jpg", 20, 0, 6},
        {"MacMenu/Insert3th_mask.jpg", 20, 0, 4},
    };
    for (const MenuRows& m : menus) {
        auto s = picture(m.mask);
        if (!s)
            continue;
        int h = m.rowHeight ? m.rowHeight : s->height / m.divisor;
        if (m.divisor && s->height % m.divisor)
            f.add(std::string(m.mask) + ": height is not a whole number of rows");
        if (s->height / h < m.rowsNeeded)
            f.add(std::string(m.mask) + ": holds fewer than " + std::to_string(m.rowsNeeded) + " rows");
    }
    auto macG = picture("MacMenu/MacG_mask.jpg");
    auto macR = picture("MacMenu/MacR_mask.jpg");
    if (macG && macR && macR->width > macG->width - 80)
        f.add("MacR pictures are wider than the window the macro row menu gets (MacG width - 80)");
    auto menu2 = picture("menu2_mask.jpg");
    if (menu2 && menu2->width > 160)
        f.add("menu2 is wider than the 160-pixel weapon list window");
    // overlays
    auto knob = picture("moveRect.png");
    if (!knob || !knob->alpha)
        f.add("moveRect.png: missing or without alpha");
    for (const Language& lang : kLanguages) {
        std::string folder = lang.folder;
        auto zhi = picture(folder + "/zhi.png");
        auto main = picture("main_mask.jpg");
        if (!zhi || !zhi->alpha)
            f.add(folder + "/zhi.png: missing or without alpha");
        else if (main && (378 + zhi->width > main->width || 535 + zhi->height > main->height))
            f.add(folder + "/zhi.png: does not fit at (378, 535)");
        for (const char* v : {"/ver_normal.jpg", "/ver_over.jpg"}) {
            auto s = picture(folder + v);
            if (!s)
                f.add(folder + v + ": missing");
            else if (menu2 && (s->width < menu2->width || s->height < menu2->height / 15))
                f.add(folder + v + ": smaller than a row of the language menu");
        }
    }
}

// A slider's fill and knob must stay inside the picture at both ends.
void checkSliders(Findings& f)
{
    Language en = kLanguages[1];
    auto knob = picture("moveRect.png");
    auto main = picture("main_mask.jpg");
    if (!knob || !main)
        return;
    struct Slider {
        const char* file;
        int num;
        int dx, dy;
    };
    const Slider sliders[] = {{"skin_advance.ini", 66, -5, 13}, {"skin_advance.ini", 1, -6, 0},
                              {"skin_advance.ini", 18, -6, 0},  {"skin_advance.ini", 31, -6, 0},
                              {"skin_color.ini", 41, -5, -5},   {"skin_color.ini", 40, -5, -5}};
    for (const Slider& s : sliders) {
        Findings ignore;
        Table t{s.file, "BUTTONPOS", s.num + 1, false, 0, "main_mask.jpg"};
        auto entries = readTable(en, t, ignore);
        Rect r = entries[s.num].rect;
        int fullWidth = s.num == 66 && std::string(s.file) == "skin_advance.ini" ? 303 : r.w;
        if (s.num == 66 && r.w != 303)
            f.add("advanced region 66: the DPI slider must be 303 pixels wide");
        for (int w : {0, fullWidth}) {
            int kx = r.x + w + s.dx, ky = r.y + s.dy;
            if (kx < 0 || ky < 0 || kx + knob->width > main->width || ky + knob->height > main->height)
                f.add(std::string(s.file) + " " + std::to_string(s.num) + ": knob leaves the picture");
        }
    }
}

void checkEncodings(Findings& f)
{
    namespace fs = std::filesystem;
    fs::path base = fs::path(utf8(testsupport::sourceDir())) / "skins";
    for (const auto& e : fs::recursive_directory_iterator(base)) {
        if (!e.is_regular_file())
            continue;
        std::string ext = e.path().extension().string();
        if (ext != ".ini" && ext != ".dat" && ext != ".sdat")
            continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string rel = fs::relative(e.path(), base).string();
        bool bom = b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE;
        if (bom) {
            if (b.size() % 2)
                f.add(rel + ": UTF-16 file of odd length");
            if (ext != ".ini")
                f.add(rel + ": macro files are ASCII");
            continue;
        }
        if (std::any_of(b.begin(), b.end(), [](unsigned char c) { return c >= 0x80; }))
            f.add(rel + ": non-ASCII text without a UTF-16LE BOM");
    }
}

// A record as the program holds it, in the form the consistency check reads.
std::optional<datacheck::DecodedMacro> inMemory(const macro::MacroRecord& r)
{
    datacheck::DecodedMacro m;
    for (int u = 0; u < macro::kNameUnits; ++u) {
        if (r.name[u] == 0) {
            m.nameTerminated = true;
            break;
        }
        m.name += r.name[u];
    }
    m.mode = r.mode;
    m.repeatCount = r.repeatCount;
    m.eventCount = r.eventCount;
    m.xyCount = r.xyCount;
    m.f7Count = r.f7Count;
    m.cpiCount = r.cpiCount;
    m.faCount = r.faCount;
    m.ledCount = r.ledCount;
    m.fbCount = r.fbCount;
    m.vAdjustSwitch = r.vAdjustSwitch;
    m.vAdjustValue = r.vAdjustValue;
    for (int k = 0; k < macro::kMaxEvents; ++k)
        m.events.push_back({r.code[k], r.sub[k], r.param[k].x, r.param[k].y, r.delay[k]});
    for (int b = 0; b < macro::kBlockCount; ++b)
        for (int j = 0; j < macro::kBlockBytes; ++j)
            m.ledBlocks[b][j] = r.ledBlock[b][j];
    return m;
}

// Reads a macro file as the program does and checks every record in it.
int checkMacroFile(const std::string& rel, int language, Findings& f, std::vector<std::u16string>* names = nullptr)
{
    Text file = at(rel);
    if (!platform::os().files->exists(file)) {
        f.add(rel + ": missing");
        return -1;
    }
    if (text::toInt(get(file, "Init", "DAT_VER", 3)) != 3)
        f.add(rel + ": DAT_VER is not 3");
    int count = text::toInt(get(file, "Macros", "macroNum", 3));
    if (count < 0 || count > 13)
        f.add(rel + ": macroNum " + std::to_string(count));
    for (int i = 0; i < count && i < 13; ++i) {
        Text line = get(file, "Macros", std::to_string(i), (81 + 2880) * 9);
        if (!present(line)) {
            f.add(rel + " macro " + std::to_string(i) + ": line missing");
            continue;
        }
        // the program's decoder forgives any text, so the token format is checked first
        std::string why;
        if (!datacheck::decodeMacroLine(utf8(line), &why)) {
            f.add(rel + " macro " + std::to_string(i) + ": " + why);
            continue;
        }
        auto m = inMemory(macro::decodeMacroLine(line, macro::readFileVersion(file), language));
        for (const auto& p : datacheck::macroProblems(*m))
            f.add(rel + " macro " + std::to_string(i) + " (" + utf8(m->name) + "): " + p);
        if (names)
            names->push_back(m->name);
    }
    return count;
}

void checkMacros(Findings& f, std::map<int, std::vector<int>>* groupSizes)
{
    checkMacroFile("config/constMacro.dat", 1, f);
    for (const Language& lang : kLanguages) {
        std::string folder = lang.folder;
        std::vector<std::u16string> presetNames;
        int presets = checkMacroFile(folder + "/PUBG.dat", lang.index, f, &presetNames);
        if (presets != 12)
            f.add(folder + "/PUBG.dat: " + std::to_string(presets) + " presets, the weapon list holds 12");
        for (int i = 1; i <= presets; ++i)
            if (!picture("Gun/" + std::to_string(i) + ".jpg"))
                f.add("Gun/" + std::to_string(i) + ".jpg: missing");
        std::set<std::u16string> unique(presetNames.begin(), presetNames.end());
        if (unique.size() != presetNames.size())
            f.add(folder + "/PUBG.dat: weapon names repeat");
        for (const char* lib : {"/macro/", "/macroReset/"}) {
            std::string dir = folder + lib;
            Text grp = at(dir + "macroGrp.ini");
            if (!platform::os().files->exists(grp)) {
                f.add(dir + "macroGrp.ini: missing");
                continue;
            }
            int n = text::toInt(get(grp, "MACRO_GROUP_NUM", "macGrpNum", 3));
            if (n < 1 || n > 12)
                f.add(dir + "macroGrp.ini: " + std::to_string(n) + " groups");
            std::set<Text> seen;
            for (int g = 0; g < 12; ++g) {
                Text name = get(grp, "MACRO_GROUP_NAME", std::to_string(g), 60);
                if (g >= n) {
                    if (present(name) && !name.empty())
                        f.add(dir + "macroGrp.ini: name " + std::to_string(g) + " beyond the group count");
                    continue;
                }
                if (!present(name) || name.empty() || !seen.insert(name).second ||
                    name.find_first_of(u"\\/:*?\"<>|") != Text::npos) {
                    f.add(dir + "macroGrp.ini: group " + std::to_string(g) + " has no usable name");
                    continue;
                }
                std::vector<std::u16string> names;
                int macros = checkMacroFile(dir + utf8(name) + ".dat", lang.index, f, &names);
                if (macros > 12)
                    f.add(dir + utf8(name) + ".dat: more than 12 macros");
                std::set<std::u16string> u(names.begin(), names.end());
                if (u.size() != names.size())
                    f.add(dir + utf8(name) + ".dat: macro names repeat");
                if (std::string(lib) == "/macro/")
                    (*groupSizes)[lang.index].push_back(macros);
            }
        }
    }
}

struct KeyRange {
    std::string key;
    int lo, hi;
    size_t buffer;
};

void checkConfig(const std::string& rel, Findings& f, const std::map<int, std::vector<int>>& groupSizes)
{
    Text file = at(rel);
    if (!platform::os().files->exists(file)) {
        f.add(rel + ": missing");
        return;
    }
    auto need = [&](const std::string& section, const KeyRange& k) {
        Text v = get(file, section, k.key, k.buffer);
        if (!present(v)) {
            f.add(rel + " [" + section + "] " + k.key + ": missing");
            return 0;
        }
        int n = text::toInt(v);
        if (n < k.lo || n > k.hi || text::fromInt(n) != v)
            f.add(rel + " [" + section + "] " + k.key + " = " + utf8(v) + ": outside " + std::to_string(k.lo) +
                  ".." + std::to_string(k.hi));
        return n;
    };
    int lang = need("Init", {"VER_SEL", 0, 29, 5});
    if (lang != 0 && lang != 1 && lang != 6)
        f.add(rel + ": VER_SEL names a language that is not shipped");
    need("Init", {"CurConfig", 0, 3, 5});
    for (const char* k : {"PRODUCTNAME_CN", "PRODUCTNAME_EN"}) {
        Text v = get(file, "PRODUCTNAME", k, 50);
        if (!present(v) || v.empty() || v.size() > 49)
            f.add(rel + " [PRODUCTNAME] " + k + ": empty or longer than 49 characters");
    }
    int keys = need("KEYNUM", {"KeyNum", 1, 12, 15});
    std::set<int> slots;
    for (int i = 1; i <= keys; ++i) {
        int s = need("KEYMAP", {"K" + std::to_string(i) + "_MAP", 1, 14, 15});
        if (!slots.insert(s).second)
            f.add(rel + " [KEYMAP]: device slot " + std::to_string(s) + " used twice");
    }
    Text funFile = at("1_INI_EN/skin_main.ini");
    for (int n = 0; n < 4; ++n) {
        std::string sec = "Config" + std::to_string(n);
        bool primary = false;
        for (int b = 0; b < 12; ++b) {
            std::string bs = std::to_string(b);
            Text kv = get(file, sec, "K" + bs);
            if (!present(kv)) {
                f.add(rel + " [" + sec + "] K" + bs + ": missing");
                continue;
            }
            size_t comma = kv.find(u',');
            int code = text::toInt(kv.substr(0, comma));
            if (code == 1 && b < keys)
                primary = true;
            std::string where = rel + " [" + sec + "] K" + bs + " = " + utf8(kv) + ": ";
            if (code == 33) {
                Text shortcut = comma == Text::npos ? Text() : kv.substr(comma + 1);
                int seps = 0;
                for (size_t p = shortcut.find(u"&split&"); p != Text::npos; p = shortcut.find(u"&split&", p + 1))
                    ++seps;
                if (seps != 9)
                    f.add(where + "a key combination is five name/value pairs");
            } else if (comma != Text::npos) {
                f.add(where + "only code 33 carries a text");
            }
            bool known = (code >= 0 && code <= 6) || (code >= 12 && code <= 17) || (code >= 19 && code <= 33) ||
                         (code >= 50 && code < 62) || (code >= 30000 && code <= 30004) || code >= 256;
            if (!known)
                f.add(where + "no function has this code");
            if (code >= 256 && code < 30000) {
                int g = code / 256 - 1, m = code % 256;
                for (const auto& [langIndex, sizes] : groupSizes)
                    if (g >= static_cast<int>(sizes.size()) || m >= sizes[g])
                        f.add(where + "no such macro in the library of language " + std::to_string(langIndex));
            }
            if (code >= 30000 && !present(get(funFile, "FUN_STRING", std::to_string(code), 20)))
                f.add(where + "the skin does not name this function");
            need(sec, {"LEFT_MAC" + std::to_string(n) + bs, 0, 1, 5});
            need(sec, {"MAC_COR" + std::to_string(n) + "_" + bs, 0, 6, 5});
            need(sec, {"LED_REACT_EN" + bs, 0, 1, 5});
            need(sec, {"LED_REACT_TYPE" + bs, 0, 3, 5});
        }
        need(sec, {"WHEEL_STATUS", 0, 0, 5});
        if (!primary)
            f.add(rel + " [" + sec + "]: no button has Left Click, so every button menu would be refused");
    }
    std::vector<KeyRange> share = {
        {"DPI_LEVEL", 0, 5, 5}, {"LED_USER_COLER_EN", 1, 1, 5}, {"CYC_7COL_EN", 1, 127, 5},
        {"LED_TYPE", 0, 13, 5}, {"LED_CYC_TIME", 0, 5, 5}, {"LED_CYCTIME", 0, 5, 5},
        {"LED_FEATURE_SCOLOR", 0, 0, 5}, {"LED_FEATURE_SYMMETRY", 0, 1, 5}, {"LED_FEATURE_DIREC", 0, 3, 5},
        {"LED_BRIGHT", 0, 7, 5}, {"DPI_SPEED", 1, 11, 5}, {"WHEEL_SPEED", 1, 11, 5}, {"USB_SPEED", 0, 3, 5},
        {"FIRE_TIME", 8, 300, 5}, {"MODE_LIGHT", 0, 1, 5}, {"SOFT_HARD_MAC", 0, 1, 5},
        {"SoundWaveMode", 2, 4, 5}, {"WaveShowStatu", 0, 1, 5}, {"SoundSpeaker", 0, 100, 5},
        {"SoundMicroph", 0, 100, 5}, {"SoundBright2", 0, 7, 5},
    };
    for (int k = 0; k < 10; ++k)
        share.push_back({"LED_TYPE_SW_EN" + std::to_string(k), 0, 1, 5});
    for (int i = 0; i < 6; ++i) {
        std::string s = std::to_string(i);
        share.push_back({"DPI_SET" + s, 0, 22, 10});
        share.push_back({"DPI_SET_EN" + s, 0, 1, 10});
        for (const char* c : {"_R", "_G", "_B"})
            share.push_back({"DPI" + s + c, 0, 15, 10});
    }
    for (int i = 0; i < 7; ++i)
        for (const char* c : {"_R", "_G", "_B"})
            share.push_back({"LED_USER" + std::to_string(i) + c, 0, 15, 10});
    for (const auto& k : share)
        need("ShareData", k);
    int level = text::toInt(get(file, "ShareData", "DPI_LEVEL", 5));
    if (text::toInt(get(file, "ShareData", "DPI_SET_EN" + std::to_string(level), 10)) != 1)
        f.add(rel + ": the current DPI level is not enabled");
}

} // namespace

TEST(DataRoot, SkinTablesAreReadWhereTheProgramExpectsThem)
{
    Findings f;
    checkTables(f);
    checkSliders(f);
    EXPECT_TRUE(f.lines.empty()) << f.report();
}

TEST(DataRoot, FunctionNamesFillTheMenusWithoutGaps)
{
    Findings f;
    checkFunctionNames(f);
    EXPECT_TRUE(f.lines.empty()) << f.report();
}

TEST(DataRoot, EveryShownLanguageTextIsPresentAndSurvivesTheSplitter)
{
    Findings f;
    checkLanguageTexts(f);
    EXPECT_TRUE(f.lines.empty()) << f.report();
}

TEST(DataRoot, PicturesExistAndEachWindowsPicturesShareOneSize)
{
    Findings f;
    checkPictures(f);
    EXPECT_TRUE(f.lines.empty()) << f.report();
}

TEST(DataRoot, TextFilesAreAsciiOrUtf16WithBom)
{
    Findings f;
    checkEncodings(f);
    EXPECT_TRUE(f.lines.empty()) << f.report();
}

TEST(DataRoot, MacroFilesDecodeToConsistentRecordsAndConfigsReferToThem)
{
    Findings f;
    std::map<int, std::vector<int>> groups;
    checkMacros(f, &groups);
    checkConfig("config/config.ini", f, groups);
    checkConfig("config/configReset.ini", f, groups);
    EXPECT_TRUE(f.lines.empty()) << f.report();
}
