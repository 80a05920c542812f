#pragma once
// What a macro operation reports back to the page that ran it: whether it
// changed something, and which tip (if any) the user should see. The macro
// code never shows a tip itself; the page does.
#include "platform/text.h"

namespace macro {

// TipText numbers the macro operations report.
namespace tip {
constexpr int FileMissing = 5;
constexpr int Failed = 6;
constexpr int CreateMacroFirst = 8;
constexpr int StopRecording = 20;
constexpr int Full = 21;
constexpr int GroupNameTaken = 23;
constexpr int SelectMacro = 24;
constexpr int TooManyGroups = 30;
constexpr int BadName = 32;   // a name that cannot be a file name
constexpr int WriteFailed = 33;
} // namespace tip

struct Outcome {
    bool done = false;
    int tip = 0;        // 0: nothing to tell the user
    int listTip = 0;    // what re-reading the group list found, told before tip
    Text tipPrefix;     // shown before the tip text, e.g. "[X]; "
    Text message;       // a fixed text for a plain message box, when not empty

    explicit operator bool() const { return done; }

    static Outcome ok(int tipNumber = 0) { return {true, tipNumber, 0, {}, {}}; }
    static Outcome refused(int tipNumber = 0) { return {false, tipNumber, 0, {}, {}}; }
};

} // namespace macro
