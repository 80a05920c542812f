#pragma once
// The device threads' view of the running program: the configuration store,
// the game presets and the macro library's files, the device codes and DPI
// marks of the last download, and the main window for what has to happen on
// its thread (reloading a configuration, writing files, repainting).
//
// The threads read button functions, flags and macro records in place while
// the main thread may be editing them; each is a plain value read whole, and
// the threads bound every index they take from it. Everything that writes a
// file or a text of the store goes to the main thread.
#include "device/playback_context.h"
#include "macro/macro_library.h"
#include "macro/macro_record.h"
#include "settings/config_store.h"

#include <array>
#include <functional>
#include <mutex>

namespace device {

// What the main window does for the device threads.
class PlaybackWindow {
public:
    virtual ~PlaybackWindow() = default;
    // Queues `task` to run on the main thread (a posted message) and returns
    // at once: a device thread never waits for the main thread.
    virtual void postToMainThread(std::function<void()> task) = 0;
    // On the main thread: repaint the main window.
    virtual void redraw() = 0;
    // On the main thread: the DPI level the mouse reported, which the
    // sound-reactive lighting puts back when it ends.
    virtual void noteMouseDpiLevel(int level) { (void)level; }
};

// Where the macros and files are; the folders change with the language.
struct PlaybackSources {
    Text configFolder;     // holds config.ini
    Text macroFolder;      // group files and macroGrp.ini
    Text languageFolder;   // holds the preset file
    int language = 1;
};

class StorePlaybackContext : public PlaybackContext {
public:
    // `presets` and `library` belong to the main window. The presets are read
    // on the device threads; the library only in tasks on the main thread.
    StorePlaybackContext(settings::ConfigStore& store, macro::PresetTable& presets, macro::Library& library,
                         PlaybackWindow& window, PlaybackSources sources);

    // Main thread: at start-up and after a language switch.
    void setSources(PlaybackSources sources);
    // Main thread: after every download, the device function code and DPI
    // mark of every button of every configuration.
    void setDownloadedFunctions(const std::array<std::array<std::uint8_t, 12>, 4>& codes,
                                const std::array<std::array<bool, 12>, 4>& dpiMarks);

    int currentConfiguration() override;
    bool softwareMacros() override;
    int buttonCount() override;
    int deviceSlotOf(int button) override;
    int buttonOfSlot(int slot) override;
    PlaybackButton button(int config, int button) override;
    PlaybackLighting lighting() override;
    std::optional<macro::MacroRecord> macroFor(int config, int button, int function) override;

    void setCurrentConfiguration(int config) override;
    void configurationChangedByMouse(int config) override;
    void dpiLevelChangedByMouse(int level) override;
    void saveAdjustedMacro(int function, const macro::MacroRecord& record) override;

private:
    PlaybackSources sources();
    // Main-thread halves of the notifications.
    void reloadCurrentConfiguration();
    void saveDpiLevel(int level);
    void saveLibraryMacro(int group, int index, const macro::MacroRecord& record, const PlaybackSources& where);
    void savePresetMacro(int preset, const macro::MacroRecord& record, const PlaybackSources& where);

    settings::ConfigStore& store_;
    macro::PresetTable& presets_;
    macro::Library& library_;
    PlaybackWindow& window_;

    std::mutex mutex_;   // guards the two below
    PlaybackSources sources_;
    std::array<std::array<std::uint8_t, 12>, 4> codes_{};
    std::array<std::array<bool, 12>, 4> dpiMarks_{};
};

} // namespace device
