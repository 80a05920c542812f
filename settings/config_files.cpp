#include "settings/config_files.h"

#include "platform/atomic_save.h"
#include "platform/platform.h"
#include "settings/button_catalogue.h"

#include <algorithm>

namespace settings {

namespace {

// Read buffers, in characters with the terminating zero; longer values are cut.
constexpr size_t kButtonBuffer = 260;
constexpr size_t kColourBuffer = 10;   // DPI and colour keys
constexpr size_t kValueBuffer = 5;     // every other key
constexpr size_t kProductNameBuffer = 50;

const Text kShareData = u"ShareData";

Text sectionOf(int config) { return u"Config" + text::fromInt(config); }

Text key(const char* name, int i) { return T(name) + text::fromInt(i); }

// "LEFT_MAC" n b, "MAC_COR" n "_" b, "DPI" i "_R" ...
Text key(const char* name, int a, const char* middle, int b)
{
    return T(name) + text::fromInt(a) + T(middle) + text::fromInt(b);
}

class Reader {
public:
    Reader(Text file, Text section) : file_(std::move(file)), section_(std::move(section)) {}
    void section(Text s) { section_ = std::move(s); }

    Text string(const Text& k, size_t buffer)
    {
        return platform::os().profile->getString(file_, section_, k, Text(), buffer);
    }
    std::int32_t number(const Text& k, size_t buffer = kValueBuffer) { return text::toInt(string(k, buffer)); }
    // 8-bit fields keep the low byte of what the file holds.
    std::uint8_t byte(const Text& k, size_t buffer = kValueBuffer)
    {
        return static_cast<std::uint8_t>(number(k, buffer));
    }

private:
    Text file_;
    Text section_;
};

class Writer {
public:
    Writer(Text file, Text section) : file_(std::move(file)), section_(std::move(section)) {}
    void section(Text s) { section_ = std::move(s); }

