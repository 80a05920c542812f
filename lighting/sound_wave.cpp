#include "lighting/sound_wave.h"

#include "platform/platform.h"
#include "ui/picture_cache.h"
#include "ui/tips.h"

#include <span>

namespace lighting {

namespace {

constexpr const char16_t* kSkinFile = u"skin_sound.ini";
constexpr const char16_t* kMask = u"sound_mask.jpg";
constexpr platform::Color kTextCurrent = 0xFFC600; // the skin's cyan
constexpr platform::Color kTextHovered = platform::rgb(255, 255, 255);
constexpr platform::Color kTextNormal = 0x171717;
constexpr int kTextFontSize = 2;
constexpr int kDialogSize = 600;

bool isPatternRegion(int r) { return r >= region::PatternFirst && r <= region::PatternLast; }

} // namespace

SoundWave::SoundWave(const ui::Appearance& look, const settings::ConfigStore& store, Text configFile,
                     device::HidConnection& connection)
    : platform::Window(kSoundTemplate), look_(look), store_(store), configFile_(std::move(configFile)),
      connection_(connection)
{
}

SoundWave::~SoundWave()
{
    worker_.reset();
    destroy();
}

bool SoundWave::open(platform::Window& main, int dpiLevel)
{
    dpiLevel_ = dpiLevel;
    if (!platform::os().audio->mixerAvailable()) {
        ui::showTip(kTipNoMixer);
        return false;
    }
    if (!exists()) {
        if (!create(&main))
            return false;
    } else {
        skinFound_ = loadSkin();
        if (skinFound_ && !worker_)
            start();
    }
    if (!skinFound_) {
        endDialog(0); // the missing file has been reported
        return false;
    }
    worker_->player().dpiLevel = dpiLevel_;
    place(main);
    show(platform::Show::Show);
    return true;
}

bool SoundWave::loadSkin()
{
    const bool found = ui::loadRegionTable(look_.place, kSkinFile, u"BUTTONPOS", 0, regions_, ui::SkinReader::Dialog);
    mask_ = ui::maskSize(look_.place.picture(kMask)).value_or(platform::Size{});
    return found;
}

void SoundWave::place(const platform::Window& main)
{
    const int s = look_.place.scale;
    const platform::Size desktop = platform::os().windows->screenSize();
    const platform::Rect m = main.windowRect();
    const int left = desktop.width / 2 - m.width() / 2 + 250 * s;
    const int top = desktop.height / 2 - m.height() / 2 + 100 * s;
    move(platform::Rect::fromXywh(left, top, kDialogSize * s, kDialogSize * s));
    setRegion({0, 0, mask_.width * s, mask_.height * s});
}

bool SoundWave::onInitDialog()
{
    skinFound_ = loadSkin();
    if (skinFound_)
        start();
    return true;
}

void SoundWave::start()
{
    setTimer(kTimerSample, kSampleMs);
    setTimer(kTimerTickFlash, kTickMs);
    setTimer(kTimerTickBar, kTickMs);
    // Without a playback device there is nothing to measure: the level stays at 0.
    meter_ = platform::os().audio->openDefaultRenderMeter();
    settings_ = readSoundSettings(configFile_);
    worker_ = std::make_unique<SoundWorker>(level_, connection_);
    PatternPlayer& player = worker_->player();
    player.pattern = settings_.pattern;
    player.displayOn = settings_.displayOn == 1;
    player.dpiLevel = dpiLevel_;
    worker_->start();
}

void SoundWave::onTimer(unsigned id)
{
    switch (id) {
    case kTimerSample:
        level_.sample(meter_ ? meter_->peak() : 0.0f);
        invalidate(false);
        break;
    case kTimerTickFlash:
        if (settings_.pattern == kPatternFlash || settings_.pattern == kPatternBreathe)
            level_.setTick();
        break;
    case kTimerTickBar:
        if (settings_.pattern == kPatternBar)
            level_.setTick();
        break;
    default:
        break;
    }
}

void SoundWave::onMouseMove(platform::Point p)
{
    const int r = ui::hitTest(p, std::span(regions_).first(region::HitLast + 1));
    if (r != hovered_) {
        hovered_ = r;
        trackMouseLeave(1);
        invalidate(false);
    }
}

void SoundWave::onMouseLeave()
{
    if (hovered_ != ui::kNoRegion) {
        hovered_ = ui::kNoRegion;
        invalidate(false);
    }
}

void SoundWave::onLButtonDown(platform::Point p)
{
    const int r = ui::hitTest(p, std::span(regions_).first(region::HitLast + 1));
    if (r == ui::kNoRegion) {
        beginMoveDrag(p);
        return;
    }
    pressed_ = true;
    invalidate(false);
    press(r);
}

void SoundWave::onLButtonUp(platform::Point)
{
    pressed_ = false;
    invalidate(false);
}

void SoundWave::press(int r)
{
    if (isPatternRegion(r)) {
        settings_.pattern = r;
        if (worker_)
            worker_->player().pattern = r;
    } else if (r == region::DisplaySwitch) {
        settings_.displayOn = settings_.displayOn == 1 ? 0 : 1;
        if (worker_)
            worker_->setDisplayOn(settings_.displayOn == 1);
        if (settings_.displayOn == 0) {
            // The worker's pass ends before the main window sends the normal lighting,
            // or a late pattern command would leave the mouse showing it.
            if (worker_)
                worker_->waitForPassEnd(kSwitchOffSettleMs);
            if (platform::Window* main = parent())
                main->post(kMsgDpiLevelSync, 1);
        }
    } else if (r == region::Close) {
        writeSoundSettings(settings_, configFile_);
        show(platform::Show::Hide);
    }
}

bool SoundWave::onPaint(platform::Canvas& surface)
{
    const int s = look_.place.scale;
    ui::SkinPictures pictures = ui::loadSkinPictures(look_.place, u"sound");
    if (!pictures.normal)
        return false;
    platform::Canvas& canvas = *pictures.normal;
    if (isPatternRegion(hovered_) && !pressed_)
        ui::copyRegion(canvas, pictures.over.get(), regions_[size_t(hovered_)], s);
    if (isPatternRegion(settings_.pattern))
        ui::copyRegion(canvas, pictures.down.get(), regions_[size_t(settings_.pattern)], s);
    const bool lit = settings_.displayOn == 1 && store_.soundLighting != 1;
    ui::copyRegion(canvas, lit ? pictures.down.get() : pictures.over.get(), regions_[region::DisplaySwitch], s);
    paintMeter(pictures);
    paintTexts(canvas);
    ui::present(surface, canvas, s);
    return true;
}

void SoundWave::paintMeter(ui::SkinPictures& pictures)
{
    if (!pictures.down)
        return;
    const int s = look_.place.scale;
    const bool bars = level_.current() > 1 && level_.step() > 0 && settings_.displayOn == 1;
    for (int r = region::MeterFirst; r <= region::MeterLast; ++r) {
        const platform::Rect area = ui::pictureRect(regions_[size_t(r)], s);
        if (area.isEmpty())
            continue;
        platform::Rect bar;
        if (bars) {
            const int h = area.height() * level_.shownEntry(r - region::MeterFirst) / 100;
            bar = platform::Rect::fromXywh(area.left, area.top + (area.height() - h) / 2, area.width(), h);
        } else {
            bar = platform::Rect::fromXywh(area.left, area.top + area.height() / 2 - 2, area.width(), 2);
        }
        if (!bar.isEmpty())
            pictures.normal->copyFrom(*pictures.down, bar, {bar.left, bar.top});
    }
}

void SoundWave::paintTexts(platform::Canvas& canvas)
{
    const int s = look_.place.scale;
    canvas.setFont(look_.font(kTextFontSize));
    for (int r = region::PatternFirst; r <= region::PatternLast; ++r) {
        const platform::Rect area = ui::pictureRect(regions_[size_t(r)], s);
        const Text& t = regions_[size_t(r)].text;
        if (t.empty())
            continue;
        canvas.setTextColor(r == settings_.pattern ? kTextCurrent : r == hovered_ ? kTextHovered : kTextNormal);
        const platform::Size extent = canvas.textExtent(t);
        // Under the button: its top edge plus its width (the buttons are square).
        canvas.drawText({area.left + (area.width() - extent.width) / 2, area.top + area.width()}, t);
    }
}

} // namespace lighting
