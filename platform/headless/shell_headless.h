#pragma once
#include "platform/shell.h"

#include <functional>
#include <map>
#include <mutex>

namespace platform::headless {

// Icons as a list the test reads; the popup menu answers with what the test
// scripted (the items it was shown are kept).
class HeadlessTray : public Tray {
public:
    bool addIcon(const TrayIconData& icon) override;
    bool removeIcon(WindowHandle window, unsigned id) override;
    unsigned popupMenu(WindowHandle owner, Point screen, const std::vector<MenuItem>& items) override;

    std::vector<TrayIconData> icons; // the icons shown now
    int added = 0;
    int removed = 0;

    struct MenuShown {
        WindowHandle owner = 0;
        Point at;
        std::vector<MenuItem> items;
    };
    std::vector<MenuShown> menus;
    // Chooses from a shown menu; unset or returning 0 dismisses it.
    std::function<unsigned(const std::vector<MenuItem>&)> chooser;

    void reset();
};

// The Run key as a map; `writable` false behaves as a user without
// administrator rights, `failWrites` as a key that takes no change.
class HeadlessRegistry : public Registry {
public:
    std::unique_ptr<RunKey> openRunKey() override;

    std::map<Text, Text> runValues;
    bool writable = true;
    bool failWrites = false;
    int opened = 0;

    void reset();
};

HeadlessTray& tray();
HeadlessRegistry& registry();

} // namespace platform::headless
