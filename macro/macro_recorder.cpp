#include "macro/macro_recorder.h"

#include "keys/key_tables.h"

#include <algorithm>

namespace macro {

namespace {
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
constexpr int kVkToDeviceMode = 2;
} // namespace

int timeOfDayMs(int hour, int minute, int second, int milliseconds)
{
    return ((hour * 60 + minute) * 60 + second) * 1000 + milliseconds;
}

int pauseBetween(int last, int now)
{
    int d = now - last;
    if (d < 0)
        d += kMsPerDay;
    return std::min(d, 65535);
}

void MacroRecorder::start(MacroRecord& r, TextView name)
{
    before_ = r;
    target_ = &r;
    const std::uint8_t mode = r.mode;
    clearRecord(r);
    setRecordName(r, name);
    r.mode = mode;
    r.repeatCount = 1;
    r.vAdjustSwitch = 0;
    r.vAdjustValue = 10;
    count_ = presses_ = heldCount_ = 0;
    lastMessage_ = lastKey_ = 0;
    lastTime_ = 0;
}

MacroRecorder::Step MacroRecorder::key(unsigned message, unsigned virtualKey, int language, int nowMs)
{
    if (!running())
        return Step::Skipped;
    const bool press = message == kKeyDown || message == kSysKeyDown;
    if (!press && message != kKeyUp && message != kSysKeyUp)
        return Step::Skipped;
    // The system repeats a held key as more presses: only the first one counts.
    const bool repeat = message == lastMessage_ && virtualKey == lastKey_;
    const auto remember = [&] {
        lastMessage_ = message;
        lastKey_ = virtualKey;
    };
    if (repeat) {
        remember();
        return Step::Skipped;
    }
    if (count_ >= kMaxRecordedEvents) {
        remember();
        return Step::Full;
    }
    const int vk = int(virtualKey & 0xFF);
    std::uint8_t s = 0;
    if (press) {
        // A tenth key held at once has no room; its release then finds no press either.
        if (presses_ >= kMaxRecordedPresses || heldCount_ >= kMaxHeldKeys)
            return Step::Skipped;
        held_[heldCount_++] = vk;
        ++presses_;
        s = sub::Press;
    } else {
        int* end = held_ + heldCount_;
        int* at = std::find(held_, end, vk);
        if (at == end)
            return Step::Skipped;
        std::move(at + 1, end, at);
        --heldCount_;
        s = sub::Release;
    }
    MacroRecord& r = *target_;
    const int k = count_;
    r.code[k] = std::uint8_t(keys::deviceFromVk(language, vk, kVkToDeviceMode));
    r.sub[k] = s;
    if (k > 0)
        r.delay[k - 1] = std::uint16_t(pauseBetween(lastTime_, nowMs));
    r.delay[k] = kLastRecordedPause;
    lastTime_ = nowMs;
    r.param[k] = {0, 0};
    ++count_;
    r.eventCount = std::uint16_t(count_);
    remember();
    return Step::Recorded;
}

void MacroRecorder::finish()
{
    if (target_)
        target_->eventCount = std::uint16_t(count_);
    target_ = nullptr;
}

void MacroRecorder::cancel()
{
    if (target_)
        *target_ = before_;
    target_ = nullptr;
}

} // namespace macro
