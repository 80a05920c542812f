#include "app/tip_relay.h"

namespace app {

TipRelay::TipRelay(ui::TipSink& shower, platform::Window& window)
    : shower_(shower), window_(window), windowThread_(std::this_thread::get_id())
{
}

void TipRelay::showTip(int number, const Text& suffix)
{
    if (std::this_thread::get_id() == windowThread_) {
        shower_.showTip(number, suffix);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        queued_.emplace_back(number, suffix);
    }
    window_.post(ui::msg::ShowQueuedTips);
}

void TipRelay::showQueued()
{
    std::vector<std::pair<int, Text>> tips;
    {
        std::lock_guard lock(mutex_);
        tips.swap(queued_);
    }
    for (const auto& [number, suffix] : tips)
        shower_.showTip(number, suffix);
}

} // namespace app
