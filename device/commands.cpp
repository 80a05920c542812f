#include "device/commands.h"

#include "platform/platform.h"

namespace device {

namespace {
std::uint8_t hi(std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); }
std::uint8_t lo(std::uint16_t v) { return static_cast<std::uint8_t>(v & 0xFF); }
}

void sendMove(ReportChannel& ch, int sub, int x, int y, bool vAdjustOn, int vAdjustValue)
{
    if (vAdjustOn)
        y += vAdjustValue;
    int sx = 0, sy = 0;
    switch (sub) {
    case 3: sx = -x; sy = -y; break;
    case 4: sx = -x; sy = y; break;
    case 5: sx = x; sy = -y; break;
    case 6: sx = x; sy = y; break;
    default: break;
    }
    std::uint16_t ux = twosComplement16(sx), uy = twosComplement16(sy);
    ch.send(cmd::Move, {hi(ux), lo(ux), hi(uy), lo(uy), 0, 0});
}

void sendKeyOverride(ReportChannel& ch, int deviceSlot, int function)
{
    ch.send(cmd::KeyOverride, {static_cast<std::uint8_t>(deviceSlot), static_cast<std::uint8_t>(function)});
}

void sendVerticalAdjust(ReportChannel& ch, bool on)
{
    ch.send(cmd::Switch, {static_cast<std::uint8_t>(on ? 2 : 0), 0, 0, 0, 0, 0});
}

std::array<std::uint8_t, 6> lightingBytes(const LightingEffect& e)
{
    std::array<std::uint8_t, 6> b{};
    b[0] = e.fullMask ? 0xFF : static_cast<std::uint8_t>((e.enable ? 0x80 : 0) | (e.colourMask & 0x7F));
    b[1] = static_cast<std::uint8_t>((e.switchBit ? 0x80 : 0) | ((e.effect & 7) << 4) | (e.cycleTime & 7));
    b[2] = static_cast<std::uint8_t>((e.startColour ? 0x80 : 0) | (e.symmetry ? 0x40 : 0) | ((e.direction & 3) << 4) |
                                     (e.fixedValue & 0x0F));
    b[3] = static_cast<std::uint8_t>(e.brightness & 7);
    b[4] = static_cast<std::uint8_t>(((e.value >> 8) & 3) | ((e.effect & 8) ? 0x80 : 0));
    b[5] = static_cast<std::uint8_t>(e.value & 0xFF);
    return b;
}

void sendLighting(ReportChannel& ch, const LightingEffect& e)
{
    auto b = lightingBytes(e);
    ch.send(cmd::Lighting, {b[0], b[1], b[2], b[3], b[4], b[5]});
}

void sendDpiColour(ReportChannel& ch, int level, int r, int g, int b)
{
    ch.send(cmd::DpiColour, {static_cast<std::uint8_t>(((level & 7) << 5) + (g & 0x0F)),
                             static_cast<std::uint8_t>(((r & 0x0F) << 4) + (b & 0x0F))});
}

std::uint16_t consumerUsage(int buttonFunction)
{
    static const std::uint16_t usages[] = {
        0x0223, // 23 AC Home
        0x0183, // 24 AL Consumer Control Configuration
        0x018A, // 25 AL Email Reader
        0x00E9, // 26 Volume Increment
        0x00EA, // 27 Volume Decrement
        0x00B6, // 28 Scan Previous Track
        0x00B5, // 29 Scan Next Track
        0x00E2, // 30 Mute
        0x00CD, // 31 Play/Pause
        0x0192, // 32 AL Calculator
        0x00B7, // 33 Stop
    };
    if (buttonFunction < 23 || buttonFunction > 33)
        return 0;
    return usages[buttonFunction - 23];
}

void sendConsumerKey(ReportChannel& ch, int buttonFunction)
{
    std::uint16_t usage = consumerUsage(buttonFunction);
    ch.send(cmd::Consumer, {hi(usage), lo(usage)});
}

void sendMemoryRequest(ReportChannel& ch, std::uint8_t flags, std::uint8_t index, std::uint16_t address,
                       std::uint8_t data, std::uint8_t lastIndex)
{
    ch.send(cmd::Memory, {flags, index, lo(address), hi(address), data, lastIndex});
}

void sendClose(ReportChannel& ch)
{
    ch.send(cmd::Close, {0, 0});
}

void HeldInputs::sendKeys()
{
    ch_.send(cmd::Keys, {keys_[0], keys_[1], keys_[2], keys_[3], keys_[4], keys_[5]});
}

void HeldInputs::sendButtons()
{
    ch_.send(cmd::Buttons, {kKeep, buttons_});
}

void HeldInputs::keyDown(std::uint8_t code)
{
    for (auto& slot : keys_) {
        if (slot == 0) {
            slot = code;
            break;
        }
    }
    sendKeys();
}

void HeldInputs::keyUp(std::uint8_t code)
{
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == code) {
            for (std::size_t j = i; j + 1 < keys_.size(); ++j)
                keys_[j] = keys_[j + 1];
            break;
        }
    }
    keys_[5] = 0;
    sendKeys();
}

std::uint8_t HeldInputs::buttonBit(std::uint8_t eventCode)
{
    switch (eventCode) {
    case 0xF1: return 0x01; // left
    case 0xF3: return 0x02; // right
    case 0xF2: return 0x04; // middle
    default: return 0;
    }
}

void HeldInputs::buttonDown(std::uint8_t eventCode)
{
    buttons_ = static_cast<std::uint8_t>(buttons_ & ~buttonBit(eventCode));
    sendButtons();
}

void HeldInputs::buttonUp(std::uint8_t eventCode)
{
    buttons_ = static_cast<std::uint8_t>(buttons_ | buttonBit(eventCode));
    sendButtons();
}

void HeldInputs::releaseAll()
{
    auto& clock = *platform::os().clock;
    clock.sleepMs(10);
    buttons_ |= 0x07;
    sendButtons();
    clock.sleepMs(10);
    keys_.fill(0);
    sendKeys();
}

} // namespace device
