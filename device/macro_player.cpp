#include "device/macro_player.h"

#include "device/pacing.h"
#include "device/status_reader.h"

#include <algorithm>

namespace device {

namespace {

constexpr int kDpiLevels = 6;

bool isButtonEvent(std::uint8_t code, std::uint8_t sub)
{
    return code >= 0xF0 && (sub == macro::sub::Press || sub == macro::sub::Release);
}

} // namespace

MacroPlayer::MacroPlayer(ReportChannel& channel, PlaybackContext& context, PlaybackState& state,
                         CurrentMacro& current, platform::Clock& clock, ParkGate* gate)
    : channel_(channel), context_(context), state_(state), current_(current), clock_(clock), gate_(gate),
      held_(channel), random_(static_cast<std::uint32_t>(clock.monotonicUs()) | 1u)
{
}

void MacroPlayer::runPass()
{
    followDpiRelease();
    if (state_.trigger.load(std::memory_order_acquire)) {
        serveTrigger();
        // Only now may the reader hand over the next press.
        state_.trigger.store(false, std::memory_order_release);
    }
    state_.abort = false;
}

void MacroPlayer::followDpiRelease()
{
    std::uint32_t release = state_.dpiRelease.exchange(0, std::memory_order_acq_rel);
    if (!(release & PlaybackState::kReleasePending))
        return;
    int event = (release >> 8) & 0xFF;
    int level = release & kDpiLevelMask;
    // Bits 0..2 can say 6 or 7; the mouse has six levels.
    if (level >= kDpiLevels)
        return;
    const int config = std::clamp(context_.currentConfiguration(), 0, kPlaybackConfigurations - 1);
    const int count = std::clamp(context_.buttonCount(), 0, kPlaybackButtons);
    for (int b = 0; b < count; ++b) {
        if (context_.deviceSlotOf(b) + kKeyEventBase != event || !context_.button(config, b).dpiMark)
            continue;
        context_.dpiLevelChangedByMouse(level);
        return;
    }
}

std::optional<macro::MacroRecord> MacroPlayer::macroOf(int config, int button, int function)
{
    // The reader loaded it for the press, with any wheel adjustment since.
    if (current_.holds(function))
        return current_.copyFor(function);
    return context_.macroFor(config, button, function);
}

void MacroPlayer::serveTrigger()
{
    const std::uint8_t event = state_.lastKeyEvent.load(std::memory_order_relaxed);
    const int config = std::clamp(context_.currentConfiguration(), 0, kPlaybackConfigurations - 1);
    const int count = std::clamp(context_.buttonCount(), 0, kPlaybackButtons);
    for (int b = 0; b < count; ++b) {
        if (context_.deviceSlotOf(b) + kKeyEventBase != event)
            continue;
        const PlaybackButton info = context_.button(config, b);
        const int f = info.function;
        if (f >= fn::FirstConsumer && f <= fn::LastConsumer) {
            sendConsumerKey(channel_, f);
            continue;
        }
        if (!context_.softwareMacros())
            continue;
        const bool leftMacro = event == kKeyEventBase + 1 && state_.leftMacroOn.load();
        const bool ownMacro = f >= fn::FirstMacro && f < fn::EndOfLibrary && !info.leftMacro;
        const bool shortcut = f >= fn::FirstShortcut && f <= fn::LastShortcut;
        if (!leftMacro && !ownMacro && !shortcut)
            continue;

        Playback p;
        if (leftMacro || ownMacro) {
            int source = leftMacro ? std::clamp(state_.leftMacroButton.load(), 0, kPlaybackButtons - 1) : b;
            int function = leftMacro ? context_.button(config, source).function : f;
            auto record = macroOf(config, source, function);
            // A macro that no longer exists ends this press.
            if (!record)
                return;
            p.record = *record;
            p.mode = record->mode;
            p.plays = (p.mode & 3) ? kEndlessPlays : record->repeatCount;
        } else {
            // A key combination plays its own keys once; release-all lets go of them.
            p.record = context_.macroFor(config, b, f).value_or(macro::kEmptyRecord);
            p.mode = 0;
            p.plays = 1;
        }
        p.events = std::min<int>(p.record.eventCount, macro::kMaxEvents);
        play(p);
    }
}

bool MacroPlayer::stopConditionHolds(std::uint8_t mode) const
{
    return ((mode & 2) && !state_.held.load()) || ((mode & 1) && !state_.toggle.load());
}

void MacroPlayer::play(const Playback& p)
{
    playing_ = true;
    bool stopped = false;
    for (int play = 0; play < p.plays && !stopped; ++play) {
        if (stopConditionHolds(p.mode))
            break;
        for (int e = 0; e < p.events; ++e) {
            if (state_.abort.load() || stopConditionHolds(p.mode) || (gate_ && !gate_->checkpoint())) {
                stopped = true;
                break;
            }
            // The pause runs from the start of the event, so the time the
            // report takes is part of it rather than added to it.
            std::int64_t deadline = clock_.monotonicUs();
            sendEvent(p.record, e);
            deadline += std::int64_t(eventPause(p.record.code[e], p.record.sub[e], p.record.delay[e])) * 1000;
            if (!waitUntil(clock_, gate_, deadline)) {
                stopped = true;
                break;
            }
        }
    }
    held_.releaseAll();
    playing_ = false;
}

unsigned MacroPlayer::eventPause(std::uint8_t code, std::uint8_t sub, std::uint16_t storedDelay)
{
    if (!isButtonEvent(code, sub))
        return storedDelay;
    unsigned pause = std::max<unsigned>(storedDelay, kMinButtonPauseMs);
    if (pause < kRandomisedBelowMs)
        pause += static_cast<unsigned>(random_() % (pause / 2));
    return pause;
}

void MacroPlayer::sendEvent(const macro::MacroRecord& r, int e)
{
    const std::uint8_t code = r.code[e];
    const std::uint8_t sub = r.sub[e];
    if (code == macro::kind::Pause)
        return;
    if (code == macro::kind::Move) {
        sendMove(channel_, sub, r.param[e].x, r.param[e].y, r.vAdjustSwitch == 1, r.vAdjustValue);
        return;
    }
    const bool press = sub == macro::sub::Press;
    if (!press && sub != macro::sub::Release)
        return;
    if (code >= 0xF0) {
        if (press)
            held_.buttonDown(code);
        else
            held_.buttonUp(code);
    } else if (press) {
        held_.keyDown(code);
    } else {
        held_.keyUp(code);
    }
}

} // namespace device
