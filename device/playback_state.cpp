#include "device/playback_state.h"

namespace device {

void CurrentMacro::load(int function, std::optional<macro::MacroRecord> record)
{
    std::lock_guard lock(mutex_);
    function_ = function;
    valid_ = record.has_value();
    record_ = record ? *record : macro::kEmptyRecord;
}

int CurrentMacro::function() const
{
    std::lock_guard lock(mutex_);
    return function_;
}

std::optional<macro::MacroRecord> CurrentMacro::copyFor(int function) const
{
    std::lock_guard lock(mutex_);
    if (function_ != function || !valid_)
        return std::nullopt;
    return record_;
}

bool CurrentMacro::holds(int function) const
{
    std::lock_guard lock(mutex_);
    return function_ == function;
}

std::optional<CurrentMacro::Loaded> CurrentMacro::loaded() const
{
    std::lock_guard lock(mutex_);
    if (!valid_)
        return std::nullopt;
    return Loaded{function_, record_};
}

void CurrentMacro::setVerticalAdjustSwitch(std::uint8_t on)
{
    std::lock_guard lock(mutex_);
    record_.vAdjustSwitch = on;
}

void CurrentMacro::stepVerticalAdjust(bool up)
{
    std::lock_guard lock(mutex_);
    if (up)
        record_.vAdjustValue = static_cast<std::uint8_t>(record_.vAdjustValue + 1);
    else if (record_.vAdjustValue > 0)
        --record_.vAdjustValue;
}

std::uint8_t CurrentMacro::verticalAdjustValue() const
{
    std::lock_guard lock(mutex_);
    return record_.vAdjustValue;
}

} // namespace device
