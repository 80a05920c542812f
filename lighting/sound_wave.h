#pragma once
// The sound-reactive lighting dialog: a small skinned window with a live level
// meter, three pattern buttons, a display switch and a close button. It is
// made once and afterwards only shown and hidden; its timers, its meter and
// its worker run from then on, so the lights keep following the sound while
// the dialog is hidden, until the display switch is turned off.
#include "lighting/sound_settings.h"
#include "lighting/sound_worker.h"
#include "platform/audio.h"
#include "settings/config_store.h"
#include "ui/appearance.h"
#include "ui/messages.h"

#include <array>
#include <memory>

namespace lighting {

constexpr int kSoundTemplate = 133;
// Posted to the main window (wparam 1) after the display switch went off: it
// restores the normal lighting from the stored configuration.
constexpr unsigned kMsgDpiLevelSync = ui::msg::DpiLevelSync;
constexpr int kTipNoMixer = 6;

constexpr unsigned kTimerSample = 1;
constexpr unsigned kTimerTickFlash = 2;   // ticks for patterns 3 and 4
constexpr unsigned kTimerTickBar = 3;     // ticks for pattern 2
constexpr unsigned kSampleMs = 96;
constexpr unsigned kTickMs = 480;
constexpr unsigned kSwitchOffSettleMs = 1000; // at most; a pass ends at once when the switch goes off

// Regions of skin_sound.ini.
namespace region {
constexpr int PatternFirst = 2;
constexpr int PatternLast = 4;
constexpr int DisplaySwitch = 9;
constexpr int Close = 10;
constexpr int MeterFirst = 13;
constexpr int MeterLast = 48;
constexpr int HitLast = 10; // the regions a press or hover can find
} // namespace region

class SoundWave : public platform::Window {
public:
    static constexpr int kRegions = 50;

    SoundWave(const ui::Appearance& look, const settings::ConfigStore& store, Text configFile,
              device::HidConnection& connection);
    ~SoundWave() override;

    // Opening from the main page, with the DPI level the mouse is on. Without
    // a mixer the tip is shown and nothing else happens (false). The first
    // open makes the dialog, later ones read its skin again; then it is placed
    // beside the main window and shown.
    bool open(platform::Window& main, int dpiLevel);

    bool onInitDialog() override;
    bool onPaint(platform::Canvas& surface) override;
    bool onEraseBackground() override { return true; }
    void onTimer(unsigned id) override;
    void onMouseMove(platform::Point p) override;
    void onMouseLeave() override;
    void onLButtonDown(platform::Point p) override;
    void onLButtonUp(platform::Point p) override;
    // Enter and Escape do nothing; the close button hides the dialog.
    void onOK() override {}
    void onCancel() override {}

    // Ends the worker before the program tells the mouse it closes.
    void stopLighting() { worker_.reset(); }

    SoundLevel& level() { return level_; }
    PatternPlayer* player() { return worker_ ? &worker_->player() : nullptr; }
    int pattern() const { return settings_.pattern; }
    bool displayOn() const { return settings_.displayOn != 0; }
    bool hasMeter() const { return meter_ != nullptr; }
    int hovered() const { return hovered_; }
    const std::array<ui::SkinRegion, kRegions>& regions() const { return regions_; }

private:
    bool loadSkin();
    // Timers, meter, settings and worker, once.
    void start();
    void place(const platform::Window& main);
    void press(int r);
    void paintMeter(ui::SkinPictures& pictures);
    void paintTexts(platform::Canvas& canvas);

    const ui::Appearance& look_;
    const settings::ConfigStore& store_;
    Text configFile_;
    device::HidConnection& connection_;
    std::array<ui::SkinRegion, kRegions> regions_;
    platform::Size mask_;
    SoundSettings settings_;
    SoundLevel level_;
    std::unique_ptr<platform::PeakMeter> meter_;
    std::unique_ptr<SoundWorker> worker_;
    int dpiLevel_ = 0;
    int hovered_ = ui::kNoRegion;
    bool pressed_ = false;
    bool skinFound_ = false;
};

} // namespace lighting
