#include "macro/preset_editor.h"

#include <algorithm>

namespace macro {

namespace {

constexpr std::uint8_t kCycleBits = 0x03;

int firstRisingY(const MacroRecord& r)
{
    for (int k = 0; k < std::min<int>(r.eventCount, kMaxEvents); ++k)
        if (r.param[k].y != 0)
            return r.param[k].y;
    return 0;
}

} // namespace

PresetEditor::PresetEditor(PresetTable& presets, Text languageFolder, int language)
    : presets_(presets), languageFolder_(std::move(languageFolder)), language_(language)
{
}

int PresetEditor::cycleMode() const { return presets_.records[size_t(current_)].mode & kCycleBits; }

void PresetEditor::show(int p, PresetBoxes& boxes) const
{
    if (p < 0 || p >= int(presets_.records.size()))
        return;
    const MacroRecord& r = presets_.records[size_t(p)];
    if (r.eventCount != 0) {
        boxes.repeatEnabled = (r.mode & kCycleBits) == cycle::Count;
        boxes.repeat = boxes.repeatEnabled ? text::fromInt(r.repeatCount) : Text(u"1");
    }
    if (r.xyCount != 0) {
        if (const int y = firstRisingY(r))
            boxes.strength = text::fromInt(y);
        boxes.interval = text::fromInt(r.delay[0]);
    }
}

void PresetEditor::holdMode(PresetBoxes& boxes)
{
    MacroRecord& r = presets_.records[size_t(current_)];
    r.mode = std::uint8_t((r.mode & ~0x07) | cycle::WhileHeld);
    r.repeatCount = 1;
    boxes.repeatEnabled = false;
    boxes.repeat = u"1";
}

void PresetEditor::countMode(PresetBoxes& boxes)
{
    MacroRecord& r = presets_.records[size_t(current_)];
    r.mode = std::uint8_t(r.mode & ~0x0B);
    if (r.repeatCount == 0)
        r.repeatCount = 1;
    boxes.repeatEnabled = true;
    boxes.repeat = text::fromInt(r.repeatCount);
}

PresetWrite PresetEditor::ok(const PresetNumbers& typed)
{
    if (current_ >= presets_.count || !presets_.loaded[size_t(current_)])
        return PresetWrite::NotAPreset;
    MacroRecord& r = presets_.records[size_t(current_)];
    const int strength = std::clamp(typed.strength, kMinStrength, kMaxStrength);
    r.repeatCount = std::uint16_t(std::clamp(typed.repeat, 0, 999));
    r.delay[0] = r.delay[1] = std::uint16_t(std::clamp(typed.interval, 0, 9999));
    r.vAdjustSwitch = 1;
    r.vAdjustValue = std::uint8_t(strength);
    return savePreset(presets_, current_, strength, languageFolder_, language_);
}

PresetSwitch PresetEditor::choose(int entry, const PresetNumbers& typed, PresetBoxes& boxes, PresetWrite& write)
{
    write = PresetWrite::Saved;
    if (entry < 1 || entry > presets_.count || entry - 1 == current_)
        return PresetSwitch::Unchanged;
    const int previous = current_;
    current_ = entry - 1;
    return switchedFrom(previous, typed, boxes, write);
}

PresetSwitch PresetEditor::switchedFrom(int previous, const PresetNumbers& typed, PresetBoxes& boxes,
                                        PresetWrite& write)
{
    write = PresetWrite::Saved;
    if (previous < 0 || previous >= presets_.count)
        return PresetSwitch::PreviousBad;
    if (current_ < 0 || current_ >= presets_.count)
        current_ = previous; // a weapon list out of step with the table changes nothing
    if (presets_.loaded[size_t(previous)]) {
        presets_.records[size_t(previous)].repeatCount = std::uint16_t(std::clamp(typed.repeat, 0, 999));
        write = savePreset(presets_, previous, std::clamp(typed.strength, kMinStrength, kMaxStrength),
                           languageFolder_, language_);
    } else {
        write = PresetWrite::NotAPreset; // an empty slot is never written
    }
    show(current_, boxes);
    return write == PresetWrite::Saved ? PresetSwitch::Switched : PresetSwitch::SaveRefused;
}

} // namespace macro
