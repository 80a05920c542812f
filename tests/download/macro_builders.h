#pragma once
// Macros for the tests, built through the record's own insert operation so
// counters and LED/FB blocks are what the editor would leave, and the
// mouse's view of a record: what it should do over time.
#include "macro/macro_record.h"
#include "platform/simmouse/memory_image.h"

#include <algorithm>
#include <initializer_list>

namespace dltest {

struct Ev {
    std::uint8_t code;
    std::uint8_t sub;
    int delay;
    int x = 0;
    int y = 0;
};

inline macro::MacroRecord makeMacro(std::initializer_list<Ev> events, std::uint8_t mode = 0, int repeatCount = 1)
{
    macro::MacroRecord r{};
    for (const Ev& e : events) {
        const int i = r.eventCount;
        macro::insertEvent(r, i, e.code, e.sub);
        r.delay[i] = static_cast<std::uint16_t>(e.delay);
        if (e.code != macro::kind::Led && e.code != macro::kind::FB)
            r.param[i].x = static_cast<std::uint16_t>(e.x);
        r.param[i].y = static_cast<std::uint16_t>(e.y);
    }
    r.mode = mode;
    r.repeatCount = static_cast<std::uint16_t>(repeatCount);
    return r;
}

// Key presses and releases of `keys` with `delay` each: 2 * keys entries.
inline macro::MacroRecord typingMacro(int keys, int delay, std::uint8_t firstKey = 4)
{
    macro::MacroRecord r{};
    for (int k = 0; k < keys; ++k) {
        for (std::uint8_t sub : {macro::sub::Press, macro::sub::Release}) {
            const int i = r.eventCount;
            macro::insertEvent(r, i, static_cast<std::uint8_t>(firstKey + k % 20), sub);
            r.delay[i] = static_cast<std::uint16_t>(delay);
        }
    }
    r.repeatCount = 1;
    return r;
}

// What the mouse should do when it plays the record.
inline platform::sim::Timeline expectedTimeline(const macro::MacroRecord& r)
{
    platform::sim::Timeline t;
    auto addWait = [&](int ms) {
        if (t.actions.empty())
            t.leadInMs += ms;
        else
            t.actions.back().waitMs += ms;
    };
    for (int i = 0; i < r.eventCount; ++i) {
        const int wait = std::max(1, std::min<int>(r.delay[i], 10000));
        const std::uint8_t code = r.code[i], sub = r.sub[i];
        const int x = r.param[i].x, y = r.param[i].y;
        platform::sim::TimedAction a;
        a.code = code;
        a.waitMs = wait;
        if (code == macro::kind::Pause) {
            addWait(wait);
            continue;
        }
        if (code == macro::kind::Move) {
            const int sx = sub == 3 || sub == 4 ? -1 : sub == 5 || sub == 6 ? 1 : 0;
            const int sy = sub == 3 || sub == 5 ? -1 : sub == 4 || sub == 6 ? 1 : 0;
            a.dx = sx * x;
            a.dy = sy * y;
        } else if (code == macro::kind::Cpi) {
            a.press = sub == macro::sub::CpiSet;
            a.cpiCode = x & 0xFF;
        } else if (code == macro::kind::Led) {
            a.ledType = sub - 13;
            const std::uint8_t* block = r.ledBlock[x];
            a.ledRecord.assign(block, block + 4 * block[0] + 4);
        } else if (sub == macro::sub::Press || sub == macro::sub::Release) {
            a.press = sub == macro::sub::Press;
        } else {
            addWait(wait);
            continue;
        }
        t.actions.push_back(a);
    }
    return t;
}

} // namespace dltest
