#include "ui/skin_tables.h"

#include "platform/platform.h"

namespace ui {

const Text& FunctionNames::name(int i) const
{
    static const Text none;
    return (i >= 0 && i < kCount) ? names[size_t(i)] : none;
}

const MoreFunction* FunctionNames::findKey(TextView key) const
{
    for (const MoreFunction& f : moreFunctions)
        if (f.key == key)
            return &f;
    return nullptr;
}

const MoreFunction* FunctionNames::atPosition(int position) const
{
    for (const MoreFunction& f : moreFunctions)
        if (f.position == position)
            return &f;
    return nullptr;
}

FunctionNames loadFunctionNames(const SkinPlace& place, const Text& functionZeroName)
{
    platform::Profile& profile = *platform::os().profile;
    const Text path = place.languageFile(u"skin_main.ini");
    const Text section = u"FUN_STRING";
    FunctionNames fn;

    const Text zeroEntry = profile.getString(path, section, u"0", Text(), 10);
    for (int i = 0; i < FunctionNames::kCount; ++i)
        fn.names[size_t(i)] = splitMainFields(profile.getString(path, section, text::fromInt(i), Text(), 260))[0];

    for (int i = 12; i <= 18; ++i) {
        if (i == 18 || fn.names[size_t(i)].empty()) {
            ++fn.skipped;
            continue;
        }
        fn.moreFunctions.push_back({text::fromInt(i), fn.names[size_t(i)], i - 11 - fn.skipped});
    }
    if (!zeroEntry.empty())
        fn.moreFunctions.push_back({u"0", zeroEntry, 0});
    fn.names[0] = functionZeroName;

    for (int i = 0; i < 5; ++i) {
        const Text key = text::fromInt(30000 + i);
        Text value = profile.getString(path, section, key, Text(), 20);
        if (value.empty()) {
            ++fn.skipped;
            continue;
        }
        fn.moreFunctions.push_back({key, value, i + 8 - fn.skipped});
        ++fn.extraCount;
    }
    return fn;
}

bool loadPageSkins(const SkinPlace& place, MainSkinTables& t, const Text& functionZeroName)
{
    constexpr SkinReader R = SkinReader::MainWindow;
    const Text pos = u"BUTTONPOS";
    bool ok = loadRegionTable(place, u"skin_main.ini", pos, 0, t.main, R);
    t.region19Text = t.main[19].text;
    t.main[19].text.clear();
    t.functions = loadFunctionNames(place, functionZeroName);
    ok = loadRegionTable(place, u"skin_color.ini", pos, 0, t.color, R) && ok;
    ok = loadRegionTable(place, u"skin_advance.ini", pos, 0, t.advanced, R) && ok;
    ok = loadRegionTable(place, u"skin_mac.ini", pos, 0, t.mac, R) && ok;
    for (int i = 0; i < 3; ++i) {
        t.macEdit[size_t(i)] = loadRectangle(place, u"skin_mac.ini", u"EDIT", i, R);
        t.macDisplay[size_t(i)] = loadRectangle(place, u"skin_mac.ini", u"MACRODISPLAY", i + 1, R);
    }
    return ok;
}

bool loadWarningSkins(const SkinPlace& place, MainSkinTables& t)
{
    constexpr SkinReader R = SkinReader::MainWindow;
    bool ok = loadRegionTable(place, u"LBWarning.ini", u"BUTTONPOS", 0, t.warning, R);
    ok = loadRegionTable(place, u"mac_color.ini", u"BUTTONPOS", 0, t.macColor, R) && ok;
    return ok;
}

} // namespace ui
