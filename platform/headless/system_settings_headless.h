#pragma once
#include "platform/system_settings.h"

#include <mutex>
#include <vector>

namespace platform::headless {

// Remembers the values and every set. Windows takes pointer speeds 1..20
// only; tests can make the queries fail as on a system without them.
class HeadlessSystemSettings : public SystemSettings {
public:
    std::optional<int> mouseSpeed() override;
    bool setMouseSpeed(int speed) override;
    std::optional<int> wheelScrollLines() override;
    bool setWheelScrollLines(int lines) override;

    struct State {
        int mouseSpeed = 10;
        int wheelLines = 3;
        bool queriesFail = false;
        std::vector<int> mouseSpeedSets;   // every value passed to a set, accepted or not
        std::vector<int> wheelLineSets;
    };
    State state();
    void reset(State s);
    void reset() { reset(State()); }

private:
    std::mutex mutex_;
    State state_;
};

} // namespace platform::headless
