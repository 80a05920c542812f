#include "platform/headless/system_settings_headless.h"

namespace platform::headless {

std::optional<int> HeadlessSystemSettings::mouseSpeed()
{
    std::lock_guard lock(mutex_);
    if (state_.queriesFail)
        return std::nullopt;
    return state_.mouseSpeed;
}

bool HeadlessSystemSettings::setMouseSpeed(int speed)
{
    std::lock_guard lock(mutex_);
    state_.mouseSpeedSets.push_back(speed);
    if (speed < 1 || speed > 20)
        return false;
    state_.mouseSpeed = speed;
    return true;
}

std::optional<int> HeadlessSystemSettings::wheelScrollLines()
{
    std::lock_guard lock(mutex_);
    if (state_.queriesFail)
        return std::nullopt;
    return state_.wheelLines;
}

bool HeadlessSystemSettings::setWheelScrollLines(int lines)
{
    std::lock_guard lock(mutex_);
    state_.wheelLineSets.push_back(lines);
    state_.wheelLines = lines;
    return true;
}

HeadlessSystemSettings::State HeadlessSystemSettings::state()
{
    std::lock_guard lock(mutex_);
    return state_;
}

void HeadlessSystemSettings::reset(State s)
{
    std::lock_guard lock(mutex_);
    state_ = std::move(s);
}

} // namespace platform::headless
