#pragma once
#include "platform/keyboard_hook.h"

namespace platform::win32 {

// WH_KEYBOARD_LL, called in the installing thread's message loop.
class Win32KeyboardHook : public KeyboardHook {
public:
    bool install(const Text& windowTitle) override;
    void remove() override;
    bool installed() const override;
};

} // namespace platform::win32
