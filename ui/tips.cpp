#include "ui/tips.h"

#include <mutex>

namespace ui {

namespace {
std::mutex tipsMutex;
TipSink* currentSink = nullptr;
std::vector<int> history;
}

void setTipSink(TipSink* sink)
{
    std::lock_guard lock(tipsMutex);
    currentSink = sink;
}

void showTip(int number, const Text& suffix)
{
    TipSink* sink;
    {
        std::lock_guard lock(tipsMutex);
        history.push_back(number);
        sink = currentSink;
    }
    if (sink)
        sink->showTip(number, suffix);
}

void showTipIfAny(int number)
{
    if (number != 0)
        showTip(number);
}

void showTips(const std::vector<int>& numbers)
{
    for (int number : numbers)
        showTipIfAny(number);
}

std::vector<int> shownTips()
{
    std::lock_guard lock(tipsMutex);
    return history;
}

void clearShownTips()
{
    std::lock_guard lock(tipsMutex);
    history.clear();
}

} // namespace ui
