#pragma once
// Reading the shipped data root the way the program does: skin entries through
// the two field splitters, pictures by their headers, macro lines by their
// tokens. Used by the data-root tests; every finding is one line of text.
#include "platform/text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace datacheck {

// The seven fields of a skin entry as the main window's splitter yields them.
std::array<Text, 7> splitMain(const Text& value);
// The dialogs' splitter; tooManyCommas is set where the program shows its
// "more than six commas" message box.
std::array<Text, 7> splitDialog(const Text& value, bool* tooManyCommas = nullptr);
int commaCount(const Text& value);
// The text a language entry keeps (field 0 of the main splitter).
Text languageText(const Text& value);

struct PictureSize {
    int width = 0;
    int height = 0;
    bool alpha = false; // PNG with an alpha channel
};
// Width and height from a JPEG (SOF marker) or PNG (IHDR) header.
std::optional<PictureSize> pictureSize(const std::vector<std::uint8_t>& bytes);

struct MacroEvent {
    int code = 0, sub = 0, x = 0, y = 0, delay = 0;
};
struct DecodedMacro {
    std::u16string name;
    bool nameTerminated = false;
    int mode = 0, repeatCount = 0, eventCount = 0;
    int xyCount = 0, f7Count = 0, cpiCount = 0, faCount = 0, ledCount = 0, fbCount = 0;
    int vAdjustSwitch = 0, vAdjustValue = 0;
    std::vector<MacroEvent> events; // all 275 slots
    std::array<std::array<int, 68>, 5> ledBlocks{};
};
// Decodes one token line of format version 3; an empty optional and a reason
// when the line is not 2621 three-digit tokens of 0..255.
std::optional<DecodedMacro> decodeMacroLine(const std::string& line, std::string* why);
// Consistency of a record in its in-memory form (device key codes, mouse
// buttons 0xF1..0xF5): counters against events, LED block indexes, parameters
// of the kinds, empty slots. Empty when consistent.
std::vector<std::string> macroProblems(const DecodedMacro& m);

} // namespace datacheck
