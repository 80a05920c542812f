#include "platform/headless/shell_headless.h"

#include "platform/platform.h"

#include <algorithm>

namespace platform::headless {

bool HeadlessTray::addIcon(const TrayIconData& icon)
{
    added++;
    // The shell refuses a second icon with the same window and id.
    for (const TrayIconData& shown : icons)
        if (shown.window == icon.window && shown.id == icon.id)
            return false;
    TrayIconData copy = icon;
    if (copy.tip.size() > 127)
        copy.tip.resize(127);
    icons.push_back(copy);
    return true;
}

bool HeadlessTray::removeIcon(WindowHandle window, unsigned id)
{
    removed++;
    auto it = std::find_if(icons.begin(), icons.end(),
                           [&](const TrayIconData& i) { return i.window == window && i.id == id; });
    if (it == icons.end())
        return false;
    icons.erase(it);
    return true;
}

unsigned HeadlessTray::popupMenu(WindowHandle owner, Point screen, const std::vector<MenuItem>& items)
{
    menus.push_back({owner, screen, items});
    return chooser ? chooser(items) : 0;
}

void HeadlessTray::reset()
{
    icons.clear();
    added = removed = 0;
    menus.clear();
    chooser = nullptr;
}

namespace {

class MapRunKey : public RunKey {
public:
    explicit MapRunKey(HeadlessRegistry& reg) : reg_(reg) {}
    bool setString(const Text& name, const Text& value) override
    {
        if (reg_.failWrites)
            return false;
        reg_.runValues[name] = value;
        return true;
    }
    bool deleteValue(const Text& name) override
    {
        if (reg_.failWrites)
            return false;
        return reg_.runValues.erase(name) > 0;
    }

private:
    HeadlessRegistry& reg_;
};

HeadlessTray* installedTray = nullptr;
HeadlessRegistry* installedRegistry = nullptr;

} // namespace

std::unique_ptr<RunKey> HeadlessRegistry::openRunKey()
{
    if (!writable)
        return nullptr;
    opened++;
    return std::make_unique<MapRunKey>(*this);
}

void HeadlessRegistry::reset()
{
    runValues.clear();
    writable = true;
    failWrites = false;
    opened = 0;
}

HeadlessTray& tray()
{
    os();
    return *installedTray;
}

HeadlessRegistry& registry()
{
    os();
    return *installedRegistry;
}

} // namespace platform::headless

namespace platform {

void installShell()
{
    static headless::HeadlessTray tray;
    static headless::HeadlessRegistry registry;
    headless::installedTray = &tray;
    headless::installedRegistry = &registry;
    servicesStorage().tray = &tray;
    servicesStorage().registry = &registry;
}

} // namespace platform
