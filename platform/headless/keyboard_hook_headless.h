#pragma once
#include "platform/keyboard_hook.h"

namespace platform::headless {

// Tests type on the "desktop" with inject(): while the hook is installed the
// key message is posted to the newest live window with the hook's title,
// as the Win32 hook does; otherwise it goes nowhere.
class HeadlessKeyboardHook : public KeyboardHook {
public:
    bool install(const Text& windowTitle) override;
    void remove() override { installed_ = false; }
    bool installed() const override { return installed_; }

    // False when no window received the key.
    bool inject(unsigned message, unsigned virtualKey);
    // A press and a release.
    void type(unsigned virtualKey);

private:
    bool installed_ = false;
    Text title_;
};

HeadlessKeyboardHook& keyboardHook();

} // namespace platform::headless
