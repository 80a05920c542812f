#include "platform/win32/system_settings_win.h"

#include <windows.h>

namespace platform::win32 {

namespace {
constexpr UINT kSaveAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
}

std::optional<int> Win32SystemSettings::mouseSpeed()
{
    int speed = 0;
    if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0))
        return std::nullopt;
    return speed;
}

bool Win32SystemSettings::setMouseSpeed(int speed)
{
    // The value itself travels in pvParam, not a pointer to it.
    return SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                                 kSaveAndBroadcast) != FALSE;
}

std::optional<int> Win32SystemSettings::wheelScrollLines()
{
    UINT lines = 0;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        return std::nullopt;
    return static_cast<int>(lines);
}

bool Win32SystemSettings::setWheelScrollLines(int lines)
{
    // uiParam carries the number of lines.
    return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, static_cast<UINT>(lines), nullptr, kSaveAndBroadcast) != FALSE;
}

} // namespace platform::win32
