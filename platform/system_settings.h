#pragma once
// The two Windows mouse settings the program owns: pointer speed and wheel
// scroll lines (SystemParametersInfoW). A set is written to the user profile
// and broadcast, as the control panel does.
#include <optional>

namespace platform {

class SystemSettings {
public:
    virtual ~SystemSettings() = default;
    // SPI_GETMOUSESPEED; nullopt when the call fails.
    virtual std::optional<int> mouseSpeed() = 0;
    // SPI_SETMOUSESPEED with SPIF_UPDATEINIFILE | SPIF_SENDCHANGE.
    virtual bool setMouseSpeed(int speed) = 0;
    // SPI_GETWHEELSCROLLLINES; nullopt when the call fails.
    virtual std::optional<int> wheelScrollLines() = 0;
    // SPI_SETWHEELSCROLLLINES with SPIF_UPDATEINIFILE | SPIF_SENDCHANGE.
    virtual bool setWheelScrollLines(int lines) = 0;
};

} // namespace platform
