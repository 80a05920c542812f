#pragma once
// Real LISTBOX and EDIT child windows for the controls seam. The dialog
// procedure hands the messages that a parent receives for its children
// (owner drawing, colours, notifications) to routeControlMessage.
#include <windows.h>

#include "platform/controls.h"

namespace platform::win32 {

// True when the message concerned one of our controls; `result` is then what
// the dialog procedure returns.
bool routeControlMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

} // namespace platform::win32
