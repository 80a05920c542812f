#pragma once
// Builders for macro file text, written independently of the encoder under test.
#include "macro/macro_record.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace macrotest {

// Three-digit tokens without separators.
inline std::string tokenLine(const std::vector<int>& tokens)
{
    std::string line;
    for (int t : tokens) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%03d", t);
        line += buf;
    }
    return line;
}

// A version-3 token vector: 2621 zeros with the name "AB" filled in.
inline std::vector<int> zeroTokensV3() { return std::vector<int>(2621, 0); }

inline void setName(std::vector<int>& tokens, const std::string& ascii)
{
    for (size_t i = 0; i < ascii.size(); ++i)
        tokens[2 * i] = static_cast<unsigned char>(ascii[i]);
}

// The same line in the older layout: the six tokens 75..80 left out.
inline std::string olderLayout(const std::string& v3line)
{
    return v3line.substr(0, 75 * 3) + v3line.substr(81 * 3);
}

// An INI group file: [Init] DAT_VER, [Macros] macroNum and the lines "0".."n-1".
inline std::string groupFileText(int version, int macroNum, const std::vector<std::string>& lines)
{
    std::string s = "[Init]\r\nDAT_VER=" + std::to_string(version) + "\r\n[Macros]\r\nmacroNum=" +
                    std::to_string(macroNum) + "\r\n";
    for (size_t i = 0; i < lines.size(); ++i)
        s += std::to_string(i) + "=" + lines[i] + "\r\n";
    return s;
}

// A record using every field the file carries, with every kind of event.
inline std::unique_ptr<macro::MacroRecord> richRecord()
{
    using namespace macro;
    auto r = std::make_unique<MacroRecord>();
    insertEvent(*r, 0, 4, sub::Press);               // A
    insertEvent(*r, 1, kind::LeftButton, sub::Press);
    insertEvent(*r, 2, kind::RightButton, sub::Release);
    insertEvent(*r, 3, kind::MiddleButton, sub::Press);
    insertEvent(*r, 4, kind::Move, 5);
    insertEvent(*r, 5, kind::Cpi, sub::CpiSet);
    insertEvent(*r, 6, kind::Led, sub::LedStep);
    insertEvent(*r, 7, kind::F7, 3);
    insertEvent(*r, 8, kind::FA, 1);
    insertEvent(*r, 9, kind::Button4, sub::Release);
    insertEvent(*r, 10, kind::Pause, 0);
    insertEvent(*r, 11, 224, sub::Press);            // left Ctrl
    r->param[4] = {77, 300};
    r->delay[0] = 1000;
    r->delay[10] = 65535;
    r->ledBlock[0][4] = 3;
    r->ledBlock[0][5] = 7;
    r->ledBlock[0][6] = 200;
    setRecordName(*r, u"Recoil \u4E2D\u6587");
    r->mode = cycle::WhileHeld | 0x08;
    r->repeatCount = 1000;
    r->vAdjustSwitch = 1;
    r->vAdjustValue = 12;
    return r;
}

} // namespace macrotest
