#include "device/status_reader.h"

#include "device/commands.h"
#include "device/key_overrides.h"
#include "device/stored_lighting.h"

#include <algorithm>

namespace device {

namespace {

constexpr std::size_t kDefaultInputLength = 64;

int validConfig(int config) { return config >= 0 && config < kPlaybackConfigurations ? config : 0; }

} // namespace

void sendSoftwareMacroOverrides(ReportChannel& channel, PlaybackContext& context, int config)
{
    config = validConfig(config);
    int count = std::clamp(context.buttonCount(), 0, kPlaybackButtons);
    for (int b = 0; b < count; ++b) {
        if (!isHandedToProgram(context.button(config, b).function))
            continue;
        int slot = context.deviceSlotOf(b);
        if (slot >= 1 && slot <= kPlaybackDeviceSlots)
            sendKeyOverride(channel, slot, 0);
    }
}

StatusReader::StatusReader(ReportChannel& channel, PlaybackContext& context, PlaybackState& state,
                           CurrentMacro& current)
    : channel_(channel), context_(context), state_(state), current_(current)
{
}

void StatusReader::loadFirstMacro()
{
    // The button only matters for key combinations; any will do.
    int first = macro::libraryFunction(0, 0);
    current_.load(first, context_.macroFor(validConfig(context_.currentConfiguration()), 0, first));
}

bool StatusReader::readOnce()
{
    HidConnection& connection = channel_.connection();
    platform::HidHandle handle;
    std::size_t length;
    {
        // Not held across the read: cancelRead and closing the handle must
        // reach a read that waits for a report.
        std::lock_guard handles(connection.handleMutex());
        handle = connection.readHandle();
        length = connection.readCaps().inputReportByteLength;
    }
    if (!handle)
        return false;
    buffer_.assign(length ? length : kDefaultInputLength, 0);
    int got = connection.hid().readInput(handle, buffer_.data(), buffer_.size());
    if (got <= 0)
        return false;
    handleReport(buffer_.data(), std::min<std::size_t>(std::size_t(got), buffer_.size()));
    return true;
}

void StatusReader::cancelRead()
{
    HidConnection& connection = channel_.connection();
    std::lock_guard handles(connection.handleMutex());
    if (platform::HidHandle handle = connection.readHandle())
        connection.hid().cancelRead(handle);
}

bool StatusReader::hasReadHandle()
{
    HidConnection& connection = channel_.connection();
    std::lock_guard handles(connection.handleMutex());
    return connection.readHandle() != 0;
}

void StatusReader::handleReport(const std::uint8_t* report, std::size_t length)
{
    if (!report || length < 2 || report[0] != kInputReportId)
        return;
    std::uint8_t byte1 = report[1];
    if (byte1 > kKeyEventBase) {
        // Without byte 2 a key event says neither press nor release.
        if (length >= 3)
            onKeyEvent(byte1, report[2]);
    } else if (byte1 >= status::WheelUp && byte1 <= status::ConfigChanged && context_.softwareMacros()) {
        onStatus(byte1);
    }
}

void StatusReader::onKeyEvent(std::uint8_t byte1, std::uint8_t byte2)
{
    int slot = byte1 - kKeyEventBase;
    int button = slot <= kPlaybackDeviceSlots ? context_.buttonOfSlot(slot) : -1;
    // A slot that no button has: nothing the program could act on.
    if (button < 0 || button >= kPlaybackButtons)
        return;
    const int config = validConfig(context_.currentConfiguration());
    const PlaybackButton info = context_.button(config, button);
    const int f = info.function;
    const bool released = byte2 & kKeyReleased;
    const bool software = context_.softwareMacros();

    // Special functions (30000 and up) are no macro and leave the current one.
    if (!released && f >= fn::FirstLoadedMacro && f <= fn::LastMacroClass)
        current_.load(f, context_.macroFor(config, button, f));

    const bool configSwitch = info.deviceCode >= kFirstConfigSwitchCode && info.deviceCode <= kLastConfigSwitchCode;
    if (configSwitch) {
        int now = followMouseConfiguration();
        if (now >= 0) {
            if (state_.leftMacroOn.exchange(false))
                restoreLeftButton(now);
            if (software)
                sendSoftwareMacroOverrides(channel_, context_, now);
        }
        state_.trigger.store(false, std::memory_order_release);
    }

    if (released) {
        state_.postDpiRelease(byte1, byte2);
        state_.held = false;
        if (state_.verticalAdjustOn && state_.verticalAdjustButton == button) {
            state_.verticalAdjustOn = false;
            state_.verticalAdjustButton = -1;
            sendVerticalAdjust(channel_, false);
            if (auto loaded = current_.loaded())
                context_.saveAdjustedMacro(loaded->function, loaded->record);
        }
        return;
    }

    if (software && f == fn::VerticalAdjust) {
        sendVerticalAdjust(channel_, true);
        state_.verticalAdjustButton = button;
        state_.verticalAdjustOn = true;
        current_.setVerticalAdjustSwitch(1);
    }

    bool toggle = !state_.toggle.load();
    if (f < fn::FirstMacro && !(f == fn::PrimaryClick && state_.leftMacroOn))
        toggle = false;
    if (info.leftMacro)
        toggle = false;
    state_.toggle = toggle;
    state_.held = true;

    if (info.leftMacro && software)
        pressLeftMacroButton(button, config);

    // A switch key is not played: the player would look its slot up in the
    // configuration the mouse has just switched to.
    if (!configSwitch && !state_.trigger.load(std::memory_order_acquire))
        state_.setTrigger(byte1);
}

void StatusReader::onStatus(std::uint8_t code)
{
    switch (code) {
    case status::ConfigChanged:
        followMouseConfiguration();
        break;
    case status::WheelUp:
        current_.stepVerticalAdjust(true);
        break;
    case status::WheelDown:
        current_.stepVerticalAdjust(false);
        break;
    default:
        break;
    }
}

int StatusReader::followMouseConfiguration()
{
    int config;
    {
        auto lock = channel_.lock();
        // A failed fetch leaves an old report in the buffer, not a status.
        if (!channel_.fetchStatus())
            return -1;
        config = channel_.statusConfiguration();
    }
    context_.setCurrentConfiguration(config);
    context_.configurationChangedByMouse(config);
    return config;
}

void StatusReader::pressLeftMacroButton(int button, int config)
{
    if (!state_.leftMacroOn) {
        state_.leftMacroButton = button;
        state_.leftMacroOn = true;
        sendKeyOverride(channel_, 1, 0);
        showMacroColour(button, config);
    } else if (state_.leftMacroButton == button) {
        state_.leftMacroOn = false;
        restoreLeftButton(config);
    } else {
        state_.leftMacroButton = button;
        showMacroColour(button, config);
    }
}

void StatusReader::showMacroColour(int button, int config)
{
    LightingEffect e = storedLightingCommand(context_.lighting());
    e.colourMask = static_cast<std::uint8_t>(1u << std::clamp(context_.button(config, button).macroColour, 0, 6));
    e.switchBit = false;
    e.effect = 1;
    e.cycleTime = 4;
    sendLighting(channel_, e);
}

void StatusReader::restoreLeftButton(int config)
{
    // The left button gets back what the mouse holds for it, or stays with the
    // program when the program plays its function.
    int left = context_.buttonOfSlot(1);
    if (left < 0 || left >= kPlaybackButtons)
        left = 0;
    PlaybackButton info = context_.button(config, left);
    int code = context_.softwareMacros() && isHandedToProgram(info.function) ? 0 : info.deviceCode;
    sendKeyOverride(channel_, 1, code);

    sendLighting(channel_, storedLightingCommand(context_.lighting()));
}

} // namespace device
