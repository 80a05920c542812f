#pragma once
// The desktop-wide keyboard hook of macro recording and key capture: while
// installed, every keystroke is kept from other programs and posted as its
// key message (WM_KEYDOWN/UP, WM_SYSKEYDOWN/UP) with the virtual-key code as
// wParam and 0 as lParam to the top-level window bearing the given title.
#include "platform/text.h"

namespace platform {

class KeyboardHook {
public:
    virtual ~KeyboardHook() = default;
    // Installs the hook unless one is installed; the title is taken in either case.
    virtual bool install(const Text& windowTitle) = 0;
    virtual void remove() = 0;
    virtual bool installed() const = 0;
};

} // namespace platform
