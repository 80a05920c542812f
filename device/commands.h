#pragma once
// Every command the program sends to the mouse, with its exact bytes.
#include "device/report_channel.h"

#include <array>
#include <cstdint>

namespace device {

namespace cmd {
constexpr std::uint8_t Move = 0x0B;          // relative pointer movement
constexpr std::uint8_t KeyOverride = 0x10;   // function of one device slot until the next download
constexpr std::uint8_t Switch = 0x11;        // vertical adjust on (2) / off (0)
constexpr std::uint8_t Lighting = 0x13;      // lighting effect settings
constexpr std::uint8_t DpiColour = 0x14;     // colour of one DPI level
constexpr std::uint8_t Keys = 0x15;          // keyboard keys held by a macro
constexpr std::uint8_t Buttons = 0x16;       // mouse buttons held by a macro, active low
constexpr std::uint8_t Consumer = 0x17;      // one consumer-control key press
constexpr std::uint8_t Memory = 0x18;        // memory block access
constexpr std::uint8_t Close = 0x20;         // the program closes
} // namespace cmd

// Flags of command 0x18.
namespace memflag {
constexpr std::uint8_t Load = 0x03;     // access + load into the transfer buffer
constexpr std::uint8_t Read = 0x05;     // access + read into the next status
constexpr std::uint8_t Program = 0x09;  // access + program the loaded block
constexpr std::uint8_t Finish = 0x10;   // end of a series of transfers
constexpr std::uint8_t Idle = 0x00;
} // namespace memflag

// A value as the mouse wants a signed 16-bit quantity: two's complement.
constexpr std::uint16_t twosComplement16(int v) { return static_cast<std::uint16_t>(v < 0 ? 65536 - (-v) : v); }

// Movement of a macro event: the sub byte 3..6 gives the signs of x and y,
// any other sub byte moves nothing. With vertical adjust on, its value is
// added to y before the sign.
void sendMove(ReportChannel& ch, int sub, int x, int y, bool vAdjustOn, int vAdjustValue);

void sendKeyOverride(ReportChannel& ch, int deviceSlot, int function);
void sendVerticalAdjust(ReportChannel& ch, bool on);

// The bytes 2..7 of command 0x13.
struct LightingEffect {
    bool enable = true;
    std::uint8_t colourMask = 0;   // seven colours, bits 0..6 (0xFF from the sound lighting)
    bool switchBit = true;
    int effect = 0;                // 0..15; bit 3 goes to byte 6 bit 7
    int cycleTime = 0;             // 0..7
    bool startColour = false;
    bool symmetry = false;
    int direction = 0;             // low 2 bits
    int fixedValue = 10;           // 0..15
    int brightness = 0;            // low 3 bits
    int value = 0x002;             // 10 bits
    bool fullMask = false;         // byte 2 is 0xFF as a whole
};
std::array<std::uint8_t, 6> lightingBytes(const LightingEffect& e);
void sendLighting(ReportChannel& ch, const LightingEffect& e);

void sendDpiColour(ReportChannel& ch, int level, int r, int g, int b);

// HID consumer usage of button functions 23..32 (33 maps to Stop but is never
// sent); anything else is 0.
std::uint16_t consumerUsage(int buttonFunction);
void sendConsumerKey(ReportChannel& ch, int buttonFunction);

void sendMemoryRequest(ReportChannel& ch, std::uint8_t flags, std::uint8_t index, std::uint16_t address,
                       std::uint8_t data, std::uint8_t lastIndex);
void sendClose(ReportChannel& ch);

// The keys and mouse buttons a playing macro holds. They persist between
// macros; release-all resets both.
class HeldInputs {
public:
    explicit HeldInputs(ReportChannel& ch) : ch_(ch) {}

    // Into the first empty slot (dropped when all six are taken), then 0x15.
    void keyDown(std::uint8_t code);
    // Out of its slot, later slots move up and the last is cleared, then 0x15.
    // An unknown key clears only the last slot.
    void keyUp(std::uint8_t code);
    // Event codes 0xF1 left, 0xF3 right, 0xF2 middle; others keep the state
    // but the report is still sent.
    void buttonDown(std::uint8_t eventCode);
    void buttonUp(std::uint8_t eventCode);
    // 10 ms, buttons released (0x16), 10 ms, all key slots cleared (0x15).
    void releaseAll();

    std::array<std::uint8_t, 6> keys() const { return keys_; }
    std::uint8_t buttons() const { return buttons_; }

private:
    void sendKeys();
    void sendButtons();
    static std::uint8_t buttonBit(std::uint8_t eventCode);

    ReportChannel& ch_;
    std::array<std::uint8_t, 6> keys_{};
    std::uint8_t buttons_ = 0xFF;
};

} // namespace device