    void string(const Text& k, const Text& value)
    {
        ok_ = platform::os().profile->writeString(file_, section_, k, value) && ok_;
    }
    void number(const Text& k, long long value) { string(k, text::fromInt(value)); }
    // Whether every write so far reached the file.
    bool ok() const { return ok_; }

private:
    Text file_;
    Text section_;
    bool ok_ = true;
};

// The level indexes the per-level arrays everywhere; a garbled one starts at level 0.
std::int32_t validDpiLevel(std::int32_t level) { return level >= 0 && level < kDpiLevels ? level : 0; }

bool fileExists(const Text& path)
{
    platform::Files& files = *platform::os().files;
    return files.exists(path) && !files.isDirectory(path);
}

void readButton(ButtonSlot& slot, Reader& r, int config, int button)
{
    Text value = r.string(key("K", button), kButtonBuffer);
    size_t comma = value.find(u',');
    if (comma != Text::npos) {
        slot.functionCode = text::toInt(TextView(value).substr(0, comma));
        slot.shortcutText = value.substr(comma + 1);
    } else {
        slot.functionCode = text::toInt(value);
        slot.shortcutText.clear();
    }
    slot.leftMacro = r.number(key("LEFT_MAC", config, "", button));
    slot.macroColour = std::clamp(r.number(key("MAC_COR", config, "_", button)), 0, 6);
    r.string(key("LED_REACT_EN", button), kValueBuffer);
    slot.ledReactEnabled = 1;   // every load switches the reaction back on
    slot.ledReactType = r.number(key("LED_REACT_TYPE", button));
}

// A colour is three 4-bit values. The mouse only ever received the low four
// bits of what a hand-edited file holds, and the colour shown depends on them
// alone, so that is what is kept.
void readColour(ColourNibbles& c, Reader& r, const char* prefix, int i)
{
    c.red = r.number(T(prefix) + text::fromInt(i) + u"_R", kColourBuffer) & 0x0F;
    c.green = r.number(T(prefix) + text::fromInt(i) + u"_G", kColourBuffer) & 0x0F;
    c.blue = r.number(T(prefix) + text::fromInt(i) + u"_B", kColourBuffer) & 0x0F;
}

void writeColour(const ColourNibbles& c, Writer& w, const char* prefix, int i)
{
    w.number(T(prefix) + text::fromInt(i) + u"_R", c.red);
    w.number(T(prefix) + text::fromInt(i) + u"_G", c.green);
    w.number(T(prefix) + text::fromInt(i) + u"_B", c.blue);
}

Text buttonValue(const ButtonSlot& slot)
{
    Text value = text::fromInt(slot.functionCode);
    if (slot.functionCode == 33)
        value += u"," + slot.shortcutText;
    return value;
}

bool writeConfiguration(ConfigStore& s, const Text& file, int config);

bool writeCurrentConfiguration(const ConfigStore& s, const Text& file)
{
    Writer w(file, u"Init");
    w.number(u"CurConfig", currentConfiguration(s));
    return w.ok();
}

bool hasProductName(const Text& file)
{
    auto& profile = *platform::os().profile;
    return !profile.getString(file, u"PRODUCTNAME", u"PRODUCTNAME_EN", Text(), kProductNameBuffer).empty() ||
           !profile.getString(file, u"PRODUCTNAME", u"PRODUCTNAME_CN", Text(), kProductNameBuffer).empty();
}

} // namespace

Text configFilePath(const Text& folder, const Text& name)
{
    if (folder.empty() || folder.back() == u'\\' || folder.back() == u'/')
        return folder + name;
    return folder + u"\\" + name;
}

LoadResult loadConfiguration(ConfigStore& s, const Text& folder, int config, bool factory, int language)
{
    if (!isValidConfiguration(config))
        return LoadResult::NoSuchConfiguration;
    s.currentConfigText = text::fromInt(config);
    Text file = configFilePath(folder, factory ? kFactoryFileName : kConfigFileName);
    if (!fileExists(file))
        return LoadResult::FileMissing;

    Reader r(file, sectionOf(config));
    for (int b = 0; b < kButtons; ++b)
        readButton(s.buttons[config][b], r, config, b);
    r.string(u"WHEEL_STATUS", kValueBuffer);   // always 0; what the file holds is dropped

    r.section(kShareData);
    s.dpiLevel = validDpiLevel(r.number(u"DPI_LEVEL"));
    for (int i = 0; i < kDpiLevels; ++i) {
        s.dpiIndex[i] = r.byte(key("DPI_SET", i), kColourBuffer);
        s.dpiEnabled[i] = r.number(key("DPI_SET_EN", i), kColourBuffer) != 0 ? 1 : 0;
        readColour(s.dpiColour[i], r, "DPI", i);
        s.dpiDisplayColour[i] = displayColour(s.dpiColour[i]);
    }

    s.ledType = r.byte(u"LED_TYPE");
    for (int k = 0; k < kEffectSwitches; ++k)
        s.effectSwitches[k] = r.number(key("LED_TYPE_SW_EN", k));
    s.effectSpeed = r.byte(u"LED_CYCTIME");
    r.string(u"LED_USER_COLER_EN", kValueBuffer);
    s.userColourEnable = 1;
    r.string(u"LED_FEATURE_SCOLOR", kValueBuffer);   // read, never used
    s.effectDirection = r.number(u"LED_FEATURE_DIREC");
    s.effectSymmetry = r.number(u"LED_FEATURE_SYMMETRY");
    s.brightness = r.number(u"LED_BRIGHT");
    s.soundLighting = r.number(u"MODE_LIGHT");
    s.softwareMacros = r.number(u"SOFT_HARD_MAC");

    for (int i = 0; i < kUserColours; ++i) {
        readColour(s.userColour[i], r, "LED_USER", i);
        s.userDisplayColour[i] = displayColour(s.userColour[i]);
    }

    s.cycleColours = r.byte(u"CYC_7COL_EN");
    unpackCycleColours(s);

    s.pointerSpeed = r.byte(u"DPI_SPEED");
    s.wheelSpeed = r.byte(u"WHEEL_SPEED");
    s.reportRate = r.byte(u"USB_SPEED");
    s.reportInterval = reportIntervalFor(s.reportRate);

    s.fireTime = r.number(u"FIRE_TIME");

    // After every load, not only when a key combination was read: a "33"
    // without its text must not keep the macro of a combination it no longer has.
    rebuildShortcutMacros(s, language);
    return LoadResult::Loaded;
}

int tipFor(LoadResult r)
{
    return r == LoadResult::FileMissing ? tip::MissingConfig : 0;
}

void saveConfiguration(ConfigStore& s, const Text& file, int config)
{
    platform::saveAtomically(file, [&](const Text& copy) { return writeConfiguration(s, copy, config); });
}

namespace {

bool writeConfiguration(ConfigStore& s, const Text& file, int config)
{
    if (!isValidConfiguration(config))
        return false;
    s.currentConfigText = text::fromInt(config);
    Writer w(file, sectionOf(config));
    for (int b = 0; b < kButtons; ++b) {
        const ButtonSlot& slot = s.buttons[config][b];
        w.string(key("K", b), buttonValue(slot));
        w.number(key("LED_REACT_EN", b), slot.ledReactEnabled);
        w.number(key("LEFT_MAC", config, "", b), slot.leftMacro);
        w.number(key("MAC_COR", config, "_", b), slot.macroColour);
        w.number(key("LED_REACT_TYPE", b), slot.ledReactType);
    }
    w.number(u"WHEEL_STATUS", 0);

    w.section(kShareData);
    w.number(u"DPI_LEVEL", s.dpiLevel.load());
    s.userColourEnable = 1;
    w.number(u"LED_USER_COLER_EN", 1);
    w.number(u"CYC_7COL_EN", s.cycleColours);
    for (int i = 0; i < kDpiLevels; ++i) {
        w.number(key("DPI_SET", i), s.dpiIndex[i]);
        w.number(key("DPI_SET_EN", i), s.dpiEnabled[i] ? 1 : 0);
        writeColour(s.dpiColour[i], w, "DPI", i);
    }
    for (int i = 0; i < kUserColours; ++i)
        writeColour(s.userColour[i], w, "LED_USER", i);

    w.number(u"LED_TYPE", s.ledType);
    for (int k = 0; k < kEffectSwitches; ++k)
        w.number(key("LED_TYPE_SW_EN", k), s.effectSwitches[k]);
    w.number(u"LED_CYC_TIME", s.effectSpeed);
    w.number(u"LED_FEATURE_SCOLOR", s.featureColour);
    w.number(u"LED_FEATURE_SYMMETRY", s.effectSymmetry);
    w.number(u"LED_FEATURE_DIREC", s.effectDirection);
    w.number(u"LED_BRIGHT", s.brightness);
    w.number(u"LED_CYCTIME", s.effectSpeed);
    w.number(u"DPI_SPEED", s.pointerSpeed);
    w.number(u"WHEEL_SPEED", s.wheelSpeed);
    w.number(u"USB_SPEED", s.reportRate);
    w.number(u"FIRE_TIME", s.fireTime);
    w.number(u"MODE_LIGHT", s.soundLighting);
    w.number(u"SOFT_HARD_MAC", s.softwareMacros);
    return w.ok();
}

} // namespace

void saveDpiLevel(ConfigStore& s, const Text& file, int config)
{
    s.currentConfigText = text::fromInt(config);
    platform::writeKeyAtomically(file, kShareData, u"DPI_LEVEL", text::fromInt(s.dpiLevel.load()));
}

void loadDpiLevel(ConfigStore& s, const Text& file)
{
    s.dpiLevel = validDpiLevel(Reader(file, kShareData).number(u"DPI_LEVEL"));
}

void saveCurrentConfiguration(const ConfigStore& s, const Text& file)
{
    platform::saveAtomically(file, [&](const Text& copy) { return writeCurrentConfiguration(s, copy); });
}

void saveAllConfigurations(ConfigStore& s, const Text& file)
{
    platform::saveAtomically(file, [&](const Text& copy) {
        bool ok = writeCurrentConfiguration(s, copy);
        for (int config = 0; config < kConfigurations; ++config)
            ok = writeConfiguration(s, copy, config) && ok;
        return ok;
    });
}

std::vector<int> factoryReset(ConfigStore& s, const Text& folder, int language)
{
    // All four are loaded first (every load reads the same ShareData), so the
    // file changes in one save.
    std::vector<int> tips;
    for (int config = kConfigurations - 1; config >= 0; --config)
        if (int t = tipFor(loadConfiguration(s, folder, config, true, language)))
            tips.push_back(t);
    platform::saveAtomically(configFilePath(folder, kConfigFileName), [&](const Text& copy) {
        bool ok = true;
        for (int config = kConfigurations - 1; config >= 0; --config)
            ok = writeConfiguration(s, copy, config) && ok;
        return ok;
    });
    return tips;
}

bool restoreConfigFile(const Text& configFile)
{
    return platform::restoreFromBackup(configFile, hasProductName);
}

namespace {

platform::FileDialogOptions settingsDialogOptions(const SettingsFileContext& ctx, bool save)
{
    platform::FileDialogOptions o;
    o.filter = u"All Files(*.ini)|*.ini||";
    o.defaultExtension = save ? u"ini" : u"";
    o.initialFolder = ctx.executableFolder;
    return o;
}

bool sameProduct(const Text& name, const SettingsFileContext& ctx)
{
    // An empty name proves nothing: without it any INI file would pass
    // whenever one of the program's own names is missing.
    if (name.empty())
        return false;
    return text::equalsIgnoreCase(name, ctx.productNameEn) || text::equalsIgnoreCase(name, ctx.productNameCn);
}

} // namespace

ImportOutcome importSettingsFile(ConfigStore& s, const SettingsFileContext& ctx)
{
    platform::FileDialog* dialog = platform::os().fileDialog;
    if (!dialog)
        return {ImportResult::Cancelled};
    std::optional<Text> chosen = dialog->chooseFileToOpen(settingsDialogOptions(ctx, false));
    if (!chosen || chosen->empty())
        return {ImportResult::Cancelled};
    return importSettingsFrom(s, ctx, *chosen);
}

ImportOutcome importSettingsFrom(ConfigStore& s, const SettingsFileContext& ctx, const Text& chosen)
{
    platform::Profile& profile = *platform::os().profile;
    Text name = profile.getString(chosen, u"PRODUCTNAME", u"PRODUCTNAME_CN", Text(), kProductNameBuffer);
    if (name.empty())
        name = profile.getString(chosen, u"PRODUCTNAME", u"PRODUCTNAME_EN", Text(), kProductNameBuffer);
    if (!sameProduct(name, ctx))
        return {ImportResult::WrongProduct};
    if (!fileExists(chosen))
        return {ImportResult::Failed};
    Text configFile = configFilePath(ctx.configFolder, kConfigFileName);
    // Choosing config.ini itself is a no-op copy (CopyFileW refuses it), not a failure.
    if (!text::equalsIgnoreCase(chosen, configFile) &&
        !platform::saveAtomically(configFile, [&](const Text& copy) {
            return platform::os().files->copyFile(chosen, copy, false);
        }))
        return {ImportResult::Failed};
    ImportOutcome imported{ImportResult::Imported};
    for (int config = 0; config < kConfigurations; ++config)
        if (loadConfiguration(s, ctx.configFolder, config, false, ctx.language) == LoadResult::FileMissing)
            ++imported.missingReloads;
    return imported;
}

std::vector<int> tipsFor(const ImportOutcome& o)
{
    switch (o.result) {
    case ImportResult::WrongProduct:
        return {tip::WrongProduct};
    case ImportResult::Failed:
        return {tip::FileProblem};
    case ImportResult::Imported:
        return std::vector<int>(size_t(o.missingReloads), tip::MissingConfig);
    case ImportResult::Cancelled:
        break;
    }
    return {};
}

ExportResult exportSettingsFile(const SettingsFileContext& ctx)
{
    platform::FileDialog* dialog = platform::os().fileDialog;
    if (!dialog)
        return ExportResult::Cancelled;
    std::optional<Text> chosen = dialog->chooseFileToSave(settingsDialogOptions(ctx, true));
    if (!chosen || chosen->empty())
        return ExportResult::Cancelled;
    return exportSettingsTo(ctx, *chosen);
}

ExportResult exportSettingsTo(const SettingsFileContext& ctx, const Text& chosen)
{
    Text configFile = configFilePath(ctx.configFolder, kConfigFileName);
    bool copied = platform::os().files->copyFile(configFile, chosen, false);
    platform::os().clock->sleepMs(10);
    // A file that was there before the copy does not prove the copy worked.
    if (copied && fileExists(chosen))
        return ExportResult::Exported;
    return ExportResult::Failed;
}

int tipFor(ExportResult r)
{
    return r == ExportResult::Failed ? tip::FileProblem : 0;
}

} // namespace settings
