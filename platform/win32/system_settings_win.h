#pragma once
#include "platform/system_settings.h"

namespace platform::win32 {

class Win32SystemSettings : public SystemSettings {
public:
    std::optional<int> mouseSpeed() override;
    bool setMouseSpeed(int speed) override;
    std::optional<int> wheelScrollLines() override;
    bool setWheelScrollLines(int lines) override;
};

} // namespace platform::win32
