#include "platform/headless/keyboard_hook_headless.h"

#include "platform/headless/windows_headless.h"

namespace platform::headless {

bool HeadlessKeyboardHook::install(const Text& windowTitle)
{
    title_ = windowTitle;
    installed_ = true;
    return true;
}

bool HeadlessKeyboardHook::inject(unsigned message, unsigned virtualKey)
{
    if (!installed_)
        return false;
    const std::vector<Window*> live = windows().liveWindows();
    for (auto it = live.rbegin(); it != live.rend(); ++it)
        if ((*it)->text() == title_)
            return (*it)->post(message, virtualKey, 0);
    return false;
}

void HeadlessKeyboardHook::type(unsigned virtualKey)
{
    inject(msg::KeyDown, virtualKey);
    inject(msg::KeyUp, virtualKey);
}

HeadlessKeyboardHook& keyboardHook()
{
    static HeadlessKeyboardHook hook;
    return hook;
}

} // namespace platform::headless
