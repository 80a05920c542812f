#include "keys/key_capture.h"

#include "keys/key_names.h"
#include "keys/key_tables.h"

namespace keys {

namespace {
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
constexpr unsigned kVkReturn = 13, kVkEscape = 27, kVkF10 = 121;
} // namespace

bool isKeyMessage(unsigned message)
{
    return message == kKeyDown || message == kKeyUp || message == kSysKeyDown || message == kSysKeyUp;
}

bool swallowedWhileCapturing(unsigned message, unsigned virtualKey)
{
    if (!isKeyMessage(message))
        return false;
    const bool down = message == kKeyDown || message == kSysKeyDown;
    return virtualKey == kVkF10 || (down && (virtualKey == kVkEscape || virtualKey == kVkReturn));
}

bool isModifierKey(unsigned vk) { return (vk >= 16 && vk <= 18) || vk == 91 || vk == 92 || (vk >= 160 && vk <= 165); }

Text KeyNaming::nameOf(int deviceCode) const
{
    return keyName(language, deviceCode, kModeKeys, leftButton, middleButton, rightButton, button4, button5);
}

KeyCapture::KeyCapture(KeyNaming naming, std::uint8_t deviceCode)
    : naming_(std::move(naming)), code_(deviceCode), name_(naming_.nameOf(deviceCode))
{
}

CaptureStep KeyCapture::message(unsigned message, unsigned virtualKey)
{
    CaptureStep step;
    if (!isKeyMessage(message))
        return step;
    code_ = std::uint8_t(deviceFromVk(naming_.language, int(virtualKey & 0xFF), kModeKeys));
    name_ = naming_.nameOf(code_);
    step.changed = true;
    step.swallow = swallowedWhileCapturing(message, virtualKey);
    return step;
}

} // namespace keys
