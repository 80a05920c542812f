#pragma once
// A whole download world: the logged simulated mouse, a configuration store
// with every kind of button function across the four configurations, three
// game presets, a macro library of three groups in a temporary macro folder,
// and system settings that only remember what they were told.
#include "device/config_download.h"
#include "macro/macro_library.h"
#include "settings/config_store.h"
#include "tests/download/download_rig.h"
#include "tests/support/temp_folder.h"

#include <memory>

namespace dltest {

constexpr int kLanguage = 1;

class FakeSystemSettings : public platform::SystemSettings {
public:
    std::optional<int> mouseSpeed() override;
    bool setMouseSpeed(int speed) override;
    std::optional<int> wheelScrollLines() override;
    bool setWheelScrollLines(int lines) override;

    std::mutex mutex;
    bool queriesFail = false;
    std::vector<int> speedSets, wheelSets;
};

class RecordingHost : public device::DownloadHost {
public:
    void switchLeftButtonMacroOff() override { ++leftMacroOffs; }
    void noteDpiLevel(int level) override { notedDpiLevel = level; }
    void invalidMacroRecord() override { ++invalidRecords; }
    std::atomic<int> leftMacroOffs{0};
    std::atomic<int> invalidRecords{0};
    std::atomic<int> notedDpiLevel{-1};
};

// The button catalogue of the tests: ten buttons, device slots out of order
// and with gaps, so a button index used for a slot shows.
inline constexpr int kKeyNum = 10;
inline constexpr int kSlotOfButton[kKeyNum] = {1, 2, 3, 5, 4, 6, 7, 9, 10, 11};
int buttonInSlot(int slot);   // -1 when no button

// Library: group 0 with 3 macros, group 1 with 4 (macro 3 a toggle with LED
// steps), group 2 with 1.
inline constexpr int kGroupMacroCounts[] = {3, 4, 1};

class DownloadWorld {
public:
    explicit DownloadWorld(platform::sim::SimMouseOptions options = {});
    ~DownloadWorld();

    device::DownloadResult download();
    device::DownloadSources sources();
    // Replaces the library with `groups` groups of the given macros.
    void writeLibrary(const std::vector<std::vector<macro::MacroRecord>>& groups);
    // The macro of a library function as the download reads it.
    macro::MacroRecord libraryMacro(int function) const;
    // The record a button of the store plays (shortcut, preset or library macro).
    macro::MacroRecord buttonMacro(int config, int button) const;

    DownloadRig rig;
    std::unique_ptr<settings::ConfigStore> store = std::make_unique<settings::ConfigStore>();
    macro::PresetTable presets;
    macro::Library library;
    testsupport::TempFolder folder;
    FakeSystemSettings system;
    RecordingHost host;
    device::ConfigDownload engine{rig.channel};

private:
    platform::SystemSettings* savedSystem_;
};

// Fills a store with every kind of function and distinct shared settings.
void fillStore(settings::ConfigStore& s);
std::vector<std::vector<macro::MacroRecord>> standardLibrary();
void fillPresets(macro::PresetTable& presets);

// Asserts that the image in the mouse says what the store says, by meaning.
void expectImageMatches(const platform::sim::MemoryImage& image, const DownloadWorld& world);

} // namespace dltest
