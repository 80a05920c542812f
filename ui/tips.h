#pragma once
// Numbered messages of the current language (TipText entries), shown to the
// user in the warning dialog. Code below the user interface reports a problem
// by number; the main window installs the sink that shows it.
#include "platform/text.h"

#include <vector>

namespace ui {

class TipSink {
public:
    virtual ~TipSink() = default;
    // A modal warning with tip text `number`, optionally followed by `suffix`.
    virtual void showTip(int number, const Text& suffix) = 0;
};

// Until a window installs its sink, tips are only remembered (tests read them).
void setTipSink(TipSink* sink);
void showTip(int number, const Text& suffix = Text());
// What the code below the user interface reported: 0 stands for nothing to tell.
void showTipIfAny(int number);
void showTips(const std::vector<int>& numbers);

// The tips shown since the last clear, in order (kept whatever the sink).
std::vector<int> shownTips();
void clearShownTips();

} // namespace ui
