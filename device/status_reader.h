#pragma once
// The status reader: reads the mouse's input reports (report ID 6 on the read
// collection) and acts on them. Key events keep the held and toggle flags,
// follow configuration-switch keys, arm and disarm the left-button macro,
// drive the vertical-adjust key and hand presses to the macro player; status
// codes report wheel steps and configuration changes made on the mouse.
#include "device/playback_context.h"
#include "device/playback_state.h"
#include "device/report_channel.h"

#include <cstdint>
#include <vector>

namespace device {

constexpr std::uint8_t kInputReportId = 6;
// Byte 1 of an input report: 0xF1..0xFF a key event of device slot byte1 - 0xF0.
constexpr std::uint8_t kKeyEventBase = 0xF0;
// Byte 2 of a key event.
constexpr std::uint8_t kKeyReleased = 0x80;
constexpr std::uint8_t kDpiLevelMask = 0x07;

namespace status {
constexpr std::uint8_t WheelUp = 1;        // wheel step while the vertical-adjust key is held
constexpr std::uint8_t WheelDown = 2;
constexpr std::uint8_t ConfigChanged = 3;  // the mouse switched configurations
} // namespace status

// Button function codes the reader and the player act on.
namespace fn {
constexpr int PrimaryClick = 1;
constexpr int VerticalAdjust = 18;
constexpr int FirstConsumer = 23;
constexpr int LastConsumer = 32;
constexpr int FirstShortcut = 33;
constexpr int LastShortcut = 40;
constexpr int FirstMacro = 41;
constexpr int FirstLoadedMacro = 50;   // from here the reader loads the macro on a press
constexpr int EndOfLibrary = 3084;     // one past group 12, macro 11
constexpr int LastMacroClass = 29999;
} // namespace fn

// Device function codes of the configuration-switch keys.
constexpr std::uint8_t kFirstConfigSwitchCode = 0x17;
constexpr std::uint8_t kLastConfigSwitchCode = 0x1A;

// Software-macro mode: every button of `config` the program plays for
// (vertical adjust and macros) is reported to the program instead of acted
// on by the mouse.
void sendSoftwareMacroOverrides(ReportChannel& channel, PlaybackContext& context, int config);

class StatusReader {
public:
    StatusReader(ReportChannel& channel, PlaybackContext& context, PlaybackState& state, CurrentMacro& current);

    // At thread start: macro 0 of group 0 becomes the current macro.
    void loadFirstMacro();
    // One blocking read on the read collection, handled. False when nothing
    // was read (no mouse open, the mouse went away).
    bool readOnce();
    // Lets a readOnce waiting in another thread for a report return (false).
    void cancelRead();
    // A read collection is open to read from.
    bool hasReadHandle();
    // One input report as read, of any length and content.
    void handleReport(const std::uint8_t* report, std::size_t length);

private:
    void onKeyEvent(std::uint8_t byte1, std::uint8_t byte2);
    void onStatus(std::uint8_t code);
    // Fetches the status report and makes its configuration current.
    int followMouseConfiguration();
    void pressLeftMacroButton(int button, int config);
    void showMacroColour(int button, int config);
    void restoreLeftButton(int config);

    ReportChannel& channel_;
    PlaybackContext& context_;
    PlaybackState& state_;
    CurrentMacro& current_;
    std::vector<std::uint8_t> buffer_;
};

} // namespace device
