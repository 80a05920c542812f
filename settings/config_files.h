#pragma once
// The store in its INI files: config.ini (the user's settings) and
// configReset.ini (factory settings, same layout) in the configuration folder.
// Everything goes through the profile functions one key at a time, with the
// read buffer sizes the files have always been read with.
#include "platform/text.h"
#include "settings/config_store.h"

#include <vector>

namespace settings {

inline constexpr char16_t kConfigFileName[] = u"config.ini";
inline constexpr char16_t kFactoryFileName[] = u"configReset.ini";

// folder + name, with one '\' between them whether or not folder ends in one.
Text configFilePath(const Text& folder, const Text& name);

// TipText numbers of what loading, importing and exporting report; the
// window shows them, the settings code never does.
namespace tip {
constexpr int MissingConfig = 5;
constexpr int FileProblem = 6;
constexpr int WrongProduct = 9;
} // namespace tip

enum class LoadResult { Loaded, NoSuchConfiguration, FileMissing };

// Section Config<n> and ShareData of config.ini (or configReset.ini) into the
// store. A missing file leaves the store as it was (FileMissing: tip 5). The
// language converts the keys of shortcut texts into the shortcut macros.
LoadResult loadConfiguration(ConfigStore& s, const Text& folder, int config, bool factory, int language);
// The tip a result asks for, 0 for none.
int tipFor(LoadResult r);

// Every save below replaces the file in one step (see platform/atomic_save.h).

// Section Config<n> and ShareData of `file` from the store.
void saveConfiguration(ConfigStore& s, const Text& file, int config);

// Only DPI_LEVEL of ShareData, after the mouse reported a DPI change.
void saveDpiLevel(ConfigStore& s, const Text& file, int config);

// Only DPI_LEVEL of ShareData into the store, after the sound-reactive
// lighting handed the lights back. A level outside 0..5 reads as 0.
void loadDpiLevel(ConfigStore& s, const Text& file);

// CurConfig of Init, as the apply step writes it before the four saves.
void saveCurrentConfiguration(const ConfigStore& s, const Text& file);

// The apply step's save: CurConfig, then configurations 0, 1, 2, 3.
void saveAllConfigurations(ConfigStore& s, const Text& file);

// At start-up: a config.ini that cannot be read or lacks its product name
// gives way to the copy the last save kept. Returns whether it did.
bool restoreConfigFile(const Text& configFile);

// Configurations 3, 2, 1, 0 from configReset.ini, each saved into config.ini.
// The caller first clears the download's record of the mouse's macro memory
// and repaints afterwards. Returns the tips for the user, in order: tip 5 for
// each of the four loads that found no configReset.ini.
std::vector<int> factoryReset(ConfigStore& s, const Text& folder, int language);

// What import and export need to know about the running program.
struct SettingsFileContext {
    Text configFolder;       // holds config.ini
    Text executableFolder;   // where the dialogs start
    Text productNameEn;      // PRODUCTNAME_EN / _CN read at start-up
    Text productNameCn;
    int language = 0;
};

enum class ImportResult { Cancelled, WrongProduct, Failed, Imported };

struct ImportOutcome {
    ImportResult result = ImportResult::Cancelled;
    // Reloads after the copy that found config.ini gone (tip 5 each).
    int missingReloads = 0;

    bool operator==(ImportResult r) const { return result == r; }
};

// Lets the user pick a settings file of this product, copies it over
// config.ini and reloads the four configurations. Imported means the caller
// repaints; tipsFor() lists what the user is told, in order.
ImportOutcome importSettingsFile(ConfigStore& s, const SettingsFileContext& ctx);
// The same without the dialog: the file the user picked.
ImportOutcome importSettingsFrom(ConfigStore& s, const SettingsFileContext& ctx, const Text& chosen);
std::vector<int> tipsFor(const ImportOutcome& o);

enum class ExportResult { Cancelled, Failed, Exported };

// Copies config.ini as it is on disk to a file the user picks. Failed asks
// for tip 6; Exported means the caller repaints.
ExportResult exportSettingsFile(const SettingsFileContext& ctx);
ExportResult exportSettingsTo(const SettingsFileContext& ctx, const Text& chosen);
int tipFor(ExportResult r);

} // namespace settings
