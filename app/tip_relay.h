#pragma once
// Tips asked for on any thread, shown on the main window's thread. Workers
// and device threads must not open dialogs: from them a tip is queued and
// the window is asked, by a posted message, to show what is queued.
#include "platform/window.h"
#include "ui/messages.h"
#include "ui/tips.h"

#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace app {

class TipRelay : public ui::TipSink {
public:
    // Made on the window's thread; `shower` shows tips there.
    TipRelay(ui::TipSink& shower, platform::Window& window);

    void showTip(int number, const Text& suffix) override;
    // On the window's thread, for ui::msg::ShowQueuedTips: shows the queued tips in order.
    void showQueued();

private:
    ui::TipSink& shower_;
    platform::Window& window_;
    const std::thread::id windowThread_;
    std::mutex mutex_;
    std::vector<std::pair<int, Text>> queued_;
};

} // namespace app
